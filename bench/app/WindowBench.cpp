// The window's costs: "作成" of a 300 x 300 gradient table into the output
// pane next to handing the same text to the pane alone; a pick while dragging
// over the colour map; drawing the three pictures.

#include "DesktopServices.h"
#include "MarkerOverlay.h"
#include "PictureBox.h"
#include "Unit1.h"
#include "gradient/Pictures.h"
#include "ui_Unit1.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QToolButton>
#include <benchmark/benchmark.h>

namespace {

// Answers every question without a dialog: Cancel for the missing template
// list, OK for confirmations.
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
    void setClipboardText(const QString&) override {}
    void setClipboardUtf8(const QByteArray&) override {}
    std::optional<QString> clipboardText() override { return {}; }
    int screenWidth() override { return 1024; }
    bool openUrl(const QUrl&) override { return true; }
    QString lastError;
};

struct Window {
    QuietServices services;
    TfrmMain window{services};
    Ui::TfrmMain& ui = *window.form();
    Window() {
        ui.PageControl1->setCurrentIndex(3);
        ui.edtTD->setText(QStringLiteral("300"));
        ui.edtTR->setText(QStringLiteral("300"));
    }
};

void BM_CreateTable300IntoPane(benchmark::State& state) {
    Window w;
    for (auto _ : state)
        w.ui.SpeedButton2->click();
    if (!w.services.lastError.isEmpty())
        state.SkipWithError(w.services.lastError.toUtf8().constData());
    state.SetBytesProcessed(state.iterations() * w.ui.txtHTML->toPlainText().toUtf8().size());
}

void BM_SetPlainTextOfTable300(benchmark::State& state) {
    Window w;
    w.ui.SpeedButton2->click();
    const QString text = w.ui.txtHTML->toPlainText();
    for (auto _ : state)
        w.ui.txtHTML->setPlainText(text);
    state.SetBytesProcessed(state.iterations() * text.toUtf8().size());
}

// One drag step over the map: the colour recomputed, the marker moved, the
// three bars set (each running its change handler) and the display refreshed.
void BM_DragPickOnColorMap(benchmark::State& state) {
    Window w;
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
BENCHMARK(BM_CreateTable300IntoPane)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SetPlainTextOfTable300)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
