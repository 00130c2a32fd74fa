#include "workspace/picture_scaling.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr int kWeightBits = 12;
constexpr int kWeightOne = 1 << kWeightBits;
// Halved copies stop once the next one would be smaller than this.
constexpr int kSmallestLevel = 64;

// The source pixels one scaled pixel reads and their weights (summing to kWeightOne).
struct Contribution {
    int first = 0;
    std::vector<int> weights;
};

// Reducing: the source interval [x·s/d, (x+1)·s/d) with each pixel weighted
// by its overlap. Enlarging: the two source pixels around the scaled pixel's
// centre. Depends only on x, s and d.
Contribution contributionOf(int x, int source, int scaled)
{
    Contribution c;
    if (scaled <= source) {
        const double step = double(source) / scaled;
        const double start = x * step;
        const double end = std::min(double(source), (x + 1) * step);
        const int first = int(std::floor(start));
        const int last = std::min(source - 1, int(std::ceil(end)) - 1);
        c.first = first;
        int given = 0;
        for (int i = first; i <= last; ++i) {
            const double overlap = std::min(end, double(i + 1)) - std::max(start, double(i));
            const int w = i == last ? kWeightOne - given : int(std::lround(overlap / step * kWeightOne));
            c.weights.push_back(w);
            given += w;
        }
        return c;
    }
    const double centre = (x + 0.5) * source / scaled - 0.5;
    const int i0 = std::clamp(int(std::floor(centre)), 0, source - 1);
    const int i1 = std::min(i0 + 1, source - 1);
    const double frac = std::clamp(centre - i0, 0.0, 1.0);
    const int w1 = i1 == i0 ? 0 : int(std::lround(frac * kWeightOne));
    c.first = i0;
    c.weights = {kWeightOne - w1};
    if (i1 != i0)
        c.weights.push_back(w1);
    return c;
}

std::vector<Contribution> contributions(int from, int to, int source, int scaled)
{
    std::vector<Contribution> all;
    all.reserve(size_t(to - from));
    for (int x = from; x < to; ++x)
        all.push_back(contributionOf(x, source, scaled));
    return all;
}

QImage halved(const QImage& image)
{
    const int w = image.width() / 2;
    const int h = image.height() / 2;
    QImage half(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(image.constScanLine(2 * y));
        const auto* b = reinterpret_cast<const QRgb*>(image.constScanLine(2 * y + 1));
        auto* out = reinterpret_cast<QRgb*>(half.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const QRgb p[4] = {a[2 * x], a[2 * x + 1], b[2 * x], b[2 * x + 1]};
            const auto sum = [&p](int shift) {
                return ((p[0] >> shift & 0xFF) + (p[1] >> shift & 0xFF) + (p[2] >> shift & 0xFF) +
                        (p[3] >> shift & 0xFF) + 2) / 4;
            };
            out[x] = 0xFF000000u | sum(16) << 16 | sum(8) << 8 | sum(0);
        }
    }
    return half;
}

// The level that still has at least the scaled size in both directions.
const QImage& levelFor(const PictureLevels& levels, QSize scaled)
{
    size_t chosen = 0;
    for (size_t i = 1; i < size_t(levels.levels.size()); ++i) {
        const QImage& level = levels.levels[qsizetype(i)];
        if (level.width() < scaled.width() || level.height() < scaled.height())
            break;
        chosen = i;
    }
    return levels.levels[qsizetype(chosen)];
}

} // namespace

namespace {

// Halves the last level while the half is at least `least` both ways and
// not below the smallest level kept.
void addHalves(PictureLevels& levels, QSize least)
{
    while (true) {
        const QImage& last = levels.levels.last();
        const QSize half(last.width() / 2, last.height() / 2);
        if (half.width() < kSmallestLevel || half.height() < kSmallestLevel || half.width() < least.width() ||
            half.height() < least.height())
            return;
        levels.levels.append(halved(last));
    }
}

QImage levelZero(const QImage& picture)
{
    return picture.format() == QImage::Format_RGB32 ? picture : picture.convertToFormat(QImage::Format_RGB32);
}

} // namespace

