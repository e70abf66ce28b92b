#include "Eyedropper.h"

#include "color/User.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

constexpr int kCell = 9;                                    // logical pixels per cell
constexpr int kGrid = tinsora::kMagnifierCells * kCell + 1; // the cells with their grid
constexpr int kLabelHeight = 20;                            // the hexadecimal value below
constexpr int kOffset = 16;                                 // from the pointer
constexpr int kGrabTries = 50;

// One screen's frozen picture; every event goes to the pick.
class ScreenWindow final : public QWidget {
public:
    ScreenWindow(Eyedropper& pick, std::size_t screen, const QRect& geometry)
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                               Qt::BypassWindowManagerHint),
          pick_(pick), screen_(screen) {
        setObjectName(QStringLiteral("EyedropperScreen"));
        setWindowTitle(QCoreApplication::translate("Eyedropper", "画面から色を取る"));
        setAttribute(Qt::WA_DeleteOnClose, false);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(true);
        setCursor(Qt::CrossCursor);
        setFocusPolicy(Qt::StrongFocus);
        setGeometry(geometry);
    }
    Q_DISABLE_COPY_MOVE(ScreenWindow)

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        pick_.paintScreen(painter, screen_);
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        pick_.pointerMoved(event->globalPosition());
    }
    void mousePressEvent(QMouseEvent* event) override {
        pick_.pointerMoved(event->globalPosition());
        pick_.buttonPressed(event->button());
    }
    void keyPressEvent(QKeyEvent* event) override {
        pick_.keyPressed(event->key(), event->modifiers());
    }

private:
    Eyedropper& pick_;
    std::size_t screen_;
};

QColor PixelColor(const QImage& image, int x, int y) {
    return QColor::fromRgb(image.pixel(x, y));
}

} // namespace

Eyedropper::Eyedropper(DesktopServices& services, std::vector<DesktopServices::ScreenGrab> grabs,
                       QObject* parent)
    : QObject(parent), services(services), screens(std::move(grabs)) {
    for (std::size_t k = 0; k < screens.size(); ++k) {
        DesktopServices::ScreenGrab& s = screens[k];
        // Drawn at its scale, the picture covers its screen device pixel for device pixel.
        s.image.setDevicePixelRatio(s.scale);
        areas.push_back({s.geometry.x(), s.geometry.y(), s.geometry.width(), s.geometry.height(),
                         s.image.width(), s.image.height(), s.scale});
        windows.push_back(new ScreenWindow(*this, k, s.geometry));
    }
}

Eyedropper::~Eyedropper() {
    for (QWidget* w : windows)
        delete w;
}

void Eyedropper::start() {
    for (QWidget* w : windows)
        w->show();
    const QPointF pointer = services.pointerPosition();
    auto pixel = tinsora::PixelAtPoint(areas, pointer.x(), pointer.y());
    if (!pixel && !areas.empty())
        pixel = tinsora::ScreenPixel{0, areas[0].pixelWidth / 2, areas[0].pixelHeight / 2};
    setCentre(pixel);
    takeInput();
}

// The windows may not be on the screen yet when they are shown; the grabs of
// the mouse and the keyboard are tried again until the window system agrees.
void Eyedropper::takeInput() {
    if (windows.empty() || done)
        return;
    QWidget* first = windows.front();
    first->activateWindow();
    first->setFocus(Qt::OtherFocusReason);
    QWindow* handle = first->windowHandle();
    const bool grabbed =
        handle && handle->setKeyboardGrabEnabled(true) && handle->setMouseGrabEnabled(true);
    if (grabbed || ++grabTries >= kGrabTries)
        return;
    if (!grabRetry) {
        grabRetry = new QTimer(this);
        grabRetry->setSingleShot(true);
        grabRetry->setInterval(20);
        connect(grabRetry, &QTimer::timeout, this, &Eyedropper::takeInput);
    }
    grabRetry->start();
}

QColor Eyedropper::centreColor() const {
    if (!centre)
        return {};
    return PixelColor(screens[centre->screen].image, centre->x, centre->y);
}

void Eyedropper::setCentre(std::optional<tinsora::ScreenPixel> pixel) {
    const auto old = centre;
    centre = pixel;
    if (old)
        windows[old->screen]->update();
    if (centre && (!old || old->screen != centre->screen || *old != *centre))
        windows[centre->screen]->update();
}

void Eyedropper::pointerMoved(const QPointF& globalPosition) {
    if (done)
        return;
    // While the pointer stays where the arrow keys left it, the pixel they
    // chose holds: at a scale above 1 no whole logical point may show it.
    if (pointerHeld && (globalPosition - *pointerHeld).manhattanLength() < 1.0)
        return;
    pointerHeld.reset();
    if (auto pixel = tinsora::PixelAtPoint(areas, globalPosition.x(), globalPosition.y()))
        setCentre(pixel);
}

