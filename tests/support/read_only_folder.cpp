#include "support/read_only_folder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

#ifdef __linux__
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

ReadOnlyFolder::ReadOnlyFolder(const QString& path) : path_(path)
{
    QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                     QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther);
#ifdef __linux__
    if (geteuid() == 0)
        immutable_ = setImmutable(true);
#endif
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    if (immutable_)
        setImmutable(false);
    QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

bool ReadOnlyFolder::writable() const
{
    QTemporaryFile probe(QDir(path_).filePath(QStringLiteral("probe-XXXXXX")));
    return probe.open();
}

bool ReadOnlyFolder::setImmutable([[maybe_unused]] bool on) const
{
#ifdef __linux__
    const int fd = ::open(QFile::encodeName(path_).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
#else
    return false;
#endif
}
