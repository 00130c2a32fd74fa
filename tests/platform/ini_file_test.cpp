#include "platform/ini_file.h"
#include "platform/text_encoding.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <unistd.h>

#include <memory>

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

// A folder, and the paths of the writes left undone that a listener hears of.
class KeptIniFileTest : public ::testing::Test {
protected:
    // Tries both kinds of write on the file and checks that it is left as it was.
    void expectKept(const QString& name) const
    {
        const QString path = folder_.file(name);
        const QByteArray before = folder_.read(name);
        EXPECT_TRUE(iniFileIsKept(path)) << name.toStdString();
        EXPECT_FALSE(writeIniValue(path, QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("1")));
        EXPECT_FALSE(writeIniValues(path, {{QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("2")}}));
        EXPECT_TRUE(folder_.read(name) == before) << name.toStdString();
    }

    TempFolder folder_;
    QStringList heard_;
    KeptIniFileListener listener_{[this](const QString& path) { heard_.append(path); }};
};

TEST_F(KeptIniFileTest, AFileTooLargeToBeReadWholeIsNeverWrittenOver)
{
    QByteArray large = QByteArray("[a]\r\nk=0\r\nother=kept\r\n;");
    large.append(QByteArray(4 * 1024 * 1024, 'x'));
    folder_.write(QStringLiteral("large.ini"), large);
    EXPECT_EQ(readIniValue(folder_.file(QStringLiteral("large.ini")), QStringLiteral("a"), QStringLiteral("k")),
              QString());
    expectKept(QStringLiteral("large.ini"));
    EXPECT_EQ(heard_, QStringList(2, folder_.file(QStringLiteral("large.ini"))));
}

TEST_F(KeptIniFileTest, OnlyListenersThatStillExistHear)
{
    QByteArray large(4 * 1024 * 1024 + 1, ';');
    folder_.write(QStringLiteral("large.ini"), large);
    const QString path = folder_.file(QStringLiteral("large.ini"));
    QStringList heardByOthers;
    auto first = std::make_unique<KeptIniFileListener>([&](const QString& p) { heardByOthers.append(p); });
    const KeptIniFileListener second([&](const QString& p) { heardByOthers.append(p); });
    EXPECT_FALSE(writeIniValue(path, QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("1")));
    first.reset();  // not in the order made
    EXPECT_FALSE(writeIniValue(path, QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("2")));
    EXPECT_EQ(heardByOthers, QStringList(3, path));
    EXPECT_EQ(heard_, QStringList(2, path));
}

TEST_F(KeptIniFileTest, AFileThatCannotBeOpenedForReadingIsNeverWrittenOver)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser reads files whatever their permissions";
    folder_.write(QStringLiteral("locked.ini"), "[a]\r\nk=0\r\n");
    ASSERT_TRUE(QFile::setPermissions(folder_.file(QStringLiteral("locked.ini")), QFileDevice::WriteOwner));
    expectKept(QStringLiteral("locked.ini"));
    QFile::setPermissions(folder_.file(QStringLiteral("locked.ini")), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(folder_.read(QStringLiteral("locked.ini")), QByteArray("[a]\r\nk=0\r\n"));
}

TEST_F(KeptIniFileTest, MissingAndReadableFilesAreWrittenAsBefore)
{
    QByteArray atTheBound = QByteArray("[a]\r\nk=0\r\n;");
    atTheBound.append(QByteArray(4 * 1024 * 1024 - atTheBound.size() - 2, 'x')).append("\r\n");
    folder_.write(QStringLiteral("bound.ini"), atTheBound);
    for (const QString& name : {QStringLiteral("missing.ini"), QStringLiteral("bound.ini")}) {
        const QString path = folder_.file(name);
        EXPECT_FALSE(iniFileIsKept(path)) << name.toStdString();
        EXPECT_TRUE(writeIniValue(path, QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("1")));
        EXPECT_EQ(readIniValue(path, QStringLiteral("a"), QStringLiteral("k")), QStringLiteral("1"));
    }
    EXPECT_TRUE(heard_.isEmpty());
}

