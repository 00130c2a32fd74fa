#include "imaging/face_choice.h"
#include "imaging/head_outline.h"

#include <QPainter>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

// A drawn head: dark hair as an ellipse, a skin-coloured face inside it, on
// a backdrop painted by `backdrop`.
constexpr double kCentreX = 200;
constexpr double kCentreY = 200;
constexpr double kHalfWidth = 70;
constexpr double kHalfHeight = 90;
const QRectF kFace(150, 150, 100, 100); // where a detector puts the face box

QImage drawnHead(const std::function<QRgb(int, int)>& backdrop, double centreY = kCentreY)
{
    QImage image(400, 500, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, backdrop(x, y));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 50, 35));
    p.drawEllipse(QPointF(kCentreX, centreY), kHalfWidth, kHalfHeight);
    p.setBrush(QColor(225, 180, 150));
    p.drawEllipse(QPointF(kCentreX, centreY + 20), 55, 70);
    return image;
}

// The hair ellipse's half width on row y.
double halfWidthAt(double y)
{
    const double t = (y - kCentreY) / kHalfHeight;
    return kHalfWidth * std::sqrt(1 - t * t);
}

struct BackdropCase {
    const char* name;
    std::function<QRgb(int, int)> backdrop;
    friend void PrintTo(const BackdropCase& c, std::ostream* os) { *os << c.name; }
};

class HeadOutlineTest : public ::testing::TestWithParam<BackdropCase> {};

TEST_P(HeadOutlineTest, TheHairTopAndTheCheeksAreFoundOnTheBackdrop)
{
    const QImage image = drawnHead(GetParam().backdrop);
    const std::optional<double> top = HairTopY(image, kFace, kCentreX);
    ASSERT_TRUE(top.has_value());
    EXPECT_NEAR(*top, kCentreY - kHalfHeight, 2.0);
    for (const double y : {200.0, 230.0, 250.0}) {
        SCOPED_TRACE(y);
        const HeadEdges edges = HeadEdgesAt(image, kFace, kCentreX, y);
        ASSERT_TRUE(edges.left.has_value());
        ASSERT_TRUE(edges.right.has_value());
        EXPECT_NEAR(*edges.left, kCentreX - halfWidthAt(y), 2.0);
        EXPECT_NEAR(*edges.right, kCentreX + halfWidthAt(y), 2.0);
    }
}

QRgb noisyGrey(int x, int y)
{
    // Fixed noise of ±6 levels, as a sensor's.
    const int n = int(QRandomGenerator(quint32(y * 1000 + x)).bounded(13)) - 6;
    return qRgb(200 + n, 200 + n, 195 + n);
}

INSTANTIATE_TEST_SUITE_P(
    Backdrops, HeadOutlineTest,
    ::testing::Values(BackdropCase{"plain", [](int, int) { return qRgb(235, 235, 240); }},
                      BackdropCase{"noisy", noisyGrey},
                      BackdropCase{"light above, darker below", [](int, int y) { return qRgb(120 + y / 4, 150 + y / 5, 230); }},
                      BackdropCase{"across from white to blue", [](int x, int) { return qRgb(250 - x / 2, 250 - x / 3, 250); }},
                      BackdropCase{"red left, blue right",
                                   [](int x, int) { return x < 200 ? qRgb(200, 40, 40) : qRgb(60, 110, 220); }},
                      BackdropCase{"stripes", [](int, int y) { return (y / 20) % 2 ? qRgb(240, 240, 240) : qRgb(190, 30, 40); }}));

TEST(HeadOutline, AHeadCutByThePicturesTopReachesRowZero)
{
    const QImage image = drawnHead([](int, int) { return qRgb(235, 235, 240); }, 60);
    const QRectF face = kFace.translated(0, -140);
    const std::optional<double> top = HairTopY(image, face, kCentreX);
    ASSERT_TRUE(top.has_value());
    EXPECT_EQ(*top, 0.0);
}

