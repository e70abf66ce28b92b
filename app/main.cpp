#include "Application.h"
#include "QtDesktopServices.h"
#include "Texts.h"
#include "Unit1.h"
#include "Version.h"
#include "text/Error.h"
#include "ui_Unit1.h"

#include <QApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>

namespace {

// Qt does not carry exceptions through its event loop; one that escapes a
// handler's own guard still reaches the standard error box here.
class TinsoraApplication final : public QApplication {
public:
    TinsoraApplication(int& argc, char** argv, DesktopServices& services)
        : QApplication(argc, argv), services_(services) {}

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& e) {
            services_.showError(
                nullptr, QString::fromStdString(tinsora::ErrorBoxText(ErrorText(e).toStdString())));
        }
        return false;
    }

private:
    DesktopServices& services_;
};

// For the picture in the README: a gradient table generated on its page, the
// window as the display server shows it saved as an image, and the program ended.
void TakeScreenshot(TfrmMain& window, const QString& file) {
    Ui::TfrmMain* ui = window.form();
    ui->PageControl1->setCurrentIndex(3);
    ui->edtTD->setText(QStringLiteral("12"));
    ui->edtTR->setText(QStringLiteral("10"));
    ui->edtCellWidth->setText(QStringLiteral("20"));
    ui->edtCellHeight->setText(QStringLiteral("20"));
    ui->SpeedButton2->click();
    QTimer::singleShot(300, &window, [&window, file] {
        QScreen* screen = window.screen();
        const QPixmap shot = screen ? screen->grabWindow(window.winId()) : QPixmap();
        const bool saved = !shot.isNull() && shot.save(file);
        std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "saved" : "could not save",
                     qPrintable(file));
        QApplication::exit(saved ? 0 : 1);
    });
}

} // namespace

int main(int argc, char** argv) {
#ifdef SIGXFSZ
    // Past a file size limit a write then fails and is reported, instead of
    // the signal ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    QString screenshot;
    for (int k = 1; k < argc; ++k) {
        if (std::strcmp(argv[k], "--screenshot") == 0 && k + 1 < argc)
            screenshot = QString::fromLocal8Bit(argv[k + 1]);
        if (std::strcmp(argv[k], "--version") == 0) {
            std::printf("tinsora %s (build %s)\n", tinsora::kVersion, tinsora::kBuildNumber);
            return 0;
        }
    }

    QtDesktopServices services;
    TinsoraApplication app(argc, argv, services);
    QApplication::setApplicationName(QStringLiteral("Tinsora"));
    SetUpApplication(app);

    try {
        TfrmMain frmMain(services);
        frmMain.show();
        if (!screenshot.isEmpty())
            QTimer::singleShot(500, &frmMain,
                               [&frmMain, screenshot] { TakeScreenshot(frmMain, screenshot); });
        return QApplication::exec();
    } catch (const std::exception& e) {
        services.showError(
            nullptr, QString::fromStdString(tinsora::ErrorBoxText(ErrorText(e).toStdString())));
        return 1;
    }
}
