// The JPEG save of a capture (capture image → file bytes) on crops of a
// photo: at limits that end the search at quality 100, part-way down and
// below quality 0; at limits of 20, 50 and 100 KB with the quality reached
// and the file size; beside a single JPEG encoding of the same crop; and,
// where Magick++ was found, beside ImageMagick's jpeg:extent at the same
// limit in bytes, with the time ratio printed at the end.
#include "platform/large_blocks.h"
#include "bench_photo.h"

#include "imaging/encode_crop.h"
#include "imaging/jpeg_encoder.h"

#include <benchmark/benchmark.h>

#include <map>
#include <set>
#include <string>

#include <unistd.h>

#ifdef IDPHOTO_HAVE_MAGICK
#include <QSysInfo>

#include <Magick++.h>
#endif

namespace {

// A crop of photo n at the output size, as the view would show it.
QImage cropOf(QSize size, int n = 0)
{
    const QImage photo = benchPhoto(n, QSize(1600, 1200));
    return photo.scaled(size * 2, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation)
        .copy(QRect(QPoint(size.width() / 2, size.height() / 4), size))
        .convertToFormat(QImage::Format_RGB32);
}

// The whole save of the crop under the limit, timed; the quality kept and
// the file size go beside the time.
void timeSave(benchmark::State& st, const QImage& crop, double limitKB, int photo = 0)
{
    EncodedCrop last;
    for (auto _ : st) {
        last = EncodeCrop(crop, QStringLiteral(".jpg"), limitKB);
        benchmark::DoNotOptimize(last.bytes.constData());
    }
    st.counters["quality"] = last.quality;
    st.counters["bytes"] = double(last.bytes.size());
    st.SetLabel(benchPhotoSource(photo).toStdString());
}

enum Limit { AtQuality100, MidWay, BelowQuality0 };

double limitKB(const QImage& crop, Limit limit)
{
    JpegEncoder encoder;
    switch (limit) {
    case AtQuality100: return 10000.0;
    case MidWay: return encoder.encode(crop, 62).size() / 1024.0;
    case BelowQuality0: return 0.001;
    }
    return 0;
}

void BM_EncodeCrop(benchmark::State& st)
{
    const QImage crop = cropOf(QSize(int(st.range(0)), int(st.range(1))));
    timeSave(st, crop, limitKB(crop, Limit(st.range(2))));
}
BENCHMARK(BM_EncodeCrop)
    ->ArgsProduct({{295}, {413}, {AtQuality100, MidWay, BelowQuality0}})
    ->ArgsProduct({{413}, {626}, {AtQuality100, MidWay, BelowQuality0}})
    ->ArgNames({"w", "h", "limit"})
    ->Unit(benchmark::kMillisecond);

// The crops and limits (KB) compared with ImageMagick, on three photos.
void limitCases(benchmark::internal::Benchmark* b)
{
    b->ArgsProduct({{295}, {413}, {20, 50, 100}, {0, 1, 2}})->ArgsProduct({{413}, {626}, {20, 50, 100}, {0, 1, 2}});
    // Both sides may use more than one thread: the processor time is the process's.
    b->ArgNames({"w", "h", "kb", "photo"})->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
}

void BM_SaveJpeg(benchmark::State& st)
{
    const int photo = int(st.range(3));
    timeSave(st, cropOf(QSize(int(st.range(0)), int(st.range(1))), photo), double(st.range(2)), photo);
}
BENCHMARK(BM_SaveJpeg)->Apply(limitCases);

void BM_SingleJpegEncoding(benchmark::State& st)
{
    const QImage crop = cropOf(QSize(int(st.range(0)), int(st.range(1))));
    JpegEncoder encoder;
    for (auto _ : st)
        benchmark::DoNotOptimize(encoder.encode(crop, 100).constData());
}
BENCHMARK(BM_SingleJpegEncoding)->Args({295, 413})->Args({413, 626})->ArgNames({"w", "h"})->Unit(benchmark::kMillisecond);

#ifdef IDPHOTO_HAVE_MAGICK
// ImageMagick from the same pixels to the file bytes: the highest quality
// whose file fits the limit in bytes, at the same 4:2:0 sampling as ours
// (ImageMagick would otherwise keep full colour at quality 90 and above).
void BM_MagickJpegExtent(benchmark::State& st)
{
    const int photo = int(st.range(3));
    const QImage crop = cropOf(QSize(int(st.range(0)), int(st.range(1))), photo);
    const std::string pixelOrder = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "BGRP" : "PRGB";
    const std::string extent = std::to_string(st.range(2) * 1024);
    Magick::Blob blob;
    for (auto _ : st) {
        Magick::Image image(size_t(crop.width()), size_t(crop.height()), pixelOrder, Magick::CharPixel,
                            crop.constBits());
        image.magick("JPEG");
        image.defineValue("jpeg", "extent", extent);
        image.defineValue("jpeg", "sampling-factor", "2x2,1x1,1x1");
        image.write(&blob);
        benchmark::DoNotOptimize(blob.data());
    }
    const Magick::Image written(blob);
    st.counters["quality"] = double(written.quality());
    st.counters["bytes"] = double(blob.length());
    st.SetLabel(benchPhotoSource(photo).toStdString() + " " + written.attribute("jpeg:sampling-factor"));
}
BENCHMARK(BM_MagickJpegExtent)->Apply(limitCases);
#endif

// The console report, then for each case measured both ways: our quality
// and size, ImageMagick's, and our time over ImageMagick's.
class ComparingReporter : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal, so that a saved report is plain text.
    ComparingReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}

    // The median over repetitions where there are several, else the one run.
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            auto& kept = results_[run.run_name.args][run.run_name.function_name];
            if (median || (run.run_type == Run::RT_Iteration && !medians_.count(run.run_name.str())))
                kept = run;
            if (median)
                medians_.insert(run.run_name.str());
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::ostream& out = GetOutputStream();
        for (const auto& [args, byName] : results_) {
            const auto ours = byName.find("BM_SaveJpeg");
            const auto magick = byName.find("BM_MagickJpegExtent");
            if (ours == byName.end() || magick == byName.end())
                continue;
            const auto counter = [](const Run& r, const char* name) { return r.counters.at(name).value; };
            out << args << ": ours quality " << counter(ours->second, "quality") << ", "
                << counter(ours->second, "bytes") << " bytes; ImageMagick quality "
                << counter(magick->second, "quality") << ", " << counter(magick->second, "bytes")
                << " bytes; time ours/ImageMagick "
                << ours->second.GetAdjustedRealTime() / magick->second.GetAdjustedRealTime()
                << " (processor time of the process " << ours->second.GetAdjustedCPUTime() / magick->second.GetAdjustedCPUTime()
                << ")\n";
        }
    }

private:
    std::map<std::string, std::map<std::string, Run>> results_;
    std::set<std::string> medians_;
};

} // namespace

int main(int argc, char** argv)
{
    ReturnLargeBlocksWhenFreed(); // as the program does at start-up
#ifdef IDPHOTO_HAVE_MAGICK
    Magick::InitializeMagick(*argv);
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::AddCustomContext("build type", IDPHOTO_BUILD_TYPE);
    ComparingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
