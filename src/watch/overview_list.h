#pragma once

#include "core/parcel_types.h"
#include "watch/parcel_groups.h"
#include "watch/row_text_index.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <array>
#include <memory>

// Which column the rows are sorted by; -1: the default order (defaultRank, then the saved list).
struct OverviewOrder
{
    int column = -1;
    Qt::SortOrder order = Qt::AscendingOrder;
    bool operator==(const OverviewOrder &other) const
    {
        return column == other.column && order == other.order;
    }
};

// The parcels of 全部快递 with what their groups, order and search need, worked out once per
// load so that a keystroke or a group switch is a pass over memory.
class OverviewList
{
public:
    using Counts = std::array<int, int(ParcelGroup::Count)>;

    // The listed parcels in the saved list's order. The positions returned are of parcels whose
    // rows may have changed since the rows' texts were read (or that are new): their texts are to
    // be given again with setRowTexts.
    QList<int> setParcels(QList<ParcelRecord> parcels, const QDateTime &now, int archiveDays);
    void setArchiveDays(int archiveDays, const QDateTime &now);
    int archiveDays() const { return m_archiveDays; }
    // The rows' texts of every parcel, for the search; what setRowTexts gave before goes.
    void setRowTextIndex(std::shared_ptr<const RowTextIndex> index);
    bool hasRowTexts() const { return m_rowTexts != nullptr; }
    // The rows' texts of one parcel, newer than the index.
    void setRowTexts(int index, const QStringList &rows);
    // Replaces a parcel's record; -1 when it is not in the list.
    int update(const ParcelRecord &parcel, const QDateTime &now);
    void markSeen(int index);

    int size() const { return int(m_entries.size()); }
    const ParcelRecord &parcel(int index) const { return m_entries.at(index).parcel; }
    bool archived(int index) const { return m_entries.at(index).archived; }
    int indexOf(const ParcelKey &key) const { return m_index.value(key, -1); }
    Counts counts() const { return m_counts; }

    // The parcels of `group` that hold `search` (note, number, carrier or a row's text, any
    // case), in `order`.
    QList<int> select(ParcelGroup group, const QString &search, const OverviewOrder &order) const;
    // The same for a search that holds the one `shown` was selected for: only those can match,
    // and they stay in their order.
    QList<int> narrow(const QList<int> &shown, const QString &search) const;
    // `shown` in another order.
    void sort(QList<int> &shown, const OverviewOrder &order) const;

private:
    struct Entry
    {
        ParcelRecord parcel;
        QString fields; // note, number and carrier, lower case
        QString rows; // the rows' texts, lower case, when newer than the index
        bool ownRows = false; // rows, not the index, holds them
        QString status; // as the status column shows it
        ParcelGroup group = ParcelGroup::All;
        bool archived = false;
        int rank = 0;
        qint64 accepted = -1; // the oldest row, wall clock seconds
    };
    void fill(Entry &entry, const QDateTime &now) const;
    void count();
    bool matches(const Entry &entry, const QString &needle, const QBitArray &lines) const;
    QBitArray linesHolding(const QString &needle) const;
    bool less(int a, int b, const OverviewOrder &order) const;

    QList<Entry> m_entries;
    QHash<ParcelKey, int> m_index;
    Counts m_counts {};
    int m_archiveDays = 0;
    qint64 m_now = 0;
    std::shared_ptr<const RowTextIndex> m_rowTexts;
};
