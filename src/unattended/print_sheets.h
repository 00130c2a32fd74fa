#pragma once
// The print sheet the unattended batch writes beside each crop when asked
// (--sheet 6inch|a4): copies of the crop laid out as 排版打印 lays them.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

// The paper names the command line takes.
const QStringList& SheetPaperNames(); // "6inch", "a4"

// The sheet of copies of `crop` (carrying its print resolution) on the named
// paper, encoded in the crop's format at the sheet's 300 dpi (no size
// limit: a JPEG at the best quality); empty for an unknown paper.
QByteArray EncodedSheet(const QImage& crop, const QString& paper, const QString& extension);

// Where the sheet of an output goes: beside it, "<name>-排版<extension>".
QString SheetPathBeside(const QString& outputPath);
