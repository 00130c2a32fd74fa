#include "imaging/head_outline.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Colours counted in bins of 8 levels per channel. The share of the counted
// colours near a colour takes the bins up to two away: differences under 16
// levels always count (noise, shading), 24 and more never do.
class ColourCounts {
public:
    void add(QRgb c, int step = 1)
    {
        counts_[bin(c)] += step;
        total_ += step;
    }

    double shareNear(QRgb c) const
    {
        if (total_ <= 0)
            return 0.0;
        const int r = qRed(c) >> 3;
        const int g = qGreen(c) >> 3;
        const int b = qBlue(c) >> 3;
        qint64 near = 0;
        for (int rr = std::max(r - 2, 0); rr <= std::min(r + 2, 31); ++rr)
            for (int gg = std::max(g - 2, 0); gg <= std::min(g + 2, 31); ++gg)
                for (int bb = std::max(b - 2, 0); bb <= std::min(b + 2, 31); ++bb)
                    near += counts_[std::size_t(rr << 10 | gg << 5 | bb)];
        return double(near) / total_;
    }

private:
    static std::size_t bin(QRgb c) { return std::size_t((qRed(c) >> 3) << 10 | (qGreen(c) >> 3) << 5 | qBlue(c) >> 3); }

    std::vector<int> counts_ = std::vector<int>(32 * 32 * 32, 0);
    qint64 total_ = 0;
};

// The backdrop beside the head, against the head's own colours. A colour is
// the backdrop's when it is near the blend of the two sides' mean colours at
// its column - a backdrop that shades from one side to the other - or when it
// is seen beside the head at least as often as on the part known to be the
// head - a backdrop of several colours, as a flag, whose dark folds must not
// swallow black hair.
class Backdrop {
public:
    void add(int side, int x, QRgb c, int step = 1)
    {
        seen_.add(c, step);
        Sum& s = sums_[side];
        s.x += step * x;
        s.r += step * qRed(c);
        s.g += step * qGreen(c);
        s.b += step * qBlue(c);
        s.n += step;
    }
    void addHead(QRgb c) { head_.add(c); }

    bool holds(double x, QRgb c) const
    {
        if (nearBlend(x, c))
            return true;
        const double beside = seen_.shareNear(c);
        return beside > 0.0 && beside >= head_.shareNear(c);
    }

private:
    struct Sum {
        qint64 x = 0, r = 0, g = 0, b = 0, n = 0;
    };

    bool nearBlend(double x, QRgb c) const
    {
        const Sum& l = sums_[0];
        const Sum& r = sums_[1];
        if (l.n == 0 && r.n == 0)
            return false;
        const auto mean = [](const Sum& s, qint64 Sum::*channel) { return s.n ? double(s.*channel) / s.n : 0.0; };
        // Where x lies between the two sides' samples; one side alone gives its own colour.
        const double leftX = mean(l, &Sum::x);
        const double rightX = mean(r, &Sum::x);
        const double t = l.n == 0 ? 1.0
                         : r.n == 0 ? 0.0
                                    : std::clamp((x - leftX) / std::max(1.0, rightX - leftX), 0.0, 1.0);
        const auto blend = [&](qint64 Sum::*channel) {
            return mean(l, channel) + t * (mean(r, channel) - mean(l, channel));
        };
        return std::abs(qRed(c) - blend(&Sum::r)) <= kBlendTolerance &&
               std::abs(qGreen(c) - blend(&Sum::g)) <= kBlendTolerance &&
               std::abs(qBlue(c) - blend(&Sum::b)) <= kBlendTolerance;
    }

    static constexpr double kBlendTolerance = 20.0;
    ColourCounts seen_;
    ColourCounts head_;
    Sum sums_[2];
};

// A run of columns, clipped to the picture; empty when from > to.
struct Span {
    int from = 0;
    int to = -1;
    bool empty() const { return from > to; }
    int size() const { return empty() ? 0 : to - from + 1; }
};

Span columns(double from, double to, int width)
{
    return {std::max(0, int(std::ceil(from))), std::min(width - 1, int(std::floor(to)))};
}

QRgb pixelAt(const QImage& image, int x, int y)
{
    return reinterpret_cast<const QRgb*>(image.constScanLine(y))[x];
}

int atLeast(int least, double v)
{
    return std::max(least, int(std::lround(v)));
}

// The backdrop is sampled this far beside the face's centre, in face widths:
// beyond the widest hair, before the edge of a wide picture.
constexpr double kBesideNear = 0.85;
constexpr double kBesideFar = 1.35;

// A row across the head's middle belongs to the head when this share of its
// pixels is not the backdrop: a rounded crown fills only part of the strip.
constexpr double kHeadRowShare = 0.3;
// A column beside the face is the backdrop when this share of its band is.
constexpr double kBackdropColumnShare = 0.6;

} // namespace

