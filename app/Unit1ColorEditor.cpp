// The colour editor: scroll bars, decimal and hexadecimal boxes, invert,
// brighten and darken, slider sync; the colour display and the clipboard.

#include "DesktopServices.h"
#include "FitLabel.h"
#include "Texts.h"
#include "Unit1.h"
#include "color/Notation.h"
#include "text/Cp932.h"
#include "ui_Unit1.h"

#include <QAction>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScrollBar>
#include <QToolButton>
#include <QValidator>
#include <array>

namespace {

// Shows typed letters upper-case, as the hexadecimal boxes do.
class UpperCaseValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toUpper();
        return Acceptable;
    }
};

struct ChannelControls {
    QScrollBar* bar;
    QLineEdit* decimal;
    QLineEdit* hex;
};

std::array<ChannelControls, 3> Channels(const Ui::TfrmMain& ui) {
    return {ChannelControls{ui.ScrollBarR, ui.edtRn, ui.edtRh},
            ChannelControls{ui.ScrollBarG, ui.edtGn, ui.edtGh},
            ChannelControls{ui.ScrollBarB, ui.edtBn, ui.edtBh}};
}

// Restores a flag when the command that set it ends, error or not.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = old_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
    bool old_;
};

} // namespace

void TfrmMain::ConnectColorEditor() {
    const auto channels = Channels(*ui);
    for (const ChannelControls& c : channels) {
        c.decimal->setAttribute(Qt::WA_InputMethodEnabled, false);
        c.hex->setAttribute(Qt::WA_InputMethodEnabled, false);
        c.hex->setValidator(new UpperCaseValidator(c.hex));
        c.bar->setRange(0, 255);
        c.bar->setSingleStep(1);
        c.bar->setPageStep(10);
        c.bar->installEventFilter(this);
    }
    connect(ui->ScrollBarR, &QScrollBar::valueChanged, this, &TfrmMain::ScrollBarRChange);
    connect(ui->ScrollBarG, &QScrollBar::valueChanged, this, &TfrmMain::ScrollBarGChange);
    connect(ui->ScrollBarB, &QScrollBar::valueChanged, this, &TfrmMain::ScrollBarBChange);
    connect(ui->edtRn, &QLineEdit::textChanged, this, &TfrmMain::edtRnChange);
    connect(ui->edtGn, &QLineEdit::textChanged, this, &TfrmMain::edtGnChange);
    connect(ui->edtBn, &QLineEdit::textChanged, this, &TfrmMain::edtBnChange);
    connect(ui->edtRh, &QLineEdit::textChanged, this, &TfrmMain::edtRhChange);
    connect(ui->edtGh, &QLineEdit::textChanged, this, &TfrmMain::edtGhChange);
    connect(ui->edtBh, &QLineEdit::textChanged, this, &TfrmMain::edtBhChange);
    connect(ui->btnHanten, &QToolButton::clicked, this, &TfrmMain::btnHantenClick);
    ui->udColor->setRange(-32768, 32767);
    ui->udColor->setPosition(0);
    connect(ui->udColor, &UpDown::clicked, this, &TfrmMain::udColorClick);
    connect(ui->mnuOptionDoki, &QAction::triggered, this, &TfrmMain::mnuOptionDokiClick);
    connect(ui->mnuOptionSharp, &QAction::triggered, this, &TfrmMain::mnuOptionSharpClick);

    connect(ui->mnuColTypeHex, &QAction::triggered, this, &TfrmMain::mnuColTypeHexClick);
    connect(ui->mnuColTypeRGB, &QAction::triggered, this, &TfrmMain::mnuColTypeRGBClick);
    connect(ui->mnuColTypeVB, &QAction::triggered, this, &TfrmMain::mnuColTypeVBClick);
    connect(ui->mnuColTypeCB, &QAction::triggered, this, &TfrmMain::mnuColTypeCBClick);
    ui->btnColorCopy->setMenu(ui->mnuColorCopy);
    ui->btnColorCopy->setPopupMode(QToolButton::MenuButtonPopup);
    connect(ui->btnColorCopy, &QToolButton::clicked, this, &TfrmMain::btnColorCopyClick);
    connect(ui->N16HTML1, &QAction::triggered, this, &TfrmMain::N16HTML1Click);
    connect(ui->RGB1, &QAction::triggered, this, &TfrmMain::RGB1Click);
    connect(ui->VisualBasic1, &QAction::triggered, this, &TfrmMain::VisualBasic1Click);
    connect(ui->CBuilderDelphi1, &QAction::triggered, this, &TfrmMain::CBuilderDelphi1Click);
    connect(ui->mnuColTypeCssRgb, &QAction::triggered, this, &TfrmMain::mnuColTypeCssRgbClick);
    connect(ui->mnuColTypeCssHsl, &QAction::triggered, this, &TfrmMain::mnuColTypeCssHslClick);
    connect(ui->CSSRgb1, &QAction::triggered, this, &TfrmMain::CSSRgb1Click);
    connect(ui->CSSHsl1, &QAction::triggered, this, &TfrmMain::CSSHsl1Click);
    ui->lblHex->setTextFormat(Qt::PlainText);
    QFont hexFont = ui->lblHex->font();
    hexFont.setPixelSize(16);
    ui->lblHex->setFullFont(hexFont);
}

