#include "help/help_files.h"

#include "platform/atomic_file.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

QString Md5Hex(const QByteArray& bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex());
}

bool HelpFileDiffers(const QString& path, const QByteArray& wanted)
{
    // A file larger than the wanted one reads as nothing: it differs either way.
    const QByteArray present = readSmallFile(path, wanted.size());
    if (present.size() != wanted.size())
        return true;
    return Md5Hex(present) != Md5Hex(wanted);
}

QString RepairHelpFiles(const QString& folder, const QList<HelpFile>& files)
{
    const QDir dir(folder);
    for (const HelpFile& file : files) {
        const QString path = dir.filePath(file.name);
        if (!HelpFileDiffers(path, file.bytes))
            continue;
        if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !writeFileAtomically(path, file.bytes))
            return path;
    }
    return {};
}
