#include "workspace/frame_boxes.h"

#include <gtest/gtest.h>

namespace {

struct JpegCase {
    const char* typed;
    double limit;
    const char* shown;
    friend void PrintTo(const JpegCase& c, std::ostream* os) { *os << '"' << c.typed << '"'; }
};

class JpegLimitTest : public ::testing::TestWithParam<JpegCase> {};

TEST_P(JpegLimitTest, NormalisesTheBox)
{
    const JpegCase& c = GetParam();
    const JpegLimitText t = NormaliseJpegLimit(QString::fromUtf8(c.typed));
    EXPECT_DOUBLE_EQ(t.limitKB, c.limit);
    EXPECT_EQ(t.text, QString::fromUtf8(c.shown));
    // The text it shows stands for the same limit.
    EXPECT_EQ(NormaliseJpegLimit(t.text).text, t.text);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, JpegLimitTest,
    ::testing::Values(JpegCase{"500", 500, "500"}, JpegCase{" 80 ", 80, "80"}, JpegCase{"　80　", 80, "80"},
                      JpegCase{"0", 50, "50"}, JpegCase{"", 50, "50"}, JpegCase{"-3", 50, "50"},
                      JpegCase{"abc", 50, "50"}, JpegCase{"12.5", 12.5, "12.5"}, JpegCase{"12abc", 12, "12"},
                      JpegCase{".5", 0.5, "0.5"}, JpegCase{"0.001", 0.001, "0.001"},
                      JpegCase{"999999999999999", 1e9, "1000000000"}));

TEST(JpegSpin, StepsAndWrapsBelowOneTo500)
{
    EXPECT_EQ(SpinJpegLimit(QStringLiteral("1"), -1), QStringLiteral("500"));
    EXPECT_EQ(SpinJpegLimit(QStringLiteral("500"), 1), QStringLiteral("501"));
    EXPECT_EQ(SpinJpegLimit(QStringLiteral("500"), -1), QStringLiteral("499"));
    EXPECT_EQ(SpinJpegLimit(QStringLiteral("1.5"), -1), QStringLiteral("500"));
    EXPECT_EQ(SpinJpegLimit(QStringLiteral("12.5"), 1), QStringLiteral("13.5"));
    // The step keeps the typed decimals, without the noise of binary fractions.
    EXPECT_EQ(SpinJpegLimit(QStringLiteral("4.35"), -1), QStringLiteral("3.35"));
    EXPECT_EQ(SpinJpegLimit(QStringLiteral(" 0.1 KB"), 1), QStringLiteral("1.1"));
    EXPECT_EQ(SpinJpegLimit(QStringLiteral("2.00001"), 1), QStringLiteral("3.00001"));
}

TEST(FrameSide, StaysWithinOneAndTheMaximum)
{
    EXPECT_EQ(FrameSideFromText(QStringLiteral("300")), 300);
    EXPECT_EQ(FrameSideFromText(QString()), 1);
    EXPECT_EQ(FrameSideFromText(QStringLiteral("0")), 1);
    EXPECT_EQ(FrameSideFromText(QStringLiteral("-5")), 1);
    EXPECT_EQ(FrameSideFromText(QStringLiteral("abc")), 1);
    EXPECT_EQ(FrameSideFromText(QStringLiteral("999999999")), kMaxFrameSide);
}

TEST(SizeTypes, TheEightPresets)
{
    const QList<SizeType>& t = SizeTypes();
    ASSERT_EQ(t.size(), 8);
    EXPECT_EQ(t[0].size, QSize(160, 210));
    EXPECT_TRUE(t[1].size.isEmpty());
    EXPECT_EQ(t[2].size, QSize(358, 441));
    EXPECT_EQ(t[3].size, QSize(260, 390));
    EXPECT_EQ(t[4].size, QSize(295, 413));
    EXPECT_EQ(t[5].size, QSize(413, 531));
    EXPECT_EQ(t[6].size, QSize(390, 567));
    EXPECT_EQ(t[7].size, QSize(413, 626));
    EXPECT_EQ(t[7].name, QStringLiteral("2寸照"));
}

} // namespace
