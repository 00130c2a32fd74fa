// The xls reader on hostile files, through the entry point the name list
// window uses for an imported class list.
#include "support/book_walk.h"
#include "support/fuzz_files.h"

#include "platform/spreadsheet_book.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path =
        writeFuzzFile(QStringLiteral("班级名单.xls"), QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (const auto book = OpenSpreadsheet(path, SpreadsheetKind::Xls))
        walkBook(*book);
    return 0;
}
