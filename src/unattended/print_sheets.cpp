#include "unattended/print_sheets.h"

#include "imaging/encode_crop.h"
#include "imaging/print_sheet.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>

namespace {
// Above any sheet's JPEG at the quality the search starts at.
constexpr double kNoLimitKB = 1e9;
} // namespace

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
    const int dpi = int(std::lround(crop.dotsPerMeterX() * 0.0254));
    const QImage sheet = RenderSheet(crop, dpi, index == 0 ? SheetPaper::SixInch : SheetPaper::A4);
    return EncodeCrop(sheet, extension, kNoLimitKB).bytes;
}

QString SheetPathBeside(const QString& outputPath)
{
    const QFileInfo output(outputPath);
    return output.dir().filePath(output.completeBaseName() + QStringLiteral("-排版.") + output.suffix());
}