void Eyedropper::moveBy(int dx, int dy) {
    if (!centre)
        return;
    const tinsora::ScreenArea& area = areas[centre->screen];
    const tinsora::ScreenPixel next = tinsora::MovePixel(area, *centre, dx, dy);
    setCentre(next);
    if (const auto point = tinsora::PointOnPixel(area, next.x, next.y)) {
        services.setPointerPosition(QPoint(point->x, point->y));
        pointerHeld = QPointF(point->x, point->y);
    } else if (!pointerHeld) {
        pointerHeld = services.pointerPosition();
    }
}

void Eyedropper::keyPressed(int key, Qt::KeyboardModifiers modifiers) {
    if (done)
        return;
    const int step = (modifiers & Qt::ShiftModifier) ? 10 : 1;
    switch (key) {
    case Qt::Key_Left:
        return moveBy(-step, 0);
    case Qt::Key_Right:
        return moveBy(step, 0);
    case Qt::Key_Up:
        return moveBy(0, -step);
    case Qt::Key_Down:
        return moveBy(0, step);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return finish(true);
    case Qt::Key_Escape:
        return finish(false);
    default:
        return;
    }
}

void Eyedropper::buttonPressed(Qt::MouseButton button) {
    if (button == Qt::LeftButton)
        finish(true);
    else if (button == Qt::RightButton)
        finish(false);
}

void Eyedropper::finish(bool take) {
    if (done)
        return;
    done = true;
    const QColor color = centreColor();
    for (QWidget* w : windows) {
        if (QWindow* handle = w->windowHandle()) {
            handle->setKeyboardGrabEnabled(false);
            handle->setMouseGrabEnabled(false);
        }
        w->hide();
    }
    if (take && color.isValid())
        emit picked(color);
    emit finished();
}

void Eyedropper::paintScreen(QPainter& painter, std::size_t screen) const {
    const DesktopServices::ScreenGrab& grab = screens[screen];
    painter.drawImage(QPoint(0, 0), grab.image);
    if (!centre || centre->screen != screen)
        return;
    const tinsora::ScreenArea& area = areas[screen];
    const QSize size = grab.geometry.size();

    // Beside the pointer, on the side where it fits.
    const QPointF pointer((centre->x + 0.5) / area.scale, (centre->y + 0.5) / area.scale);
    int x = static_cast<int>(pointer.x()) + kOffset;
    int y = static_cast<int>(pointer.y()) + kOffset;
    if (x + kGrid > size.width())
        x = static_cast<int>(pointer.x()) - kOffset - kGrid;
    if (y + kGrid + kLabelHeight > size.height())
        y = static_cast<int>(pointer.y()) - kOffset - kGrid - kLabelHeight;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QBrush beyond(QColor(0x80, 0x80, 0x80), Qt::BDiagPattern);
    for (int row = 0; row < tinsora::kMagnifierCells; ++row) {
        for (int column = 0; column < tinsora::kMagnifierCells; ++column) {
            const QRect cell(x + column * kCell, y + row * kCell, kCell, kCell);
            if (const auto p = tinsora::MagnifierCell(area, *centre, column, row)) {
                painter.fillRect(cell, PixelColor(grab.image, p->x, p->y));
            } else {
                painter.fillRect(cell, Qt::white);
                painter.fillRect(cell, beyond);
            }
        }
    }
    painter.setPen(QColor(0x80, 0x80, 0x80));
    for (int k = 0; k <= tinsora::kMagnifierCells; ++k) {
        painter.drawLine(x + k * kCell, y, x + k * kCell, y + kGrid - 1);
        painter.drawLine(x, y + k * kCell, x + kGrid - 1, y + k * kCell);
    }
    const QRect middle(x + tinsora::kMagnifierRadius * kCell, y + tinsora::kMagnifierRadius * kCell,
                       kCell, kCell);
    painter.setPen(Qt::black);
    painter.drawRect(middle.adjusted(-1, -1, 0, 0));
    painter.setPen(Qt::white);
    painter.drawRect(middle.adjusted(0, 0, -1, -1));

    const QColor color = centreColor();
    const QRect label(x, y + kGrid, kGrid, kLabelHeight);
    painter.fillRect(label, QColor(0x3c, 0x3c, 0x3c));
    painter.setPen(Qt::black);
    painter.drawRect(QRect(x - 1, y - 1, kGrid + 1, kGrid + kLabelHeight + 1));
    QFont font = painter.font();
    font.setPixelSize(13);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    const std::string hex = "#" + tinsora::ChannelToHex(color.red()) +
                            tinsora::ChannelToHex(color.green()) +
                            tinsora::ChannelToHex(color.blue());
    painter.drawText(label, Qt::AlignCenter, QString::fromStdString(hex));
    painter.restore();
}
