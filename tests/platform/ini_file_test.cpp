#include "platform/ini_file.h"
#include "platform/text_encoding.h"
#include "support/temp_folder.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

const QString kContent = QStringLiteral(
    "[批量截图]\r\n"
    "命名方式=3\r\n"
    "  自定义命名 =  三年级  \r\n"
    "\r\n"
    "[Other]\r\n"
    "Key=value\r\n");

struct ReadCase {
    const char* name;
    QString section;
    QString key;
    QString expected;
    friend void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }
};

class IniReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniReadTest, ReadsLikeTheWindowsProfileFunctions)
{
    const ReadCase& c = GetParam();
    EXPECT_EQ(iniValue(kContent, c.section, c.key), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniReadTest,
    ::testing::Values(
        ReadCase{"plain key", QStringLiteral("批量截图"), QStringLiteral("命名方式"), QStringLiteral("3")},
        ReadCase{"blanks around name and value", QStringLiteral("批量截图"), QStringLiteral("自定义命名"),
                 QStringLiteral("三年级")},
        ReadCase{"section and key case", QStringLiteral("OTHER"), QStringLiteral("kEY"), QStringLiteral("value")},
        ReadCase{"key of another section", QStringLiteral("批量截图"), QStringLiteral("Key"), QString()},
        ReadCase{"missing section", QStringLiteral("批量速拍"), QStringLiteral("命名方式"), QString()},
        ReadCase{"missing key", QStringLiteral("Other"), QStringLiteral("none"), QString()}));

TEST(IniWrite, ReplacesAnExistingValueAndKeepsEveryOtherLine)
{
    const QString updated = iniWithValue(kContent, QStringLiteral("批量截图"), QStringLiteral("命名方式"),
                                         QStringLiteral("5"));
    EXPECT_EQ(updated, QStringLiteral("[批量截图]\r\n"
                                      "命名方式=5\r\n"
                                      "  自定义命名 =  三年级  \r\n"
                                      "\r\n"
                                      "[Other]\r\n"
                                      "Key=value\r\n"));
}

TEST(IniWrite, AddsANewKeyAfterTheLastLineOfItsSection)
{
    const QString updated = iniWithValue(kContent, QStringLiteral("批量截图"), QStringLiteral("保存格式"),
                                         QStringLiteral(".PNG"));
    EXPECT_EQ(updated, QStringLiteral("[批量截图]\r\n"
                                      "命名方式=3\r\n"
                                      "  自定义命名 =  三年级  \r\n"
                                      "保存格式=.PNG\r\n"
                                      "\r\n"
                                      "[Other]\r\n"
                                      "Key=value\r\n"));
}

TEST(IniWrite, AddsAMissingSectionAtTheEnd)
{
    EXPECT_EQ(iniWithValue(QString(), QStringLiteral("批量速拍"), QStringLiteral("命名方式"), QString()),
              QStringLiteral("[批量速拍]\r\n命名方式=\r\n"));
}

TEST(IniFile, ReadsOtherLineEndings)
{
    for (const char* ending : {"\n", "\r", "\r\n"}) {
        const QString content = QStringLiteral("[a]%1k=v%1[b]%1k=w%1").arg(QLatin1String(ending));
        EXPECT_EQ(iniValue(content, QStringLiteral("a"), QStringLiteral("k")), QStringLiteral("v"));
        EXPECT_EQ(iniValue(content, QStringLiteral("b"), QStringLiteral("k")), QStringLiteral("w"));
    }
}

TEST(IniFile, ReadsAFileWrittenInGbkByAnotherProgram)
{
    TempFolder folder;
    // "[批量截图]\r\n自定义命名=三年级二班\r\n保存目录=D:\照片\初一\r\n" as GBK bytes.
    folder.write(QStringLiteral("set.dll"),
                 QByteArray::fromHex("5bc5fac1bfbdd8cdbc5d0d0ad7d4b6a8d2e5c3fcc3fb3dc8fdc4eabcb6b6feb0e00d0a"
                                     "b1a3b4e6c4bfc2bc3d443a5cd5d5c6ac5cb3f5d2bb0d0a"));
    const QString path = folder.file(QStringLiteral("set.dll"));
    EXPECT_EQ(readIniValue(path, QStringLiteral("批量截图"), QStringLiteral("自定义命名")),
              QStringLiteral("三年级二班"));
    EXPECT_EQ(readIniValue(path, QStringLiteral("批量截图"), QStringLiteral("保存目录")),
              QStringLiteral("D:\\照片\\初一"));
}

TEST(IniFile, WritesGbkBytesForGbkTextAndKeepsTextOutsideGbk)
{
    TempFolder folder;
    const QString path = folder.file(QStringLiteral("set.dll"));
    ASSERT_TRUE(writeIniValue(path, QStringLiteral("批量截图"), QStringLiteral("自定义命名"),
                              QStringLiteral("三年级二班")));
    // The Windows build reads these bytes as GBK.
    EXPECT_EQ(folder.read(QStringLiteral("set.dll")),
              QByteArray::fromHex("5bc5fac1bfbdd8cdbc5d0d0ad7d4b6a8d2e5c3fcc3fb3dc8fdc4eabcb6b6feb0e00d0a"));

    const QString beyondGbk = QStringLiteral("𠀀班😀 €");
    ASSERT_TRUE(writeIniValue(path, QStringLiteral("批量截图"), QStringLiteral("自定义命名"), beyondGbk));
    EXPECT_EQ(readIniValue(path, QStringLiteral("批量截图"), QStringLiteral("自定义命名")), beyondGbk);
}

TEST(IniFile, MissingUnreadableOrGarbageFilesReadAsEmpty)
{
    TempFolder folder;
    EXPECT_EQ(readIniValue(folder.file(QStringLiteral("none.ini")), QStringLiteral("a"), QStringLiteral("k")),
              QString());
    // A folder where the file should be.
    QDir(folder.path()).mkdir(QStringLiteral("dir.ini"));
    EXPECT_EQ(readIniValue(folder.file(QStringLiteral("dir.ini")), QStringLiteral("a"), QStringLiteral("k")),
              QString());

    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(static_cast<char>((i * 7919) % 256));
    folder.write(QStringLiteral("garbage.ini"), garbage);
    EXPECT_EQ(readIniValue(folder.file(QStringLiteral("garbage.ini")), QStringLiteral("批量截图"),
                           QStringLiteral("命名方式")),
              QString());
}

TEST(IniFile, AWriteCreatesTheFileAndLeavesNoTemporaryFileBehind)
{
    TempFolder folder;
    const QString path = folder.file(QStringLiteral("set.dll"));
    ASSERT_TRUE(writeIniValue(path, QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("1")));
    ASSERT_TRUE(writeIniValue(path, QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("2")));
    EXPECT_EQ(readIniValue(path, QStringLiteral("a"), QStringLiteral("k")), QStringLiteral("2"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("set.dll")});
}

TEST(IniFile, AFailedWriteReportsFailureAndChangesNothing)
{
    TempFolder folder;
    const QString path = folder.file(QStringLiteral("missing-folder/set.dll"));
    EXPECT_FALSE(writeIniValue(path, QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("1")));
    EXPECT_FALSE(QFile::exists(path));
}

TEST(IniFile, HonoursAByteOrderMark)
{
    TempFolder folder;
    folder.write(QStringLiteral("utf8.ini"), QByteArray("\xEF\xBB\xBF") + QStringLiteral("[节]\nk=值\n").toUtf8());
    EXPECT_EQ(readIniValue(folder.file(QStringLiteral("utf8.ini")), QStringLiteral("节"), QStringLiteral("k")),
              QStringLiteral("值"));
}

} // namespace
