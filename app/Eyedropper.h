#pragma once

#include "DesktopServices.h"
#include "ScreenPixels.h"

#include <QColor>
#include <QObject>
#include <optional>
#include <vector>

class QPainter;
class QTimer;
class QWidget;

/// One pick of a device pixel anywhere on the desktop. The screens are read
/// before anything of the pick is shown and stay frozen on one borderless
/// window per screen, so the magnifier that follows the pointer never sees
/// itself: 11 x 11 pixels drawn as cells with a grid, the centre outlined,
/// its hexadecimal value below. The arrow keys move by one device pixel (ten
/// with Shift), a left click or Enter takes the centre pixel, Escape or a right
/// click cancels.
class Eyedropper final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Eyedropper)

public:
    /// A pick over the given screen pictures (at least one); start() shows it.
    Eyedropper(DesktopServices& services, std::vector<DesktopServices::ScreenGrab> screens,
               QObject* parent = nullptr);
    ~Eyedropper() override;

    /// Shows the screens and the magnifier at the pointer and takes the mouse and the keyboard.
    void start();

    /// The pixel under the magnifier's centre, when the pointer is on a screen.
    std::optional<tinsora::ScreenPixel> centrePixel() const { return centre; }
    /// The colour of that pixel (invalid when there is none).
    QColor centreColor() const;

    // What the windows of the pick report.
    void pointerMoved(const QPointF& globalPosition);
    void keyPressed(int key, Qt::KeyboardModifiers modifiers);
    void buttonPressed(Qt::MouseButton button);
    void paintScreen(QPainter& painter, std::size_t screen) const;

signals:
    /// The user took the colour of the centre pixel.
    void picked(const QColor& color);
    /// The pick is over, taken or cancelled; the windows are closed.
    void finished();

private:
    void moveBy(int dx, int dy);
    void setCentre(std::optional<tinsora::ScreenPixel> pixel);
    void finish(bool take);
    void takeInput();

    DesktopServices& services;
    std::vector<DesktopServices::ScreenGrab> screens;
    std::vector<tinsora::ScreenArea> areas;
    std::vector<QWidget*> windows;
    std::optional<tinsora::ScreenPixel> centre;
    std::optional<QPointF> pointerHeld; // where the arrow keys left the pointer
    QTimer* grabRetry = nullptr;
    int grabTries = 0;
    bool done = false;
};
