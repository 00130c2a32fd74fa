// The unattended batch on 12-MP JPEG portraits (the tests' portraits scaled
// into the benchmarks' photo, 4000 × 3000): the whole cost of one photo on
// one thread (read, decode as far as needed, find the head, frame, encode a
// 358 × 441 JPEG under 50 KB, write it) against a plain full decode of the
// same photo timed in the same run (x_full_decode); and a folder framed by
// one thread and by two, in turns, with the photos a second of each and
// the throughput of two against one (x_one_thread).
#include "platform/large_blocks.h"
#include "bench_photo.h"
#include "imaging/encode_crop.h"
#include "imaging/image_decoder.h"
#include "imaging/image_file_bytes.h"
#include "imaging/opencv_face_finder.h"
#include "platform/atomic_file.h"
#include "platform/clock.h"
#include "unattended/framing_run.h"
#include "unattended/photo_framing.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

constexpr QSize kPhoto(4000, 3000);
constexpr QSize kOutput(358, 441);
constexpr int kFolderPhotos = 12;

const QStringList& photoFiles()
{
    static const QStringList files{facePhotoFile("grace_hopper", kPhoto), facePhotoFile("astronaut", kPhoto)};
    return files;
}

// The median of nine full decodes of each photo, averaged over the photos.
double fullDecodeNs()
{
    double sum = 0;
    for (const QString& file : photoFiles()) {
        std::vector<double> times;
        for (int i = 0; i < 9; ++i) {
            QElapsedTimer timer;
            timer.start();
            benchmark::DoNotOptimize(decodeImageFile(file));
            times.push_back(double(timer.nsecsElapsed()));
        }
        std::sort(times.begin(), times.end());
        sum += times[times.size() / 2];
    }
    return sum / double(photoFiles().size());
}

void BM_FullDecode(benchmark::State& st)
{
    const QString file = photoFiles().first();
    for (auto _ : st)
        benchmark::DoNotOptimize(decodeImageFile(file));
    st.SetLabel(benchPhotoSource().toStdString() + " + grace_hopper");
}
BENCHMARK(BM_FullDecode)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OnePhotoWhole(benchmark::State& st)
{
    const double decode = fullDecodeNs();
    QTemporaryDir out;
    OpenCvFaceFinder finder;
    const int threadsBefore = SetThreadsPerSearch(1); // one core, as in a run
    int index = 0;
    bool framedAll = true;
    QElapsedTimer timer;
    timer.start();
    for (auto _ : st) {
        const QString file = photoFiles()[index % photoFiles().size()];
        const FramedPhoto framed = FramePhotoBytes(readImageFileBytes(file), kOutput, finder);
        framedAll = framedAll && framed.outcome == PhotoFraming::Framed;
        const EncodedCrop encoded = EncodeCrop(framed.crop, QStringLiteral(".jpg"), 50);
        writeFileAtomically(out.filePath(QStringLiteral("%1.jpg").arg(index++)), encoded.bytes);
    }
    const double spent = double(timer.nsecsElapsed());
    SetThreadsPerSearch(threadsBefore);
    if (!framedAll)
        st.SkipWithError("a photo was not framed");
    st.counters["full_decode_ms"] = decode / 1e6;
    st.counters["x_full_decode"] = spent / double(st.iterations()) / decode;
    st.SetLabel(benchPhotoSource().toStdString() + " + grace_hopper, astronaut");
}
BENCHMARK(BM_OnePhotoWhole)->Unit(benchmark::kMillisecond)->UseRealTime();

// Seconds for a run over `folder` with `jobs` threads.
double runSeconds(const QString& folder, int jobs, const Clock& clock)
{
    QTemporaryDir save;
    FramingJob job;
    job.sourceFolder = folder;
    job.saveFolder = save.path();
    job.output = kOutput;
    job.naming = FramingNaming::Sequence;
    job.jobs = jobs;
    FramingRun run(job, MakeSystemFaceFinder, clock);
    QEventLoop loop;
    bool ended = false;
    QObject::connect(&run, &FramingRun::finished, &loop, [&] {
        ended = true;
        loop.quit();
    });
    QElapsedTimer timer;
    timer.start();
    run.start();
    if (!ended)
        loop.exec();
    return double(timer.nsecsElapsed()) / 1e9;
}

void BM_FolderOneThreadThenTwo(benchmark::State& st)
{
    QTemporaryDir folder;
    for (int i = 0; i < kFolderPhotos; ++i)
        QFile::copy(photoFiles()[i % photoFiles().size()], folder.filePath(QStringLiteral("%1.jpg").arg(i + 1)));
    const SystemClock clock;
    double one = 0;
    double two = 0;
    for (auto _ : st) {
        one += runSeconds(folder.path(), 1, clock);
        two += runSeconds(folder.path(), 2, clock);
    }
    const double n = double(st.iterations());
    st.counters["photos_per_s_1"] = kFolderPhotos * n / one;
    st.counters["photos_per_s_2"] = kFolderPhotos * n / two;
    st.counters["x_one_thread"] = one / two;
    st.SetLabel(QStringLiteral("%1 photos, 4000x3000").arg(kFolderPhotos).toStdString());
}
BENCHMARK(BM_FolderOneThreadThenTwo)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(3);

} // namespace

// The runs deliver their results through the event loop.
int main(int argc, char** argv)
{
    ReturnLargeBlocksWhenFreed(); // as the program does at start-up
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
