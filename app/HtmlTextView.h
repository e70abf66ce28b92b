#pragma once

#include "text/TextBuffer.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QFont>
#include <algorithm>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

class DesktopServices;
class HtmlFindBar;
class HtmlTextLayout;
class HtmlTextViewAccessible;
class QMenu;

namespace tinsora {
class Utf16Index;
} // namespace tinsora

/// The output pane: a plain-text editor for outputs of any size. The text is
/// held once, as UTF-8 with LF line ends; only the lines on screen are drawn,
/// and of a long line only the part on screen. No word wrap; the widget's font.
/// A user edits it as any text box (caret, mouse and Shift+key selection,
/// clipboard with CR LF line ends, undo, input methods, a context menu) and finds
/// text with Ctrl+F, F3 and Shift+F3.
class HtmlTextView final : public QAbstractScrollArea {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HtmlTextView)

public:
    /// How a search went.
    enum class FindResult { Found, Wrapped, NotFound };

    explicit HtmlTextView(QWidget* parent = nullptr);
    ~HtmlTextView() override;

    /// The services whose clipboard copy, cut and paste use; nullptr for the desktop's.
    void setServices(DesktopServices* services);

    /// Replaces the whole text, taking the string's storage (UTF-8; CR LF and CR
    /// become LF). The caret goes to the start and the undo history is cleared.
    void setText(std::string&& utf8);
    /// setText for a text prepared elsewhere (its lines already indexed): costs
    /// no pass over the text, whatever its size.
    void setText(tinsora::PreparedText&& text);
    /// setText for a QString.
    void setPlainText(const QString& text);
    /// The text as held: UTF-8 with LF line ends.
    const std::string& text() const { return buffer.Text(); }
    /// The text of [begin, end) with CR LF line ends, as UTF-8 bytes for the clipboard.
    QByteArray utf8CrLf(std::size_t begin, std::size_t end) const;
    /// The text with LF line ends.
    QString toPlainText() const;
    /// Empties the pane and gives back the memory its text held.
    void clear();
    /// Empties the pane as an edit of the user's, which Ctrl+Z takes back.
    void removeAll();
    bool isEmpty() const { return buffer.Empty(); }
    /// Bytes of text held.
    std::size_t byteCount() const { return buffer.Size(); }
    /// A read-only pane shows, selects, copies and finds, but takes no edit.
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return readOnly; }

    /// The caret's byte position.
    std::size_t cursorPosition() const { return caret; }
    std::size_t selectionStart() const { return std::min(anchor, caret); }
    std::size_t selectionEnd() const { return std::max(anchor, caret); }
    bool hasSelection() const { return anchor != caret; }
    /// The selected text with LF line ends.
    QString selectedText() const;
    /// Where the caret is drawn, in the viewport's coordinates.
    QRect cursorRect() const;
    /// Selects from anchor to position (byte positions, moved to character
    /// boundaries) and scrolls the caret into view.
    void setSelection(std::size_t anchor, std::size_t position);

    /// Finds needle after the selection (before it when backward), wrapping
    /// around the text; a hit is selected and scrolled into view.
    FindResult find(const QString& needle, bool backward);
    /// Opens the find bar (Ctrl+F).
    void showFindBar();
    /// The find bar, for the window's tests.
    HtmlFindBar* findBar() const { return bar; }
    /// The context menu with the usual commands, as a right click shows it.
    QMenu* createContextMenu(QWidget* parent);
    /// Bytes measured to place characters so far: what showing the text has cost.
    std::size_t measuredBytes() const;
    /// Whether lines are still being measured in the background for the scroll range.
    bool measuringLines() const { return measuring; }

public slots:
    void selectAll();
    /// Copies the selection with CR LF line ends; nothing without a selection.
    void copy();
    void cut();
    void paste();
    void undo();
    void redo();

signals:
    void textChanged();
    /// An action could not be done (the clipboard could not be used); the
    /// message is the program's own text. The pane is left as it was.
    void errorOccurred(const QString& message);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    friend class HtmlTextViewAccessible;
    enum class Command;
    enum class Drag { None, Chars, Words };
    // Where a change begins and what it takes out, in UTF-16 units, taken before
    // it is made so that screen readers can be told of it; told only while one listens.
    struct ToldChange {
        bool told = false;
        std::size_t at = 0;
        std::size_t removed = 0;
    };

    static Command commandFor(const QKeyEvent* event);
    static bool isTyping(const QKeyEvent* event);
    bool run(Command command, bool select);

    void applyFont();
    void replaced();
    void edit(std::size_t begin, std::size_t end, std::string_view text,
              tinsora::EditKind kind = tinsora::EditKind::Other);
    void changed(const tinsora::TextChange& change, const ToldChange& before);
    ToldChange beforeChange(std::size_t begin, std::size_t end) const;
    void tellChange(const ToldChange& before, std::size_t position, std::size_t inserted);
    void tellCaret();
    /// Where the character at position is drawn, in the viewport's coordinates.
    QRect characterRect(std::size_t position) const;
    void deleteSelection();
    bool copySelection();
    void moveCaret(std::size_t position, bool select);
    void verticalMove(std::ptrdiff_t lines, bool select);
    void caretMoved();
    void ensureVisible(std::size_t position);
    void updateScrollBars();
    void startMeasuring();
    void restartBlink();
    void layoutFindBar();
    void closeFindBar();
    void findFromBar(const QString& needle, bool backward);
    void findAgain(bool backward);
    void dragTo(const QPoint& point);

    QString textOf(std::size_t begin, std::size_t end) const;
    std::size_t hitTest(const QPoint& point) const;
    std::size_t firstLine() const;
    int visibleRows() const;
    double scrollX() const;
    int screenX(double x) const;
    std::pair<std::size_t, std::size_t> surrounding() const;

    tinsora::TextBuffer buffer;
    std::unique_ptr<HtmlTextLayout> layout;
    std::unique_ptr<tinsora::Utf16Index> units; // offsets as screen readers count them
    DesktopServices* services;                  // the clipboard's
    HtmlFindBar* bar;

    std::size_t anchor = 0;
    std::size_t caret = 0;
    double preferredX = -1; // kept over Up, Down, PageUp and PageDown
    bool caretShown = false;
    bool readOnly = false;
    bool toldSelection = false; // a screen reader was last told of a selection
    QString preedit;
    int preeditCursor = 0;

    int lineHeight = 1;
    int ascent = 0;
    double widest = 0;      // the widest line measured, the horizontal scroll range
    double hScale = 1;      // pixels per horizontal scroll bar step
    bool measuring = false; // lines being measured a slice at a time
    std::size_t measureLine = 0;
    double measureWidest = 0;

    Drag drag = Drag::None;
    std::pair<std::size_t, std::size_t> dragWord;
    QPoint dragPoint;

    QBasicTimer measureTimer;
    QBasicTimer blinkTimer;
    QBasicTimer dragTimer;
};
