#pragma once
// The name typed into the name prompt after a crop or a shot.
#include <QString>

inline const QString kEmptyNameMessage = QStringLiteral("新照片命名不能为空。");
inline const QString kBatchPromptTitle = QStringLiteral("请为刚才截图命名（不需填写扩展名）");
inline const QString kFastPromptTitle = QStringLiteral("请为刚才拍照命名（不需填写扩展名）");

// How the name was committed: the Enter key and the 确定 button remove the
// image extensions in different orders.
enum class NameCommit { EnterKey, OkButton };

// The typed text without leading and trailing spaces (ASCII and full-width)
// and without every ".jpg", ".bmp", ".gif", ".png" (any letter case), one
// left-to-right pass per extension in the order of the commit. Empty when
// nothing is left to name the file by.
QString PromptedName(const QString& typed, NameCommit commit);
