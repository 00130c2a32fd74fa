// The capture devices as the camera window uses them: the list, connecting
// by number, the preview's pictures, the formats and release. Only the
// synthetic devices are driven; the system's cameras are whatever the
// machine has, usually none.
#include "platform/capture_device.h"
#include "camera/capture_devices.h"
#include "platform/synthetic_capture_device.h"
#include "support/temp_folder.h"
#include "support/test_images.h"

#include <QCameraDevice>
#include <QDeadlineTimer>
#include <QMediaDevices>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <optional>

namespace {

using Kind = SyntheticCameraRequest::Kind;

const QString kMovingName = QStringLiteral("合成测试画面");

// Sets or unsets an environment variable for one scope.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::optional<QString>& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name))
    {
        if (value)
            qputenv(name, value->toLocal8Bit());
        else
            qunsetenv(name);
    }
    ~ScopedEnvironment()
    {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

QStringList systemCameraNames()
{
    QStringList names;
    for (const QCameraDevice& device : QMediaDevices::videoInputs())
        names.append(device.description());
    return names;
}

// Waits, within a bound, until the spy holds at least count signals.
bool receive(QSignalSpy& spy, int count)
{
    const QDeadlineTimer deadline(5000);
    while (spy.count() < count && !deadline.hasExpired())
        spy.wait(int(std::max<qint64>(1, deadline.remainingTime())));
    return spy.count() >= count;
}

QImage frameAt(const QSignalSpy& spy, int index) { return spy.at(index).at(0).value<QImage>(); }

// Connecting outside the list fails and leaves the current device alone.
void expectOutOfRangeKeeps(CaptureDevice& device, int expectedCurrent)
{
    for (int n : {-1, 0, device.deviceCount() + 1, 12}) {
        EXPECT_FALSE(device.connectDevice(n)) << n;
        EXPECT_EQ(device.currentDevice(), expectedCurrent) << n;
    }
}

class StillCaptureDevice : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_.write(QStringLiteral("still.png"), encodeAs(picture_, "png"));
        device_ = MakeSyntheticCaptureDevice({Kind::Still, folder_.file(QStringLiteral("still.png"))});
        ASSERT_TRUE(device_);
    }

    TempFolder folder_;
    // An odd size, so that a picture scaled to any usual camera size shows.
    const QImage picture_ = photoLikePicture(123, 77);
    std::unique_ptr<SyntheticCaptureDevice> device_;
};

struct EnvironmentCase {
    const char* label;
    std::optional<QString> value; // "{dir}" stands for the test's folder
    Kind kind;
    QStringList syntheticNames;
};

TEST(SyntheticCameraSetting, EnvironmentChoosesTheExtraDevice)
{
    TempFolder folder;
    folder.write(QStringLiteral("face.png"), encodeAs(quarteredPicture(40, 30), "png"));
    folder.write(QStringLiteral("notes.png"), "not a picture");
    const EnvironmentCase cases[] = {
        {"unset", std::nullopt, Kind::None, {}},
        {"empty", QString(), Kind::None, {}},
        {"zero", QStringLiteral("0"), Kind::None, {}},
        {"one", QStringLiteral("1"), Kind::Moving, {kMovingName}},
        {"picture", QStringLiteral("{dir}/face.png"), Kind::Still, {QStringLiteral("测试图片（face.png）")}},
        {"missing file", QStringLiteral("{dir}/absent.png"), Kind::Still, {}},
        {"not a picture", QStringLiteral("{dir}/notes.png"), Kind::Still, {}},
        {"folder", QStringLiteral("{dir}"), Kind::Still, {}},
    };
    for (const EnvironmentCase& c : cases) {
        SCOPED_TRACE(c.label);
        std::optional<QString> value = c.value;
        if (value)
            value->replace(QLatin1String("{dir}"), folder.path());
        const SyntheticCameraRequest request = ParseSyntheticCameraSetting(value.value_or(QString()));
        EXPECT_EQ(request.kind, c.kind);
        EXPECT_EQ(request.path, c.kind == Kind::Still ? *value : QString());

        const ScopedEnvironment environment("IDPHOTO_SYNTHETIC_CAMERA", value);
        const std::unique_ptr<CaptureDevice> device = CreateCaptureDevice();
        ASSERT_TRUE(device);
        // The system's cameras come first, so the last device is the synthetic one.
        EXPECT_EQ(device->deviceNames(), systemCameraNames() + c.syntheticNames);
        EXPECT_EQ(device->deviceCount(), device->deviceNames().size());
        EXPECT_EQ(device->currentDevice(), -1);
    }
}

