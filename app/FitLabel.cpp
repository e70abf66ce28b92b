#include "FitLabel.h"

#include "FocusFrame.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace {

// Letters narrower than this or smaller than this are hard to read.
constexpr int kMinStretch = 60;
constexpr int kMinPixelSize = 8;

} // namespace

void FitLabel::setFullFont(const QFont& font) {
    fullFont_ = font;
    hasFullFont_ = true;
    fit();
}

void FitLabel::setText(const QString& text) {
    QLabel::setText(text);
    fit();
}

void FitLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    fit();
}

void FitLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (hasFocus()) {
        QPainter painter(this);
        PaintFocusFrame(painter, contentsRect());
    }
}

void FitLabel::fit() {
    if (!hasFullFont_) {
        fullFont_ = font();
        hasFullFont_ = true;
    }
    const QRect room = contentsRect();
    const QString line = text();
    QFont f = fullFont_;
    int size = f.pixelSize() > 0 ? f.pixelSize() : QFontInfo(f).pixelSize();
    const auto low = [&] { return QFontMetrics(f).height() <= room.height(); };
    const auto narrow = [&] { return QFontMetrics(f).horizontalAdvance(line) <= room.width(); };
    while (!low() && size > kMinPixelSize)
        f.setPixelSize(--size);
    if (!narrow()) {
        const int width = std::max(1, QFontMetrics(f).horizontalAdvance(line));
        f.setStretch(std::clamp(room.width() * 100 / width, kMinStretch, 100));
        while (!narrow() && f.stretch() > kMinStretch)
            f.setStretch(f.stretch() - 1);
        while (!narrow() && size > kMinPixelSize)
            f.setPixelSize(--size);
    }
    QLabel::setFont(f);
}