TEST(IniFile, HonoursAByteOrderMark)
{
    TempFolder folder;
    folder.write(QStringLiteral("utf8.ini"), QByteArray("\xEF\xBB\xBF") + QStringLiteral("[节]\nk=值\n").toUtf8());
    EXPECT_EQ(readIniValue(folder.file(QStringLiteral("utf8.ini")), QStringLiteral("节"), QStringLiteral("k")),
              QStringLiteral("值"));
}

// iniWithValue for each write in turn: what the one-pass writes must give.
QString oneAfterAnother(QString content, const QList<IniWrite>& writes)
{
    for (const IniWrite& w : writes)
        content = iniWithValue(content, w.section, w.key, w.value);
    return content;
}

// Writes that meet every rule of where a line goes: replaced values, keys
// only in a later section of the same name, new sections written to again,
// names that differ only in case, blanks or folding, and texts that turn
// into more lines or into a section header.
const QList<IniWrite> kTrickyWrites = {
    {QStringLiteral("a"), QStringLiteral("x"), QStringLiteral("10")},
    {QStringLiteral("A"), QStringLiteral(" y "), QStringLiteral("20")},
    {QStringLiteral("a"), QStringLiteral("z"), QStringLiteral("30")},
    {QStringLiteral("a"), QStringLiteral("Z"), QStringLiteral("31")},
    {QStringLiteral("b"), QStringLiteral("k"), QStringLiteral("40")},
    {QStringLiteral("b"), QStringLiteral("new"), QStringLiteral("41")},
    {QStringLiteral("empty"), QStringLiteral("k"), QStringLiteral("50")},
    {QStringLiteral("new section"), QStringLiteral("k"), QStringLiteral("60")},
    {QStringLiteral("  NEW Section "), QStringLiteral("K"), QStringLiteral("61")},
    {QStringLiteral("\u212A"), QStringLiteral("x"), QStringLiteral("70")}, // Kelvin sign, folds to k
    {QStringLiteral("k"), QStringLiteral("x"), QStringLiteral("71")},
    {QStringLiteral("straße"), QStringLiteral("k"), QStringLiteral("72")},
    {QStringLiteral("STRASSE"), QStringLiteral("k"), QStringLiteral("73")},
    {QStringLiteral("ς"), QStringLiteral("k"), QStringLiteral("74")}, // final sigma, folds to σ
    {QStringLiteral("Σ"), QStringLiteral("k"), QStringLiteral("75")},
    {QStringLiteral("a"), QStringLiteral("x=y"), QStringLiteral("80")},
    {QStringLiteral("a"), QStringLiteral("x=y"), QStringLiteral("81")},
    {QStringLiteral("p]q"), QStringLiteral("k"), QStringLiteral("90")},
    {QStringLiteral("p"), QStringLiteral("k"), QStringLiteral("91")},
    {QStringLiteral("a"), QStringLiteral("[h]"), QStringLiteral("92")},
    {QStringLiteral("h"), QStringLiteral("k"), QStringLiteral("93")},
    {QStringLiteral("a"), QStringLiteral("lines"), QStringLiteral("one\ntwo=2\r\n[c]")},
    {QStringLiteral("c"), QStringLiteral("k"), QStringLiteral("94")},
    {QStringLiteral("a"), QStringLiteral("two"), QStringLiteral("95")},
    {QString(), QStringLiteral("k"), QStringLiteral("96")},
    {QStringLiteral("a"), QStringLiteral("empty"), QString()},
    {QStringLiteral("a"), QStringLiteral("x"), QStringLiteral("last")},
};

struct ManyWritesCase {
    const char* name;
    QString content;
    friend void PrintTo(const ManyWritesCase& c, std::ostream* os) { *os << c.name; }
};

class IniManyWritesTest : public ::testing::TestWithParam<ManyWritesCase> {};

