#include "text/Cp932Platform.h"
#include "text/Windows.h"

namespace tinsora::platform {

namespace {
constexpr UINT kCodePage = 932;
}

bool Cp932IsLeadByte(unsigned char byte) {
    return IsDBCSLeadByteEx(kCodePage, byte) != FALSE;
}

long Cp932DecodeOne(const char* bytes, std::size_t length) {
    wchar_t out[4];
    const int n = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes,
                                      static_cast<int>(length), out, 4);
    if (n != 1)
        return -1;
    return static_cast<long>(static_cast<unsigned short>(out[0]));
}

int Cp932EncodeOne(char32_t c, char out[4]) {
    wchar_t u[2];
    int len = 0;
    if (c >= 0xD800 && c <= 0xDFFF)
        return 0;
    if (c < 0x10000) {
        u[len++] = static_cast<wchar_t>(c);
    } else if (c <= 0x10FFFF) {
        u[len++] = static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
        u[len++] = static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
        return 0;
    }
    // Without WC_NO_BEST_FIT_CHARS the system would write a look-alike ("\" for
    // the yen sign, "?" for the rest); with it, such characters take the
    // default character, which lpUsedDefaultChar reports.
    BOOL usedDefault = FALSE;
    const int n =
        WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, u, len, out, 4, nullptr, &usedDefault);
    if (n <= 0 || usedDefault)
        return 0;
    return n;
}

} // namespace tinsora::platform
