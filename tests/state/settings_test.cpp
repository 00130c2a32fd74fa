#include "state/settings.h"
#include "batch/task_file.h"
#include "state/naming_schemes.h"
#include "platform/text_encoding.h"
#include "support/fake_dialogs.h"
#include "support/temp_folder.h"

#include <QDir>
#include <gtest/gtest.h>

#include <functional>

namespace {

struct Loaded {
    BatchCropSettings batch;
    FastCaptureSettings fast;
    CameraSettings camera;
};

Loaded load(const TempFolder& folder)
{
    Loaded l;
    l.batch.outputExtension = QStringLiteral("unset");
    l.camera.chosenDevice = QStringLiteral("unset");
    LoadSettings(folder.path(), l.batch, l.fast, l.camera);
    return l;
}

TEST(LoadSettings, FirstStartGivesTheDefaults)
{
    TempFolder folder;
    const Loaded l = load(folder);
    EXPECT_EQ(l.batch.namingIndex, 0);
    EXPECT_EQ(l.batch.namingText, QStringLiteral("与原图片文件名同名"));
    EXPECT_EQ(l.batch.outputExtension, QStringLiteral(".JPG"));
    EXPECT_EQ(l.batch.customPrefix, QString());
    EXPECT_EQ(l.batch.saveFolder, QString());
    EXPECT_EQ(l.batch.sourceFolder, QString());
    EXPECT_FALSE(l.batch.cropSound);
    EXPECT_FALSE(l.batch.keepSettings);
    EXPECT_EQ(l.fast.fastNamingMode, QStringLiteral("根据拍照时间命名  如：2022-1-10 11-45-23"));
    EXPECT_EQ(l.fast.fastExtension, QStringLiteral(".JPG"));
    EXPECT_FALSE(l.fast.fastShutterSound);
    EXPECT_FALSE(l.fast.keepFastSettings);
    EXPECT_EQ(l.camera.chosenDevice, QString());
}

TEST(LoadSettings, ReadsEveryKeptValue)
{
    TempFolder folder;
    const QString f = folder.path();
    WriteSetting(f, kBatchSection, SettingKey::naming, QStringLiteral("3"));
    WriteSetting(f, kBatchSection, SettingKey::customPrefix, QStringLiteral("初一"));
    WriteSetting(f, kBatchSection, SettingKey::format, QStringLiteral(".PNG"));
    WriteSetting(f, kBatchSection, SettingKey::saveFolder, QStringLiteral("/照片/输出"));
    WriteSetting(f, kBatchSection, SettingKey::sourceFolder, QStringLiteral("/照片/原图"));
    WriteSetting(f, kBatchSection, SettingKey::cropSound, QStringLiteral("真"));
    WriteSetting(f, kBatchSection, SettingKey::keep, QStringLiteral("真"));
    WriteSetting(f, kFastSection, SettingKey::naming, QStringLiteral("4"));
    WriteSetting(f, kFastSection, SettingKey::customPrefix, QStringLiteral("高二"));
    WriteSetting(f, kFastSection, SettingKey::format, QStringLiteral(".BMP"));
    WriteSetting(f, kFastSection, SettingKey::saveFolder, QStringLiteral("/速拍"));
    WriteSetting(f, kFastSection, SettingKey::shutterSound, QStringLiteral("真"));
    WriteSetting(f, kFastSection, SettingKey::keep, QStringLiteral("真"));
    WriteSetting(f, kCameraSection, SettingKey::chosenCamera, QStringLiteral("USB2.0 HD UVC WebCam"));

    const Loaded l = load(folder);
    EXPECT_EQ(l.batch.namingIndex, 3);
    EXPECT_EQ(l.batch.namingText, QStringLiteral("自定义：如XXX 输出名称为XXX0001  XXX0002"));
    EXPECT_EQ(l.batch.customPrefix, QStringLiteral("初一"));
    EXPECT_EQ(l.batch.outputExtension, QStringLiteral(".PNG"));
    EXPECT_EQ(l.batch.saveFolder, QStringLiteral("/照片/输出"));
    EXPECT_EQ(l.batch.sourceFolder, QStringLiteral("/照片/原图"));
    EXPECT_TRUE(l.batch.cropSound);
    EXPECT_TRUE(l.batch.keepSettings);
    EXPECT_EQ(l.fast.fastNamingMode, QStringLiteral("导入EXCEL，按选中单元格内文字命名"));
    EXPECT_EQ(l.fast.fastCustomPrefix, QStringLiteral("高二"));
    EXPECT_EQ(l.fast.fastExtension, QStringLiteral(".BMP"));
    EXPECT_EQ(l.fast.fastSaveDir, QStringLiteral("/速拍"));
    EXPECT_TRUE(l.fast.fastShutterSound);
    EXPECT_TRUE(l.fast.keepFastSettings);
    EXPECT_EQ(l.camera.chosenDevice, QStringLiteral("USB2.0 HD UVC WebCam"));
    // The key as it stands in the file.
    EXPECT_EQ(readIniValue(QDir(f).filePath(QStringLiteral("set.dll")), QStringLiteral("摄像头"),
                           QStringLiteral("所选设备")),
              QStringLiteral("USB2.0 HD UVC WebCam"));
}

TEST(LoadSettings, EmptyFormatLoadsAsJpeg)
{
    TempFolder folder;
    WriteSetting(folder.path(), kBatchSection, SettingKey::format, QString());
    WriteSetting(folder.path(), kFastSection, SettingKey::format, QString());
    const Loaded l = load(folder);
    EXPECT_EQ(l.batch.outputExtension, QStringLiteral(".JPG"));
    EXPECT_EQ(l.fast.fastExtension, QStringLiteral(".JPG"));
}

TEST(LoadSettings, OnlyTheTrueCharacterIsTrue)
{
    for (const char* text : {"1", "true", "True", "是", " 真x"}) {
        TempFolder folder;
        WriteSetting(folder.path(), kBatchSection, SettingKey::cropSound, QString::fromUtf8(text));
        WriteSetting(folder.path(), kFastSection, SettingKey::keep, QString::fromUtf8(text));
        const Loaded l = load(folder);
        EXPECT_FALSE(l.batch.cropSound) << text;
        EXPECT_FALSE(l.fast.keepFastSettings) << text;
    }
}

struct SchemeCase {
    const char* stored;
    int batchIndex;
    int fastIndex;
    friend void PrintTo(const SchemeCase& c, std::ostream* os) { *os << '"' << c.stored << '"'; }
};

class StoredSchemeTest : public ::testing::TestWithParam<SchemeCase> {};

TEST_P(StoredSchemeTest, LoadsTheSchemeOrTheFirstOne)
{
    const SchemeCase& c = GetParam();
    TempFolder folder;
    WriteSetting(folder.path(), kBatchSection, SettingKey::naming, QString::fromUtf8(c.stored));
    WriteSetting(folder.path(), kFastSection, SettingKey::naming, QString::fromUtf8(c.stored));
    const Loaded l = load(folder);
    EXPECT_EQ(l.batch.namingIndex, c.batchIndex) << c.stored;
    EXPECT_EQ(l.batch.namingText, schemeAt(batchNamingSchemes(), c.batchIndex)) << c.stored;
    EXPECT_EQ(l.fast.fastNamingMode, schemeAt(fastNamingSchemes(), c.fastIndex)) << c.stored;
}

INSTANTIATE_TEST_SUITE_P(Cases, StoredSchemeTest,
                         ::testing::Values(SchemeCase{"5", 5, 0}, SchemeCase{"4", 4, 4},
                                           SchemeCase{"2.9", 2, 2}, SchemeCase{"6", 0, 0},
                                           SchemeCase{"-1", 0, 0}, SchemeCase{"abc", 0, 0},
                                           SchemeCase{"99999999999", 0, 0}));

TEST(LoadSettings, AnUnusableSettingsFileLoadsTheDefaults)
{
    const QList<QByteArray> files = {
        QByteArray(),
        QByteArray("\x00\x01\x02[\xff\xfe\x80=\x00]", 10),
        QByteArray("[批量截图"),
        QByteArray("=\n==\n[]\n[\n]=\n"),
    };
    for (const QByteArray& bytes : files) {
        TempFolder folder;
        folder.write(kSettingsFileName, bytes);
        const Loaded l = load(folder);
        EXPECT_EQ(l.batch.namingIndex, 0);
        EXPECT_EQ(l.batch.outputExtension, QStringLiteral(".JPG"));
        EXPECT_EQ(l.fast.fastExtension, QStringLiteral(".JPG"));
        EXPECT_FALSE(l.batch.keepSettings);
    }
}

TEST(LoadSettings, AKeptRunForgottenWithEmptyValuesLoadsLikeAFirstStart)
{
    TempFolder folder;
    for (const QString& key : {SettingKey::naming, SettingKey::customPrefix, SettingKey::format,
                               SettingKey::saveFolder, SettingKey::sourceFolder, SettingKey::cropSound,
                               SettingKey::keep, SettingKey::width, SettingKey::height, SettingKey::jpegSize})
        WriteSetting(folder.path(), kBatchSection, key, QString());
    const Loaded l = load(folder);
    EXPECT_EQ(l.batch.namingIndex, 0);
    EXPECT_EQ(l.batch.outputExtension, QStringLiteral(".JPG"));
    EXPECT_FALSE(l.batch.keepSettings);
}

// An ini file too large to be read whole: real settings, then a long comment.
QByteArray oversizedIni()
{
    QByteArray bytes = encodeGb18030(QStringLiteral("[批量截图]\r\n保存目录=/照片/输出\r\n;"));
    bytes.append(QByteArray(5 * 1024 * 1024, 'x'));
    return bytes;
}

TEST(KeptSettingsFile, NoSettingsWriteReplacesASetDllThatCouldNotBeReadWhole)
{
    const QList<std::pair<const char*, std::function<bool(const QString&)>>> writes = {
        {"one key",
         [](const QString& folder) {
             return WriteSetting(folder, kBatchSection, SettingKey::naming, QStringLiteral("3"));
         }},
        {"several keys",
         [](const QString& folder) {
             return WriteSettings(folder, kFastSection,
                                  {{SettingKey::naming, QStringLiteral("1")}, {SettingKey::keep, kTrueText}});
         }},
    };
    const QByteArray kept = oversizedIni();
    for (const auto& [name, write] : writes) {
        TempFolder folder;
        folder.write(kSettingsFileName, kept);
        EXPECT_FALSE(write(folder.path())) << name;
        EXPECT_TRUE(folder.read(kSettingsFileName) == kept) << name;
    }
}

// A settings folder and the user who is told about kept files.
class KeptSettingsFileNoticeTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return QDir(folder_.path()).absoluteFilePath(name); }
    QStringList toldTexts() const
    {
        QStringList texts;
        for (const ShownMessage& message : dialogs_.messages)
            texts.append(message.text);
        return texts;
    }
    bool writeSetDll() const
    {
        return WriteSetting(folder_.path(), kBatchSection, SettingKey::customPrefix, QStringLiteral("初一"));
    }

    TempFolder folder_;
    FakeDialogs dialogs_;
};

