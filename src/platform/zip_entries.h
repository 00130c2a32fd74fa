#pragma once
// Reading the parts of a zip package (an xlsx book) within a bound: the
// inflated bytes are counted as they are read, so a size field that lies
// cannot get a zip bomb past the bound.
#include <QByteArray>
#include <QString>

#include <zip.h>

#include <memory>
#include <optional>

struct ZipDiscard {
    void operator()(zip_t* zip) const { zip_discard(zip); }
};
using ZipArchive = std::unique_ptr<zip_t, ZipDiscard>;

// The package opened read-only; null when it is not a readable zip.
ZipArchive openZip(const QString& path);

// The entry of that name; names compare without regard to letter case.
std::optional<zip_uint64_t> locateEntry(zip_t* zip, const QString& name);

// The inflated bytes of an entry; nothing when the entry is missing,
// damaged or longer than maxBytes.
std::optional<QByteArray> readEntry(zip_t* zip, zip_uint64_t index, qint64 maxBytes);
std::optional<QByteArray> readEntry(zip_t* zip, const QString& name, qint64 maxBytes);
