#include "help/about.h"
#include "help/embedded_help.h"
#include "help/help.h"
#include "help/help_files.h"
#include "support/fake_desktop.h"
#include "support/fake_dialogs.h"
#include "support/main_window_fixture.h"
#include "support/read_only_folder.h"
#include "support/temp_folder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QToolBar>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace {

// A time no write of the test run can produce.
const QDateTime kOldTime(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);

class HelpTest : public ::testing::Test {
protected:
    void showHelp() { ShowHelp(folder.path(), dialogs, desktop); }
    QString pathOf(const QString& name) const { return folder.file(name); }
    QString pagePath() const { return pathOf(kHelpPageName); }

    static void setOldTime(const QString& path)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly)) << path.toStdString();
        ASSERT_TRUE(file.setFileTime(kOldTime, QFileDevice::FileModificationTime));
    }
    static QDateTime modified(const QString& path)
    {
        return QFileInfo(path).fileTime(QFileDevice::FileModificationTime);
    }

    // Every help file next to the program holds exactly the built-in bytes.
    void expectEveryFileInPlace() const
    {
        for (const HelpFile& file : EmbeddedHelpFiles())
            EXPECT_EQ(folder.read(file.name), file.bytes) << file.name.toStdString();
    }

    TempFolder folder;
    FakeDialogs dialogs;
    FakeDesktop desktop;
};

TEST(HelpFilesTest, DigestIsLowerCaseMd5)
{
    EXPECT_EQ(Md5Hex("abc"), QStringLiteral("900150983cd24fb0d6963f7d28e17f72"));
    EXPECT_EQ(Md5Hex(QByteArray()), QStringLiteral("d41d8cd98f00b204e9800998ecf8427e"));
}

