#include "help/embedded_help.h"

#include "help/about.h"

#include <QDir>
#include <QFile>

namespace {

const QString kEmbeddedHelpFolder = QStringLiteral(":/help/");

QByteArray readEmbedded(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The page's markers for the product's values, replaced by them as HTML text.
QByteArray withProductValues(const QByteArray& page)
{
    QString text = QString::fromUtf8(page);
    QString about = aboutText().toHtmlEscaped();
    about.replace(QLatin1Char('\n'), QLatin1String("<br>\n"));
    text.replace(QLatin1String("${ABOUT_TEXT}"), about);
    text.replace(QLatin1String("${HOME_PAGE}"), kHomePageAddress.toHtmlEscaped());
    return text.toUtf8();
}

} // namespace

QList<HelpFile> EmbeddedHelpFiles()
{
    QList<HelpFile> files;
    files.append({kHelpPageName, withProductValues(readEmbedded(kEmbeddedHelpFolder + kHelpPageName))});
    const QDir pictures(kEmbeddedHelpFolder + kHelpPicturesFolder);
    for (const QString& name : pictures.entryList(QDir::Files, QDir::Name)) {
        files.append({kHelpPicturesFolder + QLatin1Char('/') + name, readEmbedded(pictures.filePath(name))});
    }
    return files;
}
