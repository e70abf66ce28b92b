#include "HtmlTextView.h"

#include "HtmlFindBar.h"
#include "HtmlTextLayout.h"
#include "HtmlTextViewAccessible.h"
#include "QtDesktopServices.h"
#include "Texts.h"
#include "text/Error.h"
#include "text/LineEnds.h"
#include "text/Utf16Index.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QStringDecoder>
#include <QTimer>
#include <climits>
#include <cmath>
#include <vector>

namespace {

constexpr int kMargin = 3;    // pixels left of the text
constexpr int kTopMargin = 1; // pixels above the first line
// A deletion larger than this may have narrowed the widest line: all lines are measured again.
constexpr std::size_t kRemeasureBytes = 256;
// Lines are measured in the background in slices of this many bytes, for at most
// kSliceMilliseconds at a time, so that the window keeps answering.
constexpr std::size_t kMeasureSlice = std::size_t(1) << 19;
constexpr int kSliceMilliseconds = 8;
// More inserted lines than this are measured in the background rather than at once.
constexpr std::size_t kMeasureAtOnceLines = 1000;
// What an input method is shown of the text around the caret, in bytes either side.
constexpr std::size_t kSurrounding = 256;
constexpr std::size_t kImSelectionBytes = 4096;
// The horizontal scroll bar counts in pixels up to here, in larger steps beyond.
constexpr double kMaxScrollPixels = 1e9;

std::string Utf8(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString Elided(const QString& text) {
    constexpr qsizetype kShown = 24;
    return text.size() <= kShown ? text : text.left(kShown) + QStringLiteral("…");
}

// The desktop's own clipboard, for a pane given no services.
DesktopServices& Desktop() {
    static QtDesktopServices desktop;
    return desktop;
}

} // namespace

enum class HtmlTextView::Command {
    None,
    Left,
    Right,
    WordLeft,
    WordRight,
    Up,
    Down,
    PageUp,
    PageDown,
    LineStart,
    LineEnd,
    TextStart,
    TextEnd,
    SelectAll,
    Copy,
    Cut,
    Paste,
    Undo,
    Redo,
    Backspace,
    Delete,
    DeleteWordBack,
    DeleteWordForward,
    NewLine,
    Find,
    FindNext,
    FindPrevious,
    CloseFind,
};

HtmlTextView::HtmlTextView(QWidget* parent)
    : QAbstractScrollArea(parent), layout(std::make_unique<HtmlTextLayout>(buffer)),
      units(std::make_unique<tinsora::Utf16Index>(buffer)), services(&Desktop()),
      bar(new HtmlFindBar(this)) {
    HtmlTextViewAccessible::install();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    bar->hide();
    connect(bar, &HtmlFindBar::findRequested, this, &HtmlTextView::findFromBar);
    connect(bar, &HtmlFindBar::closeRequested, this, &HtmlTextView::closeFindBar);
    applyFont();
}

HtmlTextView::~HtmlTextView() = default;

void HtmlTextView::setServices(DesktopServices* services_) {
    services = services_ ? services_ : &Desktop();
}

void HtmlTextView::setText(std::string&& utf8) {
    const bool wasEmpty = buffer.Empty();
    const ToldChange before = beforeChange(0, buffer.Size());
    buffer.SetText(std::move(utf8));
    replaced();
    tellChange(before, 0, buffer.Size());
    if (!(wasEmpty && buffer.Empty()))
        emit textChanged();
}

void HtmlTextView::setText(tinsora::PreparedText&& text) {
    const bool wasEmpty = buffer.Empty();
    const ToldChange before = beforeChange(0, buffer.Size());
    buffer.SetText(std::move(text));
    replaced();
    tellChange(before, 0, buffer.Size());
    if (!(wasEmpty && buffer.Empty()))
        emit textChanged();
}

void HtmlTextView::setPlainText(const QString& text) {
    setText(Utf8(text));
}

void HtmlTextView::clear() {
    const bool wasEmpty = buffer.Empty();
    const ToldChange before = beforeChange(0, buffer.Size());
    buffer.Clear();
    replaced();
    tellChange(before, 0, 0);
    if (!wasEmpty)
        emit textChanged();
}

void HtmlTextView::removeAll() {
    edit(0, buffer.Size(), {});
}

QByteArray HtmlTextView::utf8CrLf(std::size_t begin, std::size_t end) const {
    end = std::min(end, buffer.Size());
    begin = std::min(begin, end);
    const std::string_view range = std::string_view(buffer.Text()).substr(begin, end - begin);
    QByteArray out(static_cast<qsizetype>(tinsora::CrLfSize(range)), Qt::Uninitialized);
    char* at = out.data();
    tinsora::ForEachCrLfPiece(
        range, [&](std::string_view piece) { at = std::copy(piece.begin(), piece.end(), at); });
    return out;
}

void HtmlTextView::setReadOnly(bool readOnly_) {
    if (readOnly == readOnly_)
        return;
    readOnly = readOnly_;
    if (hasFocus()) {
        if (readOnly)
            QGuiApplication::inputMethod()->reset();
        QGuiApplication::inputMethod()->update(Qt::ImEnabled);
    }
    preedit.clear();
    viewport()->update();
}

QString HtmlTextView::toPlainText() const {
    return textOf(0, buffer.Size());
}

QString HtmlTextView::selectedText() const {
    return textOf(selectionStart(), selectionEnd());
}

// Decoded straight into one string of the final size.
QString HtmlTextView::textOf(std::size_t begin, std::size_t end) const {
    const std::string_view range = std::string_view(buffer.Text()).substr(begin, end - begin);
    QString out;
    out.resize(static_cast<qsizetype>(range.size()) + 1);
    QStringDecoder decoder(QStringDecoder::Utf8);
    QChar* const at = decoder.appendToBuffer(
        out.data(), QByteArrayView(range.data(), static_cast<qsizetype>(range.size())));
    out.truncate(at - out.constData());
    return out;
}

void HtmlTextView::setSelection(std::size_t anchor_, std::size_t position) {
    anchor = buffer.CharStart(std::min(anchor_, buffer.Size()));
    caret = buffer.CharStart(std::min(position, buffer.Size()));
    preferredX = -1;
    caretMoved();
    ensureVisible(caret);
    viewport()->update();
}

std::size_t HtmlTextView::measuredBytes() const {
    return layout->measuredBytes();
}

// ---- changes of the text

void HtmlTextView::replaced() {
    units->ForgetFrom(0);
    anchor = caret = 0;
    preferredX = -1;
    preedit.clear();
    layout->reset();
    widest = 0;
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    startMeasuring();
    updateScrollBars();
    restartBlink();
    viewport()->update();
}

void HtmlTextView::edit(std::size_t begin, std::size_t end, std::string_view text,
                        tinsora::EditKind kind) {
    if (readOnly)
        return;
    const ToldChange before = beforeChange(begin, end);
    const tinsora::TextChange change = buffer.Replace(begin, end, text, kind);
    if (change.removed == 0 && change.inserted == 0)
        return;
    anchor = caret = change.position + change.inserted;
    changed(change, before);
}

void HtmlTextView::changed(const tinsora::TextChange& change, const ToldChange& before) {
    units->ForgetFrom(change.position);
    layout->update(change);
    if (change.removedLines > 0 || change.removed > kRemeasureBytes ||
        change.insertedLines > kMeasureAtOnceLines || buffer.Empty()) {
        startMeasuring();
    } else {
        if (measuring && change.line < measureLine)
            measureLine += change.insertedLines;
        for (std::size_t line = change.line; line <= change.line + change.insertedLines; ++line) {
            if (buffer.LineEnd(line) - buffer.LineStart(line) > HtmlTextLayout::kLongLine)
                continue; // its growth shows where the caret goes
            const double width = layout->xOf(buffer.LineEnd(line));
            widest = std::max(widest, width);
            if (measuring && line < measureLine)
                measureWidest = std::max(measureWidest, width);
        }
    }
    preferredX = -1;
    updateScrollBars();
    ensureVisible(caret);
    restartBlink();
    viewport()->update();
    tellChange(before, change.position, change.inserted);
    emit textChanged();
}

void HtmlTextView::deleteSelection() {
    edit(selectionStart(), selectionEnd(), {});
}

void HtmlTextView::selectAll() {
    anchor = 0;
    caret = buffer.Size();
    preferredX = -1;
    caretMoved();
    viewport()->update();
}

bool HtmlTextView::copySelection() {
    if (!hasSelection())
        return true;
    try {
        services->setClipboardUtf8(utf8CrLf(selectionStart(), selectionEnd()));
        return true;
    } catch (const std::exception& e) {
        emit errorOccurred(ErrorText(e));
        return false;
    }
}

void HtmlTextView::copy() {
    copySelection();
}

void HtmlTextView::cut() {
    if (!readOnly && hasSelection() && copySelection())
        deleteSelection();
}

void HtmlTextView::paste() {
    if (readOnly)
        return;
    std::optional<QString> text;
    try {
        text = services->clipboardText();
    } catch (const std::exception& e) {
        emit errorOccurred(ErrorText(e));
        return;
    }
    if (text && !text->isEmpty())
        edit(selectionStart(), selectionEnd(), Utf8(*text));
}

void HtmlTextView::undo() {
    if (readOnly)
        return;
    const auto range = buffer.UndoRange();
    const ToldChange before = range ? beforeChange(range->first, range->second) : ToldChange{};
    if (const auto change = buffer.Undo()) {
        anchor = caret = change->position + change->inserted;
        changed(*change, before);
    }
}

void HtmlTextView::redo() {
    if (readOnly)
        return;
    const auto range = buffer.RedoRange();
    const ToldChange before = range ? beforeChange(range->first, range->second) : ToldChange{};
    if (const auto change = buffer.Redo()) {
        anchor = caret = change->position + change->inserted;
        changed(*change, before);
    }
}

// ---- caret and scrolling

void HtmlTextView::moveCaret(std::size_t position, bool select) {
    caret = std::min(position, buffer.Size());
    if (!select)
        anchor = caret;
    preferredX = -1;
    caretMoved();
    ensureVisible(caret);
    viewport()->update();
}

void HtmlTextView::verticalMove(std::ptrdiff_t lines, bool select) {
    const auto line = static_cast<std::ptrdiff_t>(buffer.LineOf(caret));
    const auto last = static_cast<std::ptrdiff_t>(buffer.LineCount()) - 1;
    const auto target = static_cast<std::size_t>(std::clamp(line + lines, std::ptrdiff_t(0), last));
    const double x = preferredX >= 0 ? preferredX : layout->xOf(caret);
    moveCaret(layout->positionAt(target, x), select);
    preferredX = x;
}

void HtmlTextView::caretMoved() {
    buffer.CloseUndoStep();
    restartBlink();
    tellCaret();
}

void HtmlTextView::ensureVisible(std::size_t position) {
    const std::size_t line = buffer.LineOf(position);
    const auto rows = static_cast<std::size_t>(visibleRows());
    const std::size_t first = firstLine();
    if (line < first)
        verticalScrollBar()->setValue(static_cast<int>(std::min<std::size_t>(line, INT_MAX)));
    else if (line >= first + rows)
        verticalScrollBar()->setValue(
            static_cast<int>(std::min<std::size_t>(line - rows + 1, INT_MAX)));

    const double x = layout->xOf(position);
    if (x > widest) {
        widest = x;
        updateScrollBars();
    }
    const double view = std::max(1, viewport()->width() - 2 * kMargin - 1);
    double left = scrollX();
    if (x < left)
        left = std::max(0.0, x - view / 4);
    else if (x > left + view)
        left = x - view * 3 / 4;
    horizontalScrollBar()->setValue(static_cast<int>(std::llround(left / hScale)));
}

void HtmlTextView::updateScrollBars() {
    const auto rows = static_cast<std::size_t>(visibleRows());
    const std::size_t lines = buffer.LineCount();
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(
        0, static_cast<int>(std::min<std::size_t>(lines > rows ? lines - rows : 0, INT_MAX)));
    vertical->setPageStep(static_cast<int>(rows));
    vertical->setSingleStep(1);

    const double content = widest + 2 * kMargin + 1;
    const double view = std::max(1, viewport()->width());
    hScale = content > kMaxScrollPixels ? std::ceil(content / kMaxScrollPixels) : 1;
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setRange(0, content > view ? static_cast<int>(std::ceil((content - view) / hScale))
                                           : 0);
    horizontal->setPageStep(std::max(1, static_cast<int>(view / hScale)));
    horizontal->setSingleStep(std::max(1, static_cast<int>(20 / hScale)));
}

void HtmlTextView::startMeasuring() {
    measuring = true;
    measureLine = 0;
    measureWidest = 0;
    measureTimer.start(0, this);
}

void HtmlTextView::restartBlink() {
    caretShown = hasFocus();
    const int flash = QApplication::cursorFlashTime();
    if (hasFocus() && flash > 0)
        blinkTimer.start(flash / 2, this);
    else
        blinkTimer.stop();
    viewport()->update();
}

std::size_t HtmlTextView::firstLine() const {
    return static_cast<std::size_t>(verticalScrollBar()->value());
}

int HtmlTextView::visibleRows() const {
    return std::max(1, (viewport()->height() - kTopMargin) / lineHeight);
}

double HtmlTextView::scrollX() const {
    return horizontalScrollBar()->value() * hScale;
}

int HtmlTextView::screenX(double x) const {
    return static_cast<int>(std::floor(kMargin + x - scrollX()));
}

QRect HtmlTextView::cursorRect() const {
    const auto row =
        static_cast<long long>(buffer.LineOf(caret)) - static_cast<long long>(firstLine());
    const int top = kTopMargin + static_cast<int>(std::clamp(row, -1LL, 100000LL)) * lineHeight;
    double x = layout->xOf(caret);
    if (!preedit.isEmpty())
        x += QFontMetricsF(layout->font()).horizontalAdvance(preedit.left(preeditCursor));
    return QRect(screenX(x), top, 2, lineHeight);
}

QRect HtmlTextView::characterRect(std::size_t position) const {
    const auto row =
        static_cast<long long>(buffer.LineOf(position)) - static_cast<long long>(firstLine());
    const int top =
        kTopMargin + static_cast<int>(std::clamp(row, -100000LL, 100000LL)) * lineHeight;
    const int left = screenX(layout->xOf(position));
    const bool printed = position < buffer.Size() && buffer.Text()[position] != '\n';
    const int right = printed ? screenX(layout->xOf(buffer.NextChar(position))) : left + 1;
    return QRect(left, top, std::max(1, right - left), lineHeight);
}

std::size_t HtmlTextView::hitTest(const QPoint& point) const {
    const auto row =
        static_cast<long long>(std::floor((point.y() - kTopMargin) / double(lineHeight)));
    const auto last = static_cast<long long>(buffer.LineCount()) - 1;
    const auto line =
        static_cast<std::size_t>(std::clamp(static_cast<long long>(firstLine()) + row, 0LL, last));
    return layout->positionAt(line, point.x() - kMargin + scrollX());
}

// ---- find

HtmlTextView::FindResult HtmlTextView::find(const QString& needle, bool backward) {
    std::string lf = Utf8(needle);
    tinsora::MakeLfEnds(lf);
    if (lf.empty())
        return FindResult::NotFound;
    bool wrapped = false;
    auto hit = backward ? buffer.FindBackward(lf, selectionStart())
                        : buffer.FindForward(lf, selectionEnd());
    if (!hit) {
        hit = backward ? buffer.FindBackward(lf, buffer.Size()) : buffer.FindForward(lf, 0);
        wrapped = true;
    }
    if (!hit)
        return FindResult::NotFound;
    anchor = *hit;
    caret = *hit + lf.size();
    preferredX = -1;
    caretMoved();
    ensureVisible(caret);
    ensureVisible(anchor);
    viewport()->update();
    return wrapped ? FindResult::Wrapped : FindResult::Found;
}

void HtmlTextView::findFromBar(const QString& needle, bool backward) {
    switch (find(needle, backward)) {
    case FindResult::Found:
        bar->setStatus(QString());
        break;
    case FindResult::Wrapped:
        bar->setStatus(backward ? tr("末尾から検索しました") : tr("先頭から検索しました"));
        break;
    case FindResult::NotFound:
        bar->setStatus(tr("「%1」は見つかりません").arg(Elided(needle)));
        break;
    }
}

void HtmlTextView::findAgain(bool backward) {
    if (bar->needle().isEmpty())
        showFindBar();
    else
        findFromBar(bar->needle(), backward);
}

void HtmlTextView::showFindBar() {
    QString selected;
    if (hasSelection() && selectionEnd() - selectionStart() <= kSurrounding &&
        buffer.LineOf(selectionStart()) == buffer.LineOf(selectionEnd()))
        selected = selectedText();
    bar->open(selected);
    setViewportMargins(0, 0, 0, bar->sizeHint().height());
    layoutFindBar();
}

void HtmlTextView::closeFindBar() {
    bar->hide();
    setViewportMargins(0, 0, 0, 0);
    setFocus(Qt::OtherFocusReason);
}

void HtmlTextView::layoutFindBar() {
    if (bar->isHidden())
        return;
    const QRect view = viewport()->geometry();
    bar->setGeometry(view.left(), view.bottom() + 1, view.width(), bar->sizeHint().height());
}

// ---- keys

HtmlTextView::Command HtmlTextView::commandFor(const QKeyEvent* event) {
    const Qt::KeyboardModifiers mods =
        event->modifiers() & ~(Qt::KeypadModifier | Qt::GroupSwitchModifier);
    const bool ctrl = mods & Qt::ControlModifier;
    const bool shift = mods & Qt::ShiftModifier;
    const bool other = mods & (Qt::AltModifier | Qt::MetaModifier);
    if (!other) {
        switch (event->key()) {
        case Qt::Key_Left:
            return ctrl ? Command::WordLeft : Command::Left;
        case Qt::Key_Right:
            return ctrl ? Command::WordRight : Command::Right;
        case Qt::Key_Up:
            return ctrl ? Command::None : Command::Up;
        case Qt::Key_Down:
            return ctrl ? Command::None : Command::Down;
        case Qt::Key_PageUp:
            return ctrl ? Command::None : Command::PageUp;
        case Qt::Key_PageDown:
            return ctrl ? Command::None : Command::PageDown;
        case Qt::Key_Home:
            return ctrl ? Command::TextStart : Command::LineStart;
        case Qt::Key_End:
            return ctrl ? Command::TextEnd : Command::LineEnd;
        case Qt::Key_Backspace:
            return ctrl ? Command::DeleteWordBack : Command::Backspace;
        case Qt::Key_Delete:
            return shift ? (ctrl ? Command::None : Command::Cut)
                         : (ctrl ? Command::DeleteWordForward : Command::Delete);
        case Qt::Key_Insert:
            return ctrl && !shift ? Command::Copy : shift && !ctrl ? Command::Paste : Command::None;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return ctrl ? Command::None : Command::NewLine;
        case Qt::Key_F3:
            return ctrl ? Command::None : shift ? Command::FindPrevious : Command::FindNext;
        case Qt::Key_Escape:
            return mods == Qt::NoModifier ? Command::CloseFind : Command::None;
        default:
            break;
        }
        if (ctrl && !shift) {
            switch (event->key()) {
            case Qt::Key_A:
                return Command::SelectAll;
            case Qt::Key_C:
                return Command::Copy;
            case Qt::Key_X:
                return Command::Cut;
            case Qt::Key_V:
                return Command::Paste;
            case Qt::Key_Z:
                return Command::Undo;
            case Qt::Key_Y:
                return Command::Redo;
            case Qt::Key_F:
                return Command::Find;
            default:
                break;
            }
        }
        if (ctrl && shift && event->key() == Qt::Key_Z)
            return Command::Redo;
    }
    // The platform's own keys for the same commands (on macOS, Command+C and so on).
    const std::pair<QKeySequence::StandardKey, Command> standard[] = {
        {QKeySequence::SelectAll, Command::SelectAll},
        {QKeySequence::Copy, Command::Copy},
        {QKeySequence::Cut, Command::Cut},
        {QKeySequence::Paste, Command::Paste},
        {QKeySequence::Undo, Command::Undo},
        {QKeySequence::Redo, Command::Redo},
        {QKeySequence::Find, Command::Find},
        {QKeySequence::FindNext, Command::FindNext},
        {QKeySequence::FindPrevious, Command::FindPrevious},
    };
    for (const auto& [key, command] : standard)
        if (event->matches(key))
            return command;
    return Command::None;
}

bool HtmlTextView::isTyping(const QKeyEvent* event) {
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    // Ctrl+Alt is AltGr on Windows, which types characters. Alt alone (and Meta) makes
    // a command of the window's: Alt and a letter opens a menu. On macOS Option types.
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool ctrl = mods & Qt::ControlModifier;
    const bool alt = mods & Qt::AltModifier;
    if (ctrl && !alt)
        return false;
#ifndef Q_OS_MACOS
    if ((alt && !ctrl) || (mods & Qt::MetaModifier))
        return false;
#endif
    for (const QChar c : text)
        if (c.category() == QChar::Other_Control)
            return false;
    return true;
}

bool HtmlTextView::run(Command command, bool select) {
    const std::size_t line = buffer.LineOf(caret);
    switch (command) {
    case Command::None:
        return false;
    case Command::Left:
        moveCaret(!select && hasSelection() ? selectionStart() : buffer.PrevChar(caret), select);
        break;
    case Command::Right:
        moveCaret(!select && hasSelection() ? selectionEnd() : buffer.NextChar(caret), select);
        break;
    case Command::WordLeft:
        moveCaret(buffer.PrevWordStart(caret), select);
        break;
    case Command::WordRight:
        moveCaret(buffer.NextWordStart(caret), select);
        break;
    case Command::Up:
        verticalMove(-1, select);
        break;
    case Command::Down:
        verticalMove(1, select);
        break;
    case Command::PageUp:
    case Command::PageDown: {
        const int rows = visibleRows() * (command == Command::PageUp ? -1 : 1);
        verticalScrollBar()->setValue(verticalScrollBar()->value() + rows);
        verticalMove(rows, select);
        break;
    }
    case Command::LineStart:
        moveCaret(buffer.LineStart(line), select);
        break;
    case Command::LineEnd:
        moveCaret(buffer.LineEnd(line), select);
        break;
    case Command::TextStart:
        moveCaret(0, select);
        break;
    case Command::TextEnd:
        moveCaret(buffer.Size(), select);
        break;
    case Command::SelectAll:
        selectAll();
        break;
    case Command::Copy:
        copy();
        break;
    case Command::Cut:
        cut();
        break;
    case Command::Paste:
        paste();
        break;
    case Command::Undo:
        undo();
        break;
    case Command::Redo:
        redo();
        break;
    case Command::Backspace:
        if (hasSelection())
            deleteSelection();
        else
            edit(buffer.PrevChar(caret), caret, {}, tinsora::EditKind::Backspace);
        break;
    case Command::Delete:
        if (hasSelection())
            deleteSelection();
        else
            edit(caret, buffer.NextChar(caret), {}, tinsora::EditKind::Delete);
        break;
    case Command::DeleteWordBack:
        if (hasSelection())
            deleteSelection();
        else
            edit(buffer.PrevWordStart(caret), caret, {});
        break;
    case Command::DeleteWordForward:
        if (hasSelection())
            deleteSelection();
        else
            edit(caret, buffer.NextWordStart(caret), {});
        break;
    case Command::NewLine:
        edit(selectionStart(), selectionEnd(), "\n");
        break;
    case Command::Find:
        showFindBar();
        break;
    case Command::FindNext:
        findAgain(false);
        break;
    case Command::FindPrevious:
        findAgain(true);
        break;
    case Command::CloseFind:
        if (bar->isHidden())
            return false;
        closeFindBar();
        break;
    }
    return true;
}

bool HtmlTextView::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        // Keys the pane uses are its own, whatever shortcuts the window has.
        const auto* key = static_cast<QKeyEvent*>(event);
        const Command command = commandFor(key);
        if ((command != Command::None && !(command == Command::CloseFind && bar->isHidden())) ||
            isTyping(key)) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void HtmlTextView::keyPressEvent(QKeyEvent* event) {
    const bool select = event->modifiers() & Qt::ShiftModifier;
    if (run(commandFor(event), select)) {
        event->accept();
        return;
    }
    if (isTyping(event)) {
        edit(selectionStart(), selectionEnd(), Utf8(event->text()), tinsora::EditKind::Typing);
        event->accept();
        return;
    }
    event->ignore();
}

// ---- input methods

void HtmlTextView::inputMethodEvent(QInputMethodEvent* event) {
    if (readOnly) {
        event->accept();
        return;
    }
    if (!event->preeditString().isEmpty() && hasSelection())
        deleteSelection();
    if (!event->commitString().isEmpty() || event->replacementLength() > 0) {
        std::size_t begin = selectionStart();
        std::size_t end = selectionEnd();
        if (event->replacementLength() > 0 || event->replacementStart() != 0) {
            // Counted in UTF-16 units from the caret, within its line.
            const std::size_t line = buffer.LineOf(caret);
            const auto step = [&](std::size_t at, int units) {
                for (; units < 0 && at > buffer.LineStart(line); at = buffer.PrevChar(at))
                    units +=
                        buffer.NextChar(buffer.PrevChar(at)) - buffer.PrevChar(at) == 4 ? 2 : 1;
                for (; units > 0 && at < buffer.LineEnd(line); at = buffer.NextChar(at))
                    units -= buffer.NextChar(at) - at == 4 ? 2 : 1;
                return at;
            };
            begin = step(caret, event->replacementStart());
            end = step(begin, event->replacementLength());
        }
        edit(begin, end, Utf8(event->commitString()), tinsora::EditKind::Typing);
    }
    preedit = event->preeditString();
    preeditCursor = static_cast<int>(preedit.size());
    for (const QInputMethodEvent::Attribute& a : event->attributes())
        if (a.type == QInputMethodEvent::Cursor)
            preeditCursor = std::clamp(a.start, 0, static_cast<int>(preedit.size()));
    if (!preedit.isEmpty())
        ensureVisible(caret);
    viewport()->update();
    event->accept();
}

std::pair<std::size_t, std::size_t> HtmlTextView::surrounding() const {
    const std::size_t line = buffer.LineOf(caret);
    const std::size_t start = buffer.LineStart(line);
    const std::size_t end = buffer.LineEnd(line);
    const std::size_t from =
        caret - start > kSurrounding ? buffer.CharStart(caret - kSurrounding) : start;
    const std::size_t to =
        end - caret > kSurrounding ? buffer.CharStart(caret + kSurrounding) : end;
    return {from, to};
}

QVariant HtmlTextView::inputMethodQuery(Qt::InputMethodQuery query) const {
    const auto [from, to] = surrounding();
    const auto units = [&](std::size_t a, std::size_t b) {
        return static_cast<int>(textOf(a, b).size());
    };
    switch (query) {
    case Qt::ImEnabled:
        return !readOnly;
    case Qt::ImHints:
        return static_cast<int>(Qt::ImhMultiLine);
    case Qt::ImFont:
        return layout->font();
    case Qt::ImCursorRectangle:
        return cursorRect().translated(viewport()->pos());
    case Qt::ImSurroundingText:
        return textOf(from, to);
    case Qt::ImTextBeforeCursor:
        return textOf(from, caret);
    case Qt::ImTextAfterCursor:
        return textOf(caret, to);
    case Qt::ImCursorPosition:
        return units(from, caret);
    case Qt::ImAnchorPosition:
        return units(from, std::clamp(anchor, from, to));
    case Qt::ImCurrentSelection:
        return selectionEnd() - selectionStart() <= kImSelectionBytes ? selectedText() : QString();
    default:
        return QAbstractScrollArea::inputMethodQuery(query);
    }
}

// ---- mouse

void HtmlTextView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const std::size_t position = hitTest(event->position().toPoint());
    caret = position;
    if (!(event->modifiers() & Qt::ShiftModifier))
        anchor = position;
    drag = Drag::Chars;
    preferredX = -1;
    caretMoved();
    viewport()->update();
}

