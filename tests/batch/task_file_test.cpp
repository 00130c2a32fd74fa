#include "batch/task_file.h"
#include "platform/ini_file.h"
#include "platform/text_encoding.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <climits>

namespace {

using Outcome = NavigationStep::Outcome;

const char* outcomeName(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Show: return "Show";
    case Outcome::Lost: return "Lost";
    case Outcome::AtFirst: return "AtFirst";
    case Outcome::AtLast: return "AtLast";
    case Outcome::Nothing: return "Nothing";
    }
    return "?";
}

QStringList sorted(QStringList names)
{
    names.sort();
    return names;
}

// A settings folder holding the task file and a source folder of images.
class TaskFileTest : public ::testing::Test {
protected:
    QString task() const { return TaskFilePath(settings_.path()); }
    QString source() const { return source_.path(); }
    QByteArray taskBytes() const { return settings_.read(kTaskFileName); }
    void writeTaskText(const QString& text) const { settings_.write(kTaskFileName, encodeGb18030(text)); }
    void addImages(const QStringList& names) const
    {
        for (const QString& name : names)
            source_.write(name, QByteArray("image"));
    }
    void setStored(const QString& section, const QString& key, const QString& value) const
    {
        ASSERT_TRUE(writeIniValue(task(), section, key, value));
    }

    TempFolder settings_;
    TempFolder source_;
};

TEST_F(TaskFileTest, ANewTaskAndAMarkedImageHaveTheExactBytes)
{
    CreateTaskFile(task(), {QStringLiteral("a.jpg"), QStringLiteral("b.png")});
    MarkTaskImageDone(task(), 1);
    EXPECT_EQ(taskBytes(), encodeGb18030(QStringLiteral("[批截位置]\r\n批截位置=1\r\n"
                                                        "[最大位置]\r\n最大位置=2\r\n"
                                                        "[1]\r\n操作记录=已截图\r\n图片名=a.jpg\r\n"
                                                        "[2]\r\n操作记录=未截图\r\n图片名=b.png\r\n")));
    EXPECT_EQ(StoredTaskPosition(task()), 1);
    EXPECT_EQ(StoredImageCount(task()), 2);
    const TaskImage second = TaskImageAt(task(), 2);
    EXPECT_EQ(second.name, QStringLiteral("b.png"));
    EXPECT_EQ(second.record, kNotCroppedRecord);
}

TEST_F(TaskFileTest, ANewTaskOverAnOlderLongerOneKeepsItsHigherSections)
{
    // An older task, written by hand in places: a blank line, a section name
    // in other blanks, a second [1] further down.
    const QString older = QStringLiteral("[批截位置]\r\n批截位置=3\r\n\r\n"
                                         "[最大位置]\r\n最大位置=3\r\n"
                                         "[ 1 ]\r\n操作记录=已截图\r\n图片名=x.jpg\r\n\r\n"
                                         "[2]\r\n操作记录=已截图\r\n图片名=y.jpg\r\n"
                                         "[3]\r\n图片名=z.jpg\r\n"
                                         "[1]\r\n图片名=second.jpg\r\n");
    writeTaskText(older);
    const QString oneByOne = settings_.file(QStringLiteral("one-by-one.ini"));
    settings_.write(QStringLiteral("one-by-one.ini"), encodeGb18030(older));

    const QStringList names = {QStringLiteral("a.jpg"), QStringLiteral("二.png")};
    CreateTaskFile(task(), names);

    writeIniValue(oneByOne, QStringLiteral("批截位置"), QStringLiteral("批截位置"), QStringLiteral("1"));
    writeIniValue(oneByOne, QStringLiteral("最大位置"), QStringLiteral("最大位置"), QStringLiteral("2"));
    for (int i = 1; i <= 2; ++i) {
        writeIniValue(oneByOne, QString::number(i), QStringLiteral("操作记录"), kNotCroppedRecord);
        writeIniValue(oneByOne, QString::number(i), QStringLiteral("图片名"), names[i - 1]);
    }
    EXPECT_EQ(taskBytes(), settings_.read(QStringLiteral("one-by-one.ini")));

    EXPECT_EQ(StoredTaskPosition(task()), 1);
    EXPECT_EQ(StoredImageCount(task()), 2);
    EXPECT_EQ(TaskImageAt(task(), 1).name, QStringLiteral("a.jpg"));
    EXPECT_EQ(TaskImageAt(task(), 2).name, QStringLiteral("二.png"));
    EXPECT_EQ(TaskImageAt(task(), 2).record, kNotCroppedRecord);
    EXPECT_EQ(TaskImageAt(task(), 3).name, QStringLiteral("z.jpg"));
}

