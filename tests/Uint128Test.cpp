#include "gradient/Uint128.h"

#include <gtest/gtest.h>

using namespace tinsora;

TEST(Uint128, MultipliesAddsAndPrintsPastTwoToTheSixtyFour) {
    constexpr std::uint64_t max = ~std::uint64_t{0};
    const Uint128 square = Multiply(max, max); // 2^128 - 2^65 + 1
    EXPECT_EQ(square, (Uint128{max - 1, 1}));
    EXPECT_EQ(ToDecimal(square), "340282366920938463426481119284349108225");
    EXPECT_EQ(ToDecimal(Add(Uint128{0, max}, Uint128{0, 1})), "18446744073709551616");
    EXPECT_EQ(ToDecimal(Uint128{0, 0}), "0");
    EXPECT_EQ(Subtract(Uint128{1, 0}, Uint128{0, 1}), (Uint128{0, max}));
}

TEST(Uint128, DividesShiftsAndMeasures) {
    std::uint64_t remainder = 0;
    const Uint128 q = Divide(Uint128{1, 5}, 3, remainder); // (2^64 + 5) / 3
    EXPECT_EQ(q, (Uint128{0, 6148914691236517207u}));
    EXPECT_EQ(remainder, 0u);
    EXPECT_EQ(ShiftLeft(Uint128{0, 3}, 64), (Uint128{3, 0}));
    EXPECT_EQ(ShiftRight(Uint128{3, 0}, 65), (Uint128{0, 1}));
    EXPECT_EQ(LowBits(Uint128{7, 9}, 65), (Uint128{1, 9}));
    EXPECT_EQ(BitLength(Uint128{1, 0}), 65);
    EXPECT_EQ(BitLength(Uint128{0, 0}), 0);
    EXPECT_EQ(Compare(Uint128{1, 0}, Uint128{0, ~std::uint64_t{0}}), 1);
}
