#pragma once

#include "core/parcel_types.h"
#include "watch/overview_list.h"

#include <QAbstractTableModel>
#include <QDateTime>
#include <QFont>
#include <QList>
#include <functional>

// The rows of 全部快递 that are shown: positions in an OverviewList, in the order shown. Sorting
// and filtering are the list's; a click on a column header asks `sortRequested`.
class OverviewModel : public QAbstractTableModel
{
public:
    OverviewModel(const OverviewList &list, QObject *parent);

    // Shows these parcels (a reset: the view's selection goes, the caller puts it back).
    void setShown(QList<int> shown, const QDateTime &now);
    // The same parcels in another order; selections and the current row move with their parcels.
    void reorder(const std::function<void(QList<int> &)> &sort);
    const QList<int> &shown() const { return m_shown; }
    int listIndex(int row) const { return m_shown.at(row); }
    // The row showing the list's parcel, -1 when it is not shown.
    int rowOf(int listIndex) const;
    void refreshRow(int row);

    std::function<void(int column, Qt::SortOrder order)> sortRequested;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    void reindex();

    const OverviewList &m_list;
    QList<int> m_shown;
    QList<int> m_rowOf; // by list position, -1 when not shown
    QDateTime m_now;
    QFont m_bold;
};

// "物流详情": every row ever seen of one parcel, newest first, with when it was first seen.
class DetailsModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRows(const QList<HistoryRow> &oldestFirst);
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<HistoryRow> m_rows; // newest first
};
