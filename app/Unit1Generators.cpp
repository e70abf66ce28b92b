// The "作成" button and the output pane, the BODY tag page and the gradient
// table page.

#include "ClickableLabel.h"
#include "DesktopServices.h"
#include "PictureBox.h"
#include "Unit1.h"
#include "html/BodyTag.h"
#include "html/GradientTable.h"
#include "html/HtmlOutput.h"
#include "text/Error.h"
#include "ui_Unit1.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUrl>
#include <algorithm>
#include <climits>

namespace {

enum Page { PageBody = 0, PageGradientText = 1, PageTextOptions = 2, PageTable = 3 };

bool AsksConfirmation(int count) {
    return count >= 2 && count <= 9;
}

// The pane's text as it is made: held while the pane could take it, past that only counted,
// so that a refusal can give the size.
class PaneSink final : public tinsora::OutputSink {
public:
    void Write(std::string_view bytes) override {
        size_ +=
            bytes.size() + static_cast<std::uint64_t>(std::count(bytes.begin(), bytes.end(), '\n'));
        if (size_ > TfrmMain::kMaxPaneBytes) {
            std::string().swap(text_);
            return;
        }
        text_.append(bytes);
    }
    std::uint64_t Size() const { return size_; }
    const std::string& Text() const { return text_; }

private:
    std::string text_;
    std::uint64_t size_ = 0;
};

tinsora::Error TooLargeForThePane(const std::string& size) {
    return tinsora::OutputTooLargeError(size, TfrmMain::kMaxPaneBytes);
}

} // namespace

void TfrmMain::ConnectGenerators() {
    connect(ui->SpeedButton2, &QToolButton::clicked, this, &TfrmMain::SpeedButton2Click);
    connect(ui->chkRN, &QCheckBox::clicked, this, &TfrmMain::chkRNClick);
    connect(ui->btnClipCopyHTML, &QPushButton::clicked, this, &TfrmMain::btnClipCopyHTMLClick);
    connect(ui->btnClear, &QPushButton::clicked, this, &TfrmMain::btnClearClick);
    ui->txtHTML->setLineWrapMode(QPlainTextEdit::NoWrap);

    connect(ui->lblBgcolor, &ClickableLabel::clicked, this, &TfrmMain::lblBgcolorClick);
    connect(ui->lblText, &ClickableLabel::clicked, this, &TfrmMain::lblTextClick);
    connect(ui->lblLink, &ClickableLabel::clicked, this, &TfrmMain::lblLinkClick);
    connect(ui->lblVlink, &ClickableLabel::clicked, this, &TfrmMain::lblVlinkClick);
    connect(ui->lblAlink, &ClickableLabel::clicked, this, &TfrmMain::lblAlinkClick);
    // The preview is a plain white bitmap until the first label click.
    QImage white(tinsora::kBodyPreviewWidth, tinsora::kBodyPreviewHeight, QImage::Format_RGB32);
    white.fill(Qt::white);
    ui->imgBody->setImage(white);

    // The arrows keep their own positions (tableSteps); the widgets only report clicks.
    UpDown* arrows[] = {ui->UpDownTD,     ui->UpDownTR,        ui->UpDownKeisen,
                        ui->UpDownYohaku, ui->UpDownCellWidth, ui->UpDownCellHeight};
    for (UpDown* arrow : arrows)
        arrow->setRange(INT_MIN, INT_MAX);
    connect(ui->UpDownTD, &UpDown::clicked, this, &TfrmMain::UpDownTDClick);
    connect(ui->UpDownTR, &UpDown::clicked, this, &TfrmMain::UpDownTRClick);
    connect(ui->UpDownKeisen, &UpDown::clicked, this, &TfrmMain::UpDownKeisenClick);
    connect(ui->UpDownYohaku, &UpDown::clicked, this, &TfrmMain::UpDownYohakuClick);
    connect(ui->UpDownCellWidth, &UpDown::clicked, this, &TfrmMain::UpDownCellWidthClick);
    connect(ui->UpDownCellHeight, &UpDown::clicked, this, &TfrmMain::UpDownCellHeightClick);
    for (QLineEdit* box :
         {ui->edtTD, ui->edtTR, ui->edtKeisen, ui->edtYohaku, ui->edtCellWidth, ui->edtCellHeight})
        box->setAttribute(Qt::WA_InputMethodEnabled, false);

    auto* styles = new QActionGroup(this);
    styles->addAction(ui->mnuStyleClassic);
    styles->addAction(ui->mnuStyleHtml5);
    connect(ui->mnuStyleClassic, &QAction::triggered, this, &TfrmMain::mnuStyleClassicClick);
    connect(ui->mnuStyleHtml5, &QAction::triggered, this, &TfrmMain::mnuStyleHtml5Click);
    connect(ui->mnuBrowserPreview, &QAction::triggered, this, &TfrmMain::mnuBrowserPreviewClick);
}

