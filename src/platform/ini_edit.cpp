#include "platform/ini_edit.h"

#include <QFile>
#include <QSaveFile>

namespace {
struct Line
{
    QByteArray bytes; // without its end
    QString section; // of a section header, else empty
    QString key; // of an entry, else empty
};

Line readLine(const QByteArray &bytes)
{
    Line line {bytes, {}, {}};
    const QByteArray trimmed = bytes.trimmed();
    if (trimmed.startsWith('[')) {
        const qsizetype close = trimmed.lastIndexOf(']');
        if (close > 0)
            line.section = QString::fromUtf8(trimmed.mid(1, close - 1)).trimmed();
        return line;
    }
    if (trimmed.startsWith(';') || trimmed.startsWith('#'))
        return line;
    const qsizetype equals = trimmed.indexOf('=');
    if (equals > 0)
        line.key = QString::fromUtf8(trimmed.left(equals)).trimmed();
    return line;
}

bool isPlain(const QString &value)
{
    if (value.isEmpty())
        return true;
    for (const QChar c : value) {
        const char16_t u = c.unicode();
        const bool plain = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9')
            || u == '.' || u == '-' || u == '_' || u == '@' || u == ':' || u == '/' || u == '+';
        if (!plain)
            return false;
    }
    return true;
}
} // namespace

QByteArray iniValueText(const QString &value)
{
    // QSettings reads a value starting with "@" as a typed value ("@Variant(...)"); "@@" is one "@".
    const QString text = value.startsWith(QLatin1Char('@')) ? QLatin1Char('@') + value : value;
    if (isPlain(text))
        return text.toUtf8();
    QByteArray quoted = "\"";
    for (const char c : text.toUtf8()) {
        switch (c) {
        case '"':
            quoted += "\\\"";
            break;
        case '\\':
            quoted += "\\\\";
            break;
        case '\n':
            quoted += "\\n";
            break;
        case '\r':
            quoted += "\\r";
            break;
        case '\t':
            quoted += "\\t";
            break;
        default:
            quoted += c;
        }
    }
    return quoted + '"';
}

QByteArray withIniSection(const QByteArray &text, const QString &section,
                          const QList<std::pair<QString, QString>> &values, const QStringList &removed)
{
    const QByteArray eol = text.contains("\r\n") ? QByteArray("\r\n") : QByteArray("\n");
    QList<Line> lines;
    for (QByteArray bytes : text.split('\n')) {
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        lines.append(readLine(bytes));
    }
    // split() gives an empty piece after the last line end.
    if (!lines.isEmpty() && lines.last().bytes.isEmpty())
        lines.removeLast();

    auto entry = [](const QString &key, const QString &value) {
        return readLine(key.toUtf8() + '=' + iniValueText(value));
    };
    QStringList written;
    qsizetype lastEntryOfSection = -1;
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!lines[i].section.isEmpty() || lines[i].bytes.trimmed().startsWith('[')) {
            inSection = lines[i].section == section;
            if (inSection)
                lastEntryOfSection = i;
            continue;
        }
        if (!inSection || lines[i].key.isEmpty())
            continue;
        const QString key = lines[i].key;
        if (removed.contains(key)) {
            lines.removeAt(i--);
            continue;
        }
        for (const auto &[name, value] : values) {
            if (name == key) {
                lines[i] = entry(name, value);
                written.append(name);
            }
        }
        lastEntryOfSection = i;
    }

    QList<Line> added;
    for (const auto &[name, value] : values) {
        if (!written.contains(name))
            added.append(entry(name, value));
    }
    if (lastEntryOfSection < 0) {
        if (!lines.isEmpty() && !lines.last().bytes.trimmed().isEmpty())
            lines.append(readLine({}));
        lines.append(readLine('[' + section.toUtf8() + ']'));
        lastEntryOfSection = lines.size() - 1;
    }
    for (qsizetype i = 0; i < added.size(); ++i)
        lines.insert(lastEntryOfSection + 1 + i, added[i]);

    QByteArray result;
    for (const Line &line : lines)
        result += line.bytes + eol;
    return result;
}

bool writePrivateFile(const QString &path, const QByteArray &text, QString *error)
{
    QSaveFile file(path);
    // The permissions are set before anything is written, so the text never stands in a file
    // others can read.
    if (!file.open(QIODevice::WriteOnly)
        || !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)
        || file.write(text) != text.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool editIniFile(const QString &path, const QString &section,
                 const QList<std::pair<QString, QString>> &values, const QStringList &removed, QString *error)
{
    QByteArray text;
    QFile file(path);
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly)) {
            if (error)
                *error = file.errorString();
            return false;
        }
        text = file.readAll();
        file.close();
    }
    return writePrivateFile(path, withIniSection(text, section, values, removed), error);
}
