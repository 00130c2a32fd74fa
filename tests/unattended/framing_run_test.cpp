// The unattended batch over a folder of portraits, a landscape and a file
// that is no picture: the crops and their names in each scheme, the list of
// photos that need a person, cancel and resume, and the same bytes however
// many threads frame.
#include "unattended/framing_run.h"

#include "imaging/opencv_face_finder.h"
#include "support/fake_clock.h"
#include "support/temp_folder.h"
#include "unattended/photo_folder.h"
#include "unattended/framing_record.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

#include <ostream>

namespace {

class FramingRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        photos = folder.file(QStringLiteral("photos"));
        QDir().mkpath(photos);
        FillPhotoFolder(photos);
        clock.time = QDateTime(QDate(2026, 12, 11), QTime(8, 0, 0));
    }
    FramingJob job(const QString& save, FramingNaming naming = FramingNaming::SameAsSource, int jobs = 1)
    {
        QDir().mkpath(save);
        FramingJob j;
        j.sourceFolder = photos;
        j.saveFolder = save;
        j.output = QSize(160, 210);
        j.naming = naming;
        j.jobs = jobs;
        return j;
    }
    // Runs to the end; cancels once `cancelAfter` photos are done (0: never).
    FramingSummary run(const FramingJob& j, int cancelAfter = 0)
    {
        FramingRun framing(j, MakeSystemFaceFinder, clock);
        FramingSummary summary;
        QEventLoop loop;
        bool ended = false;
        QObject::connect(&framing, &FramingRun::progressed, [&](const FramingProgress& p) {
            progress.append(p);
            if (cancelAfter > 0 && p.done >= cancelAfter)
                framing.cancel();
        });
        QObject::connect(&framing, &FramingRun::finished, [&](const FramingSummary& s) {
            summary = s;
            ended = true;
            loop.quit();
        });
        framing.start();
        if (!ended)
            loop.exec();
        return summary;
    }
    // The outputs of a save folder, without the run's own lists.
    static QStringList outputs(const QString& save)
    {
        QStringList names = QDir(save).entryList(QDir::Files, QDir::Name);
        names.removeAll(kFramingRecordName);
        names.removeAll(kFramingExceptionsName);
        return names;
    }
    static QByteArray read(const QString& save, const QString& name)
    {
        QFile f(QDir(save).filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    TempFolder folder;
    QString photos;
    FakeClock clock;
    QList<FramingProgress> progress;
};

struct NamingCase {
    const char* what;
    FramingNaming naming;
    QString prefix;
    QStringList listNames;
    QStringList outputs; // sorted
    friend void PrintTo(const NamingCase& c, std::ostream* os) { *os << c.what; }
};

class FramingNamingTest : public FramingRunTest, public ::testing::WithParamInterface<NamingCase> {};

TEST_P(FramingNamingTest, SavesTheFramedPhotosUnderTheSchemesNamesInTheFoldersOrder)
{
    FramingJob j = job(folder.file(QStringLiteral("save")), GetParam().naming);
    j.prefix = GetParam().prefix;
    j.listNames = GetParam().listNames;
    const FramingSummary summary = run(j);
    EXPECT_TRUE(summary.error.isEmpty()) << summary.error.toStdString();
    EXPECT_FALSE(summary.cancelled);
    EXPECT_EQ(summary.total, 5);
    EXPECT_EQ(summary.saved, 3);
    EXPECT_EQ(outputs(j.saveFolder), GetParam().outputs);
    for (const QString& name : outputs(j.saveFolder)) {
        const QImage crop = QImage::fromData(read(j.saveFolder, name));
        EXPECT_EQ(crop.size(), QSize(160, 210)) << name.toStdString();
        EXPECT_LE(read(j.saveFolder, name).size(), 50 * 1024);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Schemes, FramingNamingTest,
    ::testing::Values(
        NamingCase{"same as the source", FramingNaming::SameAsSource, {}, {},
                   {QStringLiteral("01.jpg"), QStringLiteral("02.jpg"), QStringLiteral("05.jpg")}},
        NamingCase{"sequence: the photo's place in the folder", FramingNaming::Sequence, {}, {},
                   {QStringLiteral("0001.jpg"), QStringLiteral("0002.jpg"), QStringLiteral("0005.jpg")}},
        NamingCase{"custom prefix", FramingNaming::CustomPrefix, QStringLiteral("初一2班-"), {},
                   {QStringLiteral("初一2班-0001.jpg"), QStringLiteral("初一2班-0002.jpg"),
                    QStringLiteral("初一2班-0005.jpg")}},
        NamingCase{"time stamp: one second, suffixed", FramingNaming::TimeStamp, {}, {},
                   {QStringLiteral("2026-12-11 8-0-0.jpg"), QStringLiteral("2026-12-11 8-0-0—1.jpg"),
                    QStringLiteral("2026-12-11 8-0-0—2.jpg")}},
        NamingCase{"class list: a row a photo, numbered past its end", FramingNaming::ClassList, {},
                   {QStringLiteral("王芳"), QStringLiteral("李娜"), QStringLiteral("张子轩"), QStringLiteral("刘洋")},
                   {QStringLiteral("0005.jpg"), QStringLiteral("李娜.jpg"), QStringLiteral("王芳.jpg")}}));

TEST_F(FramingRunTest, ListsThePhotosThatNeedAPerson)
{
    const FramingJob j = job(folder.file(QStringLiteral("save")));
    const FramingSummary summary = run(j);
    ASSERT_EQ(summary.exceptions.size(), 2);
    EXPECT_EQ(summary.exceptions[0].source, QStringLiteral("03.jpg"));
    EXPECT_EQ(summary.exceptions[0].reason, QStringLiteral("未能识别到人脸"));
    EXPECT_EQ(summary.exceptions[1].source, QStringLiteral("04.jpg"));
    EXPECT_EQ(summary.exceptions[1].reason, QStringLiteral("无法读取此图片文件"));
    EXPECT_EQ(QString::fromUtf8(read(j.saveFolder, kFramingExceptionsName)),
              QStringLiteral("03.jpg\t未能识别到人脸\n04.jpg\t无法读取此图片文件\n"));
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_EQ(progress.last().done, 5);
    EXPECT_EQ(progress.last().total, 5);
    EXPECT_GT(progress.last().photosPerSecond, 0);
}

TEST_F(FramingRunTest, AHeadTooSmallForTheOutputIsListed)
{
    FramingJob j = job(folder.file(QStringLiteral("save")));
    j.output = QSize(358, 441);
    const FramingSummary summary = run(j);
    EXPECT_EQ(outputs(j.saveFolder), (QStringList{QStringLiteral("01.jpg"), QStringLiteral("05.jpg")}));
    ASSERT_EQ(summary.exceptions.size(), 3);
    EXPECT_EQ(summary.exceptions[0].source, QStringLiteral("02.jpg"));
    EXPECT_EQ(summary.exceptions[0].reason, QStringLiteral("图片分辨率不足"));
}

TEST_F(FramingRunTest, TwoThreadsGiveTheBytesOfOne)
{
    const FramingJob one = job(folder.file(QStringLiteral("one")), FramingNaming::Sequence, 1);
    const FramingJob two = job(folder.file(QStringLiteral("two")), FramingNaming::Sequence, 2);
    run(one);
    run(two);
    ASSERT_EQ(outputs(one.saveFolder).size(), 3);
    ASSERT_EQ(outputs(two.saveFolder), outputs(one.saveFolder));
    for (const QString& name : outputs(one.saveFolder))
        EXPECT_EQ(read(two.saveFolder, name), read(one.saveFolder, name)) << name.toStdString();
    EXPECT_EQ(read(two.saveFolder, kFramingRecordName), read(one.saveFolder, kFramingRecordName));
}

TEST_F(FramingRunTest, ACancelledRunLeavesWholeFilesAndResumeCompletesIt)
{
    const FramingJob whole = job(folder.file(QStringLiteral("whole")), FramingNaming::Sequence);
    run(whole);

    FramingJob stopped = job(folder.file(QStringLiteral("stopped")), FramingNaming::Sequence);
    const FramingSummary cancelled = run(stopped, 1);
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_LT(cancelled.saved, 3);
    // Every file there is a whole output (a file half-written would match none).
    for (const QString& name : outputs(stopped.saveFolder))
        EXPECT_EQ(read(stopped.saveFolder, name), read(whole.saveFolder, name)) << name.toStdString();

    stopped.resume = true;
    const FramingSummary resumed = run(stopped);
    EXPECT_FALSE(resumed.cancelled);
    EXPECT_EQ(resumed.saved + resumed.savedBefore, 3);
    EXPECT_EQ(resumed.savedBefore, cancelled.saved);
    EXPECT_EQ(resumed.exceptions.size(), 2);
    ASSERT_EQ(outputs(stopped.saveFolder), outputs(whole.saveFolder));
    for (const QString& name : outputs(whole.saveFolder))
        EXPECT_EQ(read(stopped.saveFolder, name), read(whole.saveFolder, name)) << name.toStdString();
}

// A run killed while writing its record leaves a line cut short; the output
// of a recorded photo deleted since is made again.
TEST_F(FramingRunTest, ResumeRedoesWhatTheRecordDoesNotVouchFor)
{
    FramingJob j = job(folder.file(QStringLiteral("save")), FramingNaming::Sequence);
    run(j);
    const QByteArray first = read(j.saveFolder, QStringLiteral("0001.jpg"));
    QFile::remove(QDir(j.saveFolder).filePath(QStringLiteral("0001.jpg")));
    QByteArray record = read(j.saveFolder, kFramingRecordName);
    const qsizetype last = record.lastIndexOf("05.jpg");
    ASSERT_GE(last, 0);
    record.truncate(last + 4); // "05.j"
    QFile f(QDir(j.saveFolder).filePath(kFramingRecordName));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(record);
    f.close();

    j.resume = true;
    const FramingSummary resumed = run(j);
    EXPECT_EQ(resumed.saved, 2) << "0001 and 0005";
    EXPECT_EQ(resumed.savedBefore, 1);
    EXPECT_EQ(read(j.saveFolder, QStringLiteral("0001.jpg")), first);
    EXPECT_EQ(outputs(j.saveFolder),
              (QStringList{QStringLiteral("0001.jpg"), QStringLiteral("0002.jpg"), QStringLiteral("0005.jpg")}));
}

TEST_F(FramingRunTest, AFolderWithoutPhotosFinishesAtOnce)
{
    FramingJob j = job(folder.file(QStringLiteral("save")));
    j.sourceFolder = folder.file(QStringLiteral("empty"));
    QDir().mkpath(j.sourceFolder);
    const FramingSummary summary = run(j);
    EXPECT_EQ(summary.total, 0);
    EXPECT_EQ(summary.saved, 0);
    EXPECT_TRUE(summary.exceptions.isEmpty());
}

} // namespace