TEST_F(HelpTest, MissingFilesAreWrittenAndThePageOpens)
{
    showHelp();

    expectEveryFileInPlace();
    EXPECT_EQ(desktop.openedFiles, QStringList{pagePath()});
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(HelpTest, UnchangedFilesAreNotRewritten)
{
    showHelp();
    const QList<HelpFile> files = EmbeddedHelpFiles();
    for (const HelpFile& file : files)
        setOldTime(pathOf(file.name));

    showHelp();

    for (const HelpFile& file : files)
        EXPECT_EQ(modified(pathOf(file.name)), kOldTime) << file.name.toStdString();
    EXPECT_EQ(desktop.openedFiles.size(), 2);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

// What the user may have done to the help files between two calls for help.
struct Damage {
    const char* what;
    std::function<QString(const TempFolder&)> apply; // returns the damaged file's name
};

void PrintTo(const Damage& damage, std::ostream* out)
{
    *out << damage.what;
}

class HelpRepairTest : public HelpTest, public ::testing::WithParamInterface<Damage> {};

QString firstPicture()
{
    return EmbeddedHelpFiles().value(1).name;
}

const Damage kDamages[] = {
    {"page_edited",
     [](const TempFolder& f) {
         QByteArray page = f.read(kHelpPageName);
         page.replace("<h1>", "<h1>改过的");
         f.write(kHelpPageName, page);
         return kHelpPageName;
     }},
    {"page_emptied",
     [](const TempFolder& f) {
         f.write(kHelpPageName, {});
         return kHelpPageName;
     }},
    {"page_deleted",
     [](const TempFolder& f) {
         QFile::remove(f.file(kHelpPageName));
         return kHelpPageName;
     }},
    {"picture_with_one_byte_changed",
     [](const TempFolder& f) {
         QByteArray picture = f.read(firstPicture());
         picture[picture.size() / 2] = char(picture[picture.size() / 2] ^ 0x01);
         f.write(firstPicture(), picture);
         return firstPicture();
     }},
    {"picture_with_bytes_added",
     [](const TempFolder& f) {
         f.write(firstPicture(), f.read(firstPicture()) + "extra");
         return firstPicture();
     }},
    {"picture_deleted",
     [](const TempFolder& f) {
         QFile::remove(f.file(firstPicture()));
         return firstPicture();
     }},
};

TEST_P(HelpRepairTest, OnlyTheDamagedFileIsWrittenAgain)
{
    showHelp();
    const QList<HelpFile> files = EmbeddedHelpFiles();
    for (const HelpFile& file : files)
        setOldTime(pathOf(file.name));
    const QString damaged = GetParam().apply(folder);
    // The damaged file too looks old, so a rewrite shows in its time.
    if (QFileInfo::exists(pathOf(damaged)))
        setOldTime(pathOf(damaged));

    showHelp();

    expectEveryFileInPlace();
    for (const HelpFile& file : files) {
        if (file.name == damaged)
            EXPECT_NE(modified(pathOf(file.name)), kOldTime) << file.name.toStdString();
        else
            EXPECT_EQ(modified(pathOf(file.name)), kOldTime) << file.name.toStdString();
    }
    EXPECT_EQ(desktop.openedFiles.size(), 2);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Damages, HelpRepairTest, ::testing::ValuesIn(kDamages),
                         [](const ::testing::TestParamInfo<Damage>& damage) { return std::string(damage.param.what); });

TEST_F(HelpTest, DeletedPicturesFolderComesBack)
{
    showHelp();
    ASSERT_TRUE(QDir(pathOf(kHelpPicturesFolder)).removeRecursively());

    showHelp();

    expectEveryFileInPlace();
}

// Places where a help file cannot be written, even by root: a program folder
// inside a regular file, a program folder that is a regular file, and a page
// or a picture whose name a folder has taken.
enum class TakenByFolder { Nothing, Page, Picture };

struct Blocked {
    const char* what;
    const char* programFolder; // inside the temporary folder
    const char* regularFile;   // made first, inside the temporary folder
    TakenByFolder taken;
};

void PrintTo(const Blocked& place, std::ostream* out)
{
    *out << place.what;
}

class HelpBlockedTest : public HelpTest, public ::testing::WithParamInterface<Blocked> {};

const Blocked kBlocked[] = {
    {"parent_is_a_file", "file/program", "file", TakenByFolder::Nothing},
    {"folder_is_a_file", "program", "program", TakenByFolder::Nothing},
    {"page_name_taken_by_a_folder", "program", nullptr, TakenByFolder::Page},
    {"picture_name_taken_by_a_folder", "program", nullptr, TakenByFolder::Picture},
};

TEST_P(HelpBlockedTest, OneMessageAndNoOpen)
{
    const Blocked& blocked = GetParam();
    if (blocked.regularFile)
        folder.write(QString::fromUtf8(blocked.regularFile), "not a folder");
    const QString program = folder.file(QString::fromUtf8(blocked.programFolder));
    // The file the message names: the page, unless only a picture is blocked.
    const QString named =
        QDir(program).filePath(blocked.taken == TakenByFolder::Picture ? firstPicture() : kHelpPageName);
    if (blocked.taken != TakenByFolder::Nothing) {
        ASSERT_TRUE(QDir().mkpath(named));
    }

    ShowHelp(program, dialogs, desktop);

    EXPECT_TRUE(desktop.openedFiles.isEmpty());
    ASSERT_EQ(dialogs.messages.size(), 1);
    const ShownMessage& message = dialogs.messages.first();
    EXPECT_EQ(message.title, QStringLiteral("提示"));
    EXPECT_EQ(message.text, QStringLiteral("无法写入帮助文件：") + QDir::toNativeSeparators(named) +
                                QStringLiteral("\n请检查程序所在文件夹是否可以写入。"));
    EXPECT_EQ(message.icon, MessageIcon::Warning);
    EXPECT_EQ(message.buttons, MessageButtons::Ok);
}

INSTANTIATE_TEST_SUITE_P(Places, HelpBlockedTest, ::testing::ValuesIn(kBlocked),
                         [](const ::testing::TestParamInfo<Blocked>& place) { return std::string(place.param.what); });

TEST_F(HelpTest, FailedOpenIsReported)
{
    desktop.succeeds = false;

    showHelp();

    expectEveryFileInPlace();
    EXPECT_EQ(desktop.openedFiles.size(), 1);
    ASSERT_EQ(dialogs.messages.size(), 1);
    const ShownMessage& message = dialogs.messages.first();
    EXPECT_EQ(message.title, QStringLiteral("提示"));
    EXPECT_EQ(message.text, QStringLiteral("无法打开帮助文件：") + QDir::toNativeSeparators(pagePath()));
    EXPECT_EQ(message.icon, MessageIcon::Warning);
    EXPECT_EQ(message.buttons, MessageButtons::Ok);
}

// ---- an installed copy: the program's folder cannot be written ----

class HelpFromAReadOnlyProgramFolderTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        readOnly = std::make_unique<ReadOnlyFolder>(program.path());
        ASSERT_FALSE(readOnly->writable()) << "this machine gives no read-only folder";
        MainWindowFixture::SetUp();
    }
    void TearDown() override
    {
        window.reset();
        readOnly.reset();
    }

    std::unique_ptr<ReadOnlyFolder> readOnly;
};

