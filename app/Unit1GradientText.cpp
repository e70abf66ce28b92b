// The gradient text pages: the text source, the colour count, the options,
// the preview, and the run that fills the output pane.

#include "DesktopServices.h"
#include "HtmlTextView.h"
#include "PaneController.h"
#include "PaneSink.h"
#include "PictureBox.h"
#include "Unit1.h"
#include "color/Contrast.h"
#include "html/GradientText.h"
#include "html/Markup.h"
#include "text/Error.h"
#include "text/TextFile.h"
#include "ui_Unit1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

namespace {

constexpr int kPreviewWidth = 362;
constexpr int kPreviewHeight = 45;

std::string Utf8(const QString& s) {
    return s.toStdString();
}

// The cleared preview: a white area with a one-pixel black frame.
QImage ClearedPreview() {
    QImage image(kPreviewWidth, kPreviewHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, kPreviewWidth - 1, kPreviewHeight - 1);
    return image;
}

} // namespace

void TfrmMain::ConnectGradientText() {
    connect(ui->btnOpenTextFile, &QPushButton::clicked, this, &TfrmMain::btnOpenTextFileClick);
    connect(ui->chkTateIchi, &QCheckBox::clicked, this, &TfrmMain::chkTateIchiClick);
    connect(ui->chkMarquee, &QCheckBox::clicked, this, &TfrmMain::chkMarqueeClick);
}

void TfrmMain::btnOpenTextFileClick() {
    Guard([this] {
        const FileDialogRequest request{
            {tr("テキストファイル(*.txt)"), tr("すべてのファイル(*)")}, QString(), QString()};
        // The dialog's name is emptied when it closes, so a cancelled dialog
        // leaves the name box empty.
        const auto chosen = services.chooseOpenFile(this, request);
        ui->edtTextFileName->setText(chosen.value_or(QString()));
    });
}

void TfrmMain::chkTateIchiClick() {
    Guard([this] {
        const bool on = ui->chkTateIchi->isChecked();
        ui->rbtnSUP->setEnabled(on);
        ui->rbtnSUB->setEnabled(on);
    });
}

void TfrmMain::chkMarqueeClick() {
    Guard([this] {
        const bool on = ui->chkMarquee->isChecked();
        QWidget* controls[] = {ui->rbtnM_L,     ui->rbtnM_R,      ui->rbtnM_Scroll,
                               ui->rbtnM_Slide, ui->rbtnM_Hanten, ui->lblM_Hoko,
                               ui->lblM_Ido,    ui->lblM_Chon1,   ui->lblM_Chon2};
        for (QWidget* w : controls)
            w->setEnabled(on);
    });
}

void TfrmMain::MakeGradientText(const tinsora::GradientColors& colors) {
    tinsora::GradientTextOptions o;
    o.source = ui->rbtnGraTextFile->isChecked() ? tinsora::GradientTextSource::File
                                                : tinsora::GradientTextSource::Typed;
    o.text = Utf8(ui->edtGraText->text());
    o.gradColors = colors;
    o.lastGradColor = lastGradColor;
    o.colorCountText = Utf8(ui->cmbColorIndex->currentText());
    o.bold = ui->chkBold->isChecked();
    o.italic = ui->chkItalic->isChecked();
    o.underline = ui->chkUnderline->isChecked();
    o.strikeOut = ui->chkStrikeOut->isChecked();
    o.tt = ui->chkTT->isChecked();
    o.blink = ui->chkBlink->isChecked();
    o.tateIchi = ui->chkTateIchi->isChecked();
    o.sup = ui->rbtnSUP->isChecked();
    o.sub = ui->rbtnSUB->isChecked();
    o.marquee = ui->chkMarquee->isChecked();
    o.marqueeDirection = ui->rbtnM_R->isChecked() ? tinsora::MarqueeDirection::Right
                                                  : tinsora::MarqueeDirection::Left;
    o.marqueeBehavior = ui->rbtnM_Slide->isChecked()    ? tinsora::MarqueeBehavior::Slide
                        : ui->rbtnM_Hanten->isChecked() ? tinsora::MarqueeBehavior::Alternate
                                                        : tinsora::MarqueeBehavior::Scroll;
    o.scope = ui->rbtnString->isChecked() ? tinsora::TagScope::String : tinsora::TagScope::Char;
    o.sizeText = Utf8(ui->cmbMojiSize->currentText());

    o.style = outputStyle;
    o.css = CssFormChosen();
    o.language = OutputLanguageChosen();
    o.cssGradient = ui->mnuTextCssGradient->isChecked();
    o.lineMode = ui->chkRN->isChecked();
    o.lineEnd = std::string("\n"); // the pane holds its lines with LF; a copy turns them into CR LF

    // The size and count are read before the file, as the run meets them; an error in either
    // leaves the preview cleared, as does a run that fails.
    const auto clearPreview = [this] { ui->imgGradText->setImage(ClearedPreview()); };
    const bool typed = o.source == tinsora::GradientTextSource::Typed;
    tinsora::GradientTextPreview preview;
    try {
        preview = tinsora::MakeGradientTextPreview(o);
    } catch (...) {
        clearPreview();
        throw;
    }
    const QString fileName = typed ? QString() : ui->edtTextFileName->text();
    // The characters' lowest contrast against the page's background, found in the run.
    const tinsora::ColorRGB background = tinsora::BodyColor(bodyColors, tinsora::BodyRole::Bgcolor);
    auto lowest = std::make_shared<std::optional<tinsora::ColorRGB>>();
    paneRuns->start(
        [o, typed, fileName, background, lowest](PaneRun::Control& control) mutable {
            // Read here, off the user-interface thread, so that any file name the platform
            // can open works. Every byte of a text makes at least two in the pane (a CR LF
            // makes "<BR>"), so a larger file could only be refused once it had been run.
            control.beginPart(0, 0.8);
            std::string bytes;
            if (!typed) {
                bytes = tinsora::ReadFileBytes(fileName.toStdString(), kMaxPaneBytes / 2,
                                               tinsora::FileKind::Regular);
                o.fileBytes = bytes;
            }
            // Kept up to the pane's limit and only counted beyond it, so that an output the
            // pane cannot hold is refused with its size without being held.
            PaneSink sink(control, kMaxPaneBytes);
            tinsora::WriteGradientText(o, sink);
            if (sink.tooLarge())
                throw tinsora::OutputTooLargeError(std::to_string(sink.size()), kMaxPaneBytes);
            control.beginPart(0.8, 0.85); // the lowest contrast
            *lowest = tinsora::LowestContrastColor(o, background);
            control.beginPart(0.85, 1); // the line index
            return tinsora::PreparedText(sink.take());
        },
        [this, typed, lowest, preview = std::move(preview)](tinsora::PreparedText&& text) {
            ui->txtHTML->setText(std::move(text));
            ShowGradientTextContrast(*lowest);
            if (typed)
                DrawGradientTextPreview(preview);
            else
                ui->imgGradText->setImage(ClearedPreview());
        },
        clearPreview);
}

