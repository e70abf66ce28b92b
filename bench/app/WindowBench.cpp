// The window's costs on the offscreen platform: "作成" of large outputs into
// the output pane (a 1000 x 1000 gradient table, 56 MB; the gradient text of a
// 2 MB text file joined, 82 MB; a 300 x 300 table in line mode and joined):
// how soon a key press waiting behind the click is handled, the longest the
// user-interface thread stops answering, when the first lines are painted and
// the process's peak memory; then what a user does with the 56 MB in the
// window: scrolling to the end and back, Ctrl+A and Ctrl+C, a find near the
// end. Besides, a pick while dragging over the colour map and drawing the
// three pictures.

#include "Application.h"
#include "HtmlFindBar.h"
#include "HtmlTextView.h"
#include "MarkerOverlay.h"
#include "PictureBox.h"
#include "ProcessMemory.h"
#include "QtDesktopServices.h"
#include "Unit1.h"
#include "bench/MixedText.h"
#include "gradient/Pictures.h"
#include "text/Cp932.h"
#include "ui_Unit1.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <benchmark/benchmark.h>

namespace {

// Answers every question without a dialog: Cancel for the missing template
// list, OK for confirmations. The clipboard is the platform's.
class QuietServices final : public DesktopServices {
public:
    bool askRetryCancel(QWidget*, const QString&, const QString&) override { return false; }
    bool askOkCancel(QWidget*, const QString&, const QString&) override { return true; }
    void showError(QWidget*, const QString& text) override { lastError = text; }
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
    void setClipboardText(const QString& text) override { desktop.setClipboardText(text); }
    void setClipboardUtf8(const QByteArray& utf8) override { desktop.setClipboardUtf8(utf8); }
    std::optional<QString> clipboardText() override { return desktop.clipboardText(); }
    int screenWidth() override { return 1024; }
    bool openUrl(const QUrl&, OpenFailed) override { return true; }
    QString lastError;

private:
    QtDesktopServices desktop;
};

// About 2.7 MB of mixed text: 82 MB of gradient text, joined.
QByteArray MixedFile() {
    return QByteArray::fromStdString(tinsora::bench::MixedCp932Text((8u << 20) / 3));
}

enum Output { Table1000, TextFile, Table300Lines, Table300Joined };

const char* Name(int output) {
    const char* const names[] = {"table 1000 x 1000", "2 MB text file, joined",
                                 "table 300 x 300, line mode", "table 300 x 300, joined"};
    return names[output];
}

struct Window {
    QuietServices services;
    TfrmMain window{services};
    Ui::TfrmMain& ui = *window.form();
    QTemporaryDir dir;

    explicit Window(int output) {
        window.show();
        QCoreApplication::processEvents();
        if (output == TextFile) {
            const QString path = dir.filePath(QStringLiteral("mixed.txt"));
            QFile file(path);
            file.open(QIODevice::WriteOnly);
            file.write(MixedFile());
            file.close();
            ui.PageControl1->setCurrentIndex(1);
            ui.rbtnGraTextFile->setChecked(true);
            ui.edtTextFileName->setText(path);
        } else {
            ui.PageControl1->setCurrentIndex(3);
            const QString count =
                output == Table1000 ? QStringLiteral("1000") : QStringLiteral("300");
            ui.edtTD->setText(count);
            ui.edtTR->setText(count);
        }
        ui.chkRN->setChecked(output != TextFile && output != Table300Joined);
    }
    void WaitForRun() {
        while (window.runInProgress())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    void Key(QWidget* to, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, key, mods);
        QApplication::sendEvent(to, &press);
        QKeyEvent release(QEvent::KeyRelease, key, mods);
        QApplication::sendEvent(to, &release);
    }
};

// Records when a key press posted behind the click is handled.
class KeyWatch final : public QObject {
public:
    QElapsedTimer* clock = nullptr;
    double handledMs = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && handledMs < 0)
            handledMs = clock->nsecsElapsed() / 1e6;
        return QObject::eventFilter(watched, event);
    }
};

