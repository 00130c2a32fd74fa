#include "imaging/picture_memory.h"

#ifdef __linux__
#include <sys/mman.h>

#include <cstdlib>
#endif

QImage newRgb32Picture(QSize size)
{
#ifdef __linux__
    constexpr std::size_t kLargePage = std::size_t(2) << 20;
    // Below a few large pages the saving is too small for the rounding up.
    constexpr std::size_t kLargePicture = 4 * kLargePage;
    const std::size_t stride = std::size_t(qMax(size.width(), 0)) * sizeof(QRgb);
    const std::size_t bytes = stride * std::size_t(qMax(size.height(), 0));
    if (bytes >= kLargePicture) {
        const std::size_t rounded = (bytes + kLargePage - 1) / kLargePage * kLargePage;
        void* memory = std::aligned_alloc(kLargePage, rounded);
        if (memory == nullptr)
            return {};
        madvise(memory, rounded, MADV_HUGEPAGE); // a hint: without large pages the memory works the same
        return QImage(static_cast<uchar*>(memory), size.width(), size.height(), qsizetype(stride),
                      QImage::Format_RGB32, [](void* pixels) { std::free(pixels); }, memory);
    }
#endif
    return QImage(size, QImage::Format_RGB32);
}