void HtmlTextView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseDoubleClickEvent(event);
        return;
    }
    dragWord = buffer.WordAt(hitTest(event->position().toPoint()));
    anchor = dragWord.first;
    caret = dragWord.second;
    drag = Drag::Words;
    preferredX = -1;
    caretMoved();
    viewport()->update();
}

void HtmlTextView::mouseMoveEvent(QMouseEvent* event) {
    if (drag == Drag::None || !(event->buttons() & Qt::LeftButton))
        return;
    dragPoint = event->position().toPoint();
    dragTo(dragPoint);
    if (viewport()->rect().contains(dragPoint))
        dragTimer.stop();
    else if (!dragTimer.isActive())
        dragTimer.start(50, this);
}

void HtmlTextView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        drag = Drag::None;
        dragTimer.stop();
    }
}

void HtmlTextView::dragTo(const QPoint& point) {
    const std::size_t position = hitTest(point);
    if (drag == Drag::Words) {
        const auto word = buffer.WordAt(position);
        if (position < dragWord.first) {
            anchor = dragWord.second;
            caret = word.first;
        } else {
            anchor = dragWord.first;
            caret = std::max(word.second, dragWord.second);
        }
    } else {
        caret = position;
    }
    restartBlink();
    viewport()->update();
    tellCaret();
}

