// Start-up, the settings, the window types and the window commands.

#include "DesktopServices.h"
#include "FixedFrame.h"
#include "ReadFile.h"
#include "Unit1.h"
#include "Unit2.h"
#include "color/StoredInteger.h"
#include "color/Templates.h"
#include "text/Cp932.h"
#include "text/Error.h"
#include "text/TextFile.h"
#include "ui_Unit1.h"

#include <QAction>
#include <QFileInfo>
#include <QListWidget>
#include <QMenuBar>
#include <QSettings>
#include <QToolButton>

namespace {

// The bottom of the regions each window type shows, in pnlMain, and the
// client width that shows them.
constexpr int kRegionBottom[] = {138, 275, 357};
constexpr int kClientWidth[] = {209, 209, 587};
// The design size, kept when the stored window type is none of the three.
constexpr int kDesignClientWidth = 634;
constexpr int kDesignClientHeight = 446;

QSettings OpenSettings() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("tovelind"),
                     QStringLiteral("Tinsora"));
}

// The first start leaves the store behind, empty, before anything is written.
// Settings reach the disk (or the registry) only when a value changes, so one
// is written and taken away again.
void CreateSettingsStore() {
    QSettings settings = OpenSettings();
    if (settings.status() != QSettings::NoError || !settings.allKeys().isEmpty() ||
        QFileInfo::exists(settings.fileName()))
        return;
    const QString probe = QStringLiteral("Created");
    settings.setValue(probe, QString());
    settings.sync();
    settings.remove(probe);
    settings.sync();
}

// A stored value: its integer when it is a text holding one, the default otherwise.
int ReadInteger(const QSettings& settings, const QString& name, int fallback) {
    const QVariant value = settings.value(name);
    if (!value.isValid() || value.typeId() != QMetaType::QString)
        return tinsora::StoredInteger(std::nullopt, fallback);
    return tinsora::StoredInteger(value.toString().toStdString(), fallback);
}

} // namespace

void TfrmMain::FormCreate() {
    ui->MainMenu1->setNativeMenuBar(false);
    FixedFrame::install(this, FixedFrame::Buttons::MinimizeAndClose);
    SetClientSize(kDesignClientWidth, kDesignClientHeight);
    CreateSettingsStore();
    LoadSettings();
    lastGradColor = 1;
    ApplyWindowType(windowType);
    if (!ui->mnuToolBarDisp->isChecked())
        ApplyToolBarState();
    gradColors = tinsora::kInitialGradientColors;
    ui->edtRn->setText(QStringLiteral("0"));
    ui->edtGn->setText(QStringLiteral("0"));
    ui->edtBn->setText(QStringLiteral("0"));
    templateLines.clear();
    tinsora::BodyColor(bodyColors, tinsora::BodyRole::Bgcolor) = tinsora::ColorRGB{255, 255, 255};
    ShowBodyContrast();
    LoadTemplates();
    RefreshColorDisplay();
    DrawBaseColorMap();
    DrawCornerGradient();
    for (int k = 1; k <= 4; ++k)
        ShowCornerColor(k);
}

void TfrmMain::FormDestroy() {
    templateLines.clear();
    templateLines.shrink_to_fit();
    SaveSettings();
}

void TfrmMain::LoadSettings() {
    const QSettings settings = OpenSettings();
    windowType = ReadInteger(settings, QStringLiteral("WindowType"), wtMax);
    const int left = ReadInteger(settings, QStringLiteral("Left"), 0);
    const int top = ReadInteger(settings, QStringLiteral("Top"), 0);
    // At (0, 0) the window system places the window, as it does a new one.
    if (left != 0 || top != 0)
        move(left, top);
    ui->mnuToolBarDisp->setChecked(ReadInteger(settings, QStringLiteral("ToolBar"), 1) != 0);
    // Anything but the HTML5 + CSS style's own name means the classic style.
    const QVariant style = settings.value(QStringLiteral("OutputStyle"));
    SetOutputStyle(style.typeId() == QMetaType::QString &&
                           style.toString() == QStringLiteral("html5")
                       ? tinsora::OutputStyle::Html5
                       : tinsora::OutputStyle::Classic);
    const QVariant css = settings.value(QStringLiteral("CssForm"));
    ui->mnuCssClasses->setChecked(css.typeId() == QMetaType::QString &&
                                  css.toString() == QStringLiteral("classes"));
}