tinsora::ColorRGB TfrmMain::CurrentColor() const {
    return tinsora::ColorRGB{ui->ScrollBarR->value(), ui->ScrollBarG->value(),
                             ui->ScrollBarB->value()};
}

void TfrmMain::SetCurrentColor(const tinsora::ColorRGB& color) {
    ui->ScrollBarR->setValue(color.Red);
    ui->ScrollBarG->setValue(color.Green);
    ui->ScrollBarB->setValue(color.Blue);
}

void TfrmMain::BarChanged(int channel) {
    const ChannelControls c = Channels(*ui)[static_cast<std::size_t>(channel)];
    const int p = c.bar->value();
    c.decimal->setText(QString::number(p));
    if (!hexEditing)
        c.hex->setText(QString::fromStdString(tinsora::ChannelToHex(p)));
    if (channel == 0 && ui->mnuOptionDoki->isChecked() && !syncSuspended) {
        // Red's own boxes are done with; green's and blue's follow the move.
        hexEditing = false;
        const int d = p - lastRedPosition;
        ui->ScrollBarG->setValue(ui->ScrollBarG->value() + d);
        ui->ScrollBarB->setValue(ui->ScrollBarB->value() + d);
    }
    RefreshColorDisplay();
    if (channel == 0)
        lastRedPosition = p;
    hexEditing = false;
}

void TfrmMain::DecimalBoxChanged(int channel) {
    const ChannelControls c = Channels(*ui)[static_cast<std::size_t>(channel)];
    if (const auto value = tinsora::DecimalChannelText(c.decimal->text().toStdString()))
        c.bar->setValue(*value);
}

void TfrmMain::HexBoxChanged(int channel) {
    const ChannelControls c = Channels(*ui)[static_cast<std::size_t>(channel)];
    hexEditing = true;
    c.bar->setValue(tinsora::HexPairToChannel(tinsora::Utf8ToCp932(c.hex->text().toStdString())));
}

void TfrmMain::ScrollBarRChange() {
    Guard([this] { BarChanged(0); });
}
void TfrmMain::ScrollBarGChange() {
    Guard([this] { BarChanged(1); });
}
void TfrmMain::ScrollBarBChange() {
    Guard([this] { BarChanged(2); });
}
void TfrmMain::edtRnChange() {
    Guard([this] { DecimalBoxChanged(0); });
}
void TfrmMain::edtGnChange() {
    Guard([this] { DecimalBoxChanged(1); });
}
void TfrmMain::edtBnChange() {
    Guard([this] { DecimalBoxChanged(2); });
}
void TfrmMain::edtRhChange() {
    Guard([this] { HexBoxChanged(0); });
}
void TfrmMain::edtGhChange() {
    Guard([this] { HexBoxChanged(1); });
}
void TfrmMain::edtBhChange() {
    Guard([this] { HexBoxChanged(2); });
}

void TfrmMain::btnHantenClick() {
    Guard([this] {
        FlagScope noSync(syncSuspended);
        for (const ChannelControls& c : Channels(*ui))
            c.bar->setValue(tinsora::InvertChannel(c.bar->value()));
    });
}

void TfrmMain::udColorClick(UpDown::Button button) {
    Guard([this, button] {
        FlagScope noSync(syncSuspended);
        const int step = button == UpDown::Button::Up ? 10 : -10;
        for (const ChannelControls& c : Channels(*ui))
            c.bar->setValue(tinsora::StepChannel(c.bar->value(), step));
    });
}

