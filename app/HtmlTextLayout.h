#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <array>
#include <cstddef>
#include <map>
#include <utility>
#include <vector>

namespace tinsora {
class TextBuffer;
struct TextChange;
} // namespace tinsora

/// Where the characters of the output pane stand on their lines, in pixels from
/// the line's start. Every character moves the next by its own advance in the
/// font (no kerning, no shaping across characters), so a piece of a line can be
/// measured and drawn on its own. A long line keeps the position of a point
/// every kStep bytes, filled in only as far as it has been looked at: showing a
/// part of a line of 200 MB measures only what lies before it once.
class HtmlTextLayout {
public:
    static constexpr std::size_t kStep = 1024;
    /// Lines longer than this keep their points; shorter ones are measured from their start.
    static constexpr std::size_t kLongLine = 4 * kStep;

    explicit HtmlTextLayout(const tinsora::TextBuffer& buffer);

    /// The font text is measured and drawn in (forgets everything measured).
    void setFont(const QFont& font);
    const QFont& font() const { return font_; }
    /// Forgets everything measured: the whole text was replaced.
    void reset();
    /// Keeps what an edit left true (the points before it on its line and the
    /// points of the lines around it, moved to their new line numbers).
    void update(const tinsora::TextChange& change);

    /// The character drawn for a code point: control characters as their
    /// pictures (a tab stays a tab), so that every one of them has a width.
    static char32_t shown(char32_t codePoint);
    /// How far a character moves the next one (a tab: four spaces).
    double advance(char32_t codePoint) {
        return codePoint < 0x80 ? ascii_[codePoint] : wideAdvance(codePoint);
    }
    /// The x of a byte position (a character boundary) from its line's start.
    double xOf(std::size_t position);
    /// The character of line that covers x (its position and left edge); the
    /// line's end and its width when x lies past it.
    std::pair<std::size_t, double> charAt(std::size_t line, double x);
    /// The character boundary of line nearest to x, as a click places the caret.
    std::size_t positionAt(std::size_t line, double x);
    /// Measures whole lines from line on, about budget bytes' worth (a long line
    /// in pieces, resumed at the next call), raising widest to their widths and
    /// moving line past the lines done; true when every line has been measured.
    bool measure(std::size_t& line, double& widest, std::size_t budget);
    /// Bytes measured so far, counted every time: what showing the text has cost.
    std::size_t measuredBytes() const { return measured_; }

private:
    double wideAdvance(char32_t codePoint);
    double width(std::size_t from, std::size_t to);
    std::size_t point(std::size_t lineStart, std::size_t k) const;
    std::vector<double>& points(std::size_t line, std::size_t upTo);

    const tinsora::TextBuffer& buffer_;
    QFont font_;
    QFontMetricsF metrics_;
    std::array<double, 128> ascii_{};
    QHash<char32_t, double> wide_;
    // For each long line looked at: the x of the character starting at or before k * kStep.
    std::map<std::size_t, std::vector<double>> points_;
    std::size_t measured_ = 0;
};
