#include "HtmlTextLayout.h"

#include "text/TextBuffer.h"

#include <QString>
#include <algorithm>

HtmlTextLayout::HtmlTextLayout(const tinsora::TextBuffer& buffer)
    : buffer_(buffer), metrics_(font_) {
    setFont(font_);
}

void HtmlTextLayout::setFont(const QFont& font) {
    font_ = font;
    metrics_ = QFontMetricsF(font_);
    wide_.clear();
    for (char32_t c = 0; c < 0x80; ++c) {
        const char32_t s = shown(c);
        ascii_[c] = metrics_.horizontalAdvance(QString::fromUcs4(&s, 1));
    }
    ascii_['\t'] = 4 * ascii_[' '];
    reset();
}

void HtmlTextLayout::reset() {
    points_.clear();
}

char32_t HtmlTextLayout::shown(char32_t c) {
    if (c == U'\t')
        return c;
    if (c < 0x20)
        return 0x2400 + c;
    if (c == 0x7F)
        return 0x2421;
    if (c == 0x2028 || c == 0x2029)
        return U' ';
    return c;
}

double HtmlTextLayout::wideAdvance(char32_t c) {
    const auto found = wide_.constFind(c);
    if (found != wide_.constEnd())
        return *found;
    const char32_t s = shown(c);
    const double advance = metrics_.horizontalAdvance(QString::fromUcs4(&s, 1));
    wide_.insert(c, advance);
    return advance;
}

double HtmlTextLayout::width(std::size_t from, std::size_t to) {
    const char* const data = buffer_.Text().data();
    const char* const textEnd = data + buffer_.Size();
    const char* p = data + from;
    const char* const end = data + to;
    measured_ += to - from;
    double x = 0;
    while (p < end) {
        const auto b = static_cast<unsigned char>(*p);
        if (b < 0x80) {
            x += ascii_[b];
            ++p;
        } else {
            const tinsora::Utf8Char c = tinsora::DecodeUtf8(p, textEnd);
            x += wideAdvance(c.codePoint);
            p += c.length;
        }
    }
    return x;
}

std::size_t HtmlTextLayout::point(std::size_t lineStart, std::size_t k) const {
    return buffer_.CharStart(lineStart + k * kStep);
}

std::vector<double>& HtmlTextLayout::points(std::size_t line, std::size_t upTo) {
    std::vector<double>& x = points_[line];
    if (x.empty())
        x.push_back(0);
    const std::size_t start = buffer_.LineStart(line);
    upTo = std::min(upTo, (buffer_.LineEnd(line) - start) / kStep);
    while (x.size() <= upTo) {
        const std::size_t k = x.size() - 1;
        x.push_back(x[k] + width(point(start, k), point(start, k + 1)));
    }
    return x;
}

double HtmlTextLayout::xOf(std::size_t position) {
    const std::size_t line = buffer_.LineOf(position);
    const std::size_t start = buffer_.LineStart(line);
    if (buffer_.LineEnd(line) - start <= kLongLine)
        return width(start, position);
    const std::size_t k = (position - start) / kStep;
    return points(line, k)[k] + width(point(start, k), position);
}

std::pair<std::size_t, double> HtmlTextLayout::charAt(std::size_t line, double x) {
    const std::size_t start = buffer_.LineStart(line);
    const std::size_t end = buffer_.LineEnd(line);
    std::size_t p = start;
    double left = 0;
    if (end - start > kLongLine) {
        const std::size_t last = (end - start) / kStep;
        std::vector<double>* marks = &points(line, 0);
        while (marks->back() <= x && marks->size() <= last)
            marks = &points(line, marks->size());
        const auto after = std::upper_bound(marks->begin(), marks->end(), x);
        const auto k =
            static_cast<std::size_t>(std::max<std::ptrdiff_t>(after - marks->begin() - 1, 0));
        p = point(start, k);
        left = (*marks)[k];
    }
    const char* const data = buffer_.Text().data();
    const char* const textEnd = data + buffer_.Size();
    while (p < end) {
        const tinsora::Utf8Char c = tinsora::DecodeUtf8(data + p, textEnd);
        const double next = left + advance(c.codePoint);
        if (next > x)
            break;
        left = next;
        p += c.length;
        measured_ += c.length;
    }
    return {p, left};
}

std::size_t HtmlTextLayout::positionAt(std::size_t line, double x) {
    const auto [p, left] = charAt(line, x);
    if (p >= buffer_.LineEnd(line))
        return p;
    const char* const data = buffer_.Text().data();
    const tinsora::Utf8Char c = tinsora::DecodeUtf8(data + p, data + buffer_.Size());
    return x - left < advance(c.codePoint) / 2 ? p : p + c.length;
}

bool HtmlTextLayout::measure(std::size_t& line, double& widest, std::size_t budget) {
    while (line < buffer_.LineCount()) {
        const std::size_t start = buffer_.LineStart(line);
        const std::size_t end = buffer_.LineEnd(line);
        if (end - start <= kLongLine) {
            widest = std::max(widest, width(start, end));
            budget -= std::min(budget, end - start + 1);
        } else {
            const std::size_t last = (end - start) / kStep;
            const std::size_t done = points_.count(line) ? points_[line].size() - 1 : 0;
            const std::size_t upTo =
                std::min(last, done + std::max<std::size_t>(budget / kStep, 1));
            std::vector<double>& marks = points(line, upTo);
            budget -= std::min(budget, (upTo - done) * kStep);
            if (upTo < last)
                return false;
            widest = std::max(widest, marks[last] + width(point(start, last), end));
        }
        ++line;
        if (budget == 0)
            break;
    }
    return line >= buffer_.LineCount();
}

void HtmlTextLayout::update(const tinsora::TextChange& change) {
    if (points_.empty())
        return;
    const std::size_t lastOld = change.line + change.removedLines;
    std::map<std::size_t, std::vector<double>> kept;
    for (auto& [line, marks] : points_) {
        if (line < change.line) {
            kept.emplace(line, std::move(marks));
        } else if (line == change.line) {
            // A point stays true while the bytes it was found from (up to three
            // past k * kStep) and everything before it are untouched.
            const std::size_t offset = change.position - buffer_.LineStart(line);
            const std::size_t valid = offset >= 4 ? (offset - 4) / kStep + 1 : 1;
            marks.resize(std::min(marks.size(), valid));
            kept.emplace(line, std::move(marks));
        } else if (line > lastOld) {
            kept.emplace(line + change.insertedLines - change.removedLines, std::move(marks));
        }
    }
    points_.swap(kept);
}
