#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "color/User.h"
#include "gradient/Gradation.h"
#include "html/HtmlLines.h"

namespace tinsora {

/// The text the file name box shows until the user names a file.
inline constexpr std::string_view kTextFileNameHint = "（ファイル名をフルパスで入力してください）";

enum class GradientTextSource { Typed, File };
enum class TagScope { Char, String };
enum class MarqueeDirection { Left, Right };
enum class MarqueeBehavior { Scroll, Slide, Alternate };
enum class TextEncoding { Utf8, Cp932 };

/// Everything the gradient text pages hold, in their initial states.
struct GradientTextOptions {
    GradientTextSource source = GradientTextSource::Typed;
    std::string text;                        ///< the typed string, UTF-8
    std::string fileName{kTextFileNameHint}; ///< the text file, as typed in the name box
    std::optional<std::string> fileBytes;    ///< the file's code page 932 bytes, when already read

    GradientColors gradColors = kInitialGradientColors;
    int lastGradColor = 1; ///< colours in use minus one; used when the count text is empty
    std::string colorCountText = "2"; ///< the count box as typed

    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool tt = false;
    bool blink = false;
    bool tateIchi = false;
    bool sup = true; ///< read only when tateIchi is set
    bool sub = false;

    bool marquee = false;
    MarqueeDirection marqueeDirection = MarqueeDirection::Left;
    MarqueeBehavior marqueeBehavior = MarqueeBehavior::Scroll;

    TagScope scope = TagScope::Char;
    std::string sizeText = "3"; ///< the size box as typed; empty gives no size attribute

    /// Encoding of the characters in the output; in code page 932 a typed
    /// character that has no form there is written as "?".
    TextEncoding encoding = TextEncoding::Utf8;
};

/// One typed character drawn in the preview.
struct PreviewGlyph {
    char bytes[4] = {0, 0, 0, 0}; ///< the character as typed (UTF-8)
    std::uint8_t length = 0;
    ColorRGB color;
    std::int64_t x = 0; ///< left edge; the top is always 2

    std::string_view Text() const { return std::string_view(bytes, length); }
};

/// What one run produces: the output entries and what the preview draws.
struct GradientTextResult {
    HtmlLines htmlLines;
    std::int64_t previewSize = 13; ///< font size in points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::vector<PreviewGlyph> previewGlyphs; ///< empty for a text file
};

/// Builds the gradient text entries and the preview for the options; throws
/// Error for a size or count text that is not an integer or a file that cannot
/// be opened, and then produces nothing.
GradientTextResult MakeGradientText(const GradientTextOptions& options);

/// Receives a stretch of output text made of whole entries.
using GradientTextSink = std::function<void(std::string_view text)>;

/// The entries of MakeGradientText, each followed by lineEnd, handed to sink a
/// stretch of about batchBytes at a time as they are made, so that a large
/// output never stands whole in memory. Errors come before the first stretch.
void StreamGradientText(const GradientTextOptions& options, std::string_view lineEnd,
                        const GradientTextSink& sink, std::size_t batchBytes = 1u << 17);

} // namespace tinsora