void TfrmMain::SetOutputStyle(tinsora::OutputStyle style) {
    outputStyle = style;
    const bool html5 = style == tinsora::OutputStyle::Html5;
    ui->mnuStyleClassic->setChecked(!html5);
    ui->mnuStyleHtml5->setChecked(html5);
    ui->mnuCssGradient->setEnabled(html5);
}

void TfrmMain::mnuStyleClassicClick() {
    Guard([this] { SetOutputStyle(tinsora::OutputStyle::Classic); });
}

void TfrmMain::mnuStyleHtml5Click() {
    Guard([this] { SetOutputStyle(tinsora::OutputStyle::Html5); });
}

void TfrmMain::mnuBrowserPreviewClick() {
    Guard([this] {
        const QByteArray page = QByteArray::fromStdString(
            tinsora::MakeHtmlPage(ui->txtHTML->toPlainText().toStdString()));
        if (!previewDir)
            previewDir = std::make_unique<QTemporaryDir>();
        const QString path =
            previewDir->filePath(QStringLiteral("preview-%1.html").arg(++previewCount));
        QFile file(path);
        if (!previewDir->isValid() || !file.open(QIODevice::WriteOnly) ||
            file.write(page) != page.size() || !file.flush())
            throw tinsora::CannotCreateError(path.toStdString());
        file.close();
        if (!services.openUrl(QUrl::fromLocalFile(path)))
            throw tinsora::Error("ブラウザで " + path.toStdString() + " を開けません");
    });
}

void TfrmMain::SpeedButton2Click() {
    Guard([this] { GenerateForActivePage(); });
}

void TfrmMain::chkRNClick() {
    Guard([this] { GenerateForActivePage(); });
}

void TfrmMain::GenerateForActivePage() {
    switch (ui->PageControl1->currentIndex()) {
    case PageBody:
        MakeBodyTag();
        return;
    case PageGradientText:
        MakeGradientText(gradColors);
        return;
    case PageTextOptions:
        return;
    case PageTable:
        break;
    default:
        return;
    }
    const bool confirm = AsksConfirmation(tinsora::TextToInt(ui->edtTD->text().toStdString())) ||
                         AsksConfirmation(tinsora::TextToInt(ui->edtTR->text().toStdString()));
    if (confirm &&
        !services.askOkCancel(
            this, QStringLiteral("確認"),
            QStringLiteral("この数では綺麗に表示されないかもしれません。\nよろしいですか？")))
        return;
    MakeGradientTable(gradColors);
}

