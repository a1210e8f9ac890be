#include "platform/vbtext.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(CStr, PlainDecimalWithoutBlank)
{
    const struct { double in; const char* out; } cases[] = {
        {240, "240"}, {-4, "-4"}, {240.9, "240.9"}, {0.5, "0.5"}, {-0.0, "0"},
        {11415, "11415"}, {0.1 + 0.2, "0.3"}, {123456789012345.0, "123456789012345"},
        {1e15, "1E+15"}, {0.00001, "1E-05"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(vb::CStr(c.in), c.out) << c.in;
    EXPECT_EQ(vb::CStrSingle(0.1f), "0.1");
    EXPECT_EQ(vb::CStrSingle(360.0f), "360");
}

TEST(Str, BlankOnlyBeforeANonNegativeNumber)
{
    EXPECT_EQ(vb::Str(5), " 5");
    EXPECT_EQ(vb::Str(0), " 0");
    EXPECT_EQ(vb::Str(-3), "-3");
    EXPECT_EQ(vb::Str(2.25), " 2.25");
}

TEST(Trim, RemovesBlanksOnly)
{
    EXPECT_EQ(vb::LTrim("  a b  "), "a b  ");
    EXPECT_EQ(vb::RTrim("  a b  "), "  a b");
    EXPECT_EQ(vb::Trim("   "), "");
    EXPECT_EQ(vb::Trim("\ta\t"), "\ta\t");
}

TEST(LCase, LowersAsciiAndCodePageLetters)
{
    EXPECT_EQ(vb::LCase("AbZ-ÁÑÖ×ŒŠŽŸ"), "abz-áñö×œšžÿ");
    EXPECT_EQ(vb::LCase("\xFFX"), "\xFFx"); // invalid UTF-8 passes through
}

TEST(LenAndMid, CountCharactersNotBytes)
{
    EXPECT_EQ(vb::Len(""), 0);
    EXPECT_EQ(vb::Len("año€"), 4);
    EXPECT_EQ(vb::Len("a\xFF"), 2);
    EXPECT_EQ(vb::Mid("año€x", 2, 3), "ño€");
    EXPECT_EQ(vb::Mid("año€x", 3), "o€x");
    EXPECT_EQ(vb::Mid("abc", 3, 10), "c");
    EXPECT_EQ(vb::Mid("abc", 4), "");
    EXPECT_EQ(vb::Mid("abc", 0, 2), "ab");
    EXPECT_EQ(vb::Mid("abc", 2, 0), "");
}

TEST(Val, ReadsTheLeadingNumber)
{
    const struct { const char* in; double out; } cases[] = {
        {"240.9abc", 240.9}, {"abc", 0}, {"", 0}, {" -3.5", -3.5}, {"\t+7", 7},
        {"12,5", 12}, {".5", 0.5}, {"5.", 5}, {"1E3", 1000}, {"1d2x", 100},
        {"2e", 2}, {"2e+", 2}, {"-", 0}, {".", 0}, {"1e-400", 0}, {"0000001", 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(vb::Val(c.in), c.out) << c.in;
    EXPECT_EQ(vb::Val("-1e999"), -HUGE_VAL);
}

TEST(ToNumber, AcceptsOnlyAWholeNumber)
{
    EXPECT_EQ(vb::ToNumber(" 240 "), 240);
    EXPECT_EQ(vb::ToNumber("-0.25"), -0.25);
    EXPECT_EQ(vb::ToNumber("2.5E2"), 250);
    for (const char* bad : {"", "  ", "abc", "12abc", "1 2", "1e", ".", "+", "1,5"})
        EXPECT_EQ(vb::ToNumber(bad), std::nullopt) << bad;

    double value = 9;
    EXPECT_EQ(vb::CDbl("1e999", value), vb::Conversion::Overflow);
    EXPECT_EQ(vb::CDbl("x", value), vb::Conversion::TypeMismatch);
    EXPECT_EQ(value, 9);
}

// The written exponent and the digits' own scale are weighed together however
// long either is.
TEST(ToNumber, MillionsOfDigitsGiveTheRightClass)
{
    const std::string zeros3m(3'000'000, '0');
    const std::string zeros2m(2'000'000, '0');
    const struct { std::string in; vb::Conversion result; double value; } cases[] = {
        {"0." + zeros3m + "1e15000000", vb::Conversion::Overflow, 0},
        {"1" + zeros2m + "e-15000000", vb::Conversion::Ok, 0},
        {"0." + zeros3m + "1e3000001", vb::Conversion::Ok, 1},
        {"1" + zeros2m + "e-2000000", vb::Conversion::Ok, 1},
        {"-0." + zeros3m + "25e3000001", vb::Conversion::Ok, -2.5},
        {"1e99999999999999999999999999", vb::Conversion::Overflow, 0},
        {"1e-99999999999999999999999999", vb::Conversion::Ok, 0},
        {"0." + zeros2m + "e99999999999999999999999999", vb::Conversion::Ok, 0},
        // Digits far beyond what a double holds still round correctly.
        {"0.1" + zeros2m + "1", vb::Conversion::Ok, 0.1},
        {"9007199254740993." + zeros3m + "1", vb::Conversion::Ok, 9007199254740994.0},
    };
    for (const auto& c : cases) {
        double value = 7;
        EXPECT_EQ(vb::CDbl(c.in, value), c.result) << c.in.substr(0, 40);
        if (c.result == vb::Conversion::Ok) {
            EXPECT_EQ(value, c.value) << c.in.substr(0, 40);
        }
    }
    EXPECT_EQ(vb::Val("0." + zeros3m + "1e15000000x"), HUGE_VAL);
    EXPECT_EQ(vb::Val("-1" + zeros2m + "e-15000000x"), 0.0);
}

TEST(AscChr, RoundTripThroughTheCodePage)
{
    for (int code = 0; code < 256; ++code)
        EXPECT_EQ(vb::Asc(vb::Chr(code)), code) << code;
    EXPECT_EQ(vb::Chr(0x80), "€");
    EXPECT_EQ(vb::Chr(0x93), "“");
    EXPECT_EQ(vb::Chr(0x8C), "Œ");
    EXPECT_EQ(vb::Asc("€uro"), 0x80);
    EXPECT_EQ(vb::Asc("é"), 0xE9);
    EXPECT_EQ(vb::Asc(""), -1);
    EXPECT_EQ(vb::Asc("✓"), -1);
    EXPECT_EQ(vb::Chr(256), "");
}

TEST(FormatTime00, MasksWholeSeconds)
{
    const struct { double in; const char* out; } cases[] = {
        {83, "00:00:83"}, {83.4, "00:00:83"}, {600, "00:06:00"}, {3725, "00:37:25"},
        {0, "00:00:00"}, {82.5, "00:00:82"}, {83.5, "00:00:84"}, {86399.99f, "08:64:00"},
        {1234567, "123:45:67"}, {-5, "-00:00:05"}, {-0.4, "00:00:00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(vb::FormatTime00(c.in), c.out) << c.in;
}

} // namespace
