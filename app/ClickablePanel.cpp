#include "ClickablePanel.h"

#include "FocusFrame.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

ClickablePanel::ClickablePanel(QWidget* parent) : QFrame(parent) {
    setAutoFillBackground(true);
    setFocusPolicy(Qt::TabFocus);
}

void ClickablePanel::setColor(tinsora::PackedColor color) {
    color_ = color;
    QPalette p = palette();
    if ((color & 0xFF000000u) != 0) {
        p.setColor(QPalette::Window, QWidget::palette().color(QPalette::Button));
    } else {
        const auto c = tinsora::UnpackColor(color);
        p.setColor(QPalette::Window, QColor(c.Red, c.Green, c.Blue));
    }
    setPalette(p);
    update();
    describe();
}

void ClickablePanel::setClickHint(const QString& hint) {
    clickHint_ = hint;
    describe();
}

void ClickablePanel::describe() {
    QString text = tr("色なし");
    if ((color_ & 0xFF000000u) == 0) {
        const tinsora::ColorRGB c = tinsora::UnpackColor(color_);
        text =
            QString::fromStdString("#" + tinsora::ChannelToHex(c.Red) +
                                   tinsora::ChannelToHex(c.Green) + tinsora::ChannelToHex(c.Blue));
    }
    if (!clickHint_.isEmpty())
        text = tr("%1。%2").arg(text, clickHint_);
    setAccessibleDescription(text);
}

void ClickablePanel::click() {
    const QPoint middle = rect().center();
    emit mousePressed(middle.x(), middle.y());
    emit mouseReleased(middle.x(), middle.y());
    emit clicked();
}

void ClickablePanel::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit mousePressed(at.x(), at.y());
}

void ClickablePanel::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit mouseReleased(at.x(), at.y());
    if (rect().contains(at))
        emit clicked();
}

void ClickablePanel::keyPressEvent(QKeyEvent* event) {
    if (IsClickKey(event)) {
        click();
        return;
    }
    QFrame::keyPressEvent(event);
}

void ClickablePanel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (hasFocus()) {
        QPainter painter(this);
        PaintFocusFrame(painter, rect());
    }
}
