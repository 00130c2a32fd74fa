#include "imaging/colour_profile.h"

QColorSpace ColourSpaceOfProfile(const QByteArray& iccProfile)
{
    if (iccProfile.isEmpty())
        return {};
    return QColorSpace::fromIccProfile(iccProfile);
}

void ConvertToSrgb(QImage& picture, const QColorSpace& space)
{
    if (picture.isNull() || !space.isValid() || space == QColorSpace(QColorSpace::SRgb))
        return;
    picture.setColorSpace(space);
    picture.convertToColorSpace(QColorSpace::SRgb);
}
