#include "html/HtmlOutput.h"

#include <algorithm>
#include <cstring>

namespace tinsora {

namespace {

// The start of a page, up to where the head part goes.
std::string PageOpen(std::string_view le, OutputLanguage language) {
    std::string s;
    for (const std::string_view line :
         {std::string_view("<!DOCTYPE html>"),
          language == OutputLanguage::English ? std::string_view("<html lang=\"en\">")
                                              : std::string_view("<html lang=\"ja\">"),
          std::string_view("<head>"), std::string_view("<meta charset=\"utf-8\">"),
          std::string_view("<title>ティンソラ</title>")}) {
        s += line;
        s += le;
    }
    return s;
}

// The page from the end of its head to where the body part goes.
std::string PageBodyStart(std::string_view bodyTag, std::string_view le) {
    std::string s = "</head>";
    s += le;
    s += bodyTag.empty() ? std::string_view("<body>") : bodyTag;
    s += le;
    s += "<main>";
    s += le;
    return s;
}

// The page around the two parts; head, when not empty, ends with its line end.
std::string PageStart(std::string_view head, std::string_view bodyTag, std::string_view le,
                      OutputLanguage language) {
    return PageOpen(le, language) + std::string(head) + PageBodyStart(bodyTag, le);
}

std::string PageEnd(std::string_view le) {
    std::string s;
    for (const std::string_view line : {"</main>", "</body>", "</html>"}) {
        s += line;
        s += le;
    }
    return s;
}

bool EndsWithLineEnd(std::string_view s) {
    return !s.empty() && (s.back() == '\n' || s.back() == '\r');
}

std::string_view SkipLineEnd(std::string_view s) {
    if (s.starts_with("\r\n"))
        s.remove_prefix(2);
    else if (s.starts_with("\n") || s.starts_with("\r"))
        s.remove_prefix(1);
    return s;
}

// The <body ...> start tag at the start of s (blanks before it skipped), or nothing.
std::string_view LeadingBodyTag(std::string_view s) {
    std::size_t k = 0;
    while (k < s.size() && (s[k] == ' ' || s[k] == '\t' || s[k] == '\n' || s[k] == '\r'))
        ++k;
    constexpr std::string_view name = "<body";
    if (s.size() - k <= name.size())
        return {};
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = s[k + i];
        const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        if (lower != name[i])
            return {};
    }
    const char after = s[k + name.size()];
    if (after != '>' && after != ' ' && after != '\t' && after != '\n' && after != '\r' &&
        after != '/')
        return {};
    const std::size_t close = s.find('>', k);
    if (close == std::string_view::npos)
        return {};
    return s.substr(k, close + 1 - k);
}

} // namespace

std::string MakeHtmlPage(std::string_view fragment, std::string_view lineEnd,
                         OutputLanguage language) {
    std::string head;
    std::string body;
    // The pane may hold an output made in the other language.
    const OutputLanguage marks =
        fragment.find(kHeadPartMarkEnglish) != std::string_view::npos ||
                fragment.find(kBodyPartMarkEnglish) != std::string_view::npos
            ? OutputLanguage::English
            : OutputLanguage::Japanese;
    const std::string_view headMark = HeadPartMark(marks);
    const std::string_view bodyMark = BodyPartMark(marks);
    if (const std::size_t at = fragment.find(headMark); at != std::string_view::npos) {
        body = fragment.substr(0, at);
        std::string_view rest = SkipLineEnd(fragment.substr(at + headMark.size()));
        const std::size_t b = rest.find(bodyMark);
        head = rest.substr(0, b);
        if (b != std::string_view::npos)
            body += SkipLineEnd(rest.substr(b + bodyMark.size()));
    } else if (const std::size_t b = fragment.find(bodyMark); b != std::string_view::npos) {
        body = std::string(fragment.substr(0, b)) +
               std::string(SkipLineEnd(fragment.substr(b + bodyMark.size())));
    } else {
        body = fragment;
    }
    std::string bodyTag(LeadingBodyTag(body));
    if (!bodyTag.empty()) {
        const std::size_t tagEnd = body.find(bodyTag) + bodyTag.size();
        body = std::string(SkipLineEnd(std::string_view(body).substr(tagEnd)));
    }
    if (!head.empty() && !EndsWithLineEnd(head))
        head += lineEnd;
    if (!body.empty() && !EndsWithLineEnd(body))
        body += lineEnd;
    return PageStart(head, bodyTag, lineEnd, language) + body + PageEnd(lineEnd);
}

OutputBuffer::OutputBuffer(OutputSink& sink) : sink_(sink) {}

void OutputBuffer::MakeRoom(std::size_t n) {
    Flush();
    if (capacity_ < n || !data_) {
        capacity_ = std::max(n, 2 * kBlock);
        data_ = std::make_unique_for_overwrite<char[]>(capacity_);
    }
}

void OutputBuffer::Append(std::string_view bytes) {
    if (bytes.empty())
        return;
    char* p = Room(bytes.size());
    std::memcpy(p, bytes.data(), bytes.size());
    Commit(p + bytes.size());
}

void OutputBuffer::Flush() {
    if (size_ == 0)
        return;
    const std::size_t n = size_;
    size_ = 0;
    flushed_ += n;
    sink_.Write(std::string_view(data_.get(), n));
}

std::string_view OutputFrame::EntryEnd() const {
    return options_.lineMode ? std::string_view(options_.lineEnd) : std::string_view();
}

void OutputFrame::Entry(std::string_view entry) {
    out_.Append(entry);
    out_.Append(EntryEnd());
}

void OutputFrame::Begin(const std::vector<std::string>& headLines, std::string_view bodyTag) {
    Begin(
        !headLines.empty(),
        [&] {
            for (const std::string& line : headLines)
                HeadLine(line);
        },
        bodyTag);
}

void OutputFrame::Begin(bool hasHead, const std::function<void()>& writeHead,
                        std::string_view bodyTag) {
    // The head part keeps its lines also when the body part is joined: each comment says
    // to copy the lines after it.
    if (options_.page) {
        out_.Append(PageOpen(options_.lineEnd, options_.language));
        if (hasHead)
            writeHead();
        out_.Append(PageBodyStart(bodyTag, options_.lineEnd));
    } else if (hasHead) {
        HeadLine(HeadPartMark(options_.language));
        writeHead();
        HeadLine(BodyPartMark(options_.language));
    }
    bodyStart_ = out_.Total();
}

void OutputFrame::HeadLine(std::string_view line) {
    out_.Append(line);
    out_.Append(options_.lineEnd);
}

void OutputFrame::End() {
    if (!options_.page)
        return;
    if (!options_.lineMode && out_.Total() != bodyStart_)
        out_.Append(options_.lineEnd);
    out_.Append(PageEnd(options_.lineEnd));
}

} // namespace tinsora