// The longest the user-interface thread goes without handling a timer that asks
// every 2 ms, from its making on.
class StallWatch {
public:
    StallWatch() {
        ticks.setInterval(2);
        QObject::connect(&ticks, &QTimer::timeout, [this] {
            const double now = clock.nsecsElapsed() / 1e6;
            longest = std::max(longest, now - last);
            last = now;
        });
        clock.start();
        ticks.start();
    }
    double Longest() const { return std::max(longest, clock.nsecsElapsed() / 1e6 - last); }

private:
    QTimer ticks;
    QElapsedTimer clock;
    double last = 0;
    double longest = 0;
};

// "作成" clicked with an empty pane: a key press posted at once, ticks every 2 ms
// to find the longest stop of the user-interface thread, until the output is
// in the pane and painted.
void BM_CreateIntoThePane(benchmark::State& state) {
    const int output = static_cast<int>(state.range(0));
    Window w(output);
    KeyWatch watch;
    w.ui.edtRn->installEventFilter(&watch);
    double worstKey = 0, worstStall = 0, peak = 0, before = 0, bytes = 0;
    for (auto _ : state) {
        w.ui.btnClear->click();
        QCoreApplication::processEvents();
        before = bench::StatusMegabytes("VmRSS:");
        bench::ResetPeak();
        QElapsedTimer clock;
        watch.clock = &clock;
        watch.handledMs = -1;
        const StallWatch stall;
        clock.start();
        w.ui.SpeedButton2->click();
        QCoreApplication::postEvent(w.ui.edtRn,
                                    new QKeyEvent(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier));
        w.WaitForRun();
        w.ui.txtHTML->viewport()->repaint();
        const double shown = clock.nsecsElapsed() / 1e6;
        state.SetIterationTime(shown / 1000);
        worstKey = std::max(worstKey, watch.handledMs);
        worstStall = std::max(worstStall, stall.Longest());
        peak = std::max(peak, bench::StatusMegabytes("VmHWM:"));
        bytes = static_cast<double>(w.ui.txtHTML->byteCount()) / (1 << 20);
    }
    if (!w.services.lastError.isEmpty())
        state.SkipWithError(w.services.lastError.toUtf8().constData());
    state.counters["key_ms"] = worstKey;
    state.counters["stall_ms"] = worstStall;
    state.counters["output_MiB"] = bytes;
    state.counters["rss_before_MiB"] = before;
    state.counters["peak_MiB"] = peak;
    state.counters["bar_MiB"] = 2 * bytes + 100;
    state.SetLabel(Name(output));
}

// The 56 MB table in the window's pane, focused.
struct TablePane : Window {
    HtmlTextView* pane = ui.txtHTML;
    TablePane() : Window(Table1000) {
        ui.SpeedButton2->click();
        WaitForRun();
        pane->setFocus();
        pane->viewport()->repaint();
    }
};

void BM_ScrollToTheEndAndBack(benchmark::State& state) {
    TablePane w;
    for (auto _ : state) {
        w.Key(w.pane, Qt::Key_End, Qt::ControlModifier);
        w.pane->viewport()->repaint();
        w.Key(w.pane, Qt::Key_Home, Qt::ControlModifier);
        w.pane->viewport()->repaint();
    }
}

void BM_SelectAllAndCopy(benchmark::State& state) {
    TablePane w;
    const std::size_t expected =
        w.pane->byteCount() +
        static_cast<std::size_t>(std::count(w.pane->text().begin(), w.pane->text().end(), '\n'));
    bool copied = true;
    for (auto _ : state) {
        w.Key(w.pane, Qt::Key_A, Qt::ControlModifier);
        w.pane->viewport()->repaint();
        w.Key(w.pane, Qt::Key_C, Qt::ControlModifier);
        state.PauseTiming();
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        copied =
            copied && data &&
            static_cast<std::size_t>(data->data(QStringLiteral("text/plain")).size()) == expected;
        QGuiApplication::clipboard()->clear();
        w.pane->setSelection(0, 0);
        state.ResumeTiming();
    }
    if (!copied)
        state.SkipWithError("the clipboard did not get the whole text");
}

