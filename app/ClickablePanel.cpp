#include "ClickablePanel.h"

#include <QMouseEvent>

ClickablePanel::ClickablePanel(QWidget* parent) : QFrame(parent) {
    setAutoFillBackground(true);
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
