#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

class TrackingHistory;

// Export and import of the saved parcels, shared by the command line and the overview window.
struct TransferResult
{
    bool ok = false;
    QString message; // what to tell the user, done or not
    int written = 0; // parcels written to the file (export)
    int added = 0; // parcels added to the saved list (import)
    int skipped = 0; // parcels of the file that were saved already
    int mergedRows = 0; // progress rows of the file the history did not hold yet (import)
};

// Writes every saved parcel with its history to `fileName`, JSON or CSV by its extension, in one
// step (a failed write leaves an older file as it was).
TransferResult exportParcels(const QStringList &savedLines, const TrackingHistory &history,
                             const QString &fileName);

// Reads `fileName` (JSON or CSV) and adds the parcels that are not saved yet. `saveLines` appends
// the new saved lines and writes the saved-parcel file in one step, returning why it could not
// (empty when it did); only then is the history merged in. A file that is refused changes
// nothing.
TransferResult importParcels(const QString &fileName, const QStringList &savedLines, TrackingHistory &history,
                             const std::function<QString(const QStringList &newLines)> &saveLines,
                             const QDateTime &now);

// `saveLines` for a program without a window: the saved-parcel file at `path` gets the lines at
// the end of its parcels, its other lines kept, in one write. A file that is there but cannot be
// read is not written.
QString appendToSavedFile(const QString &path, const QStringList &newLines);
