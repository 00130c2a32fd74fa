// The program's includes keep to the layers that the README's layout table
// states, and the rule itself catches what it must.
#include "architecture/layer_rules.h"

#include <QDirIterator>
#include <QFile>
#include <gtest/gtest.h>

namespace {

QString readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QList<SourceFile> programFiles()
{
    const QString src = QStringLiteral(IDPHOTO_SOURCE_DIR "/src");
    QList<SourceFile> files;
    QDirIterator it(src, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.append({QDir(src).relativeFilePath(path), readText(path)});
    }
    return files;
}

const QString kTable = QStringLiteral(
    "| layer | folder | what |\n|---|---|---|\n"
    "| 0 | `src/platform/` | ground |\n| 1 | `src/imaging/` | pictures |\n"
    "| 5 | `src/batch/` | batch |\n| 5 | `src/camera/` | camera |\n| 7 | `src/app/` | top |\n");

TEST(Layers, TheReadmeStatesEveryFolderOfTheProgram)
{
    const QHash<QString, int> layers = ReadLayerTable(readText(QStringLiteral(IDPHOTO_SOURCE_DIR "/README.md")));
    ASSERT_FALSE(layers.isEmpty()) << "README.md has no layer table";
    EXPECT_LT(layers.value(QStringLiteral("platform"), 99), layers.value(QStringLiteral("imaging"), -1));
    EXPECT_EQ(layers.value(QStringLiteral("batch"), -1), layers.value(QStringLiteral("camera"), -2));
    EXPECT_EQ(layers.value(QStringLiteral("app"), -1), *std::max_element(layers.begin(), layers.end()));
}

TEST(Layers, EveryIncludeGoesToItsOwnLayerOrBelow)
{
    const QHash<QString, int> layers = ReadLayerTable(readText(QStringLiteral(IDPHOTO_SOURCE_DIR "/README.md")));
    const QList<SourceFile> files = programFiles();
    ASSERT_GT(files.size(), 100) << "the program's sources were not found";
    const QStringList wrong = WrongIncludes(layers, files);
    EXPECT_TRUE(wrong.isEmpty()) << wrong.join(QLatin1Char('\n')).toStdString();
}

TEST(Layers, TheRuleNamesEachIncludeThatGoesUpOrAcross)
{
    const QHash<QString, int> layers = ReadLayerTable(kTable);
    const QList<SourceFile> files = {
        {QStringLiteral("imaging/a.cpp"), QStringLiteral("#include \"platform/x.h\"\n#include \"imaging/y.h\"\n")},
        {QStringLiteral("imaging/b.h"), QStringLiteral("#pragma once\n  #  include \"app/main_window.h\"\n")},
        {QStringLiteral("batch/c.cpp"), QStringLiteral("#include \"camera/camera.h\"\n#include <QWidget>\n")},
        {QStringLiteral("camera/d.cpp"), QStringLiteral("#include \"batch/task_file.h\"\n")},
        {QStringLiteral("app/e.cpp"), QStringLiteral("#include \"batch/x.h\"\n#include \"camera/y.h\"\n")},
        {QStringLiteral("extra/f.cpp"), QStringLiteral("#include \"platform/x.h\"\n")},
        {QStringLiteral("main.cpp"), QStringLiteral("#include \"app/main_window.h\"\n")},
        {QStringLiteral("platform/g.cpp"), QStringLiteral("// #include \"app/x.h\" in a comment\n")},
    };
    EXPECT_EQ(WrongIncludes(layers, files),
              (QStringList{QStringLiteral("imaging/b.h: #  include \"app/main_window.h\""),
                           QStringLiteral("batch/c.cpp: #include \"camera/camera.h\""),
                           QStringLiteral("camera/d.cpp: #include \"batch/task_file.h\""),
                           QStringLiteral("extra/f.cpp: in a folder the layer table does not name")}));
}

} // namespace
