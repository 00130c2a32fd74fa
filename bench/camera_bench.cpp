// The camera window's costs: a fast-capture shot from the press of "拍 照"
// to the file on disk (a 413 × 626 JPEG under 100 KB from a 1280 × 720
// camera picture), and the live preview's work per camera picture at
// 1280 × 720 (scaling to the preview and painting it), from which its share
// of one core at 30 pictures a second follows.
#include "camera/camera.h"
#include "camera/capture_devices.h"
#include "camera/camera_preview.h"
#include "camera/camera_window.h"
#include "bench_photo.h"
#include "bench_window.h"
#include "state/naming_schemes.h"
#include "platform/synthetic_capture_device.h"
#include "workspace/spin_edit_box.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr QSize kCameraPicture(1280, 720);

void BM_FastShotToFile(benchmark::State& st)
{
    QTemporaryDir folders;
    const QString photo = folders.filePath(QStringLiteral("camera.png"));
    benchPhoto(kCameraPicture).save(photo);
    QDir(folders.path()).mkpath(QStringLiteral("program"));
    QDir(folders.path()).mkpath(QStringLiteral("out"));
    const QString out = folders.filePath(QStringLiteral("out"));

    BenchWindow bench(folders.path(), [&photo] {
        return std::unique_ptr<CaptureDevice>(
            MakeSyntheticCaptureDevice({SyntheticCameraRequest::Kind::Still, photo}));
    });
    AppState& state = bench.state;
    MainWindow& window = bench.window;
    const BenchDialogs& dialogs = bench.dialogs;
    window.findChild<SpinEditBox*>(QStringLiteral("像素宽编辑框"))->setText(QStringLiteral("413"));
    window.findChild<SpinEditBox*>(QStringLiteral("像素高编辑框"))->setText(QStringLiteral("626"));
    window.findChild<QLineEdit*>(QStringLiteral("JPG体积编辑框"))->setText(QStringLiteral("100"));
    FastCaptureSettings& fast = state.camera.fast;
    fast.fastSaveDir = out;
    fast.fastExtension = QStringLiteral(".JPG");
    fast.fastNamingMode = fastNamingSchemes()[1];
    window.cameraForTest()->openCameraWindow();
    CameraWindow* camera = window.cameraForTest()->windowForTest();
    camera->findChild<QCheckBox*>(QStringLiteral("启用速拍选择框"))->click();
    auto* shoot = camera->findChild<QPushButton*>(QStringLiteral("拍照按钮"));
    const QString written = out + QStringLiteral("/0001.jpg");

    qint64 size = 0;
    for (auto _ : st) {
        shoot->click();
        st.PauseTiming();
        size = QFileInfo(written).size();
        QFile::remove(written);
        st.ResumeTiming();
    }
    if (size <= 0 || size > 100 * 1024 || state.frame.frameWidth != 413 || state.frame.frameHeight != 626)
        st.SkipWithError(("no 413 × 626 file under 100 KB: " + std::to_string(size) + " bytes; " +
                          dialogs.lastMessage.toStdString()).c_str());
    st.counters["file_KB"] = double(size) / 1024;
    st.SetLabel(benchPhotoSource().toStdString());
}
BENCHMARK(BM_FastShotToFile)->MeasureProcessCPUTime()->UseRealTime()->Unit(benchmark::kMillisecond);

// One camera picture through the preview: taken, scaled to the preview and
// painted. Two different pictures alternate, so each one is new.
void BM_PreviewPerPicture(benchmark::State& st)
{
    const QImage pictures[] = {benchPhoto(kCameraPicture).convertToFormat(QImage::Format_RGB32),
                               benchPhoto(kCameraPicture).mirrored(true, false).convertToFormat(QImage::Format_RGB32)};
    CameraPreview preview;
    preview.resize(int(st.range(0)), int(st.range(1)));
    QImage screen(preview.size(), QImage::Format_RGB32);
    int n = 0;
    for (auto _ : st) {
        preview.showFrame(pictures[n++ % 2]);
        preview.render(&screen);
        benchmark::DoNotOptimize(screen.constBits());
    }
    // Share of one core at 30 camera pictures a second: 30 × the CPU time
    // per picture (Qt scales large pictures on helper threads, so the
    // process's CPU time is measured).
    st.counters["core_share_at_30fps"] = benchmark::Counter(
        1.0 / 30, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
// The design preview for a wide camera, and the preview a 413 × 626 frame needs.
BENCHMARK(BM_PreviewPerPicture)
    ->Args({412, 231})
    ->Args({1166, 656})
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
