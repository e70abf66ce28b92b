#include "DesktopServices.h"
#include "Unit1.h"
#include "Version.h"
#include "text/Error.h"

#include <QApplication>
#include <QFont>
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
            services_.showError(nullptr, QString::fromStdString(tinsora::ErrorBoxText(e.what())));
        }
        return false;
    }

private:
    DesktopServices& services_;
};

} // namespace

int main(int argc, char** argv) {
    for (int k = 1; k < argc; ++k) {
        if (std::strcmp(argv[k], "--version") == 0) {
            std::printf("tinsora %s (build %s)\n", tinsora::kVersion, tinsora::kBuildNumber);
            return 0;
        }
    }

    QtDesktopServices services;
    TinsoraApplication app(argc, argv, services);
    QApplication::setApplicationName(QStringLiteral("Tinsora"));
    QFont font;
    font.setFamilies(
        {QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
    font.setPixelSize(12);
    QApplication::setFont(font);

    try {
        TfrmMain frmMain(services);
        frmMain.show();
        return QApplication::exec();
    } catch (const std::exception& e) {
        services.showError(nullptr, QString::fromStdString(tinsora::ErrorBoxText(e.what())));
        return 1;
    }
}
