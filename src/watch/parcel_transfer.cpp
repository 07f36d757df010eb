#include "watch/parcel_transfer.h"

#include "store/saved_parcel_file.h"
#include "watch/parcel_files.h"
#include "watch/saved_entries.h"
#include "watch/tracking_history.h"

#include <QCoreApplication>
#include <QDir>
#include <algorithm>

TransferResult exportParcels(const QStringList &savedLines, const TrackingHistory &history,
                             const QString &fileName)
{
    TransferResult result;
    const ParcelFileFormat format = parcelFileFormat(fileName);
    if (format == ParcelFileFormat::Unknown) {
        result.message
            = QCoreApplication::translate("ParcelTransfer", "只能导出为.json或.csv文件: %1").arg(fileName);
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
        result.message
            = QCoreApplication::translate("ParcelTransfer", "无法写入文件%1,请检查磁盘或权限").arg(fileName);
        return result;
    }
    result.ok = true;
    result.written = int(parcels.size());
    result.message = QCoreApplication::translate("ParcelTransfer", "已导出%1个快递到%2")
                         .arg(result.written)
                         .arg(fileName);
    return result;
}

TransferResult importParcels(const QString &fileName, const QStringList &savedLines, TrackingHistory &history,
                             const std::function<QString(const QStringList &)> &saveLines,
                             const QDateTime &now)
{
    TransferResult result;
    const ParcelFileRead read = readParcelsFile(fileName);
    if (!read.ok) {
        result.message
            = QCoreApplication::translate("ParcelTransfer", "导入失败,没有保存任何快递: ") + read.error;
        return result;
    }
    const ImportPlan plan = planImport(savedLines, read.parcels);
    if (!plan.newLines.isEmpty()) {
        if (const QString why = saveLines(plan.newLines); !why.isEmpty()) {
            result.message = QCoreApplication::translate("ParcelTransfer", "导入失败: ") + why;
            return result;
        }
    }
    result.added = int(plan.added.size());
    result.skipped = plan.skipped;
    // The history follows the saved list; the saved list is whole before any history goes in. Every
    // parcel of the file brings its history, also one saved already: a backup restores the rows
    // of a database that was lost or moved aside.
    bool merged = history.followSavedList(savedEntries(savedLines + plan.newLines));
    for (qsizetype i = 0; merged && i < read.parcels.size(); ++i) {
        const ParcelFileEntry &parcel = read.parcels.at(i);
        const int rows = history.mergeHistory(parcel.saved.key, parcel.rows, parcel.state, now);
        merged = rows >= 0;
        result.mergedRows += std::max(rows, 0);
    }
    if (!merged) {
        result.message = QCoreApplication::translate(
                             "ParcelTransfer", "已导入%1个快递到快递列表,但物流记录未能存入数据库%2: %3")
                             .arg(result.added)
                             .arg(QDir::toNativeSeparators(history.path()), history.lastError());
        return result;
    }
    result.ok = true;
    result.message
        = QCoreApplication::translate("ParcelTransfer", "已导入%1个快递,%2个已在列表中,合并了%3条物流记录")
              .arg(result.added)
              .arg(result.skipped)
              .arg(result.mergedRows);
    return result;
}

QString appendToSavedFile(const QString &path, const QStringList &newLines)
{
    const SavedFileRead read = readSavedFileForRewrite(path);
    if (!read.ok)
        return read.error;
    QString error;
    if (!writeFileAtomically(
            path, composeSavedFile(read.contents.parcels + newLines, read.contents.otherLines), &error))
        return error;
    return QString();
}
