#include "core/tracking_request.h"

QString encodeQueryValue(const QString &value)
{
    static const char hex[] = "0123456789ABCDEF";
    QString out;
    const QByteArray utf8 = value.toUtf8();
    out.reserve(utf8.size());
    for (const char ch : utf8) {
        const auto byte = static_cast<unsigned char>(ch);
        const bool keep = byte > 0x20 && byte < 0x7F && byte != '"' && byte != '#' && byte != '%'
            && byte != '&' && byte != '+' && byte != '=' && byte != '<' && byte != '>';
        if (keep) {
            out += QLatin1Char(ch);
        } else {
            out += QLatin1Char('%');
            out += QLatin1Char(hex[byte >> 4]);
            out += QLatin1Char(hex[byte & 0x0F]);
        }
    }
    return out;
}

QString trackingRequestUrl(const QString &baseUrl, const QString &comCode, const QString &number,
                           const QString &key)
{
    return baseUrl + QStringLiteral("?com=") + comCode + QStringLiteral("&nu=") + encodeQueryValue(number)
        + QStringLiteral("&id=") + key + QStringLiteral("&type=html");
}
