// Automatic framing on 24-MP photos with a face: 工具 → 自动取景 on an opened
// photo, and batch crop's step to an image decoded ahead with 打开图片时自动取景
// ticked (its head found ahead too), each beside opening the same photo cold
// and showing it fitted. The faces are the test portraits scaled up onto the
// benchmarks' photo. The counters compare the timed work's mean with the cold
// open's median of a few timed in the same run: x_cold_open in real time,
// cpu_x_cold_open in the GUI thread's own processor time, which the other
// work of a shared machine (and the work the step leaves to the thread pool)
// does not inflate.
#include "batch/batch_crop_mode.h"
#include "batch/task_file.h"
#include "bench_photo.h"
#include "bench_window.h"
#include "platform/ini_file.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThreadPool>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <vector>

namespace {

constexpr QSize kPhoto(6000, 4000);
constexpr int kImages = 8;

const QStringList& faceFiles()
{
    static const QStringList files{facePhotoFile("astronaut", kPhoto), facePhotoFile("grace_hopper", kPhoto)};
    return files;
}

double threadCpuNs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e9 + double(t.tv_nsec);
}

// Real and this thread's processor time, in nanoseconds.
struct Spent {
    double realNs = 0;
    double cpuNs = 0;
};

class Stopwatch {
public:
    Stopwatch() : cpuStart_(threadCpuNs()) { timer_.start(); }
    Spent spent() const { return {double(timer_.nsecsElapsed()), threadCpuNs() - cpuStart_}; }

private:
    QElapsedTimer timer_;
    double cpuStart_;
};

// The median of nine cold opens of each file, averaged over the files.
Spent coldOpen(const QStringList& files)
{
    Spent sum;
    for (const QString& file : files) {
        std::vector<double> real;
        std::vector<double> cpu;
        for (int i = 0; i < 9; ++i) {
            const Stopwatch watch;
            benchmark::DoNotOptimize(openAndShowFitted(file));
            real.push_back(watch.spent().realNs);
            cpu.push_back(watch.spent().cpuNs);
        }
        std::sort(real.begin(), real.end());
        std::sort(cpu.begin(), cpu.end());
        sum.realNs += real[real.size() / 2];
        sum.cpuNs += cpu[cpu.size() / 2];
    }
    return {sum.realNs / double(files.size()), sum.cpuNs / double(files.size())};
}

void reportAgainstColdOpen(benchmark::State& st, const Spent& timed, const Spent& cold)
{
    const double n = double(st.iterations());
    st.counters["cold_open_ms"] = cold.realNs / 1e6;
    st.counters["x_cold_open"] = timed.realNs / n / cold.realNs;
    st.counters["cpu_x_cold_open"] = timed.cpuNs / n / cold.cpuNs;
}

QAction* menuAction(MainWindow& window, const QString& text)
{
    for (QAction* action : window.findChildren<QAction*>())
        if (action->text() == text)
            return action;
    return nullptr;
}

void BM_OpenFaceColdAndShowFitted(benchmark::State& st)
{
    const QString file = faceFiles().first(); // made before the timing starts
    for (auto _ : st)
        benchmark::DoNotOptimize(openAndShowFitted(file));
    st.SetLabel(benchPhotoSource().toStdString() + " + astronaut");
}
BENCHMARK(BM_OpenFaceColdAndShowFitted)->Unit(benchmark::kMillisecond)->UseRealTime();

// 自动取景 as the menu runs it, on a photo opened just before. The head is
// looked for as the photo arrives, off the GUI thread: with the argument 1
// the user looks at the photo before pressing Ctrl+J (the work on the thread
// pool finishes first: the search and the whole picture fetched), with 0
// the command comes at once and waits for the search. What follows the
// command off the GUI thread is not timed.
void BM_AutoFrameOpenedPhoto(benchmark::State& st)
{
    const bool looked = st.range(0) == 1;
    const QString file = faceFiles().first();
    const Spent cold = coldOpen({file});
    QTemporaryDir folders;
    BenchWindow bench(folders.path());
    QAction* autoFrame = menuAction(bench.window, QStringLiteral("自动取景"));
    if (!autoFrame) {
        st.SkipWithError("no 自动取景 in the menu");
        return;
    }
    Spent timed;
    for (auto _ : st) {
        st.PauseTiming();
        QThreadPool::globalInstance()->waitForDone();
        bench.window.dropImageFiles({file});
        if (looked) {
            QThreadPool::globalInstance()->waitForDone();
            QCoreApplication::processEvents();
        }
        const Stopwatch watch;
        st.ResumeTiming();
        autoFrame->trigger();
        const Spent spent = watch.spent();
        timed.realNs += spent.realNs;
        timed.cpuNs += spent.cpuNs;
    }
    if (!bench.dialogs.lastMessage.isEmpty() || !bench.state.view.faceAhead ||
        bench.state.view.faceAhead->finding != FaceFinding::Found)
        st.SkipWithError(("not framed: " + bench.dialogs.lastMessage.toStdString()).c_str());
    reportAgainstColdOpen(st, timed, cold);
    st.SetLabel(benchPhotoSource().toStdString() + " + astronaut");
}
BENCHMARK(BM_AutoFrameOpenedPhoto)->ArgName("looked")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

// As BM_BatchStepToPrefetchedImage (batch_step_bench.cpp) with framing on
// arrival: the step shows the image decoded ahead and frames it around the
// head found ahead with it, alternately the two portraits.
void BM_BatchStepToPrefetchedFramedImage(benchmark::State& st)
{
    const Spent cold = coldOpen(faceFiles());
    QTemporaryDir folders;
    const QString source = folders.filePath(QStringLiteral("photos"));
    QDir().mkpath(source);
    for (int i = 1; i <= kImages; ++i)
        QFile::copy(faceFiles()[i % 2], source + QStringLiteral("/%1.jpg").arg(i, 2, 10, QLatin1Char('0')));

    BenchWindow bench(folders.path());
    AppState& state = bench.state;
    state.framing.onArrival = true;
    state.batch.settings.sourceFolder = source;
    state.batch.batchActive = true;
    BatchCropMode* mode = bench.window.batchModeForTest();
    mode->navigate(NavigationDirection::Current);
    const QString taskPath = TaskFilePath(state.main.settingsFolder);

    Spent timed;
    for (auto _ : st) {
        st.PauseTiming();
        if (state.batch.task.currentPosition >= kImages) {
            writeIniValue(taskPath, QStringLiteral("批截位置"), QStringLiteral("批截位置"), QStringLiteral("1"));
            mode->navigate(NavigationDirection::Current);
        }
        // The time the user spends on the image: the decode and the search ahead finish.
        QThreadPool::globalInstance()->waitForDone();
        const Stopwatch watch;
        st.ResumeTiming();
        mode->navigate(NavigationDirection::Next);
        const Spent spent = watch.spent();
        timed.realNs += spent.realNs;
        timed.cpuNs += spent.cpuNs;
    }
    const ViewState& v = state.view;
    if (!v.imageLoaded || state.batch.task.currentPosition < 2 || !v.faceAhead ||
        v.faceAhead->finding != FaceFinding::Found)
        st.SkipWithError(("not framed: " + bench.dialogs.lastMessage.toStdString()).c_str());
    reportAgainstColdOpen(st, timed, cold);
    st.SetLabel(benchPhotoSource().toStdString() + " + astronaut, grace_hopper");
}
BENCHMARK(BM_BatchStepToPrefetchedFramedImage)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
