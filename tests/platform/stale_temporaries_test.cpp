#include "platform/stale_temporaries.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

bool isSetDll(const QString& name)
{
    return name == QStringLiteral("set.dll");
}

struct NameCase {
    const char* fileName;
    bool temporary;
    friend void PrintTo(const NameCase& c, std::ostream* os) { *os << c.fileName; }
};

class TemporaryNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(TemporaryNameTest, IsTheOwnNameADotAndSixLetters)
{
    const NameCase& c = GetParam();
    EXPECT_EQ(isTemporaryOf(QString::fromUtf8(c.fileName), isSetDll), c.temporary) << c.fileName;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TemporaryNameTest,
    ::testing::Values(NameCase{"set.dll.AbCdEf", true}, NameCase{"set.dll.zzzzzz", true},
                      NameCase{"set.dll", false}, NameCase{"set.dll.AbCdE", false},
                      NameCase{"set.dll.AbCdEfG", false}, NameCase{"set.dll.AbC1Ef", false},
                      NameCase{"set.dll.AbC-Ef", false}, NameCase{"set.dll.AbCdÉf", false},
                      NameCase{"set.dllxAbCdEf", false}, NameCase{"Set.dll.AbCdEf", false},
                      NameCase{"other.dll.AbCdEf", false}, NameCase{"set.dll.AbCdEf.AbCdEf", false},
                      NameCase{".AbCdEf", false}, NameCase{"AbCdEf", false}));

// A folder of files, each made `ageSeconds` before the moment the tests use.
class StaleTemporariesTest : public ::testing::Test {
protected:
    void make(const QString& name, int ageSeconds) const
    {
        folder_.write(name, QByteArray("written in part"));
        QFile file(folder_.file(name));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(now_.addSecs(-ageSeconds), QFileDevice::FileModificationTime));
    }
    int removeOlderThanAMinute() const
    {
        return removeStaleTemporaries(folder_.path(), isSetDll, now_.addSecs(-60));
    }
    QStringList remaining(const QString& under = {}) const
    {
        QStringList names =
            QDir(folder_.file(under)).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        names.sort();
        return names;
    }

    TempFolder folder_;
    const QDateTime now_ = QDateTime::currentDateTime();
};

TEST_F(StaleTemporariesTest, RemovesOnlyOldTemporariesOfOwnNames)
{
    make(QStringLiteral("set.dll"), 3600);
    make(QStringLiteral("set.dll.OldOne"), 3600);
    make(QStringLiteral("set.dll.Oldest"), 86400 * 400);
    make(QStringLiteral("set.dll.NewOne"), 10);  // another copy may be writing it
    make(QStringLiteral("set.dll.Ab1234"), 3600);
    make(QStringLiteral("notes.txt.AbCdEf"), 3600);
    make(QStringLiteral("inner/set.dll.AbCdEf"), 3600);

    EXPECT_EQ(removeOlderThanAMinute(), 2);
    EXPECT_EQ(remaining(), (QStringList{QStringLiteral("notes.txt.AbCdEf"), QStringLiteral("set.dll"),
                                        QStringLiteral("set.dll.Ab1234"), QStringLiteral("set.dll.NewOne")}));
    EXPECT_EQ(remaining(QStringLiteral("inner")), QStringList{QStringLiteral("set.dll.AbCdEf")});
}

TEST_F(StaleTemporariesTest, LeavesFoldersAndLinksOfATemporaryName)
{
    make(QStringLiteral("target"), 3600);
    ASSERT_TRUE(QDir(folder_.path()).mkdir(QStringLiteral("set.dll.Folder")));
    ASSERT_TRUE(QFile::link(folder_.file(QStringLiteral("target")), folder_.file(QStringLiteral("set.dll.Linked"))));

    EXPECT_EQ(removeOlderThanAMinute(), 0);
    EXPECT_TRUE(QFileInfo(folder_.file(QStringLiteral("set.dll.Folder"))).isDir());
    EXPECT_TRUE(QFileInfo(folder_.file(QStringLiteral("set.dll.Linked"))).isSymLink());
    EXPECT_TRUE(QFile::exists(folder_.file(QStringLiteral("target"))));
}

TEST_F(StaleTemporariesTest, AnUnnamedFolderIsNotTheWorkingFolder)
{
    make(QStringLiteral("set.dll.AbCdEf"), 3600);
    const QString working = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder_.path()));
    const int removed = removeStaleTemporaries(QString(), isSetDll, now_);
    QDir::setCurrent(working);
    EXPECT_EQ(removed, 0);
    EXPECT_EQ(remaining(), QStringList{QStringLiteral("set.dll.AbCdEf")});
}

} // namespace
