// The number an edit box keeps when it loses the focus.

#include "platform/number_edit.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* text;
    const char* kept;
};

class NumberTextTest : public ::testing::TestWithParam<Case> {};

TEST_P(NumberTextTest, LeadingWholeNumberClampedToInt32) {
    const Case& c = GetParam();
    EXPECT_EQ(ssq::platform::numberText(ssq::platform::leadingInteger(QString::fromUtf8(c.text))),
              QString::fromUtf8(c.kept));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NumberTextTest,
    ::testing::Values(Case{"", ""}, Case{"-", ""}, Case{"0", ""}, Case{"00", ""}, Case{"-0", ""},
                      Case{"007", "7"}, Case{"5", "5"}, Case{"-12", "-12"}, Case{"12ab", "12"},
                      Case{"1-2", "1"}, Case{"--5", ""}, Case{"+5", ""}, Case{" 5", ""},
                      Case{"ab12", ""}, Case{"２3", ""}, // full-width digits are no digits
                      Case{"2147483647", "2147483647"}, Case{"2147483648", "2147483647"},
                      Case{"-2147483648", "-2147483648"}, Case{"-2147483649", "-2147483648"},
                      Case{"99999999999999999999999", "2147483647"},
                      Case{"-99999999999999999999999", "-2147483648"}));

} // namespace
