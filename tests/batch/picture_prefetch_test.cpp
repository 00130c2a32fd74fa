#include "batch/picture_prefetch.h"
#include "imaging/image_decoder.h"
#include "support/busy_thread_pool.h"
#include "support/temp_folder.h"
#include "support/test_images.h"

#include <QFile>

#include <atomic>

#include <gtest/gtest.h>

namespace {

class PicturePrefetchTest : public ::testing::Test {
protected:
    QString writePhoto(const QString& name, const QImage& picture)
    {
        folder.write(name, encodeAs(picture, "jpeg", 90));
        return folder.file(name);
    }

    TempFolder folder;
    PicturePrefetch prefetch;
    const QSize view{100, 80};
};

TEST_F(PicturePrefetchTest, APictureDecodedAheadIsTheFilesReducedPicture)
{
    const QString next = writePhoto(QStringLiteral("2.jpg"), photoLikePicture(800, 640));
    prefetch.keepOnly({next}, view);
    ASSERT_TRUE(prefetch.holds(next));
    const DecodedPicture taken = prefetch.take(next, view);
    const DecodedPicture expected = decodeImageFileReduced(next, view);
    EXPECT_EQ(taken.reduction, 8);
    EXPECT_EQ(taken.fullSize, QSize(800, 640));
    EXPECT_EQ(taken.picture, expected.picture);
    // Taken again (the step back), the held picture itself comes back.
    EXPECT_EQ(prefetch.take(next, view).picture.cacheKey(), taken.picture.cacheKey());
}

TEST_F(PicturePrefetchTest, KeepsOnlyTheNeighboursItIsGiven)
{
    const QString a = writePhoto(QStringLiteral("a.jpg"), photoLikePicture(64, 64));
    const QString b = writePhoto(QStringLiteral("b.jpg"), photoLikePicture(64, 64));
    const QString c = writePhoto(QStringLiteral("c.jpg"), photoLikePicture(64, 64));
    prefetch.keepOnly({a, b, QString()}, view);
    prefetch.keepOnly({b, c}, view);
    EXPECT_FALSE(prefetch.holds(a));
    EXPECT_TRUE(prefetch.holds(b));
    EXPECT_TRUE(prefetch.holds(c));
    EXPECT_FALSE(prefetch.holds(QString()));
    prefetch.clear();
    EXPECT_FALSE(prefetch.holds(b));
}

// A photo replaced or edited after it was decoded ahead, or a view of
// another size, is decoded afresh: the step shows the file as it is now.
TEST_F(PicturePrefetchTest, AChangedFileOrViewIsDecodedAfresh)
{
    const QString path = writePhoto(QStringLiteral("p.jpg"), photoLikePicture(800, 640));
    prefetch.keepOnly({path}, view);
    ASSERT_EQ(prefetch.take(path, view).fullSize, QSize(800, 640));

    QImage edited = photoLikePicture(640, 800);
    edited.fill(qRgb(0, 0, 255));
    writePhoto(QStringLiteral("p.jpg"), edited);
    // The same second on coarse file systems: the size alone tells.
    const DecodedPicture afterEdit = prefetch.take(path, view);
    EXPECT_EQ(afterEdit.fullSize, QSize(640, 800));
    EXPECT_EQ(afterEdit.picture, decodeImageFileReduced(path, view).picture);

    const DecodedPicture forLargerView = prefetch.take(path, QSize(300, 400));
    EXPECT_EQ(forLargerView.reduction, 2);

    ASSERT_TRUE(QFile::remove(path));
    EXPECT_TRUE(prefetch.take(path, QSize(300, 400)).picture.isNull());
}

// When the background decode cannot run (the pool busy, or a process that
// cannot start threads), the step decodes the picture itself, never waits.
TEST_F(PicturePrefetchTest, AStepNeverWaitsForADecodeThatHasNotStarted)
{
    const QString path = writePhoto(QStringLiteral("p.jpg"), photoLikePicture(320, 240));
    DecodedPicture taken;
    {
        const BusyThreadPool busy;
        prefetch.keepOnly({path}, view);
        taken = prefetch.take(path, view);
    }
    EXPECT_EQ(taken.picture, decodeImageFileReduced(path, view).picture);
}

} // namespace

namespace {

// With framing on arrival, a picture decoded ahead has its head found ahead
// as well, on the decoding thread; one decoded on the spot leaves the finding
// to the framing.
TEST_F(PicturePrefetchTest, APreparationRunsOnPicturesDecodedAheadOnly)
{
    const QString ahead = writePhoto(QStringLiteral("ahead.jpg"), photoLikePicture(320, 240));
    const QString now = writePhoto(QStringLiteral("now.jpg"), photoLikePicture(320, 240));
    std::atomic<int> prepared = 0;
    prefetch.setPreparation([&prepared](DecodedPicture& decoded) {
        ++prepared;
        decoded.face = FaceResult{FaceFinding::SeveralFaces, {}};
    });
    prefetch.keepOnly({ahead}, view);
    const DecodedPicture takenAhead = prefetch.take(ahead, view);
    ASSERT_TRUE(takenAhead.face.has_value());
    EXPECT_EQ(takenAhead.face->finding, FaceFinding::SeveralFaces);
    EXPECT_EQ(prefetch.take(now, view).face, std::nullopt);
    EXPECT_EQ(prepared, 1);

    // Without a preparation, nothing is added to what is decoded ahead.
    prefetch.setPreparation(nullptr);
    prefetch.clear();
    prefetch.keepOnly({ahead}, view);
    EXPECT_EQ(prefetch.take(ahead, view).face, std::nullopt);
}

} // namespace
