#include "mailscan/mail_text.h"

#include <QList>
#include <QRegularExpression>
#include <QStringDecoder>

namespace {
struct Headers
{
    QList<QPair<QByteArray, QByteArray>> fields; // lower-case name, unfolded value

    QByteArray value(const char *name) const
    {
        for (const auto &[key, value] : fields) {
            if (key == name)
                return value;
        }
        return {};
    }
};

// Splits a part into its headers and its body at the first empty line.
Headers readHeaders(const QByteArray &part, QByteArray *body)
{
    Headers headers;
    qsizetype at = 0;
    QByteArray name, value;
    auto keep = [&] {
        if (!name.isEmpty())
            headers.fields.append({name.trimmed().toLower(), value.trimmed()});
        name.clear();
        value.clear();
    };
    while (at < part.size()) {
        qsizetype end = part.indexOf('\n', at);
        if (end < 0)
            end = part.size();
        QByteArray line = part.mid(at, end - at);
        if (line.endsWith('\r'))
            line.chop(1);
        at = end + 1;
        if (line.isEmpty())
            break;
        if ((line.startsWith(' ') || line.startsWith('\t')) && !name.isEmpty()) {
            value += ' ' + line.trimmed();
            continue;
        }
        keep();
        const qsizetype colon = line.indexOf(':');
        if (colon > 0) {
            name = line.left(colon);
            value = line.mid(colon + 1);
        }
    }
    keep();
    *body = at < part.size() ? part.mid(at) : QByteArray();
    return headers;
}

// A parameter of a structured header (charset=..., boundary="...").
QByteArray parameter(const QByteArray &header, const char *name)
{
    const QByteArray lower = header.toLower();
    const QByteArray key = QByteArray(name) + '=';
    qsizetype at = 0;
    while ((at = lower.indexOf(key, at)) >= 0) {
        if (at == 0 || lower.at(at - 1) == ';' || lower.at(at - 1) == ' ' || lower.at(at - 1) == '\t')
            break;
        at += key.size();
    }
    if (at < 0)
        return {};
    at += key.size();
    if (at < header.size() && header.at(at) == '"') {
        const qsizetype end = header.indexOf('"', at + 1);
        return header.mid(at + 1, end < 0 ? -1 : end - at - 1);
    }
    qsizetype end = at;
    while (end < header.size() && header.at(end) != ';' && header.at(end) != ' ')
        ++end;
    return header.mid(at, end - at);
}

QByteArray mediaType(const QByteArray &contentType)
{
    const qsizetype semicolon = contentType.indexOf(';');
    return contentType.left(semicolon < 0 ? contentType.size() : semicolon).trimmed().toLower();
}

QByteArray decodeTransfer(const QByteArray &body, const QByteArray &encoding)
{
    const QByteArray how = encoding.trimmed().toLower();
    if (how == "base64")
        return QByteArray::fromBase64(body, QByteArray::Base64Encoding);
    if (how == "quoted-printable")
        return decodeQuotedPrintable(body);
    return body;
}

struct Reading
{
    QString text;

