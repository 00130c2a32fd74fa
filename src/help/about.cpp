#include "help/about.h"

#include "platform/dialogs.h"

QString aboutText()
{
    return QStringLiteral("当前版本：V2.9\n软件作者：") + kProductAuthor +
           QStringLiteral("\n电子邮箱：") + kProductEmail + QStringLiteral("\n软件主页：") +
           kHomePageAddress;
}

void ShowAbout(Dialogs& dialogs)
{
    dialogs.showMessage(kAboutTitle, aboutText(), MessageIcon::None, MessageButtons::Ok);
}
