#include "platform/spreadsheet_book.h"

#include "platform/xls_book.h"
#include "platform/xlsx_book.h"

std::optional<SpreadsheetKind> SpreadsheetKindOf(const QString& path)
{
    // ASCII letter case only: Unicode folding would take, say, "ſ" for "s".
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot < 0)
        return std::nullopt;
    QString extension = path.mid(dot + 1);
    for (QChar& c : extension) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() - u'A' + u'a');
    }
    if (extension == u"xls")
        return SpreadsheetKind::Xls;
    if (extension == u"xlsx")
        return SpreadsheetKind::Xlsx;
    return std::nullopt;
}

std::unique_ptr<SpreadsheetBook> OpenSpreadsheet(const QString& path, SpreadsheetKind kind)
{
    switch (kind) {
    case SpreadsheetKind::Xls:
        return OpenXlsBook(path);
    case SpreadsheetKind::Xlsx:
        return OpenXlsxBook(path);
    }
    return nullptr;
}
