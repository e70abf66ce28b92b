#pragma once

#include "MouseSurface.h"

#include <QPoint>
#include <optional>

/// A transparent surface over a picture: it receives the mouse and draws the
/// position marker (a white ring inside a black ring) on itself, never into
/// the picture below.
class MarkerOverlay final : public MouseSurface {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MarkerOverlay)

public:
    explicit MarkerOverlay(QWidget* parent = nullptr);

    /// Moves the marker to at; the old one disappears with the repaint.
    void setMarker(QPoint at);
    std::optional<QPoint> marker() const { return marker_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<QPoint> marker_;
};
