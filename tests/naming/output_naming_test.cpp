#include "naming/crop_sources.h"
#include "naming/output_naming.h"
#include "platform/ini_file.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

QString numbered(int n, const QString& ext = QStringLiteral(".jpg"))
{
    return QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0')) + ext;
}

QStringList numberedRange(int first, int last)
{
    QStringList names;
    for (int n = first; n <= last; ++n)
        names << numbered(n);
    return names;
}

void createFiles(const TempFolder& folder, const QStringList& names)
{
    for (const QString& name : names)
        folder.write(name, {});
}

NamingInputs inputsFor(NamingMode mode, const QString& folder)
{
    NamingInputs in;
    in.mode = mode;
    in.folder = folder;
    in.extension = QStringLiteral(".jpg");
    return in;
}

struct SearchCase {
    const char* what;
    NamingMode mode;
    QString text; // the prefix, the selected cell or the source name, as the mode takes it
    QString extension;
    QStringList files;   // already in the folder
    QStringList folders; // sub-folders already in the folder
    QString expected;    // the file name in the folder
};

TEST(OutputNaming, SearchesTheFolderForTheFirstFreeName)
{
    const QString jpg = QStringLiteral(".jpg");
    const QString zhang = QStringLiteral("张三");
    const QList<SearchCase> cases = {
        {"sequence, empty folder", NamingMode::Sequence, {}, jpg, {}, {}, numbered(1)},
        {"sequence after 0001-0009", NamingMode::Sequence, {}, jpg, numberedRange(1, 9), {}, numbered(10)},
        {"sequence fills a gap", NamingMode::Sequence, {}, jpg, {numbered(1), numbered(3)}, {}, numbered(2)},
        {"a folder takes a number", NamingMode::Sequence, {}, jpg, {}, {numbered(1)}, numbered(2)},
        {"another extension is free", NamingMode::Sequence, {}, QStringLiteral(".JPG"),
         {numbered(1, QStringLiteral(".png"))}, {}, numbered(1)},
        {"prefix after XXX0001", NamingMode::CustomPrefix, QStringLiteral("XXX"), jpg,
         {QStringLiteral("XXX0001.jpg")}, {}, QStringLiteral("XXX0002.jpg")},
        {"prefix, only a png there", NamingMode::CustomPrefix, QStringLiteral("XXX"), QStringLiteral(".JPG"),
         {QStringLiteral("XXX0001.png")}, {}, QStringLiteral("XXX0001.jpg")},
        {"prefix ignores other prefixes", NamingMode::CustomPrefix, QStringLiteral("XXX"), jpg,
         {numbered(1), QStringLiteral("YYY0001.jpg")}, {}, QStringLiteral("XXX0001.jpg")},
        {"empty prefix", NamingMode::CustomPrefix, {}, jpg, {numbered(1)}, {}, numbered(2)},
        {"cell name free", NamingMode::SpreadsheetCell, zhang, jpg, {}, {}, QStringLiteral("张三.jpg")},
        {"cell name taken", NamingMode::SpreadsheetCell, zhang, jpg, {QStringLiteral("张三.jpg")}, {},
         QStringLiteral("张三—1.jpg")},
        {"cell name and —1 taken", NamingMode::SpreadsheetCell, zhang, QStringLiteral(".Jpg"),
         {QStringLiteral("张三.jpg"), QStringLiteral("张三—1.jpg")}, {}, QStringLiteral("张三—2.jpg")},
        {"cell name taken by a folder", NamingMode::SpreadsheetCell, zhang, jpg, {},
         {QStringLiteral("张三.jpg")}, QStringLiteral("张三—1.jpg")},
        {"empty cell", NamingMode::SpreadsheetCell, {}, jpg, {numbered(1)}, {}, numbered(2)},
        {"cell of dots", NamingMode::SpreadsheetCell, QStringLiteral(".."), jpg, {}, {}, numbered(1)},
        {"cell of spaces", NamingMode::SpreadsheetCell, QStringLiteral("   "), jpg, {}, {}, numbered(1)},
        {"source name", NamingMode::SameAsSource, QStringLiteral("my.photo.JPG"), QStringLiteral(".JPG"), {},
         {}, QStringLiteral("my.photo.jpg")},
        {"source name replaces", NamingMode::SameAsSource, QStringLiteral("my.photo.JPG"), jpg,
         {QStringLiteral("my.photo.jpg")}, {}, QStringLiteral("my.photo.jpg")},
        {"source without extension", NamingMode::SameAsSource, QStringLiteral("readme"), QStringLiteral(".PNG"),
         {}, {}, QStringLiteral("readme.png")},
        {"source with empty base", NamingMode::SameAsSource, QStringLiteral(".jpg"), jpg, {numbered(1)}, {},
         numbered(2)},
    };
    for (const SearchCase& c : cases) {
        TempFolder folder;
        createFiles(folder, c.files);
        for (const QString& name : c.folders)
            ASSERT_TRUE(QDir(folder.path()).mkdir(name)) << c.what;
        NamingInputs in = inputsFor(c.mode, folder.path());
        in.extension = c.extension;
        in.customPrefix = c.mode == NamingMode::CustomPrefix ? c.text : QString();
        in.selectedName = c.mode == NamingMode::SpreadsheetCell ? c.text : QString();
        in.sourceName = c.mode == NamingMode::SameAsSource ? c.text : QString();
        EXPECT_EQ(ComposeOutputPath(in), folder.file(c.expected)) << c.what;
    }
}