std::optional<double> HairTopY(const QImage& picture, const QRectF& face, double centreX)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    const double fw = face.width();
    const double fh = face.height();
    if (image.isNull() || !(fw > 0) || !(fh > 0))
        return std::nullopt;
    const int width = image.width();
    const int height = image.height();
    const Span strip = columns(centreX - 0.25 * fw, centreX + 0.25 * fw, width);
    const Span sides[] = {columns(centreX - kBesideFar * fw, centreX - kBesideNear * fw, width),
                          columns(centreX + kBesideNear * fw, centreX + kBesideFar * fw, width)};
    if (strip.empty() || (sides[0].empty() && sides[1].empty()))
        return std::nullopt;

    // Backdrop colours from a few rows above and below the row looked at.
    const int reach = atLeast(2, 0.05 * fh);
    const int gapRows = atLeast(2, 0.05 * fh);
    Backdrop backdrop;
    const auto sampleRow = [&](int y, bool add) {
        if (y < 0 || y >= height)
            return;
        for (int side = 0; side < 2; ++side)
            for (int x = sides[side].from; x <= sides[side].to; x += 2)
                backdrop.add(side, x, pixelAt(image, x, y), add ? 1 : -1);
    };
    const auto isHeadRow = [&](int y) {
        int head = 0;
        for (int x = strip.from; x <= strip.to; ++x)
            head += backdrop.holds(x, pixelAt(image, x, y)) ? 0 : 1;
        return head >= kHeadRowShare * strip.size();
    };

    const int start = std::clamp(int(face.top() + 0.1 * fh), 0, height - 1);
    const int limit = std::max(0, int(face.top() - fh));
    // The head's colours: the strip from the face box's top down to the start
    // (hair or a fringe, the forehead).
    for (int y = std::max(0, int(face.top())); y <= start; ++y)
        for (int x = strip.from; x <= strip.to; ++x)
            backdrop.addHead(pixelAt(image, x, y));
    for (int y = start - reach; y <= start + reach; ++y)
        sampleRow(y, true);
    int top = start;
    int gap = 0;
    for (int y = start; y >= limit; --y) {
        if (y != start) {
            sampleRow(y - reach, true);
            sampleRow(y + reach + 1, false);
        }
        if (isHeadRow(y)) {
            top = y;
            gap = 0;
        } else if (++gap > gapRows) {
            return top;
        }
    }
    // The head goes on to the search's end: cut by the picture's top, or not told from the backdrop.
    if (limit == 0)
        return top;
    return std::nullopt;
}

HeadEdges HeadEdgesAt(const QImage& picture, const QRectF& face, double centreX, double y)
{
    HeadEdges edges;
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    const double fw = face.width();
    const double fh = face.height();
    if (image.isNull() || !(fw > 0) || !(fh > 0) || !std::isfinite(y))
        return edges;
    const int width = image.width();
    const int reach = atLeast(1, 0.04 * fh);
    const int first = std::max(0, int(std::lround(y)) - reach);
    const int last = std::min(image.height() - 1, int(std::lround(y)) + reach);
    if (first > last)
        return edges;

    Backdrop backdrop;
    const Span sides[] = {columns(centreX - kBesideFar * fw, centreX - kBesideNear * fw, width),
                          columns(centreX + kBesideNear * fw, centreX + kBesideFar * fw, width)};
    for (int side = 0; side < 2; ++side)
        for (int row = first; row <= last; ++row)
            for (int x = sides[side].from; x <= sides[side].to; ++x)
                backdrop.add(side, x, pixelAt(image, x, row));
    // The head's colours: the cheeks and the nose between them.
    for (int row = first; row <= last; ++row)
        for (int x = std::max(0, int(centreX - 0.25 * fw)); x <= std::min(width - 1, int(centreX + 0.25 * fw)); ++x)
            backdrop.addHead(pixelAt(image, x, row));
    const auto isBackdropColumn = [&](int x) {
        int held = 0;
        for (int row = first; row <= last; ++row)
            held += backdrop.holds(x, pixelAt(image, x, row)) ? 1 : 0;
        return held >= kBackdropColumnShare * (last - first + 1);
    };
    // From inside the cheek outwards, up to where the backdrop was sampled.
    const int run = atLeast(2, 0.03 * fw);
    const auto edge = [&](double from, int step) -> std::optional<double> {
        int streak = 0;
        const int end = int(std::lround(centreX + step * kBesideNear * fw));
        for (int x = int(std::lround(from)); step > 0 ? x <= end : x >= end; x += step) {
            if (x < 0 || x >= width)
                return std::nullopt;
            if (!isBackdropColumn(x)) {
                streak = 0;
            } else if (++streak == run) {
                // The head ends at the inner side of the run's first column.
                const int innermost = x - step * (run - 1);
                return step > 0 ? double(innermost) : innermost + 1.0;
            }
        }
        return std::nullopt;
    };
    edges.left = edge(centreX - 0.3 * fw, -1);
    edges.right = edge(centreX + 0.3 * fw, 1);
    return edges;
}
