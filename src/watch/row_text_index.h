#pragma once

#include "core/parcel_types.h"

#include <QBitArray>
#include <QHash>
#include <QList>
#include <QString>

// The texts of the saved parcels' rows, for the search of 全部快递 (a place name, a courier's
// phone). Years of parcels share most of their lines ("已签收,签收人:本人", the same transfer
// centres): each distinct line is kept once, in lower case, in one text, and each parcel keeps
// the numbers of its lines. A search passes over the distinct lines once.
class RowTextIndex
{
public:
    // Adds the parcel's row texts (a parcel added again replaces what it had).
    void add(const ParcelKey &key, const QStringList &rows);
    // No more parcels: what was only needed while adding goes.
    void finish();

    // One flag per distinct line: whether it holds `needle` (lower case, not empty).
    QBitArray matchingLines(const QString &needle) const;
    bool matches(const ParcelKey &key, const QBitArray &lines) const;
    bool contains(const ParcelKey &key) const { return m_parcels.contains(key); }

    int parcelCount() const { return int(m_parcels.size()); }
    int lineCount() const { return int(m_starts.size()); }
    qsizetype textSize() const { return m_text.size(); }

private:
    QString m_text; // every distinct line, each followed by a line break
    QList<qsizetype> m_starts; // where each line starts in m_text
    QList<quint32> m_lines; // the parcels' line numbers, parcel after parcel
    struct Range
    {
        qsizetype first = 0, count = 0;
    };
    QHash<ParcelKey, Range> m_parcels;
    QHash<QString, quint32> m_dictionary; // while adding
};
