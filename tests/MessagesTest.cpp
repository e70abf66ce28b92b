#include "messages/Messages.h"

#include "html/Css.h"
#include "html/GradientTable.h"
#include "html/GradientText.h"
#include "text/TextFile.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace tinsora;

namespace {

// One error of every code, with the Japanese sentence the program has always shown for it.
struct Case {
    Error error;
    const char* japanese;
};

std::vector<Case> EveryCode() {
    return {
        {NotAnIntegerError("x"), "'x' は整数ではありません"},
        {CannotOpenError("a.txt"), "ファイル a.txt は開けません"},
        {CannotCreateError("a.txt"), "ファイル a.txt を作成できません"},
        {WriteError(), "ストリームへの書き込みエラー"},
        {ListIndexError(3), "リストのインデックスが範囲を超えています (3)"},
        {OutputTooLargeError("600000000", 536870912),
         "出力が大きすぎます (600000000 バイト。上限は 536870912 バイトです)"},
        {FileTooLargeError("a.txt", 10), "ファイル a.txt は大きすぎます (上限は 10 バイトです)"},
        {CssLengthError("1e3"), "'1e3' は CSS の長さとして使えません"},
        {CssGradientFileError(), "CSS gradient の文字にテキストファイルは使えません"},
        {CssGradientSizeError(), "CSS gradient にはセルの幅と高さが必要です"},
        {CssGradientPercentError("50%"),
         "'50%' は CSS gradient に使えません (% は表の幅に対する割合です)"},
    };
}

bool HasJapanese(const std::string& s) {
    return std::any_of(s.begin(), s.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0xE3; });
}

} // namespace

TEST(Worded, EveryCodeInBothLanguages) {
    for (const Case& c : EveryCode()) {
        EXPECT_EQ(Worded(c.error, Language::Japanese), c.japanese);
        const std::string english = Worded(c.error, Language::English);
        EXPECT_FALSE(HasJapanese(english)) << english;
        // The arguments reach the English sentence too; a code without one would give what().
        for (const std::string& a : c.error.Arguments())
            EXPECT_NE(english.find(a), std::string::npos) << english;
        EXPECT_EQ(english.find("message "), std::string::npos) << english;
    }
}

TEST(Worded, ArgumentsArePutInOnce) {
    // A file name holding "%2" stays as typed; a worded message passes unchanged.
    EXPECT_EQ(Worded(FileTooLargeError("%2%1", 7), Language::English),
              "The file %2%1 is too large (the limit is 7 bytes)");
    EXPECT_EQ(Worded(Error("already %1 said"), Language::English), "already %1 said");
}

TEST(LanguageOfEnvironment, AsGettextChooses) {
    constexpr auto ja = Language::Japanese;
    constexpr auto en = Language::English;
    EXPECT_EQ(LanguageOfEnvironment(nullptr, nullptr, nullptr, nullptr), en);
    EXPECT_EQ(LanguageOfEnvironment(nullptr, nullptr, nullptr, "ja_JP.UTF-8"), ja);
    EXPECT_EQ(LanguageOfEnvironment(nullptr, nullptr, nullptr, "ja"), ja);
    EXPECT_EQ(LanguageOfEnvironment(nullptr, nullptr, nullptr, "jam_JM"), en);
    // LC_ALL before LC_MESSAGES before LANG; an empty one counts as unset.
    EXPECT_EQ(LanguageOfEnvironment(nullptr, "en_US.UTF-8", "ja_JP", "ja_JP"), en);
    EXPECT_EQ(LanguageOfEnvironment(nullptr, "", "ja_JP", "en_US"), ja);
    // LANGUAGE first, its first entry, unless the locale is C.
    EXPECT_EQ(LanguageOfEnvironment("en", nullptr, nullptr, "ja_JP.UTF-8"), en);
    EXPECT_EQ(LanguageOfEnvironment(":ja:en", "en_US.UTF-8", nullptr, nullptr), ja);
    EXPECT_EQ(LanguageOfEnvironment("ja", "C", nullptr, nullptr), en);
    EXPECT_EQ(LanguageOfEnvironment("ja", "C.UTF-8", nullptr, nullptr), en);
    EXPECT_EQ(LanguageOfEnvironment("ja", nullptr, nullptr, nullptr), en);
}
