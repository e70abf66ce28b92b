#include "text/TextBuffer.h"

#include "text/LineEnds.h"

#include <algorithm>
#include <cstring>

namespace tinsora {

namespace {

bool IsContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// Where a word ends: a character of another class than the one before it.
enum class CharClass { LineBreak, Space, Word, Punctuation, Hiragana, Katakana, Kanji };

CharClass ClassOf(char32_t c) {
    if (c == U'\n')
        return CharClass::LineBreak;
    if (c == U' ' || c == U'\t' || c == U'\r' || c == U'\f' || c == U'\v' || c == 0xA0 ||
        c == 0x3000)
        return CharClass::Space;
    if (c < 0x80) {
        const bool word = (c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'Z') ||
                          (c >= U'a' && c <= U'z') || c == U'_';
        return word ? CharClass::Word : CharClass::Punctuation;
    }
    if (c >= 0x3041 && c <= 0x309F)
        return CharClass::Hiragana;
    if ((c >= 0x30A0 && c <= 0x30FF) || (c >= 0x31F0 && c <= 0x31FF) ||
        (c >= 0xFF66 && c <= 0xFF9F))
        return CharClass::Katakana;
    if ((c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) ||
        (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x20000 && c <= 0x3FFFF) || c == 0x3005 ||
        c == 0x3006)
        return CharClass::Kanji;
    const bool fullWidthWord = (c >= 0xFF10 && c <= 0xFF19) || (c >= 0xFF21 && c <= 0xFF3A) ||
                               (c >= 0xFF41 && c <= 0xFF5A);
    if (fullWidthWord)
        return CharClass::Word;
    const bool punctuation = (c >= 0x2000 && c <= 0x2BFF) || (c >= 0x3000 && c <= 0x303F) ||
                             (c >= 0xFF00 && c <= 0xFF65) || (c >= 0xFE30 && c <= 0xFE4F) ||
                             (c >= 0x80 && c <= 0xBF) || c == 0xD7 || c == 0xF7 || c == 0xFFFD;
    return punctuation ? CharClass::Punctuation : CharClass::Word;
}

// CR LF and lone CR as LF; the text itself when it holds no CR.
std::string_view WithLfEnds(std::string_view text, std::string& storage) {
    if (text.find('\r') == std::string_view::npos)
        return text;
    storage.assign(text);
    MakeLfEnds(storage);
    return storage;
}

template <class T> void Release(std::vector<T>& v) {
    std::vector<T>().swap(v);
}

} // namespace

PreparedText::PreparedText() : lineStarts_{0} {}

PreparedText::PreparedText(std::string&& text) : text_(std::move(text)) {
    MakeLfEnds(text_);
    const char* const begin = text_.data();
    const char* const end = begin + text_.size();
    lineStarts_.reserve(static_cast<std::size_t>(std::count(begin, end, '\n')) + 1);
    lineStarts_.push_back(0);
    for (const char* p = begin;
         (p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p))));)
        lineStarts_.push_back(static_cast<std::size_t>(++p - begin));
}

TextBuffer::TextBuffer() : lineStarts_{0} {}

void TextBuffer::SetText(std::string&& text) {
    SetText(PreparedText(std::move(text)));
}

void TextBuffer::SetText(PreparedText&& text) {
    text_.swap(text.text_);
    lineStarts_.swap(text.lineStarts_);
    // The old text goes with the prepared one, not kept beside the new.
    std::string().swap(text.text_);
    std::vector<std::size_t>{0}.swap(text.lineStarts_);
    Release(undo_);
    Release(redo_);
    mergeable_ = false;
}

void TextBuffer::Clear() {
    std::string().swap(text_);
    std::vector<std::size_t>{0}.swap(lineStarts_);
    Release(undo_);
    Release(redo_);
    mergeable_ = false;
}

std::size_t TextBuffer::LineEnd(std::size_t line) const {
    return line + 1 < lineStarts_.size() ? lineStarts_[line + 1] - 1 : text_.size();
}

std::string_view TextBuffer::Line(std::size_t line) const {
    const std::size_t start = LineStart(line);
    return std::string_view(text_).substr(start, LineEnd(line) - start);
}

std::size_t TextBuffer::LineOf(std::size_t position) const {
    const auto after = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), position);
    return static_cast<std::size_t>(after - lineStarts_.begin()) - 1;
}

