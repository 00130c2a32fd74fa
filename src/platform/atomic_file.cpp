#include "platform/atomic_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <limits>

bool writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

namespace {

// Bytes taken at a time past the size the file had when opened: a file that
// grows (or reports no size) costs memory only for what it really holds.
constexpr qint64 kGrowthStep = 64 * 1024;

// Reads into `bytes` from `filled` on until it is full or the file ends;
// false on a read error.
bool fill(QFile& file, QByteArray& bytes, qint64& filled)
{
    while (filled < bytes.size()) {
        const qint64 got = file.read(bytes.data() + filled, bytes.size() - filled);
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        filled += got;
    }
    return true;
}

} // namespace

SmallFileRead readWholeSmallFile(const QString& path, qint64 maxBytes)
{
    SmallFileRead result;
    if (!QFileInfo::exists(path))
        return result;
    result.outcome = SmallFileRead::Outcome::NotWhole;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return result;
    const qint64 size = file.size();
    if (size > maxBytes)
        return result;
    QByteArray bytes(std::max<qint64>(size, 0), Qt::Uninitialized);
    qint64 filled = 0;
    if (!fill(file, bytes, filled))
        return result;
    // A file that ends where its size said is whole without growing the
    // buffer (which would copy it); one byte past the bound is enough to
    // tell a file that grew too large.
    char probe = 0;
    const qint64 more = filled == bytes.size() ? file.read(&probe, 1) : 0;
    if (more < 0)
        return result;
    if (more == 1) {
        bytes.append(probe);
        ++filled;
    }
    const qint64 enough = maxBytes < std::numeric_limits<qint64>::max() ? maxBytes + 1 : maxBytes;
    while (more == 1 && filled == bytes.size() && filled < enough) {
        bytes.resize(filled + std::min(kGrowthStep, enough - filled));
        if (!fill(file, bytes, filled))
            return result;
    }
    if (filled > maxBytes)
        return result;
    bytes.truncate(filled);
    result.outcome = SmallFileRead::Outcome::Whole;
    result.bytes = std::move(bytes);
    return result;
}

QByteArray readSmallFile(const QString& path, qint64 maxBytes)
{
    SmallFileRead read = readWholeSmallFile(path, maxBytes);
    return read.outcome == SmallFileRead::Outcome::Whole ? std::move(read.bytes) : QByteArray();
}
