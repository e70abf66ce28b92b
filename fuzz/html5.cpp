// The HTML5 + CSS emitters of the three generators over any options and text, in both CSS
// forms. Their output must be well-formed (a small checker written here: tags balanced and
// properly nested, every attribute value quoted, no quote or markup character inside one,
// text holding "<", ">" and "&" only as references, no control characters), no text may
// stand between the characters' elements (line ends go inside the tags), the class form must
// hold no style attribute, the user's text must come back from it as typed (escaped, never
// raw; the name for assistive technology too), and the colours must be those of the classic
// style for the same options, in the same order.
#include "FuzzCheck.h"
#include "IcuCp932.h"
#include "TextInputs.h"
#include "TextToIntModel.h"
#include "gradient/Gradation.h"
#include "html/BodyTag.h"
#include "html/GradientTable.h"
#include "html/GradientText.h"
#include "html/HtmlOutput.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using namespace tinsora;
namespace icu932 = fuzz::icu932;

[[noreturn]] void Malformed(const char* what, std::string_view html, std::size_t at) {
    const std::size_t from = at < 40 ? 0 : at - 40;
    std::fprintf(stderr, "html5: %s at byte %zu: \"%.*s\"\n", what, at,
                 static_cast<int>(std::min<std::size_t>(html.size() - from, 100)),
                 html.data() + from);
    std::abort();
}

// ---- The checker.

struct Node {
    enum Kind { Start, End, Text, Comment, Doctype } kind = Text;
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;
    std::string text; // Text: decoded to UTF-8; Comment: as written

    std::string_view Attribute(std::string_view key) const {
        for (const auto& [k, v] : attributes)
            if (k == key)
                return v;
        return {};
    }
};

bool IsNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
}

bool IsVoid(std::string_view name) {
    return name == "br" || name == "meta";
}

class Checker {
public:
    Checker(std::string_view html, TextEncoding encoding) : html_(html), encoding_(encoding) {}

    std::vector<Node> Parse() {
        std::vector<Node> nodes;
        while (at_ < html_.size()) {
            if (html_.substr(at_, 4) == "<!--") {
                const std::size_t end = html_.find("-->", at_ + 4);
                if (end == std::string_view::npos)
                    Malformed("a comment that is not closed", html_, at_);
                Node n;
                n.kind = Node::Comment;
                n.text = html_.substr(at_ + 4, end - at_ - 4);
                nodes.push_back(n);
                at_ = end + 3;
            } else if (html_.substr(at_, 15) == "<!DOCTYPE html>") {
                if (at_ != 0)
                    Malformed("a doctype not at the start", html_, at_);
                nodes.push_back(Node{Node::Doctype, {}, {}, {}});
                at_ += 15;
            } else if (html_[at_] == '<') {
                nodes.push_back(Tag());
                if (nodes.back().kind == Node::Start && nodes.back().name == "style")
                    nodes.push_back(StyleText());
            } else {
                nodes.push_back(TextNode());
            }
        }
        return nodes;
    }

private:
    Node Tag() {
        const std::size_t start = at_++;
        Node n;
        n.kind = Node::Start;
        if (at_ < html_.size() && html_[at_] == '/') {
            n.kind = Node::End;
            ++at_;
        }
        while (at_ < html_.size() && IsNameChar(html_[at_]))
            n.name += html_[at_++];
        if (n.name.empty())
            Malformed("a \"<\" that starts no tag", html_, start);
        // A line end of the line mode may stand before the tag's ">".
        const auto lineEnd = [&] {
            if (html_.substr(at_, 3) == "\r\n>")
                at_ += 2;
            else if (html_.substr(at_, 2) == "\n>")
                ++at_;
        };
        while (n.kind == Node::Start && at_ < html_.size() && html_[at_] == ' ') {
            ++at_;
            std::string key;
            while (at_ < html_.size() && IsNameChar(html_[at_]))
                key += html_[at_++];
            if (key.empty() || html_.substr(at_, 2) != "=\"")
                Malformed("an attribute without a quoted value", html_, at_);
            at_ += 2;
            const std::size_t end = html_.find('"', at_);
            if (end == std::string_view::npos)
                Malformed("an attribute value that is not closed", html_, at_);
            const std::string_view value = html_.substr(at_, end - at_);
            // Only a name holds the user's text, with references; the rest is ASCII.
            const bool text = key == "aria-label";
            for (const char c : value) {
                const auto b = static_cast<unsigned char>(c);
                if (c == '<' || c == '>' || (!text && (c == '&' || c == '\'' || c == '`')) ||
                    b < 0x20 || (b >= 0x7F && !text))
                    Malformed("a character that has no place in an attribute value", html_, at_);
            }
            for (const auto& a : n.attributes)
                if (a.first == key)
                    Malformed("an attribute given twice", html_, at_);
            n.attributes.emplace_back(key, text ? Decode(value) : std::string(value));
            at_ = end + 1;
        }
        lineEnd();
        if (at_ >= html_.size() || html_[at_] != '>')
            Malformed("a tag that does not end with \">\"", html_, at_);
        ++at_;
        return n;
    }

