#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tinsora {

/// Where a generator writes its text, piece by piece in order.
class OutputSink {
public:
    virtual ~OutputSink() = default;
    virtual void Write(std::string_view bytes) = 0;
    /// Called now and then during a long run (at least every row of a table
    /// and every line or few kilobytes of text); done/total in units the
    /// generator chooses. A sink may throw from Write or Progress to abandon the run.
    virtual void Progress(std::uint64_t done, std::uint64_t total) {
        static_cast<void>(done);
        static_cast<void>(total);
    }
};

/// A sink that appends everything to a string.
class StringSink final : public OutputSink {
public:
    void Write(std::string_view bytes) override { text_.append(bytes); }

    /// The text written so far.
    const std::string& Text() const { return text_; }
    /// Hands the text over, leaving the sink empty.
    std::string Take() { return std::move(text_); }

private:
    std::string text_;
};

} // namespace tinsora
