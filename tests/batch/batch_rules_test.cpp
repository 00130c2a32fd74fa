#include "batch/batch_rules.h"

#include "state/app_state.h"
#include "state/naming_schemes.h"
#include "workspace/status_hints.h"

#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

TEST(BatchItemRegion, FollowsTheRightEdgeAndIncludesBothEnds)
{
    struct Case {
        int x, mainWidth, ncW;
        bool inside;
    };
    // The design window: 594 wide, no extra border; the region is 434 … 549.
    const Case cases[] = {
        {433, 594, 0, false}, {434, 594, 0, true}, {500, 594, 0, true},
        {549, 594, 0, true},  {550, 594, 0, false},
        // Thicker borders move it left; a wider window moves it right.
        {429, 594, 5, true},  {545, 594, 5, false}, {533, 694, 0, false}, {534, 694, 0, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(InBatchItemRegion(c.x, c.mainWidth, c.ncW), c.inside) << c.x << " " << c.mainWidth << " " << c.ncW;
}

TEST(BatchStatusHint, TheItemFirstThenTheKeysThenTheStartHint)
{
    EXPECT_EQ(BatchStatusHint(true, true, false), QStringLiteral("勾选、右击此选择框可弹出批量截图设置窗口。"));
    EXPECT_EQ(BatchStatusHint(false, true, false), QStringLiteral("A键或S键：下一图片   D键或F键：上一图片"));
    EXPECT_EQ(BatchStatusHint(false, false, false), QStringLiteral("请打开或拖拽一图片文件或通过拍照来采集头像"));
    EXPECT_EQ(BatchStatusHint(false, false, true), QString());
}

TEST(BatchSaveFolderRefusal, OnlyAnExistingFolderGivenFromTheRootTakesTheCrop)
{
    TempFolder folder;
    folder.write(QStringLiteral("file"), "x");
    const struct {
        const char* what;
        QString saveFolder;
        std::optional<QString> refusal;
    } cases[] = {
        {"empty", QString(), QStringLiteral("批量截图保存目录尚未设置，请先设置。")},
        {"missing", folder.file(QStringLiteral("gone")), QStringLiteral("批量截图保存目录不存在，请重新设置。")},
        {"a file", folder.file(QStringLiteral("file")), QStringLiteral("批量截图保存目录不存在，请重新设置。")},
        {"relative", QStringLiteral("."), QStringLiteral("批量截图保存目录不存在，请重新设置。")},
        {"existing", folder.path(), std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BatchSaveFolderRefusal(c.saveFolder), c.refusal) << c.what;
}

} // namespace
