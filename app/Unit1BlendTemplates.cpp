// The blend of two colours and the template colour list.

#include "Unit1.h"
#include "color/Blend.h"
#include "color/Templates.h"
#include "ui_Unit1.h"

#include <QFontMetrics>
#include <QListWidget>
#include <QMouseEvent>
#include <QSlider>
#include <QStyledItemDelegate>

namespace {

constexpr int kTemplateRowHeight = 12;

// Rows of the template list at their fixed height, whatever the font.
class TemplateRowDelegate final : public QStyledItemDelegate {
    Q_DISABLE_COPY_MOVE(TemplateRowDelegate)

public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), kTemplateRowHeight};
    }
};

} // namespace

void TfrmMain::ConnectTemplateList() {
    QListWidget* list = ui->lstColorSample;
    // A 12-pixel font whose lines are higher than the rows (a stand-in for the
    // system font) steps down until its letters fit the rows whole.
    QFont font = list->font();
    font.setPixelSize(12);
    while (QFontMetrics(font).height() > kTemplateRowHeight && font.pixelSize() > 8)
        font.setPixelSize(font.pixelSize() - 1);
    list->setFont(font);
    list->setItemDelegate(new TemplateRowDelegate(list));
    list->setUniformItemSizes(true);
    list->viewport()->installEventFilter(this);
    // Only the user selects a template, with a click or a key that moves the
    // selection; the list taking the focus makes an item current, not selected.
    connect(list, &QListWidget::itemSelectionChanged, this, [this] {
        templateTakenOnPress = templateMouseDown;
        lstColorSampleClick();
    });
    // A click on the item already selected takes it again.
    connect(list, &QListWidget::itemClicked, this, [this] {
        if (!templateTakenOnPress)
            lstColorSampleClick();
    });
}

bool TfrmMain::TemplateListMouse(QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
        type != QEvent::MouseButtonDblClick)
        return false;
    // The right and middle buttons select nothing.
    if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
        return true;
    templateMouseDown = type != QEvent::MouseButtonRelease;
    if (type == QEvent::MouseButtonPress)
        templateTakenOnPress = false;
    else if (type == QEvent::MouseButtonDblClick)
        templateTakenOnPress = true; // the first click of the two took it
    return false;
}

void TfrmMain::pnlBlendColor1Click() {
    Guard([this] {
        ui->pnlBlendColor1->setColor(tinsora::PackColor(CurrentColor()));
        UpdateBlend();
    });
}

void TfrmMain::pnlBlendColor2Click() {
    Guard([this] {
        ui->pnlBlendColor2->setColor(tinsora::PackColor(CurrentColor()));
        UpdateBlend();
    });
}

void TfrmMain::barBlendChange() {
    Guard([this] { UpdateBlend(); });
}

void TfrmMain::UpdateBlend() {
    const tinsora::ColorRGB result = tinsora::BlendColors(
        ui->pnlBlendColor1->color(), ui->pnlBlendColor2->color(), ui->barBlend->value());
    ui->pnlBlendColor3->setColor(tinsora::PackColor(result));
}

void TfrmMain::pnlBlendColor3Click() {
    Guard([this] { SetCurrentColor(tinsora::UnpackColor(ui->pnlBlendColor3->color())); });
}

void TfrmMain::lstColorSampleClick() {
    Guard([this] {
        const QList<QListWidgetItem*> selected = ui->lstColorSample->selectedItems();
        if (selected.isEmpty())
            return;
        const int k = ui->lstColorSample->row(selected.first());
        const std::string& line =
            tinsora::TemplateColorLine(templateLines, static_cast<std::size_t>(k));
        SetCurrentColor(tinsora::TemplateColor(line));
    });
}
