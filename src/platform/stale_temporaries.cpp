#include "platform/stale_temporaries.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

constexpr qsizetype kRandomLetters = 6;

bool isAsciiLetter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

} // namespace

bool isTemporaryOf(const QString& fileName, const std::function<bool(const QString& name)>& isOwnName)
{
    const qsizetype dot = fileName.size() - kRandomLetters - 1;
    if (dot < 1 || fileName[dot] != u'.')
        return false;
    const QStringView letters = QStringView(fileName).mid(dot + 1);
    return std::all_of(letters.begin(), letters.end(), isAsciiLetter) && isOwnName(fileName.left(dot));
}

int removeStaleTemporaries(const QString& folder, const std::function<bool(const QString& name)>& isOwnName,
                           const QDateTime& staleBefore)
{
    if (folder.isEmpty())
        return 0;
    const QDir dir(folder);
    int removed = 0;
    for (const QFileInfo& entry : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks)) {
        if (isTemporaryOf(entry.fileName(), isOwnName) && entry.lastModified() < staleBefore &&
            QFile::remove(entry.filePath()))
            ++removed;
    }
    return removed;
}
