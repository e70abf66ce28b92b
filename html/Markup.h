#pragma once

// The markup of each output style, for the generators: what a run writes besides the colours
// and characters that its walk decides.

#include "html/BodyTag.h"
#include "html/GradientTable.h"
#include "html/GradientText.h"
#include "html/GradientWalk.h"
#include "html/HtmlOutput.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tinsora {

/// A style sheet rule written once for every distinct colour, whose six colour digits go in
/// at the two places hexAt.
struct ColorRule {
    std::string text;
    std::size_t hexAt[2] = {0, 0};
    bool Empty() const { return text.empty(); }
};

/// Writes a colour rule as a line of a style sheet, once for each distinct colour.
class ColorRuleLines {
public:
    ColorRuleLines(const ColorRule& rule, std::string_view lineEnd)
        : line_(rule.text + std::string(lineEnd)), hexAt_{rule.hexAt[0], rule.hexAt[1]} {}

    /// The rule of color, unless it was written before.
    void Write(OutputBuffer& out, const ColorRGB& color) {
        if (!seen_.Insert(color))
            return;
        char* p = out.Room(line_.size());
        std::copy(line_.begin(), line_.end(), p);
        WriteHexColor(p + hexAt_[0], color);
        WriteHexColor(p + hexAt_[1], color);
        out.Commit(p + line_.size());
    }

private:
    ColorSet seen_;
    std::string line_;
    std::size_t hexAt_[2];
};

/// Gradient text: every entry of before and after is written as an entry; a character entry
/// is charHead (whose colour digits sit at hexAt), the character, and charTail.
struct TextMarkup {
    std::vector<std::string> rules; ///< the style sheet's fixed rules, when one is needed
    ColorRule colorRule;            ///< a rule per colour (class rules), or none
    std::vector<std::string> before;
    std::string charHead;
    std::size_t hexAt = 0;
    std::string charTail;
    std::string lineBreak;
    std::vector<std::string> after;
    /// HTML5: the characters sit in one element that carries the whole text as its name, so
    /// that it is read as one text; it goes after this many entries of before.
    bool labelled = false;
    std::size_t labelAt = 0;
    /// One element for the whole text (the CSS gradient): the characters are written as text,
    /// without an element or a colour each.
    bool plain = false;
};

/// A table: the fixed entries around the rows, and the cell entry into whose hexAt the six
/// colour digits of each cell go. Every text ends with its entry end.
struct TableMarkup {
    std::vector<std::string> rules; ///< the style sheet's fixed rules, when one is needed
    ColorRule colorRule;            ///< a rule per colour (class rules), or none
    std::string open;
    std::string rowOpen;
    std::string cell;
    std::size_t hexAt = 0;
    std::string rowClose;
    std::string close;
};

/// The CSS gradient in place of a table: its style sheet rules (none in the inline form) and
/// its entries.
struct CssGradientMarkup {
    std::vector<std::string> rules;
    std::vector<std::string> entries;
};

/// The colours at the CSS gradient's four stops, as the table gives them: the cells at the
/// corners, or where a table of one row or one column stops short of a corner colour, the
/// colour of the cell one further.
struct GradientStops {
    std::int32_t cols = 0;
    std::int32_t rows = 0;
    ColorRGB topLeft, topRight, bottomLeft, bottomRight;
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

/// segments: the colour segments of a typed string, for the CSS gradient.
TextMarkup Html5TextMarkup(const GradientTextOptions& o, int segments);
/// Throws CssLengthError for a box that holds no length.
TableMarkup Html5TableMarkup(const GradientTableOptions& o);
/// The CSS gradient for a table; throws CssLengthError, CssGradientSizeError or
/// CssGradientPercentError.
CssGradientMarkup Html5CssGradient(const GradientTableOptions& o, const GradientStops& stops);
/// The style sheet of the BODY tag.
std::vector<std::string> Html5BodyHead(const BodyColors& colors);
/// The HTML5 + CSS form of a character given as its code point (-1 for bytes that are no
/// character), in text or in a quoted attribute value; empty when the character is written
/// as it is.
std::string Html5CharForm(std::int32_t codePoint, TextEncoding encoding, bool attribute = false);
/// A character reference such as "&#x1F600;".
std::string CharReference(std::int32_t codePoint);
/// A decimal character reference such as "&#8364;", as the classic style writes one.
std::string DecimalCharReference(std::int32_t codePoint);
/// Whether a character (code point, -1 for none) is a blank in HTML: a name of only these
/// says nothing.
bool IsHtmlBlank(std::int32_t codePoint);

/// Six hexadecimal digits of a colour.
std::string HexColor(const ColorRGB& c);

} // namespace tinsora