// Both options are menu items that turn their own check over; the "#" option
// shows at the next display refresh or copy.
void TfrmMain::mnuOptionDokiClick() {}
void TfrmMain::mnuOptionSharpClick() {}

void TfrmMain::RefreshColorDisplay() {
    const tinsora::ColorRGB c = CurrentColor();
    ui->pnlRGB->setColor(tinsora::PackColor(c));
    int type = -1;
    const QAction* items[] = {ui->mnuColTypeHex, ui->mnuColTypeRGB,    ui->mnuColTypeVB,
                              ui->mnuColTypeCB,  ui->mnuColTypeCssRgb, ui->mnuColTypeCssHsl};
    for (int k = 0; k < tinsora::kColTypeCount; ++k)
        if (items[k]->isChecked())
            type = k;
    ShowColorText(type, c.Red, c.Green, c.Blue);
}

void TfrmMain::ShowColorText(int type, int red, int green, int blue) {
    if (type < tinsora::ctHex || type >= tinsora::kColTypeCount)
        return;
    const bool sharp = ui->mnuOptionSharp->isChecked();
    setWindowTitle(CaptionText(type, red, green, blue, sharp));
    ui->lblHex->setText(
        QString::fromStdString(tinsora::FormatColorText(type, red, green, blue, sharp)));
}

void TfrmMain::ChooseNotation(int type) {
    QAction* items[] = {ui->mnuColTypeHex, ui->mnuColTypeRGB,    ui->mnuColTypeVB,
                        ui->mnuColTypeCB,  ui->mnuColTypeCssRgb, ui->mnuColTypeCssHsl};
    for (int k = 0; k < tinsora::kColTypeCount; ++k)
        items[k]->setChecked(k == type);
    const tinsora::ColorRGB c = CurrentColor();
    ShowColorText(type, c.Red, c.Green, c.Blue);
}

void TfrmMain::mnuColTypeHexClick() {
    Guard([this] { ChooseNotation(tinsora::ctHex); });
}
void TfrmMain::mnuColTypeRGBClick() {
    Guard([this] { ChooseNotation(tinsora::ctRGB); });
}
void TfrmMain::mnuColTypeVBClick() {
    Guard([this] { ChooseNotation(tinsora::ctVB); });
}
void TfrmMain::mnuColTypeCBClick() {
    Guard([this] { ChooseNotation(tinsora::ctCB); });
}
void TfrmMain::mnuColTypeCssRgbClick() {
    Guard([this] { ChooseNotation(tinsora::ctCssRgb); });
}
void TfrmMain::mnuColTypeCssHslClick() {
    Guard([this] { ChooseNotation(tinsora::ctCssHsl); });
}

void TfrmMain::btnColorCopyClick() {
    Guard([this] { services.setClipboardText(ui->lblHex->text()); });
}

void TfrmMain::CopyNotation(int type) {
    const tinsora::ColorRGB c = CurrentColor();
    services.setClipboardText(QString::fromStdString(
        tinsora::FormatColorText(type, c.Red, c.Green, c.Blue, ui->mnuOptionSharp->isChecked())));
}

void TfrmMain::N16HTML1Click() {
    Guard([this] { CopyNotation(tinsora::ctHex); });
}
void TfrmMain::RGB1Click() {
    Guard([this] { CopyNotation(tinsora::ctRGB); });
}
void TfrmMain::VisualBasic1Click() {
    Guard([this] { CopyNotation(tinsora::ctVB); });
}
void TfrmMain::CBuilderDelphi1Click() {
    Guard([this] { CopyNotation(tinsora::ctCB); });
}
void TfrmMain::CSSRgb1Click() {
    Guard([this] { CopyNotation(tinsora::ctCssRgb); });
}
void TfrmMain::CSSHsl1Click() {
    Guard([this] { CopyNotation(tinsora::ctCssHsl); });
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->lstColorSample->viewport())
        return TemplateListMouse(event) || QMainWindow::eventFilter(watched, event);
    // A scroll bar turns Left and Right round, as its vertical form needs for
    // Up and Down; the colour bars move right for Right and left for Left.
    auto* bar = qobject_cast<QScrollBar*>(watched);
    if (bar && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Right || key == Qt::Key_Left) {
            bar->triggerAction(key == Qt::Key_Right ? QAbstractSlider::SliderSingleStepAdd
                                                    : QAbstractSlider::SliderSingleStepSub);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
