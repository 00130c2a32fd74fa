#pragma once
// The plain rules of batch crop mode: where its status-bar item answers the
// mouse, which hint the status bar shows, and its messages.
#include <QString>

#include <optional>

inline const QString kBatchItemText = QStringLiteral("使用批量截图模式");
inline const QString kBatchItemHint = QStringLiteral("勾选、右击此选择框可弹出批量截图设置窗口。");
inline const QString kResumeQuestion = QStringLiteral("是否沿用上次批量截图设置，并继续上次操作？");
inline const QString kNoImagesMessage = QStringLiteral("待截图文件夹中没有可截图的图片。");
inline const QString kSaveFolderUnsetMessage = QStringLiteral("批量截图保存目录尚未设置，请先设置。");
inline const QString kSaveFolderMissingMessage = QStringLiteral("批量截图保存目录不存在，请重新设置。");
inline const QString kSourceFolderMissingMessage = QStringLiteral("批量截图待截图目录不存在，请重新设置。");
inline const QString kAtFirstImageMessage = QStringLiteral("当前已是最初图片");
inline const QString kAtLastImageMessage = QStringLiteral("当前已是末位图片");
inline const QString kUnreadableImageMessage = QStringLiteral("无法读取此图片文件。");

// Whether a status-bar x lies on the batch item. The region is measured from
// the window's right edge: mainWidth − ncW − 160 ≤ x ≤ mainWidth − ncW − 45.
bool InBatchItemRegion(int x, int mainWidth, int ncW);

// The status bar's hint for the pointer over it.
QString BatchStatusHint(bool inRegion, bool keysRegistered, bool imageLoaded);

// Whether a batch save may write into the save folder: the resume's message
// when it may not (kSaveFolderUnsetMessage for an empty folder,
// kSaveFolderMissingMessage for one that is no existing folder given from the
// root; a relative one would be the working folder's), nothing when it may.
std::optional<QString> BatchSaveFolderRefusal(const QString& saveFolder);
