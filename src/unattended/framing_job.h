#pragma once
// What the unattended batch frames and how it names what it saves: the same
// for the window and the command line.
#include <QSize>
#include <QString>
#include <QStringList>

// The batch crop schemes that need no person.
enum class FramingNaming { TimeStamp, Sequence, CustomPrefix, SameAsSource, ClassList };

struct FramingJob {
    QString sourceFolder;
    QString saveFolder;
    QSize output{358, 441};
    QString extension = QStringLiteral(".jpg"); // ".jpg", ".png", ".bmp" or ".gif"
    double jpegLimitKB = 50.0;
    FramingNaming naming = FramingNaming::SameAsSource;
    QString prefix;        // CustomPrefix
    QStringList listNames; // ClassList: the names of the list's rows, the first photo taking the first
    int jobs = 1;          // photos framed at once
    bool resume = false;   // go on from the record an earlier run left in the save folder
    QString sheet;         // "" or a paper of the print sheet written beside each crop
};

// Why the job cannot start, in the program's words; nothing when it can.
// Checked before anything is written.
QString FramingJobRefusal(const FramingJob& job);
