#pragma once
// A folder made read-only for as long as the object lives. The superuser
// writes whatever the permissions say, so for it the folder is made
// immutable too.
#include <QString>

class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& path);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    // Whether a file can be made in the folder after all (a machine that
    // offers no way to stop the superuser).
    bool writable() const;

private:
    bool setImmutable(bool on) const;

    QString path_;
    bool immutable_ = false;
};
