#pragma once
// The names of an imported class list for the unattended batch: the cells of
// one column from a starting row down to the sheet's last used row, one a
// photo in the folder's order (an empty cell leaves its photo numbered).
#include <QString>
#include <QStringList>

#include <optional>

struct ClassListNames {
    QStringList names;
    QString error; // set when there are no names
};

// `sheet` empty: the first sheet; `cell` empty: "A1"; "B" starts at B1.
ClassListNames ReadClassListNames(const QString& book, const QString& sheet, const QString& cell);
