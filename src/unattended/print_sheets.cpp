#include "unattended/print_sheets.h"

#include "imaging/encode_crop.h"
#include "imaging/print_sheet.h"
#include "workspace/output_resolution.h"

#include <QDir>
#include <QFileInfo>


const QStringList& SheetPaperNames()
{
    static const QStringList names{QStringLiteral("6inch"), QStringLiteral("a4")};
    return names;
}

QByteArray EncodedSheet(const QImage& crop, const QString& paper, const QString& extension)
{
    const int index = SheetPaperNames().indexOf(paper);
    if (index < 0)
        return {};
    const QImage sheet = RenderSheet(crop, PrintDpiOf(crop), index == 0 ? SheetPaper::SixInch : SheetPaper::A4);
    return EncodeCrop(sheet, extension, kNoSizeLimitKB).bytes;
}

QString SheetPathBeside(const QString& outputPath)
{
    const QFileInfo output(outputPath);
    return output.dir().filePath(output.completeBaseName() + QStringLiteral("-排版.") + output.suffix());
}
