// The text-file line splitter and the code page 932 decoding of arbitrary bytes.
#include "FuzzCheck.h"
#include "text/Cp932.h"
#include "text/TextFile.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unicode/utf8.h>

namespace {

// The characters of a text measured in code page 932: they cover the text in
// order, and a mapped character of two bytes starts with a lead byte.
void CheckChars(std::string_view utf8, const std::vector<tinsora::Cp932Char>& chars) {
    std::size_t at = 0;
    for (const auto& ch : chars) {
        FUZZ_CHECK(ch.offset == at && ch.length >= 1 && ch.length <= 4);
        FUZZ_CHECK(ch.width == 1 || ch.width == 2);
        if (ch.mapped) {
            const auto lead = static_cast<unsigned char>(ch.cp932[0]);
            FUZZ_CHECK(tinsora::IsLeadByte(lead) == (ch.width == 2));
        } else if (ch.width == 1) {
            // A byte that is not UTF-8 stands alone.
            FUZZ_CHECK(ch.length == 1);
        }
        at += ch.length;
    }
    FUZZ_CHECK(at == utf8.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tinsora;
    const std::string_view bytes = fuzz::AsText(data, size);
    const std::string_view text = bytes.substr(0, bytes.find('\0'));

    const auto lines = SplitLines(bytes);
    std::string kept; // the text without its line ends
    std::size_t breaks = 0;
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (text[k] == '\r' || text[k] == '\n') {
            ++breaks;
            if (text[k] == '\r' && k + 1 < text.size() && text[k + 1] == '\n')
                ++k;
        } else {
            kept += text[k];
        }
    }
    const bool openLast = !text.empty() && text.back() != '\r' && text.back() != '\n';
    FUZZ_CHECK(lines.size() == breaks + (openLast ? 1 : 0));
    std::string joined;
    for (const auto& line : lines) {
        FUZZ_CHECK(line.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
        joined += line;
    }
    FUZZ_CHECK(joined == kept);
    std::string crlf;
    for (const auto& line : lines)
        crlf += line + "\r\n";
    FUZZ_CHECK(SplitLines(crlf) == lines);

    const std::string utf8 = Cp932ToUtf8(bytes);
    FUZZ_CHECK(fuzz::IsUtf8(utf8));
    FUZZ_CHECK(utf8.size() <= 3 * bytes.size());
    CheckChars(utf8, Cp932Chars(utf8));
    CheckChars(bytes, Cp932Chars(bytes));
    return 0;
}
