// Pictures whose files carry a colour profile are decoded to sRGB: the same
// portrait saved as sRGB, as Adobe RGB with its profile in a JPEG, and as a
// PNG with an iCCP chunk, decodes to the same pixels within JPEG's noise; a
// damaged profile leaves the pixels unconverted.
#include "imaging/image_decoder.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QColorSpace>
#include <QFile>
#include <QtEndian>

#include <cmath>
#include <cstdlib>

namespace {

QByteArray fixture(const char* name)
{
    QFile file(QStringLiteral(IDPHOTO_FIXTURES "/colour/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The JPEG file without its APP2 segments (where an ICC profile lives).
QByteArray withoutProfile(const QByteArray& jpeg)
{
    QByteArray out = jpeg.left(2);
    qsizetype i = 2;
    while (i + 4 <= jpeg.size() && quint8(jpeg[i]) == 0xFF && quint8(jpeg[i + 1]) != 0xDA) {
        const qsizetype length = qFromBigEndian<quint16>(jpeg.constData() + i + 2);
        if (quint8(jpeg[i + 1]) != 0xE2)
            out.append(jpeg.mid(i, 2 + length));
        i += 2 + length;
    }
    out.append(jpeg.mid(i));
    return out;
}

// The mean and the largest difference of the colour channels.
struct Difference {
    double mean = 0;
    int largest = 0;
};

Difference differenceOf(const QImage& a, const QImage& b)
{
    Difference d;
    if (a.size() != b.size() || a.isNull())
        return {1e9, 255};
    qint64 sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            for (const int c : {std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                std::abs(qBlue(p) - qBlue(q))}) {
                sum += c;
                d.largest = std::max(d.largest, c);
            }
        }
    d.mean = double(sum) / (3.0 * a.width() * a.height());
    return d;
}

TEST(ColourProfile, AnAdobeRgbPortraitDecodesToTheSameSrgbPixels)
{
    const QImage srgb = decodeImageBytes(fixture("portrait-srgb.jpg"));
    ASSERT_EQ(srgb.size(), QSize(96, 96));
    const QByteArray adobeJpeg = fixture("portrait-adobe.jpg");
    for (const auto& [what, bytes] : {std::pair{"JPEG with its profile", adobeJpeg},
                                      std::pair{"PNG with an iCCP chunk", fixture("portrait-adobe.png")}}) {
        const Difference d = differenceOf(decodeImageBytes(bytes), srgb);
        EXPECT_LE(d.mean, 1.5) << what;
        EXPECT_LE(d.largest, 8) << what;
    }
    // Read as if it were sRGB, the same file is clearly off: the test tells.
    const Difference unconverted = differenceOf(decodeImageBytes(withoutProfile(adobeJpeg)), srgb);
    EXPECT_GT(unconverted.mean, 4.0);
}

TEST(ColourProfile, ADamagedProfileLeavesThePixelsUnconverted)
{
    const QByteArray adobe = fixture("portrait-adobe.jpg");
    QByteArray damaged = adobe;
    const qsizetype signature = damaged.indexOf("acsp");
    ASSERT_GT(signature, 0);
    damaged.replace(signature, 4, "xxxx");
    const QImage decoded = decodeImageBytes(damaged);
    ASSERT_FALSE(decoded.isNull());
    EXPECT_EQ(decoded, decodeImageBytes(withoutProfile(adobe)));
    // A profile whose segments do not add up: the same.
    QByteArray cut = adobe;
    const qsizetype profile = cut.indexOf("ICC_PROFILE");
    ASSERT_GT(profile, 0);
    cut[profile + 12] = char(2); // numbered part 2 of 1: libjpeg refuses the profile
    EXPECT_EQ(decodeImageBytes(cut), decodeImageBytes(withoutProfile(adobe)));
}

// A PNG labelled with sRGB's primaries and a plain 2.2 gamma (as many tools
// write sRGB) is taken as sRGB: its pixels are kept exactly.
TEST(ColourProfile, APngLabelledAsGamma22WithSrgbPrimariesKeepsItsPixels)
{
    QImage picture(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x * 4, y * 5, (x + y) * 2));
    QImage labelled = picture;
    labelled.setColorSpace(QColorSpace(QColorSpace::Primaries::SRgb, 2.2f));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(labelled.save(&buffer, "png"));
    EXPECT_EQ(decodeImageBytes(png), picture);
}

} // namespace