void HtmlTextView::contextMenuEvent(QContextMenuEvent* event) {
    const std::unique_ptr<QMenu> menu(createContextMenu(this));
    menu->exec(event->globalPos());
}

QMenu* HtmlTextView::createContextMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    const auto add = [&](const QString& text, void (HtmlTextView::*slot)(), bool enabled) {
        QAction* action = menu->addAction(text);
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, slot);
    };
    bool pasteable = false;
    try {
        pasteable = !readOnly && services->clipboardHasText();
    } catch (const std::exception&) {
        // A clipboard that cannot be read has nothing to paste.
    }
    const bool selected = hasSelection();
    const bool editable = !readOnly;
    add(tr("元に戻す(&U)\tCtrl+Z"), &HtmlTextView::undo, editable && buffer.CanUndo());
    add(tr("やり直し(&R)\tCtrl+Y"), &HtmlTextView::redo, editable && buffer.CanRedo());
    menu->addSeparator();
    add(tr("切り取り(&T)\tCtrl+X"), &HtmlTextView::cut, editable && selected);
    add(tr("コピー(&C)\tCtrl+C"), &HtmlTextView::copy, selected);
    add(tr("貼り付け(&P)\tCtrl+V"), &HtmlTextView::paste, pasteable);
    add(tr("削除(&D)\tDel"), &HtmlTextView::deleteSelection, editable && selected);
    menu->addSeparator();
    add(tr("すべて選択(&A)\tCtrl+A"), &HtmlTextView::selectAll, !buffer.Empty());
    menu->addSeparator();
    add(tr("検索(&F)...\tCtrl+F"), &HtmlTextView::showFindBar, true);
    return menu;
}

