#include "app/settings.h"
#include "naming/naming_schemes.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

struct Loaded {
    BatchCropSettings batch;
    FastCaptureSettings fast;
};

Loaded load(const TempFolder& folder)
{
    Loaded l;
    l.batch.outputExtension = QStringLiteral("unset");
    LoadSettings(folder.path(), l.batch, l.fast);
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

} // namespace
