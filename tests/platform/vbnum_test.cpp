#include "platform/vbnum.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbourOnBothSides)
{
    const struct { double in, out; } cases[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2}, {-3.5, -4},
        {2.4999999999999996, 2}, {2.5000000000000004, 3}, {-2.6, -3}, {-0.49999999999999994, 0},
        {32767.5, 32768}, {4503599627370497.0, 4503599627370497.0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(vb::RoundHalfEven(c.in), c.out) << c.in;
}

TEST(Int, IsFloorAlsoForNegatives)
{
    EXPECT_EQ(vb::Int(2.9), 2);
    EXPECT_EQ(vb::Int(-2.1), -3);
    EXPECT_EQ(vb::Int(-3), -3);
}

TEST(CInt, RoundsThenChecksTheRange)
{
    EXPECT_EQ(vb::CInt(32767.4), 32767);
    EXPECT_EQ(vb::CInt(-32768.5), -32768); // half to even keeps it in range
    EXPECT_EQ(vb::CInt(32767.5), std::nullopt);
    EXPECT_EQ(vb::CInt(-32769), std::nullopt);
    EXPECT_EQ(vb::CInt(std::nan("")), std::nullopt);
    EXPECT_EQ(vb::CInt(std::numeric_limits<double>::infinity()), std::nullopt);
}

TEST(CLng, RoundsThenChecksTheRange)
{
    EXPECT_EQ(vb::CLng(2147483647.4), 2147483647);
    EXPECT_EQ(vb::CLng(-2147483648.5), -2147483648LL);
    EXPECT_EQ(vb::CLng(2147483647.5), std::nullopt);
    EXPECT_EQ(vb::CLng(-1e300), std::nullopt);
}

TEST(Let, StoresTheRoundedValueOrKeepsTheOldOneOnOverflow)
{
    int16_t field = 7;
    EXPECT_TRUE(vb::Let(field, 2.5));
    EXPECT_EQ(field, 2);
    EXPECT_FALSE(vb::Let(field, 40000));
    EXPECT_EQ(field, 2);
    EXPECT_FALSE(vb::Let(field, -32769));
    EXPECT_FALSE(vb::Let(field, std::nan("")));
    EXPECT_EQ(field, 2);
}

TEST(Abs, OfTheSmallestIntegerDoesNotFitBack)
{
    EXPECT_EQ(vb::Abs(-32768), 32768);
    int16_t field = -32768;
    EXPECT_FALSE(vb::LetAbs(field));
    EXPECT_EQ(field, -32768);
    field = -5;
    EXPECT_TRUE(vb::LetAbs(field));
    EXPECT_EQ(field, 5);
}

} // namespace
