#include "store/ini_file.h"

#include "platform/text_codec.h"
#include "store/saved_parcel_file.h"

#include <QFile>
#include <QList>

namespace {
struct RawLine
{
    QByteArray bytes; // the line as stored, without its end
    QString text; // decoded and trimmed
};

// Byte-level splitting is safe: CR and LF never occur inside a GB18030 character.
QList<RawLine> splitRawLines(const QByteArray &bytes)
{
    QList<RawLine> lines;
    qsizetype start = 0;
    const qsizetype size = bytes.size();
    auto add = [&](qsizetype end) {
        const QByteArray line = bytes.mid(start, end - start);
        lines.append({line, decodeGb(line).trimmed()});
    };
    for (qsizetype i = 0; i < size; ++i) {
        const char c = bytes.at(i);
        if (c != '\r' && c != '\n')
            continue;
        add(i);
        if (c == '\r' && i + 1 < size && bytes.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        add(size);
    return lines;
}

bool isSectionLine(const QString &text, QString *name = nullptr)
{
    if (!text.startsWith(QLatin1Char('[')))
        return false;
    const qsizetype close = text.lastIndexOf(QLatin1Char(']'));
    if (close < 0)
        return false;
    if (name)
        *name = text.mid(1, close - 1).trimmed();
    return true;
}

bool isKeyLine(const QString &text, QString *key, QString *value = nullptr)
{
    if (text.startsWith(QLatin1Char(';')))
        return false;
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    if (equals < 0)
        return false;
    *key = text.left(equals).trimmed();
    if (value)
        *value = text.mid(equals + 1).trimmed();
    return true;
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}
} // namespace

QString onOneLine(const QString &text)
{
    QString line = text;
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line;
}

QString cutToEncodedBytes(const QString &text, int maxBytes)
{
    // No UTF-16 unit takes more than 4 bytes in GB18030: a short text needs no encoding (which
    // would load the converter's tables for nothing).
    if (text.size() <= maxBytes / 4 || encodeGb(text).size() <= maxBytes)
        return text;
    QString cut;
    int bytes = 0;
    for (qsizetype i = 0; i < text.size();) {
        // A surrogate pair is one character.
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        const int characterBytes = static_cast<int>(encodeGb(character).size());
        if (bytes + characterBytes > maxBytes)
            break;
        cut += character;
        bytes += characterBytes;
        i += length;
    }
    return cut;
}

QString profileValue(const QByteArray &fileBytes, const QString &section, const QString &key,
                     const QString &defaultValue)
{
    bool inSection = false;
    for (const RawLine &line : splitRawLines(fileBytes)) {
        QString name;
        if (isSectionLine(line.text, &name)) {
            inSection = sameName(name, section);
            continue;
        }
        QString lineKey, value;
        if (inSection && isKeyLine(line.text, &lineKey, &value) && sameName(lineKey, key))
            return cutToEncodedBytes(value, kProfileValueMaxBytes);
    }
    return cutToEncodedBytes(defaultValue, kProfileValueMaxBytes);
}

QByteArray withProfileValue(const QByteArray &fileBytes, const QString &sectionName, const QString &keyName,
                            const QString &valueText)
{
    const QString section = onOneLine(sectionName);
    const QString key = onOneLine(keyName);
    const QString value = onOneLine(valueText);
    QList<RawLine> lines = splitRawLines(fileBytes);
    const QByteArray entry = encodeGb(key + QLatin1Char('=') + value);

    qsizetype sectionAt = -1;
    qsizetype insertAt = -1; // after the last entry of the first matching section
    qsizetype replaceAt = -1;
    bool inSection = false;
    bool inFirstSection = false;
    for (qsizetype i = 0; i < lines.size() && replaceAt < 0; ++i) {
        const QString &text = lines.at(i).text;
        QString name;
        if (isSectionLine(text, &name)) {
            inSection = sameName(name, section);
            inFirstSection = inSection && sectionAt < 0;
            if (inFirstSection) {
                sectionAt = i;
                insertAt = i + 1;
            }
            continue;
        }
        if (!inSection || text.isEmpty())
            continue;
        QString lineKey;
        if (isKeyLine(text, &lineKey) && sameName(lineKey, key))
            replaceAt = i;
        else if (inFirstSection)
            insertAt = i + 1;
    }

    if (replaceAt >= 0) {
        lines[replaceAt].bytes = entry;
    } else if (sectionAt >= 0) {
        lines.insert(insertAt, {entry, {}});
    } else {
        lines.append({encodeGb(QLatin1Char('[') + section + QLatin1Char(']')), {}});
        lines.append({entry, {}});
    }

    QByteArray bytes;
    for (const RawLine &line : lines) {
        bytes += line.bytes;
        bytes += "\r\n";
    }
    return bytes;
}

QString readProfileString(const QString &path, const QString &section, const QString &key,
                          const QString &defaultValue)
{
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    return profileValue(bytes, section, key, defaultValue);
}

bool writeProfileString(const QString &path, const QString &section, const QString &key, const QString &value)
{
    QFile file(path);
    QByteArray bytes;
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly))
            return false;
        bytes = file.readAll();
        file.close();
    }
    return writeFileAtomically(path, withProfileValue(bytes, section, key, value));
}
