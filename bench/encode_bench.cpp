// EncodeCrop on crops of a photo at the two common output sizes, at limits
// that end the search at quality 100, part-way down, and below quality 0,
// beside a single JPEG encoding of the same crop.
#include "bench_photo.h"

#include "imaging/bmp_file.h"
#include "imaging/encode_crop.h"
#include "imaging/jpeg_encoder.h"

#include <benchmark/benchmark.h>

namespace {

// A crop of the photo at the output size, as the view would show it.
QImage cropOf(QSize size)
{
    const QImage photo = benchPhoto(QSize(1600, 1200));
    return photo.scaled(size * 2, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation)
        .copy(QRect(QPoint(size.width() / 2, size.height() / 4), size));
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
    const QSize size(int(st.range(0)), int(st.range(1)));
    const QImage crop = cropOf(size);
    const QByteArray bmp = encodeBmp24(crop);
    const double kb = limitKB(crop, Limit(st.range(2)));
    EncodedCrop last;
    for (auto _ : st) {
        last = EncodeCrop(bmp, QStringLiteral(".jpg"), kb);
        benchmark::DoNotOptimize(last.bytes.constData());
    }
    st.counters["bytes"] = double(last.bytes.size());
    st.SetLabel(benchPhotoSource().toStdString());
}
BENCHMARK(BM_EncodeCrop)
    ->ArgsProduct({{295}, {413}, {AtQuality100, MidWay, BelowQuality0}})
    ->ArgsProduct({{413}, {626}, {AtQuality100, MidWay, BelowQuality0}})
    ->ArgNames({"w", "h", "limit"})
    ->Unit(benchmark::kMillisecond);

void BM_SingleJpegEncoding(benchmark::State& st)
{
    const QImage crop = cropOf(QSize(int(st.range(0)), int(st.range(1))));
    JpegEncoder encoder;
    for (auto _ : st)
        benchmark::DoNotOptimize(encoder.encode(crop, 100).constData());
}
BENCHMARK(BM_SingleJpegEncoding)->Args({295, 413})->Args({413, 626})->ArgNames({"w", "h"})->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