// A folder that is not given from the root would be the working folder's:
// no name is made there, whatever the mode.
TEST(OutputNaming, AnEmptyOrRelativeFolderGivesNoPath)
{
    const QString relative = QStringLiteral("照片输出");
    for (const QString& folder : {QString(), relative, QStringLiteral("."), QStringLiteral("a/b")}) {
        for (NamingMode mode : {NamingMode::SameAsSource, NamingMode::TimeStamp, NamingMode::Sequence,
                                NamingMode::CustomPrefix, NamingMode::SpreadsheetCell}) {
            NamingInputs in = inputsFor(mode, folder);
            in.customPrefix = QStringLiteral("XXX");
            in.selectedName = QStringLiteral("张三");
            in.sourceName = QStringLiteral("a.jpg");
            in.now = QDateTime(QDate(2022, 1, 10), QTime(11, 45, 23));
            EXPECT_EQ(ComposeOutputPath(in), QString()) << folder.toStdString() << " " << int(mode);
        }
    }
    // The crop waiting for its name is kept only where the settings are.
    NamingInputs prompt = inputsFor(NamingMode::PromptEachTime, QString());
    prompt.temporaryFile = PromptTemporaryPath(QString(), QStringLiteral(".jpg"));
    EXPECT_EQ(ComposeOutputPath(prompt), QString());
}

TEST(OutputNaming, AfterTheFourDigitNumbersTheSequenceGoesOnToFive)
{
    TempFolder folder;
    createFiles(folder, numberedRange(1, 9999));
    EXPECT_EQ(ComposeOutputPath(inputsFor(NamingMode::Sequence, folder.path())),
              folder.file(QStringLiteral("10000.jpg")));
    folder.write(QStringLiteral("10000.jpg"), {});
    EXPECT_EQ(FirstFreeNumberedPath(folder.path(), {}, QStringLiteral(".jpg")),
              folder.file(QStringLiteral("10001.jpg")));
}

