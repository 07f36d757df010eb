#include "watch/overview_list.h"

#include "core/carrier_catalogue.h"
#include "watch/overview_rows.h"
#include "watch/wall_clock.h"

#include <algorithm>

namespace {
QString folded(const QString &text)
{
    return text.toLower();
}

QString needleOf(const QString &search)
{
    return folded(search.trimmed());
}

template<typename T> int compare(const T &a, const T &b)
{
    return a < b ? -1 : b < a ? 1 : 0;
}
} // namespace

void OverviewList::fill(Entry &entry, const QDateTime &now) const
{
    const ParcelRecord &parcel = entry.parcel;
    // The carrier as stored and, in another interface language, as the list shows it.
    const QString shownCarrier = carrierShownName(parcel.carrierName);
    entry.fields
        = folded(parcel.note + QLatin1Char('\n') + parcel.key.number + QLatin1Char('\n') + parcel.carrierName
                 + (shownCarrier == parcel.carrierName ? QString() : QLatin1Char('\n') + shownCarrier));
    entry.status = overviewStatus(parcel);
    entry.archived = isArchived(parcel, m_archiveDays, now);
    entry.group = entry.archived ? ParcelGroup::Archived : statusGroup(parcel);
    entry.rank = defaultRank(parcel);
    entry.accepted = wallSeconds(parcel.oldestTime);
}

namespace {
// What changes whenever rows come.
bool sameRows(const ParcelRecord &a, const ParcelRecord &b)
{
    return a.rowCount == b.rowCount && a.lastAnswered == b.lastAnswered && a.newestTime == b.newestTime
        && a.newestText == b.newestText && a.oldestTime == b.oldestTime;
}
} // namespace

QList<int> OverviewList::setParcels(QList<ParcelRecord> parcels, const QDateTime &now, int archiveDays)
{
    struct Known
    {
        ParcelRecord parcel;
        QString rows;
        bool ownRows;
    };
    QHash<ParcelKey, Known> known;
    known.reserve(m_entries.size());
    for (Entry &entry : m_entries) {
        const ParcelKey key = entry.parcel.key;
        known.insert(key, {std::move(entry.parcel), std::move(entry.rows), entry.ownRows});
    }
    QList<int> stale;
    m_archiveDays = archiveDays;
    m_now = wallSeconds(now);
    m_entries.clear();
    m_entries.reserve(parcels.size());
    m_index.clear();
    m_index.reserve(parcels.size());
    for (ParcelRecord &parcel : parcels) {
        Entry entry;
        entry.parcel = std::move(parcel);
        fill(entry, now);
        const ParcelKey &key = entry.parcel.key;
        const auto found = known.find(key);
        if (found != known.end() && sameRows(found->parcel, entry.parcel)) {
            entry.rows = std::move(found->rows);
            entry.ownRows = found->ownRows;
        } else if (m_rowTexts && (found != known.end() || !m_rowTexts->contains(key))) {
            stale.append(int(m_entries.size()));
        }
        m_index.insert(key, int(m_entries.size()));
        m_entries.append(std::move(entry));
    }
    count();
    return stale;
}

void OverviewList::setRowTexts(int index, const QStringList &rows)
{
    Entry &entry = m_entries[index];
    entry.rows = folded(rows.join(QLatin1Char('\n')));
    entry.ownRows = true;
}

void OverviewList::setArchiveDays(int archiveDays, const QDateTime &now)
{
    m_archiveDays = archiveDays;
    for (Entry &entry : m_entries) {
        entry.archived = isArchived(entry.parcel, archiveDays, now);
        entry.group = entry.archived ? ParcelGroup::Archived : statusGroup(entry.parcel);
    }
    count();
}

void OverviewList::setRowTextIndex(std::shared_ptr<const RowTextIndex> index)
{
    m_rowTexts = std::move(index);
    for (Entry &entry : m_entries) {
        entry.rows.clear();
        entry.ownRows = false;
    }
}

int OverviewList::update(const ParcelRecord &parcel, const QDateTime &now)
{
    const int index = indexOf(parcel.key);
    if (index < 0)
        return -1;
    Entry &entry = m_entries[index];
    entry.parcel = parcel;
    fill(entry, now);
    count();
    return index;
}

void OverviewList::markSeen(int index)
{
    Entry &entry = m_entries[index];
    entry.parcel.unseenNews = false;
    // Its place stays until the next load: a row must not run away from under the pointer.
}

