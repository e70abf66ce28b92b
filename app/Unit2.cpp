#include "Unit2.h"

#include "FixedFrame.h"
#include "Version.h"
#include "ui_Unit2.h"

#include <QApplication>
#include <QScreen>

TfrmAbout* frmAbout = nullptr;

TfrmAbout::TfrmAbout(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TfrmAbout>()) {
    ui->setupUi(this);
    // A caption bar without a system menu or caption buttons, and a fixed size.
    FixedFrame::install(this, FixedFrame::Buttons::None);
    setFixedSize(241, 145);
    QFont title = ui->Label1->font();
    title.setPixelSize(32);
    ui->Label1->setFullFont(title);
    ui->StaticText1->setText(
        QStringLiteral("Version %1").arg(QString::fromLatin1(tinsora::kVersion)));
    ui->StaticText2->setText(
        QStringLiteral("Build %1").arg(QString::fromLatin1(tinsora::kBuildNumber)));
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TfrmAbout::BitBtn1Click);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->geometry().center());
        move(frame.topLeft());
    }
}

TfrmAbout::~TfrmAbout() = default;

void TfrmAbout::BitBtn1Click() {
    accept();
}
