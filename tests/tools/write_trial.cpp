// The writer that scripts/kill-trials.sh kills at random moments, writing
// through the program's own functions.
//
//   write_trial prepare KIND DIR  the old file in place, and DIR/expected.old
//                                 and DIR/expected.new: the only two contents
//                                 the file may have after a kill
//   write_trial write KIND DIR    writes the new content, then the old, then
//                                 the new … until it is killed
//   write_trial start DIR         the program's start-up clean-up of DIR/settings
//
// KIND is settings (set.dll), task (the task file) or image (a JPEG in the
// batch save folder). DIR holds the settings folder DIR/settings, whose set.dll
// names DIR/out as the batch save folder.
#include "state/settings.h"
#include "batch/task_file.h"
#include "workspace/crop_and_save.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTextStream>

#include <optional>

namespace {

enum class Kind { Settings, Task, Image };
enum class Content { Old, New };

std::optional<Kind> kindNamed(const QString& name)
{
    if (name == QLatin1String("settings"))
        return Kind::Settings;
    if (name == QLatin1String("task"))
        return Kind::Task;
    if (name == QLatin1String("image"))
        return Kind::Image;
    return std::nullopt;
}

QString settingsFolder(const QString& dir)
{
    return QDir(dir).filePath(QStringLiteral("settings"));
}

QString outputFolder(const QString& dir)
{
    return QDir(dir).filePath(QStringLiteral("out"));
}

QString trialFile(Kind kind, const QString& dir)
{
    switch (kind) {
    case Kind::Settings: return QDir(settingsFolder(dir)).filePath(kSettingsFileName);
    case Kind::Task: return TaskFilePath(settingsFolder(dir));
    case Kind::Image: return QDir(outputFolder(dir)).filePath(QStringLiteral("trial.jpg"));
    }
    return {};
}

// Many keys with long values, so that one write takes a moment; the new
// content has other values for the same keys.
bool writeSettings(const QString& dir, Content content)
{
    const QString value = QString(40, content == Content::Old ? QChar(u'甲') : QChar(u'乙'));
    QList<QPair<QString, QString>> keys;
    for (int i = 0; i < 20000; ++i)
        keys.append({QStringLiteral("试键%1").arg(i), value});
    return WriteSettings(settingsFolder(dir), kBatchSection, keys);
}

// A task of as many images for either content, so each replaces the other whole.
bool writeTask(const QString& dir, Content content)
{
    const QString prefix = content == Content::Old ? QStringLiteral("旧图") : QStringLiteral("新图");
    QStringList names;
    for (int i = 0; i < 5000; ++i)
        names.append(prefix + QString::number(i) + QStringLiteral(".jpg"));
    CreateTaskFile(TaskFilePath(settingsFolder(dir)), names);
    return true;
}

// A photo-sized picture, saved as the program saves a crop.
bool writeImage(const QString& dir, Content content)
{
    QImage picture(1200, 1600, QImage::Format_RGB32);
    const int shift = content == Content::Old ? 0 : 7;
    for (int y = 0; y < picture.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            row[x] = qRgb((x * 3 + y) >> shift & 0xff, (x ^ y) & 0xff, (y * 5 + shift) & 0xff);
    }
    const QString path = trialFile(Kind::Image, dir);
    return SaveCapture(picture, path, ExtensionOfPath(path), 100000).written;
}

bool writeOnce(Kind kind, const QString& dir, Content content)
{
    switch (kind) {
    case Kind::Settings: return writeSettings(dir, content);
    case Kind::Task: return writeTask(dir, content);
    case Kind::Image: return writeImage(dir, content);
    }
    return false;
}

bool copyFile(const QString& from, const QString& to)
{
    QFile::remove(to);
    return QFile::copy(from, to);
}

// A trial folder: the settings folder naming the output folder, and the old file.
bool makeTrialFolder(Kind kind, const QString& dir)
{
    return QDir().mkpath(settingsFolder(dir)) && QDir().mkpath(outputFolder(dir)) &&
           WriteSetting(settingsFolder(dir), kBatchSection, SettingKey::saveFolder, outputFolder(dir)) &&
           writeOnce(kind, dir, Content::Old);
}

// The new content is what a write makes of the old file, made on a copy.
bool prepare(Kind kind, const QString& dir)
{
    const QString scratch = QDir(dir).filePath(QStringLiteral("scratch"));
    const bool made = makeTrialFolder(kind, dir) && QDir().mkpath(settingsFolder(scratch)) &&
                      QDir().mkpath(outputFolder(scratch)) &&
                      copyFile(trialFile(kind, dir), trialFile(kind, scratch)) &&
                      writeOnce(kind, scratch, Content::New) &&
                      copyFile(trialFile(kind, dir), QDir(dir).filePath(QStringLiteral("expected.old"))) &&
                      copyFile(trialFile(kind, scratch), QDir(dir).filePath(QStringLiteral("expected.new")));
    return QDir(scratch).removeRecursively() && made;
}

[[noreturn]] void writeUntilKilled(Kind kind, const QString& dir)
{
    for (;;) {
        writeOnce(kind, dir, Content::New);
        writeOnce(kind, dir, Content::Old);
    }
}

int usage()
{
    QTextStream(stderr) << "usage: write_trial prepare|write settings|task|image DIR\n"
                           "       write_trial start DIR\n";
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() == 2 && args[0] == QLatin1String("start")) {
        RemoveInterruptedWrites(settingsFolder(args[1]), {kTaskFileName}, QDateTime::currentDateTime());
        return 0;
    }
    if (args.size() != 3)
        return usage();
    const std::optional<Kind> kind = kindNamed(args[1]);
    if (!kind)
        return usage();
    if (args[0] == QLatin1String("prepare"))
        return prepare(*kind, args[2]) ? 0 : 1;
    if (args[0] == QLatin1String("write"))
        writeUntilKilled(*kind, args[2]);
    return usage();
}
