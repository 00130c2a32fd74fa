#include "platform/zip_entries.h"

#include <QFile>

#include <algorithm>

namespace {

constexpr zip_uint64_t kReadChunk = 64 * 1024;

struct ZipFileClose {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

} // namespace

ZipArchive openZip(const QString& path)
{
    zip_error_t error;
    zip_error_init(&error);
#ifdef _WIN32
    zip_source_t* source =
        zip_source_win32w_create(reinterpret_cast<const wchar_t*>(path.utf16()), 0, -1, &error);
#else
    zip_source_t* source = zip_source_file_create(QFile::encodeName(path).constData(), 0, -1, &error);
#endif
    zip_t* zip = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    if (source && !zip)
        zip_source_free(source);
    zip_error_fini(&error);
    return ZipArchive(zip);
}

// Part names compare without regard to letter case; the exact name is tried
// first because only that lookup is hashed.
std::optional<zip_uint64_t> locateEntry(zip_t* zip, const QString& name)
{
    const QByteArray encoded = name.toUtf8();
    zip_int64_t index = zip_name_locate(zip, encoded.constData(), 0);
    if (index < 0)
        index = zip_name_locate(zip, encoded.constData(), ZIP_FL_NOCASE);
    if (index < 0)
        return std::nullopt;
    return zip_uint64_t(index);
}

// The inflated bytes of an entry, counted as they are read so that a size
// field that lies cannot get a zip bomb past the bound; nothing when the
// entry is damaged or longer than maxBytes.
std::optional<QByteArray> readEntry(zip_t* zip, zip_uint64_t index, qint64 maxBytes)
{
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(zip, index, 0, &stat) != 0)
        return std::nullopt;
    if ((stat.valid & ZIP_STAT_SIZE) && stat.size > zip_uint64_t(maxBytes))
        return std::nullopt;
    const std::unique_ptr<zip_file_t, ZipFileClose> file(zip_fopen_index(zip, index, 0));
    if (!file)
        return std::nullopt;
    QByteArray bytes;
    for (;;) {
        const qsizetype used = bytes.size();
        // One byte past the bound is enough to know the entry is too long.
        const zip_uint64_t want = std::min<zip_uint64_t>(kReadChunk, zip_uint64_t(maxBytes + 1 - used));
        bytes.resize(used + qsizetype(want));
        const zip_int64_t got = zip_fread(file.get(), bytes.data() + used, want);
        if (got < 0)
            return std::nullopt;
        bytes.resize(used + qsizetype(got));
        if (bytes.size() > maxBytes)
            return std::nullopt;
        if (got == 0)
            return bytes;
    }
}

std::optional<QByteArray> readEntry(zip_t* zip, const QString& name, qint64 maxBytes)
{
    const std::optional<zip_uint64_t> index = locateEntry(zip, name);
    if (!index)
        return std::nullopt;
    return readEntry(zip, *index, maxBytes);
}
