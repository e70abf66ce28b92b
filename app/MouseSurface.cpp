#include "MouseSurface.h"

#include <QMouseEvent>

void MouseSurface::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit mousePressed(at.x(), at.y());
}

void MouseSurface::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit mouseMoved(at.x(), at.y());
}

void MouseSurface::mouseReleaseEvent(QMouseEvent*) {
    emit mouseReleased();
}
