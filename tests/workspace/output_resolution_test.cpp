#include "workspace/output_resolution.h"

#include "workspace/frame_boxes.h"

#include <gtest/gtest.h>

TEST(OutputResolution, TheResidentIdSizeAt350AndEveryOtherAt300)
{
    for (const SizeType& t : SizeTypes()) {
        const int expected = t.size == QSize(358, 441) ? 350 : 300;
        EXPECT_EQ(OutputDotsPerInch(t.name), expected) << t.name.toStdString();
    }
    EXPECT_EQ(OutputDotsPerInch(QStringLiteral("学籍/身份证")), 350);
    EXPECT_EQ(OutputDotsPerInch(QString()), 300);
}
