#include "text/SavedText.h"

#include "text/Cp932.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

using namespace tinsora;

namespace {

// Where two long texts first differ, and a few bytes there (a plain comparison
// would print a diff of the whole texts).
std::string FirstDifference(const std::string& a, const std::string& b) {
    const auto at = static_cast<std::size_t>(
        std::mismatch(a.begin(),
                      a.begin() + static_cast<std::ptrdiff_t>(std::min(a.size(), b.size())),
                      b.begin())
            .first -
        a.begin());
    if (at == a.size() && at == b.size())
        return "";
    return "at " + std::to_string(at) + ": '" + a.substr(at, 16) + "' vs '" + b.substr(at, 16) +
           "'";
}

} // namespace

TEST(SavedText, Utf8KeepsEveryByteAndEndsEveryLineWithCrLf) {
    EXPECT_EQ(SavedText("", SaveEncoding::Utf8), "");
    EXPECT_EQ(SavedText("<TD>\n\nグラデーション €\n", SaveEncoding::Utf8),
              "<TD>\r\n\r\nグラデーション €\r\n");
    EXPECT_EQ(SavedText("\xFF\n", SaveEncoding::Utf8), "\xFF\r\n") << "bytes as they are";
}

TEST(SavedText, Cp932WritesWhatHasNoFormThereAsACharacterReference) {
    struct Case {
        const char* text;
        std::string saved;
    } cases[] = {
        {"a\\~\n", "a\\~\r\n"},
        {"あ", "\x82\xA0"},
        {"ｱ", "\xB1"},
        {"<FONT>色</FONT>", "<FONT>\x90\x46</FONT>"},
        {"€", "&#8364;"},
        {"x😀y", "x&#128512;y"},
        {"한\n", "&#54620;\r\n"},
        {"\xFF"
         "a",
         "&#65533;a"},
        {"\xE3\x81", "&#65533;&#65533;"}, // a sequence cut short
    };
    for (const Case& c : cases)
        EXPECT_EQ(SavedText(c.text, SaveEncoding::Cp932), c.saved) << c.text;
}

// Pieces and runs of characters outside ASCII are cut between characters, in
// texts far longer than one piece.
TEST(SavedText, LongTextsComeOutWholeAcrossThePieces) {
    std::string text;
    std::string expected;
    std::string expectedUtf8;
    const auto add = [&](const std::string& part) {
        text += part;
        expected += part == "\n" ? "\r\n" : part == "€" ? "&#8364;" : Utf8ToCp932(part);
        expectedUtf8 += part == "\n" ? "\r\n" : part;
    };
    const char* const parts[] = {"グ", "ラ", "デ", "a", "\n", "€", "字"};
    for (std::size_t k = 0; text.size() < 1'300'000; ++k)
        add(parts[(k * 5 + k / 7) % std::size(parts)]);
    add(std::string(200'000, 'x'));
    for (int k = 0; k < 100'000; ++k) // a run outside ASCII longer than one measure
        add("あ");
    EXPECT_EQ(FirstDifference(SavedText(text, SaveEncoding::Cp932), expected), "");

    std::vector<std::size_t> done;
    const std::string utf8 =
        SavedText(text, SaveEncoding::Utf8, [&](std::size_t at) { done.push_back(at); });
    EXPECT_EQ(FirstDifference(utf8, expectedUtf8), "");
    ASSERT_GE(done.size(), 2u);
    EXPECT_EQ(done.back(), text.size());
    for (std::size_t k = 1; k < done.size(); ++k) {
        EXPECT_GT(done[k], done[k - 1]);
        EXPECT_NE(static_cast<unsigned char>(text[done[k - 1]]) & 0xC0, 0x80)
            << "a piece ends between characters";
    }
}

TEST(SavedText, ProgressMayStopTheWork) {
    const std::string text(5'000'000, 'a');
    int calls = 0;
    EXPECT_THROW(SavedText(text, SaveEncoding::Cp932,
                           [&](std::size_t) {
                               if (++calls == 2)
                                   throw std::runtime_error("stop");
                           }),
                 std::runtime_error);
    EXPECT_EQ(calls, 2);
}
