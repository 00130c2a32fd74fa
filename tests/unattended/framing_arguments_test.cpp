#include "unattended/framing_arguments.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

using Kind = FramingArguments::Kind;

struct ArgumentsCase {
    const char* what;
    QStringList words;
    Kind kind;
    QString errorStart; // Wrong: how the message starts
    friend void PrintTo(const ArgumentsCase& c, std::ostream* os) { *os << c.what; }
};

class FramingArgumentsTest : public ::testing::TestWithParam<ArgumentsCase> {};

TEST_P(FramingArgumentsTest, ReadsTheKindOrSaysWhatIsWrong)
{
    const FramingArguments read = ReadFramingArguments(GetParam().words, 4);
    EXPECT_EQ(read.kind, GetParam().kind);
    if (GetParam().kind == Kind::Wrong)
        EXPECT_TRUE(read.error.startsWith(GetParam().errorStart)) << read.error.toStdString();
    else
        EXPECT_TRUE(read.error.isEmpty());
}

const QStringList kFolders{QStringLiteral("--batch"), QStringLiteral("/p"), QStringLiteral("/s")};

INSTANTIATE_TEST_SUITE_P(
    Cases, FramingArgumentsTest,
    ::testing::Values(
        ArgumentsCase{"nothing: the window", {}, Kind::Window, {}},
        ArgumentsCase{"pictures: the window", {QStringLiteral("/a.jpg")}, Kind::Window, {}},
        ArgumentsCase{"help", {QStringLiteral("--help")}, Kind::Help, {}},
        ArgumentsCase{"help within a batch", kFolders + QStringList{QStringLiteral("-h")}, Kind::Help, {}},
        ArgumentsCase{"version", {QStringLiteral("--version")}, Kind::Version, {}},
        ArgumentsCase{"batch", kFolders, Kind::Batch, {}},
        ArgumentsCase{"one folder", {QStringLiteral("--batch"), QStringLiteral("/p")}, Kind::Wrong,
                      QStringLiteral("请给出待取景的照片文件夹和保存文件夹")},
        ArgumentsCase{"three folders", kFolders + QStringList{QStringLiteral("/t")}, Kind::Wrong,
                      QStringLiteral("请给出待取景的照片文件夹和保存文件夹")},
        ArgumentsCase{"unknown option", kFolders + QStringList{QStringLiteral("--fast"), QStringLiteral("1")}, Kind::Wrong,
                      QStringLiteral("未知选项：--fast")},
        ArgumentsCase{"option without its value", kFolders + QStringList{QStringLiteral("--kb")}, Kind::Wrong,
                      QStringLiteral("选项 --kb 缺少取值。")},
        ArgumentsCase{"unknown size type", kFolders + QStringList{QStringLiteral("--size-type"), QStringLiteral("3寸")},
                      Kind::Wrong, QStringLiteral("没有名为“3寸”的尺寸类型")},
        ArgumentsCase{"自定义 is no size", kFolders + QStringList{QStringLiteral("--size-type"), QStringLiteral("自定义")},
                      Kind::Wrong, QStringLiteral("没有名为“自定义”的尺寸类型")},
        ArgumentsCase{"size and size type", kFolders + QStringList{QStringLiteral("--size"), QStringLiteral("100x100"),
                                                                     QStringLiteral("--size-type"), QStringLiteral("1寸照")},
                      Kind::Wrong, QStringLiteral("--size-type 与 --size 只能给出一个。")},
        ArgumentsCase{"size of zero", kFolders + QStringList{QStringLiteral("--size"), QStringLiteral("0x441")},
                      Kind::Wrong, QStringLiteral("尺寸“0x441”无效")},
        ArgumentsCase{"size too large", kFolders + QStringList{QStringLiteral("--size"), QStringLiteral("10001x441")},
                      Kind::Wrong, QStringLiteral("尺寸“10001x441”无效")},
        ArgumentsCase{"unknown format", kFolders + QStringList{QStringLiteral("--format"), QStringLiteral("tiff")},
                      Kind::Wrong, QStringLiteral("格式“tiff”无效")},
        ArgumentsCase{"limit of zero", kFolders + QStringList{QStringLiteral("--kb"), QStringLiteral("0")}, Kind::Wrong,
                      QStringLiteral("文件大小上限“0”无效")},
        ArgumentsCase{"limit not a number", kFolders + QStringList{QStringLiteral("--kb"), QStringLiteral("nan")},
                      Kind::Wrong, QStringLiteral("文件大小上限“nan”无效")},
        ArgumentsCase{"no jobs", kFolders + QStringList{QStringLiteral("--jobs"), QStringLiteral("0")}, Kind::Wrong,
                      QStringLiteral("并行数“0”无效")},
        ArgumentsCase{"unknown paper", kFolders + QStringList{QStringLiteral("--sheet"), QStringLiteral("a5")},
                      Kind::Wrong, QStringLiteral("排版纸张“a5”无效")},
        ArgumentsCase{"empty prefix", kFolders + QStringList{QStringLiteral("--naming"), QStringLiteral("prefix:")},
                      Kind::Wrong, QStringLiteral("命名方式“prefix:”无效")},
        ArgumentsCase{"list cell not a cell",
                      kFolders + QStringList{QStringLiteral("--naming"), QStringLiteral("list:/b.xlsx:Sheet1:2B")},
                      Kind::Wrong, QStringLiteral("命名方式“list:/b.xlsx:Sheet1:2B”无效")}));