// The last cell's colour, typed into the find bar and sought from the start.
void BM_FindNearTheEnd(benchmark::State& state) {
    TablePane w;
    const std::string& text = w.pane->text();
    const std::size_t at = text.rfind("bgcolor=\"#") + 9;
    const QString needle = QString::fromStdString(text.substr(at, 7));
    w.Key(w.pane, Qt::Key_F, Qt::ControlModifier);
    auto* field = w.pane->findBar()->findChild<QLineEdit*>(QStringLiteral("edtFind"));
    field->setText(needle);
    for (auto _ : state) {
        w.Key(field, Qt::Key_Return);
        w.pane->viewport()->repaint();
        state.PauseTiming();
        w.pane->setSelection(0, 0);
        state.ResumeTiming();
    }
    state.counters["hit_at"] =
        static_cast<double>(text.find(needle.toStdString())) / static_cast<double>(text.size());
    state.SetLabel(needle.toStdString());
}

// A copy of the program's own of arg 0 megabytes (table lines, as コピー puts them on the
// clipboard) pasted into the 文字列 box with Shift+Insert: the box takes what its length limit
// lets in, whatever the copy's size (arg 1 = 0). Arg 1 = 1 pastes with the box's own
// QLineEdit::paste(), which decodes the whole clipboard first, for the ratio.
void BM_PasteIntoATextBox(benchmark::State& state) {
    Window w(Table300Lines);
    const std::string line = "      <TD bgcolor=\"#FF0000\" width=\"1\" height=\"1\"></TD>\r\n";
    QByteArray copy;
    copy.reserve(static_cast<qsizetype>(state.range(0) << 20));
    while (copy.size() < (state.range(0) << 20))
        copy.append(line.data(), static_cast<qsizetype>(line.size()));
    w.services.setClipboardUtf8(copy);
    QLineEdit* box = w.ui.edtGraText;
    w.ui.PageControl1->setCurrentIndex(1);
    box->setFocus();
    for (auto _ : state) {
        state.PauseTiming();
        box->clear();
        state.ResumeTiming();
        if (state.range(1) == 0)
            w.Key(box, Qt::Key_Insert, Qt::ShiftModifier);
        else
            box->paste();
    }
    if (box->text().size() != box->maxLength())
        state.SkipWithError("the box did not fill up to its limit");
    state.SetLabel(std::to_string(state.range(0)) + " MB, " +
                   (state.range(1) == 0 ? "Shift+Insert" : "QLineEdit::paste()"));
}

