#include "imaging/colour_profile.h"

#include <cmath>

QColorSpace ColourSpaceOfProfile(const QByteArray& iccProfile)
{
    if (iccProfile.isEmpty())
        return {};
    return QColorSpace::fromIccProfile(iccProfile);
}

bool NeedsConvertingToSrgb(const QColorSpace& space)
{
    if (!space.isValid() || space == QColorSpace(QColorSpace::SRgb))
        return false;
    const bool srgbGamma = space.primaries() == QColorSpace::Primaries::SRgb &&
                           space.transferFunction() == QColorSpace::TransferFunction::Gamma &&
                           std::abs(space.gamma() - 2.2f) < 0.05f;
    return !srgbGamma;
}

void ConvertToSrgb(QImage& picture, const QColorSpace& space)
{
    if (picture.isNull() || !NeedsConvertingToSrgb(space))
        return;
    picture.setColorSpace(space);
    picture.convertToColorSpace(QColorSpace::SRgb);
}