TEST_F(TaskFileTest, AScanKeepsImageFilesByTheTextAfterTheLastDot)
{
    addImages({QStringLiteral("A.JPG"), QStringLiteral("b.jpeg"), QStringLiteral("c.Png"), QStringLiteral("d.txt"),
               QStringLiteral("e"), QStringLiteral("gif"), QStringLiteral(".hidden.BMP"),
               QStringLiteral("two.dots.gif"), QStringLiteral("jpg.txt")});
    QDir(source()).mkdir(QStringLiteral("f.jpg"));
    EXPECT_EQ(sorted(ScanImageFolder(source())),
              sorted({QStringLiteral("A.JPG"), QStringLiteral("b.jpeg"), QStringLiteral("c.Png"),
                      QStringLiteral("gif"), QStringLiteral(".hidden.BMP"), QStringLiteral("two.dots.gif")}));
    EXPECT_TRUE(ScanImageFolder(source_.file(QStringLiteral("missing"))).isEmpty());
}

struct StepCase {
    const char* name;
    QStringList folderFiles;  // besides the task's a.jpg and b.jpg, which are there unless deleted
    QStringList deleted;
    QString startPosition;    // stored 批截位置 before the step
    NavigationDirection direction;
    Outcome outcome;
    int position;
    QString shownName;
    int storedAfter;
    int countAfter;
    friend void PrintTo(const StepCase& c, std::ostream* os) { *os << c.name; }
};

class TaskStepTest : public TaskFileTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(TaskStepTest, MovesOverTheTask)
{
    const StepCase& c = GetParam();
    CreateTaskFile(task(), {QStringLiteral("a.jpg"), QStringLiteral("b.jpg")});
    setStored(QStringLiteral("批截位置"), QStringLiteral("批截位置"), c.startPosition);
    addImages(QStringList{QStringLiteral("a.jpg"), QStringLiteral("b.jpg")} + c.folderFiles);
    for (const QString& name : c.deleted)
        QFile::remove(source_.file(name));
    const QByteArray before = taskBytes();

    int imageCount = StoredImageCount(task());
    const NavigationStep step = StepTask(task(), source(), c.direction, imageCount);

    EXPECT_EQ(step.outcome, c.outcome) << outcomeName(step.outcome);
    EXPECT_EQ(step.position, c.position);
    EXPECT_EQ(step.name, c.shownName);
    EXPECT_EQ(step.path, step.outcome == Outcome::Show ? source_.file(c.shownName) : QString());
    EXPECT_EQ(step.record, c.shownName.isEmpty() ? QString() : kNotCroppedRecord);
    EXPECT_EQ(StoredTaskPosition(task()), c.storedAfter);
    EXPECT_EQ(imageCount, c.countAfter);
    EXPECT_EQ(StoredImageCount(task()), c.countAfter);
    const bool writes = c.direction != NavigationDirection::Current &&
                        (step.outcome == Outcome::Show || step.outcome == Outcome::Lost);
    if (!writes) {
        EXPECT_EQ(taskBytes(), before) << "the task file changed";
    }
}

const QString kA = QStringLiteral("a.jpg");
const QString kB = QStringLiteral("b.jpg");
const QString kC = QStringLiteral("c.png");
constexpr auto kPrevious = NavigationDirection::Previous;
constexpr auto kCurrent = NavigationDirection::Current;
constexpr auto kNext = NavigationDirection::Next;

INSTANTIATE_TEST_SUITE_P(
    Cases, TaskStepTest,
    ::testing::Values(
        StepCase{"previous at the first image", {}, {}, "1", kPrevious, Outcome::AtFirst, 1, {}, 1, 2},
        StepCase{"previous from the second image", {}, {}, "2", kPrevious, Outcome::Show, 1, kA, 1, 2},
        StepCase{"previous from position 0", {}, {}, "0", kPrevious, Outcome::Nothing, 0, {}, 0, 2},
        StepCase{"previous from a negative position", {}, {}, "-5", kPrevious, Outcome::Nothing, -5, {}, -5, 2},
        StepCase{"previous from the lowest position", {}, {}, "-2147483648", kPrevious, Outcome::Nothing,
                 INT_MIN, {}, INT_MIN, 2},
        StepCase{"next within the task", {}, {}, "1", kNext, Outcome::Show, 2, kB, 2, 2},
        StepCase{"next at the end, nothing new", {}, {}, "2", kNext, Outcome::AtLast, 2, {}, 2, 2},
        StepCase{"next at the end, only files that are not images", {"c.txt"}, {}, "2", kNext, Outcome::AtLast,
                 2, {}, 2, 2},
        StepCase{"next at the end with a new image", {kC}, {}, "2", kNext, Outcome::Show, 3, kC, 3, 3},
        StepCase{"next at the highest position", {kC}, {}, "2147483647", kNext, Outcome::AtLast, INT_MAX, {},
                 INT_MAX, 2},
        StepCase{"next beyond the end of a hand-edited position", {}, {}, "7", kNext, Outcome::AtLast, 7, {}, 7,
                 2},
        StepCase{"current shows the stored image", {}, {}, "2", kCurrent, Outcome::Show, 2, kB, 2, 2},
        StepCase{"current at a negative position", {}, {}, "-3", kCurrent, Outcome::Lost, -3, {}, -3, 2},
        StepCase{"next to a deleted image", {}, {kB}, "1", kNext, Outcome::Lost, 2, kB, 2, 2},
        StepCase{"current on a deleted image", {}, {kA}, "1", kCurrent, Outcome::Lost, 1, kA, 1, 2},
        StepCase{"a position that is not a number", {}, {}, "abc", kNext, Outcome::Show, 1, kA, 1, 2}));

