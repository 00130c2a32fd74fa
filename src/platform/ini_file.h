#pragma once
// Ini files with the semantics of the Windows private-profile functions, so the
// files the Windows build writes and ours are interchangeable:
// - a missing file, section or key reads as the empty text;
// - section and key names compare case-insensitively, surrounding blanks ignored;
// - a value read has its surrounding blanks trimmed;
// - a write creates the file, the section and the key as needed and replaces
//   an existing value, leaving every other line as it was.
// On disk the files are GB18030 with CRLF line ends, and every write replaces
// the file atomically.
// A file that is there but cannot be read whole (unreadable, a read error, or
// too large to be a settings file) reads as empty and is kept: writes leave it
// as it is and report failure, so what could not be read is never lost.
#include <QList>
#include <QString>

#include <functional>

// The text-level operations, on the decoded content of a file.
QString iniValue(const QString& content, const QString& section, const QString& key);
QString iniWithValue(const QString& content, const QString& section, const QString& key,
                     const QString& value);

// The file-level operations.
QString readIniValue(const QString& path, const QString& section, const QString& key);
bool writeIniValue(const QString& path, const QString& section, const QString& key,
                   const QString& value);

// Many writes in one pass: the content iniWithValue would leave after each
// write in turn, built from one index of the sections and keys so the time
// grows with the size of the content and of the writes, not their product.
struct IniWrite {
    QString section;
    QString key;
    QString value;
};
QString iniWithValues(const QString& content, const QList<IniWrite>& writes);
bool writeIniValues(const QString& path, const QList<IniWrite>& writes);

// Many reads in one pass: each section once, the first of each name (the one
// iniValue reads), in the order of the content, with the value of `key` in it.
struct IniSectionValue {
    QString section;
    QString value;
};
QList<IniSectionValue> iniSectionValues(const QString& content, const QString& key);

// The decoded content of a file, as the file-level reads see it.
QString readIniText(const QString& path);

// Whether the file is there but cannot be read whole, so writes leave it alone.
bool iniFileIsKept(const QString& path);

// While it exists, hears of every write left undone because its file is kept,
// with the file's path, on the writing thread.
class KeptIniFileListener {
public:
    explicit KeptIniFileListener(std::function<void(const QString& path)> hear);
    ~KeptIniFileListener();
    KeptIniFileListener(const KeptIniFileListener&) = delete;
    KeptIniFileListener& operator=(const KeptIniFileListener&) = delete;

    void hear(const QString& path) const { hear_(path); }

private:
    std::function<void(const QString& path)> hear_;
};
