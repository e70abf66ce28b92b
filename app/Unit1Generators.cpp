// The "作成" button and the output pane, the runs that fill and save it off the
// user-interface thread, the BODY tag page and the gradient table page.

#include "ClickableLabel.h"
#include "DesktopServices.h"
#include "HtmlTextView.h"
#include "PaneController.h"
#include "PaneSink.h"
#include "PictureBox.h"
#include "SaveFile.h"
#include "Texts.h"
#include "Unit1.h"
#include "html/BodyTag.h"
#include "html/GradientTable.h"
#include "html/HtmlOutput.h"
#include "text/Error.h"
#include "text/SavedText.h"
#include "ui_Unit1.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QToolButton>
#include <QUrl>
#include <algorithm>
#include <climits>

namespace {

enum Page { PageBody = 0, PageGradientText = 1, PageTextOptions = 2, PageTable = 3 };

// The save dialog's filters: each says the encoding the file is written in.
QString HtmlUtf8Filter() {
    return TfrmMain::tr("HTMLファイル UTF-8(*.html *.htm)");
}
QString HtmlCp932Filter() {
    return TfrmMain::tr("HTMLファイル Shift_JIS(*.html *.htm)");
}
QString AllUtf8Filter() {
    return TfrmMain::tr("すべてのファイル UTF-8(*)");
}
QString AllCp932Filter() {
    return TfrmMain::tr("すべてのファイル Shift_JIS(*)");
}

bool AsksConfirmation(int count) {
    return count >= 2 && count <= 9;
}

} // namespace

void TfrmMain::ConnectGenerators() {
    connect(ui->SpeedButton2, &QToolButton::clicked, this, &TfrmMain::SpeedButton2Click);
    connect(ui->chkRN, &QCheckBox::clicked, this, &TfrmMain::chkRNClick);
    connect(ui->btnClipCopyHTML, &QPushButton::clicked, this, &TfrmMain::btnClipCopyHTMLClick);
    connect(ui->btnClear, &QPushButton::clicked, this, &TfrmMain::btnClearClick);
    connect(ui->btnCancelHTML, &QPushButton::clicked, this, &TfrmMain::btnCancelHTMLClick);
    connect(ui->mnuSaveHTML, &QAction::triggered, this, &TfrmMain::mnuSaveHTMLClick);
    // The pane's clipboard is the window's: a test scripts it, and its errors reach
    // the standard error box.
    ui->txtHTML->setServices(&services);
    connect(ui->txtHTML, &HtmlTextView::errorOccurred, this, &TfrmMain::txtHTMLError);
    paneRuns = std::make_unique<PaneController>(
        *this, *ui, [this](std::exception_ptr error) { ShowError(std::move(error)); });

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
    connect(ui->mnuCssGradient, &QAction::triggered, this, &TfrmMain::mnuCssGradientClick);
    connect(ui->mnuBrowserPreview, &QAction::triggered, this, &TfrmMain::mnuBrowserPreviewClick);
    ui->mnuOutputStyle->setToolTipsVisible(true);
}

tinsora::OutputLanguage TfrmMain::OutputLanguageChosen() const {
    return CurrentLanguage() == tinsora::Language::English ? tinsora::OutputLanguage::English
                                                           : tinsora::OutputLanguage::Japanese;
}

tinsora::CssForm TfrmMain::CssFormChosen() const {
    return ui->mnuCssClasses->isChecked() ? tinsora::CssForm::Classes : tinsora::CssForm::Inline;
}

void TfrmMain::SetOutputStyle(tinsora::OutputStyle style) {
    outputStyle = style;
    const bool html5 = style == tinsora::OutputStyle::Html5;
    ui->mnuStyleClassic->setChecked(!html5);
    ui->mnuStyleHtml5->setChecked(html5);
    ui->mnuCssGradient->setEnabled(html5);
    ui->mnuTextCssGradient->setEnabled(html5);
    ui->mnuCssClasses->setEnabled(html5);
}

