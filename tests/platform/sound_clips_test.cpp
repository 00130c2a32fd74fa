// The embedded sounds are complete WAVE clips of the form the program plays.
#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

quint32 u32(const QByteArray& b, qsizetype at) { return qFromLittleEndian<quint32>(b.constData() + at); }
quint16 u16(const QByteArray& b, qsizetype at) { return qFromLittleEndian<quint16>(b.constData() + at); }

TEST(SoundClips, AreStereoSixteenBitClipsOfTheirLength)
{
    const struct {
        const char* resource;
        int fileBytes;
        quint32 formatBytes;
        quint32 frames;
    } clips[] = {
        {":/sounds/crop.wav", 40044, 16, 10000},
        {":/sounds/shutter.wav", 50794, 18, 12687},
    };
    for (const auto& c : clips) {
        SCOPED_TRACE(c.resource);
        QFile file(QString::fromLatin1(c.resource));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray wav = file.readAll();
        ASSERT_EQ(wav.size(), c.fileBytes);
        EXPECT_EQ(wav.left(4), QByteArray("RIFF"));
        EXPECT_EQ(u32(wav, 4), quint32(c.fileBytes - 8));
        EXPECT_EQ(wav.mid(8, 8), QByteArray("WAVEfmt "));
        EXPECT_EQ(u32(wav, 16), c.formatBytes);
        EXPECT_EQ(u16(wav, 20), 1);      // PCM
        EXPECT_EQ(u16(wav, 22), 2);      // channels
        EXPECT_EQ(u32(wav, 24), 44100u); // frames per second
        EXPECT_EQ(u16(wav, 34), 16);     // bits per sample
        const qsizetype data = 20 + c.formatBytes;
        EXPECT_EQ(wav.mid(data, 4), QByteArray("data"));
        EXPECT_EQ(u32(wav, data + 4), c.frames * 4);
        // Not silence: each clip has a clear attack near its start.
        int loudest = 0;
        for (qsizetype i = data + 8; i < data + 8 + 4 * 2000; i += 2)
            loudest = std::max(loudest, std::abs(int(qint16(u16(wav, i)))));
        EXPECT_GT(loudest, 8000);
    }
}

} // namespace
