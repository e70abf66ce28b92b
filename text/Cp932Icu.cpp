#include "text/Cp932Platform.h"

#include <memory>
#include <stdexcept>
#include <unicode/ucnv.h>
#include <unicode/utf16.h>

namespace tinsora::platform {

namespace {

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

// A converter keeps state between calls, so each thread has its own.
UConverter* Converter() {
    thread_local const ConverterPtr conv = [] {
        UErrorCode status = U_ZERO_ERROR;
        ConverterPtr c(ucnv_open("windows-31j", &status));
        if (U_FAILURE(status) || !c)
            throw std::runtime_error("code page 932 converter is not available");
        return c;
    }();
    return conv.get();
}

// Converts the bytes; status tells a cut-off sequence apart.
long Decode(const char* bytes, std::size_t length, UErrorCode& status) {
    UConverter* conv = Converter();
    ucnv_reset(conv);
    ucnv_setToUCallBack(conv, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    UChar out[4];
    const char* src = bytes;
    UChar* dst = out;
    ucnv_toUnicode(conv, &dst, out + 4, &src, bytes + length, nullptr, /*flush=*/true, &status);
    if (U_FAILURE(status) || dst - out != 1 || src != bytes + length)
        return -1;
    return out[0];
}

} // namespace

bool Cp932IsLeadByte(unsigned char byte) {
    const char in[1] = {static_cast<char>(byte)};
    UErrorCode status = U_ZERO_ERROR;
    Decode(in, 1, status);
    return status == U_TRUNCATED_CHAR_FOUND;
}

long Cp932DecodeOne(const char* bytes, std::size_t length) {
    UErrorCode status = U_ZERO_ERROR;
    return Decode(bytes, length, status);
}

int Cp932EncodeOne(char32_t c, char out[4]) {
    UChar u[2];
    int32_t len = 0;
    UBool error = false;
    U16_APPEND(u, len, 2, static_cast<UChar32>(c), error);
    if (error)
        return 0;
    UConverter* conv = Converter();
    UErrorCode status = U_ZERO_ERROR;
    ucnv_reset(conv);
    ucnv_setFromUCallBack(conv, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    const UChar* src = u;
    char* dst = out;
    ucnv_fromUnicode(conv, &dst, out + 4, &src, u + len, nullptr, /*flush=*/true, &status);
    if (U_FAILURE(status))
        return 0;
    return static_cast<int>(dst - out);
}

} // namespace tinsora::platform
