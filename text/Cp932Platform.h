#pragma once

#include <cstddef>

// The code page 932 converter of the platform, one of two chosen when the
// program is built: ICU's "windows-31j" (Cp932Icu.cpp) or the Win32 API
// (Cp932Win32.cpp). The two differ at the edges of the code page; Cp932.cpp
// holds the program's own rules there and asks these only for the rest.
namespace tinsora::platform {

/// True when the converter takes the byte as the first of a double-byte character.
bool Cp932IsLeadByte(unsigned char byte);

/// The code point of exactly one character of one or two bytes, or -1 when
/// the bytes are not one valid character.
long Cp932DecodeOne(const char* bytes, std::size_t length);

/// Writes the code page 932 form of a code point into out; returns its byte
/// count, 0 when the converter has no form for it (best-fit forms excluded).
int Cp932EncodeOne(char32_t c, char out[4]);

} // namespace tinsora::platform