std::size_t TextBuffer::CharStart(std::size_t position) const {
    if (position >= text_.size() || !IsContinuation(static_cast<unsigned char>(text_[position])))
        return std::min(position, text_.size());
    const char* const end = text_.data() + text_.size();
    for (std::size_t back = 1; back <= 3 && back <= position; ++back) {
        const std::size_t lead = position - back;
        if (!IsContinuation(static_cast<unsigned char>(text_[lead])))
            return DecodeUtf8(text_.data() + lead, end).length > back ? lead : position;
    }
    return position;
}

std::size_t TextBuffer::NextChar(std::size_t position) const {
    if (position >= text_.size())
        return text_.size();
    const std::size_t start = CharStart(position);
    return start + DecodeUtf8(text_.data() + start, text_.data() + text_.size()).length;
}

std::size_t TextBuffer::PrevChar(std::size_t position) const {
    return position == 0 ? 0 : CharStart(std::min(position, text_.size()) - 1);
}

namespace {

CharClass ClassAt(const std::string& text, std::size_t position) {
    return ClassOf(DecodeUtf8(text.data() + position, text.data() + text.size()).codePoint);
}

} // namespace

std::pair<std::size_t, std::size_t> TextBuffer::WordAt(std::size_t position) const {
    position = std::min(position, text_.size());
    const std::size_t line = LineOf(position);
    const std::size_t lineStart = LineStart(line);
    const std::size_t lineEnd = LineEnd(line);
    if (lineStart == lineEnd)
        return {position, position};
    const std::size_t at = position >= lineEnd ? PrevChar(lineEnd) : CharStart(position);
    const CharClass kind = ClassAt(text_, at);
    std::size_t begin = at;
    while (begin > lineStart) {
        const std::size_t before = PrevChar(begin);
        if (ClassAt(text_, before) != kind)
            break;
        begin = before;
    }
    std::size_t end = NextChar(at);
    while (end < lineEnd && ClassAt(text_, end) == kind)
        end = NextChar(end);
    return {begin, end};
}

std::size_t TextBuffer::NextWordStart(std::size_t position) const {
    if (position >= text_.size())
        return text_.size();
    position = CharStart(position);
    if (text_[position] == '\n')
        return position + 1;
    const CharClass kind = ClassAt(text_, position);
    std::size_t at = position;
    if (kind != CharClass::Space)
        while (at < text_.size() && ClassAt(text_, at) == kind)
            at = NextChar(at);
    while (at < text_.size() && ClassAt(text_, at) == CharClass::Space)
        at = NextChar(at);
    return at;
}

std::size_t TextBuffer::PrevWordStart(std::size_t position) const {
    position = std::min(position, text_.size());
    if (position == 0)
        return 0;
    std::size_t at = position;
    if (text_[PrevChar(at)] == '\n')
        return PrevChar(at);
    while (at > 0 && ClassAt(text_, PrevChar(at)) == CharClass::Space)
        at = PrevChar(at);
    if (at == 0 || text_[PrevChar(at)] == '\n')
        return at;
    const CharClass kind = ClassAt(text_, PrevChar(at));
    while (at > 0 && ClassAt(text_, PrevChar(at)) == kind)
        at = PrevChar(at);
    return at;
}

std::optional<std::size_t> TextBuffer::FindForward(std::string_view needle,
                                                   std::size_t from) const {
    if (needle.empty() || from > text_.size())
        return std::nullopt;
    const std::size_t at = std::string_view(text_).find(needle, from);
    if (at == std::string_view::npos)
        return std::nullopt;
    return at;
}

std::optional<std::size_t> TextBuffer::FindBackward(std::string_view needle,
                                                    std::size_t before) const {
    if (needle.empty() || before == 0 || needle.size() > text_.size())
        return std::nullopt;
    const char* const data = text_.data();
    const char first = needle[0];
    const std::size_t rest = needle.size() - 1;
    for (std::size_t at = std::min(before - 1, text_.size() - needle.size());; --at) {
        if (data[at] == first && std::memcmp(data + at + 1, needle.data() + 1, rest) == 0)
            return at;
        if (at == 0)
            return std::nullopt;
    }
}

