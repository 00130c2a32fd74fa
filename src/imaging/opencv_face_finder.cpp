#include "imaging/opencv_face_finder.h"

#include "imaging/face_choice.h"
#include "imaging/head_outline.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#include <opencv2/objdetect.hpp>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

namespace {

// The alternative frontal-face cascade: on the portraits tried, the default
// one also took a spacesuit's collar for a face at the scanned size.
const char kFaceCascade[] = "haarcascade_frontalface_alt2.xml";
const char kEyeCascade[] = "haarcascade_eye.xml";
// Eyes behind glasses, looked for as well where the file is there.
const char kGlassesCascade[] = "haarcascade_eye_tree_eyeglasses.xml";

// The face cascade scans a copy this long on its long side: a portrait's
// face stays far above the cascade's 20 pixels, and the scan stays short.
constexpr int kScanSide = 400;
// Faces narrower than this share of the scanned copy's short side are not a
// portrait's subject (and would be too small to frame).
constexpr int kLeastFaceDivisor = 12;
constexpr int kLeastFaceSide = 20;
// The first look takes faces from this share of the short side only: the
// small windows are most of a search's work, and a portrait's face is larger.
constexpr int kFirstLookFaceDivisor = 6;
// How far above the first look's least width every face that could change
// the choice must be for its answer to stand: a face near that width may have
// been seen at too few sizes to count.
constexpr double kFirstLookMargin = 1.5;
// The eye cascade scans the face's upper part at most this wide.
constexpr int kEyeScanWidth = 160;

// A head's proportions to its face box (in face-box sizes, from the fixtures'
// faces): the eye line when no eye is seen, the cheeks below the eyes, the
// crown and the head's sides when the backdrop cannot be told from the head,
// and the narrowest and widest head a face box can have.
constexpr double kEyeDepth = 0.38;
constexpr double kCheekBelowEyes = 0.2;
constexpr double kCrownAbove = 0.3;
constexpr double kHalfHeadWidth = 0.55;
constexpr double kNarrowestHead = 0.9;
constexpr double kWidestHead = 1.6;
// A head is nearly symmetric about the eyes' middle: a side reaching further
// than this times the other has taken in something beside the head (a cord,
// a chair's back) and is cut back to it.
constexpr double kMostSideImbalance = 1.15;

std::string fileName(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

cv::Mat wrap(const QImage& gray)
{
    return cv::Mat(gray.height(), gray.width(), CV_8UC1, const_cast<uchar*>(gray.constBits()),
                   std::size_t(gray.bytesPerLine()));
}

QRectF toRect(const cv::Rect& r, double scale)
{
    return {r.x / scale, r.y / scale, r.width / scale, r.height / scale};
}

QList<QRectF> detectedFaces(cv::CascadeClassifier& cascade, const cv::Mat& equalised, int least)
{
    std::vector<cv::Rect> found;
    cascade.detectMultiScale(equalised, found, 1.1, 4, 0, cv::Size(least, least));
    QList<QRectF> faces;
    for (const cv::Rect& r : found)
        faces.append(QRectF(r.x, r.y, r.width, r.height));
    return faces;
}

// The faces in the picture, in its pixels. A first look at the larger faces
// only stands when every face that could change the choice among them is
// well above its least width (the cascade sees a face at the same sizes
// either way, so the faces it keeps are the same); otherwise the whole search
// runs.
QList<QRectF> detectFaces(cv::CascadeClassifier& cascade, const cv::Mat& gray)
{
    const double scale = std::min(1.0, double(kScanSide) / std::max(gray.cols, gray.rows));
    cv::Mat scanned;
    if (scale < 1.0)
        cv::resize(gray, scanned, cv::Size(), scale, scale, cv::INTER_AREA);
    else
        scanned = gray;
    cv::Mat equalised;
    cv::equalizeHist(scanned, equalised);
    const int shortSide = std::min(equalised.cols, equalised.rows);
    const int least = std::max(kLeastFaceSide, shortSide / kLeastFaceDivisor);
    const int firstLook = shortSide / kFirstLookFaceDivisor;
    QList<QRectF> faces;
    if (firstLook > least) {
        faces = detectedFaces(cascade, equalised, firstLook);
        const QSizeF size(equalised.cols, equalised.rows);
        if (NarrowestFaceThatCounts(faces, size) < kFirstLookMargin * firstLook)
            faces = detectedFaces(cascade, equalised, least);
    } else {
        faces = detectedFaces(cascade, equalised, least);
    }
    for (QRectF& face : faces)
        face = QRectF(face.topLeft() / scale, face.size() / scale);
    return faces;
}

struct Eyes {
    std::optional<QPointF> left;
    std::optional<QPointF> right; // both set only for a pair
};

struct Eye {
    QPointF centre;
    double size;
};

// The pair most alike in height and size, one on each side of the face's
// middle at an eye distance apart, or else the largest single eye.
Eyes pairEyes(const std::vector<Eye>& eyes, const QRectF& face)
{
    const double middle = face.center().x();
    const double fw = face.width();
    Eyes best;
    double bestMismatch = 0.0;
    for (const Eye& a : eyes)
        for (const Eye& b : eyes) {
            const QPointF d = b.centre - a.centre;
            if (a.centre.x() >= middle || b.centre.x() <= middle || d.x() < 0.25 * fw || d.x() > 0.7 * fw ||
                std::abs(d.y()) > 0.15 * fw)
                continue;
            const double mismatch = std::abs(d.y()) + std::abs(a.size - b.size);
            if (!best.right || mismatch < bestMismatch) {
                best = {a.centre, b.centre};
                bestMismatch = mismatch;
            }
        }
    if (!best.right && !eyes.empty()) {
        // The other may hide behind a glint or a frame.
        const auto largest = std::max_element(eyes.begin(), eyes.end(),
                                              [](const Eye& a, const Eye& b) { return a.size < b.size; });
        best.left = largest->centre;
    }
    return best;
}

// The eyes in the face's upper part, as the eye cascades see them, taken in
// turn until a pair is seen (the one for glasses is slower and needed less
// often). The band is not equalised: on glasses that hides the eyes.
Eyes detectEyes(const std::vector<cv::CascadeClassifier*>& cascades, const cv::Mat& gray, const QRectF& face)
{
    const cv::Rect band = cv::Rect(int(face.left()), int(face.top() + 0.15 * face.height()), int(face.width()),
                                   int(0.45 * face.height())) &
                          cv::Rect(0, 0, gray.cols, gray.rows);
    if (band.width < 8 || band.height < 8)
        return {};
    const double scale = std::min(1.0, double(kEyeScanWidth) / band.width);
    cv::Mat scanned;
    if (scale < 1.0)
        cv::resize(gray(band), scanned, cv::Size(), scale, scale, cv::INTER_AREA);
    else
        scanned = gray(band);
    const int least = std::max(4, int(band.width * scale / 8));
    const int most = std::max(least + 1, int(band.width * scale / 2.5));
    std::vector<Eye> eyes;
    Eyes best;
    for (cv::CascadeClassifier* cascade : cascades) {
        std::vector<cv::Rect> seen;
        cascade->detectMultiScale(scanned, seen, 1.1, 3, 0, cv::Size(least, least), cv::Size(most, most));
        for (const cv::Rect& r : seen) {
            const QRectF e = toRect(r, scale).translated(band.x, band.y);
            eyes.push_back({e.center(), e.width()});
        }
        best = pairEyes(eyes, face);
        if (best.right)
            break;
    }
    return best;
}

HeadMeasure measureHead(const QImage& picture, const QRectF& face, const Eyes& eyes)
{
    HeadMeasure m;
    m.face = face;
    const double fw = face.width();
    const double fh = face.height();
    m.faceCentreX = face.center().x();
    m.eyeLineY = face.top() + kEyeDepth * fh;
    if (eyes.left && eyes.right) {
        m.faceCentreX = (eyes.left->x() + eyes.right->x()) / 2.0;
        m.eyeLineY = (eyes.left->y() + eyes.right->y()) / 2.0;
        m.rollDegrees = std::atan2(eyes.right->y() - eyes.left->y(), eyes.right->x() - eyes.left->x()) * 180.0 /
                        std::numbers::pi;
    } else if (eyes.left) {
        m.eyeLineY = eyes.left->y();
    }
    const double crown = std::max(0.0, face.top() - kCrownAbove * fh);
    m.hairTopY = std::min(HairTopY(picture, face, m.faceCentreX).value_or(crown), face.top());
    const HeadEdges edges = HeadEdgesAt(picture, face, m.faceCentreX, m.eyeLineY + kCheekBelowEyes * fh);
    const double left = m.faceCentreX - edges.left.value_or(m.faceCentreX - kHalfHeadWidth * fw);
    const double right = edges.right.value_or(m.faceCentreX + kHalfHeadWidth * fw) - m.faceCentreX;
    const double width = std::min(left, kMostSideImbalance * right) + std::min(right, kMostSideImbalance * left);
    m.headWidth = std::clamp(width, kNarrowestHead * fw, kWidestHead * fw);
    return m;
}

} // namespace

QStringList CascadeFolders()
{
    return {QStringLiteral("/usr/share/opencv4/haarcascades"), QStringLiteral("/usr/local/share/opencv4/haarcascades"),
            QStringLiteral("/usr/share/opencv/haarcascades"), QStringLiteral("/usr/local/share/opencv/haarcascades")};
}

struct OpenCvFaceFinder::Cascades {
    cv::CascadeClassifier face;
    cv::CascadeClassifier eye;
    cv::CascadeClassifier glasses; // empty when its file is missing
};

OpenCvFaceFinder::OpenCvFaceFinder(const QStringList& folders)
{
    for (const QString& folder : folders) {
        const QString facePath = QDir(folder).filePath(QLatin1String(kFaceCascade));
        const QString eyePath = QDir(folder).filePath(QLatin1String(kEyeCascade));
        if (!QFileInfo(facePath).isFile() || !QFileInfo(eyePath).isFile())
            continue;
        auto cascades = std::make_unique<Cascades>();
        try {
            if (!cascades->face.load(fileName(facePath)) || !cascades->eye.load(fileName(eyePath)))
                continue;
        } catch (const cv::Exception&) {
            continue; // a damaged file: the next folder may hold good ones
        }
        // The cascade for glasses helps but is not needed: a missing or damaged one is left out.
        const QString glassesPath = QDir(folder).filePath(QLatin1String(kGlassesCascade));
        try {
            if (QFileInfo(glassesPath).isFile() && !cascades->glasses.load(fileName(glassesPath)))
                cascades->glasses = cv::CascadeClassifier();
        } catch (const cv::Exception&) {
            cascades->glasses = cv::CascadeClassifier();
        }
        cascades_ = std::move(cascades);
        return;
    }
}

OpenCvFaceFinder::~OpenCvFaceFinder() = default;

bool OpenCvFaceFinder::available() const
{
    return cascades_ != nullptr;
}

FaceResult OpenCvFaceFinder::find(const QImage& picture)
{
    FaceResult result;
    if (!cascades_) {
        result.finding = FaceFinding::Unavailable;
        return result;
    }
    if (picture.isNull())
        return result;
    const QImage colour = picture.convertToFormat(QImage::Format_RGB32);
    const QImage gray = colour.convertToFormat(QImage::Format_Grayscale8);
    try {
        const cv::Mat grayMat = wrap(gray);
        const QList<QRectF> faces = detectFaces(cascades_->face, grayMat);
        const FaceChoice choice = ChooseFace(faces, QSizeF(colour.size()));
        if (choice.several) {
            result.finding = FaceFinding::SeveralFaces;
            return result;
        }
        if (choice.index < 0)
            return result;
        const QRectF& face = faces[choice.index];
        std::vector<cv::CascadeClassifier*> eyeCascades = {&cascades_->eye};
        if (!cascades_->glasses.empty())
            eyeCascades.push_back(&cascades_->glasses);
        result.head = measureHead(colour, face, detectEyes(eyeCascades, grayMat, face));
        result.finding = FaceFinding::Found;
    } catch (const cv::Exception&) {
        // OpenCV refused the picture (out of memory, a size it cannot take).
        result.finding = FaceFinding::Unavailable;
    }
    return result;
}

std::unique_ptr<FaceFinder> MakeSystemFaceFinder()
{
    return std::make_unique<OpenCvFaceFinder>();
}

int SetThreadsPerSearch(int threads)
{
    const int before = cv::getNumThreads();
    cv::setNumThreads(threads == 0 ? -1 : threads);
    return before;
}
