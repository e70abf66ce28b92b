#include "HtmlFindBar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

HtmlFindBar::HtmlFindBar(QWidget* parent)
    : QWidget(parent), edtFind(new QLineEdit(this)), btnFindPrevious(new QToolButton(this)),
      btnFindNext(new QToolButton(this)), lblFindStatus(new QLabel(this)),
      btnFindClose(new QToolButton(this)) {
    setAutoFillBackground(true);
    edtFind->setObjectName(QStringLiteral("edtFind"));
    edtFind->installEventFilter(this);
    btnFindPrevious->setObjectName(QStringLiteral("btnFindPrevious"));
    btnFindNext->setObjectName(QStringLiteral("btnFindNext"));
    lblFindStatus->setObjectName(QStringLiteral("lblFindStatus"));
    // A long message must not widen the bar past the pane.
    lblFindStatus->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    btnFindClose->setObjectName(QStringLiteral("btnFindClose"));
    btnFindClose->setText(QStringLiteral("×"));
    btnFindClose->setAutoRaise(true);
    retranslate();

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(2);
    row->addWidget(edtFind, 2);
    row->addWidget(btnFindPrevious);
    row->addWidget(btnFindNext);
    row->addWidget(lblFindStatus, 3);
    row->addWidget(btnFindClose);

    connect(btnFindPrevious, &QToolButton::clicked, this, &HtmlFindBar::findPrevious);
    connect(btnFindNext, &QToolButton::clicked, this, &HtmlFindBar::findNext);
    connect(btnFindClose, &QToolButton::clicked, this, &HtmlFindBar::closeRequested);
    connect(edtFind, &QLineEdit::textEdited, this, &HtmlFindBar::clearStatus);
}

void HtmlFindBar::retranslate() {
    edtFind->setPlaceholderText(tr("検索する文字列"));
    edtFind->setAccessibleName(tr("検索する文字列"));
    btnFindPrevious->setText(tr("前へ"));
    btnFindPrevious->setToolTip(tr("前を検索 (Shift+F3)"));
    btnFindNext->setText(tr("次へ"));
    btnFindNext->setToolTip(tr("次を検索 (F3)"));
    btnFindClose->setToolTip(tr("閉じる (Esc)"));
    btnFindClose->setAccessibleName(tr("検索を閉じる"));
}

void HtmlFindBar::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

QString HtmlFindBar::needle() const {
    return edtFind->text();
}

void HtmlFindBar::open(const QString& text) {
    if (!text.isEmpty())
        edtFind->setText(text);
    setStatus(QString());
    show();
    edtFind->setFocus(Qt::ShortcutFocusReason);
    edtFind->selectAll();
}

void HtmlFindBar::setStatus(const QString& text) {
    lblFindStatus->setText(text);
}

QString HtmlFindBar::status() const {
    return lblFindStatus->text();
}

void HtmlFindBar::findPrevious() {
    request(true);
}

void HtmlFindBar::findNext() {
    request(false);
}

void HtmlFindBar::clearStatus() {
    setStatus(QString());
}

void HtmlFindBar::request(bool backward) {
    if (!edtFind->text().isEmpty())
        emit findRequested(edtFind->text(), backward);
}

bool HtmlFindBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched != edtFind ||
        (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride))
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const bool f3 = key->key() == Qt::Key_F3;
    const bool escape = key->key() == Qt::Key_Escape && mods == Qt::NoModifier;
    if (!((enter || f3) && (mods == Qt::NoModifier || mods == Qt::ShiftModifier)) && !escape)
        return QWidget::eventFilter(watched, event);
    // Taken here before any shortcut of the window can claim them.
    event->accept();
    if (event->type() == QEvent::KeyPress) {
        if (escape)
            emit closeRequested();
        else
            request(mods == Qt::ShiftModifier);
    }
    return true;
}
