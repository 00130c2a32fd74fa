// Opening a 24-megapixel camera photo, as a JPEG file, for the view. Each
// figure is timed beside a plain TurboJPEG decode of the same file into a
// new buffer, the two taken in turn in the same run, and the ratio is given:
//  - the reduced decode for the 411 x 279 view and fitting it there;
//  - the whole decode;
// each with EXIF orientation 1 and 6. Then the peak resident memory of each
// way of opening, measured in a fresh process per case (VmHWM less VmRSS
// before the open), as a multiple of the whole picture's decoded bytes.
#include "platform/large_blocks.h"
#include "bench_photo.h"

#include "imaging/image_decoder.h"
#include "workspace/image_import.h"
#include "support/test_images.h"
#include "workspace/view_render.h"

#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>
#include <turbojpeg.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>

extern char** environ;

namespace {

const QSize kPhotoSize(6000, 4000);
const QSize kViewSize(411, 279);

// The photo as a JPEG file with the given EXIF orientation.
const QString& photoFile(int orientation)
{
    static std::map<int, QString> files;
    QString& path = files[orientation];
    if (path.isEmpty()) {
        path = QDir::temp().filePath(QStringLiteral("idphoto-decode-bench-%1.jpg").arg(orientation));
        QFile file(path);
        const QByteArray jpeg = jpegWithOrientation(benchPhoto(kPhotoSize), orientation);
        if (!file.open(QIODevice::WriteOnly) || file.write(jpeg) != jpeg.size())
            path.clear();
    }
    return path;
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The plain decode: the whole stored picture into a new buffer, no turn.
QImage plainTurboDecode(tjhandle tj, const QByteArray& bytes)
{
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    const auto size = static_cast<unsigned long>(bytes.size());
    int width = 0, height = 0, subsampling = 0, colourspace = 0;
    if (tjDecompressHeader3(tj, data, size, &width, &height, &subsampling, &colourspace) != 0)
        return {};
    QImage image(width, height, QImage::Format_RGB32);
    if (tjDecompress2(tj, data, size, image.bits(), width, int(image.bytesPerLine()), height, TJPF_BGRX, 0) != 0)
        return {};
    return image;
}

// Opening for the view: the reduced decode, then fitting it in the view as a
// newly opened picture is fitted.
QImage openFitted(const QString& path)
{
    AppState state;
    Workspace ws;
    ResizeViewPanels(ws, kViewSize);
    MakeCurrentImageFromShot(state, ws, decodeImageFileReduced(path, kViewSize).picture);
    return ws.view;
}

using Clock = std::chrono::steady_clock;

template <class Work>
double secondsOf(Work&& work)
{
    const auto start = Clock::now();
    benchmark::DoNotOptimize(work());
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Times `open` and the plain decode in turn; the benchmark's time is that of `open`.
template <class Open>
void againstPlainDecode(benchmark::State& st, Open&& open)
{
    const int orientation = int(st.range(0));
    const QString& path = photoFile(orientation);
    const QByteArray bytes = fileBytes(path);
    tjhandle tj = tjInitDecompress();
    double openSeconds = 0, plainSeconds = 0;
    for (auto _ : st) {
        const double seconds = secondsOf([&] { return open(path); });
        st.SetIterationTime(seconds);
        openSeconds += seconds;
        plainSeconds += secondsOf([&] { return plainTurboDecode(tj, bytes); });
    }
    tjDestroy(tj);
    const double n = double(st.iterations());
    st.counters["open_ms"] = openSeconds / n * 1e3;
    st.counters["plain_ms"] = plainSeconds / n * 1e3;
    st.counters["ratio"] = openSeconds / plainSeconds;
    st.SetLabel("orientation " + std::to_string(orientation) + ", " + benchPhotoSource().toStdString());
}

void BM_OpenFittedVsPlainDecode(benchmark::State& st)
{
    againstPlainDecode(st, [](const QString& path) { return openFitted(path); });
}
BENCHMARK(BM_OpenFittedVsPlainDecode)->Arg(1)->Arg(6)->UseManualTime()->Unit(benchmark::kMillisecond);

// The photo's file with an Adobe RGB (1998) profile embedded (from Debian's
// icc-profiles-free, public domain, in bench/data), which its decode then
// converts to sRGB.
const QString& profiledPhotoFile()
{
    static QString path;
    if (path.isEmpty()) {
        const QByteArray profile = fileBytes(QStringLiteral(IDPHOTO_BENCH_DATA "/compatibleWithAdobeRGB1998.icc"));
        QByteArray segment("\xFF\xE2", 2);
        const int length = 2 + 14 + int(profile.size());
        segment.append(char(length >> 8)).append(char(length & 0xFF));
        segment.append("ICC_PROFILE\0\x01\x01", 14).append(profile);
        QByteArray jpeg = fileBytes(photoFile(1));
        jpeg.insert(2, segment);
        path = QDir::temp().filePath(QStringLiteral("idphoto-decode-bench-adobe.jpg"));
        QFile file(path);
        if (profile.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(jpeg) != jpeg.size())
            path.clear();
    }
    return path;
}

// The whole decode of a photo with a colour profile against the same photo
// without one: the conversion's cost. The benchmark's time is the decode
// with the profile.
void BM_WholeDecodeWithProfileVsWithout(benchmark::State& st)
{
    const QString& profiled = profiledPhotoFile();
    const QString& plain = photoFile(1);
    double with = 0, without = 0;
    for (auto _ : st) {
        const double seconds = secondsOf([&] { return decodeImageFile(profiled); });
        st.SetIterationTime(seconds);
        with += seconds;
        without += secondsOf([&] { return decodeImageFile(plain); });
    }
    const double n = double(st.iterations());
    st.counters["with_profile_ms"] = with / n * 1e3;
    st.counters["without_ms"] = without / n * 1e3;
    st.counters["conversion_ms"] = (with - without) / n * 1e3;
    st.SetLabel("Adobe RGB (1998), 6000 x 4000, " + benchPhotoSource().toStdString());
}
BENCHMARK(BM_WholeDecodeWithProfileVsWithout)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_WholeDecodeVsPlainDecode(benchmark::State& st)
{
    againstPlainDecode(st, [](const QString& path) { return decodeImageFile(path); });
}
BENCHMARK(BM_WholeDecodeVsPlainDecode)->Arg(1)->Arg(6)->UseManualTime()->Unit(benchmark::kMillisecond);

// --- Peak resident memory, each case in a fresh process.

enum class Way { Plain, Whole, Reduced, Refused };
const char* const kWayNames[] = {"plain TurboJPEG decode", "whole decode", "reduced decode for the view",
                                 "a file the decoder must refuse"};

long statusKiB(const char* field)
{
    FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return -1;
    char line[256];
    long value = -1;
    const std::size_t length = std::strlen(field);
    while (std::fgets(line, sizeof line, status))
        if (std::strncmp(line, field, length) == 0 && line[length] == ':')
            value = std::strtol(line + length + 1, nullptr, 10);
    std::fclose(status);
    return value;
}

// The child: opens the file one way and prints its peak growth in KiB.
int measurePeak(const char* path, Way way)
{
    const QString file = QString::fromLocal8Bit(path);
    const long before = statusKiB("VmRSS");
    bool opened = false;
    if (way == Way::Plain) {
        tjhandle tj = tjInitDecompress();
        opened = !plainTurboDecode(tj, fileBytes(file)).isNull();
        tjDestroy(tj);
    } else if (way == Way::Whole) {
        opened = !decodeImageFile(file).isNull();
    } else if (way == Way::Reduced) {
        opened = !decodeImageFileReduced(file, kViewSize).picture.isNull();
    } else {
        // The memory its refusal took; nothing when it was opened after all.
        opened = decodeImageFile(file).isNull() && decodeImageFileReduced(file, kViewSize).picture.isNull();
    }
    std::printf("%ld\n", opened ? statusKiB("VmHWM") - before : -1);
    return 0;
}

// Runs this program again as the child for one case; its answer in KiB.
long peakInFreshProcess(const QString& path, Way way)
{
    int out[2];
    if (pipe(out) != 0)
        return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const std::string file = path.toStdString();
    const std::string wayArg = std::to_string(int(way));
    char* args[] = {const_cast<char*>("decode_bench"), const_cast<char*>("--peak-of"),
                    const_cast<char*>(file.c_str()), const_cast<char*>(wayArg.c_str()), nullptr};
    pid_t child = 0;
    const int spawned = posix_spawn(&child, "/proc/self/exe", &actions, nullptr, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    char answer[64] = {};
    const ssize_t got = spawned == 0 ? read(out[0], answer, sizeof answer - 1) : -1;
    close(out[0]);
    int status = 0;
    if (spawned == 0)
        waitpid(child, &status, 0);
    return got > 0 ? std::strtol(answer, nullptr, 10) : -1;
}

void BM_PeakResidentOverDecodedBytes(benchmark::State& st)
{
    const Way way = Way(st.range(0));
    const int orientation = int(st.range(1));
    const QString& path = photoFile(orientation);
    long peakKiB = -1;
    for (auto _ : st)
        peakKiB = peakInFreshProcess(path, way);
    const double decodedBytes = double(kPhotoSize.width()) * kPhotoSize.height() * 4;
    st.counters["peak_MiB"] = double(peakKiB) / 1024;
    st.counters["x_decoded"] = double(peakKiB) * 1024 / decodedBytes;
    st.counters["file_MiB"] = double(QFile(path).size()) / (1024 * 1024);
    st.SetLabel(std::string(kWayNames[int(way)]) + ", orientation " + std::to_string(orientation));
}
BENCHMARK(BM_PeakResidentOverDecodedBytes)
    ->Args({int(Way::Plain), 6})
    ->Args({int(Way::Whole), 1})
    ->Args({int(Way::Whole), 6})
    ->Args({int(Way::Reduced), 6})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// A few hundred bytes whose header declares 12247 x 12247 (150 MP), plain
// and turned by EXIF: the time to refuse it, and in a fresh process the
// memory the refusal took.
void BM_RefusingADeclaredSizeBomb(benchmark::State& st)
{
    const int orientation = int(st.range(0));
    QImage tiny(8, 8, QImage::Format_RGB32);
    tiny.fill(Qt::gray);
    QByteArray bomb = jpegDeclaringSize(encodeAs(tiny, "jpeg", 75), 12247, 12247);
    if (orientation != 1)
        bomb = withExifOrientation(bomb, orientation);
    const QString path = QDir::temp().filePath(QStringLiteral("idphoto-bomb-%1.jpg").arg(orientation));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bomb) != bomb.size()) {
        st.SkipWithError("cannot write the file");
        return;
    }
    file.close();
    bool refused = true;
    for (auto _ : st)
        refused = refused && decodeImageBytes(bomb).isNull();
    st.counters["file_bytes"] = double(bomb.size());
    st.counters["refused"] = refused ? 1 : 0;
    st.counters["peak_MiB"] = double(peakInFreshProcess(path, Way::Refused)) / 1024;
    st.SetLabel("orientation " + std::to_string(orientation));
}
BENCHMARK(BM_RefusingADeclaredSizeBomb)->Arg(1)->Arg(6)->Arg(8)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    ReturnLargeBlocksWhenFreed(); // as the program does at start-up
    if (argc == 4 && std::strcmp(argv[1], "--peak-of") == 0)
        return measurePeak(argv[2], Way(std::atoi(argv[3])));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
