#include "text/TextBuffer.h"

#include "text/LineEnds.h"

#include <gtest/gtest.h>
#include <random>

using namespace tinsora;

namespace {

// The line starts as a plain walk over the text finds them.
std::vector<std::size_t> LineStartsOf(const std::string& text) {
    std::vector<std::size_t> starts{0};
    for (std::size_t k = 0; k < text.size(); ++k)
        if (text[k] == '\n')
            starts.push_back(k + 1);
    return starts;
}

void ExpectIndexMatches(const TextBuffer& buffer) {
    const auto starts = LineStartsOf(buffer.Text());
    ASSERT_EQ(buffer.LineCount(), starts.size());
    for (std::size_t line = 0; line < starts.size(); ++line) {
        ASSERT_EQ(buffer.LineStart(line), starts[line]) << "line " << line;
        const std::size_t end = line + 1 < starts.size() ? starts[line + 1] - 1 : buffer.Size();
        ASSERT_EQ(buffer.LineEnd(line), end) << "line " << line;
    }
    for (std::size_t p = 0; p <= buffer.Size(); p += 1 + buffer.Size() / 50) {
        const std::size_t line = buffer.LineOf(p);
        ASSERT_LE(buffer.LineStart(line), p);
        ASSERT_LE(p, buffer.LineEnd(line));
    }
}

TextBuffer Holding(std::string text) {
    TextBuffer buffer;
    buffer.SetText(std::move(text));
    return buffer;
}

} // namespace

TEST(TextBuffer, TakesTheTextWithoutACopyAndIndexesItsLines) {
    std::string text(100000, 'x');
    text[10] = '\n';
    text[99999] = '\n';
    const char* const storage = text.data();
    TextBuffer buffer;
    buffer.SetText(std::move(text));
    EXPECT_EQ(buffer.Text().data(), storage);
    ASSERT_EQ(buffer.LineCount(), 3u); // a final line break leaves an empty last line
    EXPECT_EQ(buffer.Line(0), std::string(10, 'x'));
    EXPECT_EQ(buffer.LineStart(1), 11u);
    EXPECT_EQ(buffer.LineEnd(1), 99999u);
    EXPECT_EQ(buffer.Line(2), "");
    EXPECT_EQ(buffer.LineOf(10), 0u);
    EXPECT_EQ(buffer.LineOf(11), 1u);
    EXPECT_EQ(buffer.LineOf(100000), 2u);

    const TextBuffer empty;
    EXPECT_EQ(empty.LineCount(), 1u);
    EXPECT_EQ(empty.Line(0), "");
    EXPECT_EQ(empty.LineOf(0), 0u);
}

TEST(TextBuffer, HoldsEveryLineEndAsLf) {
    TextBuffer buffer = Holding("a\r\nb\rc\n\r\nd\r");
    EXPECT_EQ(buffer.Text(), "a\nb\nc\n\nd\n");
    ExpectIndexMatches(buffer);
    buffer.Replace(1, 1, "x\r\ny\rz");
    EXPECT_EQ(buffer.Text(), "ax\ny\nz\nb\nc\n\nd\n");
    ExpectIndexMatches(buffer);
    // Out again as a copy holds it, of the size the pane's limit counts, and back.
    std::string crLf = "<";
    AppendCrLf(crLf, buffer.Text());
    EXPECT_EQ(crLf, "<ax\r\ny\r\nz\r\nb\r\nc\r\n\r\nd\r\n");
    EXPECT_EQ(CrLfSize(buffer.Text()), crLf.size() - 1);
    MakeLfEnds(crLf);
    EXPECT_EQ(crLf, "<" + buffer.Text());
}

