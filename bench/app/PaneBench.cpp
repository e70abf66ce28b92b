// The output pane with large outputs, on the offscreen platform: a 1000 x 1000
// gradient table in line mode (56 MB) and the gradient text of a 2 MB text file
// joined into one line (about 80 MB). Each measures what a user waits for:
// the text handed over and its first lines painted, a key press answered,
// scrolling to the end and back, Ctrl+A and Ctrl+C, a find near the end, a
// keystroke near the start; a screen reader's first read near the end; and the
// process's memory at its peak.
//
// Memory is read from /proc/self/status (Linux only).

#include "HtmlTextView.h"
#include "ProcessMemory.h"
#include "bench/MixedText.h"
#include "html/GradientTable.h"
#include "html/GradientText.h"
#include "text/Cp932.h"

#include <QAccessible>
#include <QAccessibleTextInterface>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <string>

namespace {

// ---- the outputs, as the generators hand them to the pane (LF line ends)

std::string Table1000() {
    tinsora::GradientTableOptions options;
    options.cols = "1000";
    options.rows = "1000";
    options.lineEnd = std::string("\n");
    tinsora::StringSink sink;
    tinsora::WriteGradientTable(options, sink);
    return sink.Take();
}

// About 2.7 MB of mixed text: 82 MB of gradient text.
std::string MixedFile() {
    return tinsora::bench::MixedCp932Text((8u << 20) / 3);
}

std::string JoinedTextFile() {
    tinsora::GradientTextOptions options;
    options.source = tinsora::GradientTextSource::File;
    const std::string file = MixedFile();
    options.fileBytes = file;
    options.lineMode = false;
    tinsora::StringSink sink;
    tinsora::WriteGradientText(options, sink);
    return sink.Take();
}

const std::string& Source(int which) {
    static const std::string table = Table1000();
    static const std::string joined = JoinedTextFile();
    return which == 0 ? table : joined;
}

const char* Name(int which) {
    return which == 0 ? "table 1000 x 1000" : "text file, joined";
}

using bench::ResetPeak;
using bench::StatusMegabytes;

// ---- the pane and what a user does to it

struct Pane {
    HtmlTextView view;
    Pane() {
        view.resize(513, 77); // the window's pane
        view.show();
        QCoreApplication::processEvents();
    }
    void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {}) {
        QKeyEvent press(QEvent::KeyPress, key, mods, text);
        QApplication::sendEvent(&view, &press);
        QKeyEvent release(QEvent::KeyRelease, key, mods, text);
        QApplication::sendEvent(&view, &release);
    }
    void Paint() { view.viewport()->repaint(); }
    // Lets the background measuring run to its end; the longest slice, in ms.
    double Settle() {
        double longest = 0;
        QElapsedTimer clock;
        while (view.measuringLines()) {
            clock.start();
            QCoreApplication::processEvents();
            longest = std::max(longest, clock.nsecsElapsed() / 1e6);
        }
        return longest;
    }
};

// The needle near the end of the table: the last cell's colour, sought from the
// start. Its first occurrence is reported as a fraction of the text.
std::string LastColor(const std::string& text) {
    const std::size_t at = text.rfind("bgcolor=\"#");
    return text.substr(at + 9, 7);
}

// ---- benchmarks

// The whole way of one output: made, handed to the pane, painted, used, copied.
void BM_PeakMemory(benchmark::State& state) {
    const int which = static_cast<int>(state.range(0));
    for (auto _ : state) {
        Pane pane;
        QGuiApplication::clipboard()->clear();
        ResetPeak();
        const double before = StatusMegabytes("VmRSS:");
        std::string output = which == 0 ? Table1000() : JoinedTextFile();
        const double bytes = static_cast<double>(output.size()) / (1 << 20);
        const double made = StatusMegabytes("VmHWM:");
        pane.view.setText(std::move(output));
        pane.Paint();
        pane.Key(Qt::Key_Right); // a key press answered
        pane.Paint();
        pane.Settle();
        const double shown = StatusMegabytes("VmHWM:");
        pane.Key(Qt::Key_End, Qt::ControlModifier);
        pane.Paint();
        pane.Key(Qt::Key_Home, Qt::ControlModifier);
        pane.Key(Qt::Key_Right);
        pane.Key(Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        pane.Paint();
        pane.view.find(QStringLiteral("#0000FF"), false);
        const double edited = StatusMegabytes("VmHWM:");
        pane.Key(Qt::Key_A, Qt::ControlModifier);
        pane.Key(Qt::Key_C, Qt::ControlModifier);
        const double copied = StatusMegabytes("VmHWM:");
        pane.view.clear();
        QGuiApplication::clipboard()->clear();
        state.counters["output_MiB"] = bytes;
        state.counters["rss_before_MiB"] = before;
        state.counters["peak_made_MiB"] = made;
        state.counters["peak_shown_MiB"] = shown;
        state.counters["peak_edited_MiB"] = edited;
        state.counters["peak_copied_MiB"] = copied;
        state.counters["rss_cleared_MiB"] = StatusMegabytes("VmRSS:");
        state.counters["bar_MiB"] = 2 * bytes + 100;
    }
    state.SetLabel(Name(which));
}

// Received, first lines painted, then a key press answered.
void BM_ReceiveAndPaint(benchmark::State& state) {
    const int which = static_cast<int>(state.range(0));
    Pane pane;
    double answer = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::string output = Source(which);
        state.ResumeTiming();
        QElapsedTimer clock;
        clock.start();
        pane.view.setText(std::move(output));
        pane.Paint();
        state.PauseTiming();
        const double painted = clock.nsecsElapsed() / 1e6;
        state.ResumeTiming();
        pane.Key(Qt::Key_Down);
        pane.Paint();
        answer = std::max(answer, clock.nsecsElapsed() / 1e6 - painted);
    }
    state.counters["key_after_paint_ms"] = answer;
    state.counters["measured_KiB"] = static_cast<double>(pane.view.measuredBytes()) / 1024;
    state.counters["longest_slice_ms"] = pane.Settle();
    state.SetLabel(Name(which));
}

