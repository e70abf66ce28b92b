#pragma once

#include "color/User.h"

#include <QFrame>

/// A panel that shows a colour held as a PackedColor and reports the mouse.
/// Until a colour is set it holds the window face colour (a system colour
/// reference), which it paints with the palette's button colour.
class ClickablePanel final : public QFrame {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ClickablePanel)

public:
    explicit ClickablePanel(QWidget* parent = nullptr);

    tinsora::PackedColor color() const { return color_; }
    void setColor(tinsora::PackedColor color);

signals:
    void clicked();
    void mousePressed(int x, int y);
    void mouseReleased(int x, int y);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    tinsora::PackedColor color_ = tinsora::kFaceColor;
};
