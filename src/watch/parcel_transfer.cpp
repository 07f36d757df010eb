#include "watch/parcel_transfer.h"

#include "store/saved_parcel_file.h"
#include "watch/parcel_files.h"
#include "watch/saved_entries.h"
#include "watch/tracking_history.h"

TransferResult exportParcels(const QStringList &savedLines, const TrackingHistory &history,
                             const QString &fileName)
{
    TransferResult result;
    const ParcelFileFormat format = parcelFileFormat(fileName);
    if (format == ParcelFileFormat::Unknown) {
        result.message = QStringLiteral("只能导出为.json或.csv文件: %1").arg(fileName);
        return result;
    }
    QList<ParcelFileEntry> parcels;
    for (const SavedEntry &saved : savedEntries(savedLines)) {
        ParcelFileEntry entry;
        entry.saved = saved;
        entry.state = history.parcel(saved.key).value_or(ParcelRecord());
        entry.rows = history.rows(saved.key);
        parcels.append(entry);
    }
    const QByteArray bytes
        = format == ParcelFileFormat::Json ? writeParcelsJson(parcels) : writeParcelsCsv(parcels);
    if (!writeFileAtomically(fileName, bytes)) {
        result.message = QStringLiteral("无法写入文件%1,请检查磁盘或权限").arg(fileName);
        return result;
    }
    result.ok = true;
    result.written = int(parcels.size());
    result.message = QStringLiteral("已导出%1个快递到%2").arg(result.written).arg(fileName);
    return result;
}

TransferResult importParcels(const QString &fileName, const QStringList &savedLines, TrackingHistory &history,
                             const std::function<bool(const QStringList &)> &saveLines, const QDateTime &now)
{
    TransferResult result;
    const ParcelFileRead read = readParcelsFile(fileName);
    if (!read.ok) {
        result.message = QStringLiteral("导入失败,没有保存任何快递: ") + read.error;
        return result;
    }
    const ImportPlan plan = planImport(savedLines, read.parcels);
    if (!plan.newLines.isEmpty() && !saveLines(plan.newLines)) {
        result.message = QStringLiteral("导入失败: 快递列表保存失败!请检查磁盘或权限..");
        return result;
    }
    // The history follows the saved list; the saved list is whole before any history goes in.
    history.followSavedList(savedEntries(savedLines + plan.newLines));
    for (const ParcelFileEntry &parcel : plan.added)
        history.mergeHistory(parcel.saved.key, parcel.rows, parcel.state, now);
    result.ok = true;
    result.added = int(plan.added.size());
    result.skipped = plan.skipped;
    result.message = QStringLiteral("已导入%1个快递,%2个已在列表中").arg(result.added).arg(result.skipped);
    return result;
}

bool appendToSavedFile(const QString &path, const QStringList &newLines)
{
    SavedFileContents contents;
    readSavedFile(path, contents); // a missing file is an empty list
    return writeFileAtomically(path, composeSavedFile(contents.parcels + newLines, contents.otherLines));
}
