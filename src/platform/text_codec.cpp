#include "platform/text_codec.h"

#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>

QString decodeGb(const QByteArray &bytes)
{
    QStringDecoder decoder("GB18030");
    return decoder.decode(bytes);
}

QByteArray encodeGb(const QString &text)
{
    QStringEncoder encoder("GB18030");
    return encoder.encode(text);
}

bool isValidUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    Q_UNUSED(text)
    return !decoder.hasError();
}

QString decodeWithCharset(const QByteArray &bytes, const QByteArray &charset)
{
    if (!charset.isEmpty()) {
        QByteArray name = charset.toLower();
        if (name == "gb2312" || name == "gbk" || name == "x-gbk")
            name = "GB18030";
        QStringDecoder decoder(name.constData());
        if (decoder.isValid()) {
            QString text = decoder.decode(bytes);
            // A header that names the wrong charset is common; bytes it cannot read are better
            // decoded as if it had named none than shown as replacement characters.
            if (!decoder.hasError())
                return text;
        }
    }
    if (isValidUtf8(bytes))
        return QString::fromUtf8(bytes);
    return decodeGb(bytes);
}

QByteArray charsetOfContentType(const QByteArray &contentType)
{
    const QList<QByteArray> parts = contentType.split(';');
    for (const QByteArray &part : parts) {
        const QByteArray p = part.trimmed();
        if (p.toLower().startsWith("charset=")) {
            QByteArray value = p.mid(8).trimmed();
            if (value.size() >= 2 && (value.startsWith('"') || value.startsWith('\'')))
                value = value.mid(1, value.size() - 2);
            return value.toLower();
        }
    }
    return {};
}
