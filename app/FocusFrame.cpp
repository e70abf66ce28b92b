#include "FocusFrame.h"

#include <QKeyEvent>
#include <QPainter>

bool IsClickKey(const QKeyEvent* event) {
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    const int key = event->key();
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
}

void PaintFocusFrame(QPainter& painter, const QRect& area) {
    const QRect r = area.adjusted(1, 1, -2, -2);
    if (r.width() < 1 || r.height() < 1)
        return;
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(r);
    painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
    painter.drawRect(r);
    painter.restore();
}
