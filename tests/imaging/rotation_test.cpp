#include "imaging/rotation.h"
#include "support/test_images.h"

#include <gtest/gtest.h>

TEST(Rotation, ClockwiseMovesTheTopLeftToTheTopRight)
{
    QImage picture = photoLikePicture(640, 480);
    picture.setPixel(0, 0, qRgb(1, 2, 3));
    const QImage turned = RotateQuarter(picture, 90);
    ASSERT_EQ(turned.size(), QSize(480, 640));
    EXPECT_EQ(turned.pixel(479, 0), qRgb(1, 2, 3));
    EXPECT_EQ(turned.pixel(479 - 7, 5), picture.pixel(5, 7));
}

TEST(Rotation, CounterClockwiseMovesTheTopLeftToTheBottomLeft)
{
    QImage picture = photoLikePicture(640, 480);
    picture.setPixel(0, 0, qRgb(1, 2, 3));
    const QImage turned = RotateQuarter(picture, -90);
    ASSERT_EQ(turned.size(), QSize(480, 640));
    EXPECT_EQ(turned.pixel(0, 639), qRgb(1, 2, 3));
    EXPECT_EQ(turned.pixel(7, 639 - 5), picture.pixel(5, 7));
}

TEST(Rotation, FourTurnsAndATurnBackGiveThePictureAgain)
{
    const QImage picture = photoLikePicture(37, 23);
    QImage turned = picture;
    for (int i = 0; i < 4; ++i)
        turned = RotateQuarter(turned, 90);
    EXPECT_EQ(turned, picture);
    EXPECT_EQ(RotateQuarter(RotateQuarter(picture, 90), -90), picture);
}

TEST(Rotation, OnlyQuarterTurnsOfAPicture)
{
    EXPECT_TRUE(RotateQuarter(QImage(), 90).isNull());
    EXPECT_TRUE(RotateQuarter(photoLikePicture(4, 4), 45).isNull());
}
