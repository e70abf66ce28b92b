// The output pane of the real program on a real X server, driven as a user
// drives it (xdotool): "作成" of a 1000 x 1000 gradient table (56 MB), of the
// gradient text of a 2 MB text file joined (82 MB), of a 300 x 300 table in
// line mode and joined; then, on the 56 MB, scrolling to the end and back,
// Ctrl+A and Ctrl+C, and a find near the end. It measures what a user waits
// for from the moment a command is sent: a key press sent right behind the
// click handled (the caption changes), the first lines on screen (read back
// from the X server), and the program's peak memory (/proc, Linux).
//
// usage: tinsora_pane_x11_bench [PATH-TO-tinsora]   (on an X display without a
// window manager; bench/app/pane-x11 starts one)

#include "Application.h"
#include "DesktopServices.h"
#include "HtmlTextView.h"
#include "ProcessMemory.h"
#include "Unit1.h"
#include "bench/MixedText.h"
#include "text/Cp932.h"
#include "ui_Unit1.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QPixmap>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QToolButton>
#include <QtGui/qguiapplication_platform.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <xcb/xcb.h>

namespace {

// Answers nothing: the window here is only measured, never used.
class NoServices final : public DesktopServices {
public:
    bool askRetryCancel(QWidget*, const QString&, const QString&) override { return false; }
    bool askOkCancel(QWidget*, const QString&, const QString&) override { return true; }
    void showError(QWidget*, const QString&) override {}
    std::optional<QString> chooseOpenFile(QWidget*, const FileDialogRequest&) override {
        return {};
    }
    std::optional<QString> chooseSaveFile(QWidget*, const FileDialogRequest&) override {
        return {};
    }
    std::optional<SaveFileChoice> chooseSaveFileAndFilter(QWidget*, const FileDialogRequest&,
                                                          const QString&) override {
        return {};
    }
    void setClipboardText(const QString&) override {}
    void setClipboardUtf8(const QByteArray&) override {}
    std::optional<QString> clipboardText() override { return {}; }
    int screenWidth() override { return 1280; }
    bool openUrl(const QUrl&, OpenFailed) override { return false; }
};

QString Run(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        std::fprintf(stderr, "%s %s failed: %s\n", qPrintable(program),
                     qPrintable(arguments.join(' ')), p.readAllStandardError().constData());
        std::exit(1);
    }
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

void Xdotool(const QStringList& arguments) {
    Run(QStringLiteral("xdotool"), arguments);
}

double Ms(const QElapsedTimer& clock) {
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

// Lets this program's own events be handled for a while.
void Wait(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
}

// About 2.7 MB of mixed text: 82 MB of gradient text, joined.
QByteArray MixedFile() {
    return QByteArray::fromStdString(tinsora::bench::MixedCp932Text((8u << 20) / 3));
}

// The real program, and where its controls are on the screen.
class Program {
public:
    Program(const QString& path, const QString& folder) : layout(services) {
        // The places of the controls, from a window of the same form never shown.
        layout.setAttribute(Qt::WA_DontShowOnScreen);
        layout.show();
        QCoreApplication::processEvents();

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), folder);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), folder + QStringLiteral("/config"));
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(folder);
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        process.start(path, {});
        if (!process.waitForStarted(10000)) {
            std::fprintf(stderr, "cannot start %s\n", qPrintable(path));
            std::exit(1);
        }
        pid = QString::number(process.processId());
        window = Run(QStringLiteral("xdotool"),
                     {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--all"),
                      QStringLiteral("--onlyvisible"), QStringLiteral("--pid"), pid,
                      QStringLiteral("--name"), QStringLiteral("ティンソラ")})
                     .split('\n')
                     .first();
        QThread::msleep(500); // drawn and settled
        const QStringList shell =
            Run(QStringLiteral("xdotool"),
                {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window})
                .split('\n');
        for (const QString& line : shell) {
            if (line.startsWith(QLatin1String("X=")))
                origin.setX(line.mid(2).toInt());
            if (line.startsWith(QLatin1String("Y=")))
                origin.setY(line.mid(2).toInt());
        }
        Xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
        const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
        connection = x11->connection();
        nameAtom = Atom("_NET_WM_NAME");
        utf8Atom = Atom("UTF8_STRING");
    }
    ~Program() {
        process.kill();
        process.waitForFinished(5000);
    }

    Ui::TfrmMain& ui() { return *layout.form(); }

    QPoint At(const QWidget* widget, QPoint local = {-1, -1}) const {
        if (local.x() < 0)
            local = widget->rect().center();
        return origin + widget->mapTo(&layout, local);
    }
    QRect Area(const QWidget* widget) const {
        return QRect(At(widget, QPoint(0, 0)), widget->size());
    }
    QPoint Tab(QTabWidget* tabs, int index) const {
        return origin + tabs->tabBar()->mapTo(&layout, tabs->tabBar()->tabRect(index).center());
    }

    void Click(const QPoint& at) {
        Xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                 QStringLiteral("click"), QStringLiteral("--delay=1"), QStringLiteral("1")});
        QThread::msleep(50);
    }
    void Click(const QWidget* widget) { Click(At(widget)); }
    void Keys(const QStringList& keys) {
        Xdotool(QStringList{QStringLiteral("key"), QStringLiteral("--clearmodifiers")} + keys);
        QThread::msleep(50);
    }
    void Type(const QWidget* box, const QString& text) {
        Click(box);
        Keys({QStringLiteral("ctrl+a")});
        Xdotool({QStringLiteral("type"), QStringLiteral("--delay=1"), text});
        QThread::msleep(50);
    }

    QString Caption() {
        const xcb_get_property_cookie_t cookie =
            xcb_get_property(connection, 0, window.toUInt(), nameAtom, utf8Atom, 0, 256);
        xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
        QString name;
        if (reply) {
            name = QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(reply)),
                                     xcb_get_property_value_length(reply));
            std::free(reply);
        }
        return name;
    }
    QImage Grab(const QRect& area) {
        return QGuiApplication::primaryScreen()
            ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
    double PeakMegabytes() { return bench::StatusMegabytes("VmHWM:", pid.toStdString()); }
    void ResetPeak() { bench::ResetPeak(pid.toStdString()); }

private:
    xcb_atom_t Atom(const char* name) {
        const auto cookie =
            xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
        const xcb_atom_t atom = reply ? reply->atom : 0;
        std::free(reply);
        return atom;
    }

    NoServices services;
    TfrmMain layout;
    QProcess process;
    QString pid;
    QString window;
    QPoint origin;
    xcb_connection_t* connection = nullptr;
    xcb_atom_t nameAtom = 0;
    xcb_atom_t utf8Atom = 0;
};