    // A style sheet: CSS up to its end tag, no markup in it (">" is CSS's child combinator).
    Node StyleText() {
        const std::size_t end = html_.find("</style>", at_);
        if (end == std::string_view::npos)
            Malformed("a style element that is not closed", html_, at_);
        Node n;
        n.text = html_.substr(at_, end - at_);
        if (n.text.find_first_of("<&\"") != std::string::npos)
            Malformed("markup in a style sheet", html_, at_);
        at_ = end;
        return n;
    }

    Node TextNode() {
        const std::size_t start = at_;
        while (at_ < html_.size() && html_[at_] != '<')
            ++at_;
        Node n;
        n.text = Decode(html_.substr(start, at_ - start), start);
        return n;
    }

    // Text as written (with references) to UTF-8; "&quot;" only where a quote needs one.
    std::string Decode(std::string_view raw, std::size_t from = 0) const {
        std::string text;
        std::string bytes; // code page 932 bytes of text between references, when so encoded
        const auto flush = [&] {
            text += encoding_ == TextEncoding::Cp932 ? icu932::DecodeText(bytes) : bytes;
            bytes.clear();
        };
        for (std::size_t k = 0; k < raw.size();) {
            const char c = raw[k];
            const auto b = static_cast<unsigned char>(c);
            if (c == '>')
                Malformed("a raw \">\"", html_, from + k);
            if (b == 0x7F || (b < 0x20 && c != '\t' && c != '\n' && c != '\f' && c != '\r'))
                Malformed("a control character in text", html_, from + k);
            if (c != '&') {
                bytes += c;
                ++k;
                continue;
            }
            flush();
            const std::size_t end = raw.find(';', k);
            const std::string_view ref =
                end == std::string_view::npos ? std::string_view() : raw.substr(k, end + 1 - k);
            if (ref == "&lt;") {
                text += '<';
            } else if (ref == "&gt;") {
                text += '>';
            } else if (ref == "&amp;") {
                text += '&';
            } else if (ref == "&quot;") {
                text += '"';
            } else if (ref.size() > 4 && ref.substr(0, 3) == "&#x" && ref.size() <= 10) {
                char32_t cp = 0;
                for (const char h : ref.substr(3, ref.size() - 4)) {
                    const int v = h >= '0' && h <= '9'   ? h - '0'
                                  : h >= 'A' && h <= 'F' ? h - 'A' + 10
                                                         : -1;
                    if (v < 0)
                        Malformed("a character reference that is not upper-case hexadecimal", html_,
                                  from + k);
                    cp = cp * 16 + static_cast<char32_t>(v);
                }
                if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
                    Malformed("a reference to no character", html_, from + k);
                text += icu932::Utf8(cp);
            } else {
                Malformed("a raw \"&\"", html_, from + k);
            }
            k += ref.size();
        }
        flush();
        if (!fuzz::IsUtf8(text))
            Malformed("text that is not UTF-8", html_, from);
        return text;
    }

    std::string_view html_;
    TextEncoding encoding_;
    std::size_t at_ = 0;
};

// Every element closed, in the reverse order of opening; in a fragment the BODY generator's
// <body> start tag stands alone (it replaces the page's own).
void CheckNesting(const std::vector<Node>& nodes, std::string_view html, bool openBody) {
    std::vector<std::string> open;
    for (const Node& n : nodes) {
        if (n.kind == Node::Start && !IsVoid(n.name))
            open.push_back(n.name);
        if (n.kind == Node::End) {
            if (open.empty() || open.back() != n.name)
                Malformed(("an end tag </" + n.name + "> that closes nothing open").c_str(), html,
                          0);
            open.pop_back();
        }
    }
    if (openBody && open.size() == 1 && open[0] == "body")
        return;
    if (!open.empty())
        Malformed(("<" + open.back() + "> is not closed").c_str(), html, html.size());
}

