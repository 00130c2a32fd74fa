// The batch task file as a hand-edited or damaged file leaves it: every
// function that reads it, and the steps that write it after reading.
//
// The input is the task file's bytes. The source folder, made once, holds
// three images, a file that is no image and a folder named like one; beside
// it lies an image that a name in the task must never reach.
#include "support/fuzz_check.h"
#include "support/fuzz_files.h"
#include "support/lone_surrogates.h"

#include "batch/task_file.h"
#include "platform/ini_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>

namespace {

// Listing every position is kept to tasks of this many images.
constexpr int kMaxPositionsListed = 2000;

QString settingsFolder()
{
    return QDir(fuzzFolder()).filePath(QStringLiteral("头像采集设置"));
}

QString sourceFolder()
{
    return QDir(fuzzFolder()).filePath(QStringLiteral("照片"));
}

void makeFolders()
{
    FUZZ_CHECK(QDir().mkpath(settingsFolder()));
    FUZZ_CHECK(QDir().mkpath(QDir(sourceFolder()).filePath(QStringLiteral("folder.jpg"))));
    for (const QString& name : {QStringLiteral("a.jpg"), QStringLiteral("B.PNG"), QStringLiteral("张 三.gif"),
                                QStringLiteral("notes.txt")})
        writeFuzzFile(QStringLiteral("照片/") + name, QByteArray("image"));
    writeFuzzFile(QStringLiteral("outside.jpg"), QByteArray("image"));
}

QString taskPath()
{
    return TaskFilePath(settingsFolder());
}

void writeTask(const QByteArray& bytes)
{
    writeFuzzFile(QStringLiteral("头像采集设置/") + kTaskFileName, bytes);
}

QByteArray taskBytes()
{
    return fuzzFileBytes(taskPath());
}

// A step agrees with the task at its position, and shows only a file of the
// source folder itself.
void checkStep(const NavigationStep& step)
{
    using Outcome = NavigationStep::Outcome;
    if (step.outcome != Outcome::Show && step.outcome != Outcome::Lost)
        return;
    const TaskImage image = TaskImageAt(taskPath(), step.position);
    FUZZ_CHECK(step.name == image.name && step.record == image.record);
    if (step.outcome == Outcome::Lost) {
        FUZZ_CHECK(step.path.isEmpty());
        return;
    }
    const QFileInfo shown(step.path);
    FUZZ_CHECK(shown.isFile());
    FUZZ_CHECK(shown.absolutePath() == QFileInfo(sourceFolder()).absoluteFilePath());
    FUZZ_CHECK(shown.fileName() == step.name);
}

// The reads leave the file as it was, and a step to the current image is one.
void checkReads(const QByteArray& bytes)
{
    writeTask(bytes);
    const int position = StoredTaskPosition(taskPath());
    int count = StoredImageCount(taskPath());
    for (const int at : {position, 1, count, 0, -1, INT_MIN, INT_MAX})
        (void)TaskImageAt(taskPath(), at);
    const int countBefore = count;
    const NavigationStep step = StepTask(taskPath(), sourceFolder(), NavigationDirection::Current, count);
    FUZZ_CHECK(step.position == position && count == countBefore);
    FUZZ_CHECK(step.outcome == NavigationStep::Outcome::Show || step.outcome == NavigationStep::Outcome::Lost);
    checkStep(step);
    FUZZ_CHECK(taskBytes() == bytes);
}

void checkPrevious(const QByteArray& bytes)
{
    using Outcome = NavigationStep::Outcome;
    writeTask(bytes);
    const int position = StoredTaskPosition(taskPath());
    int count = StoredImageCount(taskPath());
    const int countBefore = count;
    const NavigationStep step = StepTask(taskPath(), sourceFolder(), NavigationDirection::Previous, count);
    FUZZ_CHECK(count == countBefore);
    if (qint64(position) - 1 <= 0) {
        FUZZ_CHECK(step.outcome == (position == 1 ? Outcome::AtFirst : Outcome::Nothing));
        FUZZ_CHECK(step.position == position && taskBytes() == bytes);
        return;
    }
    FUZZ_CHECK(step.position == position - 1 && StoredTaskPosition(taskPath()) == position - 1);
    checkStep(step);
}

// The names listed at positions 1..count.
QStringList listedNames(int count)
{
    QStringList names;
    for (int at = 1; at <= count; ++at)
        names.append(TaskImageAt(taskPath(), at).name);
    return names;
}

void checkNext(const QByteArray& bytes)
{
    using Outcome = NavigationStep::Outcome;
    writeTask(bytes);
    const int position = StoredTaskPosition(taskPath());
    const int countBefore = StoredImageCount(taskPath());
    int count = countBefore;
    const NavigationStep step = StepTask(taskPath(), sourceFolder(), NavigationDirection::Next, count);
    if (step.outcome == Outcome::AtLast) {
        FUZZ_CHECK(step.position == position && StoredTaskPosition(taskPath()) == position);
        FUZZ_CHECK(count == countBefore);
        return;
    }
    FUZZ_CHECK(qint64(position) + 1 <= INT_MAX);
    FUZZ_CHECK(step.position == position + 1 && StoredTaskPosition(taskPath()) == position + 1);
    checkStep(step);
    if (count == countBefore)
        return;
    // New images were appended as new 未截图 sections after the old count,
    // and now every image of the folder is listed.
    const int oldCount = std::max(countBefore, 0);
    const QStringList found = ScanImageFolder(sourceFolder());
    FUZZ_CHECK(count > oldCount && count - oldCount <= found.size());
    FUZZ_CHECK(StoredImageCount(taskPath()) == count);
    for (int at = oldCount + 1; at <= count; ++at) {
        const TaskImage image = TaskImageAt(taskPath(), at);
        FUZZ_CHECK(image.record == kNotCroppedRecord && found.contains(image.name));
    }
    if (count <= kMaxPositionsListed) {
        const QStringList listed = listedNames(count);
        for (const QString& name : found)
            FUZZ_CHECK(listed.contains(name));
    }
}

void checkMarkDone(const QByteArray& bytes)
{
    writeTask(bytes);
    const int position = StoredTaskPosition(taskPath());
    const int count = StoredImageCount(taskPath());
    const TaskImage before = TaskImageAt(taskPath(), position);
    const bool rewriteMayChangeName = hasLoneSurrogate(before.name);
    MarkTaskImageDone(taskPath(), position);
    const TaskImage after = TaskImageAt(taskPath(), position);
    FUZZ_CHECK(after.record == kCroppedRecord);
    FUZZ_CHECK(after.name == before.name || rewriteMayChangeName);
    FUZZ_CHECK(StoredTaskPosition(taskPath()) == position && StoredImageCount(taskPath()) == count);
}

// A new task over whatever was there.
void checkCreate(const QByteArray& bytes)
{
    writeTask(bytes);
    const QStringList names = ScanImageFolder(sourceFolder());
    CreateTaskFile(taskPath(), names);
    FUZZ_CHECK(StoredTaskPosition(taskPath()) == 1 && StoredImageCount(taskPath()) == names.size());
    for (int at = 1; at <= names.size(); ++at) {
        const TaskImage image = TaskImageAt(taskPath(), at);
        FUZZ_CHECK(image.name == names[at - 1] && image.record == kNotCroppedRecord);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    makeFolders();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    checkReads(bytes);
    checkPrevious(bytes);
    checkNext(bytes);
    checkMarkDone(bytes);
    checkCreate(bytes);
    return 0;
}
