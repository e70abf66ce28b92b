#pragma once

#include <QAccessibleWidget>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

class HtmlTextView;

namespace tinsora {
class TextBuffer;
} // namespace tinsora

/// Positions in the output pane's text as screen readers count them: in UTF-16
/// units (a character beyond U+FFFF counts two), where the text holds bytes. The
/// units before a mark every kBlock bytes are kept, found only as far as asked and
/// forgotten from an edit on, so that a position near the end of a large text
/// costs counting one block once the marks are there.
class Utf16Index {
public:
    static constexpr std::size_t kBlock = std::size_t(1) << 16;

    explicit Utf16Index(const tinsora::TextBuffer& buffer);

    /// The text changed from byte position on.
    void forgetFrom(std::size_t position);
    /// Units before a byte position (a character boundary).
    std::size_t unitsBefore(std::size_t position);
    /// The byte position of the character holding a unit (the end past the last).
    std::size_t positionOf(std::size_t units);
    /// Units in the whole text.
    std::size_t length() { return unitsBefore(SIZE_MAX); }

private:
    struct Mark {
        std::size_t position;
        std::size_t units;
    };
    /// Marks up to the one at or past position (or the end).
    void markUpTo(std::size_t position);

    const tinsora::TextBuffer& buffer_;
    std::vector<Mark> marks_;
};

/// What a screen reader is given of the output pane: its text by ranges (never
/// the whole text unless asked for it), its caret and selection, and edits made
/// as the user's own.
class HtmlTextViewAccessible final : public QAccessibleWidget,
                                     public QAccessibleTextInterface,
                                     public QAccessibleEditableTextInterface {
public:
    explicit HtmlTextViewAccessible(HtmlTextView* view);

    /// Makes every HtmlTextView answer with this interface.
    static void install();

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text type) const override;

    // QAccessibleTextInterface
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                             int* startOffset, int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                            int* startOffset, int* endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                         int* endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    // QAccessibleEditableTextInterface
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int startOffset, int endOffset, const QString& text) override;

private:
    HtmlTextView* view() const;
    std::size_t position(int offset) const;
    int offset(std::size_t position) const;
    /// The piece of text [begin, end) of a boundary around byte position at.
    std::pair<std::size_t, std::size_t> pieceAt(std::size_t at,
                                                QAccessible::TextBoundaryType type) const;
    QString piece(std::pair<std::size_t, std::size_t> bytes, int* startOffset,
                  int* endOffset) const;
};