TEST(TextBuffer, ReportsWhatAnEditChanged) {
    TextBuffer buffer = Holding("one\ntwo\nthree\n");
    const TextChange join = buffer.Replace(2, 9, "X");
    EXPECT_EQ(buffer.Text(), "onXhree\n");
    EXPECT_EQ(join.position, 2u);
    EXPECT_EQ(join.removed, 7u);
    EXPECT_EQ(join.inserted, 1u);
    EXPECT_EQ(join.line, 0u);
    EXPECT_EQ(join.removedLines, 2u);
    EXPECT_EQ(join.insertedLines, 0u);

    const TextChange split = buffer.Replace(8, 8, "a\n\nb");
    EXPECT_EQ(split.line, 1u);
    EXPECT_EQ(split.insertedLines, 2u);
    ExpectIndexMatches(buffer);

    const TextChange nothing = buffer.Replace(3, 3, "");
    EXPECT_EQ(nothing.removed + nothing.inserted, 0u);
    EXPECT_EQ(buffer.Text(), "onXhree\na\n\nb");
}

// Random edits of every shape, then all of them undone and redone: the line
// index must agree with the text at every step.
TEST(TextBuffer, EditsUndoAndRedoKeepTheLineIndexRight) {
    std::mt19937 random(13);
    const std::string pieces[] = {"", "a", "\n", "ab\ncd", "\n\n\n", "x\r\ny", "長い\n行"};
    const std::string original = "first line\nsecond\n\nfourth\n";
    TextBuffer buffer = Holding(original);
    std::vector<std::string> history{buffer.Text()};
    for (int k = 0; k < 300; ++k) {
        const std::size_t size = buffer.Size();
        std::size_t begin = buffer.CharStart(random() % (size + 1));
        std::size_t end = buffer.CharStart(begin + random() % 8);
        if (end < begin)
            std::swap(begin, end);
        const std::string& piece = pieces[random() % std::size(pieces)];
        const auto kind = static_cast<EditKind>(random() % 4);
        std::string expected = buffer.Text();
        expected.replace(begin, end - begin, piece);
        std::string lf;
        for (std::size_t c = 0; c < expected.size(); ++c)
            if (expected[c] != '\r')
                lf += expected[c];
            else if (c + 1 >= expected.size() || expected[c + 1] != '\n')
                lf += '\n';
        buffer.Replace(begin, end, piece, kind);
        if (random() % 5 == 0)
            buffer.CloseUndoStep();
        ASSERT_EQ(buffer.Text(), lf) << "edit " << k;
        ExpectIndexMatches(buffer);
        if (buffer.Text() != history.back())
            history.push_back(buffer.Text());
    }
    const std::string last = buffer.Text();
    std::size_t steps = 0;
    while (buffer.Undo()) {
        ++steps;
        ExpectIndexMatches(buffer);
        // Every state an undo passes through is one the edits passed through.
        ASSERT_NE(std::find(history.begin(), history.end(), buffer.Text()), history.end());
    }
    EXPECT_EQ(buffer.Text(), original);
    EXPECT_GT(steps, 20u);
    while (buffer.Redo())
        ExpectIndexMatches(buffer);
    EXPECT_EQ(buffer.Text(), last);
}

TEST(TextBuffer, UndoStepsFollowTypingBackspaceAndDelete) {
    TextBuffer buffer = Holding("0123456789");
    buffer.Replace(2, 2, "a", EditKind::Typing);
    buffer.Replace(3, 3, "b", EditKind::Typing);
    buffer.Replace(4, 4, "c", EditKind::Typing);
    EXPECT_EQ(buffer.Text(), "01abc23456789");
    buffer.Replace(9, 10, "", EditKind::Backspace); // "6"
    buffer.Replace(8, 9, "", EditKind::Backspace);  // "5"
    buffer.Replace(8, 9, "", EditKind::Delete);     // "7"
    buffer.Replace(8, 9, "", EditKind::Delete);     // "8"
    EXPECT_EQ(buffer.Text(), "01abc2349");

    auto change = buffer.Undo(); // both Deletes
    EXPECT_EQ(buffer.Text(), "01abc234789");
    ASSERT_TRUE(change);
    EXPECT_EQ(change->position, 8u);
    EXPECT_EQ(change->inserted, 2u);
    buffer.Undo(); // both Backspaces
    EXPECT_EQ(buffer.Text(), "01abc23456789");
    buffer.Undo(); // the three typed letters
    EXPECT_EQ(buffer.Text(), "0123456789");
    EXPECT_FALSE(buffer.CanUndo());
    EXPECT_FALSE(buffer.Undo());

    buffer.Redo();
    EXPECT_EQ(buffer.Text(), "01abc23456789");
    buffer.Replace(0, 0, "x", EditKind::Typing); // a new edit ends the redo history
    EXPECT_FALSE(buffer.CanRedo());

    // Typing after a caret move, or not where the last letter went, is a step of its own.
    buffer.CloseUndoStep();
    buffer.Replace(1, 1, "y", EditKind::Typing);
    buffer.Replace(0, 0, "z", EditKind::Typing);
    buffer.Undo();
    EXPECT_EQ(buffer.Text(), "xy01abc23456789");
    buffer.Undo();
    EXPECT_EQ(buffer.Text(), "x01abc23456789");
}