// HTML's table rules, as a validator holds a table to: a row group only in a table, a row only
// in a table or a row group, a cell only in a row; no text but blanks between them; every row
// has a cell (a row without one is an error), and every row of a table as many as the first
// (this output spans no cells across rows or columns).
void CheckTables(const std::vector<Node>& nodes, std::string_view html) {
    struct Open {
        std::string name;
        std::size_t cells = 0;            // of a row
        std::optional<std::size_t> width; // of a table: the cells of its first row
    };
    std::vector<Open> open;
    const auto table = [&]() -> Open* {
        for (auto it = open.rbegin(); it != open.rend(); ++it)
            if (it->name == "table")
                return &*it;
        return nullptr;
    };
    const auto parent = [&] { return open.empty() ? std::string() : open.back().name; };
    const auto inside = [&](std::initializer_list<std::string_view> names) {
        return std::find(names.begin(), names.end(), parent()) != names.end();
    };
    for (const Node& n : nodes) {
        if (n.kind == Node::Text && inside({"table", "tbody", "thead", "tfoot", "tr"}) &&
            n.text.find_first_not_of(" \t\r\n\f") != std::string::npos)
            Malformed(("text in <" + parent() + ">").c_str(), html, 0);
        if (n.kind == Node::Start) {
            if (n.name == "tbody" || n.name == "thead" || n.name == "tfoot") {
                if (!inside({"table"}))
                    Malformed(("<" + n.name + "> outside a table").c_str(), html, 0);
            } else if (n.name == "tr") {
                if (!inside({"table", "tbody", "thead", "tfoot"}))
                    Malformed("<tr> outside a table", html, 0);
            } else if (n.name == "td" || n.name == "th") {
                if (!inside({"tr"}))
                    Malformed(("<" + n.name + "> outside a row").c_str(), html, 0);
                if (!n.Attribute("colspan").empty() || !n.Attribute("rowspan").empty())
                    Malformed("a cell spanning others", html, 0);
                ++open.back().cells;
            } else if (inside({"table", "tbody", "thead", "tfoot", "tr"})) {
                Malformed(("<" + n.name + "> in <" + parent() + ">").c_str(), html, 0);
            }
            if (!IsVoid(n.name))
                open.push_back({n.name, 0, std::nullopt});
        } else if (n.kind == Node::End && !open.empty()) {
            const Open ended = open.back();
            open.pop_back();
            if (ended.name != "tr")
                continue;
            if (ended.cells == 0)
                Malformed("a table row with no cells", html, 0);
            Open* t = table();
            if (!t->width)
                t->width = ended.cells;
            else if (*t->width != ended.cells)
                Malformed("table rows of different widths", html, 0);
        }
    }
}

std::vector<Node> CheckWellFormed(std::string_view html, TextEncoding encoding,
                                  bool openBody = false) {
    auto nodes = Checker(html, encoding).Parse();
    CheckNesting(nodes, html, openBody);
    CheckTables(nodes, html);
    return nodes;
}

std::optional<ColorRGB> HexAt(std::string_view s, std::size_t at) {
    if (at + 6 > s.size())
        return std::nullopt;
    int v[6];
    for (std::size_t k = 0; k < 6; ++k) {
        const char c = s[at + k];
        v[k] = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (v[k] < 0)
            return std::nullopt;
    }
    return ColorRGB{v[0] * 16 + v[1], v[2] * 16 + v[3], v[4] * 16 + v[5]};
}

// The colour of a style attribute that starts with the property, or of a class named with
// the prefix.
std::optional<ColorRGB> StyleColour(const Node& n, std::string_view property,
                                    std::string_view prefix) {
    const std::string_view style = n.Attribute("style");
    if (const std::size_t at = style.find(property); at != std::string_view::npos) {
        const auto colour = HexAt(style, at + property.size());
        FUZZ_CHECK(colour.has_value());
        return colour;
    }
    const std::string_view classes = n.Attribute("class");
    for (std::size_t at = classes.find(prefix); at != std::string_view::npos;
         at = classes.find(prefix, at + 1))
        if (at == 0 || classes[at - 1] == ' ')
            return HexAt(classes, at + prefix.size());
    return std::nullopt;
}

