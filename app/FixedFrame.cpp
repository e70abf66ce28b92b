#include "FixedFrame.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#if defined(TINSORA_WITH_XCB) && QT_CONFIG(xcb)
#include <cstdint>
#include <cstdlib>
#include <xcb/xcb.h>
#define TINSORA_MOTIF_HINTS 1
#endif

namespace {

#ifdef TINSORA_MOTIF_HINTS
// The fields of _MOTIF_WM_HINTS as window managers read them.
constexpr std::uint32_t kHintsFunctions = 1, kHintsDecorations = 2;
constexpr std::uint32_t kFuncMove = 4, kFuncMinimize = 8, kFuncClose = 32;
constexpr std::uint32_t kDecorBorder = 2, kDecorTitle = 8, kDecorMenu = 16, kDecorMinimize = 32;

void WriteMotifHints(WId window, std::uint32_t functions, std::uint32_t decorations) {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return; // not on X11
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return;
    static constexpr char kName[] = "_MOTIF_WM_HINTS";
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, sizeof kName - 1, kName), nullptr);
    if (!atom)
        return;
    const std::uint32_t hints[5] = {kHintsFunctions | kHintsDecorations, functions, decorations, 0,
                                    0};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window),
                        atom->atom, atom->atom, 32, 5, hints);
    std::free(atom);
    xcb_flush(connection);
}
#endif

} // namespace

FixedFrame::FixedFrame(QWidget* window, Buttons buttons)
    : QObject(window), window_(window), buttons_(buttons) {}

void FixedFrame::install(QWidget* window, Buttons buttons) {
    const Qt::WindowFlags type = window->windowType() == Qt::Dialog ? Qt::Dialog : Qt::Window;
    Qt::WindowFlags flags =
        type | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (buttons == Buttons::MinimizeAndClose)
        flags |=
            Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
    window->setWindowFlags(flags | (window->windowFlags() & Qt::WindowStaysOnTopHint));
    auto* frame = new FixedFrame(window, buttons);
    window->installEventFilter(frame);
    frame->writeHints();
}

bool FixedFrame::eventFilter(QObject* watched, QEvent* event) {
    // Qt writes its own hints when it makes the native window or changes its
    // flags; the show event comes after both and before the window is mapped.
    if (watched == window_ &&
        (event->type() == QEvent::Show || event->type() == QEvent::WinIdChange))
        writeHints();
    return QObject::eventFilter(watched, event);
}

void FixedFrame::writeHints() const {
#ifdef TINSORA_MOTIF_HINTS
    const QWindow* handle = window_->windowHandle();
    if (!handle || !handle->handle())
        return; // no native window yet
    if (buttons_ == Buttons::MinimizeAndClose)
        WriteMotifHints(handle->winId(), kFuncMove | kFuncMinimize | kFuncClose,
                        kDecorBorder | kDecorTitle | kDecorMenu | kDecorMinimize);
    else
        WriteMotifHints(handle->winId(), kFuncMove, kDecorBorder | kDecorTitle);
#else
    Q_UNUSED(buttons_)
#endif
}
