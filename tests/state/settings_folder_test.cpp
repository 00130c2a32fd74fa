#include "state/settings_folder.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

TEST(SettingsFolder, IsCreatedBesideTheProgram)
{
    TempFolder program;
    TempFolder user;
    const QString folder = PrepareSettingsFolder(program.path(), user.path());
    EXPECT_EQ(folder, QDir(program.path()).filePath(QStringLiteral("头像采集设置")));
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

TEST(SettingsFolder, FallsBackToThePerUserFolderWhenTheProgramFolderCannotTakeIt)
{
    TempFolder program;
    TempFolder user;
    // A plain file stands where the program's folder would need a sub-folder.
    program.write(QStringLiteral("blocked"), "x");
    const QString blocked = program.file(QStringLiteral("blocked"));
    const QString folder = PrepareSettingsFolder(blocked, user.path());
    EXPECT_EQ(folder, QDir(user.path()).filePath(QStringLiteral("头像采集设置")));
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

TEST(SettingsFolder, WhenNoFolderCanBeCreatedThePathIsGivenAnyway)
{
    TempFolder base;
    base.write(QStringLiteral("file"), "x");
    const QString blocked = base.file(QStringLiteral("file"));
    const QString folder = PrepareSettingsFolder(blocked, blocked);
    EXPECT_FALSE(folder.isEmpty());
    EXPECT_FALSE(QFileInfo(folder).exists());
}

TEST(WritableProgramFolder, IsTheProgramsFolderWhenWritableOtherwiseThePerUserFolder)
{
    TempFolder base;
    base.write(QStringLiteral("file"), "x");
    const QString program = base.path();
    const QString blocked = base.file(QStringLiteral("file"));      // a plain file: nothing goes in
    const QString user = base.file(QStringLiteral("user/data"));    // made when needed
    const struct {
        const char* what;
        QString programFolder;
        QString userFolder;
        QString expected;
    } cases[] = {
        {"writable program folder", program, user, program},
        {"unwritable program folder", blocked, user, user},
        {"neither writable", blocked, blocked + QStringLiteral("/data"), blocked},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WritableProgramFolder(c.programFolder, c.userFolder), c.expected) << c.what;
        EXPECT_EQ(QFileInfo(c.userFolder).isDir(), c.expected == c.userFolder) << c.what;
    }
}

// An installed program (bin/ beside share/applications/ with its desktop
// entry) keeps nothing beside itself, even in a folder it could write.
TEST(SettingsFolder, AnInstalledProgramUsesThePerUserFolder)
{
    TempFolder prefix;
    TempFolder user;
    const QString bin = prefix.file(QStringLiteral("bin"));
    QDir().mkpath(bin);
    EXPECT_FALSE(IsInstalledProgramFolder(bin));
    QDir().mkpath(prefix.file(QStringLiteral("share/applications")));
    prefix.write(QStringLiteral("share/applications/cn.licheng.idphoto.desktop"), "[Desktop Entry]\n");
    ASSERT_TRUE(IsInstalledProgramFolder(bin));
    const QString folder = PrepareSettingsFolder(bin, user.path());
    EXPECT_EQ(folder, QDir(user.path()).filePath(QStringLiteral("头像采集设置")));
    EXPECT_FALSE(QFileInfo::exists(QDir(bin).filePath(QStringLiteral("头像采集设置"))));
    EXPECT_EQ(WritableProgramFolder(bin, user.path()), user.path());
}
