#include "EyedropperPortal.h"
#include "QtDesktopServices.h"
#include "text/Error.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QMessageBox>
#include <QMimeData>
#include <QMimeDatabase>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>

namespace {

bool AskTwo(QWidget* parent, const QString& caption, const QString& text,
            QMessageBox::StandardButton yes) {
    QMessageBox box(QMessageBox::NoIcon, caption, text, yes | QMessageBox::Cancel, parent);
    box.setDefaultButton(yes);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == yes;
}

// Types and icons from the file's name alone. Guessing them from the contents
// reads every file the dialog lists, on the user-interface thread, and the
// read of a file such as /proc/kmsg never ends.
class NameOnlyIconProvider final : public QFileIconProvider {
public:
    using QFileIconProvider::icon;

    QIcon icon(const QFileInfo& info) const override {
        if (info.isDir())
            return QFileIconProvider::icon(Folder);
        const QMimeType type = NameType(info);
        return QIcon::fromTheme(type.iconName(), QFileIconProvider::icon(File));
    }

    QString type(const QFileInfo& info) const override {
        if (info.isDir())
            return QFileIconProvider::type(info); // a folder is known without reading it
        const QMimeType type = NameType(info);
        return type.comment().isEmpty() ? type.name() : type.comment();
    }

private:
    QMimeType NameType(const QFileInfo& info) const {
        return mimeTypes.mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
    }

    QMimeDatabase mimeTypes;
};

std::optional<SaveFileChoice> RunFileDialog(QWidget* parent, const FileDialogRequest& request,
                                            QFileDialog::AcceptMode mode,
                                            const QString& filter = QString()) {
    NameOnlyIconProvider icons;
    QFileDialog dialog(parent);
    dialog.setIconProvider(&icons);
    dialog.setAcceptMode(mode);
    // An open dialog takes a typed name of a file that does not exist, too.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(request.filters);
    if (!filter.isEmpty())
        dialog.selectNameFilter(filter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    // Neither dialog asks whether a file must exist or may be replaced.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    const QFileInfo offered(request.fileName);
    if (!request.fileName.isEmpty() && offered.isAbsolute()) {
        // The dialog shows a folder that exists and the rest of the path as
        // the name, so that a path into a folder not yet made is offered whole.
        QString folder = offered.absolutePath();
        while (!QFileInfo(folder).isDir() && QFileInfo(folder).path() != folder)
            folder = QFileInfo(folder).path();
        dialog.setDirectory(folder);
        dialog.selectFile(QDir(folder).relativeFilePath(offered.absoluteFilePath()));
    } else if (!request.fileName.isEmpty()) {
        dialog.selectFile(request.fileName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return SaveFileChoice{dialog.selectedFiles().first(), dialog.selectedNameFilter()};
}

// Marks the program's own copies, held as UTF-8 bytes, on the clipboard (in this process only).
constexpr const char* kOwnUtf8Copy = "tinsoraUtf8Copy";

QClipboard* Clipboard() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        throw tinsora::Error(
            QCoreApplication::translate("HtmlTextView", "クリップボードを開くことができません")
                .toStdString());
    return clipboard;
}

} // namespace

bool QtDesktopServices::askRetryCancel(QWidget* parent, const QString& caption,
                                       const QString& text) {
    return AskTwo(parent, caption, text, QMessageBox::Retry);
}

bool QtDesktopServices::askOkCancel(QWidget* parent, const QString& caption, const QString& text) {
    return AskTwo(parent, caption, text, QMessageBox::Ok);
}

void QtDesktopServices::showError(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Critical, QCoreApplication::translate("TfrmMain", "ティンソラ"),
                    text, QMessageBox::Ok, parent);
    box.exec();
}

std::optional<QString> QtDesktopServices::chooseOpenFile(QWidget* parent,
                                                         const FileDialogRequest& request) {
    const auto chosen = RunFileDialog(parent, request, QFileDialog::AcceptOpen);
    return chosen ? std::optional<QString>(chosen->path) : std::nullopt;
}

std::optional<QString> QtDesktopServices::chooseSaveFile(QWidget* parent,
                                                         const FileDialogRequest& request) {
    const auto chosen = RunFileDialog(parent, request, QFileDialog::AcceptSave);
    return chosen ? std::optional<QString>(chosen->path) : std::nullopt;
}

std::optional<SaveFileChoice>
QtDesktopServices::chooseSaveFileAndFilter(QWidget* parent, const FileDialogRequest& request,
                                           const QString& filter) {
    return RunFileDialog(parent, request, QFileDialog::AcceptSave, filter);
}

void QtDesktopServices::setClipboardText(const QString& text) {
    Clipboard()->setText(text);
}

// A paste elsewhere is answered with these very bytes: no UTF-16 copy is kept,
// and none is made when another program asks for UTF-8.
void QtDesktopServices::setClipboardUtf8(const QByteArray& utf8) {
    QClipboard* clipboard = Clipboard();
    auto* data = new QMimeData;
    data->setData(QStringLiteral("text/plain"), utf8);
    data->setProperty(kOwnUtf8Copy, true);
    clipboard->setMimeData(data);
}

// What the clipboard holds is asked before its text: with no program owning
// the clipboard there is nothing, which is not an empty text.
std::optional<QString> QtDesktopServices::clipboardText() {
    const QMimeData* data = Clipboard()->mimeData();
    if (!data || !data->hasText())
        return std::nullopt;
    return data->text();
}

bool QtDesktopServices::clipboardHasText() {
    const QMimeData* data = Clipboard()->mimeData();
    return data && data->hasText();
}

int QtDesktopServices::screenWidth() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 0;
}

