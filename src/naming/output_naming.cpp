#include "naming/output_naming.h"

#include "imaging/encode_crop.h"
#include "naming/crop_sources.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <array>

QString TimeStampText(const QDateTime& when)
{
    const QDate d = when.date();
    const QTime t = when.time();
    return QStringLiteral("%1-%2-%3 %4-%5-%6")
        .arg(d.year())
        .arg(d.month())
        .arg(d.day())
        .arg(t.hour())
        .arg(t.minute())
        .arg(t.second());
}

QString FirstFreeNumberedPath(const QString& folder, const QString& prefix, const QString& extension)
{
    const QDir dir(folder);
    // The folder holds finitely many names, so some number is always free.
    for (qint64 n = 1;; ++n) {
        const QString candidate =
            dir.filePath(prefix + QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0')) + extension);
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
}

QString FirstFreeSuffixedPath(const QString& folder, const QString& base, const QString& extension)
{
    const QDir dir(folder);
    QString candidate = dir.filePath(base + extension);
    for (qint64 k = 1; QFileInfo::exists(candidate); ++k)
        candidate = dir.filePath(base + QChar(0x2014) + QString::number(k) + extension);
    return candidate;
}

static bool madeOnlyOf(const QString& text, QChar c)
{
    for (QChar x : text) {
        if (x != c)
            return false;
    }
    return true;
}

QString SafeFileName(const QString& name)
{
    static constexpr std::array<char16_t, 9> kRefused = {u'/', u'\\', u':', u'*', u'?',
                                                          u'"', u'<',  u'>', u'|'};
    QString safe = name;
    for (QChar& c : safe) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x7F || std::find(kRefused.begin(), kRefused.end(), u) != kRefused.end())
            c = QLatin1Char('_');
    }
    // "." and ".." name the folder itself or its parent; a name of only
    // spaces is no name at all.
    if (madeOnlyOf(safe, QLatin1Char('.')) || madeOnlyOf(safe, QLatin1Char(' ')))
        return {};
    return safe;
}

QString SourceBaseName(const QString& sourceFileName)
{
    const qsizetype dot = sourceFileName.lastIndexOf(QLatin1Char('.'));
    return SafeFileName(dot < 0 ? sourceFileName : sourceFileName.left(dot));
}

// base + extension, or base—1, base—2, … past the crops another source
// made. The crop's own earlier file anywhere in that run of names is taken
// again; otherwise the first that is free or that no record gives away.
static QString sourceNamedPath(const NamingInputs& inputs, const QString& base, const QString& extension)
{
    const QDir dir(inputs.folder);
    const QString source = RecordedPath(inputs.sourcePath);
    QString firstTakeable;
    for (qint64 k = 0;; ++k) {
        const QString candidate =
            dir.filePath(k == 0 ? base + extension : base + QChar(0x2014) + QString::number(k) + extension);
        if (!QFileInfo::exists(candidate))
            return firstTakeable.isEmpty() ? candidate : firstTakeable;
        const QString maker = inputs.cropSources.value(RecordedPath(candidate));
        if (!maker.isEmpty() && maker == source)
            return candidate;
        if (maker.isEmpty() && firstTakeable.isEmpty())
            firstTakeable = candidate;
    }
}

// The modes stand in the order of the scheme labels; an unknown label is the first.
static NamingMode modeOf(const QString& schemeText, const QStringList& schemes,
                         const QList<NamingMode>& modes)
{
    const qsizetype index = schemes.indexOf(schemeText);
    return modes[index < 0 ? 0 : index];
}

NamingMode BatchNamingModeOf(const QString& schemeText)
{
    return modeOf(schemeText, batchNamingSchemes(),
                  {NamingMode::SameAsSource, NamingMode::TimeStamp, NamingMode::Sequence,
                   NamingMode::CustomPrefix, NamingMode::PromptEachTime, NamingMode::SpreadsheetCell});
}

NamingMode FastNamingModeOf(const QString& schemeText)
{
    return modeOf(schemeText, fastNamingSchemes(),
                  {NamingMode::TimeStamp, NamingMode::Sequence, NamingMode::CustomPrefix,
                   NamingMode::PromptEachTime, NamingMode::SpreadsheetCell});
}

QString ComposeOutputPath(const NamingInputs& inputs)
{
    // A folder not given from the root is the working folder's: refused,
    // and its names are not even searched.
    const bool folderFromRoot = !inputs.folder.isEmpty() && QDir::isAbsolutePath(inputs.folder);
    if (inputs.mode != NamingMode::PromptEachTime && !folderFromRoot)
        return {};
    const QString extension = LowerCaseExtension(inputs.extension);
    const auto sequence = [&] { return FirstFreeNumberedPath(inputs.folder, QString(), extension); };
    switch (inputs.mode) {
    case NamingMode::SameAsSource: {
        const QString base = SourceBaseName(inputs.sourceName);
        return base.isEmpty() ? sequence() : sourceNamedPath(inputs, base, extension);
    }
    case NamingMode::TimeStamp:
        return FirstFreeSuffixedPath(inputs.folder, TimeStampText(inputs.now), extension);
    case NamingMode::Sequence:
        return sequence();
    case NamingMode::CustomPrefix:
        return FirstFreeNumberedPath(inputs.folder, SafeFileName(inputs.customPrefix), extension);
    case NamingMode::SpreadsheetCell: {
        const QString base = SafeFileName(inputs.selectedName);
        return base.isEmpty() ? sequence() : FirstFreeSuffixedPath(inputs.folder, base, extension);
    }
    case NamingMode::PromptEachTime:
        return QDir::isAbsolutePath(inputs.temporaryFile) ? inputs.temporaryFile : QString();
    }
    return sequence();
}

QString PromptTemporaryPath(const QString& settingsFolder, const QString& extension)
{
    return QDir(settingsFolder).filePath(QStringLiteral("临时C") + LowerCaseExtension(extension));
}

bool IsUsableSaveFolder(const QString& folder)
{
    return !folder.isEmpty() && !QDir::isRelativePath(folder) && QFileInfo(folder).isDir();
}
