// The embedded crop sound is a complete WAVE clip of the form the program plays.
#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

quint32 u32(const QByteArray& b, int at) { return qFromLittleEndian<quint32>(b.constData() + at); }
quint16 u16(const QByteArray& b, int at) { return qFromLittleEndian<quint16>(b.constData() + at); }

TEST(CropSound, IsAStereoSixteenBitClipOfTenThousandFrames)
{
    QFile file(QStringLiteral(":/sounds/crop.wav"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray wav = file.readAll();
    ASSERT_EQ(wav.size(), 40044);
    EXPECT_EQ(wav.left(4), QByteArray("RIFF"));
    EXPECT_EQ(u32(wav, 4), 40036u);
    EXPECT_EQ(wav.mid(8, 8), QByteArray("WAVEfmt "));
    EXPECT_EQ(u16(wav, 20), 1);      // PCM
    EXPECT_EQ(u16(wav, 22), 2);      // channels
    EXPECT_EQ(u32(wav, 24), 44100u); // frames per second
    EXPECT_EQ(u16(wav, 34), 16);     // bits per sample
    EXPECT_EQ(wav.mid(36, 4), QByteArray("data"));
    EXPECT_EQ(u32(wav, 40), 10000u * 4);
    // Not silence: the clip has a clear attack near its start.
    int loudest = 0;
    for (int i = 44; i < 44 + 4 * 2000; i += 2)
        loudest = std::max(loudest, std::abs(int(qint16(u16(wav, i)))));
    EXPECT_GT(loudest, 8000);
}

} // namespace