TEST(OutputNaming, TimeStampTextHasNoLeadingZeros)
{
    const struct {
        QDateTime when;
        const char* expected;
    } cases[] = {
        {QDateTime(QDate(2023, 12, 5), QTime(9, 7, 3)), "2023-12-5 9-7-3"},
        {QDateTime(QDate(2022, 1, 10), QTime(11, 45, 23)), "2022-1-10 11-45-23"},
        {QDateTime(QDate(2024, 2, 29), QTime(0, 0, 0)), "2024-2-29 0-0-0"},
        {QDateTime(QDate(2024, 10, 31), QTime(23, 59, 59)), "2024-10-31 23-59-59"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TimeStampText(c.when), QString::fromUtf8(c.expected));
}

TEST(OutputNaming, TwoSavesInOneSecondKeepBothFiles)
{
    TempFolder folder;
    NamingInputs in = inputsFor(NamingMode::TimeStamp, folder.path());
    in.extension = QStringLiteral(".PNG");
    in.now = QDateTime(QDate(2022, 1, 10), QTime(11, 45, 23));
    const QString first = ComposeOutputPath(in);
    EXPECT_EQ(first, folder.file(QStringLiteral("2022-1-10 11-45-23.png")));
    folder.write(QFileInfo(first).fileName(), "first");
    const QString second = ComposeOutputPath(in);
    EXPECT_EQ(second, folder.file(QStringLiteral("2022-1-10 11-45-23—1.png")));
    folder.write(QFileInfo(second).fileName(), "second");
    EXPECT_EQ(folder.read(QStringLiteral("2022-1-10 11-45-23.png")), "first");
}

TEST(OutputNaming, SourcesThatDifferOnlyBeforeTheLastDotGetDifferentNames)
{
    TempFolder folder;
    NamingInputs in = inputsFor(NamingMode::SameAsSource, folder.path());
    in.sourceName = QStringLiteral("张三.2023.jpg");
    const QString a = ComposeOutputPath(in);
    in.sourceName = QStringLiteral("张三.2024.jpg");
    const QString b = ComposeOutputPath(in);
    EXPECT_EQ(a, folder.file(QStringLiteral("张三.2023.jpg")));
    EXPECT_EQ(b, folder.file(QStringLiteral("张三.2024.jpg")));
}

// Crops named as their source, one after the other, with the record the
// batch save keeps: which file each crop goes to.
TEST(OutputNaming, ASourceNamedCropNeverReplacesAnotherSourcesCrop)
{
    const struct {
        const char* what;
        QStringList crops;    // source file names, cropped in this order
        QStringList expected; // the file each crop goes to
    } cases[] = {
        {"a.jpg then a.png", {"a.jpg", "a.png"}, {"a.jpg", "a—1.jpg"}},
        {"a.JPG then a.jpeg", {"a.JPG", "a.jpeg"}, {"a.jpg", "a—1.jpg"}},
        {"each re-cropped", {"a.jpg", "a.png", "a.png", "a.jpg"}, {"a.jpg", "a—1.jpg", "a—1.jpg", "a.jpg"}},
        {"three of one base", {"a.png", "a.bmp", "a.jpg", "a.bmp"}, {"a.jpg", "a—1.jpg", "a—2.jpg", "a—1.jpg"}},
        {"another base", {"a.jpg", "b.png"}, {"a.jpg", "b.jpg"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder sources;
        TempFolder out;
        TempFolder settings;
        const QString record = CropSourcesPath(settings.path());
        for (qsizetype i = 0; i < c.crops.size(); ++i) {
            NamingInputs in = inputsFor(NamingMode::SameAsSource, out.path());
            in.sourceName = c.crops[i];
            in.sourcePath = sources.file(c.crops[i]);
            in.cropSources = ReadCropSources(record);
            const QString path = ComposeOutputPath(in);
            EXPECT_EQ(path, out.file(c.expected[i])) << i;
            out.write(QFileInfo(path).fileName(), c.crops[i].toUtf8());
            ASSERT_TRUE(RecordCropSource(record, path, in.sourcePath));
        }
        // Every crop holds the source that went there last.
        for (qsizetype i = 0; i < c.crops.size(); ++i) {
            if (c.expected.lastIndexOf(c.expected[i]) == i) {
                EXPECT_EQ(out.read(c.expected[i]), c.crops[i].toUtf8()) << c.expected[i].toStdString();
            }
        }
    }
}

TEST(CropSources, ACropThatIsGoneGivesItsRecordToTheNextNewOne)
{
    TempFolder out;
    TempFolder settings;
    const QString record = CropSourcesPath(settings.path());
    const auto crop = [&](const char* name, const char* source) {
        out.write(QString::fromUtf8(name), "x");
        ASSERT_TRUE(RecordCropSource(record, out.file(QString::fromUtf8(name)), QString::fromUtf8(source)));
    };
    crop("a.jpg", "/src/a.jpg");
    crop("b.jpg", "/src/b.jpg");
    crop("a.jpg", "/other/a.png"); // the same crop, made again from another source
    QHash<QString, QString> expected{{RecordedPath(out.file(QStringLiteral("a.jpg"))), QStringLiteral("/other/a.png")},
                                     {RecordedPath(out.file(QStringLiteral("b.jpg"))), QStringLiteral("/src/b.jpg")}};
    EXPECT_EQ(ReadCropSources(record), expected);

    ASSERT_TRUE(QFile::remove(out.file(QStringLiteral("a.jpg"))));
    crop("c.jpg", "/src/c.jpg");
    expected.remove(RecordedPath(out.file(QStringLiteral("a.jpg"))));
    expected.insert(RecordedPath(out.file(QStringLiteral("c.jpg"))), QStringLiteral("/src/c.jpg"));
    EXPECT_EQ(ReadCropSources(record), expected);
    // Two records, in two sections: the gone crop's section was taken again.
    EXPECT_EQ(readIniText(record).count(QStringLiteral("截图=")), 2);
}

TEST(OutputNaming, HostileNamesStayInsideTheFolder)
{
    const QStringList hostile = {
        QStringLiteral("/"),           QStringLiteral(".."),         QStringLiteral(":"),
        QStringLiteral("a/../../x"),   QStringLiteral("../../etc/passwd"), QStringLiteral("C:\\Windows\\x"),
        QStringLiteral("a\tb\nc\rd"),  QStringLiteral("x\x7Fy"),     QStringLiteral("a*?\"<>|b"),
        QStringLiteral("/abs/path"),
    };
    const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    TempFolder folder;
    const QString absoluteFolder = QFileInfo(folder.path()).absoluteFilePath();
    for (NamingMode mode : {NamingMode::SameAsSource, NamingMode::CustomPrefix, NamingMode::SpreadsheetCell}) {
        for (const QString& name : hostile) {
            NamingInputs in = inputsFor(mode, folder.path());
            in.customPrefix = name;
            in.selectedName = name;
            in.sourceName = name + QStringLiteral(".jpg");
            const QString path = ComposeOutputPath(in);
            const QFileInfo info(path);
            EXPECT_EQ(info.absolutePath(), absoluteFolder) << name.toStdString();
            const QString fileName = info.fileName();
            EXPECT_TRUE(fileName.endsWith(QStringLiteral(".jpg"))) << path.toStdString();
            EXPECT_GT(fileName.size(), 4) << path.toStdString();
            for (QChar c : fileName) {
                EXPECT_FALSE(forbidden.contains(c)) << path.toStdString();
                EXPECT_TRUE(c.unicode() >= 0x20 && c.unicode() != 0x7F) << path.toStdString();
            }
        }
    }
}

TEST(OutputNaming, SafeFileNameKeepsWhatAFileNameMayHold)
{
    const struct {
        QString name;
        QString expected;
    } cases[] = {
        {QStringLiteral("张三"), QStringLiteral("张三")},
        {QStringLiteral("  李四 "), QStringLiteral("  李四 ")},
        {QStringLiteral("a/b\\c:d*e?f\"g<h>i|j"), QStringLiteral("a_b_c_d_e_f_g_h_i_j")},
        {QStringLiteral("x\x01y\x1Fz\x7F"), QStringLiteral("x_y_z_")},
        {QStringLiteral("."), QString()},
        {QStringLiteral(".."), QString()},
        {QStringLiteral("..."), QString()},
        {QStringLiteral("   "), QString()},
        {QStringLiteral("..a"), QStringLiteral("..a")},
        {QString(), QString()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SafeFileName(c.name), c.expected) << c.name.toStdString();
}

TEST(OutputNaming, SourceBaseNameDropsOnlyTheLastExtension)
{
    const struct {
        const char* source;
        const char* expected;
    } cases[] = {
        {"my.photo.JPG", "my.photo"}, {"readme", "readme"}, {".jpg", ""},
        {"张三.png", "张三"},         {"a:b.bmp", "a_b"},   {"...jpg", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SourceBaseName(QString::fromUtf8(c.source)), QString::fromUtf8(c.expected)) << c.source;
}

TEST(OutputNaming, SchemeLabelsGiveTheirModes)
{
    const QList<NamingMode> batch = {NamingMode::SameAsSource, NamingMode::TimeStamp,
                                     NamingMode::Sequence,     NamingMode::CustomPrefix,
                                     NamingMode::PromptEachTime, NamingMode::SpreadsheetCell};
    const QList<NamingMode> fast = batch.mid(1);
    ASSERT_EQ(batchNamingSchemes().size(), batch.size());
    ASSERT_EQ(fastNamingSchemes().size(), fast.size());
    for (qsizetype i = 0; i < batch.size(); ++i)
        EXPECT_EQ(BatchNamingModeOf(batchNamingSchemes()[i]), batch[i]) << i;
    for (qsizetype i = 0; i < fast.size(); ++i)
        EXPECT_EQ(FastNamingModeOf(fastNamingSchemes()[i]), fast[i]) << i;
    EXPECT_EQ(BatchNamingModeOf(QStringLiteral("其他")), NamingMode::SameAsSource);
    EXPECT_EQ(FastNamingModeOf(QStringLiteral("其他")), NamingMode::TimeStamp);
    // The whole label counts: the batch list's sequence label (截图, not 拍照)
    // is not a fast-capture label.
    EXPECT_EQ(FastNamingModeOf(batchNamingSchemes()[2]), NamingMode::TimeStamp);
}

TEST(OutputNaming, PromptEachTimeWritesTheTemporaryFile)
{
    TempFolder settings;
    const QString temporary = PromptTemporaryPath(settings.path(), QStringLiteral(".JPG"));
    EXPECT_EQ(temporary, settings.file(QStringLiteral("临时C.jpg")));
    TempFolder out;
    NamingInputs in = inputsFor(NamingMode::PromptEachTime, out.path());
    in.temporaryFile = temporary;
    EXPECT_EQ(ComposeOutputPath(in), temporary);
}

} // namespace
