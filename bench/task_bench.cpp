// The batch task file: writing a task of 2,000 images, and one step to the
// next image of such a task with the photo opened and shown fitted, beside
// opening the same photo alone.
#include "bench_photo.h"

#include "batch/task_file.h"
#include "platform/ini_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kTaskImages = 2000;

const QString& photoFile()
{
    static const QString path = benchJpegFile(QSize(4000, 3000));
    return path;
}

QStringList taskNames()
{
    QStringList names;
    for (int i = 1; i <= kTaskImages; ++i)
        names.append(QStringLiteral("IMG_%1.jpg").arg(i, 4, 10, QLatin1Char('0')));
    return names;
}

// A task over a source folder where every listed name is a link to the photo,
// so each step finds its image.
struct LargeTask {
    QTemporaryDir settings;
    QTemporaryDir source;
    QString path = TaskFilePath(settings.path());

    LargeTask()
    {
        const QStringList names = taskNames();
        for (const QString& name : names)
            QFile::link(photoFile(), source.filePath(name));
        CreateTaskFile(path, names);
    }
};

// Over the task of the run before, as when a new batch replaces an old one.
void BM_CreateTaskFile(benchmark::State& st)
{
    QTemporaryDir settings;
    const QString task = TaskFilePath(settings.path());
    const QStringList names = taskNames();
    for (auto _ : st)
        CreateTaskFile(task, names);
    st.SetLabel(QStringLiteral("%1 images, %2 bytes").arg(kTaskImages).arg(QFile(task).size()).toStdString());
}
BENCHMARK(BM_CreateTaskFile)->Unit(benchmark::kMillisecond);

// One step to the next image; back to the first one out of the timing when
// the end comes near. Returns false when the step did not find its image.
bool stepToNext(benchmark::State& st, const LargeTask& task, int& imageCount, NavigationStep& step)
{
    step = StepTask(task.path, task.source.path(), NavigationDirection::Next, imageCount);
    if (step.position >= kTaskImages) {
        st.PauseTiming();
        writeIniValue(task.path, QStringLiteral("批截位置"), QStringLiteral("批截位置"), QStringLiteral("1"));
        st.ResumeTiming();
    }
    return step.outcome == NavigationStep::Outcome::Show;
}

// Next steps over a large task, with or without showing each image found.
void nextSteps(benchmark::State& st, bool showImage)
{
    const LargeTask task;
    int imageCount = kTaskImages;
    NavigationStep step;
    for (auto _ : st) {
        if (!stepToNext(st, task, imageCount, step)) {
            st.SkipWithError("the step found no image");
            break;
        }
        if (showImage)
            benchmark::DoNotOptimize(openAndShowFitted(step.path));
    }
    if (showImage)
        st.SetLabel(benchPhotoSource().toStdString());
}

void BM_NextTaskStepOnly(benchmark::State& st) { nextSteps(st, false); }
void BM_NextTaskImageShown(benchmark::State& st) { nextSteps(st, true); }
BENCHMARK(BM_NextTaskStepOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NextTaskImageShown)->Unit(benchmark::kMillisecond);

void BM_OpenAndShowFitted(benchmark::State& st)
{
    for (auto _ : st)
        benchmark::DoNotOptimize(openAndShowFitted(photoFile()));
    st.SetLabel(benchPhotoSource().toStdString());
}
BENCHMARK(BM_OpenAndShowFitted)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