// ---- focus, font, timers

void HtmlTextView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    restartBlink();
}

void HtmlTextView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    blinkTimer.stop();
    caretShown = false;
    viewport()->update();
}

void HtmlTextView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        applyFont();
}

void HtmlTextView::applyFont() {
    // Each character placed by its own advance: what is measured is what is drawn.
    QFont shown = font();
    shown.setKerning(false);
    shown.setStyleStrategy(QFont::StyleStrategy(shown.styleStrategy() | QFont::PreferNoShaping));
    layout->setFont(shown);
    const QFontMetrics metrics(shown);
    lineHeight = std::max(1, metrics.lineSpacing());
    ascent = metrics.ascent();
    widest = 0;
    startMeasuring();
    updateScrollBars();
    viewport()->update();
}

void HtmlTextView::timerEvent(QTimerEvent* event) {
    if (event->timerId() == measureTimer.timerId()) {
        QElapsedTimer clock;
        clock.start();
        bool done = false;
        do
            done = layout->measure(measureLine, measureWidest, kMeasureSlice);
        while (!done && clock.elapsed() < kSliceMilliseconds);
        if (done) {
            measuring = false;
            measureTimer.stop();
            widest = measureWidest;
        } else {
            widest = std::max(widest, measureWidest);
        }
        updateScrollBars();
    } else if (event->timerId() == blinkTimer.timerId()) {
        caretShown = !caretShown;
        viewport()->update(cursorRect());
    } else if (event->timerId() == dragTimer.timerId()) {
        const QRect view = viewport()->rect();
        QScrollBar* vertical = verticalScrollBar();
        QScrollBar* horizontal = horizontalScrollBar();
        if (dragPoint.y() < view.top())
            vertical->setValue(vertical->value() - 1);
        else if (dragPoint.y() > view.bottom())
            vertical->setValue(vertical->value() + 1);
        if (dragPoint.x() < view.left())
            horizontal->setValue(horizontal->value() - horizontal->singleStep());
        else if (dragPoint.x() > view.right())
            horizontal->setValue(horizontal->value() + horizontal->singleStep());
        dragTo(dragPoint);
    } else {
        QAbstractScrollArea::timerEvent(event);
    }
}

