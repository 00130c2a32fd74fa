// Opening a large photo and showing it fitted, and one zoom step, beside a
// plain full decode of the same file.
#include "bench_photo.h"

#include "imaging/image_decoder.h"
#include "workspace/image_import.h"
#include "workspace/view_render.h"

#include <QFile>
#include <benchmark/benchmark.h>
#include <turbojpeg.h>

#include <vector>

namespace {

const QString& photoFile()
{
    static const QString path = benchJpegFile(QSize(6000, 4000));
    return path;
}

void BM_PlainTurboJpegDecode(benchmark::State& st)
{
    QFile file(photoFile());
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    tjhandle tj = tjInitDecompress();
    std::vector<unsigned char> pixels(size_t(6000) * 4000 * 4);
    for (auto _ : st) {
        const int rc = tjDecompress2(tj, reinterpret_cast<const unsigned char*>(bytes.constData()),
                                     static_cast<unsigned long>(bytes.size()), pixels.data(), 6000, 0, 4000,
                                     TJPF_BGRX, 0);
        benchmark::DoNotOptimize(rc);
    }
    tjDestroy(tj);
    st.SetLabel(benchPhotoSource().toStdString());
}
BENCHMARK(BM_PlainTurboJpegDecode)->Unit(benchmark::kMillisecond);

// The same decode into a new buffer each time, as opening a file must.
void BM_PlainTurboJpegDecodeNewBuffer(benchmark::State& st)
{
    QFile file(photoFile());
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    tjhandle tj = tjInitDecompress();
    for (auto _ : st) {
        QImage image(6000, 4000, QImage::Format_RGB32);
        const int rc = tjDecompress2(tj, reinterpret_cast<const unsigned char*>(bytes.constData()),
                                     static_cast<unsigned long>(bytes.size()), image.bits(), 6000, 0, 4000,
                                     TJPF_BGRX, 0);
        benchmark::DoNotOptimize(rc);
    }
    tjDestroy(tj);
}
BENCHMARK(BM_PlainTurboJpegDecodeNewBuffer)->Unit(benchmark::kMillisecond);

void BM_DecodeImageFile(benchmark::State& st)
{
    for (auto _ : st)
        benchmark::DoNotOptimize(decodeImageFile(photoFile()));
}
BENCHMARK(BM_DecodeImageFile)->Unit(benchmark::kMillisecond);

void BM_OpenAndShowFitted(benchmark::State& st)
{
    for (auto _ : st)
        benchmark::DoNotOptimize(openAndShowFitted(photoFile()));
}
BENCHMARK(BM_OpenAndShowFitted)->Unit(benchmark::kMillisecond);

// One zoom step of 1.02 from the fitted scale (range 0) or from scale 1 (range 1).
void BM_ZoomOneStep(benchmark::State& st)
{
    AppState state;
    Workspace ws;
    ResizeViewPanels(ws, QSize(411, 279));
    MakeCurrentImageFromFile(state, ws, photoFile());
    const double from = st.range(0) == 0 ? state.view.viewScale : 1.0;
    for (auto _ : st) {
        state.view.viewScale = from;
        ZoomView(state, ws, 1.02);
        benchmark::DoNotOptimize(ws.view.constBits());
    }
    st.SetLabel(st.range(0) == 0 ? "from fitted" : "from full size");
}
BENCHMARK(BM_ZoomOneStep)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
