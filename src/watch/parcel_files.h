#pragma once

#include "core/parcel_types.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The saved parcels in and out of files: JSON (every parcel with its whole history) and CSV (one
// row per parcel, UTF-8 with a byte-order mark so that spreadsheet programs read the Chinese text).

// One parcel of such a file.
struct ParcelFileEntry
{
    SavedEntry saved; // number, carrier code and name, note
    ParcelRecord state; // what the history knows (JSON only; CSV carries the status and newest row)
    QList<HistoryRow> rows; // oldest first (JSON only)
};

enum class ParcelFileFormat { Unknown, Json, Csv };
// By the file name's extension, any case.
ParcelFileFormat parcelFileFormat(const QString &fileName);

QByteArray writeParcelsJson(const QList<ParcelFileEntry> &parcels);
QByteArray writeParcelsCsv(const QList<ParcelFileEntry> &parcels);

struct ParcelFileRead
{
    bool ok = false;
    QString error; // names the line, the parcel or the field
    QList<ParcelFileEntry> parcels;
};

// A file that does not read whole gives no parcel at all: one bad line refuses the file.
ParcelFileRead readParcelsJson(const QByteArray &bytes);
ParcelFileRead readParcelsCsv(const QByteArray &bytes);
ParcelFileRead readParcelsFile(const QString &fileName);

// What importing `parcels` into a saved list adds: the saved lines to append (a parcel already
// saved with the same number and carrier is left out) and how many were left out.
struct ImportPlan
{
    QStringList newLines;
    QList<ParcelFileEntry> added;
    int skipped = 0;
};
ImportPlan planImport(const QStringList &savedLines, const QList<ParcelFileEntry> &parcels);