// The background measuring of every line, run to its end.
void BM_MeasureInTheBackground(benchmark::State& state) {
    const int which = static_cast<int>(state.range(0));
    Pane pane;
    double longest = 0;
    for (auto _ : state) {
        state.PauseTiming();
        pane.view.setText(std::string(Source(which)));
        pane.Paint();
        state.ResumeTiming();
        longest = std::max(longest, pane.Settle());
    }
    state.counters["longest_slice_ms"] = longest;
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(Source(which).size()));
    state.SetLabel(Name(which));
}

// Ctrl+End then Ctrl+Home, each painted, on a text just received (nothing measured yet).
void BM_ScrollToEndAndBack(benchmark::State& state) {
    const int which = static_cast<int>(state.range(0));
    Pane pane;
    for (auto _ : state) {
        state.PauseTiming();
        pane.view.setText(std::string(Source(which)));
        pane.Paint();
        state.ResumeTiming();
        pane.Key(Qt::Key_End, Qt::ControlModifier);
        pane.Paint();
        pane.Key(Qt::Key_Home, Qt::ControlModifier);
        pane.Paint();
    }
    state.SetLabel(Name(which));
}

// Ctrl+A then Ctrl+C into the desktop's clipboard (CR LF line ends).
void BM_SelectAllAndCopy(benchmark::State& state) {
    const int which = static_cast<int>(state.range(0));
    Pane pane;
    pane.view.setText(std::string(Source(which)));
    pane.Paint();
    const qsizetype expected =
        QString::fromUtf8(pane.view.utf8CrLf(0, pane.view.byteCount())).size();
    bool copied = true;
    for (auto _ : state) {
        pane.Key(Qt::Key_A, Qt::ControlModifier);
        pane.Paint();
        pane.Key(Qt::Key_C, Qt::ControlModifier);
        state.PauseTiming();
        copied = copied && QGuiApplication::clipboard()->text().size() == expected;
        QGuiApplication::clipboard()->clear();
        pane.view.setSelection(0, 0);
        state.ResumeTiming();
    }
    if (!copied)
        state.SkipWithError("the clipboard did not get the whole text");
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(Source(which).size()));
    state.SetLabel(Name(which));
}

// The last cell's colour, found from the start, selected and scrolled to.
void BM_FindNearTheEnd(benchmark::State& state) {
    Pane pane;
    const std::string& text = Source(0);
    const std::string needle = LastColor(text);
    pane.view.setText(std::string(text));
    pane.Paint();
    for (auto _ : state) {
        pane.view.find(QString::fromStdString(needle), false);
        pane.Paint();
        state.PauseTiming();
        pane.view.setSelection(0, 0);
        state.ResumeTiming();
    }
    state.counters["hit_at"] =
        static_cast<double>(text.find(needle)) / static_cast<double>(text.size());
    state.SetLabel(needle);
}

// A letter typed on the second line of a text just received, and painted.
void BM_KeystrokeNearTheStart(benchmark::State& state) {
    const int which = static_cast<int>(state.range(0));
    Pane pane;
    for (auto _ : state) {
        state.PauseTiming();
        pane.view.setText(std::string(Source(which)));
        pane.view.setSelection(60, 60);
        pane.Paint();
        state.ResumeTiming();
        pane.Key(Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        pane.Paint();
    }
    state.SetLabel(Name(which));
}

// The same letter typed again and again (the text's storage already grown).
void BM_TypingNearTheStart(benchmark::State& state) {
    const int which = static_cast<int>(state.range(0));
    Pane pane;
    pane.view.setText(std::string(Source(which)));
    pane.view.setSelection(60, 60);
    for (auto _ : state) {
        pane.Key(Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        pane.Paint();
    }
    state.SetLabel(Name(which));
}

// What a screen reader asks first of a text just received: its length, then the
// last 100 characters (UTF-16 units counted over bytes, nothing counted before).
void BM_ScreenReaderRangeNearTheEnd(benchmark::State& state) {
    const int which = static_cast<int>(state.range(0));
    Pane pane;
    QAccessibleInterface* pane11y = QAccessible::queryAccessibleInterface(&pane.view);
    QAccessibleTextInterface* text = pane11y ? pane11y->textInterface() : nullptr;
    if (!text) {
        state.SkipWithError("the pane has no accessible text");
        return;
    }
    QString tail;
    for (auto _ : state) {
        state.PauseTiming();
        pane.view.setText(std::string(Source(which)));
        state.ResumeTiming();
        const int count = text->characterCount();
        tail = text->text(count - 100, count);
    }
    if (tail.size() != 100)
        state.SkipWithError("the range is not 100 characters");
    state.SetLabel(Name(which));
}

} // namespace

// Those that hand over a fresh text before each measured step run a fixed
// number of times: the untimed copy of 56 MB would otherwise dominate the run.
BENCHMARK(BM_PeakMemory)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReceiveAndPaint)->Arg(0)->Arg(1)->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MeasureInTheBackground)->Arg(0)->Arg(1)->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollToEndAndBack)->Arg(0)->Arg(1)->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectAllAndCopy)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindNearTheEnd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeystrokeNearTheStart)->Arg(0)->Arg(1)->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypingNearTheStart)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScreenReaderRangeNearTheEnd)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QFont font;
    font.setFamilies(
        {QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
    font.setPixelSize(12);
    QApplication::setFont(font);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
