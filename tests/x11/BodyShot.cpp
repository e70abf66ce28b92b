// tinsora_body_shot FILE: the window with a few BODY colours set by label
// clicks, as a user sets them, saved as a picture of the BODY page.

#include "Application.h"
#include "QtDesktopServices.h"
#include "Texts.h"
#include "Unit1.h"
#include "ui_Unit1.h"

#include <QAction>
#include <QApplication>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <cstdio>

namespace {

void SetColor(Ui::TfrmMain* ui, int red, int green, int blue) {
    ui->ScrollBarR->setValue(red);
    ui->ScrollBarG->setValue(green);
    ui->ScrollBarB->setValue(blue);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tinsora_body_shot FILE\n");
        return 2;
    }
    SetUpApplication(app);                    // the fonts and pictures the program starts with
    SetLanguage(tinsora::Language::Japanese); // the texts asserted and the places known

    QtDesktopServices services;
    TfrmMain window(services);
    Ui::TfrmMain* ui = window.form();
    ui->mnuWindowMax->trigger();
    ui->PageControl1->setCurrentIndex(0);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    // A cream background, dark text, a link that passes AA, a visited link
    // that passes only for large text and an active link that fails.
    const struct {
        int r, g, b;
        QWidget* label;
    } steps[] = {
        {0xff, 0xf8, 0xe7, ui->lblBgcolor}, {0x33, 0x33, 0x33, ui->lblText},
        {0x1a, 0x5f, 0xb4, ui->lblLink},    {0x9b, 0x59, 0xb6, ui->lblVlink},
        {0xf3, 0x9c, 0x12, ui->lblAlink},
    };
    for (const auto& s : steps) {
        SetColor(ui, s.r, s.g, s.b);
        QTest::mouseClick(s.label, Qt::LeftButton);
    }
    ui->SpeedButton2->click();
    QTest::qWait(200);
    const QRect page = ui->PageControl1->geometry().translated(
        ui->PageControl1->parentWidget()->mapTo(&window, QPoint(0, 0)));
    const bool saved =
        window.grab(page.adjusted(-4, -4, 4, 4)).save(QString::fromLocal8Bit(argv[1]));
    std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "saved" : "could not save", argv[1]);
    return saved ? 0 : 1;
}