    void add(const QString &more)
    {
        if (text.size() >= kMailTextLimit)
            return;
        if (!text.isEmpty())
            text += QLatin1Char('\n');
        text += more.left(kMailTextLimit - text.size());
    }
};

void readPart(const QByteArray &part, int depth, Reading &reading)
{
    QByteArray body;
    const Headers headers = readHeaders(part, &body);
    const QByteArray contentType = headers.value("content-type");
    const QByteArray type = contentType.isEmpty() ? QByteArray("text/plain") : mediaType(contentType);

    if (type.startsWith("multipart/")) {
        const QByteArray boundary = parameter(contentType, "boundary");
        if (boundary.isEmpty() || depth >= kMailPartDepth)
            return;
        const QByteArray delimiter = "--" + boundary;
        qsizetype at = body.indexOf(delimiter);
        while (at >= 0 && reading.text.size() < kMailTextLimit) {
            qsizetype start = body.indexOf('\n', at);
            if (start < 0 || body.mid(at + delimiter.size(), 2) == "--")
                break;
            ++start;
            const qsizetype next = body.indexOf(delimiter, start);
            readPart(body.mid(start, (next < 0 ? body.size() : next) - start), depth + 1, reading);
            at = next;
        }
        return;
    }
    if (type == "message/rfc822") {
        if (depth < kMailPartDepth)
            readPart(decodeTransfer(body, headers.value("content-transfer-encoding")), depth + 1, reading);
        return;
    }
    if (!type.startsWith("text/") || headers.value("content-disposition").toLower().startsWith("attachment"))
        return;
    const QString text = decodeCharset(decodeTransfer(body, headers.value("content-transfer-encoding")),
                                       parameter(contentType, "charset"));
    reading.add(type == "text/html" ? htmlToText(text) : text);
}

QString decodeEntity(const QString &name)
{
    static const QHash<QString, QString> named = {
        {QStringLiteral("amp"), QStringLiteral("&")},  {QStringLiteral("lt"), QStringLiteral("<")},
        {QStringLiteral("gt"), QStringLiteral(">")},   {QStringLiteral("quot"), QStringLiteral("\"")},
        {QStringLiteral("apos"), QStringLiteral("'")}, {QStringLiteral("nbsp"), QStringLiteral(" ")},
        {QStringLiteral("ensp"), QStringLiteral(" ")}, {QStringLiteral("emsp"), QStringLiteral(" ")},
        {QStringLiteral("yen"), QStringLiteral("¥")},
    };
    if (name.startsWith(QLatin1Char('#'))) {
        bool ok = false;
        const uint code = name.startsWith(QLatin1String("#x"), Qt::CaseInsensitive)
            ? name.mid(2).toUInt(&ok, 16)
            : name.mid(1).toUInt(&ok, 10);
        if (ok && code > 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF)) {
            const char32_t c = code;
            return QString::fromUcs4(&c, 1);
        }
        return QString();
    }
    return named.value(name.toLower(), QString());
}
} // namespace

