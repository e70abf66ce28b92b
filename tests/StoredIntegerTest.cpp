#include "text/StoredInteger.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace {

using tinsora::StoredInteger;

TEST(StoredInteger, ReadsTheTextAsTextToIntDoes) {
    EXPECT_EQ(StoredInteger("2", 7), 2);
    EXPECT_EQ(StoredInteger("0", 7), 0);
    EXPECT_EQ(StoredInteger("-1280", 7), -1280); // a window left of the primary screen
    EXPECT_EQ(StoredInteger("  42", 7), 42);
    EXPECT_EQ(StoredInteger("$FF", 7), 255);
    EXPECT_EQ(StoredInteger("-2147483648", 7), -2147483648);
}

TEST(StoredInteger, AnythingElseGivesTheDefaultWithoutAnError) {
    EXPECT_EQ(StoredInteger(std::nullopt, 2), 2);
    for (const char* text : {"", " ", "12 ", "1a", "true", "2147483648", "- 5", "１"})
        EXPECT_EQ(StoredInteger(text, -9), -9) << text;
    const std::string withZero("1\0"
                               "2",
                               3);
    EXPECT_EQ(StoredInteger(withZero, 5), 5);
}

} // namespace