// What the pane holds at its limit, as the process's peak: a table whose text with CR LF line
// ends is just under the limit (lines of 55 bytes), and the gradient text of a file of line
// ends only (lines of 5 bytes, whose line index is larger than the text): each made into an
// empty pane, then made again while the first is still shown; the table also copied.
void BM_AtThePaneLimit(benchmark::State& state) {
    const bool lines = state.range(0) == 1;
    Window w(lines ? TextFile : Table1000);
    if (lines) {
        QFile file(w.ui.edtTextFileName->text());
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        const QByteArray ends = QByteArray("\r\n").repeated(1 << 20);
        for (std::uint64_t k = 0; k < TfrmMain::kMaxPaneBytes / 6 / (1 << 20); ++k)
            file.write(ends);
        w.ui.chkRN->setChecked(true);
    } else {
        w.ui.edtTD->setText(QStringLiteral("9500"));
        w.ui.edtTR->setText(QStringLiteral("1000"));
    }
    for (auto _ : state) {
        w.ui.btnClear->click();
        const double base = bench::StatusMegabytes("VmRSS:");
        bench::ResetPeak();
        w.ui.SpeedButton2->click();
        w.WaitForRun();
        state.counters["first_peak_MiB"] = bench::StatusMegabytes("VmHWM:");
        state.counters["held_MiB"] = bench::StatusMegabytes("VmRSS:") - base;
        bench::ResetPeak();
        {
            const StallWatch stall;
            w.ui.SpeedButton2->click();
            w.WaitForRun();
            state.counters["again_stall_ms"] = stall.Longest();
        }
        state.counters["again_peak_MiB"] = bench::StatusMegabytes("VmHWM:");
        if (!lines) {
            QElapsedTimer clock;
            clock.start();
            w.ui.btnClipCopyHTML->click();
            state.counters["copy_ms"] = clock.nsecsElapsed() / 1e6;
            state.counters["copied_peak_MiB"] = bench::StatusMegabytes("VmHWM:");
            QGuiApplication::clipboard()->clear();
        }
        state.counters["text_MiB"] = static_cast<double>(w.ui.txtHTML->byteCount()) / (1 << 20);
        state.counters["base_MiB"] = base;
        QElapsedTimer clock;
        clock.start();
        w.ui.btnClear->click();
        state.counters["clear_ms"] = clock.nsecsElapsed() / 1e6;
    }
    if (!w.services.lastError.isEmpty())
        state.SkipWithError(w.services.lastError.toUtf8().constData());
    state.SetLabel(lines ? "lines of <BR> only" : "table 9500 x 1000");
}

// One drag step over the map: the colour recomputed, the marker moved, the
// three bars set (each running its change handler) and the display refreshed.
void BM_DragPickOnColorMap(benchmark::State& state) {
    Window w(Table300Lines);
    const QPointF start(0, 0);
    QMouseEvent press(QEvent::MouseButtonPress, start, start, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(w.ui.picBasGrad, &press);
    int x = 0;
    for (auto _ : state) {
        x = (x + 7) % 201; // a different colour each step, so the bars move
        const QPointF at(x, (x * 3) % 30);
        QMouseEvent move(QEvent::MouseMove, at, at, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w.ui.picBasGrad, &move);
    }
}

// The three pictures as start-up draws them, each into a new image.
void BM_DrawAllThreePictures(benchmark::State& state) {
    for (auto _ : state) {
        QImage map(tinsora::kBaseMapWidth, tinsora::kBaseMapHeight, QImage::Format_RGB32);
        QImage square(tinsora::kSquareSize, tinsora::kSquareSize, QImage::Format_RGB32);
        QImage strip(tinsora::kStripWidth, tinsora::kStripHeight, QImage::Format_RGB32);
        const auto pixels = [](QImage& i) { return reinterpret_cast<std::uint32_t*>(i.bits()); };
        tinsora::DrawBaseColorMap(pixels(map), map.bytesPerLine() / 4);
        tinsora::DrawCornerGradient(pixels(square), square.bytesPerLine() / 4,
                                    tinsora::kInitialGradientColors);
        tinsora::DrawColorStrip(pixels(strip), strip.bytesPerLine() / 4, 1,
                                tinsora::kInitialGradientColors);
        benchmark::DoNotOptimize(map.constBits());
        benchmark::DoNotOptimize(square.constBits());
        benchmark::DoNotOptimize(strip.constBits());
    }
}

} // namespace

BENCHMARK(BM_DragPickOnColorMap)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawAllThreePictures)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CreateIntoThePane)
    ->Arg(Table1000)
    ->Arg(TextFile)
    ->Arg(Table300Lines)
    ->Arg(Table300Joined)
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AtThePaneLimit)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollToTheEndAndBack)->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectAllAndCopy)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindNearTheEnd)->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PasteIntoATextBox)
    ->Args({56, 0})
    ->Args({56, 1})
    ->Args({256, 0})
    ->Args({256, 1})
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SetUpApplication(app); // the fonts the window uses
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
