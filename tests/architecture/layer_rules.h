#pragma once
// The layers of src/ as the README's layout table states them, and the
// includes of the program's files that break them.
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// Each folder of src/ ("platform", "batch", …) with its layer number, read
// from the rows "| N | `src/folder/` | … |" of the README. Empty when the
// text has no such rows.
QHash<QString, int> ReadLayerTable(const QString& readme);

struct SourceFile {
    QString path; // relative to src/, e.g. "batch/batch_save.cpp"
    QString text;
};

// "file: include" for every quoted include of a file under a layer folder
// that names a folder of a higher layer, or another folder of the same
// layer. A file outside the table's folders, or an include of a folder the
// table does not name, is not judged; a file in a folder the table does not
// name is reported, so a new folder cannot slip past the rule.
QStringList WrongIncludes(const QHash<QString, int>& layers, const QList<SourceFile>& files);
