#pragma once

#include <QImage>
#include <QWidget>

/// Shows a bitmap at its natural size and reports the mouse over it.
class PictureBox final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PictureBox)

public:
    explicit PictureBox(QWidget* parent = nullptr) : QWidget(parent) {}

    const QImage& image() const { return image_; }
    QImage& image() { return image_; }
    void setImage(const QImage& image);

signals:
    void mousePressed(int x, int y);
    void mouseMoved(int x, int y);
    void mouseReleased();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage image_;
};
