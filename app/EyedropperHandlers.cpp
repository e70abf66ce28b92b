// The screen eyedropper of the main window: the command, the tool button and
// the colour it takes.

#include "DesktopServices.h"
#include "Eyedropper.h"
#include "Unit1.h"
#include "text/Error.h"
#include "ui_Unit1.h"

#include <QAction>
#include <QIcon>
#include <QToolButton>

void TfrmMain::ConnectColorTools() {
    // The window lives in a static library, whose resources are not found
    // unless they are named once.
    Q_INIT_RESOURCE(eyedropper);
    ui->tbtnEyedropper->setIcon(QIcon(QStringLiteral(":/icons/eyedropper.png")));
    ui->tbtnEyedropper->setIconSize(QSize(16, 16));
    connect(ui->mnuEyedropper, &QAction::triggered, this, &TfrmMain::mnuEyedropperClick);
    connect(ui->tbtnEyedropper, &QToolButton::clicked, this, &TfrmMain::mnuEyedropperClick);
}

void TfrmMain::mnuEyedropperClick() {
    Guard([this] { StartEyedropper(); });
}

void TfrmMain::StartEyedropper() {
    if (eyedropper)
        return;
    std::vector<DesktopServices::ScreenGrab> screens = services.grabScreens();
    if (screens.empty()) {
        // Where the screen cannot be read, the desktop may pick for us.
        const bool asked = services.pickColorFromDesktop(
            this, [this](std::optional<QColor> color, const QString& error) {
                Guard([&] {
                    if (!error.isEmpty())
                        throw tinsora::Error(error.toStdString());
                    if (color)
                        EyedropperPicked(*color);
                });
            });
        if (!asked)
            throw tinsora::Error(tr("画面から色を取ることができません。この環境では画面を読み取る"
                                    "ことも、デスクトップに色を取ってもらうこともできません")
                                     .toStdString());
        return;
    }
    eyedropper = new Eyedropper(services, std::move(screens), this);
    connect(eyedropper, &Eyedropper::picked, this, &TfrmMain::EyedropperPicked);
    connect(eyedropper, &Eyedropper::finished, this, &TfrmMain::EyedropperFinished);
    eyedropper->start();
}

void TfrmMain::EyedropperPicked(const QColor& color) {
    Guard([this, color] { SetCurrentColor({color.red(), color.green(), color.blue()}); });
}

void TfrmMain::EyedropperFinished() {
    if (eyedropper)
        eyedropper->deleteLater();
    eyedropper = nullptr;
}