// A new output form remakes the output at once, as a toggle of "整形" does.
void TfrmMain::ChangeOutputStyle(tinsora::OutputStyle style) {
    if (style == outputStyle)
        return;
    SetOutputStyle(style);
    GenerateForActivePage();
}

void TfrmMain::mnuStyleClassicClick() {
    Guard([this] { ChangeOutputStyle(tinsora::OutputStyle::Classic); });
}

void TfrmMain::mnuStyleHtml5Click() {
    Guard([this] { ChangeOutputStyle(tinsora::OutputStyle::Html5); });
}

void TfrmMain::mnuCssGradientClick() {
    Guard([this] { GenerateForActivePage(); });
}

// What a page of a BODY tag alone shows, to judge its colours by.
QByteArray TfrmMain::BodySample() const {
    const auto line = [](const QString& html) { return html.toUtf8() + '\n'; };
    return line(QStringLiteral("<p>%1</p>").arg(tr("テキスト(text)の見本です。").toHtmlEscaped())) +
           line(QStringLiteral("<p><a href=\"tinsora-unvisited.html\">%1</a></p>")
                    .arg(tr("リンク(link)の見本").toHtmlEscaped())) +
           line(QStringLiteral("<p><a href=\"\">%1</a></p>")
                    .arg(tr("既読リンク(vlink)の見本 (このページへのリンク)").toHtmlEscaped())) +
           line(QStringLiteral("<p>%1</p>")
                    .arg(tr("選択リンク(alink)の色は、リンクを押している間に見えます。")
                             .toHtmlEscaped()));
}

void TfrmMain::mnuBrowserPreviewClick() {
    Guard([this] {
        if (ui->txtHTML->isEmpty())
            throw tinsora::Error(
                tr("表示するHTMLがありません。先に「作成」でHTMLを作ってください").toStdString());
        QByteArray page = QByteArray::fromStdString(
            tinsora::MakeHtmlPage(ui->txtHTML->text(), "\n", OutputLanguageChosen()));
        const QByteArray emptyMain = "<main>\n</main>";
        if (const qsizetype at = page.indexOf(emptyMain); at >= 0)
            page.insert(at + 7, BodySample());
        // The pages stay when the program ends, so that the browser can show them
        // again; those of earlier days are removed as a new one is made.
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
                               QStringLiteral("/preview");
        QDir(folder).mkpath(QStringLiteral("."));
        const QDateTime dayAgo = QDateTime::currentDateTime().addDays(-1);
        for (const QFileInfo& old :
             QDir(folder).entryInfoList({QStringLiteral("preview-*.html")}, QDir::Files))
            if (old.lastModified() < dayAgo)
                QFile::remove(old.filePath());
        QTemporaryFile file(folder + QStringLiteral("/preview-XXXXXX.html"));
        file.setAutoRemove(false);
        if (!file.open() || file.write(page) != page.size() || !file.flush()) {
            file.remove();
            throw tinsora::CannotCreateError(
                (folder + QStringLiteral("/preview.html")).toStdString());
        }
        const QString path = file.fileName();
        file.close();
        const auto cannotOpen = [path](const QString& reason) {
            QString text = tr("ブラウザで %1 を開けません").arg(path);
            if (!reason.isEmpty())
                text += QStringLiteral(" (%1)").arg(reason);
            return tinsora::Error(text.toStdString());
        };
        const bool started =
            services.openUrl(QUrl::fromLocalFile(path),
                             [self = QPointer<TfrmMain>(this), cannotOpen](const QString& reason) {
                                 if (self)
                                     self->Guard([&] { throw cannotOpen(reason); });
                             });
        if (!started)
            throw cannotOpen(QString());
    });
}

void TfrmMain::SpeedButton2Click() {
    Guard([this] { GenerateForActivePage(); });
}

