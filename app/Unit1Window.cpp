// Start-up, the settings, the window types and the window commands.

#include "DesktopServices.h"
#include "FixedFrame.h"
#include "Texts.h"
#include "Unit1.h"
#include "Unit2.h"
#include "color/Templates.h"
#include "text/Cp932.h"
#include "text/Error.h"
#include "text/SettingsFile.h"
#include "text/StoredInteger.h"
#include "text/TextFile.h"
#include "ui_Unit1.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QLockFile>
#include <QMenuBar>
#include <QSettings>
#include <QStandardPaths>
#include <QStyle>
#include <QToolButton>
#include <memory>

namespace {

// The bottom of the regions each window type shows, in pnlMain, and the
// client width that shows them.
constexpr int kRegionBottom[] = {138, 275, 357};
constexpr int kClientWidth[] = {209, 209, 587};
// The design size, kept when the stored window type is none of the three.
constexpr int kDesignClientWidth = 634;
constexpr int kDesignClientHeight = 446;

#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN)

// The registry, or the system's own preferences.
std::unique_ptr<QSettings> OpenSettings(bool /*forWriting*/) {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("tovelind"), QStringLiteral("Tinsora"));
}

bool SettingsStoreMissing() {
    const std::unique_ptr<QSettings> settings = OpenSettings(false);
    return settings->status() == QSettings::NoError && settings->allKeys().isEmpty();
}

#else

// A file, which QSettings reads and writes as it finds it: it would wait for ever on a FIFO or
// on a lock it cannot take, read a file of any size, and put a new file in place of a device a
// link names. So the file is judged first, and used only when it is a regular file of a
// settings file's size or when nothing has its name yet.
QString SettingsFileName() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/tovelind/Tinsora.conf");
}

tinsora::SettingsFileKind JudgeSettings() {
    return tinsora::JudgeSettingsFile(QFile::encodeName(SettingsFileName()).toStdString());
}

// The store, or nothing when it may not be used: a file refused, or, for writing, a lock that is
// not a lock file or is not free within a second.
std::unique_ptr<QSettings> OpenSettings(bool forWriting) {
    const QString file = SettingsFileName();
    if (JudgeSettings() == tinsora::SettingsFileKind::Refused)
        return nullptr;
    if (forWriting) {
        const QString lockName = file + QStringLiteral(".lock");
        if (!tinsora::LockFileUsable(QFile::encodeName(lockName).toStdString()))
            return nullptr;
        QDir().mkpath(QFileInfo(file).absolutePath()); // as QSettings makes it, first of all
        QLockFile lock(lockName);
        if (!lock.tryLock(1000))
            return nullptr;
        // Free now: QSettings takes it again as it writes.
    }
    return std::make_unique<QSettings>(file, QSettings::NativeFormat);
}

bool SettingsStoreMissing() {
    return JudgeSettings() == tinsora::SettingsFileKind::Missing;
}

#endif

// The first start leaves the store behind, empty, before anything is written.
// Settings reach the disk (or the registry) only when a value changes, so one
// is written and taken away again.
void CreateSettingsStore() {
    if (!SettingsStoreMissing())
        return;
    const std::unique_ptr<QSettings> settings = OpenSettings(true);
    if (!settings)
        return;
    const QString probe = QStringLiteral("Created");
    settings->setValue(probe, QString());
    settings->sync();
    settings->remove(probe);
    settings->sync();
}

