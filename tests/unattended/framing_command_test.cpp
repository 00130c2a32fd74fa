// The program's command line as a script runs it: no display (no X server,
// no Wayland, no Qt platform named), exit statuses and messages.
#include "support/temp_folder.h"
#include "unattended/framing_record.h"
#include "unattended/photo_folder.h"

#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct Finished {
    int status = -1;
    QString out;
    QString err;
};

Finished RunProgram(const QStringList& arguments)
{
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QLatin1String(name));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(IDPHOTO_PROGRAM), arguments);
    if (!program.waitForFinished(120'000) || program.exitStatus() != QProcess::NormalExit)
        return {};
    return {program.exitCode(), QString::fromUtf8(program.readAllStandardOutput()),
            QString::fromUtf8(program.readAllStandardError())};
}

class FramingCommandTest : public ::testing::Test {
protected:
    QString photos() const { return folder.file(QStringLiteral("photos")); }
    QString save() const { return folder.file(QStringLiteral("save")); }
    QStringList batch(const QStringList& more = {}) const
    {
        return QStringList{QStringLiteral("--batch"), photos(), save(), QStringLiteral("--size"),
                           QStringLiteral("160x210")} + more;
    }
    TempFolder folder;
};

TEST_F(FramingCommandTest, HelpAndVersionNeedNoDisplay)
{
    const Finished help = RunProgram({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("idphoto --batch 照片文件夹 保存文件夹")));
    EXPECT_TRUE(help.out.contains(QStringLiteral("Usage")));
    EXPECT_TRUE(help.out.contains(QStringLiteral("--naming")));
    const Finished version = RunProgram({QStringLiteral("--version")});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.startsWith(QStringLiteral("idphoto "))) << version.out.toStdString();
}

TEST_F(FramingCommandTest, BadArgumentsSayWhatIsWrongAndWriteNothing)
{
    FillPhotoFolder(photos());
    struct Refusal {
        QStringList arguments;
        QString message;
    };
    folder.write(QStringLiteral("a file"), "x");
    const Refusal refusals[] = {
        {batch({QStringLiteral("--fast"), QStringLiteral("1")}),
         QStringLiteral("未知选项：--fast\n运行 idphoto --help 查看用法。\n")},
        {{QStringLiteral("--batch"), folder.file(QStringLiteral("none")), save()},
         QStringLiteral("照片文件夹不存在：%1\n").arg(folder.file(QStringLiteral("none")))},
        {{QStringLiteral("--batch"), photos(), folder.file(QStringLiteral("a file"))},
         QStringLiteral("保存位置不是文件夹：%1\n").arg(folder.file(QStringLiteral("a file")))},
        {{QStringLiteral("--batch"), photos(), photos()},
         QStringLiteral("照片文件夹不可再用于保存，请换一个保存文件夹。\n")},
        {batch({QStringLiteral("--naming"), QStringLiteral("list:") + folder.file(QStringLiteral("名单.txt"))}),
         QStringLiteral("名单须为 .xls 或 .xlsx 文件：%1\n").arg(folder.file(QStringLiteral("名单.txt")))},
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.arguments.join(u' ').toStdString());
        const Finished run = RunProgram(r.arguments);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, r.message);
        EXPECT_FALSE(QFileInfo::exists(save()));
    }
}

TEST_F(FramingCommandTest, PhotosThatCannotBeFramedAreListedWithStatusTwo)
{
    FillPhotoFolder(photos());
    const Finished run = RunProgram(batch());
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("共 5 张照片，本次保存 3 张，未能取景 2 张。\n"
                                                "  03.jpg：未能识别到人脸\n"
                                                "  04.jpg：无法读取此图片文件\n")))
        << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("5/5"))) << "plain progress lines off a terminal";
    EXPECT_FALSE(run.err.contains(u'\r'));
    for (const char* name : {"01.jpg", "02.jpg", "05.jpg"})
        EXPECT_EQ(QImage(QDir(save()).filePath(QLatin1String(name))).size(), QSize(160, 210)) << name;
    EXPECT_TRUE(QFileInfo::exists(QDir(save()).filePath(kFramingExceptionsName)));
}

TEST_F(FramingCommandTest, AFolderFramedWholeExitsWithZeroAndNamesFromTheClassList)
{
    FillPhotoFolder(photos(), false);
    const Finished run = RunProgram(batch(
        {QStringLiteral("--naming"),
         QStringLiteral("list:" IDPHOTO_FIXTURES "/spreadsheets/class_lists.xlsx:初一(2)班"),
         QStringLiteral("--jobs"), QStringLiteral("2"), QStringLiteral("--sheet"), QStringLiteral("6inch")}));
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    // 01, 02, 05 are the first three photos: the first three rows.
    for (const char* name : {"王芳", "李娜", "张子轩"}) {
        const QString crop = QDir(save()).filePath(QString::fromUtf8(name) + QStringLiteral(".jpg"));
        EXPECT_EQ(QImage(crop).size(), QSize(160, 210)) << name;
        const QImage sheet(QDir(save()).filePath(QString::fromUtf8(name) + QStringLiteral("-排版.jpg")));
        EXPECT_EQ(sheet.size(), QSize(1800, 1200)) << name;
        EXPECT_EQ(sheet.dotsPerMeterX(), 11811) << name;
    }
}

} // namespace