TEST_F(StillCaptureDevice, ConnectsByNumberAndShowsThePictureAtItsOwnSize)
{
    EXPECT_EQ(device_->deviceNames(), QStringList{QStringLiteral("测试图片（still.png）")});
    EXPECT_EQ(device_->deviceCount(), 1);
    EXPECT_EQ(device_->currentDevice(), -1);
    EXPECT_TRUE(device_->currentFrame().isNull());
    EXPECT_TRUE(device_->formats().isEmpty());
    expectOutOfRangeKeeps(*device_, -1);

    ASSERT_TRUE(device_->connectDevice(device_->deviceCount()));
    EXPECT_EQ(device_->currentDevice(), 1);
    expectOutOfRangeKeeps(*device_, 1);
    // A picture is there before the preview runs, as the window measures it at once.
    EXPECT_EQ(device_->currentFrame(), picture_);
    EXPECT_EQ(device_->currentFrame().format(), QImage::Format_RGB32);

    const QList<CaptureFormat> formats = device_->formats();
    ASSERT_EQ(formats.size(), 1);
    EXPECT_EQ(formats[0].size, picture_.size());
    EXPECT_GT(formats[0].minFrameRate, 0);
    EXPECT_LE(formats[0].minFrameRate, formats[0].maxFrameRate);
    EXPECT_EQ(device_->currentFormat(), 0);
    EXPECT_TRUE(device_->chooseFormat(0));
    EXPECT_FALSE(device_->chooseFormat(1));
    EXPECT_FALSE(device_->chooseFormat(-1));
    EXPECT_EQ(device_->currentFrame(), picture_);
}

TEST_F(StillCaptureDevice, PicturesFlowOnlyWhileThePreviewIsOn)
{
    QSignalSpy frames(device_.get(), &CaptureDevice::frameArrived);
    ASSERT_TRUE(device_->connectDevice(1));
    QTest::qWait(150);
    EXPECT_EQ(frames.count(), 0) << "no preview yet";

    device_->setPreview(true);
    EXPECT_TRUE(device_->previewOn());
    ASSERT_TRUE(receive(frames, 3));
    for (int i = 0; i < frames.count(); ++i)
        EXPECT_EQ(frameAt(frames, i), picture_) << i;

    device_->setPreview(false);
    EXPECT_FALSE(device_->previewOn());
    frames.clear();
    QTest::qWait(200);
    EXPECT_EQ(frames.count(), 0);
    EXPECT_EQ(device_->currentFrame(), picture_);
}

TEST_F(StillCaptureDevice, ReleaseDisconnectsAndStopsThePictures)
{
    QSignalSpy frames(device_.get(), &CaptureDevice::frameArrived);
    device_->setPreview(true);
    ASSERT_TRUE(device_->connectDevice(1));
    ASSERT_TRUE(receive(frames, 1));

    device_->release();
    EXPECT_LT(device_->currentDevice(), 1);
    EXPECT_TRUE(device_->currentFrame().isNull());
    EXPECT_TRUE(device_->formats().isEmpty());
    EXPECT_EQ(device_->currentFormat(), -1);
    EXPECT_FALSE(device_->chooseFormat(0));
    frames.clear();
    QTest::qWait(150);
    EXPECT_EQ(frames.count(), 0);

    // The preview setting outlasts the connection: connecting again resumes it.
    EXPECT_TRUE(device_->previewOn());
    ASSERT_TRUE(device_->connectDevice(1));
    EXPECT_TRUE(receive(frames, 1));
}