TEST(HeadOutline, NothingBesideTheHeadToldNoBackdrop)
{
    // The head fills the picture's width: no backdrop can be sampled beside it.
    const QImage whole = drawnHead([](int, int) { return qRgb(235, 235, 240); });
    const QImage narrow = whole.copy(125, 0, 150, 500);
    const QRectF face = kFace.translated(-125, 0);
    EXPECT_FALSE(HairTopY(narrow, face, kCentreX - 125).has_value());
    const HeadEdges edges = HeadEdgesAt(narrow, face, kCentreX - 125, 230);
    EXPECT_FALSE(edges.left.has_value());
    EXPECT_FALSE(edges.right.has_value());
    EXPECT_FALSE(HairTopY(QImage(), kFace, kCentreX).has_value());
}

struct ChoiceCase {
    const char* name;
    QList<QRectF> faces;
    int index;
    bool several;
    friend void PrintTo(const ChoiceCase& c, std::ostream* os) { *os << c.name; }
};

class FaceChoiceTest : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(FaceChoiceTest, TheLargestNearTheCentreUnlessTwoAreAlike)
{
    const ChoiceCase& c = GetParam();
    const FaceChoice choice = ChooseFace(c.faces, QSizeF(800, 600));
    EXPECT_EQ(choice.index, c.index);
    EXPECT_EQ(choice.several, c.several);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FaceChoiceTest,
    ::testing::Values(
        ChoiceCase{"none", {}, -1, false},
        ChoiceCase{"one", {QRectF(300, 200, 200, 200)}, 0, false},
        ChoiceCase{"a small face in a corner", {QRectF(10, 10, 60, 60), QRectF(300, 200, 200, 200)}, 1, false},
        ChoiceCase{"a much larger face off the centre",
                   {QRectF(380, 280, 40, 40), QRectF(560, 300, 220, 220)}, 1, false},
        ChoiceCase{"two alike side by side", {QRectF(150, 200, 200, 200), QRectF(450, 200, 200, 200)}, -1, true},
        ChoiceCase{"two alike, one clearly off the centre",
                   {QRectF(0, 0, 190, 190), QRectF(300, 200, 200, 200)}, 1, false},
        ChoiceCase{"one face found twice", {QRectF(300, 200, 200, 200), QRectF(310, 210, 190, 190)}, 0, false},
        ChoiceCase{"side by side, one a fifth smaller",
                   {QRectF(150, 200, 200, 200), QRectF(450, 210, 160, 160)}, 0, false}));

// A face narrower than NarrowestFaceThatCounts changes nothing wherever it
// is; one a little wider at the centre can outweigh an off-centre choice.
TEST(FaceChoice, AFaceNarrowerThanTheBoundNeverChangesTheChoice)
{
    const QSizeF picture(800, 600);
    const QList<QList<QRectF>> cases = {
        {QRectF(300, 200, 200, 200)},                                // one at the centre
        {QRectF(100, 100, 200, 200)},                                // one off the centre
        {QRectF(10, 10, 60, 60), QRectF(300, 200, 200, 200)},        // and a small one in a corner
        {QRectF(150, 200, 200, 200), QRectF(450, 210, 160, 160)},    // two, one a fifth smaller
    };
    for (const QList<QRectF>& faces : cases) {
        const FaceChoice before = ChooseFace(faces, picture);
        const double bound = NarrowestFaceThatCounts(faces, picture);
        ASSERT_GT(bound, 0.0);
        const double w = std::floor(bound - 1.0);
        for (double x = 0; x + w <= picture.width(); x += 20)
            for (double y = 0; y + w <= picture.height(); y += 20) {
                QList<QRectF> more = faces;
                more.append(QRectF(x, y, w, w));
                const FaceChoice after = ChooseFace(more, picture);
                EXPECT_EQ(after.index, before.index) << x << "," << y << " width " << w;
                EXPECT_EQ(after.several, before.several);
            }
    }
    // Off the centre (centrality 0.73): a central face just over the bound outweighs it.
    const QList<QRectF> offCentre = {QRectF(100, 100, 200, 200)};
    const double bound = NarrowestFaceThatCounts(offCentre, picture);
    const double w = std::ceil(bound + 1.0);
    EXPECT_EQ(ChooseFace({offCentre[0], QRectF(400 - w / 2, 300 - w / 2, w, w)}, picture).index, 1);
    EXPECT_EQ(NarrowestFaceThatCounts({}, picture), 0.0);
    EXPECT_EQ(NarrowestFaceThatCounts({QRectF(150, 200, 200, 200), QRectF(450, 200, 200, 200)}, picture), 0.0);
}

} // namespace
