#pragma once

#include "MouseSurface.h"

#include <QImage>

/// Shows a bitmap at its natural size and reports the mouse over it.
class PictureBox final : public MouseSurface {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PictureBox)

public:
    explicit PictureBox(QWidget* parent = nullptr) : MouseSurface(parent) {}

    const QImage& image() const { return image_; }
    void setImage(const QImage& image);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};
