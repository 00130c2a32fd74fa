#include "app/application.h"

#include "platform/program_icon.h"

#include <QApplication>
#include <QFileInfo>
#include <QDir>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTranslator>

namespace {

void loadQtTranslations(QApplication& app)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char* name : {"qtbase_zh_CN", "qtmultimedia_zh_CN"}) {
        auto* translator = new QTranslator(&app);
        if (translator->load(QLatin1String(name), folder))
            QApplication::installTranslator(translator);
        else
            delete translator;
    }
}

// The window is laid out in pixels for a 9-point Chinese font at 96 dpi.
void chooseFont(QApplication& app)
{
    const QStringList families = QFontDatabase::families();
    for (const char* family : {"SimSun", "Microsoft YaHei", "WenQuanYi Micro Hei", "Noto Sans CJK SC",
                               "Noto Sans SC", "Source Han Sans SC"}) {
        if (families.contains(QLatin1String(family))) {
            QFont font{QString::fromLatin1(family)};
            font.setPixelSize(12);
            app.setFont(font);
            return;
        }
    }
    QFont font = app.font();
    font.setPixelSize(12);
    app.setFont(font);
}

} // namespace

void prepareApplication(QApplication& app)
{
    QApplication::setApplicationName(QStringLiteral("idphoto"));
    QApplication::setOrganizationName(QStringLiteral("licheng"));
    QApplication::setApplicationDisplayName(QString());
    QApplication::setApplicationVersion(QStringLiteral(IDPHOTO_VERSION));
    // The desktop entry's name, so a Wayland desktop shows the entry's icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("cn.licheng.idphoto"));
    QApplication::setWindowIcon(ProgramIcon("idphoto"));
    loadQtTranslations(app);
    chooseFont(app);
}

void OpenCommandLinePicture(MainWindow& window, const QStringList& words)
{
    if (!words.isEmpty())
        window.dropImageFiles({QFileInfo(words.first()).absoluteFilePath()});
}

StartupEnvironment currentEnvironment()
{
    return {QCoreApplication::applicationDirPath(),
            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)};
}
