// What a spreadsheet-named save or shot tells the user before it may take a
// name: the question and the two reminders, none of them with an icon.
#include "naming/name_list_checks.h"
#include "support/fake_dialogs.h"

#include <gtest/gtest.h>

namespace {

TEST(SpreadsheetNamingReady, AsksAndRemindsWithoutAnIcon)
{
    const struct {
        const char* what;
        NameListState list;
        NameListContext context;
        const char* title;
        const char* text;
        MessageButtons buttons;
    } cases[] = {
        {"no list window", {false, false, {}, {}}, NameListContext::Crop, "询问",
         "当前批量命名方式需导入EXCEL文件，是否沿用此命名方式？", MessageButtons::YesNo},
        {"no list window, a shot", {false, false, {}, {}}, NameListContext::Shot, "询问",
         "当前批量命名方式需导入EXCEL文件，是否沿用此命名方式？", MessageButtons::YesNo},
        {"nothing imported", {true, false, {}, {}}, NameListContext::Crop, "提示", "请先导入EXCEL文件。",
         MessageButtons::Ok},
        {"no cell chosen", {true, true, {}, {}}, NameListContext::Crop, "提示",
         "请先点击有文字的单元格作为图片命名，再截图。", MessageButtons::Ok},
        {"no cell chosen, a shot", {true, true, {}, {}}, NameListContext::Shot, "提示",
         "请点击有文字的单元格以其文字命名即将拍照的图片。", MessageButtons::Ok},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeDialogs dialogs;
        AbsentNameList nameList;
        int declined = 0;
        EXPECT_FALSE(SpreadsheetNamingReady(c.list, dialogs, nameList, c.context, [&] { ++declined; }));
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_EQ(dialogs.messages[0].title, QString::fromUtf8(c.title));
        EXPECT_EQ(dialogs.messages[0].text, QString::fromUtf8(c.text));
        EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None);
        EXPECT_EQ(dialogs.messages[0].buttons, c.buttons);
        // A No to the question gives up the scheme; the reminders do not.
        EXPECT_EQ(declined, c.buttons == MessageButtons::YesNo ? 1 : 0);
    }
}

TEST(SpreadsheetNamingReady, AChosenCellNeedsNoWord)
{
    FakeDialogs dialogs;
    AbsentNameList nameList;
    const NameListState list{true, true, QStringLiteral("张三"), {}};
    EXPECT_TRUE(SpreadsheetNamingReady(list, dialogs, nameList, NameListContext::Crop, [] {}));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

} // namespace
