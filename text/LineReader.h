#pragma once

#include <algorithm>
#include <cstring>
#include <string_view>

namespace tinsora {

/// The lines of a text one after another: lines end at CR LF, LF or CR, a zero byte ends the
/// text and a final line end adds no empty line (the rules of text files).
class LineReader {
public:
    explicit LineReader(std::string_view bytes)
        : text_(bytes.substr(0, bytes.find('\0'))), nextCr_(Find('\r')), nextLf_(Find('\n')) {}

    /// The next line, without its line end; false after the last.
    bool Next(std::string_view& line) {
        if (at_ == text_.size())
            return false;
        // The next CR and the next LF are each looked for once, with memchr.
        if (nextCr_ < at_)
            nextCr_ = Find('\r');
        if (nextLf_ < at_)
            nextLf_ = Find('\n');
        const std::size_t end = std::min(nextCr_, nextLf_);
        line = text_.substr(at_, end - at_);
        at_ = end;
        if (at_ < text_.size())
            at_ += text_[at_] == '\r' && at_ + 1 < text_.size() && text_[at_ + 1] == '\n' ? 2 : 1;
        return true;
    }

private:
    // Where the next c at or after at_ is, or the text's size.
    std::size_t Find(char c) const {
        if (at_ == text_.size())
            return at_;
        const void* p = std::memchr(text_.data() + at_, c, text_.size() - at_);
        return p ? static_cast<std::size_t>(static_cast<const char*>(p) - text_.data())
                 : text_.size();
    }

    std::string_view text_;
    std::size_t at_ = 0;
    std::size_t nextCr_;
    std::size_t nextLf_;
};

} // namespace tinsora