TEST_F(TaskFileTest, ANameThatWouldLeaveTheFolderIsLost)
{
    // Files that such names would reach from the source folder.
    const QString outside = source_.file(QStringLiteral("inner"));
    QDir(source()).mkpath(QStringLiteral("inner/sub"));
    source_.write(QStringLiteral("x.jpg"), "image");
    source_.write(QStringLiteral("inner/sub/x.jpg"), "image");
    source_.write(QStringLiteral("inner/..\\x.jpg"), "image"); // a plain file name outside Windows
    QDir(source()).mkdir(QStringLiteral("inner/d.jpg"));

    for (const QString& name : {QStringLiteral("../x.jpg"), QStringLiteral("..\\x.jpg"), QStringLiteral("sub/x.jpg"),
                                QStringLiteral("/x.jpg"), QStringLiteral("."), QStringLiteral(".."),
                                QStringLiteral("d.jpg"), QString()}) {
        writeTaskText(QStringLiteral("[批截位置]\r\n批截位置=1\r\n[最大位置]\r\n最大位置=1\r\n[1]\r\n图片名=%1\r\n")
                          .arg(name));
        int imageCount = 1;
        const NavigationStep step = StepTask(task(), outside, kCurrent, imageCount);
        EXPECT_EQ(step.outcome, Outcome::Lost) << name.toStdString();
        EXPECT_EQ(step.name, name);
        EXPECT_EQ(step.path, QString());
    }
}

TEST_F(TaskFileTest, AMissingTaskFileIsAnEmptyTask)
{
    EXPECT_EQ(StoredTaskPosition(task()), 0);
    EXPECT_EQ(StoredImageCount(task()), 0);
    addImages({kA});

    int imageCount = 0;
    const NavigationStep current = StepTask(task(), source(), kCurrent, imageCount);
    EXPECT_EQ(current.outcome, Outcome::Lost);
    EXPECT_EQ(current.position, 0);
    EXPECT_EQ(current.name, QString());
    EXPECT_FALSE(QFile::exists(task()));

    // Next finds the folder's image as a new one.
    const NavigationStep next = StepTask(task(), source(), kNext, imageCount);
    EXPECT_EQ(next.outcome, Outcome::Show);
    EXPECT_EQ(next.name, kA);
    EXPECT_EQ(next.record, kNotCroppedRecord);
    EXPECT_EQ(imageCount, 1);
    EXPECT_EQ(StoredImageCount(task()), 1);
    EXPECT_EQ(StoredTaskPosition(task()), 1);
}

TEST_F(TaskFileTest, HandEditedNonsenseGivesSensibleOutcomes)
{
    addImages({kA, kB});

    // Sections missing below the count: the gap is a lost, nameless image.
    writeTaskText(QStringLiteral("[批截位置]\r\n批截位置=1\r\n[最大位置]\r\n最大位置=5\r\n"
                                 "[1]\r\n图片名=a.jpg\r\n[3]\r\n图片名=b.jpg\r\n"));
    int imageCount = StoredImageCount(task());
    NavigationStep step = StepTask(task(), source(), kNext, imageCount);
    EXPECT_EQ(step.outcome, Outcome::Lost);
    EXPECT_EQ(step.position, 2);
    EXPECT_EQ(step.name, QString());
    step = StepTask(task(), source(), kNext, imageCount);
    EXPECT_EQ(step.outcome, Outcome::Show);
    EXPECT_EQ(step.name, kB);

    // Bytes that are no ini text at all.
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(static_cast<char>((i * 7919) % 256));
    settings_.write(kTaskFileName, garbage);
    imageCount = StoredImageCount(task());
    for (const NavigationDirection direction : {kPrevious, kCurrent})
        EXPECT_NE(StepTask(task(), source(), direction, imageCount).outcome, Outcome::Show);
    EXPECT_EQ(TaskImageAt(task(), 1).name, QString());
}

