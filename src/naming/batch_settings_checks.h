#pragma once
// The checks of the OK of the two batch settings windows (batch crop and
// fast capture), in the order they run.
#include <QString>

#include <optional>

inline const QString kBatchSettingsTitle = QStringLiteral("批量截图设置");

struct BatchSettingsInput {
    QString sourceBox;   // text of the source folder box
    QString saveBox;     // text of the save folder box
    bool customScheme = false; // the custom-prefix scheme is chosen
    QString namingBox;   // text of the naming box (the prefix for the custom scheme)
};

struct BatchSettingsRefusal {
    QString message;     // shown with an information icon, title "提醒：", OK
    bool focusNamingBox = false;
    bool clearSaveBox = false;
};

// A folder box text as stored: one trailing separator removed.
QString StoredFolderText(const QString& boxText);

// Whether two folder texts name the same directory (after resolving "..",
// a trailing separator and symbolic links); for folders that do not exist,
// whether their cleaned paths are equal.
bool SameFolder(const QString& a, const QString& b);

// The first failing check, or nothing when the settings may be taken:
// 1. source box not an existing directory; 2. save box not an existing
// directory; 3. custom scheme with a blank prefix (ASCII and full-width
// spaces); 4. save folder the same as the source folder.
std::optional<BatchSettingsRefusal> CheckBatchSettings(const BatchSettingsInput& input);

// The fast capture window's checks, the batch ones without a source folder:
// 1. save box not an existing directory; 2. custom scheme with a blank prefix.
std::optional<BatchSettingsRefusal> CheckFastSettings(const QString& saveBox, bool customScheme,
                                                      const QString& namingBox);

// The custom prefix as kept: leading and trailing spaces (ASCII and full-width) removed.
QString TrimmedPrefix(const QString& text);
