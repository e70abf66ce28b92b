#pragma once

// The markup of each output style, for the generators: what a run writes besides the colours
// and characters that its walk decides.

#include "html/BodyTag.h"
#include "html/GradientTable.h"
#include "html/GradientText.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tinsora {

/// Gradient text: every entry of before and after is written as an entry; a character entry
/// is charHead (whose colour digits sit at hexAt), the character, and charTail.
struct TextMarkup {
    std::vector<std::string> head; ///< the style sheet for the page's head, when one is needed
    std::vector<std::string> before;
    std::string charHead;
    std::size_t hexAt = 0;
    std::string charTail;
    std::string lineBreak;
    std::vector<std::string> after;
    /// The text once more for assistive technology, written between these two before the
    /// characters, lines separated by readableBreak; nothing when readableOpen is empty.
    std::string readableOpen;
    std::string readableClose;
    std::string readableBreak;
    std::size_t readableAt = 0; ///< the copy goes after this many entries of before
};

/// A table: the fixed entries around the rows, and the cell entry into whose hexAt the six
/// colour digits of each cell go. Every text ends with its entry end.
struct TableMarkup {
    std::string open;
    std::string rowOpen;
    std::string cell;
    std::size_t hexAt = 0;
    std::string rowClose;
    std::string close;
};

/// The decoration tags in their fixed order, opening and closing.
struct DecorationTags {
    std::string open;
    std::string close;
};

/// The tag names of one style, each opening and closing, for DecorationTagsFor.
struct TagNames {
    std::string_view bold[2], italic[2], underline[2], strike[2], tt[2], blink[2], sup[2], sub[2];
};

/// The checked decorations' tags, nested in the fixed order.
DecorationTags DecorationTagsFor(const GradientTextOptions& o, const TagNames& names);
/// Puts the tags inside every character entry (scope 文字) or around all of them (文字列).
void AddScopedTags(TextMarkup& m, const GradientTextOptions& o, const DecorationTags& tags);
/// An entry: indented by indent spaces and followed by the line end in line mode.
std::string TableEntry(const OutputOptions& o, std::size_t indent, std::string_view text);

TextMarkup ClassicTextMarkup(const GradientTextOptions& o);
TableMarkup ClassicTableMarkup(const GradientTableOptions& o);

TextMarkup Html5TextMarkup(const GradientTextOptions& o);
/// Throws CssLengthError for a box that holds no length.
TableMarkup Html5TableMarkup(const GradientTableOptions& o);
/// The CSS gradient's entries for a table of cols x rows cells; throws CssLengthError or
/// CssGradientSizeError.
std::vector<std::string> Html5CssGradient(const GradientTableOptions& o, std::int32_t cols,
                                          std::int32_t rows);
/// The style sheet of the BODY tag.
std::vector<std::string> Html5BodyHead(const BodyColors& colors);
/// The HTML5 + CSS form of a character given as its code point (-1 for bytes that are no
/// character); empty when the character is written as it is.
std::string Html5CharForm(std::int32_t codePoint, TextEncoding encoding);
/// A character reference such as "&#x1F600;".
std::string CharReference(std::int32_t codePoint);

/// Six hexadecimal digits of a colour.
std::string HexColor(const ColorRGB& c);

} // namespace tinsora
