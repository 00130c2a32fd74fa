#include "naming/name_list_checks.h"

#include "platform/dialogs.h"

QString ChooseNameCellMessage(NameListContext context)
{
    return context == NameListContext::Crop ? QStringLiteral("请先点击有文字的单元格作为图片命名，再截图。")
                                            : QStringLiteral("请点击有文字的单元格以其文字命名即将拍照的图片。");
}

bool SpreadsheetNamingReady(const NameListState& list, Dialogs& dialogs, NameListSeam& nameList,
                            NameListContext context, const std::function<void()>& declined)
{
    if (!list.windowOpen) {
        // Without an icon, as the reminders below.
        const MessageAnswer answer = dialogs.showMessage(QStringLiteral("询问"), kNeedNameListQuestion,
                                                         MessageIcon::None, MessageButtons::YesNo);
        if (answer == MessageAnswer::Yes)
            nameList.open(context);
        else
            declined();
        return false;
    }
    if (!list.imported) {
        dialogs.showMessage(QStringLiteral("提示"), kImportNameListFirstMessage, MessageIcon::None,
                            MessageButtons::Ok);
        nameList.focus();
        return false;
    }
    if (list.selectedName.isEmpty()) {
        dialogs.showMessage(QStringLiteral("提示"), ChooseNameCellMessage(context), MessageIcon::None,
                            MessageButtons::Ok);
        return false;
    }
    return true;
}
