#include "LineBoxPaste.h"

#include "DesktopServices.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>

LineBoxPaste::LineBoxPaste(QLineEdit* box_, DesktopServices& services_)
    : QObject(box_), box(box_), services(services_) {}

void LineBoxPaste::install(QLineEdit* box, DesktopServices& services) {
    box->installEventFilter(new LineBoxPaste(box, services));
}

void LineBoxPaste::install(QComboBox* combo, DesktopServices& services) {
    if (QLineEdit* box = combo->lineEdit()) {
        auto* paste = new LineBoxPaste(box, services);
        box->installEventFilter(paste);
        combo->installEventFilter(paste);
    }
}

bool LineBoxPaste::eventFilter(QObject* watched, QEvent* event) {
    // The keys come to the box, or to the combo box that holds it; the mouse to the box only.
    if (watched != box && event->type() != QEvent::KeyPress)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
            paste(QClipboard::Clipboard);
            return true;
        }
        return false;
    case QEvent::MouseButtonRelease:
        // The press has put the cursor where the button went down.
        if (static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton &&
            QGuiApplication::clipboard()->supportsSelection()) {
            if (!box->isReadOnly()) {
                box->deselect();
                paste(QClipboard::Selection);
            }
            return true;
        }
        return false;
    case QEvent::ContextMenu:
        showMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    default:
        return false;
    }
}

void LineBoxPaste::paste(QClipboard::Mode mode) {
    if (box->isReadOnly())
        return;
    const qsizetype room = box->maxLength() - (box->text().size() - box->selectedText().size());
    const std::optional<QString> text = services.clipboardTextStart(mode, room);
    if (text && (!text->isEmpty() || box->hasSelectedText()))
        box->insert(*text);
}

// The box's own menu, but for its paste; the menu Qt makes reads the whole clipboard to learn
// whether there is a text to paste.
void LineBoxPaste::showMenu(const QPoint& at) {
    QMenu menu(box);
    const auto add = [&](const char* text, QKeySequence::StandardKey key, bool enabled) {
        const QString shortcut = QKeySequence(key).toString(QKeySequence::NativeText);
        QAction* action = menu.addAction(QCoreApplication::translate("QLineEdit", text) +
                                         (shortcut.isEmpty() ? QString() : '\t' + shortcut));
        action->setEnabled(enabled);
        return action;
    };
    const bool editable = !box->isReadOnly();
    const bool selected = box->hasSelectedText() && box->echoMode() == QLineEdit::Normal;
    connect(add("&Undo", QKeySequence::Undo, editable && box->isUndoAvailable()),
            &QAction::triggered, box, &QLineEdit::undo);
    connect(add("&Redo", QKeySequence::Redo, editable && box->isRedoAvailable()),
            &QAction::triggered, box, &QLineEdit::redo);
    menu.addSeparator();
    connect(add("Cu&t", QKeySequence::Cut, editable && selected), &QAction::triggered, box,
            &QLineEdit::cut);
    connect(add("&Copy", QKeySequence::Copy, selected), &QAction::triggered, box, &QLineEdit::copy);
    connect(add("&Paste", QKeySequence::Paste, editable && services.clipboardHasText()),
            &QAction::triggered, this, [this] { paste(QClipboard::Clipboard); });
    connect(add("Delete", QKeySequence::UnknownKey, editable && box->hasSelectedText()),
            &QAction::triggered, box, &QLineEdit::del);
    menu.addSeparator();
    connect(add("Select All", QKeySequence::SelectAll,
                !box->text().isEmpty() && box->selectedText() != box->text()),
            &QAction::triggered, box, &QLineEdit::selectAll);
    menu.exec(at);
}