TEST_F(KeptSettingsFileNoticeTest, TellsOnceARunForEachKeptFile)
{
    folder_.write(kSettingsFileName, oversizedIni());
    folder_.write(kTaskFileName, oversizedIni());
    KeptSettingsFileNotice notice(dialogs_);
    notice.checkSettingsFolder(folder_.path(), {kTaskFileName});
    EXPECT_FALSE(writeSetDll());
    EXPECT_FALSE(writeSetDll());
    CreateTaskFile(TaskFilePath(folder_.path()), {QStringLiteral("a.jpg")});
    notice.checkSettingsFolder(folder_.path(), {kTaskFileName});

    EXPECT_EQ(toldTexts(), (QStringList{KeptSettingsFileMessage(path(kSettingsFileName)),
                                        KeptSettingsFileMessage(path(kTaskFileName))}));
    ASSERT_FALSE(dialogs_.messages.isEmpty());
    const ShownMessage& first = dialogs_.messages.front();
    EXPECT_EQ(first.title, QStringLiteral("提示"));
    EXPECT_EQ(first.text, QStringLiteral("设置文件“") + QDir::toNativeSeparators(path(kSettingsFileName)) +
                              QStringLiteral("”无法完整读取，为免丢失其中的设置，本次运行不会改写它。"));
    EXPECT_EQ(first.icon, MessageIcon::Warning);
    EXPECT_EQ(first.buttons, MessageButtons::Ok);
}