TEST_F(HelpFromAReadOnlyProgramFolderTest, ThePageAndItsPicturesGoToThePerUserFolderAndOpen)
{
    unit<QToolBar>("工具条1")->actions()[11]->trigger(); // 帮助

    EXPECT_TRUE(dialogs.messages.isEmpty());
    for (const HelpFile& file : EmbeddedHelpFiles()) {
        EXPECT_EQ(Md5Hex(userData.read(file.name)), Md5Hex(file.bytes)) << file.name.toStdString();
        EXPECT_FALSE(QFileInfo::exists(program.file(file.name))) << file.name.toStdString();
    }
    EXPECT_EQ(desktop.openedFiles, QStringList{userData.file(kHelpPageName)});

    // Asked again, from the menu: the same page, nothing to tell.
    for (QAction* action : window->findChildren<QAction*>()) {
        if (action->text() == QStringLiteral("使用帮助"))
            action->trigger();
    }
    EXPECT_EQ(desktop.openedFiles, QStringList(2, userData.file(kHelpPageName)));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

// ---- the page itself ----

struct PageImage {
    QString source;
    int width = 0;
    int height = 0;
};

QString attribute(const QString& tag, const char* name)
{
    const QRegularExpression pattern(QStringLiteral("\\s%1=\"([^\"]*)\"").arg(QLatin1String(name)));
    return pattern.match(tag).captured(1);
}

QList<PageImage> imagesOf(const QString& page)
{
    QList<PageImage> images;
    const QRegularExpression tag(QStringLiteral("<img\\b[^>]*>"));
    for (auto it = tag.globalMatch(page); it.hasNext();) {
        const QString text = it.next().captured(0);
        images.append({attribute(text, "src"), attribute(text, "width").toInt(), attribute(text, "height").toInt()});
    }
    return images;
}

class HelpPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        files = EmbeddedHelpFiles();
        ASSERT_FALSE(files.isEmpty());
        ASSERT_EQ(files.first().name, kHelpPageName);
        QStringDecoder utf8(QStringDecoder::Utf8);
        page = utf8.decode(files.first().bytes);
        ASSERT_FALSE(utf8.hasError()) << "the page is not valid UTF-8";
        for (const HelpFile& file : files.mid(1))
            pictures.insert(file.name, file.bytes);
    }

    QList<HelpFile> files;
    QString page;
    QHash<QString, QByteArray> pictures;
};

