// Peak memory over what a user does with large photos: open a 24-MP photo,
// zoom in with the wheel to full size (the whole picture is decoded on the
// way), then open a second 24-MP photo, this one turned by its EXIF
// orientation (6: a quarter turn clockwise). Reported against the bytes of one
// decoded photo (6000 × 4000 × 4): the peak resident memory above what the
// program held before the first open, read from the kernel's high-water mark.
#include "bench_photo.h"
#include "bench_window.h"
#include "support/test_images.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QWheelEvent>
#include <benchmark/benchmark.h>

#include <utility>

namespace {

constexpr QSize kPhoto(6000, 4000);

// A field of /proc/self/status in kB.
qint64 statusKb(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qsizetype(qstrlen(field))).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

// Lets the background decodes finish and their results arrive.
void settle()
{
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
}

void BM_PeakMemoryOpenZoomOpenAgain(benchmark::State& st)
{
    // Memory freed by an earlier run stays with the allocator (the large
    // pictures raise its mmap threshold), so a second run in this process
    // would start above its true baseline and report too little.
    static bool ranBefore = false;
    if (std::exchange(ranBefore, true)) {
        st.SkipWithError("runs once per process: repetitions would understate the peak");
        return;
    }
    QTemporaryDir folders;
    const QString first = benchJpegFile(kPhoto);
    const QString second = folders.filePath(QStringLiteral("second.jpg"));
    {
        QFile in(first);
        QFile out(second);
        if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly) ||
            out.write(withExifOrientation(in.readAll(), 6)) < 0) {
            st.SkipWithError("cannot write the second photo");
            return;
        }
    }

    double peakRatio = 0;
    double fullScale = 0;
    double zoomRatio = 0;
    for (auto _ : st) {
        BenchWindow bench(folders.path());
        bench.dialogs = BenchDialogs(first);
        AppState& state = bench.state;
        MainWindow& window = bench.window;
        QWidget* view = window.findChild<QWidget*>(QStringLiteral("可视画板"));
        settle();

        // The high-water mark starts again from here (Linux 4.0 and later).
        QFile clear(QStringLiteral("/proc/self/clear_refs"));
        if (!clear.open(QIODevice::WriteOnly) || clear.write("5") != 1) {
            st.SkipWithError("cannot reset the peak resident memory");
            return;
        }
        clear.close();
        const qint64 before = statusKb("VmRSS:");

        window.openImageFile();
        settle();
        while (state.view.viewScale < 1.0) {
            QWheelEvent wheel(QPointF(50, 50), view->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(view, &wheel);
            settle();
        }
        fullScale = state.view.viewScale;
        const qint64 zoomPeak = statusKb("VmHWM:");
        bench.dialogs = BenchDialogs(second);
        window.openImageFile();
        settle();

        const qint64 peak = statusKb("VmHWM:");
        const double photoBytes = double(kPhoto.width()) * kPhoto.height() * 4;
        peakRatio = double(peak - before) * 1024 / photoBytes;
        zoomRatio = double(zoomPeak - before) * 1024 / photoBytes;
        if (state.view.pictureFile != second)
            st.SkipWithError("the second photo did not open");
    }
    st.counters["peak_per_decoded_photo"] = peakRatio;
    st.counters["peak_to_full_zoom"] = zoomRatio;
    st.counters["scale_reached"] = fullScale;
    st.SetLabel(benchPhotoSource().toStdString());
}
BENCHMARK(BM_PeakMemoryOpenZoomOpenAgain)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