QByteArray decodeQuotedPrintable(const QByteArray &encoded, bool header)
{
    QByteArray out;
    out.reserve(encoded.size());
    auto hex = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return -1;
    };
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        const char c = encoded.at(i);
        if (header && c == '_') {
            out += ' ';
        } else if (c == '=' && i + 1 < encoded.size()
                   && (encoded.at(i + 1) == '\n' || encoded.at(i + 1) == '\r')) {
            // A soft line break.
            ++i;
            if (encoded.at(i) == '\r' && i + 1 < encoded.size() && encoded.at(i + 1) == '\n')
                ++i;
        } else if (c == '=' && i + 2 < encoded.size() && hex(encoded.at(i + 1)) >= 0
                   && hex(encoded.at(i + 2)) >= 0) {
            out += char(hex(encoded.at(i + 1)) * 16 + hex(encoded.at(i + 2)));
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

QString decodeCharset(const QByteArray &bytes, const QByteArray &charset)
{
    QByteArray name = charset.trimmed().toLower();
    // Mail programs write GB2312 and GBK for what is GB18030's subset.
    if (name == "gb2312" || name == "gbk" || name == "x-gbk" || name == "cp936" || name == "euc-cn")
        name = "gb18030";
    if (!name.isEmpty() && name != "utf-8" && name != "utf8" && name != "us-ascii") {
        QStringDecoder decoder(name.constData());
        if (decoder.isValid()) {
            const QString text = decoder.decode(bytes);
            if (!decoder.hasError())
                return text;
        }
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder gb(name.isEmpty() ? "gb18030" : name.constData());
    return gb.isValid() ? gb.decode(bytes) : QString::fromUtf8(bytes);
}

QString decodeHeaderValue(const QByteArray &value)
{
    static const QRegularExpression word(QStringLiteral("=\\?([^?]+)\\?([bBqQ])\\?([^?]*)\\?="));
    const QString latin = QString::fromLatin1(value);
    QString out;
    qsizetype at = 0;
    bool lastWasWord = false;
    for (auto match = word.globalMatch(latin); match.hasNext();) {
        const QRegularExpressionMatch m = match.next();
        const QString between = latin.mid(at, m.capturedStart() - at);
        // Blanks between two encoded words are not part of the text.
        if (!(lastWasWord && between.trimmed().isEmpty()))
            out += decodeCharset(value.mid(at, m.capturedStart() - at), "utf-8");
        QByteArray charset = m.captured(1).toLatin1();
        const qsizetype star = charset.indexOf('*'); // a language after the charset
        if (star >= 0)
            charset.truncate(star);
        const QByteArray text = m.captured(3).toLatin1();
        const QByteArray bytes = m.captured(2).toUpper() == QLatin1String("B")
            ? QByteArray::fromBase64(text)
            : decodeQuotedPrintable(text, true);
        out += decodeCharset(bytes, charset);
        at = m.capturedEnd();
        lastWasWord = true;
    }
    out += decodeCharset(value.mid(at), "utf-8");
    return out.simplified();
}

QString htmlToText(const QString &html)
{
    static const QRegularExpression hidden(QStringLiteral("<(script|style|head)\\b[^>]*>.*?</\\1\\s*>"),
                                           QRegularExpression::CaseInsensitiveOption
                                               | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression comment(QStringLiteral("<!--.*?-->"),
                                            QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression href(QStringLiteral("href\\s*=\\s*[\"']?([^\"' >]+)"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression block(
        QStringLiteral("^/?(p|div|br|tr|li|h[1-6]|table|td|th|blockquote)\\b"),
        QRegularExpression::CaseInsensitiveOption);

    QString source = html;
    source.remove(comment);
    source.remove(hidden);
    QString text;
    text.reserve(source.size() / 2);
    QString pendingLink;
    for (qsizetype i = 0; i < source.size(); ++i) {
        const QChar c = source.at(i);
        if (c == QLatin1Char('<')) {
            const qsizetype end = source.indexOf(QLatin1Char('>'), i);
            if (end < 0)
                break;
            const QString tag = source.mid(i + 1, end - i - 1);
            if (tag.startsWith(QLatin1String("a "), Qt::CaseInsensitive)
                || tag.startsWith(QLatin1String("a\t"))) {
                const QRegularExpressionMatch link = href.match(tag);
                if (link.hasMatch())
                    pendingLink = link.captured(1);
            } else if (tag.compare(QLatin1String("/a"), Qt::CaseInsensitive) == 0 && !pendingLink.isEmpty()) {
                text += QStringLiteral(" ( ")
                    + pendingLink.replace(QLatin1String("&amp;"), QLatin1String("&")) + QStringLiteral(" ) ");
                pendingLink.clear();
            } else if (tag.contains(block)) {
                text += QLatin1Char('\n');
            } else {
                text += QLatin1Char(' ');
            }
            i = end;
        } else if (c == QLatin1Char('&')) {
            const qsizetype end = source.indexOf(QLatin1Char(';'), i);
            const QString entity
                = end > i && end - i <= 10 ? decodeEntity(source.mid(i + 1, end - i - 1)) : QString();
            if (entity.isEmpty()) {
                text += c;
            } else {
                text += entity;
                i = end;
            }
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QLatin1Char('\t')) {
            text += QLatin1Char(' ');
        } else {
            text += c;
        }
    }
    return text;
}

MailText readMail(const QByteArray &raw)
{
    QByteArray body;
    const Headers headers = readHeaders(raw, &body);
    MailText mail;
    mail.subject = decodeHeaderValue(headers.value("subject"));
    const QString from = decodeHeaderValue(headers.value("from"));
    const qsizetype open = from.lastIndexOf(QLatin1Char('<'));
    if (open >= 0) {
        mail.senderAddress = from.mid(open + 1).section(QLatin1Char('>'), 0, 0).trimmed();
        mail.sender = from.left(open).trimmed();
        if (mail.sender.size() >= 2 && mail.sender.startsWith(QLatin1Char('"'))
            && mail.sender.endsWith(QLatin1Char('"')))
            mail.sender = mail.sender.mid(1, mail.sender.size() - 2).trimmed();
    } else {
        mail.senderAddress = from.trimmed();
    }
    if (mail.sender.isEmpty())
        mail.sender = mail.senderAddress;
    QString date = QString::fromLatin1(headers.value("date")).simplified();
    date.remove(QRegularExpression(QStringLiteral("\\s*\\([^)]*\\)$"))); // "(CST)" after the zone
    mail.date = QDateTime::fromString(date, Qt::RFC2822Date);

    Reading reading;
    readPart(raw, 0, reading);
    mail.body = reading.text;
    return mail;
}
