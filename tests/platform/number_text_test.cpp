#include "platform/number_text.h"

#include <gtest/gtest.h>

#include <limits>

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

struct WrittenCase {
    const char* name;
    double value;
    const char* text;  // the exact text, where it is short enough to state
    friend void PrintTo(const WrittenCase& c, std::ostream* os) { *os << c.name; }
};

class NumberTextTest : public ::testing::TestWithParam<WrittenCase> {};

TEST_P(NumberTextTest, WritesPlainDecimalsThatReadBackAsTheSameNumber)
{
    const WrittenCase& c = GetParam();
    const QString text = numberText(c.value);
    EXPECT_FALSE(text.contains(QLatin1Char('e'), Qt::CaseInsensitive)) << text.toStdString();
    EXPECT_EQ(readNumber(text), c.value) << text.toStdString();
    if (c.text) {
        EXPECT_EQ(text, QString::fromLatin1(c.text));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NumberTextTest,
    ::testing::Values(
        WrittenCase{"1e-05", 1e-05, "0.00001"}, WrittenCase{"1e+15", 1e+15, "1000000000000000"},
        WrittenCase{"1e+16", 1e+16, "10000000000000000"}, WrittenCase{"-2.5e-07", -2.5e-07, "-0.00000025"},
        WrittenCase{"0.1", 0.1, "0.1"}, WrittenCase{"0.1 + 0.2", 0.1 + 0.2, "0.30000000000000004"},
        WrittenCase{"1/3", 1.0 / 3.0, "0.3333333333333333"}, WrittenCase{"-0", -0.0, "0"},
        WrittenCase{"123456789.125", 123456789.125, "123456789.125"},
        WrittenCase{"2^53 + 2", 9007199254740994.0, "9007199254740994"},
        WrittenCase{"largest double", std::numeric_limits<double>::max(), nullptr},
        WrittenCase{"lowest double", std::numeric_limits<double>::lowest(), nullptr},
        WrittenCase{"smallest normal", std::numeric_limits<double>::min(), nullptr},
        WrittenCase{"smallest denormal", std::numeric_limits<double>::denorm_min(), nullptr}));

} // namespace
