#include "naming/batch_settings_checks.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

const QString kSourceMissing = QStringLiteral("待截图目录不存在，无法对其图片进行批量截图。");
const QString kSaveMissing = QStringLiteral("请设置正确的图片保存目录。");
const QString kBlankPrefix = QStringLiteral("自定义命名不能为空。");
const QString kSameFolder =
    QStringLiteral("待截图文件夹不可再用于保存截图，请换一个文件夹保存截图。");

// A root with the folders src, src/sub and out, a file and a symbolic link to src.
class BatchSettingsChecksTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir root(folder.path());
        ASSERT_TRUE(root.mkpath(QStringLiteral("src/sub")));
        ASSERT_TRUE(root.mkpath(QStringLiteral("out")));
        folder.write(QStringLiteral("afile"), "x");
        ASSERT_TRUE(QFile::link(folder.file(QStringLiteral("src")), folder.file(QStringLiteral("link"))));
    }

    // "{root}" in a table text stands for the temporary folder.
    QString at(const char* text) const
    {
        return QString::fromUtf8(text).replace(QStringLiteral("{root}"), folder.path());
    }

    TempFolder folder;
};

TEST_F(BatchSettingsChecksTest, RefusesInOrderAndPassesGoodSettings)
{
    struct Case {
        const char* what;
        const char* source;
        const char* save;
        bool custom;
        const char* naming;
        const QString* message; // nullptr: the settings pass
        bool focusNaming;
        bool clearSave;
    };
    const Case cases[] = {
        {"both folders missing", "{root}/none", "{root}/none2", false, "", &kSourceMissing, false, false},
        {"source missing", "{root}/none/", "{root}/out", false, "", &kSourceMissing, false, false},
        {"source is a file", "{root}/afile", "{root}/out", false, "", &kSourceMissing, false, false},
        {"source empty", "", "{root}/out", false, "", &kSourceMissing, false, false},
        {"save missing", "{root}/src/", "{root}/none/", false, "", &kSaveMissing, false, false},
        {"save is a file", "{root}/src", "{root}/afile", false, "", &kSaveMissing, false, false},
        {"save empty", "{root}/src", "", false, "", &kSaveMissing, false, false},
        {"blank before same", "{root}/src", "{root}/src", true, "", &kBlankPrefix, true, false},
        {"ascii spaces", "{root}/src", "{root}/out", true, "   ", &kBlankPrefix, true, false},
        {"full-width spaces", "{root}/src", "{root}/out", true, "\u3000\u3000", &kBlankPrefix, true, false},
        {"mixed spaces", "{root}/src", "{root}/out", true, " \u3000 ", &kBlankPrefix, true, false},
        {"same text", "{root}/src", "{root}/src", false, "", &kSameFolder, false, true},
        {"trailing separator", "{root}/src/", "{root}/src", false, "", &kSameFolder, false, true},
        {"dot-dot", "{root}/src", "{root}/out/../src/", false, "", &kSameFolder, false, true},
        {"symbolic link", "{root}/src/", "{root}/link/", false, "", &kSameFolder, false, true},
        {"subfolder of source", "{root}/src/", "{root}/src/sub/", false, "", nullptr, false, false},
        {"other scheme, empty box", "{root}/src/", "{root}/out/", false, "", nullptr, false, false},
        {"custom with a prefix", "{root}/src", "{root}/out", true, "\u3000甲 ", nullptr, false, false},
    };
    for (const Case& c : cases) {
        const auto refusal = CheckBatchSettings(
            {at(c.source), at(c.save), c.custom, QString::fromUtf8(c.naming)});
        if (!c.message) {
            EXPECT_FALSE(refusal.has_value()) << c.what << ": " << refusal->message.toStdString();
            continue;
        }
        ASSERT_TRUE(refusal.has_value()) << c.what;
        EXPECT_EQ(refusal->message, *c.message) << c.what;
        EXPECT_EQ(refusal->focusNamingBox, c.focusNaming) << c.what;
        EXPECT_EQ(refusal->clearSaveBox, c.clearSave) << c.what;
    }
}

