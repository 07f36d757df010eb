#include "watch/parcel_files.h"

#include "core/carrier_catalogue.h"
#include "store/saved_parcel_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QStringDecoder>
#include <algorithm>

namespace {
const QString kFormatName = QStringLiteral("parcelvue-parcels");
constexpr int kFormatVersion = 1;
const QStringList kCsvHeader {QStringLiteral("备注"),  QStringLiteral("单号"),     QStringLiteral("快递公司"),
                              QStringLiteral("状态"),  QStringLiteral("最新进度"), QStringLiteral("上次查询"),
                              QStringLiteral("已归档")};
const QString kYes = QStringLiteral("是");

QString isoTime(const QDateTime &time)
{
    return time.isValid() ? time.toUTC().toString(Qt::ISODate) : QString();
}

QDateTime fromIso(const QString &text)
{
    return text.isEmpty() ? QDateTime() : QDateTime::fromString(text, Qt::ISODate);
}

// The catalogue position for a carrier given by service code or display name; -1 when neither.
int carrierOf(const QString &code, const QString &name)
{
    for (int i = 0; i < kCarrierCount && !code.isEmpty(); ++i) {
        if (carrierCode(i) == code)
            return i;
    }
    return name.isEmpty() ? -1 : carrierIndexByName(name);
}

// Why a value cannot stand in a saved line, or empty when it can.
QString unfitForSavedLine(const QString &number, const QString &note)
{
    if (number.trimmed().isEmpty())
        return QCoreApplication::translate("ParcelFiles", "单号为空");
    if (number.contains(QLatin1Char('|')))
        return QCoreApplication::translate("ParcelFiles", "单号含有“|”");
    for (const QString *value : {&number, &note}) {
        if (value->contains(QLatin1Char('\r')) || value->contains(QLatin1Char('\n')))
            return QCoreApplication::translate("ParcelFiles", "含有换行");
    }
    return QString();
}

// A cell a spreadsheet would take for a formula is written with a leading apostrophe.
QString csvCell(const QString &value)
{
    QString text = value;
    if (!text.isEmpty() && QStringLiteral("=+-@\t\r").contains(text.front()))
        text.prepend(QLatin1Char('\''));
    if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) || text.contains(QLatin1Char('\n'))
        || text.contains(QLatin1Char('\r')) || text != text.trimmed()) {
        text.replace(QLatin1String("\""), QLatin1String("\"\""));
        text = QLatin1Char('"') + text + QLatin1Char('"');
    }
    return text;
}

QString csvValue(const QString &cell)
{
    if (cell.size() > 1 && cell.front() == QLatin1Char('\'')
        && QStringLiteral("=+-@\t\r").contains(cell.at(1)))
        return cell.mid(1);
    return cell;
}

// RFC 4180 records with the line each starts on; false with the line of a quote left open.
bool splitCsv(const QString &text, QList<QStringList> &records, QList<int> &lines, int &badLine)
{
    QStringList record;
    QString cell;
    bool quoted = false;
    bool cellStarted = false;
    int line = 1;
    int recordLine = 1;
    auto endCell = [&] {
        record.append(cell);
        cell.clear();
        cellStarted = false;
    };
    auto endRecord = [&] {
        endCell();
        if (!(record.size() == 1 && record.first().isEmpty())) {
            records.append(record);
            lines.append(recordLine);
        }
        record.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                    cell += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == QLatin1Char('\n'))
                    ++line;
                cell += c;
            }
            continue;
        }
        if (c == QLatin1Char('"') && !cellStarted) {
            quoted = true;
            cellStarted = true;
        } else if (c == QLatin1Char(',')) {
            endCell();
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            endRecord();
            recordLine = ++line;
        } else {
            cell += c;
            cellStarted = true;
        }
    }
    if (quoted) {
        badLine = recordLine;
        return false;
    }
    if (cellStarted || !record.isEmpty())
        endRecord();
    return true;
}

// Where the bytes stop being UTF-8 (a GBK file, say); the size when they never do.
qsizetype firstNonUtf8(const QByteArray &bytes)
{
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size;) {
        const auto lead = static_cast<unsigned char>(bytes.at(i));
        const int follow = lead < 0x80 ? 0
            : (lead >> 5) == 0x6       ? 1
            : (lead >> 4) == 0xE       ? 2
            : (lead >> 3) == 0x1E      ? 3
                                       : -1;
        if (follow < 0 || (follow == 1 && lead < 0xC2) || i + follow >= size)
            return i;
        for (int k = 1; k <= follow; ++k) {
            if ((static_cast<unsigned char>(bytes.at(i + k)) & 0xC0) != 0x80)
                return i;
        }
        i += follow + 1;
    }
    return size;
}