TEST(SyntheticTestPicture, IsTheSameForTheSameFrameNumberOnly)
{
    const QImage first = SyntheticTestPicture(7);
    EXPECT_EQ(first.size(), QSize(640, 480));
    EXPECT_EQ(first.format(), QImage::Format_RGB32);
    EXPECT_EQ(SyntheticTestPicture(7), first);
    for (int other : {0, 6, 8, 1000})
        EXPECT_NE(SyntheticTestPicture(other), first) << other;
}

TEST(MovingCaptureDevice, DeliversTheTestPictureFrameAfterFrame)
{
    const auto device = MakeSyntheticCaptureDevice({Kind::Moving, {}});
    ASSERT_TRUE(device);
    EXPECT_EQ(device->deviceNames(), QStringList{kMovingName});
    ASSERT_TRUE(device->connectDevice(1));
    EXPECT_EQ(device->currentFrame(), SyntheticTestPicture(0));
    const QList<CaptureFormat> formats = device->formats();
    ASSERT_EQ(formats.size(), 1);
    EXPECT_EQ(formats[0].size, QSize(640, 480));

    QSignalSpy frames(device.get(), &CaptureDevice::frameArrived);
    device->setPreview(true);
    ASSERT_TRUE(receive(frames, 4));
    device->setPreview(false);
    for (int i = 0; i < frames.count(); ++i)
        EXPECT_EQ(frameAt(frames, i), SyntheticTestPicture(i + 1)) << i;
    EXPECT_EQ(device->currentFrame(), frameAt(frames, frames.count() - 1));
}

// The device the program makes: the synthetic device stands last in the list
// and answers through it.
TEST(CombinedCaptureDevice, ConnectsTheLastDeviceAndPassesItsPicturesOn)
{
    const ScopedEnvironment environment("IDPHOTO_SYNTHETIC_CAMERA", QStringLiteral("1"));
    const std::unique_ptr<CaptureDevice> device = CreateCaptureDevice();
    const int last = device->deviceCount();
    ASSERT_EQ(device->deviceNames().value(last - 1), kMovingName);
    expectOutOfRangeKeeps(*device, -1);
    EXPECT_TRUE(device->formats().isEmpty());

    QSignalSpy frames(device.get(), &CaptureDevice::frameArrived);
    ASSERT_TRUE(device->connectDevice(last));
    EXPECT_EQ(device->currentDevice(), last);
    expectOutOfRangeKeeps(*device, last);
    EXPECT_TRUE(device->connectDevice(last)) << "the device already connected";
    EXPECT_EQ(device->currentDevice(), last);
    EXPECT_EQ(device->currentFrame(), SyntheticTestPicture(0));
    ASSERT_EQ(device->formats().size(), 1);
    EXPECT_EQ(device->formats()[0].size, QSize(640, 480));
    EXPECT_EQ(device->currentFormat(), 0);
    EXPECT_TRUE(device->chooseFormat(0));

    device->setPreview(true);
    ASSERT_TRUE(receive(frames, 2));
    EXPECT_EQ(frameAt(frames, 0), SyntheticTestPicture(1));
    EXPECT_EQ(frameAt(frames, 1), SyntheticTestPicture(2));
    EXPECT_EQ(frameAt(frames, 0).size(), QSize(640, 480));

    device->setPreview(false);
    frames.clear();
    QTest::qWait(150);
    EXPECT_EQ(frames.count(), 0);

    device->release();
    EXPECT_EQ(device->currentDevice(), -1);
    EXPECT_TRUE(device->currentFrame().isNull());
    EXPECT_TRUE(device->formats().isEmpty());
}

} // namespace