TEST_F(BatchSettingsChecksTest, FastSettingsRefuseAMissingFolderThenABlankPrefix)
{
    struct Case {
        const char* what;
        const char* save;
        bool custom;
        const char* naming;
        const QString* message; // nullptr: the settings pass
    };
    const Case cases[] = {
        {"missing", "{root}/none", false, "", &kSaveMissing},
        {"missing with separator", "{root}/none/", false, "", &kSaveMissing},
        {"a file", "{root}/afile", false, "", &kSaveMissing},
        {"empty", "", false, "", &kSaveMissing},
        {"folder before prefix", "{root}/none", true, "", &kSaveMissing},
        {"empty prefix", "{root}/out", true, "", &kBlankPrefix},
        {"ascii and full-width spaces", "{root}/out/", true, " 　	", &kBlankPrefix},
        {"other scheme, empty box", "{root}/out", false, "", nullptr},
        {"symbolic link", "{root}/link/", false, "", nullptr},
        {"custom with a prefix", "{root}/out", true, " 甲 乙 ", nullptr},
    };
    for (const Case& c : cases) {
        const auto refusal = CheckFastSettings(at(c.save), c.custom, QString::fromUtf8(c.naming));
        if (!c.message) {
            EXPECT_FALSE(refusal.has_value()) << c.what << ": " << refusal->message.toStdString();
            continue;
        }
        ASSERT_TRUE(refusal.has_value()) << c.what;
        EXPECT_EQ(refusal->message, *c.message) << c.what;
        EXPECT_EQ(refusal->focusNamingBox, c.message == &kBlankPrefix) << c.what;
        EXPECT_FALSE(refusal->clearSaveBox) << c.what;
    }
}

TEST_F(BatchSettingsChecksTest, SameFolderResolvesExistingFoldersAndCleansMissingOnes)
{
    struct Case {
        const char* a;
        const char* b;
        bool same;
    };
    const Case cases[] = {
        {"{root}/src", "{root}/src/", true},
        {"{root}/src/sub/..", "{root}/src", true},
        {"{root}/link", "{root}/src", true},
        {"{root}/src", "{root}/out", false},
        {"{root}/src", "{root}/src/sub", false},
        {"{root}/src", "{root}/missing", false},
        {"/no/such/a/", "/no/such/a", true},
        {"/no/such/x/../a", "/no/such/a", true},
        {"/no/such/a", "/no/such/b", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SameFolder(at(c.a), at(c.b)), c.same) << c.a << " vs " << c.b;
        EXPECT_EQ(SameFolder(at(c.b), at(c.a)), c.same) << c.b << " vs " << c.a;
    }
}

TEST(StoredFolderText, RemovesOneTrailingSeparatorButKeepsTheRoot)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/a/b/", "/a/b"}, {"/a/b//", "/a/b/"}, {"/a/b", "/a/b"},     {"/", "/"},
        {"", ""},          {"C:\\a\\", "C:\\a"}, {"照片\\", "照片"},
    };
    for (const auto& [box, stored] : cases)
        EXPECT_EQ(StoredFolderText(QString::fromUtf8(box)), QString::fromUtf8(stored)) << box;
}

TEST(TrimmedPrefix, RemovesAsciiAndFullWidthSpacesAtBothEndsOnly)
{
    const std::pair<const char*, const char*> cases[] = {
        {"甲", "甲"},
        {"  甲乙  ", "甲乙"},
        {"\u3000甲\u3000", "甲"},
        {" \u3000甲 乙\u3000丙 \u3000", "甲 乙\u3000丙"},
        {" \u3000 ", ""},
        {"", ""},
    };
    for (const auto& [text, kept] : cases)
        EXPECT_EQ(TrimmedPrefix(QString::fromUtf8(text)), QString::fromUtf8(kept)) << text;
}

} // namespace
