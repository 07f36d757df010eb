#include "gui/overview/overview_models.h"

#include "watch/overview_rows.h"

#include <QCoreApplication>
#include <algorithm>

OverviewModel::OverviewModel(const OverviewList &list, QObject *parent)
    : QAbstractTableModel(parent)
    , m_list(list)
{
    m_bold.setBold(true);
}

void OverviewModel::setShown(QList<int> shown, const QDateTime &now)
{
    beginResetModel();
    m_shown = std::move(shown);
    m_now = now;
    reindex();
    endResetModel();
}

void OverviewModel::reindex()
{
    m_rowOf.fill(-1, m_list.size());
    for (int row = 0; row < int(m_shown.size()); ++row)
        m_rowOf[m_shown.at(row)] = row;
}

int OverviewModel::rowOf(int listIndex) const
{
    return listIndex >= 0 && listIndex < int(m_rowOf.size()) ? m_rowOf.at(listIndex) : -1;
}

void OverviewModel::reorder(const std::function<void(QList<int> &)> &sort)
{
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QList<int> parcels;
    parcels.reserve(before.size());
    for (const QModelIndex &index : before)
        parcels.append(m_shown.at(index.row()));
    sort(m_shown);
    reindex();
    QModelIndexList after;
    after.reserve(before.size());
    for (int i = 0; i < int(before.size()); ++i)
        after.append(createIndex(m_rowOf.at(parcels.at(i)), before.at(i).column()));
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void OverviewModel::refreshRow(int row)
{
    if (row >= 0 && row < int(m_shown.size()))
        Q_EMIT dataChanged(createIndex(row, 0), createIndex(row, columnCount() - 1));
}

int OverviewModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_shown.size());
}

int OverviewModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(OverviewColumn::Count);
}

QVariant OverviewModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_shown.size()))
        return {};
    const ParcelRecord &parcel = m_list.parcel(m_shown.at(index.row()));
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return shownOverviewCell(parcel, OverviewColumn(index.column()), m_now);
    case Qt::FontRole:
        return parcel.unseenNews ? QVariant(m_bold) : QVariant();
    default:
        return {};
    }
}

QVariant OverviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return overviewHeaders().value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void OverviewModel::sort(int column, Qt::SortOrder order)
{
    if (sortRequested)
        sortRequested(column, order);
}

void DetailsModel::setRows(const QList<HistoryRow> &oldestFirst)
{
    beginResetModel();
    m_rows = oldestFirst;
    std::reverse(m_rows.begin(), m_rows.end());
    endResetModel();
}

int DetailsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int DetailsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant DetailsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_rows.size())
        || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    const HistoryRow &row = m_rows.at(index.row());
    switch (index.column()) {
    case 0:
        return row.time;
    case 1:
        return row.text;
    default:
        return row.firstSeen.isValid()
            ? row.firstSeen.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"))
            : QString();
    }
}

QVariant DetailsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char *const headers[]
        = {QT_TRANSLATE_NOOP("DetailsModel", "时间"), QT_TRANSLATE_NOOP("DetailsModel", "进度"),
           QT_TRANSLATE_NOOP("DetailsModel", "首次看到")};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 3)
        return QCoreApplication::translate("DetailsModel", headers[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}
