#pragma once

#include "core/parcel_types.h"
#include "watch/parcel_groups.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <array>

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

    // The listed parcels in the saved list's order. Row texts already known stay with their
    // parcels; the positions returned are of parcels whose rows may have changed since (or that
    // are new), whose texts are to be read again.
    QList<int> setParcels(const QList<ParcelRecord> &parcels, const QDateTime &now, int archiveDays);
    void setArchiveDays(int archiveDays, const QDateTime &now);
    int archiveDays() const { return m_archiveDays; }
    // The rows' texts by parcel, for the search; parcels not in it keep what they had.
    void setRowTexts(const QHash<ParcelKey, QString> &texts);
    bool hasRowTexts() const { return m_hasRowTexts; }
    void setRowText(int index, const QString &text);
    // Replaces a parcel's record (and its rows' text when given); -1 when it is not in the list.
    int update(const ParcelRecord &parcel, const QString *rowText, const QDateTime &now);
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
        QString rows; // the rows' texts, lower case
        QString status; // as the status column shows it
        ParcelGroup group = ParcelGroup::All;
        bool archived = false;
        int rank = 0;
        qint64 accepted = -1; // the oldest row, wall clock seconds
    };
    void fill(Entry &entry, const QDateTime &now) const;
    void count();
    bool matches(const Entry &entry, const QString &needle) const;
    bool less(int a, int b, const OverviewOrder &order) const;

    QList<Entry> m_entries;
    QHash<ParcelKey, int> m_index;
    Counts m_counts {};
    int m_archiveDays = 0;
    qint64 m_now = 0;
    bool m_hasRowTexts = false;
};
