#pragma once

#include "color/User.h"
#include "gradient/Gradation.h"
#include "html/OutputSink.h"
#include "html/OutputStyle.h"
#include "text/Error.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tinsora {

/// The text the file name box shows until the user names a file.
inline constexpr std::string_view kTextFileNameHint = "（ファイル名をフルパスで入力してください）";

enum class GradientTextSource { Typed, File };
enum class TagScope { Char, String };
enum class MarqueeDirection { Left, Right };
enum class MarqueeBehavior { Scroll, Slide, Alternate };
enum class TextEncoding { Utf8, Cp932 };

/// Everything the gradient text pages hold, in their initial states, and the form of the output.
struct GradientTextOptions : OutputOptions {
    GradientTextSource source = GradientTextSource::Typed;
    std::string text;           ///< the typed string, UTF-8
    std::string_view fileBytes; ///< the text file's code page 932 bytes, read by the caller

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

    /// Encoding of the characters in the output. In code page 932 a typed character that has no
    /// form there is written as a character reference (decimal in the classic style).
    TextEncoding encoding = TextEncoding::Utf8;

    /// HTML5 + CSS only, a typed string only: the whole text in one element whose background,
    /// a CSS gradient through the colours, shows through the letters, instead of a colour per
    /// character.
    bool cssGradient = false;
};

/// "CSS gradient の文字にテキストファイルは使えません": the one-element gradient is for a typed
/// string.
Error CssGradientFileError();

/// Throws what a run throws before it writes anything, in the order of the run: the CSS
/// gradient for a text file, then a size text, then (for a typed string) a colour count
/// text, that is not an integer.
void CheckGradientText(const GradientTextOptions& options);

/// Writes the gradient text in the chosen style into sink, any size, reporting progress in
/// characters of a typed string or bytes of a file; throws as CheckGradientText first.
void WriteGradientText(const GradientTextOptions& options, OutputSink& sink);

/// The colour of the characters with the lowest contrast against background (the first of
/// them), or nothing for a text without characters; throws as CheckGradientText.
std::optional<ColorRGB> LowestContrastColor(const GradientTextOptions& options,
                                            const ColorRGB& background);

/// One typed character drawn in the preview.
struct PreviewGlyph {
    char bytes[4] = {0, 0, 0, 0}; ///< the character as typed (UTF-8)
    std::uint8_t length = 0;
    ColorRGB color;
    std::int64_t x = 0; ///< left edge; the top is always 2

    std::string_view Text() const { return std::string_view(bytes, length); }
};

/// What the preview of a run draws.
struct GradientTextPreview {
    std::int64_t previewSize = 13; ///< font size in points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::vector<PreviewGlyph> glyphs; ///< empty for a text file
};

/// The preview of the options' run: the same walk as WriteGradientText; throws as
/// CheckGradientText.
GradientTextPreview MakeGradientTextPreview(const GradientTextOptions& options);

} // namespace tinsora
