#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tinsora {

/// True when the byte starts a double-byte character of code page 932.
bool IsLeadByte(unsigned char byte);

/// Converts UTF-8 to code page 932; characters without a code page 932 form
/// become "?" (use Cp932Chars where widths matter).
std::string Utf8ToCp932(std::string_view utf8);

/// Converts code page 932 bytes to UTF-8; an invalid sequence becomes U+FFFD.
std::string Cp932ToUtf8(std::string_view cp932);

/// Appends the UTF-8 form of one code page 932 character (one or two bytes).
void AppendCp932AsUtf8(std::string& out, std::string_view cp932Char);

/// One character of a UTF-8 text measured in code page 932.
/// Sixteen bytes: a long typed text has one per character.
struct Cp932Char {
    std::size_t offset = 0;  ///< byte offset in the UTF-8 text
    std::uint8_t length = 0; ///< byte length in the UTF-8 text (1 to 4)
    std::uint8_t width = 1;  ///< 1 or 2: bytes in code page 932 (2 when there is no form)
    char cp932[2] = {0, 0};  ///< the code page 932 bytes (width of them), or 0 when none
    bool mapped = true;      ///< false when the character has no code page 932 form
};

/// Splits a UTF-8 text into characters with their code page 932 widths.
/// Invalid UTF-8 bytes are taken one by one as width-1 characters.
std::vector<Cp932Char> Cp932Chars(std::string_view utf8);

} // namespace tinsora