void TfrmMain::SetPaneText(const std::string& utf8) {
    ui->txtHTML->setPlainText(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

void TfrmMain::FillPane(const std::function<void(tinsora::OutputSink&)>& generate) {
    PaneSink sink;
    generate(sink);
    if (sink.Size() > TfrmMain::kMaxPaneBytes)
        throw TooLargeForThePane(std::to_string(sink.Size()));
    SetPaneText(sink.Text());
}

void TfrmMain::btnClipCopyHTMLClick() {
    Guard([this] {
        QString text = ui->txtHTML->toPlainText();
        text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        services.setClipboardText(text);
    });
}

void TfrmMain::btnClearClick() {
    Guard([this] { ui->txtHTML->clear(); });
}

void TfrmMain::MakeBodyTag() {
    tinsora::BodyTagOptions options;
    options.style = outputStyle;
    options.lineEnd =
        std::string("\n"); // the pane holds its lines with LF; a copy turns them into CR LF
    options.colors = bodyColors;
    FillPane([&](tinsora::OutputSink& sink) { tinsora::WriteBodyTag(options, sink); });
}

void TfrmMain::SetBodyColor(int role) {
    bodyColors[static_cast<std::size_t>(role)] = CurrentColor();
    DrawBodyPreview();
    ShowBodyContrast();
}

void TfrmMain::lblBgcolorClick() {
    Guard([this] { SetBodyColor(0); });
}
void TfrmMain::lblTextClick() {
    Guard([this] { SetBodyColor(1); });
}
void TfrmMain::lblLinkClick() {
    Guard([this] { SetBodyColor(2); });
}
void TfrmMain::lblVlinkClick() {
    Guard([this] { SetBodyColor(3); });
}
void TfrmMain::lblAlinkClick() {
    Guard([this] { SetBodyColor(4); });
}

void TfrmMain::DrawBodyPreview() {
    const auto qcolor = [](const tinsora::ColorRGB& c) { return QColor(c.Red, c.Green, c.Blue); };
    QImage image(tinsora::kBodyPreviewWidth, tinsora::kBodyPreviewHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    const QColor background = qcolor(bodyColors[0]);
    painter.setPen(Qt::black);
    painter.setBrush(background);
    painter.drawRect(0, 0, image.width() - 1, image.height() - 1);
    QFont font = painter.font();
    font.setPointSize(12);
    painter.setFont(font);
    painter.setBackground(background);
    painter.setBackgroundMode(Qt::OpaqueMode);
    const QFontMetrics metrics(font);
    for (std::size_t role = 0; role < tinsora::kBodyPreviewLines.size(); ++role) {
        const auto& line = tinsora::kBodyPreviewLines[role];
        // The background line is always written in black.
        painter.setPen(role == 0 ? QColor(Qt::black) : qcolor(bodyColors[role]));
        painter.drawText(
            line.x, line.y + metrics.ascent(),
            QString::fromUtf8(line.text.data(), static_cast<qsizetype>(line.text.size())));
    }
    painter.end();
    ui->imgBody->setImage(image);
}

void TfrmMain::MakeGradientTable(const tinsora::GradientColors& colors) {
    tinsora::GradientTableOptions options;
    options.cols = ui->edtTD->text().toStdString();
    options.rows = ui->edtTR->text().toStdString();
    options.padding = ui->edtKeisen->text().toStdString();
    options.spacing = ui->edtYohaku->text().toStdString();
    options.width = ui->edtCellWidth->text().toStdString();
    options.height = ui->edtCellHeight->text().toStdString();
    options.colors = colors;
    options.lineMode = ui->chkRN->isChecked();
    options.style = outputStyle;
    options.cssGradient = ui->mnuCssGradient->isChecked();
    // A table too large for the pane is refused before it is built.
    tinsora::GradientTableOptions counted = options;
    counted.lineEnd = std::string("\r\n");
    const tinsora::Uint128 size = tinsora::GradientTableSize(counted);
    if (size.hi != 0 || size.lo > TfrmMain::kMaxPaneBytes)
        throw TooLargeForThePane(tinsora::ToDecimal(size));
    options.lineEnd = std::string("\n");
    FillPane([&](tinsora::OutputSink& sink) { tinsora::WriteGradientTable(options, sink); });
}

void TfrmMain::StepTableBox(int box, UpDown::Button button) {
    QLineEdit* boxes[] = {ui->edtTD,     ui->edtTR,        ui->edtKeisen,
                          ui->edtYohaku, ui->edtCellWidth, ui->edtCellHeight};
    tinsora::UpDownStep& step = tableSteps[static_cast<std::size_t>(box)];
    const std::string text = boxes[box]->text().toStdString();
    const auto next = button == UpDown::Button::Up ? step.Up(text) : step.Down(text);
    if (next)
        boxes[box]->setText(QString::fromStdString(*next));
}

void TfrmMain::UpDownTDClick(UpDown::Button b) {
    Guard([this, b] { StepTableBox(0, b); });
}
void TfrmMain::UpDownTRClick(UpDown::Button b) {
    Guard([this, b] { StepTableBox(1, b); });
}
void TfrmMain::UpDownKeisenClick(UpDown::Button b) {
    Guard([this, b] { StepTableBox(2, b); });
}
void TfrmMain::UpDownYohakuClick(UpDown::Button b) {
    Guard([this, b] { StepTableBox(3, b); });
}
void TfrmMain::UpDownCellWidthClick(UpDown::Button b) {
    Guard([this, b] { StepTableBox(4, b); });
}
void TfrmMain::UpDownCellHeightClick(UpDown::Button b) {
    Guard([this, b] { StepTableBox(5, b); });
}