void TfrmMain::ShowGradientTextContrast(const std::optional<tinsora::ColorRGB>& lowest) {
    gradTextLowest = lowest;
    if (!lowest) {
        ui->lblGraTextRatio->clear();
        ui->lblGraTextRatio->setToolTip(QString());
        ui->lblGraTextLevel->clear();
        ui->lblGraTextLevel->setToolTip(QString());
        return;
    }
    const tinsora::Contrast c =
        tinsora::ContrastOf(*lowest, tinsora::BodyColor(bodyColors, tinsora::BodyRole::Bgcolor));
    const QString ratio = QString::fromStdString(tinsora::ContrastRatioText(c));
    QString mark = tr("×");
    QString color = QStringLiteral("#d04040");
    if (c.aaa || c.aa) {
        mark = c.aaa ? tr("AAA") : tr("AA");
        color = QStringLiteral("#2f7f2f");
    } else if (c.aaLarge) {
        mark = tr("AA大");
        color = QStringLiteral("#a05a00");
    }
    const auto meets = [](bool met) { return met ? tr("を満たします。") : tr("を満たしません。"); };
    const QString sentence =
        tr("文字の色と背景色(bgcolor)の最も低いコントラスト比は %1 です (#%2)。")
            .arg(ratio, QString::fromStdString(tinsora::HexColor(*lowest))) +
        QLatin1Char('\n') + tr("通常の文字の AA（4.5:1 以上）") + meets(c.aa) + QLatin1Char('\n') +
        tr("通常の文字の AAA（7:1 以上）") + meets(c.aaa) + QLatin1Char('\n') +
        tr("大きな文字の AA（3:1 以上）") + meets(c.aaLarge);
    ui->lblGraTextRatio->setText(tr("背景色との最低コントラスト %1").arg(ratio));
    ui->lblGraTextRatio->setToolTip(sentence);
    ui->lblGraTextLevel->setText(mark);
    ui->lblGraTextLevel->setToolTip(sentence);
    ui->lblGraTextLevel->setStyleSheet(
        QStringLiteral("font-size: 11px; font-weight: bold; color: %1;").arg(color));
}

void TfrmMain::DrawGradientTextPreview(const tinsora::GradientTextPreview& result) {
    QImage image = ClearedPreview();
    QPainter painter(&image);
    QFont font = painter.font();
    // A size of 0 or below gives the default size, as a font height of 0 does
    // where the program comes from; the positions still follow the size.
    // Past the picture's height a larger size shows nothing more.
    constexpr std::int64_t kLargestPreviewSize = 1000;
    const auto size = result.previewSize;
    if (size > 0)
        font.setPointSize(static_cast<int>(std::min(size, kLargestPreviewSize)));
    font.setBold(result.bold);
    font.setItalic(result.italic);
    font.setUnderline(result.underline);
    font.setStrikeOut(result.strikeOut);
    painter.setFont(font);
    const int ascent = QFontMetrics(font).ascent();
    for (const tinsora::PreviewGlyph& g : result.glyphs) {
        if (g.x > kPreviewWidth)
            break; // the rest falls outside the picture
        painter.setPen(QColor(g.color.Red, g.color.Green, g.color.Blue));
        painter.drawText(static_cast<int>(g.x), 2 + ascent,
                         QString::fromUtf8(g.bytes, static_cast<qsizetype>(g.length)));
    }
    painter.end();
    ui->imgGradText->setImage(image);
}
