#include "platform/atomic_file.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

namespace {

using Outcome = SmallFileRead::Outcome;

const char* outcomeName(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Whole: return "Whole";
    case Outcome::Missing: return "Missing";
    case Outcome::NotWhole: return "NotWhole";
    }
    return "?";
}

struct ReadCase {
    const char* name;
    qint64 fileBytes;  // -1: no file; -2: a folder where the file should be
    qint64 maxBytes;
    Outcome outcome;
    friend void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }
};

class ReadSmallFileTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadSmallFileTest, GivesTheWholeFileOrSaysWhyNot)
{
    const ReadCase& c = GetParam();
    TempFolder folder;
    const QString path = folder.file(QStringLiteral("file"));
    QByteArray content;
    for (qint64 i = 0; i < c.fileBytes; ++i)
        content.append(char('a' + i % 26));
    if (c.fileBytes >= 0)
        folder.write(QStringLiteral("file"), content);
    else if (c.fileBytes == -2)
        QDir(folder.path()).mkdir(QStringLiteral("file"));

    const SmallFileRead read = readWholeSmallFile(path, c.maxBytes);
    EXPECT_STREQ(outcomeName(read.outcome), outcomeName(c.outcome));
    const QByteArray expected = c.outcome == Outcome::Whole ? content : QByteArray();
    EXPECT_EQ(read.bytes, expected);
    EXPECT_EQ(readSmallFile(path, c.maxBytes), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadSmallFileTest,
    ::testing::Values(ReadCase{"small file, large bound", 1000, 512LL * 1024 * 1024, Outcome::Whole},
                      ReadCase{"exactly the bound", 1000, 1000, Outcome::Whole},
                      ReadCase{"one byte over the bound", 1001, 1000, Outcome::NotWhole},
                      ReadCase{"empty file", 0, 1000, Outcome::Whole},
                      ReadCase{"larger than one step of growth", 200000, 300000, Outcome::Whole},
                      ReadCase{"no file", -1, 1000, Outcome::Missing},
                      ReadCase{"a folder", -2, 1000, Outcome::NotWhole}));

TEST(ReadSmallFile, AReadErrorIsNotAWholeFile)
{
    // This process's own memory opens as a file, but reading where nothing
    // is mapped fails.
    const SmallFileRead read = readWholeSmallFile(QStringLiteral("/proc/self/mem"), 1000);
    EXPECT_STREQ(outcomeName(read.outcome), outcomeName(Outcome::NotWhole));
    EXPECT_TRUE(read.bytes.isEmpty());
}

// A file that tells no size and gives more than the bound while it is read:
// a pipe, fed by a thread with one write the pipe takes at once.
SmallFileRead readFromPipe(const QByteArray& fed, qint64 maxBytes)
{
    TempFolder folder;
    const QByteArray path = QFile::encodeName(folder.file(QStringLiteral("pipe")));
    if (mkfifo(path.constData(), 0600) != 0)
        return {};
    std::thread feeder([&] {
        const int fd = open(path.constData(), O_WRONLY);
        if (fd < 0)
            return;
        [[maybe_unused]] const ssize_t written = write(fd, fed.constData(), size_t(fed.size()));
        close(fd);
    });
    SmallFileRead read = readWholeSmallFile(QFile::decodeName(path), maxBytes);
    // Lets the feeder go on should the read never have opened the pipe.
    const int unblock = open(path.constData(), O_RDONLY | O_NONBLOCK);
    feeder.join();
    if (unblock >= 0)
        close(unblock);
    return read;
}

TEST(ReadSmallFile, RefusesAFileThatGrowsPastTheBoundWhileItIsRead)
{
    const QByteArray fed(3000, 'x');
    const SmallFileRead tooMuch = readFromPipe(fed, 1000);
    EXPECT_STREQ(outcomeName(tooMuch.outcome), outcomeName(Outcome::NotWhole));
    EXPECT_TRUE(tooMuch.bytes.isEmpty());

    const SmallFileRead enough = readFromPipe(fed, 5000);
    EXPECT_STREQ(outcomeName(enough.outcome), outcomeName(Outcome::Whole));
    EXPECT_EQ(enough.bytes, fed);
}

// The address space this process has mapped now, in bytes.
qint64 mappedBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    return statm.readLine().split(' ').value(0).toLongLong() * sysconf(_SC_PAGESIZE);
}

TEST(ReadSmallFile, TakesMemoryForTheFileNotForTheBound)
{
    // As under strict overcommit: a child process that may map only a little
    // more than it has, far less than the bound, reads a small file.
    TempFolder folder;
    const QByteArray content(1024, 'k');
    folder.write(QStringLiteral("small"), content);
    const QString path = folder.file(QStringLiteral("small"));
    constexpr qint64 kBound = 512LL * 1024 * 1024;
    constexpr qint64 kRoom = 64LL * 1024 * 1024;

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const qint64 mapped = mappedBytes();
        const rlimit limit{rlim_t(mapped + kRoom), rlim_t(mapped + kRoom)};
        if (mapped < 0 || setrlimit(RLIMIT_AS, &limit) != 0)
            _exit(2);
        // The child ends here whatever happens: it must not go on to run the other tests.
        try {
            _exit(readSmallFile(path, kBound) == content ? 0 : 1);
        } catch (...) {
            _exit(3);
        }
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the reading child was ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0)
        << "1: the file was not read; 2: the limit could not be set; 3: memory ran out";
}

} // namespace
