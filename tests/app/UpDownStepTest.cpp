#include "UpDownStep.h"

#include "messages/Messages.h"
#include "text/Error.h"

#include <gtest/gtest.h>

using namespace tinsora;

TEST(UpDownStep, StepsTheBoxWithinItsOwnPositionRange) {
    UpDownStep arrows;
    EXPECT_EQ(arrows.Up("1"), "2");
    EXPECT_EQ(arrows.Down("2"), "1");
    EXPECT_EQ(arrows.Down("1"), std::nullopt); // back at 0: the down arrow does nothing
    EXPECT_EQ(arrows.position, 0);

    EXPECT_EQ(arrows.Up("0"), "1");
    EXPECT_EQ(arrows.Down("0"), "-1");
    EXPECT_EQ(arrows.Up(" $A"), "11");

    arrows.position = 100;
    EXPECT_EQ(arrows.Up("5"), std::nullopt);
    EXPECT_EQ(arrows.position, 100);
    EXPECT_EQ(arrows.Down("2147483647"), "2147483646");
    EXPECT_EQ(arrows.Up("2147483647"), "2147483648");
}

TEST(UpDownStep, ABadTextIsReportedAndTheArrowsHaveStillMoved) {
    UpDownStep arrows;
    try {
        arrows.Up("x");
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(Worded(e, Language::Japanese), "'x' は整数ではありません");
    }
    EXPECT_EQ(arrows.position, 1);
    EXPECT_THROW(arrows.Down(""), Error);
    EXPECT_EQ(arrows.position, 0);
}
