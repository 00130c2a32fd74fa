#include "imaging/face_choice.h"

#include <algorithm>
#include <cmath>

namespace {

// Nearly equal: widths within 15 % of the larger, centralities within 0.1.
constexpr double kEqualWidthShare = 0.85;
constexpr double kEqualCentrality = 0.1;

// 1 at the picture's centre down to 0.4 at a corner: a face off to the side
// must be clearly larger to be taken for the subject.
double centrality(const QRectF& face, QSizeF picture)
{
    const double halfDiagonal = std::hypot(picture.width(), picture.height()) / 2.0;
    if (!(halfDiagonal > 0))
        return 1.0;
    const QPointF offset = face.center() - QPointF(picture.width() / 2.0, picture.height() / 2.0);
    return 1.0 - 0.6 * std::min(1.0, std::hypot(offset.x(), offset.y()) / halfDiagonal);
}

// Boxes that overlap by half the smaller one are the same face found twice.
bool sameFace(const QRectF& a, const QRectF& b)
{
    const QRectF both = a.intersected(b);
    const double smaller = std::min(a.width() * a.height(), b.width() * b.height());
    return !both.isEmpty() && both.width() * both.height() >= 0.5 * smaller;
}

} // namespace

FaceChoice ChooseFace(const QList<QRectF>& faces, QSizeF picture)
{
    FaceChoice choice;
    const auto score = [&](const QRectF& f) { return f.width() * centrality(f, picture); };
    for (int i = 0; i < faces.size(); ++i) {
        if (choice.index < 0 || score(faces[i]) > score(faces[choice.index]))
            choice.index = i;
    }
    if (choice.index < 0)
        return choice;
    const QRectF& best = faces[choice.index];
    for (int i = 0; i < faces.size(); ++i) {
        const QRectF& other = faces[i];
        if (i == choice.index || sameFace(best, other))
            continue;
        if (other.width() >= kEqualWidthShare * best.width() &&
            std::abs(centrality(other, picture) - centrality(best, picture)) <= kEqualCentrality) {
            return {-1, true};
        }
    }
    return choice;
}

double NarrowestFaceThatCounts(const QList<QRectF>& faces, QSizeF picture)
{
    const FaceChoice choice = ChooseFace(faces, picture);
    if (choice.index < 0)
        return 0.0;
    // Outweighing it takes a width over its own times its centrality (no
    // face is more central than 1); matching it, 85 % of its width.
    const QRectF& chosen = faces[choice.index];
    return chosen.width() * std::min(kEqualWidthShare, centrality(chosen, picture));
}