TextChange TextBuffer::Replace(std::size_t begin, std::size_t end, std::string_view text,
                               EditKind kind) {
    end = std::min(end, text_.size());
    begin = std::min(begin, end);
    std::string normalized;
    text = WithLfEnds(text, normalized);
    if (begin == end && text.empty())
        return TextChange{begin, 0, 0, LineOf(begin), 0, 0};
    Release(redo_);

    if (mergeable_ && !undo_.empty() && kind != EditKind::Other && undo_.back().kind == kind) {
        Step& last = undo_.back();
        const bool typing =
            kind == EditKind::Typing && begin == end && begin == last.position + last.length;
        const bool backspace =
            kind == EditKind::Backspace && text.empty() && last.length == 0 && end == last.position;
        const bool del =
            kind == EditKind::Delete && text.empty() && last.length == 0 && begin == last.position;
        if (typing) {
            last.length += text.size();
            return Apply(begin, end, text);
        }
        if (backspace || del) {
            last.other.insert(backspace ? 0 : last.other.size(), text_, begin, end - begin);
            last.position = begin;
            return Apply(begin, end, text);
        }
    }

    Step step{begin, text.size(), {}, kind};
    mergeable_ = kind != EditKind::Other;
    if (begin == 0 && end == text_.size()) {
        // The whole text goes into the undo step as it is, without a copy.
        step.other = std::move(text_);
        text_ = std::string(text);
        undo_.push_back(std::move(step));
        return UpdateIndex(0, end, text.size());
    }
    step.other.assign(text_, begin, end - begin);
    undo_.push_back(std::move(step));
    return Apply(begin, end, text);
}

TextChange TextBuffer::Apply(std::size_t begin, std::size_t end, std::string_view text) {
    text_.replace(begin, end - begin, text);
    return UpdateIndex(begin, end, text.size());
}

TextChange TextBuffer::UpdateIndex(std::size_t begin, std::size_t oldEnd, std::size_t inserted) {
    TextChange change;
    change.position = begin;
    change.removed = oldEnd - begin;
    change.inserted = inserted;
    change.line = LineOf(begin);

    // Lines that began inside the replaced range go; the inserted text's line
    // breaks come in their place; later lines move by the difference in size.
    const auto first = lineStarts_.begin() + static_cast<std::ptrdiff_t>(change.line + 1);
    const auto last = std::upper_bound(first, lineStarts_.end(), oldEnd);
    change.removedLines = static_cast<std::size_t>(last - first);
    const char* const from = text_.data() + begin;
    change.insertedLines = static_cast<std::size_t>(std::count(from, from + inserted, '\n'));

    const std::size_t firstIndex = change.line + 1;
    const std::size_t lastIndex = firstIndex + change.removedLines;
    if (change.insertedLines > change.removedLines)
        lineStarts_.insert(lineStarts_.begin() + static_cast<std::ptrdiff_t>(lastIndex),
                           change.insertedLines - change.removedLines, 0);
    else if (change.insertedLines < change.removedLines)
        lineStarts_.erase(lineStarts_.begin() +
                              static_cast<std::ptrdiff_t>(firstIndex + change.insertedLines),
                          lineStarts_.begin() + static_cast<std::ptrdiff_t>(lastIndex));
    std::size_t index = firstIndex;
    for (std::size_t k = 0; k < inserted; ++k)
        if (from[k] == '\n')
            lineStarts_[index++] = begin + k + 1;
    if (inserted >= change.removed) {
        const std::size_t grow = inserted - change.removed;
        for (std::size_t k = index; k < lineStarts_.size(); ++k)
            lineStarts_[k] += grow;
    } else {
        const std::size_t shrink = change.removed - inserted;
        for (std::size_t k = index; k < lineStarts_.size(); ++k)
            lineStarts_[k] -= shrink;
    }
    return change;
}

TextChange TextBuffer::Swap(Step& step) {
    const std::size_t begin = step.position;
    const std::size_t oldEnd = begin + step.length;
    const std::size_t length = step.other.size();
    std::string current;
    if (begin == 0 && oldEnd == text_.size()) {
        current = std::move(text_);
        text_ = std::move(step.other);
    } else {
        current.assign(text_, begin, step.length);
        text_.replace(begin, step.length, step.other);
    }
    step.other = std::move(current);
    step.length = length;
    return UpdateIndex(begin, oldEnd, length);
}

std::optional<TextChange> TextBuffer::Undo() {
    return SwapLast(undo_, redo_);
}

std::optional<TextChange> TextBuffer::Redo() {
    return SwapLast(redo_, undo_);
}

std::optional<TextChange> TextBuffer::SwapLast(std::vector<Step>& from, std::vector<Step>& to) {
    if (from.empty())
        return std::nullopt;
    Step step = std::move(from.back());
    from.pop_back();
    const TextChange change = Swap(step);
    to.push_back(std::move(step));
    mergeable_ = false;
    return change;
}

} // namespace tinsora
