#include "camera/capture_devices.h"

#include "imaging/image_decoder.h"
#include "platform/qt_capture_device.h"

#include <QFileInfo>

std::unique_ptr<SyntheticCaptureDevice> MakeSyntheticCaptureDevice(const SyntheticCameraRequest& request)
{
    switch (request.kind) {
    case SyntheticCameraRequest::Kind::None:
        return nullptr;
    case SyntheticCameraRequest::Kind::Moving:
        return std::make_unique<SyntheticCaptureDevice>(QStringLiteral("合成测试画面"), QImage());
    case SyntheticCameraRequest::Kind::Still: {
        const QImage still = decodeImageFile(request.path);
        if (still.isNull())
            return nullptr;
        return std::make_unique<SyntheticCaptureDevice>(
            QStringLiteral("测试图片（%1）").arg(QFileInfo(request.path).fileName()), still);
    }
    }
    return nullptr;
}

std::unique_ptr<CaptureDevice> CreateCaptureDevice()
{
    const SyntheticCameraRequest request =
        ParseSyntheticCameraSetting(qEnvironmentVariable("IDPHOTO_SYNTHETIC_CAMERA"));
    return std::make_unique<QtCaptureDevice>(MakeSyntheticCaptureDevice(request));
}
