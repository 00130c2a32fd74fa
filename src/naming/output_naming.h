#pragma once
// How the batch modes name their output files without a save dialog: the
// time stamp, the numbered and suffixed searches over a real folder, and the
// name rules that keep every name inside the chosen folder.
#include "state/naming_schemes.h"

#include <QDateTime>
#include <QHash>
#include <QString>

// The time-stamp name of a moment: year-month-day hour-minute-second without
// leading zeros, e.g. "2023-12-5 9-7-3".
QString TimeStampText(const QDateTime& when);

// folder/prefix + number + extension for the first n = 1, 2, … for which no
// file or folder of that name exists; the number has at least four digits
// (0001 … 9999, then 10000 …). Gaps are filled first.
QString FirstFreeNumberedPath(const QString& folder, const QString& prefix, const QString& extension);

// folder/base + extension when free, otherwise base—1, base—2, … (an em dash).
QString FirstFreeSuffixedPath(const QString& folder, const QString& base, const QString& extension);

// A name that came from the user, a spreadsheet cell or a source file, made
// safe as a file name inside the output folder: separators, the characters
// Windows refuses (\ / : * ? " < > |) and control characters become "_".
// A name of only dots (".", "..") gives the empty text.
QString SafeFileName(const QString& name);

// The source-name base: the file name without its last extension
// ("my.photo.JPG" → "my.photo"), made safe.
QString SourceBaseName(const QString& sourceFileName);

// The naming mode a scheme label of the batch or fast-capture list stands
// for; a label that is in neither list gives SameAsSource for batch crop and
// TimeStamp for fast capture (the first entry of each list).
NamingMode BatchNamingModeOf(const QString& schemeText);
NamingMode FastNamingModeOf(const QString& schemeText);

// The inputs of the naming rules.
struct NamingInputs {
    NamingMode mode = NamingMode::SameAsSource;
    QString folder;        // output folder, without a trailing separator
    QString extension;     // output extension in any letter case, e.g. ".JPG"
    QString customPrefix;  // CustomPrefix
    QString selectedName;  // SpreadsheetCell: the selected cell's text
    QString sourceName;    // SameAsSource: the file name of the displayed image
    QString sourcePath;    // SameAsSource: the displayed image's file
    QHash<QString, QString> cropSources; // SameAsSource: ReadCropSources of the earlier crops
    QDateTime now;         // TimeStamp
    QString temporaryFile; // PromptEachTime: where the crop waits for its name
};

// The output path for a mode; the extension is always lower case. Every name
// goes through SafeFileName. TimeStamp takes the first free suffixed name, so
// two saves within one second keep both files. SameAsSource replaces its own
// earlier output (and a file no crop record knows), while an output that the
// record gives to another source is never replaced: the crop then takes the
// next free suffixed name (base—1, base—2, …); a source whose base is empty
// is numbered as Sequence.
// PromptEachTime gives the temporary file. The SpreadsheetCell preconditions
// are the caller's; an empty selected name is numbered as Sequence.
// Empty when the folder (for PromptEachTime, the temporary file) is empty or
// relative: no output ever goes into the working folder.
QString ComposeOutputPath(const NamingInputs& inputs);

// Whether a batch mode's save folder can take its crops: given, from the
// root (never the working folder), and an existing directory.
bool IsUsableSaveFolder(const QString& folder);

// The temporary file of PromptEachTime: settingsFolder/临时C + lower-case extension.
QString PromptTemporaryPath(const QString& settingsFolder, const QString& extension);