// ---- painting

void HtmlTextView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
    layoutFindBar();
}

void HtmlTextView::scrollContentsBy(int, int) {
    viewport()->update();
}

void HtmlTextView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.setFont(layout->font());
    const QPalette& colors = palette();
    const QRect area = event->rect();
    const double left = scrollX() - kMargin; // the line's x at the viewport's left edge
    const double right = left + viewport()->width();
    const std::size_t selBegin = selectionStart();
    const std::size_t selEnd = selectionEnd();
    const auto selected = [&](std::size_t p) { return p >= selBegin && p < selEnd; };
    const std::size_t caretLine = buffer.LineOf(caret);
    const char* const data = buffer.Text().data();
    const char* const textEnd = data + buffer.Size();

    // The characters of one line's visible piece: where each begins, and where
    // it sits in the string drawn.
    struct Cell {
        std::size_t position;
        double x;
        qsizetype unit;
    };
    std::vector<Cell> cells;
    QString shown;
    double grown = widest;

    for (std::size_t line = firstLine(), row = 0; line < buffer.LineCount(); ++line, ++row) {
        const int top = kTopMargin + static_cast<int>(row) * lineHeight;
        if (top > area.bottom())
            break;
        if (top + lineHeight <= area.top())
            continue;
        const std::size_t start = buffer.LineStart(line);
        const std::size_t end = buffer.LineEnd(line);
        auto [p, x] = layout->charAt(line, std::max(0.0, left));
        cells.clear();
        shown.clear();
        while (p < end && x < right) {
            const tinsora::Utf8Char c = tinsora::DecodeUtf8(data + p, textEnd);
            cells.push_back({p, x, shown.size()});
            const char32_t glyph = HtmlTextLayout::shown(c.codePoint);
            if (glyph > 0xFFFF) {
                shown += QChar(QChar::highSurrogate(glyph));
                shown += QChar(QChar::lowSurrogate(glyph));
            } else {
                shown += QChar(static_cast<char16_t>(glyph));
            }
            x += layout->advance(c.codePoint);
            p += c.length;
        }
        cells.push_back({p, x, shown.size()});
        grown = std::max(
            grown, p < end && end - start <= HtmlTextLayout::kLongLine ? layout->xOf(end) : x);

        const int baseline = top + ascent;
        for (std::size_t k = 0; k + 1 < cells.size();) {
            const bool inSelection = selected(cells[k].position);
            const bool tab = shown[cells[k].unit] == QLatin1Char('\t');
            std::size_t j = k + 1;
            if (!tab)
                while (j + 1 < cells.size() && selected(cells[j].position) == inSelection &&
                       shown[cells[j].unit] != QLatin1Char('\t'))
                    ++j;
            const double x0 = cells[k].x - left;
            const double x1 = cells[j].x - left;
            if (inSelection)
                painter.fillRect(QRectF(x0, top, x1 - x0, lineHeight), colors.highlight());
            if (!tab) {
                painter.setPen(inSelection ? colors.highlightedText().color()
                                           : colors.text().color());
                painter.drawText(QPointF(x0, baseline),
                                 shown.mid(cells[k].unit, cells[j].unit - cells[k].unit));
            }
            k = j;
        }
        // A selected line break shows as a space's width of selection.
        if (p == end && line + 1 < buffer.LineCount() && selected(end))
            painter.fillRect(QRectF(x - left, top, layout->advance(U' '), lineHeight),
                             colors.highlight());

        if (line == caretLine && caret >= cells.front().position && caret <= p) {
            const auto at = std::lower_bound(
                cells.begin(), cells.end(), caret,
                [](const Cell& cell, std::size_t position) { return cell.position < position; });
            double caretX = at->x - left;
            if (!preedit.isEmpty()) {
                const QFontMetricsF metrics(layout->font());
                const double width = metrics.horizontalAdvance(preedit);
                painter.fillRect(QRectF(caretX, top, width, lineHeight), colors.base());
                painter.setPen(colors.text().color());
                painter.drawText(QPointF(caretX, baseline), preedit);
                painter.drawLine(QPointF(caretX, baseline + 1.5),
                                 QPointF(caretX + width, baseline + 1.5));
                caretX += metrics.horizontalAdvance(preedit.left(preeditCursor));
            }
            if (caretShown)
                painter.fillRect(QRectF(std::floor(caretX), top, 1, lineHeight), colors.text());
        }
    }
    if (grown > widest) {
        widest = grown;
        QTimer::singleShot(0, this, &HtmlTextView::updateScrollBars);
    }
}
