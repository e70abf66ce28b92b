#pragma once

#include "text/Utf8.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tinsora {

/// How an edit may join the undo step before it: typed characters, Backspace
/// and Delete each run together while they follow on from one another.
enum class EditKind { Other, Typing, Backspace, Delete };

/// What one edit (or one undo or redo) did to the text and its lines.
struct TextChange {
    std::size_t position = 0;      ///< where the change begins
    std::size_t removed = 0;       ///< bytes taken out there
    std::size_t inserted = 0;      ///< bytes put in their place
    std::size_t line = 0;          ///< the line holding position
    std::size_t removedLines = 0;  ///< line breaks taken out
    std::size_t insertedLines = 0; ///< line breaks put in
};

/// A text made ready for a TextBuffer, on any thread: its line ends made LF
/// and its lines indexed, so that a TextBuffer takes it without touching a byte.
class PreparedText {
public:
    PreparedText();
    /// Takes the string's own storage (no copy); CR LF and lone CR become LF.
    explicit PreparedText(std::string&& text);

    /// Bytes held.
    std::size_t Size() const { return text_.size(); }
    /// Lines: one more than the line breaks.
    std::size_t LineCount() const { return lineStarts_.size(); }

private:
    friend class TextBuffer;
    std::string text_;
    std::vector<std::size_t> lineStarts_;
};

/// An editable text held once, as UTF-8 bytes with LF line ends, with the
/// start of every line beside it (one std::size_t per line) and an undo history
/// that keeps only what an edit took out.
class TextBuffer {
public:
    TextBuffer();

    /// Replaces the whole text with the string's own storage (no copy); CR LF and
    /// lone CR become LF. Clears the undo history.
    void SetText(std::string&& text);
    /// Replaces the whole text with a prepared one, taking its storage and its line index (no
    /// copy, no pass over the text). Clears the undo history.
    void SetText(PreparedText&& text);
    /// Empties the text and gives back its memory, the undo history's included.
    void Clear();

    /// The whole text.
    const std::string& Text() const { return text_; }
    /// Bytes held.
    std::size_t Size() const { return text_.size(); }
    /// Whether the text is empty.
    bool Empty() const { return text_.empty(); }

    /// Lines: one more than the line breaks (an empty text has one empty line).
    std::size_t LineCount() const { return lineStarts_.size(); }
    /// Byte position where a line begins.
    std::size_t LineStart(std::size_t line) const { return lineStarts_[line]; }
    /// Byte position where a line's text ends: its LF, or Size() for the last line.
    std::size_t LineEnd(std::size_t line) const;
    /// A line's text without its LF.
    std::string_view Line(std::size_t line) const;
    /// The line holding a byte position (Size() is on the last line).
    std::size_t LineOf(std::size_t position) const;

    /// The start of the character that holds byte position.
    std::size_t CharStart(std::size_t position) const;
    /// The character boundary after position (Size() at the end).
    std::size_t NextChar(std::size_t position) const;
    /// The character boundary before position (0 at the start).
    std::size_t PrevChar(std::size_t position) const;
    /// The word (a run of letters and digits, of one kana or kanji script, of
    /// punctuation or of spaces) at position, within its line; at a line's end,
    /// the run before it.
    std::pair<std::size_t, std::size_t> WordAt(std::size_t position) const;
    /// Where the next word begins after position (over a line break, the next line's start).
    std::size_t NextWordStart(std::size_t position) const;
    /// Where the word before position begins (over a line break, the previous line's end).
    std::size_t PrevWordStart(std::size_t position) const;

    /// The first occurrence of needle beginning at or after from (case-sensitive, line
    /// breaks included); nothing for an empty needle or none found.
    std::optional<std::size_t> FindForward(std::string_view needle, std::size_t from) const;
    /// The last occurrence of needle beginning before before.
    std::optional<std::size_t> FindBackward(std::string_view needle, std::size_t before) const;

    /// Replaces [begin, end) (character boundaries) with text, CR LF and CR made LF, as one
    /// undo step or joined to the one before as kind allows.
    TextChange Replace(std::size_t begin, std::size_t end, std::string_view text,
                       EditKind kind = EditKind::Other);
    /// Whether there is an edit to undo.
    bool CanUndo() const { return !undo_.empty(); }
    /// Whether there is an undone edit to redo.
    bool CanRedo() const { return !redo_.empty(); }
    /// Takes back the last undo step; nothing when there is none.
    std::optional<TextChange> Undo();
    /// Makes the last undone step again; nothing when there is none.
    std::optional<TextChange> Redo();
    /// Makes the next edit begin an undo step of its own (the caret moved).
    void CloseUndoStep() { mergeable_ = false; }
    /// The bytes the next Undo replaces, [first, second) as the text is now; nothing without one.
    std::optional<std::pair<std::size_t, std::size_t>> UndoRange() const {
        return undo_.empty() ? std::nullopt : std::optional(StepRange(undo_.back()));
    }
    /// The bytes the next Redo replaces, as UndoRange.
    std::optional<std::pair<std::size_t, std::size_t>> RedoRange() const {
        return redo_.empty() ? std::nullopt : std::optional(StepRange(redo_.back()));
    }

private:
    // The text at [position, position + length) now; other is what it was before
    // (for an undo step) or after (for a redo step). Undoing swaps the two.
    struct Step {
        std::size_t position = 0;
        std::size_t length = 0;
        std::string other;
        EditKind kind = EditKind::Other;
    };

    static std::pair<std::size_t, std::size_t> StepRange(const Step& step) {
        return {step.position, step.position + step.length};
    }
    TextChange Apply(std::size_t begin, std::size_t end, std::string_view text);
    TextChange UpdateIndex(std::size_t begin, std::size_t oldEnd, std::size_t inserted);
    TextChange Swap(Step& step);
    // Swaps the last step of from and moves it onto to: an undo (undo_ to redo_) or a redo.
    std::optional<TextChange> SwapLast(std::vector<Step>& from, std::vector<Step>& to);

    std::string text_;
    std::vector<std::size_t> lineStarts_;
    std::vector<Step> undo_;
    std::vector<Step> redo_;
    bool mergeable_ = false;
};

} // namespace tinsora
