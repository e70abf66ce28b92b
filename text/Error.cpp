#include "text/Error.h"

#include <algorithm>
#include <utility>

namespace tinsora {

namespace {

bool Continues(std::string_view s, std::size_t k, unsigned char from = 0x80,
               unsigned char to = 0xBF) {
    if (k >= s.size())
        return false;
    const auto c = static_cast<unsigned char>(s[k]);
    return c >= from && c <= to;
}

// The bytes of the UTF-8 character at k, or 0 when none starts there.
std::size_t CharacterLength(std::string_view s, std::size_t k) {
    const auto c = static_cast<unsigned char>(s[k]);
    if (c < 0x80)
        return 1;
    if (c >= 0xC2 && c <= 0xDF)
        return Continues(s, k + 1) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        const unsigned char from = c == 0xE0 ? 0xA0 : 0x80;
        const unsigned char to = c == 0xED ? 0x9F : 0xBF;
        return Continues(s, k + 1, from, to) && Continues(s, k + 2) ? 3 : 0;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        const unsigned char from = c == 0xF0 ? 0x90 : 0x80;
        const unsigned char to = c == 0xF4 ? 0x8F : 0xBF;
        return Continues(s, k + 1, from, to) && Continues(s, k + 2) && Continues(s, k + 3) ? 4 : 0;
    }
    return 0;
}

void AppendEscaped(std::string& out, unsigned char byte) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    out += "\\x";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 15];
}

} // namespace

std::string ShownInMessage(std::string_view piece, std::size_t limit) {
    // A long piece is cut before a character, never inside its UTF-8 bytes.
    std::size_t end = std::min(piece.size(), limit);
    for (int back = 0; back < 3 && end > 0 && end < piece.size() &&
                       (static_cast<unsigned char>(piece[end]) & 0xC0) == 0x80;
         ++back)
        --end;
    const std::string_view shown = piece.substr(0, end);
    std::string out;
    out.reserve(end + 8);
    for (std::size_t k = 0; k < shown.size();) {
        const std::size_t n = CharacterLength(shown, k);
        const auto c = static_cast<unsigned char>(shown[k]);
        // The C0 and C1 controls and DEL, and bytes that are no character, are escaped.
        const bool control =
            c < 0x20 || c == 0x7F ||
            (c == 0xC2 && n == 2 && static_cast<unsigned char>(shown[k + 1]) < 0xA0);
        if (n == 0 || control) {
            for (std::size_t b = 0; b < std::max<std::size_t>(n, 1); ++b)
                AppendEscaped(out, static_cast<unsigned char>(shown[k + b]));
        } else {
            out.append(shown.substr(k, n));
        }
        k += std::max<std::size_t>(n, 1);
    }
    if (piece.size() > limit)
        out += "...";
    return out;
}

std::string QuotedInMessage(std::string_view piece, std::size_t limit) {
    return "'" + ShownInMessage(piece, limit) + "'";
}

namespace {

// For a log: the code's number and the arguments.
std::string Described(MessageCode code, const std::vector<std::string>& arguments) {
    std::string text = "message " + std::to_string(static_cast<int>(code));
    for (const std::string& a : arguments)
        text += " [" + a + "]";
    return text;
}

} // namespace

Error::Error(const std::string& message)
    : std::runtime_error(message), code_(MessageCode::Worded), arguments_{message} {}

Error::Error(MessageCode code, std::vector<std::string> arguments)
    : std::runtime_error(Described(code, arguments)), code_(code),
      arguments_(std::move(arguments)) {}

NotAnIntegerError::NotAnIntegerError(std::string_view text)
    : Error(MessageCode::NotAnInteger, {QuotedInMessage(text)}) {}

Error CannotOpenError(std::string_view path) {
    return Error(MessageCode::CannotOpen, {ShownInMessage(path, kShownPathLimit)});
}

Error CannotCreateError(std::string_view path) {
    return Error(MessageCode::CannotCreate, {ShownInMessage(path, kShownPathLimit)});
}

Error WriteError() {
    return Error(MessageCode::WriteFailed, {});
}

Error ListIndexError(long long index) {
    return Error(MessageCode::ListIndex, {std::to_string(index)});
}

Error OutputTooLargeError(std::string_view size, unsigned long long limit) {
    return Error(MessageCode::OutputTooLarge, {std::string(size), std::to_string(limit)});
}

std::string ErrorBoxText(std::string_view message) {
    std::string text(message);
    // Compared as code page 932 bytes would be: every byte of a multi-byte
    // character lies above ".", so only an ASCII last character can suppress it.
    if (text.empty() || static_cast<unsigned char>(text.back()) > '.')
        text += '.';
    return text;
}

} // namespace tinsora
