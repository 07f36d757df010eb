#pragma once

#include "watch/parcel_statistics.h"

#include <QWidget>

class QChartView;
class QTableWidget;

// "统计": per carrier the parcels, how many were signed for, their transit times and the share of
// problems; per month the parcels received. The chart of transit times has a table beside it
// that a screen reader reads.
class StatisticsWindow : public QWidget
{
public:
    explicit StatisticsWindow(QWidget *parent = nullptr);

    void showStatistics(const ParcelStatistics &statistics);

    QChartView *chart = nullptr;
    QTableWidget *carriers = nullptr;
    QTableWidget *months = nullptr;

private:
    void fillChart(const ParcelStatistics &statistics);
};