ParcelFileRead refused(const QString &error)
{
    ParcelFileRead read;
    read.error = error;
    return read;
}
} // namespace

ParcelFileFormat parcelFileFormat(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("json"))
        return ParcelFileFormat::Json;
    if (suffix == QLatin1String("csv"))
        return ParcelFileFormat::Csv;
    return ParcelFileFormat::Unknown;
}

QByteArray writeParcelsJson(const QList<ParcelFileEntry> &parcels)
{
    QJsonArray list;
    for (const ParcelFileEntry &parcel : parcels) {
        QJsonArray rows;
        for (const HistoryRow &row : parcel.rows)
            rows.append(QJsonObject {{QStringLiteral("time"), row.time},
                                     {QStringLiteral("text"), row.text},
                                     {QStringLiteral("first_seen"), isoTime(row.firstSeen)},
                                     {QStringLiteral("position"), row.position}});
        list.append(QJsonObject {
            {QStringLiteral("note"), parcel.saved.note},
            {QStringLiteral("number"), parcel.saved.key.number},
            {QStringLiteral("carrier"),
             QJsonObject {{QStringLiteral("code"), parcel.saved.key.com},
                          {QStringLiteral("name"), parcel.saved.carrierName}}},
            {QStringLiteral("status"), parcel.state.status},
            {QStringLiteral("last_checked"), isoTime(parcel.state.lastChecked)},
            {QStringLiteral("last_error"), parcel.state.lastError},
            {QStringLiteral("archived"), parcel.state.archive == ArchiveMark::Archived},
            {QStringLiteral("phone_digits"), parcel.state.phoneDigits},
            // The carrier's last answer: its newest row, oldest row's time and row count.
            {QStringLiteral("newest"),
             QJsonObject {{QStringLiteral("time"), parcel.state.newestTime},
                          {QStringLiteral("text"), parcel.state.newestText}}},
            {QStringLiteral("oldest_time"), parcel.state.oldestTime},
            {QStringLiteral("row_count"), parcel.state.rowCount},
            {QStringLiteral("rows"), rows},
        });
    }
    const QJsonObject root {{QStringLiteral("format"), kFormatName},
                            {QStringLiteral("version"), kFormatVersion},
                            {QStringLiteral("parcels"), list}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QByteArray writeParcelsCsv(const QList<ParcelFileEntry> &parcels)
{
    QString text = kCsvHeader.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    for (const ParcelFileEntry &parcel : parcels) {
        const QString newest = parcel.state.newestTime.isEmpty()
            ? parcel.state.newestText
            : parcel.state.newestTime + QLatin1Char(' ') + parcel.state.newestText;
        const QString checked = parcel.state.lastChecked.isValid()
            ? parcel.state.lastChecked.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
            : QString();
        const QStringList cells {parcel.saved.note,
                                 parcel.saved.key.number,
                                 parcel.saved.carrierName,
                                 parcel.state.status,
                                 newest,
                                 checked,
                                 parcel.state.archive == ArchiveMark::Archived ? kYes : QString()};
        QStringList quoted;
        for (const QString &cell : cells)
            quoted.append(csvCell(cell));
        text += quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

ParcelFileRead readParcelsJson(const QByteArray &bytes)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        const int line = int(bytes.left(parseError.offset).count('\n')) + 1;
        return refused(QCoreApplication::translate("ParcelFiles", "不是有效的JSON文件:第%1行,%2")
                           .arg(line)
                           .arg(parseError.errorString()));
    }
    const QJsonObject root = document.object();
    if (!document.isObject() || !root.value(QStringLiteral("parcels")).isArray())
        return refused(QCoreApplication::translate("ParcelFiles", "JSON文件中没有快递列表(parcels)"));
    const QJsonValue format = root.value(QStringLiteral("format"));
    if (!format.isUndefined() && format.toString() != kFormatName)
        return refused(
            QCoreApplication::translate("ParcelFiles", "JSON文件不是Parcelvue的快递列表(format: %1)")
                .arg(format.toVariant().toString()));
    if (root.value(QStringLiteral("version")).toInt(kFormatVersion) > kFormatVersion)
        return refused(
            QCoreApplication::translate("ParcelFiles", "JSON文件来自更新版本的Parcelvue(version %1)")
                .arg(root.value(QStringLiteral("version")).toInt()));

    ParcelFileRead read;
    const QJsonArray list = root.value(QStringLiteral("parcels")).toArray();
    read.parcels.reserve(list.size());
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QString where
            = QCoreApplication::translate("ParcelFiles", "第%1个快递(parcels[%2])").arg(i + 1).arg(i);
        if (!list.at(i).isObject())
            return refused(where + QCoreApplication::translate("ParcelFiles", "不是一个对象"));
        const QJsonObject item = list.at(i).toObject();
        const QJsonValue number = item.value(QStringLiteral("number"));
        const QJsonValue note = item.value(QStringLiteral("note"));
        const QJsonObject carrier = item.value(QStringLiteral("carrier")).toObject();
        if (!number.isString())
            return refused(where + QCoreApplication::translate("ParcelFiles", "缺少单号(number)"));
        if (!note.isUndefined() && !note.isString())
            return refused(where + QCoreApplication::translate("ParcelFiles", "的备注(note)不是文字"));
        const QString code = carrier.value(QStringLiteral("code")).toString();
        const QString name = carrier.value(QStringLiteral("name")).toString();
        const int position = carrierOf(code, name);
        if (position < 0)
            return refused(
                where
                + QCoreApplication::translate("ParcelFiles", "的快递公司(carrier)不在公司目录中: %1")
                      .arg(code.isEmpty() ? name : code));
        if (const QString unfit = unfitForSavedLine(number.toString(), note.toString()); !unfit.isEmpty())
            return refused(where + QStringLiteral(": ") + unfit);

        ParcelFileEntry entry;
        entry.saved = {{number.toString(), carrierCode(position)}, carrierName(position), note.toString()};
        entry.state.key = entry.saved.key;
        entry.state.status = item.value(QStringLiteral("status")).toString();
        entry.state.lastChecked = fromIso(item.value(QStringLiteral("last_checked")).toString());
        entry.state.lastError = item.value(QStringLiteral("last_error")).toString();
        const QJsonValue archived = item.value(QStringLiteral("archived"));
        if (!archived.isUndefined() && !archived.isBool())
            return refused(
                where + QCoreApplication::translate("ParcelFiles", "的归档标记(archived)应为true或false"));
        entry.state.archive = archived.toBool() ? ArchiveMark::Archived : ArchiveMark::ByRule;
        const QJsonValue phone = item.value(QStringLiteral("phone_digits"));
        const QString digits = phone.toString();
        if (!phone.isUndefined()
            && (!phone.isString() || digits.size() > 8
                || !std::all_of(digits.cbegin(), digits.cend(), [](QChar c) { return c.isDigit(); })))
            return refused(
                where + QCoreApplication::translate("ParcelFiles", "的电话号码后几位(phone_digits)应为数字"));
        entry.state.phoneDigits = digits;
        const QJsonObject newest = item.value(QStringLiteral("newest")).toObject();
        entry.state.newestTime = newest.value(QStringLiteral("time")).toString();
        entry.state.newestText = newest.value(QStringLiteral("text")).toString();
        entry.state.oldestTime = item.value(QStringLiteral("oldest_time")).toString();
        entry.state.rowCount = std::max(0, item.value(QStringLiteral("row_count")).toInt());
        const QJsonValue rows = item.value(QStringLiteral("rows"));
        if (!rows.isUndefined() && !rows.isArray())
            return refused(where + QCoreApplication::translate("ParcelFiles", "的进度(rows)不是列表"));
        const QJsonArray rowList = rows.toArray();
        for (qsizetype r = 0; r < rowList.size(); ++r) {
            const QJsonObject row = rowList.at(r).toObject();
            if (!row.value(QStringLiteral("time")).isString()
                || !row.value(QStringLiteral("text")).isString())
                return refused(
                    where
                    + QCoreApplication::translate("ParcelFiles", "的第%1条进度(rows[%2])缺少time或text")
                          .arg(r + 1)
                          .arg(r));
            entry.rows.append({row.value(QStringLiteral("time")).toString(),
                               row.value(QStringLiteral("text")).toString(),
                               fromIso(row.value(QStringLiteral("first_seen")).toString()),
                               std::max(-1, row.value(QStringLiteral("position")).toInt(-1))});
        }
        read.parcels.append(entry);
    }
    read.ok = true;
    return read;
}

ParcelFileRead readParcelsCsv(const QByteArray &bytes)
{
    QByteArray data = bytes;
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(data);
    if (decoder.hasError()) {
        const qsizetype bad = firstNonUtf8(data);
        const int line = int(data.left(bad).count('\n')) + 1;
        return refused(
            QCoreApplication::translate("ParcelFiles", "CSV文件不是UTF-8编码(第%1行),请以UTF-8保存后再导入")
                .arg(line));
    }
    QList<QStringList> records;
    QList<int> lines;
    int badLine = 0;
    if (!splitCsv(text, records, lines, badLine))
        return refused(
            QCoreApplication::translate("ParcelFiles", "CSV文件第%1行的引号没有结束").arg(badLine));
    if (records.isEmpty())
        return refused(QCoreApplication::translate("ParcelFiles", "CSV文件是空的"));
    const QStringList header = records.first();
    const qsizetype noteColumn = header.indexOf(kCsvHeader.at(0));
    const qsizetype numberColumn = header.indexOf(kCsvHeader.at(1));
    const qsizetype carrierColumn = header.indexOf(kCsvHeader.at(2));
    const qsizetype archivedColumn = header.indexOf(kCsvHeader.at(6)); // optional
    if (noteColumn < 0 || numberColumn < 0 || carrierColumn < 0)
        return refused(
            QCoreApplication::translate("ParcelFiles", "CSV文件第1行应是标题行,含有“备注”“单号”“快递公司”"));

    ParcelFileRead read;
    read.parcels.reserve(records.size() - 1);
    for (qsizetype r = 1; r < records.size(); ++r) {
        const QStringList &record = records.at(r);
        const QString where = QCoreApplication::translate("ParcelFiles", "CSV文件第%1行").arg(lines.at(r));
        const QString number = csvValue(record.value(numberColumn)).trimmed();
        const QString note = csvValue(record.value(noteColumn));
        const QString carrier = csvValue(record.value(carrierColumn)).trimmed();
        const int position = carrierOf(carrier, carrier);
        if (position < 0)
            return refused(
                where
                + QCoreApplication::translate("ParcelFiles", ": 快递公司不在公司目录中: %1").arg(carrier));
        if (const QString unfit = unfitForSavedLine(number, note); !unfit.isEmpty())
            return refused(where + QStringLiteral(": ") + unfit);
        ParcelFileEntry entry;
        entry.saved = {{number, carrierCode(position)}, carrierName(position), note};
        entry.state.key = entry.saved.key;
        const QString archived = archivedColumn < 0 ? QString() : record.value(archivedColumn).trimmed();
        if (!archived.isEmpty() && archived != kYes)
            return refused(where
                           + QCoreApplication::translate("ParcelFiles", ": “已归档”一栏应为“是”或空白: %1")
                                 .arg(archived));
        entry.state.archive = archived.isEmpty() ? ArchiveMark::ByRule : ArchiveMark::Archived;
        read.parcels.append(entry);
    }
    read.ok = true;
    return read;
}

ParcelFileRead readParcelsFile(const QString &fileName)
{
    const ParcelFileFormat format = parcelFileFormat(fileName);
    if (format == ParcelFileFormat::Unknown)
        return refused(
            QCoreApplication::translate("ParcelFiles", "只能导入.json或.csv文件: %1").arg(fileName));
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return refused(QCoreApplication::translate("ParcelFiles", "无法读取文件%1: %2")
                           .arg(fileName, file.errorString()));
    const QByteArray bytes = file.readAll();
    return format == ParcelFileFormat::Json ? readParcelsJson(bytes) : readParcelsCsv(bytes);
}

ImportPlan planImport(const QStringList &savedLines, const QList<ParcelFileEntry> &parcels)
{
    QSet<QString> known;
    for (const QString &line : savedLines) {
        const SavedParcel saved = readSavedLine(line);
        known.insert(saved.number + QLatin1Char('\n') + carrierCode(carrierIndexByName(saved.carrier)));
    }
    ImportPlan plan;
    for (const ParcelFileEntry &parcel : parcels) {
        const QString key = parcel.saved.key.number + QLatin1Char('\n') + parcel.saved.key.com;
        if (known.contains(key)) {
            ++plan.skipped;
            continue;
        }
        known.insert(key);
        plan.newLines.append(savedLine(parcel.saved.key.number, parcel.saved.carrierName, parcel.saved.note));
        plan.added.append(parcel);
    }
    return plan;
}
