#include "support/fuzz_files.h"

#include "support/fuzz_check.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

// Memory-backed where there is such a folder: the program's writes wait for
// the disk (a saved file is synced before it replaces the old one), and a
// run makes thousands of them.
QString baseFolder()
{
    const QFileInfo shared(QStringLiteral("/dev/shm"));
    return shared.isDir() && shared.isWritable() ? shared.filePath() : QDir::tempPath();
}

const QString kFolderPrefix = QStringLiteral("idphoto-fuzz-");

// A run that crashed leaves its folder behind: it is removed by the next run
// once the process that made it is gone.
void removeFoldersOfEndedRuns(const QString& base)
{
    const QStringList names = QDir(base).entryList({kFolderPrefix + QLatin1Char('*')}, QDir::Dirs);
    for (const QString& name : names) {
        const QString pid = name.mid(kFolderPrefix.size()).section(QLatin1Char('-'), 0, 0);
        if (!pid.isEmpty() && !QFileInfo::exists(QStringLiteral("/proc/") + pid))
            QDir(QDir(base).filePath(name)).removeRecursively();
    }
}

QString newFolderTemplate()
{
    const QString base = baseFolder();
    removeFoldersOfEndedRuns(base);
    return QStringLiteral("%1/%2%3-XXXXXX").arg(base, kFolderPrefix).arg(QCoreApplication::applicationPid());
}

} // namespace

QString fuzzFolder()
{
    static QTemporaryDir folder(newFolderTemplate());
    FUZZ_CHECK(folder.isValid());
    return folder.path();
}

QString writeFuzzFile(const QString& name, const QByteArray& bytes)
{
    const QString path = QDir(fuzzFolder()).filePath(name);
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(bytes) == bytes.size());
    return path;
}

QByteArray fuzzFileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
