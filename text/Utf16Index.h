#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tinsora {

class TextBuffer;

/// Positions in a TextBuffer's text as screen readers count them: in UTF-16 units (a
/// character beyond U+FFFF counts two), where the text holds bytes. The units before a
/// mark every kBlock bytes are kept, found only as far as asked and forgotten from an
/// edit on, so that a position near the end of a large text costs counting one block
/// once the marks are there.
class Utf16Index {
public:
    static constexpr std::size_t kBlock = std::size_t(1) << 16;

    explicit Utf16Index(const TextBuffer& buffer);

    /// The text changed from byte position on.
    void ForgetFrom(std::size_t position);
    /// Units before a byte position (a character boundary).
    std::size_t UnitsBefore(std::size_t position);
    /// The byte position of the character holding a unit (the end past the last).
    std::size_t PositionOf(std::size_t units);
    /// Units in the whole text.
    std::size_t Length() { return UnitsBefore(SIZE_MAX); }

private:
    struct Mark {
        std::size_t position;
        std::size_t units;
    };
    /// Marks up to the one at or past position (or the end).
    void MarkUpTo(std::size_t position);

    const TextBuffer& buffer_;
    std::vector<Mark> marks_;
};

} // namespace tinsora