TEST_F(TaskFileTest, AHugeStoredCountWithFewSectionsAppendsAfterIt)
{
    addImages({kA, kB});
    writeTaskText(QStringLiteral("[最大位置]\r\n最大位置=2000000000\r\n"
                                 "[1]\r\n图片名=a.jpg\r\n[2]\r\n图片名=b.jpg\r\n"));
    int imageCount = StoredImageCount(task());
    ASSERT_EQ(imageCount, 2000000000);
    const QByteArray before = taskBytes();
    EXPECT_FALSE(AppendNewImages(task(), source(), imageCount));
    EXPECT_EQ(imageCount, 2000000000);
    EXPECT_EQ(taskBytes(), before);

    addImages({kC});
    EXPECT_TRUE(AppendNewImages(task(), source(), imageCount));
    EXPECT_EQ(imageCount, 2000000001);
    EXPECT_EQ(StoredImageCount(task()), 2000000001);
    EXPECT_EQ(TaskImageAt(task(), 2000000001).name, kC);

    // No room above the highest count: nothing is added.
    setStored(QStringLiteral("最大位置"), QStringLiteral("最大位置"), QStringLiteral("2147483647"));
    addImages({QStringLiteral("d.gif")});
    imageCount = StoredImageCount(task());
    EXPECT_FALSE(AppendNewImages(task(), source(), imageCount));
    EXPECT_EQ(imageCount, INT_MAX);
}

TEST_F(TaskFileTest, EachListedNameTakesAwayOneFoundFile)
{
    // a.jpg listed twice and b.jpg once; the folder also has A.JPG (another
    // name: the comparison is exact), c.png, and no longer gone.jpg.
    addImages({kA, QStringLiteral("A.JPG"), kB, kC});
    writeTaskText(QStringLiteral("[最大位置]\r\n最大位置=4\r\n"
                                 "[1]\r\n图片名=a.jpg\r\n[2]\r\n图片名=a.jpg\r\n"
                                 "[3]\r\n图片名=gone.jpg\r\n[4]\r\n图片名=b.jpg\r\n"
                                 "[9]\r\n图片名=c.png\r\n"));
    int imageCount = 4;
    ASSERT_TRUE(AppendNewImages(task(), source(), imageCount));
    EXPECT_EQ(imageCount, 6);
    EXPECT_EQ(StoredImageCount(task()), 6);
    const TaskImage fifth = TaskImageAt(task(), 5);
    EXPECT_EQ(fifth.record, kNotCroppedRecord);
    EXPECT_EQ(sorted({fifth.name, TaskImageAt(task(), 6).name}), sorted({QStringLiteral("A.JPG"), kC}));
    EXPECT_EQ(TaskImageAt(task(), 7).name, QString());

    // Everything listed now: nothing more to add.
    const QByteArray before = taskBytes();
    EXPECT_FALSE(AppendNewImages(task(), source(), imageCount));
    EXPECT_EQ(taskBytes(), before);
}

TEST_F(TaskFileTest, NoWriteReplacesATaskFileThatCouldNotBeReadWhole)
{
    // A task of a few images, then a comment too long for the file to be read whole.
    QByteArray kept = encodeGb18030(QStringLiteral("[批截位置]\r\n批截位置=2\r\n[最大位置]\r\n最大位置=3\r\n;"));
    kept.append(QByteArray(5 * 1024 * 1024, 'x'));
    settings_.write(kTaskFileName, kept);
    addImages({QStringLiteral("a.jpg"), QStringLiteral("b.jpg")});

    CreateTaskFile(task(), {QStringLiteral("a.jpg")});
    EXPECT_TRUE(taskBytes() == kept) << "a new task";
    MarkTaskImageDone(task(), 1);
    EXPECT_TRUE(taskBytes() == kept) << "a marked image";
    int imageCount = 0;
    EXPECT_FALSE(AppendNewImages(task(), source(), imageCount));
    EXPECT_TRUE(taskBytes() == kept) << "appended images";
    EXPECT_EQ(imageCount, 0);
    StepTask(task(), source(), NavigationDirection::Next, imageCount);
    EXPECT_TRUE(taskBytes() == kept) << "a step";
}

TEST(TaskImageTitle, IsTheNameThenTheRecord)
{
    EXPECT_EQ(TaskImageTitle(QStringLiteral("a.jpg"), kCroppedRecord), QStringLiteral(" 当前文件：a.jpg  已截图"));
    EXPECT_EQ(TaskImageTitle(QStringLiteral("b.png"), kLostRecord), QStringLiteral(" 当前文件：b.png  已丢失"));
}

} // namespace
