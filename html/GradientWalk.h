#pragma once

#include "gradient/Gradation.h"

#include <cstdint>
#include <string_view>

namespace tinsora {

/// GradientStep(a, b, n, i) for i = 0, 1, 2, ... (n > 0) at the cost of an addition per
/// position: the exact value (a*n + (b-a)*i) / n is kept as a quotient and a remainder, and
/// only whole-number values, where the rounding of the extended-precision steps matters, go
/// through GradientStep itself.
class StepWalk {
public:
    StepWalk(std::int32_t a, std::int32_t b, std::int32_t n) : a_(a), b_(b), n_(n), quotient_(a) {
        const std::int64_t step = std::int64_t{b} - a;
        stepQuotient_ = step / n;
        stepRemainder_ = step % n;
        if (stepRemainder_ < 0) {
            stepRemainder_ += n;
            --stepQuotient_;
        }
    }

    /// GradientStep(a, b, n, i) at the current position i.
    std::int32_t Value() const {
        if (remainder_ != 0) // truncation toward zero of quotient_ + remainder_/n
            return static_cast<std::int32_t>(quotient_ >= 0 ? quotient_ : -(quotient_ + 1));
        if (a_ == b_)
            return a_;
        return static_cast<std::int32_t>(GradientStep(a_, b_, n_, i_));
    }

    /// Moves on to the next position.
    void Next() {
        ++i_;
        quotient_ += stepQuotient_;
        remainder_ += stepRemainder_;
        const bool carry = remainder_ >= n_;
        remainder_ -= carry ? n_ : 0;
        quotient_ += carry ? 1 : 0;
    }

private:
    std::int32_t a_, b_, n_;
    std::int32_t i_ = 0;
    std::int64_t quotient_;
    std::int64_t remainder_ = 0;
    std::int64_t stepQuotient_ = 0;
    std::int64_t stepRemainder_ = 0;
};

/// The lines of a text one after another: lines end at CR LF, LF or CR, a zero byte ends the
/// text and a final line end adds no empty line (the rules of text files).
class LineReader {
public:
    explicit LineReader(std::string_view bytes) : rest_(bytes.substr(0, bytes.find('\0'))) {}

    /// The next line, without its line end; false after the last.
    bool Next(std::string_view& line) {
        if (rest_.empty())
            return false;
        std::size_t k = 0;
        while (k < rest_.size() && rest_[k] != '\r' && rest_[k] != '\n')
            ++k;
        line = rest_.substr(0, k);
        if (k < rest_.size())
            k += rest_[k] == '\r' && k + 1 < rest_.size() && rest_[k + 1] == '\n' ? 2 : 1;
        rest_.remove_prefix(k);
        return true;
    }

private:
    std::string_view rest_;
};

} // namespace tinsora