// How many pixels differ: a blinking caret is a few, a new screen of text many.
int Differing(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return a.width() * a.height();
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}
constexpr int kChanged = 60;

// Polls until condition holds; the time from clock's start, or -1 after timeoutMs.
double Until(const QElapsedTimer& clock, const std::function<bool()>& condition,
             double timeoutMs = 20000) {
    while (!condition()) {
        if (Ms(clock) > timeoutMs)
            return -1;
        QThread::usleep(500);
    }
    return Ms(clock);
}

struct Figure {
    QString what;
    double value;
    double bar;
    QString unit;
};
std::vector<Figure> figures;

void Report(const QString& what, double value, double bar, const QString& unit) {
    figures.push_back({what, value, bar, unit});
    const bool ok = value >= 0 && value <= bar;
    std::printf("%-58s %9.1f %-3s (bar %7.1f) %s\n", qPrintable(what), value, qPrintable(unit), bar,
                ok ? "ok" : "OVER");
    std::fflush(stdout);
}

// "作成" clicked with a key press right behind it, into an empty pane.
void TimeCreate(Program& p, const QString& name, double outputMiB, int rounds) {
    auto& ui = p.ui();
    const QRect pane = p.Area(ui.txtHTML->viewport()).adjusted(2, 2, -2, -2);
    double key = 0, lines = 0, peak = 0;
    static int digit = 1;
    for (int round = 0; round < rounds; ++round) {
        p.Click(ui.btnClear);
        p.Click(ui.edtRn);
        p.Keys({QStringLiteral("ctrl+a")});
        QThread::msleep(200);
        const QImage empty = p.Grab(pane);
        const QString caption = p.Caption();
        digit = digit % 9 + 1;
        p.ResetPeak();
        QElapsedTimer clock;
        clock.start();
        const QPoint create = p.At(ui.SpeedButton2);
        Xdotool({QStringLiteral("mousemove"), QString::number(create.x()),
                 QString::number(create.y()), QStringLiteral("click"), QStringLiteral("--delay=1"),
                 QStringLiteral("1"), QStringLiteral("key"), QString::number(digit)});
        const double k = Until(clock, [&] { return p.Caption() != caption; });
        const double l = Until(clock, [&] { return Differing(p.Grab(pane), empty) > kChanged; });
        QThread::msleep(300);
        key = std::max(key, k);
        lines = std::max(lines, l);
        peak = std::max(peak, p.PeakMegabytes());
    }
    Report(name + ": key press behind the click handled", key, 500, "ms");
    Report(name + ": first lines shown", lines, outputMiB > 10 ? 1000 : 200, "ms");
    if (outputMiB > 10)
        Report(name + ": peak memory", peak, 2 * outputMiB + 100, "MiB");
}