TEST(TextBuffer, ReplacingTheWholeTextIsUndoneExactly) {
    std::string big(1 << 20, 'q');
    big[500] = '\n';
    TextBuffer buffer = Holding(big);
    buffer.Replace(0, buffer.Size(), "new", EditKind::Typing);
    EXPECT_EQ(buffer.Text(), "new");
    ExpectIndexMatches(buffer);
    buffer.Undo();
    EXPECT_EQ(buffer.Text(), big);
    ExpectIndexMatches(buffer);
    buffer.Redo();
    EXPECT_EQ(buffer.Text(), "new");
    buffer.Undo();
    EXPECT_EQ(buffer.Text(), big);

    buffer.Clear();
    EXPECT_TRUE(buffer.Empty());
    EXPECT_EQ(buffer.LineCount(), 1u);
    EXPECT_FALSE(buffer.CanUndo());
    EXPECT_FALSE(buffer.CanRedo());
}

TEST(TextBuffer, FindsForwardAndBackwardAcrossLineEnds) {
    const TextBuffer buffer = Holding("<TD>\n<TD>\nend\naaa");
    EXPECT_EQ(buffer.FindForward("<TD>", 0), 0u);
    EXPECT_EQ(buffer.FindForward("<TD>", 1), 5u);
    EXPECT_EQ(buffer.FindForward(">\n<", 0), 3u);
    EXPECT_EQ(buffer.FindForward("<TD>", 6), std::nullopt);
    EXPECT_EQ(buffer.FindForward("<td>", 0), std::nullopt); // case counts
    EXPECT_EQ(buffer.FindForward("aaa", 14), 14u);
    EXPECT_EQ(buffer.FindForward("a", buffer.Size()), std::nullopt);
    EXPECT_EQ(buffer.FindForward("", 0), std::nullopt);

    EXPECT_EQ(buffer.FindBackward("<TD>", buffer.Size()), 5u);
    EXPECT_EQ(buffer.FindBackward("<TD>", 5), 0u);
    EXPECT_EQ(buffer.FindBackward("<TD>", 0), std::nullopt);
    EXPECT_EQ(buffer.FindBackward("\nend\n", buffer.Size()), 9u);
    EXPECT_EQ(buffer.FindBackward("aa", buffer.Size()), 15u); // overlapping hits
    EXPECT_EQ(buffer.FindBackward("aa", 15), 14u);
    EXPECT_EQ(buffer.FindBackward("aaa", 15), 14u);
    EXPECT_EQ(buffer.FindBackward("longer than the whole text, by far", 99), std::nullopt);
    EXPECT_EQ(buffer.FindBackward("", 9), std::nullopt);
}

