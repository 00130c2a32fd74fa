#include "workspace/crop_and_save.h"

#include "imaging/encode_crop.h"
#include "platform/atomic_file.h"
#include "workspace/output_resolution.h"
#include "workspace/view_render.h"

QString ExtensionOfPath(const QString& path)
{
    return QLatin1Char('.') + LowerCaseExtension(path.mid(path.lastIndexOf(QLatin1Char('.')) + 1));
}

QImage FramedOutput(const AppState& state, const Workspace& ws)
{
    return WithOutputResolution(CaptureFrameImage(state, ws));
}

SavedCrop SaveCapture(const QImage& capture, const QString& path, const QString& extension, double limitKB)
{
    const EncodedCrop encoded = EncodeCrop(capture, extension, limitKB);
    SavedCrop saved;
    saved.limitMet = encoded.success;
    saved.lastSize = encoded.lastSize;
    saved.written = !encoded.bytes.isEmpty() && writeFileAtomically(path, encoded.bytes);
    return saved;
}
