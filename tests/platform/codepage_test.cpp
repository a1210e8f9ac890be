#include "platform/codepage.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1252, EveryByteSurvivesTheRoundTrip)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    bool lossy = false;
    EXPECT_EQ(vb::ToCp1252(vb::FromCp1252(all), &lossy), all);
    EXPECT_FALSE(lossy);
}

TEST(Cp1252, HighControlRangeDiffersFromLatin1)
{
    EXPECT_EQ(vb::FromCp1252("\x80\x8C\x93\x94\x9F"), "€Œ“”Ÿ");
    // The undefined bytes keep their value as C1 control characters.
    EXPECT_EQ(vb::FromCp1252("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D");
    EXPECT_EQ(vb::ToCp1252("Año ½ €"), "A\xF1o \xBD \x80");
}

TEST(Cp1252, MissingCharactersBecomeQuestionMarks)
{
    bool lossy = false;
    EXPECT_EQ(vb::ToCp1252("a✓b", &lossy), "a?b");
    EXPECT_TRUE(lossy);
    lossy = false;
    // U+0080 is a C1 control the code page has no byte for (0x80 is €).
    EXPECT_EQ(vb::ToCp1252("\u0080", &lossy), "?");
    EXPECT_TRUE(lossy);
    lossy = false;
    EXPECT_EQ(vb::ToCp1252("x\xC3", &lossy), "x?"); // cut-off sequence
    EXPECT_TRUE(lossy);
    EXPECT_EQ(vb::ToCp1252("\xC0\xAF\xED\xA0\x80"), "?????"); // overlong, surrogate
}

} // namespace