TEST_F(KeptSettingsFileNoticeTest, TellsAtTheFirstWriteLeftUndoneWhenStartUpFoundNothingWrong)
{
    KeptSettingsFileNotice notice(dialogs_);
    notice.checkSettingsFolder(folder_.path(), {kTaskFileName});
    ASSERT_TRUE(writeSetDll());
    EXPECT_TRUE(dialogs_.messages.isEmpty());

    // Another program makes set.dll too large while this one runs.
    folder_.write(kSettingsFileName, oversizedIni());
    EXPECT_FALSE(writeSetDll());
    EXPECT_FALSE(writeSetDll());
    EXPECT_EQ(toldTexts(), QStringList{KeptSettingsFileMessage(path(kSettingsFileName))});
}

TEST_F(KeptSettingsFileNoticeTest, ANoticeTellsOnlyWhileItExists)
{
    folder_.write(kSettingsFileName, oversizedIni());
    FakeDialogs lastingUser;
    KeptSettingsFileNotice lasting(lastingUser);
    {
        KeptSettingsFileNotice passing(dialogs_);
        EXPECT_FALSE(writeSetDll());
    }
    folder_.write(kTaskFileName, oversizedIni());
    CreateTaskFile(TaskFilePath(folder_.path()), {QStringLiteral("a.jpg")});
    EXPECT_EQ(toldTexts(), QStringList{KeptSettingsFileMessage(path(kSettingsFileName))});
    EXPECT_EQ(lastingUser.messages.size(), 2);
}

