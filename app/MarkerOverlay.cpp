#include "MarkerOverlay.h"

#include <QPainter>

MarkerOverlay::MarkerOverlay(QWidget* parent) : MouseSurface(parent) {
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    setMouseTracking(true);
    setFocusPolicy(Qt::TabFocus);
}

void MarkerOverlay::setMarker(QPoint at) {
    marker_ = at;
    setKeyPoint(at);
    update();
}

void MarkerOverlay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintFocus(painter);
    if (!marker_)
        return;
    painter.setBrush(Qt::NoBrush);
    const QPoint c = *marker_;
    // Bounding boxes (x-5, y-5)..(x+5, y+5) and (x-4, y-4)..(x+4, y+4).
    painter.setPen(QPen(Qt::black, 1));
    painter.drawEllipse(QRect(c.x() - 5, c.y() - 5, 10, 10));
    painter.setPen(QPen(Qt::white, 1));
    painter.drawEllipse(QRect(c.x() - 4, c.y() - 4, 8, 8));
}