std::optional<QString> DesktopServices::clipboardTextStart(QClipboard::Mode mode, qsizetype units) {
    QClipboard* clipboard = Clipboard();
    const QMimeData* data = clipboard->mimeData(mode);
    if (!data || !data->hasText())
        return std::nullopt;
    if (units <= 0)
        return QString();
    if (data->property(kOwnUtf8Copy).toBool()) {
        // The program's own copy, UTF-8 bytes held as they are: no more of them is decoded
        // than can give the units (a code unit takes at most three bytes; one more character
        // decoded keeps a character cut at the end out of those taken).
        const QByteArray utf8 = data->data(QStringLiteral("text/plain"));
        const qsizetype bytes = units < utf8.size() / 3 ? 3 * units + 4 : utf8.size();
        QString text = QString::fromUtf8(utf8.constData(), bytes);
        if (text.size() > units)
            text.truncate(text.at(units - 1).isHighSurrogate() ? units - 1 : units);
        return text;
    }
    QString text = data->text();
    text.truncate(units);
    return text;
}

std::vector<QRect> DesktopServices::screenAreas() {
    std::vector<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.push_back(screen->geometry());
    return areas;
}

bool QtDesktopServices::openUrl(const QUrl& url, OpenFailed failed) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // Qt starts xdg-open and forgets it; xdg-open ends with a failure, and says why,
    // when it finds no browser or the browser it starts will not run.
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty())
        return QDesktopServices::openUrl(url);
    // Owned by the application: one still running when the program ends is ended with it.
    auto* process = new QProcess(QCoreApplication::instance());
    process->setProgram(opener);
    process->setArguments({url.toString(QUrl::FullyEncoded)});
    process->setStandardOutputFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::finished, process,
                     [process, failed](int code, QProcess::ExitStatus status) {
                         if ((status != QProcess::NormalExit || code != 0) && failed) {
                             const QStringList said =
                                 QString::fromLocal8Bit(process->readAllStandardError())
                                     .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
                             failed(said.isEmpty() ? QString() : said.last().trimmed().left(200));
                         }
                         process->deleteLater();
                     });
    process->start();
    if (!process->waitForStarted(10000)) {
        delete process;
        return false;
    }
    return true;
#else
    (void)failed; // the system says at once whether the page was opened
    return QDesktopServices::openUrl(url);
#endif
}

// The screen, for the eyedropper.

std::vector<DesktopServices::ScreenGrab> QtDesktopServices::grabScreens() {
    // A Wayland compositor hands out no screen contents; its portal picks instead.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return {};
    std::vector<ScreenGrab> grabs;
    for (QScreen* screen : QGuiApplication::screens()) {
        QImage image = screen->grabWindow(0).toImage();
        if (image.isNull())
            continue;
        const QRect geometry = screen->geometry();
        const qreal scale = screen->devicePixelRatio();
        const QSize expected(qRound(geometry.width() * scale), qRound(geometry.height() * scale));
        // Some platforms grab the whole desktop for window 0: keep this screen's part.
        if (image.width() > expected.width() || image.height() > expected.height())
            image = image.copy(QRect(
                QPoint(qRound(geometry.x() * scale), qRound(geometry.y() * scale)), expected));
        image.setDevicePixelRatio(1.0);
        grabs.push_back({geometry, scale, image.convertToFormat(QImage::Format_RGB32)});
    }
    return grabs;
}

QPointF QtDesktopServices::pointerPosition() {
    return QCursor::pos();
}

void QtDesktopServices::setPointerPosition(const QPoint& position) {
    QCursor::setPos(position);
}

bool QtDesktopServices::pickColorFromDesktop(QWidget* parent, const DesktopPickDone& done) {
    return PickColorThroughPortal(parent, done);
}
