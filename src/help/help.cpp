#include "help/help.h"

#include "help/about.h"
#include "help/embedded_help.h"
#include "help/help_files.h"
#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "state/settings_folder.h"

#include <QDir>

void ShowHelp(const QString& programFolder, Dialogs& dialogs, Desktop& desktop)
{
    const QString failed = RepairHelpFiles(programFolder, EmbeddedHelpFiles());
    if (!failed.isEmpty()) {
        // A page that could not be put in place would open stale or not at all.
        dialogs.showMessage(QStringLiteral("提示"),
                            QStringLiteral("无法写入帮助文件：") + QDir::toNativeSeparators(failed) +
                                QStringLiteral("\n请检查程序所在文件夹是否可以写入。"),
                            MessageIcon::Warning, MessageButtons::Ok);
        return;
    }
    const QString page = QDir(programFolder).filePath(kHelpPageName);
    if (!desktop.openFile(page)) {
        dialogs.showMessage(QStringLiteral("提示"), QStringLiteral("无法打开帮助文件：") + QDir::toNativeSeparators(page),
                            MessageIcon::Warning, MessageButtons::Ok);
    }
}

void ShowHelp(const QString& programFolder, const QString& userDataFolder, Dialogs& dialogs, Desktop& desktop)
{
    ShowHelp(WritableProgramFolder(programFolder, userDataFolder), dialogs, desktop);
}

void OpenHomePage(Desktop& desktop)
{
    desktop.openUrl(QUrl(kHomePageAddress));
}