void TfrmMain::chkRNClick() {
    Guard([this] { GenerateForActivePage(); });
}

void TfrmMain::GenerateForActivePage() {
    if (paneRuns->running())
        return; // one run at a time: its controls are disabled until it ends
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
    // A CSS gradient is one smooth box at any count: nothing to warn of.
    const bool smooth =
        outputStyle == tinsora::OutputStyle::Html5 && ui->mnuCssGradient->isChecked();
    const bool confirm =
        !smooth && (AsksConfirmation(tinsora::TextToInt(ui->edtTD->text().toStdString())) ||
                    AsksConfirmation(tinsora::TextToInt(ui->edtTR->text().toStdString())));
    if (confirm &&
        !services.askOkCancel(this, tr("確認"),
                              tr("この数では綺麗に表示されないかもしれません。\nよろしいですか？")))
        return;
    MakeGradientTable(gradColors);
}

void TfrmMain::SetPaneText(std::string&& utf8) {
    ui->txtHTML->setText(std::move(utf8));
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (!paneRuns->mayClose()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void TfrmMain::btnCancelHTMLClick() {
    Guard([this] { paneRuns->cancel(); });
}

void TfrmMain::btnClipCopyHTMLClick() {
    Guard([this] {
        const HtmlTextView* pane = ui->txtHTML;
        services.setClipboardUtf8(pane->utf8CrLf(0, pane->byteCount()));
    });
}

void TfrmMain::btnClearClick() {
    Guard([this] {
        if (!paneRuns->running())
            ui->txtHTML->removeAll(); // Ctrl+Z in the pane brings it back
    });
}

void TfrmMain::txtHTMLError(const QString& message) {
    Guard([&] { throw tinsora::Error(message.toStdString()); });
}

void TfrmMain::mnuSaveHTMLClick() {
    Guard([this] {
        if (paneRuns->running())
            return;
        if (ui->txtHTML->isEmpty())
            throw tinsora::Error(
                tr("保存するHTMLがありません。先に「作成」でHTMLを作ってください").toStdString());
        const FileDialogRequest request{
            {HtmlUtf8Filter(), HtmlCp932Filter(), AllUtf8Filter(), AllCp932Filter()},
            QStringLiteral("html"),
            saveDialogHtmlFileName};
        const auto chosen = services.chooseSaveFileAndFilter(
            this, request,
            saveDialogHtmlFilter.isEmpty() ? HtmlUtf8Filter() : saveDialogHtmlFilter);
        if (!chosen || chosen->path.isEmpty())
            return;
        saveDialogHtmlFileName = chosen->path;
        saveDialogHtmlFilter = chosen->filter;
        const auto encoding =
            chosen->filter == HtmlCp932Filter() || chosen->filter == AllCp932Filter()
                ? tinsora::SaveEncoding::Cp932
                : tinsora::SaveEncoding::Utf8;
        // The pane takes no edit and no new text while the run reads it.
        const std::string& text = ui->txtHTML->text();
        const QString path = chosen->path;
        paneRuns->startSave([&text, path, encoding](PaneRun::Control& control) {
            control.beginPart(0, 0.6);
            const std::string bytes = tinsora::SavedText(
                text, encoding, [&](std::size_t done) { control.progress(done, text.size()); });
            control.beginPart(0.6, 1); // the writing
            SaveFileBytes(path, bytes);
            return tinsora::PreparedText();
        });
    });
}

void TfrmMain::MakeBodyTag() {
    tinsora::BodyTagOptions options;
    options.style = outputStyle;
    options.language = OutputLanguageChosen();
    options.lineEnd =
        std::string("\n"); // the pane holds its lines with LF; a copy turns them into CR LF
    options.colors = bodyColors;
    tinsora::StringSink sink;
    tinsora::WriteBodyTag(options, sink);
    SetPaneText(sink.Take());
}

void TfrmMain::SetBodyColor(tinsora::BodyRole role) {
    tinsora::BodyColor(bodyColors, role) = CurrentColor();
    DrawBodyPreview();
    ShowBodyContrast();
}

void TfrmMain::lblBgcolorClick() {
    Guard([this] { SetBodyColor(tinsora::BodyRole::Bgcolor); });
}
void TfrmMain::lblTextClick() {
    Guard([this] { SetBodyColor(tinsora::BodyRole::Text); });
}
void TfrmMain::lblLinkClick() {
    Guard([this] { SetBodyColor(tinsora::BodyRole::Link); });
}
void TfrmMain::lblVlinkClick() {
    Guard([this] { SetBodyColor(tinsora::BodyRole::Vlink); });
}
void TfrmMain::lblAlinkClick() {
    Guard([this] { SetBodyColor(tinsora::BodyRole::Alink); });
}

void TfrmMain::DrawBodyPreview() {
    const auto qcolor = [](const tinsora::ColorRGB& c) { return QColor(c.Red, c.Green, c.Blue); };
    QImage image(tinsora::kBodyPreviewWidth, tinsora::kBodyPreviewHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    const QColor background = qcolor(tinsora::BodyColor(bodyColors, tinsora::BodyRole::Bgcolor));
    painter.setPen(Qt::black);
    painter.setBrush(background);
    painter.drawRect(0, 0, image.width() - 1, image.height() - 1);
    QFont font = painter.font();
    font.setPointSize(12);
    painter.setFont(font);
    painter.setBackground(background);
    painter.setBackgroundMode(Qt::OpaqueMode);
    const QFontMetrics metrics(font);
    for (std::size_t k = 0; k < tinsora::kBodyPreviewLines.size(); ++k) {
        const auto role = static_cast<tinsora::BodyRole>(k);
        const auto& line = tinsora::kBodyPreviewLines[k];
        // The text of the line in the window's language; its place stays.
        // The background line is always written in black.
        painter.setPen(role == tinsora::BodyRole::Bgcolor
                           ? QColor(Qt::black)
                           : qcolor(tinsora::BodyColor(bodyColors, role)));
        painter.drawText(line.x, line.y + metrics.ascent(), BodyRoleName(role));
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
    options.css = CssFormChosen();
    options.language = OutputLanguageChosen();
    options.cssGradient = ui->mnuCssGradient->isChecked();
    const bool rules = options.style == tinsora::OutputStyle::Html5 &&
                       options.css == tinsora::CssForm::Classes && !options.cssGradient;
    // A table too large for the pane is refused before it is built; one that fits is built
    // into a string of its size. The size of one with a rule per colour is known only after
    // a walk through its cells: that one is refused in the run, as gradient text is.
    std::uint64_t held = 0;
    if (!rules) {
        tinsora::GradientTableOptions counted = options;
        counted.lineEnd = std::string("\r\n");
        const tinsora::Uint128 size = tinsora::GradientTableSize(counted);
        if (size.hi != 0 || size.lo > TfrmMain::kMaxPaneBytes)
            throw tinsora::OutputTooLargeError(tinsora::ToDecimal(size), TfrmMain::kMaxPaneBytes);
        options.lineEnd = std::string("\n");
        held = tinsora::GradientTableSize(options).lo;
    }
    options.lineEnd = std::string("\n");
    paneRuns->start(
        [options, held](PaneRun::Control& control) {
            control.beginPart(0, 0.8);
            PaneSink sink(control, kMaxPaneBytes, held);
            tinsora::WriteGradientTable(options, sink);
            if (sink.tooLarge())
                throw tinsora::OutputTooLargeError(std::to_string(sink.size()), kMaxPaneBytes);
            control.beginPart(0.8, 1); // the line index
            return tinsora::PreparedText(sink.take());
        },
        [this](tinsora::PreparedText&& text) { ui->txtHTML->setText(std::move(text)); });
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