// The settings folder and the two save folders set.dll names, each holding
// temporaries a killed write left and files that only look like them.
class InterruptedWritesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(WriteSetting(settings_.path(), kBatchSection, SettingKey::saveFolder, batch_.path()));
        ASSERT_TRUE(WriteSetting(settings_.path(), kFastSection, SettingKey::saveFolder, fast_.path()));
        for (const char* name : {"set.dll.AbCdEf", "批截任务.ini.QwErTy", "临时C.jpg.ZxCvBn", "notes.txt.AbCdEf",
                                 "set.dll.Ab12Ef"})
            settings_.write(QString::fromUtf8(name), "part");
        for (const char* name : {"张三.JPG.AbCdEf", "a.png.QwErTy", "b.jpeg.AsDfGh", "set.dll.AbCdEf", "a.png"})
            batch_.write(QString::fromUtf8(name), "part");
        for (const char* name : {"2023-12-5 9-7-3.bmp.AbCdEf", "c.gif.QwErTy", "c.txt.QwErTy"})
            fast_.write(QString::fromUtf8(name), "part");
    }
    static QStringList names(const TempFolder& folder)
    {
        QStringList list = QDir(folder.path()).entryList(QDir::Files);
        list.sort();
        return list;
    }

    TempFolder settings_;
    TempFolder batch_;
    TempFolder fast_;
};

TEST_F(InterruptedWritesTest, RemovesTheStaleTemporariesOfTheProgramsOwnFiles)
{
    RemoveInterruptedWrites(settings_.path(), {kTaskFileName}, QDateTime::currentDateTime().addSecs(120));
    EXPECT_EQ(names(settings_), (QStringList{QStringLiteral("notes.txt.AbCdEf"), QStringLiteral("set.dll"),
                                             QStringLiteral("set.dll.Ab12Ef")}));
    EXPECT_EQ(names(batch_), (QStringList{QStringLiteral("a.png"), QStringLiteral("set.dll.AbCdEf")}));
    EXPECT_EQ(names(fast_), QStringList{QStringLiteral("c.txt.QwErTy")});
}

TEST_F(InterruptedWritesTest, LeavesTemporariesWrittenInTheLastMinute)
{
    const QStringList before[] = {names(settings_), names(batch_), names(fast_)};
    RemoveInterruptedWrites(settings_.path(), {kTaskFileName}, QDateTime::currentDateTime().addSecs(30));
    EXPECT_EQ(names(settings_), before[0]);
    EXPECT_EQ(names(batch_), before[1]);
    EXPECT_EQ(names(fast_), before[2]);
}

} // namespace