// The class form writes no style attribute.
void CheckCssForm(const std::vector<Node>& nodes, CssForm form) {
    for (const Node& n : nodes)
        if (form == CssForm::Classes)
            FUZZ_CHECK(n.Attribute("style").empty());
}

// ---- Gradient text.

// One character of the walk, or a line break.
struct Item {
    bool lineBreak = false;
    ColorRGB color;
    std::string text; // UTF-8
    friend bool operator==(const Item&, const Item&) = default;
};

// The characters in the classic style (UTF-8, joined): read entry by entry, the character
// taken as one UTF-8 character or one byte that is none.
std::vector<Item> ClassicItems(GradientTextOptions o) {
    o.style = OutputStyle::Classic;
    o.encoding = TextEncoding::Utf8;
    o.lineMode = false;
    o.page = false;
    StringSink sink;
    WriteGradientText(o, sink);
    const std::string_view out = sink.Text();
    std::string open, close;
    const auto tag = [&](bool on, std::string_view name) {
        if (on) {
            open += "<" + std::string(name) + ">";
            close.insert(0, "</" + std::string(name) + ">");
        }
    };
    tag(o.bold, "B");
    tag(o.italic, "I");
    tag(o.underline, "U");
    tag(o.strikeOut, "S");
    tag(o.tt, "TT");
    tag(o.blink, "BLINK");
    tag(o.tateIchi && (o.sup || o.sub), o.sup ? "SUP" : "SUB");
    const bool perChar = o.scope == TagScope::Char;
    std::size_t at = 0;
    const auto expect = [&](std::string_view piece) {
        if (out.substr(at, piece.size()) != piece)
            Malformed("classic output not as expected", out, at);
        at += piece.size();
    };
    if (o.marquee)
        at = out.find('>') + 1;
    if (!perChar)
        expect(open);
    const std::string size = o.sizeText.empty() ? "" : " Size=\"" + o.sizeText + "\"";
    const std::string tail = (perChar ? std::string() : close) + (o.marquee ? "</MARQUEE>" : "");
    std::vector<Item> items;
    while (out.substr(at) != tail) {
        Item item;
        if (out.substr(at, 4) == "<BR>") {
            item.lineBreak = true;
            at += 4;
        } else {
            expect("<FONT Color=\"#");
            const auto colour = HexAt(out, at);
            FUZZ_CHECK(colour.has_value());
            item.color = *colour;
            at += 6;
            expect("\"" + size + ">" + (perChar ? open : std::string()));
            const auto chars = icu932::TypedChars(out.substr(at, 4));
            FUZZ_CHECK(!chars.empty());
            item.text = chars[0].utf8;
            at += item.text.size();
            expect((perChar ? close : std::string()) + "</FONT>");
        }
        items.push_back(item);
    }
    return items;
}

