#include "text/Cp932.h"

#include <array>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>
#include <unicode/ustring.h>
#include <unicode/utf8.h>

namespace tinsora {

namespace {

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

ConverterPtr OpenCp932() {
    UErrorCode status = U_ZERO_ERROR;
    ConverterPtr conv(ucnv_open("windows-31j", &status));
    if (U_FAILURE(status) || !conv)
        throw std::runtime_error("code page 932 converter is not available");
    return conv;
}

// Decoding of every single- and double-byte sequence, built once from the
// converter so that reading large files does not call into it per character.
class DecodeTable {
public:
    DecodeTable() {
        ConverterPtr conv = OpenCp932();
        for (int b = 0; b < 256; ++b) {
            const char in[1] = {static_cast<char>(b)};
            UErrorCode status = U_ZERO_ERROR;
            single_[b] = Decode(conv.get(), in, 1, status);
            lead_[b] = status == U_TRUNCATED_CHAR_FOUND;
        }
        for (int lead = 0; lead < 256; ++lead) {
            if (!lead_[lead])
                continue;
            for (int trail = 0; trail < 256; ++trail) {
                const char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                UErrorCode status = U_ZERO_ERROR;
                double_[lead * 256 + trail] = Decode(conv.get(), in, 2, status);
            }
        }
    }

    struct Utf8Char {
        char bytes[4] = {0, 0, 0, 0};
        unsigned char length = 0;
    };

    bool IsLead(unsigned char b) const { return lead_[b]; }
    const Utf8Char& Single(unsigned char b) const { return single_[b]; }
    const Utf8Char& Double(unsigned char lead, unsigned char trail) const {
        return double_[lead * 256 + trail];
    }

private:
    static Utf8Char Utf8Of(UChar32 c) {
        Utf8Char u;
        int32_t i = 0;
        UBool error = false;
        U8_APPEND(reinterpret_cast<uint8_t*>(u.bytes), i, 4, c, error);
        u.length = static_cast<unsigned char>(error ? 0 : i);
        return u;
    }
    static Utf8Char Replacement() { return Utf8Of(0xFFFD); }

    // The one character the bytes make, or the replacement character; status
    // tells a truncated sequence apart.
    static Utf8Char Decode(UConverter* conv, const char* in, int length, UErrorCode& status) {
        ucnv_reset(conv);
        ucnv_setToUCallBack(conv, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
        UChar out[4];
        const char* src = in;
        UChar* dst = out;
        ucnv_toUnicode(conv, &dst, out + 4, &src, in + length, nullptr, /*flush=*/true, &status);
        const bool one = U_SUCCESS(status) && dst - out == 1 && src == in + length;
        return one ? Utf8Of(out[0]) : Replacement();
    }

    std::array<bool, 256> lead_{};
    std::array<Utf8Char, 256> single_{};
    std::array<Utf8Char, 256 * 256> double_{};
};

const DecodeTable& Table() {
    static const DecodeTable table;
    return table;
}

// Encodes one code point; returns the byte count (0 when it has no form).
int EncodeCodePoint(UConverter* conv, UChar32 c, char out[4]) {
    UChar u[2];
    int32_t len = 0;
    UBool error = false;
    U16_APPEND(u, len, 2, c, error);
    if (error)
        return 0;
    UErrorCode status = U_ZERO_ERROR;
    ucnv_reset(conv);
    ucnv_setFromUCallBack(conv, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    const UChar* src = u;
    char* dst = out;
    ucnv_fromUnicode(conv, &dst, out + 4, &src, u + len, nullptr, true, &status);
    if (U_FAILURE(status))
        return 0;
    return static_cast<int>(dst - out);
}

} // namespace

bool IsLeadByte(unsigned char byte) {
    return Table().IsLead(byte);
}

void AppendCp932AsUtf8(std::string& out, std::string_view cp932Char) {
    const DecodeTable& t = Table();
    const DecodeTable::Utf8Char* u = nullptr;
    if (cp932Char.size() >= 2)
        u = &t.Double(static_cast<unsigned char>(cp932Char[0]),
                      static_cast<unsigned char>(cp932Char[1]));
    else if (cp932Char.size() == 1)
        u = &t.Single(static_cast<unsigned char>(cp932Char[0]));
    if (u)
        out.append(u->bytes, u->length);
}

std::string Cp932ToUtf8(std::string_view cp932) {
    const DecodeTable& t = Table();
    std::string out;
    out.reserve(cp932.size() + cp932.size() / 2);
    std::size_t k = 0;
    while (k < cp932.size()) {
        const auto b = static_cast<unsigned char>(cp932[k]);
        if (t.IsLead(b) && k + 1 < cp932.size()) {
            const auto& u = t.Double(b, static_cast<unsigned char>(cp932[k + 1]));
            out.append(u.bytes, u.length);
            k += 2;
        } else {
            const auto& u = t.Single(b);
            out.append(u.bytes, u.length);
            ++k;
        }
    }
    return out;
}

std::vector<Cp932Char> Cp932Chars(std::string_view utf8) {
    ConverterPtr conv = OpenCp932();
    std::vector<Cp932Char> chars;
    chars.reserve(utf8.size());
    const auto* s = reinterpret_cast<const uint8_t*>(utf8.data());
    const auto length = static_cast<int32_t>(utf8.size());
    int32_t i = 0;
    while (i < length) {
        Cp932Char ch;
        ch.offset = static_cast<std::size_t>(i);
        UChar32 c = 0;
        U8_NEXT(s, i, length, c);
        if (c < 0) // U8_NEXT takes a cut-off sequence whole; its bytes stand alone here
            i = static_cast<int32_t>(ch.offset) + 1;
        ch.length = static_cast<std::size_t>(i) - ch.offset;
        char bytes[4];
        const int n = c < 0 ? 0 : EncodeCodePoint(conv.get(), c, bytes);
        if (n == 1 || n == 2) {
            ch.width = n;
            ch.cp932[0] = bytes[0];
            ch.cp932[1] = n == 2 ? bytes[1] : 0;
            ch.mapped = true;
        } else if (c < 0) {
            // A byte that is not UTF-8: keep it as one narrow character.
            ch.width = 1;
            ch.mapped = false;
        } else {
            ch.width = 2;
            ch.mapped = false;
        }
        chars.push_back(ch);
    }
    return chars;
}

std::string Utf8ToCp932(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (const Cp932Char& ch : Cp932Chars(utf8)) {
        if (ch.mapped)
            out.append(ch.cp932, static_cast<std::size_t>(ch.width));
        else
            out.push_back('?');
    }
    return out;
}

} // namespace tinsora
