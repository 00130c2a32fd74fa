// Batch crop's step to the next image (as after S), with the image decoded
// ahead while the user framed the one before, beside opening the same 24-MP
// photo cold and showing it fitted.
#include "batch/batch_crop_mode.h"
#include "batch/task_file.h"
#include "bench_photo.h"
#include "bench_window.h"
#include "platform/ini_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThreadPool>
#include <benchmark/benchmark.h>

namespace {

constexpr QSize kPhoto(6000, 4000);
constexpr int kImages = 8;

const QString& photoFile()
{
    static const QString path = benchJpegFile(kPhoto);
    return path;
}

void BM_OpenColdAndShowFitted(benchmark::State& st)
{
    photoFile(); // made before the timing starts
    for (auto _ : st)
        benchmark::DoNotOptimize(openAndShowFitted(photoFile()));
    st.SetLabel(benchPhotoSource().toStdString());
}
BENCHMARK(BM_OpenColdAndShowFitted)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BatchStepToPrefetchedImage(benchmark::State& st)
{
    QTemporaryDir folders;
    const QString source = folders.filePath(QStringLiteral("photos"));
    QDir().mkpath(source);
    for (int i = 1; i <= kImages; ++i)
        QFile::copy(photoFile(), source + QStringLiteral("/%1.jpg").arg(i, 2, 10, QLatin1Char('0')));

    BenchWindow bench(folders.path());
    AppState& state = bench.state;
    MainWindow& window = bench.window;
    const BenchDialogs& dialogs = bench.dialogs;
    state.batch.settings.sourceFolder = source;
    state.batch.batchActive = true;
    BatchCropMode* mode = window.batchModeForTest();
    mode->navigate(NavigationDirection::Current);
    const QString taskPath = TaskFilePath(state.main.settingsFolder);

    for (auto _ : st) {
        st.PauseTiming();
        if (state.batch.task.currentPosition >= kImages) {
            writeIniValue(taskPath, QStringLiteral("批截位置"), QStringLiteral("批截位置"), QStringLiteral("1"));
            mode->navigate(NavigationDirection::Current);
        }
        // The time the user spends framing: the decode ahead finishes.
        QThreadPool::globalInstance()->waitForDone();
        st.ResumeTiming();
        mode->navigate(NavigationDirection::Next);
    }
    if (!state.view.imageLoaded || state.batch.task.currentPosition < 2)
        st.SkipWithError(("no image shown: " + dialogs.lastMessage.toStdString()).c_str());
    st.SetLabel(benchPhotoSource().toStdString());
}
BENCHMARK(BM_BatchStepToPrefetchedImage)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
