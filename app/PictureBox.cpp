#include "PictureBox.h"

#include <QPainter>

void PictureBox::setImage(const QImage& image) {
    image_ = image;
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!image_.isNull())
        painter.drawImage(0, 0, image_);
    paintFocus(painter);
}
