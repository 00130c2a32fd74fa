#include "platform/number_text.h"

#include <gtest/gtest.h>

namespace {

struct NumberCase {
    const char* text;
    double value;
    int whole;
    friend void PrintTo(const NumberCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }
};

class ReadNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ReadNumberTest, ReadsTheLeadingNumber)
{
    const NumberCase& c = GetParam();
    const QString text = QString::fromUtf8(c.text);
    EXPECT_DOUBLE_EQ(readNumber(text), c.value) << c.text;
    EXPECT_EQ(readWholeNumber(text), c.whole) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadNumberTest,
    ::testing::Values(NumberCase{"", 0, 0}, NumberCase{"500", 500, 500}, NumberCase{"  12.5", 12.5, 12},
                      NumberCase{"-3.9", -3.9, -3}, NumberCase{"2.9abc", 2.9, 2}, NumberCase{"abc", 0, 0},
                      NumberCase{"-", 0, 0}, NumberCase{".", 0, 0}, NumberCase{".5", 0.5, 0},
                      NumberCase{"7.", 7, 7}, NumberCase{"+4", 4, 4}, NumberCase{"1 2", 1, 1},
                      NumberCase{"999999999999", 999999999999.0, 2147483647},
                      NumberCase{"-999999999999", -999999999999.0, -2147483647 - 1}));

TEST(NumberText, WritesWithoutTrailingZeros)
{
    EXPECT_EQ(numberText(500), QStringLiteral("500"));
    EXPECT_EQ(numberText(12.5), QStringLiteral("12.5"));
    EXPECT_EQ(numberText(-3), QStringLiteral("-3"));
    EXPECT_EQ(numberText(0), QStringLiteral("0"));
    EXPECT_EQ(numberText(0.1), QStringLiteral("0.1"));
}

} // namespace