TEST_F(HelpPageTest, IsAStandaloneUtf8HtmlPage)
{
    EXPECT_TRUE(page.startsWith(QStringLiteral("<!DOCTYPE html>")));
    EXPECT_TRUE(page.contains(QStringLiteral("<meta charset=\"utf-8\">")));
    EXPECT_TRUE(page.contains(QStringLiteral("<html lang=\"zh-CN\">")));
    EXPECT_TRUE(page.trimmed().endsWith(QStringLiteral("</html>")));
    EXPECT_EQ(page.count(QStringLiteral("<body>")), 1);
    EXPECT_EQ(page.count(QStringLiteral("</body>")), 1);
    // Nothing runs and nothing is fetched: the page must work offline and without scripts.
    EXPECT_FALSE(page.contains(QStringLiteral("<script"), Qt::CaseInsensitive));
    EXPECT_FALSE(page.contains(QStringLiteral("<link"), Qt::CaseInsensitive));
    EXPECT_FALSE(page.contains(QStringLiteral("<iframe"), Qt::CaseInsensitive));
    EXPECT_FALSE(page.contains(QStringLiteral("url("), Qt::CaseInsensitive));
    EXPECT_FALSE(page.contains(QRegularExpression(QStringLiteral("src=\"[a-z]+:"))));
}

TEST_F(HelpPageTest, NamesEveryPictureItUsesAndUsesEveryPicture)
{
    const QList<PageImage> images = imagesOf(page);
    ASSERT_FALSE(images.isEmpty());
    ASSERT_FALSE(pictures.isEmpty());
    QSet<QString> named;
    for (const PageImage& image : images) {
        SCOPED_TRACE(image.source.toStdString());
        ASSERT_TRUE(pictures.contains(image.source)) << "the page names a picture that is not built in";
        EXPECT_TRUE(image.source.startsWith(kHelpPicturesFolder + QLatin1Char('/')));
        const QImage decoded = QImage::fromData(pictures.value(image.source), "PNG");
        ASSERT_FALSE(decoded.isNull());
        EXPECT_EQ(decoded.size(), QSize(image.width, image.height)) << "the img size differs from the picture's";
        named.insert(image.source);
    }
    for (auto it = pictures.cbegin(); it != pictures.cend(); ++it)
        EXPECT_TRUE(named.contains(it.key())) << it.key().toStdString() << " is built in but never shown";
}

TEST_F(HelpPageTest, EveryInnerLinkHasItsTarget)
{
    const QRegularExpression link(QStringLiteral("href=\"#([^\"]+)\""));
    int links = 0;
    for (auto it = link.globalMatch(page); it.hasNext(); ++links) {
        const QString target = it.next().captured(1);
        EXPECT_TRUE(page.contains(QStringLiteral("id=\"%1\"").arg(target))) << target.toStdString();
    }
    EXPECT_GT(links, 0);
}

TEST_F(HelpPageTest, CarriesTheProductValuesOfTheAboutBox)
{
    EXPECT_FALSE(page.contains(QStringLiteral("${")));
    for (const QString& value : {kProductAuthor, kProductEmail, kHomePageAddress})
        EXPECT_TRUE(page.contains(value.toHtmlEscaped())) << value.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("href=\"%1\"").arg(kHomePageAddress.toHtmlEscaped())));
    // The about box's text, line by line.
    for (const QString& line : aboutText().split(QLatin1Char('\n')))
        EXPECT_TRUE(page.contains(line.toHtmlEscaped())) << line.toStdString();
}

TEST(HomePageTest, OpensTheAboutBoxAddress)
{
    FakeDesktop desktop;

    OpenHomePage(desktop);

    ASSERT_EQ(desktop.openedUrls.size(), 1);
    EXPECT_EQ(desktop.openedUrls.first(), QUrl(kHomePageAddress));
    EXPECT_TRUE(aboutText().contains(desktop.openedUrls.first().toString()));
    EXPECT_TRUE(desktop.openedFiles.isEmpty());
}

} // namespace