void OverviewList::count()
{
    m_counts.fill(0);
    for (const Entry &entry : std::as_const(m_entries)) {
        if (entry.archived) {
            ++m_counts[int(ParcelGroup::Archived)];
            continue;
        }
        ++m_counts[int(ParcelGroup::All)];
        if (entry.group != ParcelGroup::All)
            ++m_counts[int(entry.group)];
    }
}

QBitArray OverviewList::linesHolding(const QString &needle) const
{
    return m_rowTexts && !needle.isEmpty() ? m_rowTexts->matchingLines(needle) : QBitArray();
}

bool OverviewList::matches(const Entry &entry, const QString &needle, const QBitArray &lines) const
{
    if (needle.isEmpty() || entry.fields.contains(needle))
        return true;
    if (entry.ownRows)
        return entry.rows.contains(needle);
    return m_rowTexts && m_rowTexts->matches(entry.parcel.key, lines);
}

QList<int> OverviewList::select(ParcelGroup group, const QString &search, const OverviewOrder &order) const
{
    const QString needle = needleOf(search);
    const QBitArray lines = linesHolding(needle);
    QList<int> shown;
    shown.reserve(m_entries.size());
    for (int i = 0; i < int(m_entries.size()); ++i) {
        const Entry &entry = m_entries.at(i);
        const bool inGroup = group == ParcelGroup::All ? !entry.archived : entry.group == group;
        if (inGroup && matches(entry, needle, lines))
            shown.append(i);
    }
    sort(shown, order);
    return shown;
}

QList<int> OverviewList::narrow(const QList<int> &shown, const QString &search) const
{
    const QString needle = needleOf(search);
    const QBitArray lines = linesHolding(needle);
    QList<int> kept;
    kept.reserve(shown.size());
    for (int index : shown) {
        if (matches(m_entries.at(index), needle, lines))
            kept.append(index);
    }
    return kept;
}

bool OverviewList::less(int a, int b, const OverviewOrder &order) const
{
    const Entry &x = m_entries.at(a);
    const Entry &y = m_entries.at(b);
    int c = 0;
    switch (order.column < 0 ? OverviewColumn::Count : OverviewColumn(order.column)) {
    case OverviewColumn::Note:
        c = x.parcel.note.compare(y.parcel.note);
        break;
    case OverviewColumn::Number:
        c = x.parcel.key.number.compare(y.parcel.key.number);
        break;
    case OverviewColumn::Carrier:
        c = x.parcel.carrierName.compare(y.parcel.carrierName);
        break;
    case OverviewColumn::Status:
        c = x.status.compare(y.status);
        break;
    case OverviewColumn::Newest:
        c = x.parcel.newestTime.compare(y.parcel.newestTime);
        if (c == 0)
            c = x.parcel.newestText.compare(y.parcel.newestText);
        break;
    case OverviewColumn::Transit:
        // Longest on the way last; parcels without rows first.
        c = compare(x.accepted < 0 ? -1 : m_now - x.accepted, y.accepted < 0 ? -1 : m_now - y.accepted);
        break;
    case OverviewColumn::LastChecked:
        c = compare(x.parcel.lastChecked.isValid() ? x.parcel.lastChecked.toMSecsSinceEpoch() : -1,
                    y.parcel.lastChecked.isValid() ? y.parcel.lastChecked.toMSecsSinceEpoch() : -1);
        break;
    case OverviewColumn::NextCheck:
        c = compare(x.parcel.nextCheck.isValid() ? x.parcel.nextCheck.toMSecsSinceEpoch() : -1,
                    y.parcel.nextCheck.isValid() ? y.parcel.nextCheck.toMSecsSinceEpoch() : -1);
        break;
    case OverviewColumn::Error:
        c = x.parcel.lastError.compare(y.parcel.lastError);
        break;
    case OverviewColumn::Count:
        c = compare(x.rank, y.rank);
        break;
    }
    if (c != 0)
        return order.column < 0 || order.order == Qt::AscendingOrder ? c < 0 : c > 0;
    // Equal ones keep the saved list's order, whichever way the column goes.
    return a < b;
}

void OverviewList::sort(QList<int> &shown, const OverviewOrder &order) const
{
    std::sort(shown.begin(), shown.end(), [&](int a, int b) { return less(a, b, order); });
}
