// The head looked for as each picture arrives, off the GUI thread, when
// pictures are not framed on arrival: 自动取景 then only frames.
#include "workspace/auto_framer.h"

#include "support/fake_dialogs.h"
#include "support/temp_folder.h"
#include "workspace/frame_geometry.h"
#include "workspace/view_geometry.h"
#include "workspace/view_render.h"

#include <QThread>
#include <QThreadPool>
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <vector>

namespace {

// Finds the same head in every picture and says on which threads it looked.
class CountingFinder final : public FaceFinder {
public:
    struct Log {
        std::mutex lock;
        std::vector<QThread*> threads;
        std::atomic<int> alive{0}; // finders made and not yet destroyed
        std::vector<QThread*> taken()
        {
            std::lock_guard guard(lock);
            return threads;
        }
    };
    explicit CountingFinder(std::shared_ptr<Log> log) : log_(std::move(log)) { ++log_->alive; }
    ~CountingFinder() override { --log_->alive; }
    FaceResult find(const QImage& picture) override
    {
        {
            std::lock_guard guard(log_->lock);
            log_->threads.push_back(QThread::currentThread());
        }
        // A head in the middle of the picture, a third of its width.
        const double w = picture.width();
        const double h = picture.height();
        FaceResult result;
        result.finding = FaceFinding::Found;
        result.head.face = QRectF(w / 3, h / 4, w / 3, h / 3);
        result.head.faceCentreX = w / 2;
        result.head.headWidth = w / 3;
        result.head.hairTopY = h / 8;
        result.head.eyeLineY = h / 3;
        return result;
    }

private:
    std::shared_ptr<Log> log_;
};

class AutoFramerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        state.main.settingsFolder = folder.path();
        state.view.viewCentreX = 300;
        state.view.viewCentreY = 200;
        PlaceStartFrame(state);
        ResizeViewPanels(ws, QSize(600, 400));
        framer = std::make_unique<AutoFramer>(
            state, ws, dialogs, [log = log] { return std::make_unique<CountingFinder>(log); }, nullptr);
    }
    void arrive(const QImage& picture)
    {
        show(picture);
        framer->frameOnArrival();
    }
    void show(const QImage& picture)
    {
        state.view.imageLoaded = true;
        state.view.currentPicture = picture;
        state.view.scrollRatioX = state.view.scrollRatioY = 0.5;
        state.view.viewScale = FitScale(picture.size(), ws.image.size());
        RenderView(state, ws);
    }
    static QImage picture(QColor colour)
    {
        QImage image(900, 1200, QImage::Format_RGB32);
        image.fill(colour);
        return image;
    }

    TempFolder folder;
    AppState state;
    Workspace ws;
    FakeDialogs dialogs;
    std::shared_ptr<CountingFinder::Log> log = std::make_shared<CountingFinder::Log>();
    std::unique_ptr<AutoFramer> framer;
};

TEST_F(AutoFramerTest, TheCommandFramesWithTheHeadFoundOnArrival)
{
    arrive(picture(Qt::gray));
    QThreadPool::globalInstance()->waitForDone(); // the user looks at the picture
    const double fitted = state.view.viewScale;
    framer->frameOnCommand();
    const std::vector<QThread*> threads = log->taken();
    ASSERT_EQ(threads.size(), 1u);
    EXPECT_NE(threads[0], QThread::currentThread());
    EXPECT_NE(state.view.viewScale, fitted);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

// A finder holds its last search's buffers: the search ahead lets its finder
// go once it is done, so nothing of it stays beside the photo.
TEST_F(AutoFramerTest, TheSearchAheadKeepsNoFinderOnceDone)
{
    arrive(picture(Qt::gray));
    QThreadPool::globalInstance()->waitForDone();
    ASSERT_EQ(log->taken().size(), 1u);
    EXPECT_EQ(log->alive.load(), 0);
    arrive(picture(Qt::darkGray));
    QThreadPool::globalInstance()->waitForDone();
    EXPECT_EQ(log->taken().size(), 2u);
    EXPECT_EQ(log->alive.load(), 0);
}

TEST_F(AutoFramerTest, APictureChangedSinceItsArrivalIsSearchedAgain)
{
    arrive(picture(Qt::gray));
    QThreadPool::globalInstance()->waitForDone();
    show(picture(Qt::darkGray)); // a turn or a drawing baked in makes another picture
    framer->frameOnCommand();
    const std::vector<QThread*> threads = log->taken();
    ASSERT_EQ(threads.size(), 2u);
    EXPECT_EQ(threads[1], QThread::currentThread());
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(AutoFramerTest, PicturesFramedOnArrivalAreSearchedOnTheGuiThreadOnly)
{
    framer->setFrameOnArrival(true);
    arrive(picture(Qt::gray));
    const double framed = state.view.viewScale;
    framer->frameOnCommand(); // known already: no second search
    const std::vector<QThread*> threads = log->taken();
    ASSERT_EQ(threads.size(), 1u);
    EXPECT_EQ(threads[0], QThread::currentThread());
    EXPECT_EQ(state.view.viewScale, framed);
}

} // namespace
