// The view's cost per step, for a 1-MP and a 24-MP photo side by side: one
// zoom step and one scroll step, at the fitted scale and near full size.
// Only the shown part is rendered, so the two should cost about the same.
#include "bench_photo.h"

#include "workspace/view_geometry.h"
#include "workspace/view_render.h"

#include <benchmark/benchmark.h>

namespace {

QSize photoSize(int megapixels)
{
    return megapixels >= 24 ? QSize(6000, 4000) : QSize(1224, 816);
}

// A view of the design size showing the photo at the fitted scale (0) or at 0.98 (1).
struct ShownPhoto {
    AppState state;
    Workspace ws;

    ShownPhoto(int megapixels, int nearFull)
    {
        ResizeViewPanels(ws, QSize(411, 279));
        ViewState& v = state.view;
        v.imageLoaded = true;
        v.currentPicture = benchPhoto(photoSize(megapixels));
        v.scrollRatioX = v.scrollRatioY = 0.5;
        v.viewScale = nearFull ? 0.98 : FitScale(v.currentPicture.size(), ws.image.size());
        RenderView(state, ws);
    }
};

void BM_ZoomStep(benchmark::State& st)
{
    ShownPhoto shown(int(st.range(0)), int(st.range(1)));
    const double from = shown.state.view.viewScale;
    for (auto _ : st) {
        shown.state.view.viewScale = from;
        ZoomView(shown.state, shown.ws, 1.02);
        benchmark::DoNotOptimize(shown.ws.view.constBits());
    }
    st.SetLabel(std::to_string(st.range(0)) + " MP, " + (st.range(1) ? "near full size" : "fitted"));
}
BENCHMARK(BM_ZoomStep)->ArgsProduct({{1, 24}, {0, 1}})->Unit(benchmark::kMillisecond);

void BM_ScrollStep(benchmark::State& st)
{
    ShownPhoto shown(int(st.range(0)), int(st.range(1)));
    int step = 0;
    for (auto _ : st) {
        const ScrollBarSetting& h = shown.ws.hBar;
        const ScrollBarSetting& v = shown.ws.vBar;
        ++step;
        ScrollView(shown.state, shown.ws, h.maximum > 0 ? (h.position + 7 * step) % (h.maximum + 1) : 0,
                   v.maximum > 0 ? (v.position + 5 * step) % (v.maximum + 1) : 0);
        benchmark::DoNotOptimize(shown.ws.view.constBits());
    }
    st.SetLabel(std::to_string(st.range(0)) + " MP, " + (st.range(1) ? "near full size" : "fitted"));
}
BENCHMARK(BM_ScrollStep)->ArgsProduct({{1, 24}, {0, 1}})->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
