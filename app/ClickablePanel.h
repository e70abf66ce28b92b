#pragma once

#include "color/User.h"

#include <QFrame>

/// A panel that shows a colour held as a PackedColor and reports the mouse.
/// Until a colour is set it holds the window face colour (a system colour
/// reference), which it paints with the palette's button colour. Space or Enter
/// works it as a click does; a screen reader is told its colour and what a click does.
class ClickablePanel final : public QFrame {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ClickablePanel)

public:
    explicit ClickablePanel(QWidget* parent = nullptr);

    tinsora::PackedColor color() const { return color_; }
    void setColor(tinsora::PackedColor color);
    /// What a click does, in a few words, for screen readers.
    void setClickHint(const QString& hint);
    /// A press and release at the middle, as a click there.
    void click();

signals:
    void clicked();
    void mousePressed(int x, int y);
    void mouseReleased(int x, int y);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void describe();

    tinsora::PackedColor color_ = tinsora::kFaceColor;
    QString clickHint_;
};
