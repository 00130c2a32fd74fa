// The scaled picture computed part by part: every part equals the same part
// of the whole, at reducing, enlarging and mixed scales, and the result is a
// fair average of the picture.
#include "workspace/picture_scaling.h"

#include "support/test_images.h"

#include <gtest/gtest.h>

namespace {

PictureLevels levelsOf(const QImage& picture)
{
    PictureLevels levels;
    PrepareLevels(levels, picture);
    return levels;
}

TEST(PictureScaling, APartEqualsThatPartOfTheWhole)
{
    const struct {
        QSize picture;
        QSize scaled;
        QRect part;
    } cases[] = {
        {{1200, 900}, {411, 308}, {100, 50, 160, 210}},   // reduced through a halved copy
        {{1200, 900}, {411, 308}, {300, 200, 400, 400}},  // reaching beyond the scaled picture
        {{1000, 700}, {997, 698}, {0, 0, 411, 279}},      // a little below full size
        {{300, 200}, {517, 344}, {37, 11, 200, 150}},     // enlarged
        {{300, 200}, {150, 399}, {10, 10, 100, 200}},     // reduced across, enlarged down
        {{640, 480}, {640, 480}, {5, 7, 100, 100}},       // unscaled
        {{3000, 2000}, {211, 140}, {-20, -20, 100, 100}}, // starting before the picture
        {{1200, 900}, {411, 308}, {0, 130, 411, 1}},      // one row, in the whole's third band of rows
        {{1000, 700}, {997, 698}, {3, 63, 500, 66}},      // rows across the whole's band edges
    };
    for (const auto& c : cases) {
        const PictureLevels levels = levelsOf(photoLikePicture(c.picture.width(), c.picture.height()));
        const QImage whole = ScaledRegion(levels, c.scaled, QRect(QPoint(0, 0), c.scaled));
        ASSERT_EQ(whole.size(), c.scaled);
        const QRect clipped = c.part & whole.rect();
        const QImage part = ScaledRegion(levels, c.scaled, c.part);
        EXPECT_EQ(part.size(), clipped.size());
        EXPECT_EQ(part, whole.copy(clipped)) << c.picture.width() << "→" << c.scaled.width();
        EXPECT_EQ(part.format(), QImage::Format_RGB32);
    }
}

// Only the copies one scaling reads, and the same pixels as with them all.
TEST(PictureScaling, TheLevelsForOneSizeGiveTheSamePixels)
{
    const QImage picture = photoLikePicture(1200, 900);
    const PictureLevels all = levelsOf(picture);
    const struct {
        QSize scaled;
        int levels; // made for it
    } cases[] = {
        {{1200, 900}, 1}, {{700, 525}, 1}, {{600, 450}, 2}, {{411, 308}, 2}, {{299, 224}, 3}, {{50, 40}, 4},
        {{1500, 1125}, 1},
    };
    for (const auto& c : cases) {
        const PictureLevels some = LevelsFor(picture, c.scaled);
        EXPECT_EQ(some.levels.size(), c.levels) << c.scaled.width();
        const QRect region(QPoint(3, 5), c.scaled / 2);
        EXPECT_EQ(ScaledRegion(some, c.scaled, region), ScaledRegion(all, c.scaled, region)) << c.scaled.width();
    }
    EXPECT_TRUE(LevelsFor(QImage(), QSize(10, 10)).levels.isEmpty());
}

TEST(PictureScaling, ReducingAveragesAndKeepsSolidColours)
{
    QImage checker(800, 600, QImage::Format_RGB32);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            checker.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    const QImage grey = ScaledRegion(levelsOf(checker), QSize(73, 55), QRect(0, 0, 73, 55));
    for (const QPoint at : {QPoint(0, 0), QPoint(36, 27), QPoint(72, 54)})
        EXPECT_NEAR(qRed(grey.pixel(at)), 128, 3);

    QImage solid(2000, 1500, QImage::Format_RGB32);
    solid.fill(qRgb(12, 200, 77));
    const QImage small = ScaledRegion(levelsOf(solid), QSize(137, 103), QRect(0, 0, 137, 103));
    for (const QPoint at : {QPoint(0, 0), QPoint(68, 51), QPoint(136, 102)})
        EXPECT_EQ(small.pixel(at), qRgb(12, 200, 77));
}

TEST(PictureScaling, NothingOutsideThePictureAndNoLevelsGiveNothing)
{
    const PictureLevels levels = levelsOf(photoLikePicture(100, 100));
    EXPECT_TRUE(ScaledRegion(levels, QSize(50, 50), QRect(60, 0, 10, 10)).isNull());
    EXPECT_TRUE(ScaledRegion(PictureLevels{}, QSize(50, 50), QRect(0, 0, 10, 10)).isNull());
}

TEST(PictureScaling, LevelsAreMadeOncePerPicture)
{
    const QImage picture = photoLikePicture(1024, 768);
    PictureLevels levels;
    PrepareLevels(levels, picture);
    ASSERT_GE(levels.levels.size(), 3);
    EXPECT_EQ(levels.levels[1].size(), QSize(512, 384));
    const qint64 second = levels.levels[1].cacheKey();
    PrepareLevels(levels, picture);
    EXPECT_EQ(levels.levels[1].cacheKey(), second);
    PrepareLevels(levels, photoLikePicture(1024, 768));
    EXPECT_NE(levels.levels[1].cacheKey(), second);
}

} // namespace
