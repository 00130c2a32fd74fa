#pragma once
// FreeXL reads the shared strings of a workbook (the SST record and the
// CONTINUE records after it) with lengths and skips taken from the file and
// never held to the record it has in hand: a text declared longer than its
// record, or formatting runs said to reach into the next record further than
// that record goes, has it copy from beyond its record buffer. The check
// walks the records as FreeXL 1.0.6 does and says whether every byte it
// would read lies in the record it reads.
#include <QByteArrayView>

// False when FreeXL would read past a record of the shared strings, or give
// up on them as damaged; true for a stream without shared strings. The
// stream's records are whole (the caller has checked them).
bool SharedStringsReadWithinRecords(QByteArrayView stream);