TEST_P(IniManyWritesTest, GiveWhatOneWriteAfterAnotherGives)
{
    const ManyWritesCase& c = GetParam();
    for (qsizetype n = 0; n <= kTrickyWrites.size(); ++n) {
        const QList<IniWrite> writes = kTrickyWrites.first(n);
        EXPECT_EQ(iniWithValues(c.content, writes).toStdString(), oneAfterAnother(c.content, writes).toStdString())
            << c.name << ", after " << n << " writes";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniManyWritesTest,
    ::testing::Values(
        ManyWritesCase{"empty", QString()},
        ManyWritesCase{"blank lines, duplicate sections, a key only in the later one",
                       QStringLiteral("; before any section\r\n"
                                      "loose=1\r\n"
                                      "[a]\r\n"
                                      "x=1\r\n"
                                      "\r\n"
                                      "  y = 2 \r\n"
                                      "\r\n"
                                      "   \r\n"
                                      "[B]\r\n"
                                      "k=v\r\n"
                                      "[ A ]\r\n"
                                      "z=later\r\n"
                                      "x=dup\r\n"
                                      "[empty]\r\n"
                                      "\r\n"
                                      "[b]\r\n"
                                      "new=in the duplicate\r\n"
                                      "[K]\r\n"
                                      "\r\n")},
        ManyWritesCase{"other line ends and no final one", QStringLiteral("[a]\rx=1\n\n[b]\r\nk=v")},
        ManyWritesCase{"no section at all", QStringLiteral("just text\r\n\r\n")},
        ManyWritesCase{"lines that only look like headers or keys",
                       QStringLiteral("[a\r\nx=1\r\n[a]\r\n=no key\r\nx\r\n[]\r\nk=\r\n[p]x\r\n")}));

TEST(IniManyReads, GiveEachSectionOnceWithTheValueAReadGives)
{
    const QString content = QStringLiteral("k=before\r\n"
                                           "[a]\r\n"
                                           " K = 1 \r\n"
                                           "k=second\r\n"
                                           "[b]\r\n"
                                           "other=2\r\n"
                                           "[ A ]\r\n"
                                           "k=duplicate\r\n"
                                           "[c]\r\n"
                                           "\r\n"
                                           "k=3\r\n");
    const QList<IniSectionValue> values = iniSectionValues(content, QStringLiteral("k"));
    ASSERT_EQ(values.size(), 3);
    const QStringList sections = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    for (qsizetype i = 0; i < values.size(); ++i) {
        EXPECT_EQ(values[i].section, sections[i]);
        EXPECT_EQ(values[i].value, iniValue(content, sections[i], QStringLiteral("k"))) << sections[i].toStdString();
    }
    EXPECT_EQ(values[0].value, QStringLiteral("1"));
    EXPECT_EQ(values[1].value, QString());
}

TEST(IniFile, ManyWritesGiveTheBytesOfOneWriteAfterAnother)
{
    TempFolder folder;
    const QByteArray older = encodeGb18030(QStringLiteral("[批量截图]\n命名方式=3\n\n[其他]\n键=值\n"));
    folder.write(QStringLiteral("one.ini"), older);
    folder.write(QStringLiteral("many.ini"), older);
    const QList<IniWrite> writes = {
        {QStringLiteral("批量截图"), QStringLiteral("命名方式"), QStringLiteral("5")},
        {QStringLiteral("批量截图"), QStringLiteral("自定义命名"), QStringLiteral("三年级")},
        {QStringLiteral("新节"), QStringLiteral("键"), QStringLiteral("𠀀")},
    };
    for (const IniWrite& w : writes)
        ASSERT_TRUE(writeIniValue(folder.file(QStringLiteral("one.ini")), w.section, w.key, w.value));
    ASSERT_TRUE(writeIniValues(folder.file(QStringLiteral("many.ini")), writes));
    EXPECT_EQ(folder.read(QStringLiteral("many.ini")), folder.read(QStringLiteral("one.ini")));

    EXPECT_FALSE(writeIniValues(folder.file(QStringLiteral("missing-folder/many.ini")), writes));
}

} // namespace
