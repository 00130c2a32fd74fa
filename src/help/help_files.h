#pragma once
// The help page kept next to the program: its files are written again
// wherever they differ from the copies built into the program, so a page the
// user deleted or edited comes back, while files already in place are left
// untouched.
#include <QByteArray>
#include <QList>
#include <QString>

inline const QString kHelpPageName = QStringLiteral("栎澄证照工坊使用帮助.html");
inline const QString kHelpPicturesFolder = QStringLiteral("栎澄证照工坊使用帮助.files");

// One file of the help: its path relative to the program folder and its bytes.
struct HelpFile {
    QString name;
    QByteArray bytes;
};

// The MD5 digest as 32 lower-case hex digits.
QString Md5Hex(const QByteArray& bytes);

// Whether the file at `path` must be written to hold `wanted`: it is missing,
// unreadable, or its digest is another.
bool HelpFileDiffers(const QString& path, const QByteArray& wanted);

// Writes every file that differs into `folder`, in order, each atomically,
// making the folders it needs. Returns the path of the first file that could
// not be written, or the empty text when every file is in place.
QString RepairHelpFiles(const QString& folder, const QList<HelpFile>& files);
