#include "naming/kept_settings.h"

#include "state/naming_schemes.h"

#include <gtest/gtest.h>

namespace {

TEST(BatchSettingsToKeep, KeptSettingsAndForgottenOnes)
{
    BatchCropSettings s;
    s.namingIndex = 3;
    s.customPrefix = QStringLiteral("初一2班");
    s.outputExtension = QStringLiteral(".JPG");
    s.saveFolder = QStringLiteral("/out");
    s.sourceFolder = QStringLiteral("/in");
    s.cropSound = true;
    const FrameBoxTexts boxes{QStringLiteral("295"), QStringLiteral("413"), QStringLiteral("40")};

    const auto kept = BatchSettingsToKeep(s, true, boxes);
    const QList<QPair<QString, QString>> expected = {
        {QStringLiteral("命名方式"), QStringLiteral("3")},   {QStringLiteral("自定义命名"), QStringLiteral("初一2班")},
        {QStringLiteral("保存格式"), QStringLiteral(".JPG")}, {QStringLiteral("保存目录"), QStringLiteral("/out")},
        {QStringLiteral("待截图目录"), QStringLiteral("/in")}, {QStringLiteral("发裁切声"), QStringLiteral("真")},
        {QStringLiteral("是否保存设置"), QStringLiteral("真")}, {QStringLiteral("像素宽"), QStringLiteral("295")},
        {QStringLiteral("像素高"), QStringLiteral("413")},    {QStringLiteral("JPG体积"), QStringLiteral("40")},
    };
    EXPECT_EQ(kept, expected);

    s.outputExtension = QStringLiteral(".PNG");
    s.cropSound = false;
    const auto png = BatchSettingsToKeep(s, true, boxes);
    EXPECT_EQ(png[5].second, QString());
    EXPECT_EQ(png[9].second, QString()); // the JPEG limit is kept for JPEG only

    const auto forgotten = BatchSettingsToKeep(s, false, boxes);
    ASSERT_EQ(forgotten.size(), 10);
    for (int i = 0; i < forgotten.size(); ++i) {
        EXPECT_EQ(forgotten[i].first, expected[i].first);
        EXPECT_TRUE(forgotten[i].second.isEmpty()) << forgotten[i].first.toStdString();
    }
}

TEST(FastSettingsToKeep, KeptSettingsAndForgottenOnes)
{
    FastCaptureSettings f;
    f.fastNamingMode = fastNamingSchemes()[2];
    f.fastCustomPrefix = QStringLiteral("高二 3班");
    f.fastExtension = QStringLiteral(".JPG");
    f.fastSaveDir = QStringLiteral("/速拍");
    f.fastShutterSound = true;
    const FrameBoxTexts boxes{QStringLiteral("358"), QStringLiteral("441"), QStringLiteral("30")};

    const QList<QPair<QString, QString>> expected = {
        {QStringLiteral("命名方式"), QStringLiteral("2")},    {QStringLiteral("自定义命名"), QStringLiteral("高二 3班")},
        {QStringLiteral("保存格式"), QStringLiteral(".JPG")}, {QStringLiteral("保存目录"), QStringLiteral("/速拍")},
        {QStringLiteral("发快门声"), QStringLiteral("真")},   {QStringLiteral("是否保存设置"), QStringLiteral("真")},
        {QStringLiteral("像素宽"), QStringLiteral("358")},    {QStringLiteral("像素高"), QStringLiteral("441")},
        {QStringLiteral("JPG体积"), QStringLiteral("30")},
    };
    EXPECT_EQ(FastSettingsToKeep(f, true, boxes), expected);

    // The scheme is kept as its position; a text that is no scheme as the first.
    const std::pair<QString, const char*> schemes[] = {
        {fastNamingSchemes()[0], "0"},
        {fastNamingSchemes()[4], "4"},
        {QStringLiteral("无此命名方式"), "0"},
    };
    for (const auto& [text, stored] : schemes) {
        f.fastNamingMode = text;
        EXPECT_EQ(FastSettingsToKeep(f, true, boxes)[0].second, QString::fromUtf8(stored))
            << text.toStdString();
    }

    // The JPEG limit is kept for JPEG only.
    for (const char* extension : {".BMP", ".GIF", ".PNG"}) {
        f.fastExtension = QString::fromUtf8(extension);
        const auto other = FastSettingsToKeep(f, true, boxes);
        EXPECT_EQ(other[2].second, QString::fromUtf8(extension));
        EXPECT_EQ(other[8].second, QString()) << extension;
    }

    f.fastShutterSound = false;
    EXPECT_EQ(FastSettingsToKeep(f, true, boxes)[4].second, QString());

    f.fastShutterSound = true;
    f.fastExtension = QStringLiteral(".JPG");
    const auto forgotten = FastSettingsToKeep(f, false, boxes);
    ASSERT_EQ(forgotten.size(), 9);
    for (int i = 0; i < forgotten.size(); ++i) {
        EXPECT_EQ(forgotten[i].first, expected[i].first);
        EXPECT_TRUE(forgotten[i].second.isEmpty()) << forgotten[i].first.toStdString();
    }
}

} // namespace