// What HTML5 writes for a character the classic style writes as text: the same, but U+FFFD
// for bytes that are no character and for characters that HTML cannot hold.
std::string Html5Form(std::string_view classic) {
    const auto* s = reinterpret_cast<const std::uint8_t*>(classic.data());
    const auto length = static_cast<std::int32_t>(classic.size());
    std::int32_t k = 0;
    UChar32 c = 0;
    U8_NEXT(s, k, length, c);
    const bool forbidden =
        c < 0 || (c < 0x20 && c != '\t' && c != '\n' && c != '\f' && c != '\r') ||
        (c >= 0x7F && c <= 0x9F) || (c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE;
    return forbidden ? std::string("\xEF\xBF\xBD") : std::string(classic);
}

// The characters' part of the HTML5 output and its name for reading: the element that holds
// the coloured characters carries the whole text as its name (role img), or nothing when the
// text is blanks alone. Nothing stands between the characters' elements.
void Html5Items(const std::vector<Node>& nodes, std::vector<Item>& coloured,
                std::optional<std::string>& name) {
    bool inPart = false;
    int depth = 0;                      // elements open inside the part
    std::optional<std::size_t> current; // the coloured character being read
    int currentDepth = 0;
    for (const Node& n : nodes) {
        if (!inPart) {
            if (n.kind == Node::Start && n.name == "span" &&
                (n.Attribute("role") == "img" || n.attributes.empty())) {
                FUZZ_CHECK(!name);
                inPart = true;
                depth = 0;
                if (n.Attribute("role") == "img")
                    name = std::string(n.Attribute("aria-label"));
            }
            continue;
        }
        if (n.kind == Node::Start && n.name == "br") {
            FUZZ_CHECK(!current);
            coloured.push_back(Item{true, {}, {}});
        } else if (n.kind == Node::Start) {
            ++depth;
            if (!current) {
                if (const auto colour = StyleColour(n, "color:#", "tc-")) {
                    current = coloured.size();
                    coloured.push_back(Item{false, *colour, {}});
                    currentDepth = depth;
                }
            }
        } else if (n.kind == Node::End) {
            if (current && depth == currentDepth) {
                // One character per element, neither more nor less.
                FUZZ_CHECK(icu932::TypedChars(coloured[*current].text).size() == 1);
                current.reset();
            }
            if (depth-- == 0)
                inPart = false;
        } else if (n.kind == Node::Text) {
            FUZZ_CHECK(current.has_value()); // no blank between the characters
            coloured[*current].text += n.text;
        }
    }
}

// The text of the one element of the CSS gradient: its text and line breaks.
std::vector<Item> GradientItems(const std::vector<Node>& nodes) {
    std::vector<Item> items;
    int depth = -1; // outside the element
    for (const Node& n : nodes) {
        if (depth < 0) {
            if (n.kind == Node::Start && n.Attribute("class").starts_with("tinsora-g-"))
                depth = 0;
            continue;
        }
        if (n.kind == Node::Start && n.name == "br")
            items.push_back(Item{true, {}, {}});
        else if (n.kind == Node::Start)
            ++depth;
        else if (n.kind == Node::End && depth-- == 0)
            break;
        else if (n.kind == Node::Text)
            for (const auto& ch : icu932::TypedChars(n.text))
                items.push_back(Item{false, {}, std::string(ch.utf8)});
    }
    return items;
}

void CheckText(FuzzedDataProvider& in) {
    GradientTextOptions o;
    fuzz::TakeTextOptions(in, o);
    o.style = OutputStyle::Html5;
    o.css = in.ConsumeBool() ? CssForm::Inline : CssForm::Classes;
    o.cssGradient = in.ConsumeIntegralInRange(0, 3) == 0; // refused for a file, below
    o.encoding = in.ConsumeBool() ? TextEncoding::Utf8 : TextEncoding::Cp932;
    o.lineMode = in.ConsumeBool();
    o.lineEnd = in.ConsumeBool() ? std::string("\n") : std::string("\r\n");
    const bool file = in.ConsumeBool();
    std::string bytes;
    if (file) {
        o.source = GradientTextSource::File;
        bytes = fuzz::FileText(in);
        o.fileBytes = bytes;
    } else {
        o.text = fuzz::TypedText(in);
    }

    StringSink sink;
    const auto error = fuzz::ErrorOf([&] { WriteGradientText(o, sink); });
    GradientTextOptions classic = o;
    classic.style = OutputStyle::Classic;
    const bool refused = o.cssGradient && file;
    FUZZ_CHECK(error == (refused ? std::optional<std::string>(
                                       "CSS gradient の文字にテキストファイルは使えません")
                                 : fuzz::ErrorOf([&] { CheckGradientText(classic); })));
    if (error) {
        FUZZ_CHECK(sink.Text().empty());
        return;
    }
    const auto nodes = CheckWellFormed(sink.Text(), o.encoding);
    CheckCssForm(nodes, o.css);

    std::vector<Item> expected = ClassicItems(o);
    for (Item& item : expected)
        if (!item.lineBreak)
            item.text = Html5Form(item.text);
    // The text without colours: a text file's lines are separated, not each ended, by a break.
    std::vector<Item> uncoloured = expected;
    for (Item& item : uncoloured)
        item.color = {};
    if (file && !uncoloured.empty())
        uncoloured.pop_back();

    if (o.cssGradient) {
        FUZZ_CHECK(GradientItems(nodes) == uncoloured);
    } else {
        std::vector<Item> coloured;
        std::optional<std::string> name;
        Html5Items(nodes, coloured, name);
        if (coloured != expected) {
            std::fprintf(stderr, "html5: %zu characters and breaks, the classic style has %zu\n",
                         coloured.size(), expected.size());
            for (std::size_t k = 0; k < std::min(coloured.size(), expected.size()); ++k)
                if (!(coloured[k] == expected[k])) {
                    std::fprintf(stderr, "html5: the first difference is at %zu\n", k);
                    break;
                }
            std::abort();
        }
        // The name holds the same characters, a line break as a line end; blanks alone give
        // no name.
        std::string text;
        for (const Item& item : uncoloured)
            text += item.lineBreak ? std::string("\n") : item.text;
        const bool blank = text.find_first_not_of(" \t\n\f\r") == std::string::npos;
        FUZZ_CHECK(blank ? !name : name == text);
    }

    if (o.encoding == TextEncoding::Utf8) {
        // The same as a whole page, and as the page the window makes of the fragment.
        GradientTextOptions page = o;
        page.page = true;
        StringSink pageSink;
        WriteGradientText(page, pageSink);
        CheckWellFormed(pageSink.Text(), o.encoding);
        CheckWellFormed(MakeHtmlPage(sink.Text(), o.lineEnd), o.encoding);
    }
}

// ---- Gradient table.

std::string LengthText(FuzzedDataProvider& in) {
    static constexpr const char* kLengths[] = {"",    "0",   "1",   "12",  " 3 ", "50%", "2em",
                                               "1.5", ".5",  "4PX", "3q",  "-1",  "\"",  "1\"",
                                               "x",   "1 2", "1e3", "5vw", "<",   "&"};
    if (in.ConsumeBool())
        return in.PickValueInArray(kLengths);
    return in.ConsumeRandomLengthString(8);
}

// A CSS length as the model reads it: blanks around dropped; digits with a fraction or a
// fraction alone, then nothing (pixels) or a unit; empty gives nothing; anything else none.
std::optional<std::optional<std::string>> ModelLength(std::string_view text) {
    const auto blank = [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
    };
    std::string_view t = text;
    while (!t.empty() && blank(t.front()))
        t.remove_prefix(1);
    while (!t.empty() && blank(t.back()))
        t.remove_suffix(1);
    if (t.empty())
        return std::optional<std::string>();
    std::size_t k = 0;
    while (k < t.size() && fuzz::IsDecimalDigit(t[k]))
        ++k;
    std::size_t n = k;
    if (k < t.size() && t[k] == '.') {
        std::size_t f = k + 1;
        while (f < t.size() && fuzz::IsDecimalDigit(t[f]))
            ++f;
        if (f > k + 1)
            n = f;
    }
    if (n == 0)
        return std::nullopt;
    if (n == t.size())
        return std::optional<std::string>(std::string(t) + "px");
    std::string unit(t.substr(n));
    for (char& c : unit)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    for (const char* u : {"%", "px", "em", "rem", "ex", "ch", "vw", "vh", "vmin", "vmax", "cm",
                          "mm", "q", "in", "pt", "pc"})
        if (unit == u)
            return std::optional<std::string>(std::string(t));
    return std::nullopt;
}

void CheckTable(FuzzedDataProvider& in) {
    GradientTableOptions o;
    o.cols = std::to_string(in.ConsumeIntegralInRange(-2, 24));
    o.rows = std::to_string(in.ConsumeIntegralInRange(-2, 24));
    if (in.ConsumeIntegralInRange(0, 7) == 0)
        o.cols = in.ConsumeRandomLengthString(4);
    o.padding = LengthText(in);
    o.spacing = LengthText(in);
    o.width = LengthText(in);
    o.height = LengthText(in);
    for (auto& c : o.colors)
        c = fuzz::TakeColor(in);
    o.lineMode = in.ConsumeBool();
    o.lineEnd = in.ConsumeBool() ? std::string("\n") : std::string("\r\n");
    o.page = in.ConsumeBool();
    o.cssGradient = in.ConsumeBool();
    o.css = in.ConsumeBool() ? CssForm::Inline : CssForm::Classes;
    o.style = OutputStyle::Html5;

    // The errors in their order: the counts, then the boxes that hold no length; for the CSS
    // gradient then a missing cell size, then a percentage, which it has no table to take of.
    std::optional<std::string> expectedError;
    for (const std::string* count : {&o.cols, &o.rows})
        if (!expectedError && !fuzz::ExpectedInt(*count))
            expectedError = fuzz::NotAnIntegerMessage(*count);
    std::optional<std::string> lengths[4];
    const std::string* boxes[] = {&o.padding, &o.spacing, &o.width, &o.height};
    for (std::size_t k = 0; k < 4; ++k) {
        const auto length = ModelLength(*boxes[k]);
        if (length)
            lengths[k] = *length;
        else if (!expectedError)
            expectedError = fuzz::QuotedPiece(*boxes[k]) + " は CSS の長さとして使えません";
    }
    if (!expectedError && o.cssGradient && (!lengths[2] || !lengths[3]))
        expectedError = "CSS gradient にはセルの幅と高さが必要です";
    for (std::size_t k = 0; k < 4; ++k)
        if (!expectedError && o.cssGradient && lengths[k] && lengths[k]->ends_with("%"))
            expectedError = fuzz::Shown(
                "'" + *lengths[k] + "' は CSS gradient に使えません (% は表の幅に対する割合です)");

    StringSink sink;
    const auto error = fuzz::ErrorOf([&] { WriteGradientTable(o, sink); });
    FUZZ_CHECK_SAME(error, expectedError);
    if (error) {
        FUZZ_CHECK(sink.Text().empty());
        return;
    }
    const auto nodes = CheckWellFormed(sink.Text(), TextEncoding::Utf8);
    CheckCssForm(nodes, o.css);
    if (o.cssGradient) {
        // The stops: the table's colours at the centres of its corner cells, or, where one row
        // or one column stops short of a corner colour, that of the cell one further.
        std::vector<ColorRGB> colours;
        for (const Node& n : nodes) {
            const std::string_view style = n.kind == Node::Text ? n.text : n.Attribute("style");
            for (std::size_t at = style.find('#'); at != std::string_view::npos;
                 at = style.find('#', at + 1))
                if (const auto c = HexAt(style, at + 1))
                    colours.push_back(*c);
        }
        const int cols = fuzz::ExpectedInt(o.cols).value_or(0);
        const int rows = fuzz::ExpectedInt(o.rows).value_or(0);
        const auto& k = o.colors;
        const auto step = [](const ColorRGB& a, const ColorRGB& b, int n, int i) {
            return ColorRGB{static_cast<std::int32_t>(GradientStep(a.Red, b.Red, n, i)),
                            static_cast<std::int32_t>(GradientStep(a.Green, b.Green, n, i)),
                            static_cast<std::int32_t>(GradientStep(a.Blue, b.Blue, n, i))};
        };
        std::vector<ColorRGB> expected;
        if (cols <= 0 || rows <= 0) {
        } else if (cols == 1 && rows == 1) {
            expected = {k[0]};
        } else if (rows == 1) {
            expected = {k[0], step(k[0], k[1], cols, cols)};
        } else if (cols == 1) {
            expected = {k[0], step(k[0], k[2], rows, rows)};
        } else {
            const ColorRGB bottomLeft = step(k[0], k[2], rows - 1, rows - 1);
            const ColorRGB bottomRight = step(k[1], k[3], rows - 1, rows - 1);
            expected = {bottomLeft, step(bottomLeft, bottomRight, cols - 1, cols - 1), k[0],
                        step(k[0], k[1], cols - 1, cols - 1)};
        }
        FUZZ_CHECK(colours == expected);
        return;
    }
    std::vector<ColorRGB> cells;
    std::size_t rows = 0;
    for (const Node& n : nodes) {
        if (n.kind == Node::Start && n.name == "tr")
            ++rows;
        if (n.kind == Node::Start && n.name == "td" && o.css == CssForm::Classes) {
            const auto colour = StyleColour(n, "background-color:#", "tb-");
            FUZZ_CHECK(colour.has_value());
            cells.push_back(*colour);
        } else if (n.kind == Node::Start && n.name == "td") {
            const std::string_view style = n.Attribute("style");
            // The lengths as the model reads them, in the order of the boxes.
            std::string expected;
            if (lengths[0])
                expected += "padding:" + *lengths[0] + ";";
            if (lengths[2])
                expected += "width:" + *lengths[2] + ";";
            if (lengths[3])
                expected += "height:" + *lengths[3] + ";";
            expected += "background-color:#";
            FUZZ_CHECK(style.substr(0, expected.size()) == expected);
            const auto colour = HexAt(style, expected.size());
            FUZZ_CHECK(colour && style.size() == expected.size() + 6);
            cells.push_back(*colour);
        }
    }

    // The classic table's cells, read back entry by entry.
    GradientTableOptions classic = o;
    classic.style = OutputStyle::Classic;
    classic.lineMode = false;
    classic.page = false;
    StringSink classicSink;
    WriteGradientTable(classic, classicSink);
    const std::string_view out = classicSink.Text();
    std::vector<ColorRGB> classicCells;
    std::size_t classicRows = 0;
    const std::string cellStart = "<TD bgcolor=\"#";
    const std::string cellEnd = "\" width=\"" + o.width + "\" height=\"" + o.height + "\"></TD>";
    std::size_t at =
        ("<TABLE cellpadding=\"" + o.padding + "\" cellspacing=\"" + o.spacing + "\"><TBODY>")
            .size();
    while (out.substr(at, 4) == "<TR>") {
        ++classicRows;
        at += 4;
        while (out.substr(at, cellStart.size()) == cellStart) {
            const auto colour = HexAt(out, at + cellStart.size());
            FUZZ_CHECK(colour.has_value());
            classicCells.push_back(*colour);
            at += cellStart.size() + 6;
            FUZZ_CHECK(out.substr(at, cellEnd.size()) == cellEnd);
            at += cellEnd.size();
        }
        FUZZ_CHECK(out.substr(at, 5) == "</TR>");
        at += 5;
    }
    FUZZ_CHECK(out.substr(at) == "</TBODY></TABLE>");
    if (o.css == CssForm::Classes) {
        // Every cell's colour has its rule, once, and no rule is for a colour no cell has.
        std::string sheet;
        for (const Node& n : nodes)
            if (n.kind == Node::Text)
                sheet += n.text;
        std::vector<ColorRGB> ruled;
        for (std::size_t at = sheet.find(".tb-"); at != std::string::npos;
             at = sheet.find(".tb-", at + 1))
            ruled.push_back(*HexAt(sheet, at + 4));
        std::vector<ColorRGB> distinct;
        for (const ColorRGB& c : cells)
            if (std::find(distinct.begin(), distinct.end(), c) == distinct.end())
                distinct.push_back(c);
        FUZZ_CHECK(ruled == distinct);
    }
    // A row without cells is no row in HTML5.
    FUZZ_CHECK(rows == (classicCells.empty() ? 0 : classicRows));
    FUZZ_CHECK(cells == classicCells);
    if (!o.page)
        CheckWellFormed(MakeHtmlPage(sink.Text(), o.lineEnd), TextEncoding::Utf8);
}

// ---- The BODY tag.

void CheckBody(FuzzedDataProvider& in) {
    BodyTagOptions o;
    for (auto& c : o.colors)
        c = fuzz::TakeColor(in);
    o.page = in.ConsumeBool();
    o.lineEnd = in.ConsumeBool() ? std::string("\n") : std::string("\r\n");
    o.style = OutputStyle::Html5;
    StringSink sink;
    WriteBodyTag(o, sink);
    const auto nodes = CheckWellFormed(sink.Text(), TextEncoding::Utf8, !o.page);
    std::vector<ColorRGB> colours;
    for (const Node& n : nodes)
        if (n.kind == Node::Text)
            for (std::size_t at = n.text.find('#'); at != std::string::npos;
                 at = n.text.find('#', at + 1))
                if (const auto c = HexAt(n.text, at + 1))
                    colours.push_back(*c);
    // The classic tag's colours, attribute by attribute.
    BodyTagOptions classic = o;
    classic.style = OutputStyle::Classic;
    classic.page = false;
    StringSink classicSink;
    WriteBodyTag(classic, classicSink);
    const std::string_view tag = classicSink.Text();
    std::vector<ColorRGB> classicColours;
    for (const char* a :
         {"<BODY BgColor=\"#", "\" Text=\"#", "\" Link=\"#", "\" Vlink=\"#", "\" Alink=\"#"}) {
        const std::size_t at = tag.find(a);
        FUZZ_CHECK(at != std::string_view::npos);
        classicColours.push_back(*HexAt(tag, at + std::string_view(a).size()));
    }
    FUZZ_CHECK(colours == classicColours);
    if (!o.page)
        CheckWellFormed(MakeHtmlPage(sink.Text(), o.lineEnd), TextEncoding::Utf8);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0:
        CheckTable(in);
        break;
    case 1:
        CheckBody(in);
        break;
    default:
        CheckText(in);
        break;
    }
    return 0;
}
