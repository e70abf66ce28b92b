#include "text/SavedText.h"

#include "text/Cp932.h"
#include "text/LineEnds.h"
#include "text/TextBuffer.h"

#include <algorithm>

namespace tinsora {

namespace {

// Pieces of about this many bytes of text, cut between characters; runs of
// characters outside ASCII are measured a part of this size at a time.
constexpr std::size_t kPiece = std::size_t(1) << 20;
constexpr std::size_t kRun = std::size_t(1) << 16;

// Where a piece of at most size bytes from from ends: a character boundary (a
// continuation byte never begins a piece, unless a run of them is longer than
// a character).
std::size_t PieceEnd(std::string_view text, std::size_t from, std::size_t size) {
    std::size_t end = std::min(text.size(), from + size);
    for (int k = 0; k < 3 && end < text.size() && end > from + 1 &&
                    (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80;
         ++k)
        --end;
    return end;
}

// Characters from 0x80 on: their code page 932 bytes, or their reference.
void AppendCp932(std::string& out, std::string_view run) {
    for (const Cp932Char& c : Cp932Chars(run)) {
        if (c.mapped) {
            out.append(c.cp932, static_cast<std::size_t>(c.width));
            continue;
        }
        const char* at = run.data() + c.offset;
        const Utf8Char decoded = DecodeUtf8(at, run.data() + run.size());
        const char32_t codePoint = decoded.length == c.length ? decoded.codePoint : U'\uFFFD';
        out.append("&#");
        out.append(std::to_string(static_cast<unsigned long>(codePoint)));
        out.push_back(';');
    }
}

void AppendCp932Text(std::string& out, std::string_view text) {
    const auto high = [](char b) { return static_cast<unsigned char>(b) >= 0x80; };
    for (std::size_t from = 0; from < text.size();) {
        const auto begin = text.begin() + static_cast<std::ptrdiff_t>(from);
        const auto ascii = std::find_if(begin, text.end(), high);
        const auto asciiEnd = static_cast<std::size_t>(ascii - text.begin());
        AppendCrLf(out, text.substr(from, asciiEnd - from));
        const auto other = std::find_if_not(ascii, text.end(), high);
        const auto otherEnd = static_cast<std::size_t>(other - text.begin());
        for (std::size_t at = asciiEnd; at < otherEnd;) {
            const std::string_view run = text.substr(0, otherEnd);
            const std::size_t end = PieceEnd(run, at, kRun);
            AppendCp932(out, run.substr(at, end - at));
            at = end;
        }
        from = otherEnd;
    }
}

} // namespace

std::string SavedText(std::string_view text, SaveEncoding encoding,
                      const std::function<void(std::size_t done)>& progress) {
    std::string out;
    out.reserve(CrLfSize(text));
    for (std::size_t from = 0; from < text.size();) {
        const std::size_t end = PieceEnd(text, from, kPiece);
        const std::string_view piece = text.substr(from, end - from);
        if (encoding == SaveEncoding::Utf8)
            AppendCrLf(out, piece);
        else
            AppendCp932Text(out, piece);
        from = end;
        if (progress)
            progress(from);
    }
    return out;
}

} // namespace tinsora
