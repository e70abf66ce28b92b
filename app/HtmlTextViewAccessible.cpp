// The output pane for screen readers: offsets in UTF-16 units over a text held
// as bytes, the accessible text interfaces, and the events that tell of edits,
// of the caret and of the selection.

#include "HtmlTextViewAccessible.h"

#include "HtmlTextView.h"
#include "text/Utf16Index.h"

#include <QAccessibleEvent>
#include <algorithm>
#include <climits>

namespace {

// What an event tells of an edit's text: a larger edit (a whole new output) is
// told by its start, not handed over whole.
constexpr std::size_t kToldUnits = 4096;
// The longest line or word handed out whole.
constexpr std::size_t kPieceBytes = 4096;

// The characters of [begin, end) as UTF-16, decoded as the buffer reads them
// (a byte that begins no valid sequence is U+FFFD), so that offsets agree with
// the counting above.
QString Decode(const tinsora::TextBuffer& buffer, std::size_t begin, std::size_t end) {
    const char* p = buffer.Text().data() + begin;
    const char* const stop = buffer.Text().data() + end;
    const char* const last = buffer.Text().data() + buffer.Size();
    QString out;
    out.reserve(static_cast<qsizetype>(end - begin));
    while (p < stop) {
        const tinsora::Utf8Char c = tinsora::DecodeUtf8(p, last);
        if (c.codePoint > 0xFFFF) {
            out += QChar(QChar::highSurrogate(c.codePoint));
            out += QChar(QChar::lowSurrogate(c.codePoint));
        } else {
            out += QChar(static_cast<char16_t>(c.codePoint));
        }
        p += c.length;
    }
    return out;
}

int ToInt(std::size_t n) {
    return static_cast<int>(std::min<std::size_t>(n, INT_MAX));
}

} // namespace

// ---- the view's side: telling screen readers what changed

HtmlTextView::ToldChange HtmlTextView::beforeChange(std::size_t begin, std::size_t end) const {
    if (!QAccessible::isActive())
        return {};
    const std::size_t at = units->UnitsBefore(begin);
    return {true, at, units->UnitsBefore(end) - at};
}

void HtmlTextView::tellChange(const ToldChange& before, std::size_t position,
                              std::size_t inserted) {
    if (!before.told || !QAccessible::isActive())
        return;
    const std::size_t begin = std::min(position, buffer.Size());
    const std::size_t end = std::min(begin + inserted, buffer.Size());
    // What was inserted, or as much of it as is told; what was taken out, by its length.
    QString added;
    if (end > begin) {
        std::size_t toldEnd = begin;
        for (std::size_t n = 0; toldEnd < end && n < kToldUnits; ++n)
            toldEnd = buffer.NextChar(toldEnd);
        added = Decode(buffer, begin, toldEnd);
    }
    const QString removed(static_cast<qsizetype>(std::min(before.removed, kToldUnits)), u' ');
    const int at = ToInt(before.at);
    if (removed.isEmpty() && !added.isEmpty()) {
        QAccessibleTextInsertEvent event(this, at, added);
        QAccessible::updateAccessibility(&event);
    } else if (!removed.isEmpty() && added.isEmpty()) {
        QAccessibleTextRemoveEvent event(this, at, removed);
        QAccessible::updateAccessibility(&event);
    } else if (!removed.isEmpty()) {
        QAccessibleTextUpdateEvent event(this, at, removed, added);
        QAccessible::updateAccessibility(&event);
    }
    tellCaret();
}

void HtmlTextView::tellCaret() {
    if (!QAccessible::isActive())
        return;
    if (hasSelection() || toldSelection) {
        QAccessibleTextSelectionEvent event(this, ToInt(units->UnitsBefore(selectionStart())),
                                            ToInt(units->UnitsBefore(selectionEnd())));
        QAccessible::updateAccessibility(&event);
        toldSelection = hasSelection();
    }
    QAccessibleTextCursorEvent event(this, ToInt(units->UnitsBefore(caret)));
    QAccessible::updateAccessibility(&event);
}

// ---- the interfaces

namespace {

QAccessibleInterface* Factory(const QString& className, QObject* object) {
    if (className == QLatin1String("HtmlTextView") && object && object->isWidgetType())
        return new HtmlTextViewAccessible(static_cast<HtmlTextView*>(object));
    return nullptr;
}

} // namespace

HtmlTextViewAccessible::HtmlTextViewAccessible(HtmlTextView* view)
    : QAccessibleWidget(view, QAccessible::EditableText) {}

void HtmlTextViewAccessible::install() {
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
}

HtmlTextView* HtmlTextViewAccessible::view() const {
    return static_cast<HtmlTextView*>(widget());
}

std::size_t HtmlTextViewAccessible::position(int offset) const {
    return view()->units->PositionOf(static_cast<std::size_t>(std::max(offset, 0)));
}

int HtmlTextViewAccessible::offset(std::size_t position) const {
    return ToInt(view()->units->UnitsBefore(position));
}

void* HtmlTextViewAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State HtmlTextViewAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.multiLine = true;
    state.selectableText = true;
    state.editable = !view()->isReadOnly();
    state.readOnly = view()->isReadOnly();
    return state;
}

QString HtmlTextViewAccessible::text(QAccessible::Text type) const {
    // The text itself is read through the text interface, a range at a time.
    if (type == QAccessible::Value)
        return {};
    return QAccessibleWidget::text(type);
}

void HtmlTextViewAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = -1;
    if (selectionIndex != 0 || !view()->hasSelection())
        return;
    *startOffset = offset(view()->selectionStart());
    *endOffset = offset(view()->selectionEnd());
}

int HtmlTextViewAccessible::selectionCount() const {
    return view()->hasSelection() ? 1 : 0;
}

void HtmlTextViewAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void HtmlTextViewAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex == 0)
        view()->setSelection(view()->cursorPosition(), view()->cursorPosition());
}

void HtmlTextViewAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex == 0)
        view()->setSelection(position(startOffset), position(endOffset));
}

int HtmlTextViewAccessible::cursorPosition() const {
    return offset(view()->cursorPosition());
}

void HtmlTextViewAccessible::setCursorPosition(int position_) {
    const std::size_t at = position(position_);
    view()->setSelection(at, at);
}

QString HtmlTextViewAccessible::text(int startOffset, int endOffset) const {
    if (endOffset <= startOffset)
        return {};
    return Decode(view()->buffer, position(startOffset), position(endOffset));
}

std::pair<std::size_t, std::size_t>
HtmlTextViewAccessible::pieceAt(std::size_t at, QAccessible::TextBoundaryType type) const {
    const tinsora::TextBuffer& buffer = view()->buffer;
    std::pair<std::size_t, std::size_t> piece;
    switch (type) {
    case QAccessible::CharBoundary:
        return {at, buffer.NextChar(at)};
    case QAccessible::NoBoundary:
        return {0, buffer.Size()};
    case QAccessible::WordBoundary:
        piece = buffer.WordAt(at);
        break;
    case QAccessible::SentenceBoundary:
    case QAccessible::ParagraphBoundary:
    case QAccessible::LineBoundary: {
        // A line with its line break, as a line of a text box is read.
        const std::size_t line = buffer.LineOf(at);
        const std::size_t end = buffer.LineEnd(line);
        piece = {buffer.LineStart(line), end < buffer.Size() ? end + 1 : end};
        break;
    }
    }
    // Output joined into one line is one line of tens of megabytes: it is read in
    // pieces of kPieceBytes, as a text box that wraps shows a long line in rows.
    if (piece.second - piece.first <= kPieceBytes)
        return piece;
    const std::size_t k = (std::min(at, piece.second - 1) - piece.first) / kPieceBytes;
    const std::size_t begin = buffer.CharStart(piece.first + k * kPieceBytes);
    const std::size_t next = piece.first + (k + 1) * kPieceBytes;
    return {begin, next < piece.second ? buffer.CharStart(next) : piece.second};
}

QString HtmlTextViewAccessible::piece(std::pair<std::size_t, std::size_t> bytes, int* startOffset,
                                      int* endOffset) const {
    *startOffset = offset(bytes.first);
    *endOffset = offset(bytes.second);
    return Decode(view()->buffer, bytes.first, bytes.second);
}

QString HtmlTextViewAccessible::textAtOffset(int offset_, QAccessible::TextBoundaryType type,
                                             int* startOffset, int* endOffset) const {
    return piece(pieceAt(position(offset_), type), startOffset, endOffset);
}

QString HtmlTextViewAccessible::textBeforeOffset(int offset_, QAccessible::TextBoundaryType type,
                                                 int* startOffset, int* endOffset) const {
    const std::size_t start = pieceAt(position(offset_), type).first;
    if (start == 0 || type == QAccessible::NoBoundary) {
        *startOffset = *endOffset = offset(start);
        return {};
    }
    return piece(pieceAt(view()->buffer.PrevChar(start), type), startOffset, endOffset);
}

QString HtmlTextViewAccessible::textAfterOffset(int offset_, QAccessible::TextBoundaryType type,
                                                int* startOffset, int* endOffset) const {
    const std::size_t end = pieceAt(position(offset_), type).second;
    if (end >= view()->buffer.Size() || type == QAccessible::NoBoundary) {
        *startOffset = *endOffset = offset(end);
        return {};
    }
    return piece(pieceAt(end, type), startOffset, endOffset);
}

int HtmlTextViewAccessible::characterCount() const {
    return ToInt(view()->units->Length());
}

QRect HtmlTextViewAccessible::characterRect(int offset_) const {
    const QRect r = view()->characterRect(position(offset_));
    return QRect(view()->viewport()->mapToGlobal(r.topLeft()), r.size());
}

int HtmlTextViewAccessible::offsetAtPoint(const QPoint& point) const {
    const QPoint local = view()->viewport()->mapFromGlobal(point);
    if (!view()->viewport()->rect().contains(local))
        return -1;
    return offset(view()->hitTest(local));
}

void HtmlTextViewAccessible::scrollToSubstring(int startIndex, int endIndex) {
    view()->ensureVisible(position(endIndex));
    view()->ensureVisible(position(startIndex));
}

QString HtmlTextViewAccessible::attributes(int offset_, int* startOffset, int* endOffset) const {
    // One font and colour throughout.
    *startOffset = 0;
    *endOffset = std::max(offset_, characterCount());
    return {};
}

void HtmlTextViewAccessible::deleteText(int startOffset, int endOffset) {
    replaceText(startOffset, endOffset, QString());
}

void HtmlTextViewAccessible::insertText(int offset_, const QString& text) {
    replaceText(offset_, offset_, text);
}

void HtmlTextViewAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    const std::size_t begin = position(std::min(startOffset, endOffset));
    const std::size_t end = position(std::max(startOffset, endOffset));
    view()->edit(begin, end,
                 std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}
