#include "workspace/output_resolution.h"

#include "imaging/print_density.h"
#include "workspace/frame_boxes.h"

#include <gtest/gtest.h>

// The resolution follows the output's size, whatever set the frame to it.
TEST(OutputResolution, TheResidentIdSizeAt350AndEveryOtherAt300)
{
    for (const SizeType& t : SizeTypes()) {
        if (t.size.isEmpty())
            continue;
        const int expected = t.name == QStringLiteral("学籍/身份证") ? 350 : 300;
        EXPECT_EQ(OutputDotsPerInch(t.size), expected) << t.name.toStdString();
    }
    EXPECT_EQ(OutputDotsPerInch(QSize(441, 358)), 300);
    EXPECT_EQ(OutputDotsPerInch(QSize(359, 441)), 300);

    QImage capture(358, 441, QImage::Format_RGB32);
    EXPECT_EQ(DotsPerInch(WithOutputResolution(capture).dotsPerMeterX()), 350);
    EXPECT_EQ(DotsPerInch(WithOutputResolution(capture.copy(0, 0, 160, 210)).dotsPerMeterY()), 300);
    EXPECT_TRUE(WithOutputResolution(QImage()).isNull());
}
