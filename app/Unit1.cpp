#include "Unit1.h"

#include "ControlAccessible.h"
#include "DesktopServices.h"
#include "LineBoxPaste.h"
#include "PaneController.h"
#include "Texts.h"
#include "text/Error.h"
#include "ui_Unit1.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QSlider>
#include <QToolButton>

TfrmMain::TfrmMain(DesktopServices& services, QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::TfrmMain>()), services(services) {
    // Before the controls are made: a screen reader may ask about them at once.
    InstallControlAccessibility();
    ui->setupUi(this);
    ConnectHandlers();
    Guard([this] { FormCreate(); });
}

TfrmMain::~TfrmMain() {
    // A save is let finish (it reads the pane until it is done); a generation is stopped.
    paneRuns.reset();
    Guard([this] { FormDestroy(); });
}

bool TfrmMain::runInProgress() const {
    return paneRuns && paneRuns->running();
}

void TfrmMain::setRunPause(std::function<void()> pause) {
    paneRuns->setPause(std::move(pause));
}

void TfrmMain::ConnectHandlers() {
    connect(ui->N2, &QAction::triggered, this, &TfrmMain::N2Click);
    connect(ui->mnuWindowMin, &QAction::triggered, this, &TfrmMain::mnuWindowMinClick);
    connect(ui->mnuWindowBas, &QAction::triggered, this, &TfrmMain::mnuWindowBasClick);
    connect(ui->mnuWindowMax, &QAction::triggered, this, &TfrmMain::mnuWindowMaxClick);
    connect(ui->tbtnWindowMin, &QToolButton::clicked, this, &TfrmMain::tbtnWindowMinClick);
    connect(ui->tbtnWindowBas, &QToolButton::clicked, this, &TfrmMain::tbtnWindowBasClick);
    connect(ui->tbtnWindowMax, &QToolButton::clicked, this, &TfrmMain::tbtnWindowMaxClick);
    connect(ui->mnuToolBarDisp, &QAction::triggered, this, &TfrmMain::mnuToolBarDispClick);
    connect(ui->mnuWLeft, &QAction::triggered, this, &TfrmMain::mnuWLeftClick);
    connect(ui->mnuWRight, &QAction::triggered, this, &TfrmMain::mnuWRightClick);
    connect(ui->N4, &QAction::triggered, this, &TfrmMain::N4Click);
    connect(ui->About1, &QAction::triggered, this, &TfrmMain::About1Click);

    ConnectColorEditor();
    ConnectPictures();
    ConnectGenerators();
    ConnectGradientText();
    ConnectColorTools();

    connect(ui->mnuLoadColor, &QAction::triggered, this, &TfrmMain::mnuLoadColorClick);
    connect(ui->mnuSaveColor, &QAction::triggered, this, &TfrmMain::mnuSaveColorClick);

    connect(ui->pnlBlendColor1, &ClickablePanel::clicked, this, &TfrmMain::pnlBlendColor1Click);
    connect(ui->pnlBlendColor2, &ClickablePanel::clicked, this, &TfrmMain::pnlBlendColor2Click);
    connect(ui->pnlBlendColor3, &ClickablePanel::clicked, this, &TfrmMain::pnlBlendColor3Click);
    connect(ui->barBlend, &QSlider::valueChanged, this, &TfrmMain::barBlendChange);
    ConnectTemplateList();
    ConnectAccessibility();
    ConnectLanguage();

    for (QComboBox* combo : findChildren<QComboBox*>())
        LineBoxPaste::install(combo, services);
    for (QLineEdit* box : findChildren<QLineEdit*>()) {
        if (!qobject_cast<QComboBox*>(box->parentWidget()))
            LineBoxPaste::install(box, services);
    }
}

void TfrmMain::ShowError(std::exception_ptr error) noexcept {
    QString text;
    try {
        std::rethrow_exception(std::move(error));
    } catch (const std::bad_alloc&) {
        text = tr("メモリが不足しています");
    } catch (const std::exception& e) {
        text = ErrorText(e);
    } catch (...) {
        text = tr("不明なエラーです");
    }
    try {
        services.showError(this, QString::fromStdString(tinsora::ErrorBoxText(text.toStdString())));
    } catch (...) {
        // Nothing more can be done when even the error box fails.
    }
}