TEST(FramingArguments, ReadsEveryOptionIntoTheJob)
{
    const FramingArguments read = ReadFramingArguments(
        {QStringLiteral("--batch"), QStringLiteral("/照片"), QStringLiteral("/保存"), QStringLiteral("--size-type"),
         QStringLiteral("1寸照"), QStringLiteral("--format"), QStringLiteral("PNG"), QStringLiteral("--kb"),
         QStringLiteral("30.5"), QStringLiteral("--naming"), QStringLiteral("prefix:初一2班-"), QStringLiteral("--jobs"),
         QStringLiteral("3"), QStringLiteral("--resume"), QStringLiteral("--sheet"), QStringLiteral("6inch")},
        8);
    ASSERT_EQ(read.kind, Kind::Batch);
    const FramingJob& job = read.job;
    EXPECT_EQ(job.sourceFolder, QStringLiteral("/照片"));
    EXPECT_EQ(job.saveFolder, QStringLiteral("/保存"));
    EXPECT_EQ(job.output, QSize(295, 413));
    EXPECT_EQ(job.extension, QStringLiteral(".png"));
    EXPECT_EQ(job.jpegLimitKB, 30.5);
    EXPECT_EQ(job.naming, FramingNaming::CustomPrefix);
    EXPECT_EQ(job.prefix, QStringLiteral("初一2班-"));
    EXPECT_EQ(job.jobs, 3);
    EXPECT_TRUE(job.resume);
    EXPECT_EQ(job.sheet, QStringLiteral("6inch"));

    const FramingArguments defaults = ReadFramingArguments(kFolders, 8);
    EXPECT_EQ(defaults.job.output, QSize(358, 441));
    EXPECT_EQ(defaults.job.extension, QStringLiteral(".jpg"));
    EXPECT_EQ(defaults.job.jpegLimitKB, 50.0);
    EXPECT_EQ(defaults.job.naming, FramingNaming::SameAsSource);
    EXPECT_EQ(defaults.job.jobs, 8) << "as many as the processors";
    EXPECT_FALSE(defaults.job.resume);
}

TEST(FramingArguments, ReadsWhereTheClassListIs)
{
    struct Place {
        QString naming;
        ClassListPlace place;
    };
    const Place places[] = {
        {QStringLiteral("list:/班级/名单.xlsx"), {QStringLiteral("/班级/名单.xlsx"), {}, {}}},
        {QStringLiteral("list:/名单.xls:初一(2)班"), {QStringLiteral("/名单.xls"), QStringLiteral("初一(2)班"), {}}},
        {QStringLiteral("list:/名单.xlsx:Sheet1:b2"), {QStringLiteral("/名单.xlsx"), QStringLiteral("Sheet1"), QStringLiteral("B2")}},
        {QStringLiteral("list:C:/名单.xlsx::C"), {QStringLiteral("C:/名单.xlsx"), {}, QStringLiteral("C")}},
    };
    for (const Place& p : places) {
        SCOPED_TRACE(p.naming.toStdString());
        const FramingArguments read = ReadFramingArguments(kFolders + QStringList{QStringLiteral("--naming"), p.naming}, 1);
        ASSERT_EQ(read.kind, Kind::Batch);
        EXPECT_EQ(read.job.naming, FramingNaming::ClassList);
        EXPECT_EQ(read.classList.book, p.place.book);
        EXPECT_EQ(read.classList.sheet, p.place.sheet);
        EXPECT_EQ(read.classList.cell, p.place.cell);
    }
}

} // namespace
