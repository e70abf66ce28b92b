#include "MouseSurface.h"

#include "FocusFrame.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

void MouseSurface::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    setKeyPoint(at);
    emit mousePressed(at.x(), at.y());
}

void MouseSurface::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit mouseMoved(at.x(), at.y());
}

void MouseSurface::mouseReleaseEvent(QMouseEvent*) {
    emit mouseReleased();
}

void MouseSurface::setKeyPoint(QPoint point) {
    keyPoint_ = QPoint(std::clamp(point.x(), 0, std::max(0, width() - 1)),
                       std::clamp(point.y(), 0, std::max(0, height() - 1)));
}

void MouseSurface::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods != Qt::NoModifier && mods != Qt::ShiftModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int step = mods == Qt::ShiftModifier ? 10 : 1;
    QPoint p = keyPoint_.value_or(rect().center());
    switch (event->key()) {
    case Qt::Key_Left:
        p.rx() -= step;
        break;
    case Qt::Key_Right:
        p.rx() += step;
        break;
    case Qt::Key_Up:
        p.ry() -= step;
        break;
    case Qt::Key_Down:
        p.ry() += step;
        break;
    case Qt::Key_Home:
        p.setX(0);
        break;
    case Qt::Key_End:
        p.setX(width() - 1);
        break;
    case Qt::Key_PageUp:
        p.setY(0);
        break;
    case Qt::Key_PageDown:
        p.setY(height() - 1);
        break;
    default:
        if (!IsClickKey(event)) {
            QWidget::keyPressEvent(event);
            return;
        }
    }
    setKeyPoint(p);
    emit mousePressed(keyPoint_->x(), keyPoint_->y());
    emit mouseReleased();
    update();
}

void MouseSurface::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void MouseSurface::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void MouseSurface::paintFocus(QPainter& painter) const {
    if (hasFocus())
        PaintFocusFrame(painter, rect());
}
