#pragma once

#include <QPoint>
#include <QWidget>
#include <optional>

class QPainter;

/// A widget that reports the mouse in its own coordinates: presses and moves
/// with the position, releases without. Once it takes the keyboard, the arrow
/// keys move a point over it (by ten with Shift; Home, End, Page Up and Page Down
/// to the edges) and report a click there, and Space or Enter clicks where it is.
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
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    /// Where the keys move from next: the last point clicked.
    void setKeyPoint(QPoint point);
    /// Draws the keyboard's frame when the surface has it.
    void paintFocus(QPainter& painter) const;

private:
    std::optional<QPoint> keyPoint_;
};
