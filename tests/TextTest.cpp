#include "messages/Messages.h"
#include "text/Cp932.h"
#include "text/Error.h"
#include "text/TextFile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace tinsora;
using Lines = std::vector<std::string>;

TEST(SplitLines, AcceptsCrLfLfAndCrAndAddsNoLineForTheFinalEnd) {
    EXPECT_EQ(SplitLines("a\r\nb\r\nc\r\n"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(SplitLines("a\nb\nc"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(SplitLines("a\rb\rc\r"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(SplitLines("a\n\r\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(SplitLines("a\n\rb"), (Lines{"a", "", "b"})); // LF then CR: two breaks
    EXPECT_EQ(SplitLines("\r\n"), (Lines{""}));
    EXPECT_EQ(SplitLines(""), Lines{});
}

TEST(SplitLines, AZeroByteEndsTheText) {
    using namespace std::string_literals;
    EXPECT_EQ(SplitLines("ab\r\ncd\0ef\r\ngh"s), (Lines{"ab", "cd"}));
    EXPECT_EQ(SplitLines("\0abc"s), Lines{});
}

TEST(TextFile, ReadsWholeFilesAndReportsOnesThatCannotBeOpened) {
    const auto dir = std::filesystem::temp_directory_path() / "tinsora-text-test";
    std::filesystem::create_directories(dir);
    const auto path = (dir / "lines.txt").string();
    {
        std::ofstream out(path, std::ios::binary);
        out << "one\r\ntwo\nthree";
    }
    EXPECT_EQ(SplitLines(ReadFileBytes(path)), (Lines{"one", "two", "three"}));

    const auto missing = (dir / "missing.txt").string();
    try {
        ReadFileBytes(missing);
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(Worded(e, Language::Japanese), "ファイル " + missing + " は開けません");
    }
    EXPECT_THROW(ReadFileBytes(dir.string()), Error); // a folder is not a file
    std::filesystem::remove_all(dir);
}

TEST(Cp932, LeadBytesAreTheTwoRangesOfTheCodePage) {
    for (int b = 0; b < 256; ++b) {
        const bool expected = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        EXPECT_EQ(IsLeadByte(static_cast<unsigned char>(b)), expected) << "byte " << b;
    }
}

TEST(Cp932, ConvertsBothWaysAndKeepsAsciiAndHalfWidthKana) {
    const std::string utf8 = "Aあソｸﾞ\\";
    const std::string cp932 = Utf8ToCp932(utf8);
    EXPECT_EQ(cp932, "A\x82\xA0\x83\x5C\xB8\xDE\\");
    EXPECT_EQ(Cp932ToUtf8(cp932), utf8);
    EXPECT_EQ(Cp932ToUtf8("\x82"), "\xEF\xBF\xBD"); // truncated lead byte
}

TEST(Cp932, CharactersCarryTheirCodePageWidths) {
    const auto chars = Cp932Chars("Aあ€😀");
    ASSERT_EQ(chars.size(), 4u);
    EXPECT_EQ(chars[0].width, 1);
    EXPECT_TRUE(chars[0].mapped);
    EXPECT_EQ(chars[1].width, 2);
    EXPECT_EQ(std::string(chars[1].cp932, 2), "\x82\xA0");
    EXPECT_EQ(chars[1].offset, 1u);
    EXPECT_EQ(chars[1].length, 3u);
    // Characters without a code page 932 form count as two bytes and are kept.
    EXPECT_FALSE(chars[3].mapped);
    EXPECT_EQ(chars[3].width, 2);
    EXPECT_EQ(chars[3].length, 4u);
    EXPECT_EQ(Utf8ToCp932("😀"), "?");
}

// Found by fuzzing: a cut-off sequence was taken as one character of width 1.
TEST(Cp932, EveryByteThatIsNotUtf8IsANarrowCharacterOfItsOwn) {
    const auto chars = Cp932Chars("a\xE3\x81"
                                  "b\xFF\xF0\x9F\x98");
    const std::vector<std::size_t> offsets{0, 1, 2, 3, 4, 5, 6, 7};
    ASSERT_EQ(chars.size(), offsets.size());
    for (std::size_t k = 0; k < chars.size(); ++k) {
        EXPECT_EQ(chars[k].offset, offsets[k]) << k;
        EXPECT_EQ(chars[k].length, 1u) << k;
        EXPECT_EQ(chars[k].width, 1) << k;
        EXPECT_EQ(chars[k].mapped, k == 0 || k == 3) << k;
    }
    EXPECT_EQ(Utf8ToCp932("\xE3\x81"
                          "b"),
              "??b");
}
