#pragma once
// The command line of the unattended batch:
//   idphoto --batch SRC DST [--size-type NAME | --size WxH] [--format jpg|png|bmp|gif]
//           [--kb N] [--naming time|sequence|prefix:TEXT|source|list:BOOK[:SHEET[:CELL]]]
//           [--jobs N] [--resume] [--sheet 6inch|a4]
// read into a job, without touching a file. The class list itself is read
// by the caller (ClassListNames).
#include "unattended/framing_job.h"

#include <QString>
#include <QStringList>

struct ClassListPlace {
    QString book;
    QString sheet; // a sheet's name; empty for the first sheet
    QString cell;  // where the names start, "B" or "B2"; empty for "A1"
};

struct FramingArguments {
    enum class Kind { Window, Help, Version, Batch, Wrong };
    Kind kind = Kind::Window;
    FramingJob job;
    ClassListPlace classList; // when job.naming is ClassList
    QString error;            // Wrong: what is wrong, in the program's words
};

// `arguments` without the program's name. No --batch, --help or --version
// gives Window: the window opens (with the rest as files to open).
FramingArguments ReadFramingArguments(const QStringList& arguments, int processors);

// The text of --help, in Chinese and English.
QString FramingHelpText();
