#pragma once

#include <QAccessibleWidget>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

class HtmlTextView;

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