// A key sent to the focused pane, until its picture changes.
double TimeKeys(Program& p, const QStringList& keys) {
    const QRect pane = p.Area(p.ui().txtHTML->viewport()).adjusted(2, 2, -2, -2);
    const QImage before = p.Grab(pane);
    QElapsedTimer clock;
    clock.start();
    Xdotool(QStringList{QStringLiteral("key"), QStringLiteral("--clearmodifiers")} + keys);
    const double shown = Until(clock, [&] { return Differing(p.Grab(pane), before) > kChanged; });
    QThread::msleep(150);
    return shown;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    SetUpApplication(app); // the fonts the program uses place its controls
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        std::fprintf(stderr, "run on an X display\n");
        return 2;
    }
    const QString path =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(TINSORA_APP_PATH);
    QTemporaryDir folder;
    // The window measured for its layout keeps its settings to itself.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       folder.filePath(QStringLiteral("layout")));
    QFile::copy(QStringLiteral(TINSORA_SOURCE_DIR "/data/tinsora.col"),
                folder.filePath(QStringLiteral("tinsora.col")));
    const QString textFile = folder.filePath(QStringLiteral("mixed.txt"));
    {
        QFile file(textFile);
        file.open(QIODevice::WriteOnly);
        file.write(MixedFile());
    }
    Program p(path, folder.path());
    auto& ui = p.ui();

    // The 1000 x 1000 table, in line mode.
    p.Click(p.Tab(ui.PageControl1, 3));
    p.Type(ui.edtTD, QStringLiteral("1000"));
    p.Type(ui.edtTR, QStringLiteral("1000"));
    TimeCreate(p, QStringLiteral("table 1000 x 1000 (56 MB)"), 52.5, 3);

    // On the 56 MB: scrolling, selecting all and copying, finding near the end.
    p.Click(p.At(ui.txtHTML->viewport(), QPoint(40, 8)));
    Report(QStringLiteral("56 MB: Ctrl+End shown"), TimeKeys(p, {QStringLiteral("ctrl+End")}), 1000,
           QStringLiteral("ms"));
    Report(QStringLiteral("56 MB: Ctrl+Home shown"), TimeKeys(p, {QStringLiteral("ctrl+Home")}),
           1000, QStringLiteral("ms"));
    Report(QStringLiteral("56 MB: Ctrl+A shown"), TimeKeys(p, {QStringLiteral("ctrl+a")}), 1000,
           QStringLiteral("ms"));
    p.ResetPeak();
    Report(QStringLiteral("56 MB: Ctrl+C, then Ctrl+End shown"),
           TimeKeys(p, {QStringLiteral("ctrl+c"), QStringLiteral("ctrl+End")}), 1000,
           QStringLiteral("ms"));
    {
        // The copy as another program pastes it, read through the X server. A click on a
        // window of this program's own first, or the program owning the clipboard takes the
        // request for one from before its copy.
        QWidget corner(nullptr, Qt::FramelessWindowHint | Qt::BypassWindowManagerHint);
        corner.setGeometry(1240, 980, 30, 30);
        corner.show();
        Wait(300);
        Xdotool({QStringLiteral("mousemove"), QStringLiteral("1255"), QStringLiteral("995"),
                 QStringLiteral("click"), QStringLiteral("--delay=1"), QStringLiteral("1")});
        Wait(200);
        QElapsedTimer clock;
        clock.start();
        const QMimeData* offered = QGuiApplication::clipboard()->mimeData();
        const QByteArray pasted =
            offered ? offered->data(QStringLiteral("text/plain")) : QByteArray();
        std::printf("56 MB: pasted elsewhere: %lld bytes in %.0f ms (with CR LF: %s)\n",
                    static_cast<long long>(pasted.size()), Ms(clock),
                    pasted.endsWith("</TABLE>\r\n") ? "yes" : "no");
        Report(QStringLiteral("56 MB: peak memory through Ctrl+C and a paste elsewhere"),
               p.PeakMegabytes(), 2 * 52.5 + 100, QStringLiteral("MiB"));
    }
    p.Keys({QStringLiteral("ctrl+Home"), QStringLiteral("ctrl+f")});
    Xdotool({QStringLiteral("type"), QStringLiteral("--delay=1"), QStringLiteral("#0000FF")});
    QThread::msleep(200);
    Report(QStringLiteral("56 MB: find of the last cell's colour shown"),
           TimeKeys(p, {QStringLiteral("Return")}), 1000, QStringLiteral("ms"));
    p.Keys({QStringLiteral("Escape")});

    // The 300 x 300 table, in line mode and joined.
    p.Type(ui.edtTD, QStringLiteral("300"));
    p.Type(ui.edtTR, QStringLiteral("300"));
    TimeCreate(p, QStringLiteral("table 300 x 300, line mode (5 MB)"), 5, 3);
    p.Click(ui.chkRN); // joined, made at once
    QThread::msleep(500);
    TimeCreate(p, QStringLiteral("table 300 x 300, joined"), 5, 3);

    // The 2 MB text file, joined.
    p.Click(p.Tab(ui.PageControl1, 1));
    p.Click(ui.rbtnGraTextFile);
    p.Type(ui.edtTextFileName, textFile);
    TimeCreate(p, QStringLiteral("2 MB text file, joined (82 MB)"), 78, 3);

    int over = 0;
    for (const Figure& f : figures)
        over += f.value < 0 || f.value > f.bar;
    std::printf("%d of %zu figures within their bars\n", static_cast<int>(figures.size()) - over,
                figures.size());
    return over == 0 ? 0 : 1;
}
