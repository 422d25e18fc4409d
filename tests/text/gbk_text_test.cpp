// The code page 936 primitives every parsing rule is written in.

#include "text/codec.h"
#include "text/gbk_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

using namespace ssq::text;

namespace {

struct FindCase {
    const char* name;
    std::string text;
    std::string needle;
    int expected;
};

class FindTest : public testing::TestWithParam<FindCase> {};

TEST_P(FindTest, GivesFirstPositionFromOne) {
    const FindCase& c = GetParam();
    EXPECT_EQ(find(c.text, c.needle), c.expected);
}

// 共 is B9 B2 and 页 is D2 B3 in GB2312.
INSTANTIATE_TEST_SUITE_P(
    Cases, FindTest,
    testing::Values(FindCase{"AtStart", "abc", "a", 1}, FindCase{"Later", "abcabc", "ca", 3},
                    FindCase{"Missing", "abc", "x", -1}, FindCase{"EmptyText", "", "a", -1},
                    FindCase{"NeedleLongerThanText", "ab", "abc", -1},
                    FindCase{"AfterChinese", gbk("共<strong>"), "<", 3},
                    FindCase{"ChineseNeedle", gbk("第共页"), gbk("页"), 5},
                    // "\xB2\xD2" spans the second byte of 共 and the first of 页: not a match.
                    FindCase{"NotOnSecondByte", "\xB9\xB2\xD2\xB3", "\xB2\xD2", -1},
                    FindCase{"SecondByteLooksAscii",
                             "\x81\x41"
                             "A",
                             "A", 3},
                    FindCase{"LoneLeadByteAtEnd", "ab\xB9", "\xB9", 3}),
    [](const auto& row) { return std::string(row.param.name); });

struct MiddleCase {
    const char* name;
    int start;
    int length;
    std::string expected;
};

class MiddleTest : public testing::TestWithParam<MiddleCase> {};

TEST_P(MiddleTest, TakesBytesWithinBounds) {
    const MiddleCase& c = GetParam();
    EXPECT_EQ(middle("abcdef", c.start, c.length), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MiddleTest,
    testing::Values(MiddleCase{"Inside", 2, 3, "bcd"}, MiddleCase{"Whole", 1, 6, "abcdef"},
                    MiddleCase{"RunsPastEnd", 5, 10, "ef"}, MiddleCase{"LastByte", 6, 1, "f"},
                    MiddleCase{"StartBeyondEnd", 7, 1, ""}, MiddleCase{"StartZero", 0, 3, ""},
                    MiddleCase{"StartNegative", -9, 30, ""}, MiddleCase{"LengthZero", 2, 0, ""},
                    MiddleCase{"LengthNegative", 2, -1, ""}),
    [](const auto& row) { return std::string(row.param.name); });

struct NumberCase {
    const char* name;
    std::string text;
    double expected;
};

class NumberTest : public testing::TestWithParam<NumberCase> {};

TEST_P(NumberTest, ReadsLeadingDecimalNumber) {
    const NumberCase& c = GetParam();
    EXPECT_DOUBLE_EQ(number(c.text), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NumberTest,
    testing::Values(
        NumberCase{"Integer", "150", 150}, NumberCase{"Fraction", "3.25", 3.25},
        NumberCase{"TrailingText", "175</strong>", 175}, NumberCase{"LeadingSpace", " \t\n42", 42},
        NumberCase{"Sign", "-7.5", -7.5}, NumberCase{"PlusSign", "+8", 8},
        NumberCase{"PointFirst", ".5x", 0.5}, NumberCase{"Exponent", "1.5e3", 1500},
        NumberCase{"ExponentSigned", "25E-1", 2.5}, NumberCase{"BareExponentIgnored", "7e", 7},
        NumberCase{"ExponentNoDigits", "7e+x", 7}, NumberCase{"NoNumber", "abc", 0},
        NumberCase{"Empty", "", 0}, NumberCase{"SignOnly", "-", 0}, NumberCase{"PointOnly", ".", 0},
        NumberCase{"NoHex", "0x1A", 0}, NumberCase{"NoInfinity", "inf", 0},
        NumberCase{"FullWidthDigits", gbk("１５０"), 150},
        NumberCase{"IdeographicSpaceThenFullWidth", gbk("　－１．５"), -1.5},
        NumberCase{"ChineseFirst", gbk("共150"), 0}),
    [](const auto& row) { return std::string(row.param.name); });

struct IntegerCase {
    const char* name;
    std::string text;
    std::int32_t expected;
};

class ToIntegerTest : public testing::TestWithParam<IntegerCase> {};

TEST_P(ToIntegerTest, ReadsSignAndDigits) {
    const IntegerCase& c = GetParam();
    EXPECT_EQ(toInteger(c.text), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ToIntegerTest,
    testing::Values(
        IntegerCase{"Empty", "", 0}, IntegerCase{"Letters", "abc", 0},
        IntegerCase{"LetterFirst", "x5", 0}, IntegerCase{"DigitsThenLetters", "12abc", 12},
        IntegerCase{"LeadingSpace", " 7", 7}, IntegerCase{"FullWidthSeven", gbk("７"), 7},
        IntegerCase{"FullWidthZero", gbk("０"), 0}, IntegerCase{"FullWidthTen", gbk("１０"), 10},
        IntegerCase{"IdeographicSpace", gbk("　５"), 5},
        IntegerCase{"FullWidthMinus", gbk("－３"), -3}, IntegerCase{"Minus", "-12", -12},
        IntegerCase{"Plus", "+5", 5}, IntegerCase{"TwoSigns", "+-5", 0},
        IntegerCase{"SpaceAfterSign", "- 5", 0}, IntegerCase{"StopsAtPoint", "3.9", 3},
        IntegerCase{"LeadingZeros", "007", 7}, IntegerCase{"Int32Max", "2147483647", 2147483647},
        IntegerCase{"WrapsPastInt32", "4294967297", 1},
        // A GBK lead byte is no space, even where a locale would say so.
        IntegerCase{"HighByteIsNoSpace",
                    "\xA0"
                    "5",
                    0}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(FoldFullWidth, MapsTheWholeRowAndLeavesOtherCharacters) {
    EXPECT_EQ(foldFullWidth(gbk("ＡＢｚ！　")), "ABz! ");
    EXPECT_EQ(foldFullWidth("\xA3\xA1\xA3\xFE"), "!~"); // both ends of the row
    // Other Chinese characters, and a second byte that looks like A3, stay whole.
    EXPECT_EQ(foldFullWidth(gbk("共页")), gbk("共页"));
    EXPECT_EQ(foldFullWidth("\xB9\xA3\xA3\xB1"), "\xB9\xA3"
                                                 "1");
    EXPECT_EQ(foldFullWidth("x\xA3"), "x\xA3");
}

struct RealCase {
    const char* name;
    double value;
    const char* expected;
};

class FormatRealTest : public testing::TestWithParam<RealCase> {};

TEST_P(FormatRealTest, ThirteenSignificantDigitsNoTrailingZeros) {
    EXPECT_EQ(formatReal(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, FormatRealTest,
                         testing::Values(RealCase{"Version", 3.2, "3.2"},
                                         RealCase{"Whole", 150, "150"}, RealCase{"Zero", 0, "0"},
                                         RealCase{"Negative", -0.5, "-0.5"},
                                         RealCase{"Thirteen", 1.0 / 3.0, "0.3333333333333"},
                                         RealCase{"RoundsAtThirteen", 2.0 / 3.0, "0.6666666666667"},
                                         RealCase{"SumNoise", 0.1 + 0.2, "0.3"},
                                         RealCase{"Large", 1234567890123.0, "1234567890123"}),
                         [](const auto& row) { return std::string(row.param.name); });

// A locale whose decimal separator is a comma: an installed one, or one built
// for the test with localedef into a scratch folder; empty when neither works.
std::string decimalCommaLocale() {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"})
        if (std::setlocale(LC_NUMERIC, name))
            return name;
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "ssq-test-locales";
    const std::string name = "de_DE.UTF-8";
    if (!std::filesystem::exists(dir / name / "LC_NUMERIC")) {
        std::filesystem::create_directories(dir);
        const std::string command =
            "localedef -i de_DE -f UTF-8 '" + (dir / name).string() + "' >/dev/null 2>&1";
        if (std::system(command.c_str()) == -1)
            return {};
    }
    setenv("LOCPATH", dir.c_str(), 1);
    return std::setlocale(LC_NUMERIC, name.c_str()) ? name : std::string();
}

// The widget toolkit adopts the user's locale at start; a German LC_NUMERIC
// must not turn the version into "3,2" nor stop number() at the point.
TEST(LocaleIndependence, DecimalPointWhateverLcNumeric) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    const std::string used = decimalCommaLocale();
    if (used.empty())
        GTEST_SKIP() << "no locale with a decimal comma could be had";
    const std::string formatted = formatReal(3.2);
    const double parsed = number("2.5");
    const double parsedHere = std::strtod("2.5", nullptr); // what the C library does now
    std::setlocale(LC_NUMERIC, saved.c_str());
    ASSERT_DOUBLE_EQ(parsedHere, 2.0) << used << " has no decimal comma";
    EXPECT_EQ(formatted, "3.2") << used;
    EXPECT_DOUBLE_EQ(parsed, 2.5) << used;
}

TEST(TwoDigits, PadsOneDigitNumbers) {
    EXPECT_EQ(twoDigits(1), "01");
    EXPECT_EQ(twoDigits(9), "09");
    EXPECT_EQ(twoDigits(10), "10");
    EXPECT_EQ(twoDigits(33), "33");
}

} // namespace
