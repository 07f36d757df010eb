#include "outlets/page_fetch.h"

#include "platform/http_client.h"
#include "platform/text_codec.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace {
// Whether Qt can decode the charset (GBK's names go to GB18030, as decodeWithCharset does).
bool knownCharset(const QByteArray &charset)
{
    if (charset.isEmpty())
        return false;
    const QByteArray name = charset.toLower();
    if (name == "gb2312" || name == "gbk" || name == "x-gbk")
        return true;
    return QStringDecoder(name.constData()).isValid();
}

void appendByte(QString &out, uint byte)
{
    out += QLatin1Char('%');
    out += QString::number(byte, 16).toUpper().rightJustified(2, QLatin1Char('0'));
}
} // namespace

FetchedPage GetBody(HttpClient &http, const QString &URL, int timeoutMs)
{
    const HttpClient::Headers headers {{QByteArrayLiteral("If-Modified-Since"), QByteArrayLiteral("0")}};
    const HttpResult result = http.get(URL, timeoutMs, headers);
    FetchedPage page;
    if (!result.ok()) {
        page.failed = true;
        page.errorText = result.errorText;
        return page;
    }
    page.text = decodePage(result.body, result.contentType);
    return page;
}

QByteArray declaredCharset(const QByteArray &body)
{
    // Both forms carry "charset=" inside the tag; Latin-1 keeps every byte of an ASCII-based page.
    static const QRegularExpression meta(
        QStringLiteral("<meta\\b[^>]*?charset\\s*=\\s*[\"']?\\s*([A-Za-z0-9_.:-]+)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = meta.match(QString::fromLatin1(body));
    if (!match.hasMatch())
        return {};
    const QByteArray charset = match.captured(1).toLatin1().toLower();
    // A page that could be read this far is not UTF-16, whatever it says.
    if (charset.startsWith("utf-16"))
        return QByteArrayLiteral("utf-8");
    return charset;
}

QString decodePage(const QByteArray &body, const QByteArray &contentType)
{
    QByteArray charset = charsetOfContentType(contentType);
    if (!knownCharset(charset))
        charset = declaredCharset(body);
    if (!knownCharset(charset))
        charset.clear();
    return decodeWithCharset(body, charset);
}

QString UTF8_URLEncoding(const QString &szInput)
{
    if (szInput.isEmpty())
        return szInput;
    QString out;
    for (qsizetype i = 0; i < szInput.size(); ++i) {
        const uint c = szInput.at(i).unicode();
        if (c < 0x80) {
            out += szInput.at(i);
        } else if (c < 0x800) {
            appendByte(out, (c >> 6) | 0xC0);
            appendByte(out, (c & 0x3F) | 0x80);
        } else if (QChar::isHighSurrogate(c) && i + 1 < szInput.size()
                   && szInput.at(i + 1).isLowSurrogate()) {
            // One character outside the Basic Multilingual Plane: its own four bytes, which a
            // server can decode, instead of the two halves' six.
            const uint code = QChar::surrogateToUcs4(szInput.at(i), szInput.at(i + 1));
            ++i;
            appendByte(out, (code >> 18) | 0xF0);
            appendByte(out, ((code >> 12) & 0x3F) | 0x80);
            appendByte(out, ((code >> 6) & 0x3F) | 0x80);
            appendByte(out, (code & 0x3F) | 0x80);
        } else {
            appendByte(out, (c >> 12) | 0xE0);
            appendByte(out, ((c >> 6) & 0x3F) | 0x80);
            appendByte(out, (c & 0x3F) | 0x80);
        }
    }
    return out;
}
