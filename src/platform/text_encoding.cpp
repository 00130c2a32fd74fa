#include "platform/text_encoding.h"

#include <QStringDecoder>
#include <QStringEncoder>

QString decodeGb18030(const QByteArray& bytes)
{
    QStringDecoder decoder("GB18030");
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

QByteArray encodeGb18030(const QString& text)
{
    QStringEncoder encoder("GB18030");
    if (!encoder.isValid())
        return text.toUtf8();
    return encoder.encode(text);
}

QString decodeTextFile(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder decoder(QStringDecoder::Utf16LE);
        return decoder.decode(bytes.mid(2));
    }
    if (bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(QStringDecoder::Utf16BE);
        return decoder.decode(bytes.mid(2));
    }
    return decodeGb18030(bytes);
}
