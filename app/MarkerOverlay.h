#pragma once

#include <QPoint>
#include <QWidget>
#include <optional>

/// A transparent surface over a picture: it receives the mouse and draws the
/// position marker (a white ring inside a black ring) on itself, never into
/// the picture below.
class MarkerOverlay final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MarkerOverlay)

public:
    explicit MarkerOverlay(QWidget* parent = nullptr);

    /// Moves the marker to at; the old one disappears with the repaint.
    void setMarker(QPoint at);
    std::optional<QPoint> marker() const { return marker_; }

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
    std::optional<QPoint> marker_;
};
