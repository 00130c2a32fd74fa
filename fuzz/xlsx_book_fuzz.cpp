// The xlsx reader on hostile files, through the entry point the name list
// window uses for an imported class list.
//
// An input that starts as a zip ("PK") is the file itself. Any other input
// lists the parts of a package, each after a line "@@ <entry name>", and is
// packed into a zip (stored, with true checksums) before it is read: a
// mutation of a compressed, checksummed entry would only ever reach the
// zip's own checks, never the XML readers behind them.
#include "support/book_walk.h"
#include "support/fuzz_check.h"
#include "support/fuzz_files.h"

#include "platform/spreadsheet_book.h"

#include <QFile>
#include <QList>

#include <zip.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace {

struct Part {
    QByteArray name;
    QByteArray bytes;
};

QList<Part> listedParts(const QByteArray& input)
{
    static const QByteArray kMark = QByteArrayLiteral("@@ ");
    QList<Part> parts;
    const qsizetype first = input.indexOf('\n' + kMark);
    qsizetype at = input.startsWith(kMark) ? 0 : first < 0 ? -1 : first + 1;
    while (at >= 0 && at < input.size()) {
        const qsizetype nameEnd = input.indexOf('\n', at);
        if (nameEnd < 0)
            break;
        Part part;
        part.name = input.mid(at + kMark.size(), nameEnd - at - kMark.size());
        if (part.name.endsWith('\r'))
            part.name.chop(1);
        const qsizetype next = input.indexOf('\n' + kMark, nameEnd);
        // A part may be empty: the next mark then starts right after its name.
        part.bytes = next < 0 ? input.mid(nameEnd + 1) : input.mid(nameEnd + 1, std::max<qsizetype>(next - nameEnd - 1, 0));
        parts.append(std::move(part));
        at = next < 0 ? -1 : next + 1;
    }
    return parts;
}

// The parts as a zip at `path`; the entries libzip will not take are left out.
void writePackage(const QString& path, const QList<Part>& parts)
{
    QFile::remove(path);
    int error = 0;
    zip_t* zip = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    FUZZ_CHECK(zip != nullptr);
    for (const Part& part : parts) {
        // The buffer stays in `parts` until zip_close has written it.
        zip_source_t* source = zip_source_buffer(zip, part.bytes.constData(), zip_uint64_t(part.bytes.size()), 0);
        FUZZ_CHECK(source != nullptr);
        const zip_int64_t index =
            zip_file_add(zip, part.name.constData(), source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(source);
            continue;
        }
        zip_set_file_compression(zip, zip_uint64_t(index), ZIP_CM_STORE, 0);
    }
    if (zip_close(zip) != 0)
        zip_discard(zip);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    QString path;
    if (input.startsWith("PK")) {
        path = writeFuzzFile(QStringLiteral("班级名单.xlsx"), input);
    } else {
        path = writeFuzzFile(QStringLiteral("班级名单.xlsx"), {});
        writePackage(path, listedParts(input));
    }
    const auto book = OpenSpreadsheet(path, SpreadsheetKind::Xlsx);
    if (!book)
        return 0;
    walkBook(*book);
    // Cells past Excel's last row and column are not read.
    for (int i = 0; i < book->sheetCount() && i < 16; ++i) {
        if (const SpreadsheetSheet* sheet = book->sheet(i)) {
            FUZZ_CHECK(sheet->cellText(1'048'576, 0).isEmpty() && sheet->cellText(0, 16'384).isEmpty() &&
                       sheet->cellText(INT_MAX, INT_MAX).isEmpty());
        }
    }
    return 0;
}