void PrepareLevels(PictureLevels& levels, const QImage& picture)
{
    if (levels.key == picture.cacheKey() && !levels.levels.isEmpty())
        return;
    levels.levels.clear();
    levels.key = picture.cacheKey();
    if (picture.isNull())
        return;
    levels.levels.append(levelZero(picture));
    addHalves(levels, QSize(0, 0));
}

PictureLevels LevelsFor(const QImage& picture, QSize scaled)
{
    PictureLevels levels;
    if (picture.isNull())
        return levels;
    levels.levels.append(levelZero(picture));
    addHalves(levels, scaled);
    return levels;
}

QImage ScaledRegion(const PictureLevels& levels, QSize scaled, const QRect& wanted)
{
    const QRect region = wanted & QRect(QPoint(0, 0), scaled);
    if (region.isEmpty() || levels.levels.isEmpty())
        return {};
    QImage out(region.size(), QImage::Format_RGB32);
    const QImage& source = levelFor(levels, scaled);
    if (source.size() == scaled)
        return source.copy(region);

    const std::vector<Contribution> across =
        contributions(region.left(), region.right() + 1, source.width(), scaled.width());
    const std::vector<Contribution> down =
        contributions(region.top(), region.bottom() + 1, source.height(), scaled.height());
    // Across first, for the source rows a band of scaled rows reads (three
    // channels per scaled column), then down, rounding once at the end. In
    // bands, so that the rows held stay a small part of a large picture's;
    // each scaled row's arithmetic is the same whatever the band.
    constexpr int kBandRows = 64;
    const int columns = region.width();
    std::vector<int32_t> rows;
    constexpr int64_t half = int64_t(1) << (2 * kWeightBits - 1);
    const auto channel = [](int64_t v) { return uint32_t(std::clamp<int64_t>((v + half) >> (2 * kWeightBits), 0, 255)); };
    for (int bandStart = 0; bandStart < region.height(); bandStart += kBandRows) {
        const int bandEnd = std::min(region.height(), bandStart + kBandRows);
        const int firstRow = down[size_t(bandStart)].first;
        const Contribution& lastDown = down[size_t(bandEnd - 1)];
        const int lastRow = lastDown.first + int(lastDown.weights.size()) - 1;
        rows.resize(size_t(lastRow - firstRow + 1) * size_t(columns) * 3);
        for (int y = firstRow; y <= lastRow; ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(source.constScanLine(y));
            int32_t* into = rows.data() + size_t(y - firstRow) * size_t(columns) * 3;
            for (int x = 0; x < columns; ++x) {
                const Contribution& c = across[size_t(x)];
                int32_t r = 0, g = 0, b = 0;
                for (size_t k = 0; k < c.weights.size(); ++k) {
                    const QRgb p = line[c.first + int(k)];
                    const int32_t w = c.weights[k];
                    r += int32_t(qRed(p)) * w;
                    g += int32_t(qGreen(p)) * w;
                    b += int32_t(qBlue(p)) * w;
                }
                into[3 * x] = r;
                into[3 * x + 1] = g;
                into[3 * x + 2] = b;
            }
        }
        for (int y = bandStart; y < bandEnd; ++y) {
            const Contribution& c = down[size_t(y)];
            auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
            for (int x = 0; x < columns; ++x) {
                int64_t r = 0, g = 0, b = 0;
                for (size_t k = 0; k < c.weights.size(); ++k) {
                    const int32_t* v =
                        rows.data() + (size_t(c.first + int(k) - firstRow) * size_t(columns) + size_t(x)) * 3;
                    const int64_t w = c.weights[k];
                    r += v[0] * w;
                    g += v[1] * w;
                    b += v[2] * w;
                }
                line[x] = 0xFF000000u | channel(r) << 16 | channel(g) << 8 | channel(b);
            }
        }
    }
    return out;
}
