#include "batch/task_file.h"

#include "platform/ini_file.h"
#include "platform/number_text.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <climits>
#include <optional>
#include <utility>

namespace {

const QString kPositionSection = QStringLiteral("批截位置");
const QString kPositionKey = QStringLiteral("批截位置");
const QString kCountSection = QStringLiteral("最大位置");
const QString kCountKey = QStringLiteral("最大位置");
const QString kRecordKey = QStringLiteral("操作记录");
const QString kNameKey = QStringLiteral("图片名");

QString asciiLower(QString text)
{
    for (QChar& c : text) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    }
    return text;
}

bool isImageName(const QString& name)
{
    static const QStringList kImageExtensions = {QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                                 QStringLiteral("bmp"), QStringLiteral("gif"),
                                                 QStringLiteral("png")};
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return kImageExtensions.contains(asciiLower(name.mid(dot + 1)));
}

// The writes that add images as new 未截图 sections from firstPosition on.
void addImageWrites(QList<IniWrite>& writes, qint64 firstPosition, const QStringList& names)
{
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString section = QString::number(firstPosition + i);
        writes.append({section, kRecordKey, kNotCroppedRecord});
        writes.append({section, kNameKey, names[i]});
    }
}

// The position a section name stands for, when it is one of 1..imageCount
// written as the program writes positions.
std::optional<int> positionOfSection(const QString& name, int imageCount)
{
    bool ok = false;
    const qint64 position = name.toLongLong(&ok);
    if (!ok || position < 1 || position > imageCount || QString::number(position) != name)
        return std::nullopt;
    return int(position);
}

// The non-empty 图片名 of the sections 1..imageCount, in position order,
// from one read of the file: only the sections that exist are looked at.
QStringList knownImageNames(const QString& taskPath, int imageCount)
{
    std::vector<std::pair<int, QString>> known;
    for (const IniSectionValue& section : iniSectionValues(readIniText(taskPath), kNameKey)) {
        const auto position = positionOfSection(section.section, imageCount);
        if (position && !section.value.isEmpty())
            known.emplace_back(*position, section.value);
    }
    std::sort(known.begin(), known.end());
    QStringList names;
    names.reserve(qsizetype(known.size()));
    for (auto& [position, name] : known)
        names.append(std::move(name));
    return names;
}

// The found names less one entry for each known name, in the found order.
QStringList unlistedNames(const QStringList& found, const QStringList& known)
{
    QHash<QString, int> toTakeAway;
    for (const QString& name : known)
        ++toTakeAway[name];
    QStringList remaining;
    for (const QString& name : found) {
        const auto it = toTakeAway.find(name);
        if (it != toTakeAway.end() && *it > 0)
            --*it;
        else
            remaining.append(name);
    }
    return remaining;
}

// A name that is a plain file name: nothing that would lead out of the folder.
bool isPlainFileName(const QString& name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
           name != QLatin1String(".") && name != QLatin1String("..");
}

} // namespace

QStringList ScanImageFolder(const QString& folder)
{
    if (folder.isEmpty())
        return {};
    const QStringList entries =
        QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
    QStringList images;
    for (const QString& name : entries) {
        if (isImageName(name))
            images.append(name);
    }
    return images;
}

QString TaskFilePath(const QString& settingsFolder)
{
    return QDir(settingsFolder).filePath(kTaskFileName);
}

void CreateTaskFile(const QString& taskPath, const QStringList& names)
{
    if (names.isEmpty())
        return;
    QList<IniWrite> writes;
    writes.reserve(2 + 2 * names.size());
    writes.append({kPositionSection, kPositionKey, QStringLiteral("1")});
    writes.append({kCountSection, kCountKey, QString::number(names.size())});
    addImageWrites(writes, 1, names);
    writeIniValues(taskPath, writes);
}

int StoredTaskPosition(const QString& taskPath)
{
    return readWholeNumber(readIniValue(taskPath, kPositionSection, kPositionKey));
}

int StoredImageCount(const QString& taskPath)
{
    return readWholeNumber(readIniValue(taskPath, kCountSection, kCountKey));
}

TaskImage TaskImageAt(const QString& taskPath, int position)
{
    const QString content = readIniText(taskPath);
    const QString section = QString::number(position);
    return {iniValue(content, section, kNameKey), iniValue(content, section, kRecordKey)};
}

bool AppendNewImages(const QString& taskPath, const QString& sourceFolder, int& imageCount)
{
    const int count = std::max(imageCount, 0);
    const QStringList found = ScanImageFolder(sourceFolder);
    if (found.isEmpty())
        return false;
    const QStringList added = unlistedNames(found, knownImageNames(taskPath, count));
    // A hand-edited count near the top of the range leaves no room for more.
    if (added.isEmpty() || qint64(count) + added.size() > INT_MAX)
        return false;
    const int newCount = count + int(added.size());
    QList<IniWrite> writes;
    writes.reserve(1 + 2 * added.size());
    addImageWrites(writes, qint64(count) + 1, added);
    writes.append({kCountSection, kCountKey, QString::number(newCount)});
    if (!writeIniValues(taskPath, writes))
        return false;
    imageCount = newCount;
    return true;
}

void MarkTaskImageDone(const QString& taskPath, int position)
{
    writeIniValue(taskPath, QString::number(position), kRecordKey, kCroppedRecord);
}

NavigationStep StepTask(const QString& taskPath, const QString& sourceFolder, NavigationDirection direction,
                        int& imageCount)
{
    NavigationStep step;
    step.position = StoredTaskPosition(taskPath);
    // 64-bit so that a hand-edited position at either end of the range cannot overflow.
    qint64 position = step.position;
    switch (direction) {
    case NavigationDirection::Previous:
        --position;
        if (position == 0) {
            step.outcome = NavigationStep::Outcome::AtFirst;
            return step;
        }
        if (position < 0)
            return step;
        break;
    case NavigationDirection::Next:
        ++position;
        if (position > INT_MAX ||
            (position > imageCount && !AppendNewImages(taskPath, sourceFolder, imageCount))) {
            step.outcome = NavigationStep::Outcome::AtLast;
            return step;
        }
        break;
    case NavigationDirection::Current:
        break;
    }
    step.position = int(position);
    if (direction != NavigationDirection::Current)
        writeIniValue(taskPath, kPositionSection, kPositionKey, QString::number(step.position));

    const TaskImage image = TaskImageAt(taskPath, step.position);
    step.name = image.name;
    step.record = image.record;
    step.path = TaskImageFile(sourceFolder, image.name);
    step.outcome = step.path.isEmpty() ? NavigationStep::Outcome::Lost : NavigationStep::Outcome::Show;
    return step;
}

QString TaskImageFile(const QString& sourceFolder, const QString& name)
{
    const QString path = QDir(sourceFolder).filePath(name);
    if (sourceFolder.isEmpty() || !isPlainFileName(name) || !QFileInfo(path).isFile())
        return {};
    return path;
}

QString TaskImageTitle(const QString& name, const QString& record)
{
    return QStringLiteral(" 当前文件：") + name + QStringLiteral("  ") + record;
}