void TfrmMain::SaveSettings() {
    QSettings settings = OpenSettings();
    settings.setValue(QStringLiteral("WindowType"), QString::number(windowType));
    settings.setValue(QStringLiteral("Left"), QString::number(x()));
    settings.setValue(QStringLiteral("Top"), QString::number(y()));
    settings.setValue(QStringLiteral("ToolBar"),
                      ui->mnuToolBarDisp->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    settings.setValue(QStringLiteral("OutputStyle"), outputStyle == tinsora::OutputStyle::Html5
                                                         ? QStringLiteral("html5")
                                                         : QStringLiteral("classic"));
    settings.setValue(QStringLiteral("CssForm"), ui->mnuCssClasses->isChecked()
                                                     ? QStringLiteral("classes")
                                                     : QStringLiteral("inline"));
    settings.sync(); // a store that cannot be written loses the settings, nothing else
}

void TfrmMain::LoadTemplates() {
    // A list of names needs far less; a larger file is refused, not loaded
    // into the list box whatever its size.
    constexpr std::uint64_t kTemplateListLimit = 1048576;
    templateFileName = "tinsora.col";
    for (;;) {
        try {
            templateLines = tinsora::SplitLines(
                ReadWholeRegularFile(QString::fromStdString(templateFileName), kTemplateListLimit));
            break;
        } catch (const tinsora::Error& e) {
            if (!services.askRetryCancel(this, QStringLiteral("OpenError"),
                                         QString::fromUtf8(e.what()))) {
                templateLines.clear();
                break;
            }
        }
    }
    ui->lstColorSample->clear();
    for (const std::string& name : tinsora::TemplateNames(templateLines))
        ui->lstColorSample->addItem(QString::fromStdString(tinsora::Cp932ToUtf8(name)));
}

void TfrmMain::SetClientSize(int width, int height) {
    setFixedSize(width, ui->MainMenu1->sizeHint().height() + height);
}

void TfrmMain::ApplyWindowType(int type) {
    if (type < wtMin || type > wtMax)
        return;
    ui->mnuWindowMin->setChecked(type == wtMin);
    ui->mnuWindowBas->setChecked(type == wtBas);
    ui->mnuWindowMax->setChecked(type == wtMax);
    ui->tbtnWindowMin->setChecked(type == wtMin);
    ui->tbtnWindowBas->setChecked(type == wtBas);
    ui->tbtnWindowMax->setChecked(type == wtMax);
    // Measured from where pnlMain stands, so a hidden tool bar strip gives
    // the same size here as it does at start-up.
    SetClientSize(kClientWidth[type], ui->pnlMain->y() + kRegionBottom[type]);
}

void TfrmMain::ApplyToolBarState() {
    const int h = ui->CoolBarMenu->height();
    const int delta = ui->mnuToolBarDisp->isChecked() ? h : -h;
    ui->CoolBarMenu->setVisible(delta > 0);
    ui->pnlMain->move(ui->pnlMain->x(), ui->pnlMain->y() + delta);
    setFixedSize(width(), height() + delta);
}

void TfrmMain::mnuWindowMinClick() {
    Guard([this] {
        windowType = wtMin;
        ApplyWindowType(windowType);
    });
}
void TfrmMain::tbtnWindowMinClick() {
    mnuWindowMinClick();
}

void TfrmMain::mnuWindowBasClick() {
    Guard([this] {
        windowType = wtBas;
        ApplyWindowType(windowType);
    });
}
void TfrmMain::tbtnWindowBasClick() {
    mnuWindowBasClick();
}

void TfrmMain::mnuWindowMaxClick() {
    Guard([this] {
        windowType = wtMax;
        ApplyWindowType(windowType);
    });
}
void TfrmMain::tbtnWindowMaxClick() {
    mnuWindowMaxClick();
}

void TfrmMain::mnuToolBarDispClick() {
    // The menu item has already turned its check over when this runs.
    Guard([this] { ApplyToolBarState(); });
}

void TfrmMain::mnuWLeftClick() {
    Guard([this] { move(0, y()); });
}

void TfrmMain::mnuWRightClick() {
    Guard([this] { move(services.screenWidth() - frameGeometry().width(), y()); });
}

void TfrmMain::N4Click() {
    // The menu item has already turned its check over when this runs.
    Guard([this] {
        // Changing the flags hides the window. It comes back where it was,
        // active, with the keyboard where it was. Its native window is made
        // anew here, not behind the program's back when it is shown (as X11
        // does), so that the window system takes it for a new active window.
        const bool wasVisible = isVisible();
        const QPoint at = pos();
        QWidget* focused = focusWidget();
        setWindowFlag(Qt::WindowStaysOnTopHint, ui->N4->isChecked());
        if (!wasVisible)
            return;
        destroy();
        move(at);
        show();
        raise();
        activateWindow();
        if (focused)
            focused->setFocus(Qt::ActiveWindowFocusReason);
    });
}

void TfrmMain::N2Click() {
    Guard([this] { close(); });
}

void TfrmMain::About1Click() {
    Guard([] {
        TfrmAbout about;
        frmAbout = &about;
        about.exec();
        frmAbout = nullptr;
    });
}
