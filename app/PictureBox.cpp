#include "PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

void PictureBox::setImage(const QImage& image) {
    image_ = image;
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    if (image_.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit mousePressed(at.x(), at.y());
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit mouseMoved(at.x(), at.y());
}

void PictureBox::mouseReleaseEvent(QMouseEvent*) {
    emit mouseReleased();
}
