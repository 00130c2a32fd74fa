#include "naming/batch_settings_checks.h"

#include "platform/blank_text.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

bool isSeparator(QChar c)
{
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
}

bool isExistingFolder(const QString& text)
{
    // An empty text would name the working folder; the user gave no folder.
    return !text.isEmpty() && QFileInfo(text).isDir();
}

BatchSettingsRefusal refusal(const char* message)
{
    return {QString::fromUtf8(message), false, false};
}

std::optional<BatchSettingsRefusal> checkSaveFolder(const QString& saveBox)
{
    if (!isExistingFolder(saveBox))
        return refusal("请设置正确的图片保存目录。");
    return std::nullopt;
}

std::optional<BatchSettingsRefusal> checkPrefix(bool customScheme, const QString& namingBox)
{
    if (!customScheme || !std::all_of(namingBox.begin(), namingBox.end(), IsBlank))
        return std::nullopt;
    BatchSettingsRefusal blank = refusal("自定义命名不能为空。");
    blank.focusNamingBox = true;
    return blank;
}

} // namespace

QString StoredFolderText(const QString& boxText)
{
    if (boxText == QLatin1String("/") || boxText.isEmpty() || !isSeparator(boxText.back()))
        return boxText;
    return boxText.chopped(1);
}

bool SameFolder(const QString& a, const QString& b)
{
    const QFileInfo infoA(a);
    const QFileInfo infoB(b);
    if (infoA.exists() && infoB.exists())
        return infoA.canonicalFilePath() == infoB.canonicalFilePath();
    return QDir::cleanPath(a) == QDir::cleanPath(b);
}

std::optional<BatchSettingsRefusal> CheckBatchSettings(const BatchSettingsInput& input)
{
    if (!isExistingFolder(input.sourceBox))
        return refusal("待截图目录不存在，无法对其图片进行批量截图。");
    if (auto refused = checkSaveFolder(input.saveBox))
        return refused;
    if (auto refused = checkPrefix(input.customScheme, input.namingBox))
        return refused;
    if (SameFolder(StoredFolderText(input.saveBox), StoredFolderText(input.sourceBox))) {
        BatchSettingsRefusal same = refusal("待截图文件夹不可再用于保存截图，请换一个文件夹保存截图。");
        same.clearSaveBox = true;
        return same;
    }
    return std::nullopt;
}

std::optional<BatchSettingsRefusal> CheckFastSettings(const QString& saveBox, bool customScheme,
                                                      const QString& namingBox)
{
    if (auto refused = checkSaveFolder(saveBox))
        return refused;
    return checkPrefix(customScheme, namingBox);
}

QString TrimmedPrefix(const QString& text)
{
    return TrimBlanks(text);
}