// Whether any part of a title bar of this width and height at topLeft lies on a screen.
bool TitleBarOnScreen(const QPoint& topLeft, int width, int height,
                      const std::vector<QRect>& screens) {
    const qint64 left = topLeft.x();
    const qint64 top = topLeft.y();
    const qint64 right = left + width;
    const qint64 bottom = top + height;
    for (const QRect& s : screens) {
        if (left < qint64{s.x()} + s.width() && right > s.x() && top < qint64{s.y()} + s.height() &&
            bottom > s.y())
            return true;
    }
    return false;
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
    const QPoint position = LoadSettings();
    CreateSettingsStore();
    lastGradColor = 1;
    ApplyWindowType(windowType);
    if (!ui->mnuToolBarDisp->isChecked())
        ApplyToolBarState();
    RestorePosition(position);
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

QPoint TfrmMain::LoadSettings() {
    // A store that may not be read gives the design values, and is not written at exit.
    const std::unique_ptr<QSettings> settings = OpenSettings(false);
    settingsRefused = !settings;
    const auto read = [&settings](const QString& name, int fallback) {
        return settings ? ReadInteger(*settings, name, fallback) : fallback;
    };
    windowType = read(QStringLiteral("WindowType"), wtMax);
    const QPoint position(read(QStringLiteral("Left"), 0), read(QStringLiteral("Top"), 0));
    ui->mnuToolBarDisp->setChecked(read(QStringLiteral("ToolBar"), 1) != 0);
    // Anything but the HTML5 + CSS style's own name means the classic style.
    const QVariant style = settings ? settings->value(QStringLiteral("OutputStyle")) : QVariant();
    SetOutputStyle(style.typeId() == QMetaType::QString &&
                           style.toString() == QStringLiteral("html5")
                       ? tinsora::OutputStyle::Html5
                       : tinsora::OutputStyle::Classic);
    // "ja" or "en"; anything else, or none, is the system's language, set up before the window.
    const QVariant language = settings ? settings->value(QStringLiteral("Language")) : QVariant();
    if (language.typeId() == QMetaType::QString)
        ChooseLanguage(language.toString());
    const QVariant css = settings ? settings->value(QStringLiteral("CssForm")) : QVariant();
    ui->mnuCssClasses->setChecked(css.typeId() == QMetaType::QString &&
                                  css.toString() == QStringLiteral("classes"));
    return position;
}

void TfrmMain::RestorePosition(const QPoint& position) {
    // At (0, 0) the window system places the window, as it does a new one; so it does when no
    // part of the title bar would be on a screen (the screens have changed, or the value was
    // edited), where the user could not reach the window to move it.
    const int titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    if (position != QPoint(0, 0) &&
        TitleBarOnScreen(position, frameGeometry().width(), titleBar, services.screenAreas()))
        move(position);
}

void TfrmMain::SaveSettings() {
    if (settingsRefused)
        return; // never in place of what was not read
    const std::unique_ptr<QSettings> settings = OpenSettings(true);
    if (!settings)
        return;
    settings->setValue(QStringLiteral("WindowType"), QString::number(windowType));
    settings->setValue(QStringLiteral("Left"), QString::number(x()));
    settings->setValue(QStringLiteral("Top"), QString::number(y()));
    settings->setValue(QStringLiteral("ToolBar"),
                       ui->mnuToolBarDisp->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    settings->setValue(QStringLiteral("OutputStyle"), outputStyle == tinsora::OutputStyle::Html5
                                                          ? QStringLiteral("html5")
                                                          : QStringLiteral("classic"));
    settings->setValue(QStringLiteral("CssForm"), ui->mnuCssClasses->isChecked()
                                                      ? QStringLiteral("classes")
                                                      : QStringLiteral("inline"));
    if (!languageSetting.isEmpty())
        settings->setValue(QStringLiteral("Language"), languageSetting);
    settings->sync(); // a store that cannot be written loses the settings, nothing else
}

void TfrmMain::LoadTemplates() {
    // A list of names needs far less; a larger file is refused, not loaded
    // into the list box whatever its size.
    constexpr std::uint64_t kTemplateListLimit = 1048576;
    templateFileName = "tinsora.col";
    for (;;) {
        try {
            templateLines = tinsora::SplitLines(tinsora::ReadFileBytes(
                templateFileName, kTemplateListLimit, tinsora::FileKind::Regular));
            break;
        } catch (const tinsora::Error& e) {
            if (!services.askRetryCancel(this, QStringLiteral("OpenError"), ErrorText(e))) {
                templateLines.clear();
                break;
            }
        }
    }
    // The list box shows some twenty characters of a name; a longer text would be measured
    // whole at every repaint, so a name is shown up to this many.
    constexpr qsizetype kShownNameLength = 256;
    ui->lstColorSample->clear();
    for (const std::string& name : tinsora::TemplateNames(templateLines)) {
        QString shown = QString::fromStdString(tinsora::Cp932ToUtf8(name));
        if (shown.size() > kShownNameLength)
            shown.truncate(shown.at(kShownNameLength - 1).isHighSurrogate() ? kShownNameLength - 1
                                                                            : kShownNameLength);
        ui->lstColorSample->addItem(shown);
    }
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