TEST(TextBuffer, DecodesUtf8AndTakesBadBytesOneByOne) {
    struct Case {
        std::string bytes;
        char32_t codePoint;
        std::size_t length;
    };
    const Case cases[] = {
        {"A", U'A', 1},
        {"\xC3\xA9", 0xE9, 2},
        {"\xE3\x81\x82", 0x3042, 3},
        {"\xF0\xA0\xAE\xB7", 0x20BB7, 4},
        {"\x80", 0xFFFD, 1},             // a lone continuation byte
        {"\xC0\x80", 0xFFFD, 1},         // overlong
        {"\xE3\x81", 0xFFFD, 1},         // cut short
        {"\xED\xA0\x80", 0xFFFD, 1},     // a surrogate
        {"\xF4\x90\x80\x80", 0xFFFD, 1}, // past U+10FFFF
        {"\xE3\x41\x82", 0xFFFD, 1},
    };
    for (const Case& c : cases) {
        const Utf8Char decoded = DecodeUtf8(c.bytes.data(), c.bytes.data() + c.bytes.size());
        EXPECT_EQ(decoded.codePoint, c.codePoint) << c.bytes;
        EXPECT_EQ(decoded.length, c.length) << c.bytes;
    }
}

// CharStart, NextChar and PrevChar must agree with a walk that decodes from
// the start, or the caret could land inside a character.
TEST(TextBuffer, CharacterBoundariesAgreeWithAWalkFromTheStart) {
    const TextBuffer buffer = Holding("aé\xE3\x81\x82\x80\x80\xE3\x81\xE3\x81\x82\xF0\xA0\xAE\xB7"
                                      "\xC0\x80z\n\xE6\x96\x87");
    const std::string& text = buffer.Text();
    std::vector<std::size_t> walk{0};
    for (std::size_t p = 0; p < text.size();)
        walk.push_back(p += DecodeUtf8(text.data() + p, text.data() + text.size()).length);
    for (std::size_t k = 0; k + 1 < walk.size(); ++k) {
        EXPECT_EQ(buffer.NextChar(walk[k]), walk[k + 1]);
        EXPECT_EQ(buffer.PrevChar(walk[k + 1]), walk[k]);
        for (std::size_t p = walk[k]; p < walk[k + 1]; ++p)
            EXPECT_EQ(buffer.CharStart(p), walk[k]) << "byte " << p;
    }
    EXPECT_EQ(buffer.NextChar(text.size()), text.size());
    EXPECT_EQ(buffer.PrevChar(0), 0u);
}

TEST(TextBuffer, WordsAreRunsOfOneKind) {
    const TextBuffer buffer =
        Holding("<TD bgcolor=\"#FF7F7F\">\nグラデーション文字です。  end\n\nＡＢＣ全角");
    const auto word = [&](std::size_t at) {
        const auto [begin, end] = buffer.WordAt(at);
        return buffer.Text().substr(begin, end - begin);
    };
    EXPECT_EQ(word(1), "TD");
    EXPECT_EQ(word(6), "bgcolor");
    EXPECT_EQ(word(15), "FF7F7F");
    EXPECT_EQ(word(11), "=\"#");
    EXPECT_EQ(word(22), "\">"); // at the line's end: the run before it
    const std::size_t kana = 23;
    EXPECT_EQ(word(kana + 3), "グラデーション");
    EXPECT_EQ(word(kana + 22), "文字");
    EXPECT_EQ(word(kana + 28), "です");
    EXPECT_EQ(word(kana + 34), "。");
    EXPECT_EQ(word(kana + 36), "  ");
    EXPECT_EQ(word(kana + 38), "end");
    const std::size_t empty = buffer.LineStart(2);
    EXPECT_EQ(buffer.WordAt(empty), std::make_pair(empty, empty));
    EXPECT_EQ(word(buffer.LineStart(3)), "ＡＢＣ");

    // Ctrl+Right and Ctrl+Left stops on the first line, and over its line break.
    std::vector<std::size_t> stops;
    for (std::size_t at = 0; at < 24; at = buffer.NextWordStart(at))
        stops.push_back(at);
    EXPECT_EQ(stops, (std::vector<std::size_t>{0, 1, 4, 11, 14, 20, 22, 23}));
    std::vector<std::size_t> back;
    for (std::size_t at = 23; at > 0; at = buffer.PrevWordStart(at))
        back.push_back(at);
    EXPECT_EQ(back, (std::vector<std::size_t>{23, 22, 20, 14, 11, 4, 1}));
    EXPECT_EQ(buffer.NextWordStart(kana + 33), kana + 38); // over "。" and the spaces
}
