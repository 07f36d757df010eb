#include "store/saved_parcel_file.h"

#include "core/carrier_catalogue.h"
#include "platform/text_codec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
// The first parts of the carrier names that hold a "|" (共速达物流|快递): only a line whose second
// field is one of them can name such a carrier.
const QStringList &barredNameStarts()
{
    static const QStringList starts = [] {
        QStringList list;
        for (int i = 0; i < kCarrierCount; ++i) {
            if (carrierName(i).contains(QLatin1Char('|')))
                list.append(carrierName(i).section(QLatin1Char('|'), 0, 0));
        }
        return list;
    }();
    return starts;
}
} // namespace

SavedParcel readSavedLine(const QString &line)
{
    SavedParcel parcel;
    const QStringList fields = line.split(QLatin1Char('|'));
    if (fields.size() < 2)
        return parcel;
    parcel.number = fields.at(0);
    int remarkField = 2;
    if (fields.size() >= 3 && barredNameStarts().contains(fields.at(1))) {
        const QString joined = fields.at(1) + QLatin1Char('|') + fields.at(2);
        if (carrierIndexByName(joined) >= 0) {
            parcel.carrier = joined;
            remarkField = 3;
        }
    }
    if (parcel.carrier.isEmpty())
        parcel.carrier = fields.at(1);
    parcel.remark = fields.value(remarkField);
    for (qsizetype i = remarkField + 1; i < fields.size(); ++i)
        parcel.rest += QLatin1Char('|') + fields.at(i);
    return parcel;
}

QString savedLine(const QString &number, const QString &carrier, const QString &remark)
{
    return number + QLatin1Char('|') + carrier + QLatin1Char('|') + remark;
}

bool isParcelLine(const QString &line)
{
    return line.count(QLatin1Char('|')) >= 2;
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(text.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < size && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(text.mid(start));
    return lines;
}

SavedFileContents parseSavedFile(const QByteArray &bytes)
{
    SavedFileContents contents;
    // Decoded before splitting: a "|" byte inside a two-byte character is not a separator.
    for (const QString &line : splitLines(decodeGb(bytes))) {
        if (line.trimmed().isEmpty())
            continue;
        if (isParcelLine(line))
            contents.parcels.append(line);
        else
            contents.otherLines.append(line);
    }
    return contents;
}

QByteArray composeSavedFile(const QStringList &parcels, const QStringList &otherLines)
{
    QByteArray bytes;
    for (const QStringList *lines : {&parcels, &otherLines}) {
        for (const QString &line : *lines) {
            bytes += encodeGb(line);
            bytes += "\r\n";
        }
    }
    return bytes;
}

bool readSavedFile(const QString &path, SavedFileContents &contents)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    contents = parseSavedFile(bytes);
    return true;
}

SavedFileRead readSavedFileForRewrite(const QString &path)
{
    SavedFileRead read;
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        read.ok = true;
        return read;
    }
    read.exists = true;
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        read.error = QStringLiteral("无法读取快递列表文件%1(%2),为免丢失已保存的快递,没有做任何更改")
                         .arg(QDir::toNativeSeparators(path), file.errorString());
        return read;
    }
    read.contents = parseSavedFile(bytes);
    read.ok = true;
    return read;
}

bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    auto failed = [&] {
        if (error)
            *error = QStringLiteral("无法写入文件%1(%2),请检查磁盘或权限")
                         .arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    };
    if (!file.open(QIODevice::WriteOnly))
        return failed();
    // An uncommitted QSaveFile removes its temporary file and leaves the old one alone. The flush
    // is checked here: commit() does not notice a short write of its final flush (a full disk, a
    // file size limit) and would put a cut file in place of the old one.
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError)
        return failed();
    return file.commit() || failed();
}

bool removeSavedFile(const QString &path)
{
    QFile file(path);
    return !file.exists() || file.remove();
}
