#include "text/Utf16Index.h"

#include "text/TextBuffer.h"

#include <algorithm>
#include <cstring>

namespace tinsora {

namespace {

bool IsAscii8(const char* p) {
    std::uint64_t word = 0;
    std::memcpy(&word, p, sizeof word);
    return (word & 0x8080808080808080ULL) == 0;
}

// Counts units from p up to at least stop (a character boundary at or after it,
// or end), moving p there.
std::size_t CountUnits(const char*& p, const char* stop, const char* end) {
    std::size_t units = 0;
    while (p < stop) {
        while (stop - p >= 8 && IsAscii8(p)) {
            p += 8;
            units += 8;
        }
        if (p >= stop)
            break;
        if (static_cast<unsigned char>(*p) < 0x80) {
            ++p;
            ++units;
            continue;
        }
        const Utf8Char c = DecodeUtf8(p, end);
        p += c.length;
        units += c.codePoint > 0xFFFF ? 2 : 1;
    }
    return units;
}

} // namespace

Utf16Index::Utf16Index(const TextBuffer& buffer) : buffer_(buffer), marks_{{0, 0}} {}

void Utf16Index::ForgetFrom(std::size_t position) {
    const auto kept = std::upper_bound(marks_.begin(), marks_.end(), position,
                                       [](std::size_t p, const Mark& m) { return p < m.position; });
    marks_.erase(std::max(kept, marks_.begin() + 1), marks_.end());
}

void Utf16Index::MarkUpTo(std::size_t position) {
    const char* const text = buffer_.Text().data();
    const std::size_t size = buffer_.Size();
    while (marks_.back().position < std::min(position, size)) {
        const Mark& last = marks_.back();
        const char* p = text + last.position;
        const std::size_t units =
            CountUnits(p, text + std::min(size, last.position + kBlock), text + size);
        marks_.push_back({static_cast<std::size_t>(p - text), last.units + units});
    }
}

std::size_t Utf16Index::UnitsBefore(std::size_t position) {
    position = std::min(position, buffer_.Size());
    MarkUpTo(position);
    const auto at = std::upper_bound(marks_.begin(), marks_.end(), position,
                                     [](std::size_t p, const Mark& m) { return p < m.position; }) -
                    1;
    const char* const text = buffer_.Text().data();
    const char* p = text + at->position;
    return at->units + CountUnits(p, text + position, text + buffer_.Size());
}

std::size_t Utf16Index::PositionOf(std::size_t units) {
    // Marks up to the first past the units asked for.
    const char* const text = buffer_.Text().data();
    const std::size_t size = buffer_.Size();
    while (marks_.back().units <= units && marks_.back().position < size)
        MarkUpTo(marks_.back().position + 1);
    const auto at = std::upper_bound(marks_.begin(), marks_.end(), units,
                                     [](std::size_t u, const Mark& m) { return u < m.units; }) -
                    1;
    std::size_t position = at->position;
    std::size_t counted = at->units;
    while (position < size) {
        const Utf8Char c = DecodeUtf8(text + position, text + size);
        const std::size_t width = c.codePoint > 0xFFFF ? 2 : 1;
        if (counted + width > units)
            break;
        counted += width;
        position += c.length;
    }
    return position;
}

} // namespace tinsora
