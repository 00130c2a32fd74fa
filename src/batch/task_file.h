#pragma once
// The batch task file 批截任务.ini: the list of a source folder's images,
// the current position and which images are cropped, kept between runs.
//
//   [批截位置]  批截位置=<current position, 1-based>
//   [最大位置]  最大位置=<image count>
//   [<i>]       操作记录=未截图|已截图   图片名=<file name without folder>
//
// GB18030 (GBK for GBK text) through the ini module, with its semantics.
// A missing or unreadable file reads as position 0 and count 0. Every read
// is bounded by the stored count and by the sections actually present, so a
// hand-edited file with absurd numbers neither hangs nor overflows.
#include <QString>
#include <QStringList>

inline const QString kTaskFileName = QStringLiteral("批截任务.ini");
inline const QString kNotCroppedRecord = QStringLiteral("未截图");
inline const QString kCroppedRecord = QStringLiteral("已截图");
inline const QString kLostRecord = QStringLiteral("已丢失");

enum class NavigationDirection { Previous, Current, Next };

// The image files of a folder, in the order the folder lists them, without
// the folder: every non-directory entry (hidden ones included) whose text
// after the last "." (the whole name when there is none), lower-cased, is
// jpg, jpeg, bmp, gif or png.
QStringList ScanImageFolder(const QString& folder);

// settingsFolder/批截任务.ini
QString TaskFilePath(const QString& settingsFolder);

// Writes a task for the names (not empty): position 1, the count, and for
// each i in order 操作记录=未截图 then 图片名. Sections of an older, longer
// task that remain in the file are left alone. One write of the file.
void CreateTaskFile(const QString& taskPath, const QStringList& names);

int StoredTaskPosition(const QString& taskPath);   // 批截位置
int StoredImageCount(const QString& taskPath);     // 最大位置

struct TaskImage {
    QString name;   // 图片名
    QString record; // 操作记录
};
TaskImage TaskImageAt(const QString& taskPath, int position);

// The file of a listed image in the source folder; empty when there is no
// such file, or the name would lead out of the folder.
QString TaskImageFile(const QString& sourceFolder, const QString& name);

// Appends the images of the source folder that the task does not list yet
// (compared by exact name, each listed name taking away one found entry) as
// new 未截图 sections after imageCount, then raises imageCount and 最大位置.
// Returns whether anything was added.
bool AppendNewImages(const QString& taskPath, const QString& sourceFolder, int& imageCount);

// Marks the image at the position cropped (操作记录=已截图).
void MarkTaskImageDone(const QString& taskPath, int position);

// One navigation step over the task file, before anything is shown.
struct NavigationStep {
    enum class Outcome {
        Show,     // the image at `position` exists: show `path`
        Lost,     // listed, but no such file in the source folder (or a name that
                  // would leave the folder): show the lost title, clear the view
        AtFirst,  // previous at position 1: "当前已是最初图片"
        AtLast,   // next at the end and nothing new in the folder: "当前已是末位图片"
        Nothing,  // previous from a position below 1: nothing at all
    };
    Outcome outcome = Outcome::Nothing;
    int position = 0;  // the step's position; the stored one when the step is refused
    QString name;    // 图片名 at the position
    QString record;  // 操作记录 at the position
    QString path;    // sourceFolder/name for Show
};

// previous: position − 1, refused at 0, silent below; next: position + 1,
// appending new images past the end; current: the stored position. previous
// and next write the new position. imageCount is the task's count in memory
// and grows when images are appended.
NavigationStep StepTask(const QString& taskPath, const QString& sourceFolder, NavigationDirection direction,
                        int& imageCount);

// The main window's title for a task image: " 当前文件：" + name + "  " + record.
QString TaskImageTitle(const QString& name, const QString& record);
