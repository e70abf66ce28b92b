#pragma once

#include "color/User.h"
#include "html/OutputSink.h"
#include "html/OutputStyle.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tinsora {

/// The comment that starts the part of an HTML5 + CSS output that belongs in the page's head.
inline constexpr std::string_view kHeadPartMark = "<!-- ここから <head> の中へ -->";
/// The comment that starts the part that belongs in the page's body.
inline constexpr std::string_view kBodyPartMark = "<!-- ここから <body> の中へ -->";
/// The same comments in English.
inline constexpr std::string_view kHeadPartMarkEnglish = "<!-- From here into the <head> -->";
inline constexpr std::string_view kBodyPartMarkEnglish = "<!-- From here into the <body> -->";

inline std::string_view HeadPartMark(OutputLanguage language) {
    return language == OutputLanguage::English ? kHeadPartMarkEnglish : kHeadPartMark;
}
inline std::string_view BodyPartMark(OutputLanguage language) {
    return language == OutputLanguage::English ? kBodyPartMarkEnglish : kBodyPartMark;
}

/// A whole HTML5 page (lang="ja", or "en" for English; UTF-8) around a generator's output as the
/// pane holds it: the head part into the head, a leading <body ...> start tag as the page's own,
/// the rest of the body part inside <main>. The marks are found in either language; output
/// without them is all body part.
std::string MakeHtmlPage(std::string_view fragment, std::string_view lineEnd = "\n",
                         OutputLanguage language = OutputLanguage::Japanese);

/// Output gathered into blocks and handed to a sink a block at a time.
class OutputBuffer {
public:
    explicit OutputBuffer(OutputSink& sink);

    /// At least n bytes to write into; valid until the next call.
    char* Room(std::size_t n) {
        if (capacity_ - size_ < n)
            MakeRoom(n);
        return data_.get() + size_;
    }
    /// Takes the bytes written into the room up to end.
    void Commit(const char* end) {
        size_ = static_cast<std::size_t>(end - data_.get());
        if (size_ >= kBlock)
            Flush();
    }
    void Append(std::string_view bytes);
    /// Reports progress to the sink.
    void Progress(std::uint64_t done, std::uint64_t total) { sink_.Progress(done, total); }
    /// Hands everything held to the sink.
    void Flush();
    /// Bytes taken so far, handed on or not.
    std::uint64_t Total() const { return flushed_ + size_; }

private:
    static constexpr std::size_t kBlock = std::size_t{1} << 16;
    void MakeRoom(std::size_t n);

    OutputSink& sink_;
    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
    std::uint64_t flushed_ = 0;
};

/// Writes the six hexadecimal digits of a colour (channels 0..255) at out.
inline void WriteHexColor(char* out, const ColorRGB& color) {
    WriteChannelHex(WriteChannelHex(WriteChannelHex(out, color.Red), color.Green), color.Blue);
}

/// The frame of a generator's output: in the HTML5 + CSS style the marked head and body parts
/// (or, for a page, the page around them); in the classic style nothing.
class OutputFrame {
public:
    OutputFrame(OutputBuffer& out, const OutputOptions& options) : out_(out), options_(options) {}

    /// Writes the head part (style sheet lines, none for no head part) and starts the body
    /// part; bodyTag, when given, is the page's own <body> start tag.
    void Begin(const std::vector<std::string>& headLines, std::string_view bodyTag = {});
    /// The same with the head part's lines written by writeHead through HeadLine; hasHead
    /// false writes no head part.
    void Begin(bool hasHead, const std::function<void()>& writeHead, std::string_view bodyTag = {});
    /// One line of the head part, always followed by the line end.
    void HeadLine(std::string_view line);
    /// The line end of the head part's lines.
    std::string_view HeadLineEnd() const { return options_.lineEnd; }
    /// Ends the body part (and the page).
    void End();

    /// One entry: followed by the line end in line mode.
    void Entry(std::string_view entry);
    /// The entries' line end: the line end in line mode, nothing when joined.
    std::string_view EntryEnd() const;

private:
    OutputBuffer& out_;
    const OutputOptions& options_;
    std::uint64_t bodyStart_ = 0;
};

} // namespace tinsora
