#pragma once
// The capture devices of a run: the system's cameras, followed by the
// synthetic device that the environment variable IDPHOTO_SYNTHETIC_CAMERA
// asks for. A still picture for the synthetic device is read by the
// program's own decoder, as an opened photo is.
#include "platform/capture_device.h"
#include "platform/synthetic_capture_device.h"

#include <memory>

// The device a request names, or null: for no request, and for a picture
// path that cannot be read.
std::unique_ptr<SyntheticCaptureDevice> MakeSyntheticCaptureDevice(const SyntheticCameraRequest& request);

// The system's cameras followed by the synthetic device asked for, if any.
std::unique_ptr<CaptureDevice> CreateCaptureDevice();
