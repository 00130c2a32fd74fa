#pragma once
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A temporary folder that disappears with the test.
class TempFolder {
public:
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }
    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;

private:
    QTemporaryDir dir_;
};
