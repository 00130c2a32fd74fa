#pragma once
// Texts that more than one window of the program shows.
#include <QString>

inline const QString kMainTitle = QStringLiteral("栎澄证照工坊 V2.9");
inline const QString kNoPictureMessage = QStringLiteral("请打开一张图片或拍照一幅图象再进行操作。");
