#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tinsora {

/// The most bytes a generator hands to the output pane (256 MiB); larger output is refused.
inline constexpr std::uint64_t kMaxOutputBytes = 268435456;

/// The entries a generator produces, one per output line, held in one buffer
/// with the line boundaries beside it (no string per entry).
class HtmlLines {
public:
    /// Reserves room for about bytes of text and lines entries.
    void Reserve(std::size_t bytes, std::size_t lines) {
        buffer_.reserve(bytes);
        ends_.reserve(lines);
    }

    /// Appends a whole entry.
    void Add(std::string_view entry) {
        buffer_.append(entry);
        ends_.push_back(buffer_.size());
    }

    /// The open entry being built: append pieces to it, then call EndLine().
    std::string& Text() { return buffer_; }
    void EndLine() { ends_.push_back(buffer_.size()); }
    /// Ends an entry at byte offset end of Text(), for entries written in place
    /// into a Text() grown ahead; cut Text() back to the last end before Add.
    void EndLineAt(std::size_t end) { ends_.push_back(end); }

    std::size_t Count() const { return ends_.size(); }
    std::string_view Line(std::size_t k) const {
        const std::size_t begin = k == 0 ? 0 : ends_[k - 1];
        return std::string_view(buffer_).substr(begin, ends_[k] - begin);
    }
    /// All entries concatenated, without separators.
    std::string_view Joined() const {
        return std::string_view(buffer_).substr(0, ends_.empty() ? 0 : ends_.back());
    }

    std::vector<std::string> ToVector() const {
        std::vector<std::string> v;
        v.reserve(Count());
        for (std::size_t k = 0; k < Count(); ++k)
            v.emplace_back(Line(k));
        return v;
    }

private:
    std::string buffer_;
    std::vector<std::size_t> ends_;
};

/// The output pane's text for the entries: in line mode every entry followed
/// by lineEnd (CR LF in the pane), otherwise all entries joined with nothing between.
std::string JoinHtmlLines(const HtmlLines& lines, bool lineMode, std::string_view lineEnd = "\r\n");

} // namespace tinsora
