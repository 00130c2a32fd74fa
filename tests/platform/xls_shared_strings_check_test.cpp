#include "platform/xls_shared_strings_check.h"

#include <QByteArray>
#include <gtest/gtest.h>

#include <ostream>

namespace {

QByteArray Le16(quint16 value)
{
    return QByteArray(1, char(value & 0xFF)) + char(value >> 8);
}

QByteArray Le32(quint32 value)
{
    return Le16(quint16(value & 0xFFFF)) + Le16(quint16(value >> 16));
}

QByteArray Record(quint16 type, const QByteArray& body)
{
    return Le16(type) + Le16(quint16(body.size())) + body;
}

QByteArray Sst(quint32 count, const QByteArray& strings)
{
    return Record(0x00FC, Le32(count) + Le32(count) + strings);
}

QByteArray Continue(const QByteArray& body)
{
    return Record(0x003C, body);
}

// A shared string: character count, flags, then the optional count of
// formatting runs and extension size the flags announce.
QByteArray Text(quint16 characters, quint8 flags, const QByteArray& chars, quint16 runs = 0, quint32 extension = 0)
{
    QByteArray bytes = Le16(characters) + char(flags);
    if (flags & 0x08)
        bytes += Le16(runs);
    if (flags & 0x04)
        bytes += Le32(extension);
    return bytes + chars;
}

QByteArray Wide(int characters)
{
    QByteArray bytes;
    for (int i = 0; i < characters; ++i)
        bytes += Le16(quint16(0x738B)); // 王
    return bytes;
}

const QByteArray kOther = Record(0x00E0, QByteArray(20, '\0'));

struct StringsCase {
    const char* what;
    QByteArray stream;
    bool within;
    friend void PrintTo(const StringsCase& c, std::ostream* os) { *os << c.what; }
};

class SharedStringsTest : public ::testing::TestWithParam<StringsCase> {};

TEST_P(SharedStringsTest, SaysWhetherFreeXlReadsWithinTheRecords)
{
    EXPECT_EQ(SharedStringsReadWithinRecords(GetParam().stream), GetParam().within);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SharedStringsTest,
    ::testing::Values(
        StringsCase{"no shared strings", kOther, true},
        StringsCase{"two whole strings", Sst(2, Text(2, 1, Wide(2)) + Text(3, 0, "abc")) + kOther, true},
        StringsCase{"formatting runs and extension inside the record",
                    Sst(2, Text(1, 0x0D, Wide(1) + QByteArray(8 + 3, 'x'), 2, 3) + Text(1, 0, "a")), true},
        StringsCase{"a string split into a CONTINUE, two-byte characters",
                    Sst(2, Text(4, 1, Wide(1))) + Continue(QByteArray(1, '\1') + Wide(3) + Text(1, 0, "a")), true},
        StringsCase{"a string split into a CONTINUE, one-byte characters",
                    Sst(1, Text(4, 0, "ab")) + Continue(QByteArray(1, '\0') + "cd"), true},
        StringsCase{"formatting reaching into the CONTINUE, next string after it",
                    Sst(2, Text(1, 0x09, Wide(1) + QByteArray(4, 'x'), 2)) + Continue("xxxx" + Text(1, 0, "a")), true},
        StringsCase{"a CONTINUE after another record is none of the strings'",
                    Sst(1, Text(1, 0, "a")) + kOther + Continue(QByteArray(3, '\xFF')), true},
        StringsCase{"rest of a two-byte string longer than its CONTINUE",
                    Sst(1, Text(0x7FFF, 1, Wide(2))) + Continue(QByteArray(1, '\1') + Wide(10)), false},
        StringsCase{"rest of a one-byte string longer than its CONTINUE",
                    Sst(1, Text(100, 0, "ab")) + Continue(QByteArray(1, '\0') + "cd"), false},
        StringsCase{"formatting said to reach past the whole next record",
                    Sst(2, Text(1, 0x08, "a", 0x4000)) + Continue(Text(1, 0, "a")), false},
        StringsCase{"extension said to reach past the whole next record",
                    Sst(2, Text(1, 0x04, "a", 0, 0x10000)) + Continue(Text(1, 0, "a")), false},
        StringsCase{"string header cut by the record's end", Sst(2, Text(1, 0, "a") + "\x01"), false},
        StringsCase{"run count cut by the record's end", Sst(1, Le16(1) + "\x08"), false},
        StringsCase{"empty shared string", Sst(1, Text(0, 0, {})), false},
        StringsCase{"more strings than FreeXL takes", Sst(1024 * 1024 + 1, Text(1, 0, "a")), false},
        StringsCase{"shared strings record too short for its counts", Record(0x00FC, QByteArray(6, '\0')), false}));

} // namespace
