#pragma once

#include <QWidget>

/// A widget that reports the mouse in its own coordinates: presses and moves
/// with the position, releases without.
class MouseSurface : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MouseSurface)

public:
    explicit MouseSurface(QWidget* parent = nullptr) : QWidget(parent) {}

signals:
    void mousePressed(int x, int y);
    void mouseMoved(int x, int y);
    void mouseReleased();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
