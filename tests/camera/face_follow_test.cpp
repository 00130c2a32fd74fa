// The steadying of fast capture's face following, with a finder that answers
// what each test tells it: how often it searches, that one search runs at a
// time, the median and the dead band, and the user's hold on the frame.
#include "camera/face_follow.h"

#include "support/busy_thread_pool.h"

#include <QSemaphore>
#include <QThreadPool>
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <optional>
#include <vector>

namespace {

// The design preview shows a picture of its own size: a head's place is
// PreviewFrameOnHead's without scaling.
const QSize kPicture(412, 309);
const QSize kFrame(160, 210);
// A head of the right width for the frame, its face at x: the frame's corner
// comes out at x − 80 + 10 across and 69 down.
HeadMeasure HeadAt(double x)
{
    HeadMeasure h;
    h.faceCentreX = x;
    h.headWidth = 92;
    h.hairTopY = 60;
    h.eyeLineY = 120;
    return h;
}

// Pictures numbered by their top-left pixel, so the finder can tell which
// picture it was given.
QImage NumberedPicture(int n)
{
    QImage picture(kPicture, QImage::Format_RGB32);
    picture.fill(Qt::black);
    picture.setPixel(0, 0, qRgb(n % 256, n / 256, 0));
    return picture;
}

int NumberOf(const QImage& picture)
{
    const QRgb p = picture.pixel(0, 0);
    return qRed(p) + 256 * qGreen(p);
}

// The finder's side, shared with the pool's threads.
struct Finder {
    std::mutex lock;
    std::vector<int> searched;        // the numbers of the pictures searched, in turn
    std::vector<FaceResult> answers;  // given in turn; NoFace once they run out
    std::atomic<int> running{0};
    std::atomic<int> mostAtOnce{0};
    QSemaphore entered;               // released as each search starts
    QSemaphore* gate = nullptr;       // when set, each search waits for one release

    FaceResult find(const QImage& picture)
    {
        mostAtOnce = std::max(mostAtOnce.load(), ++running);
        entered.release();
        if (gate)
            gate->acquire();
        std::lock_guard<std::mutex> hold(lock);
        FaceResult answer;
        if (searched.size() < answers.size())
            answer = answers[searched.size()];
        searched.push_back(NumberOf(picture));
        --running;
        return answer;
    }
};

class FaceFollowTest : public ::testing::Test {
protected:
    void TearDown() override { QThreadPool::globalInstance()->waitForDone(); }

    // One camera picture; a move is carried out as the window would.
    void picture()
    {
        if (const auto to = follow.pictureArrived(NumberedPicture(++pictures), kDesignPreviewSize, kFrame, frame))
            frame = *to;
    }

    // Pictures as they come while the pool keeps up: every search ends before the next picture.
    void settledPictures(int n)
    {
        for (int i = 0; i < n; ++i) {
            picture();
            QThreadPool::globalInstance()->waitForDone();
        }
    }

    Finder finder;
    FaceFollow follow{[this](const QImage& p) { return finder.find(p); }};
    int pictures = 0;
    QPoint frame{50, 50};
};

TEST_F(FaceFollowTest, SearchesOnePictureInSixWhileThePoolKeepsUp)
{
    settledPictures(3 * kPicturesPerFaceSearch);
    EXPECT_EQ(finder.searched, (std::vector<int>{1, 7, 13}));
    EXPECT_EQ(follow.searchesTaken(), 3);
}

TEST_F(FaceFollowTest, NeverStartsASecondSearchBeforeTheFirstHasEnded)
{
    // Both searches find a head: a heeded result would move the frame.
    finder.answers.assign(2, FaceResult{FaceFinding::Found, HeadAt(200)});
    QSemaphore gate;
    finder.gate = &gate;
    picture();
    finder.entered.acquire(); // the search is under way
    for (int i = 0; i < 4 * kPicturesPerFaceSearch; ++i)
        picture();
    EXPECT_EQ(finder.running, 1);
    EXPECT_EQ(finder.entered.available(), 0); // no second search came in

    // Paused while it runs: still nothing starts beside it.
    follow.pause();
    for (int i = 0; i < 2 * kPicturesPerFaceSearch; ++i)
        picture();
    EXPECT_EQ(finder.entered.available(), 0);
    gate.release();
    QThreadPool::globalInstance()->waitForDone();
    EXPECT_EQ(finder.searched, (std::vector<int>{1}));

    // The next picture sets the ended search aside unheeded and starts the next one at once.
    gate.release(8);
    picture();
    QThreadPool::globalInstance()->waitForDone();
    EXPECT_EQ(finder.searched, (std::vector<int>{1, pictures}));
    EXPECT_EQ(follow.searchesTaken(), 0);
    EXPECT_EQ(frame, QPoint(50, 50));
    EXPECT_EQ(finder.mostAtOnce, 1);
}

TEST_F(FaceFollowTest, ASearchThatHadNotStartedWhenPausedNeverRuns)
{
    {
        BusyThreadPool busy;
        picture();
        follow.pause();
    }
    QThreadPool::globalInstance()->waitForDone();
    EXPECT_TRUE(finder.searched.empty());
}

struct SteadyCase {
    const char* what;
    std::optional<double> faceX; // the head found by the search; none for no face
    int frameX;                  // where the frame stands once its result is taken
};

TEST_F(FaceFollowTest, TheFrameGoesToTheMedianOfTheLastFiveHeadsAndIgnoresSmallChanges)
{
    const SteadyCase cases[] = {
        {"the first head moves the frame", 200, 130},
        {"a pixel's change: median 131, within the dead band", 201, 130},
        {"median of 199, 200, 201 is 130", 199, 130},
        {"one far-off head does not carry the median", 260, 130},
        {"the sitter moved 10 pixels: median 131 of five", 210, 130},
        {"no face leaves the frame where it is", std::nullopt, 130},
        {"the first head ages out: 199, 201, 210, 210, 260 give 140", 210, 140},
        {"the same place again: no move", 210, 140},
    };
    for (const SteadyCase& c : cases) {
        FaceResult answer;
        if (c.faceX) {
            answer.finding = FaceFinding::Found;
            answer.head = HeadAt(*c.faceX);
        }
        finder.answers.push_back(answer);
    }
    int taken = 0;
    for (const SteadyCase& c : cases) {
        SCOPED_TRACE(c.what);
        settledPictures(kPicturesPerFaceSearch);
        EXPECT_EQ(follow.searchesTaken(), ++taken);
        EXPECT_EQ(frame, QPoint(c.frameX, 69));
    }
}

TEST_F(FaceFollowTest, AFrameTheUserMovedStaysUntilFollowingRestarts)
{
    finder.answers.assign(8, FaceResult{FaceFinding::Found, HeadAt(200)});
    settledPictures(kPicturesPerFaceSearch);
    ASSERT_EQ(frame, QPoint(130, 69));

    follow.stopByUser();
    frame = QPoint(90, 40);
    settledPictures(3 * kPicturesPerFaceSearch);
    EXPECT_EQ(frame, QPoint(90, 40));
    EXPECT_EQ(finder.searched.size(), 1u);

    follow.restart();
    settledPictures(kPicturesPerFaceSearch);
    EXPECT_EQ(frame, QPoint(130, 69));
}

} // namespace
