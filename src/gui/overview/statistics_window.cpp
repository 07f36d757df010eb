#include "gui/overview/statistics_window.h"

#include "core/carrier_catalogue.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace {
// `caption`: what a screen reader calls it (an item view is not named by its label).
QTableWidget *table(const QStringList &headers, const QString &name, const QString &caption, QWidget *parent)
{
    auto *widget = new QTableWidget(0, int(headers.size()), parent);
    widget->setObjectName(name);
    widget->setAccessibleName(caption);
    widget->setHorizontalHeaderLabels(headers);
    widget->setEditTriggers(QAbstractItemView::NoEditTriggers);
    widget->setSelectionBehavior(QAbstractItemView::SelectRows);
    widget->verticalHeader()->hide();
    widget->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return widget;
}

QTableWidgetItem *cell(const QString &text, bool number = false)
{
    auto *item = new QTableWidgetItem(text);
    if (number)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QString spanOrDash(qint64 seconds)
{
    return seconds < 0 ? QStringLiteral("-") : shownSpanText(seconds);
}

double days(qint64 seconds)
{
    return seconds < 0 ? 0.0 : seconds / 86400.0;
}
} // namespace

StatisticsWindow::StatisticsWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("StatisticsWindow"));
    setWindowTitle(QCoreApplication::translate("StatisticsWindow", "统计"));
    resize(980, 560);

    chart = new QChartView(this);
    chart->setObjectName(QStringLiteral("transitChart"));
    chart->setAccessibleName(QCoreApplication::translate("StatisticsWindow", "各快递公司运送时间图表"));
    chart->setAccessibleDescription(
        QCoreApplication::translate("StatisticsWindow", "与“各快递公司”表格中的中位和80%运送时间相同"));
    chart->setRenderHint(QPainter::Antialiasing);
    chart->setMinimumWidth(420);

    auto *carriersLabel = new QLabel(QCoreApplication::translate("StatisticsWindow", "各快递公司"), this);
    carriers = table({QCoreApplication::translate("StatisticsWindow", "快递公司"),
                      QCoreApplication::translate("StatisticsWindow", "快递数"),
                      QCoreApplication::translate("StatisticsWindow", "已签收"),
                      QCoreApplication::translate("StatisticsWindow", "中位运送时间"),
                      QCoreApplication::translate("StatisticsWindow", "80%运送时间"),
                      QCoreApplication::translate("StatisticsWindow", "问题件占比")},
                     QStringLiteral("carrierStatistics"), carriersLabel->text(), this);
    carriersLabel->setBuddy(carriers);
    auto *monthsLabel = new QLabel(QCoreApplication::translate("StatisticsWindow", "每月签收"), this);
    months = table({QCoreApplication::translate("StatisticsWindow", "月份"),
                    QCoreApplication::translate("StatisticsWindow", "签收数")},
                   QStringLiteral("monthStatistics"), monthsLabel->text(), this);
    monthsLabel->setBuddy(months);

    auto *tables = new QVBoxLayout;
    tables->addWidget(carriersLabel);
    tables->addWidget(carriers, 3);
    tables->addWidget(monthsLabel);
    tables->addWidget(months, 2);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(chart, 1);
    layout->addLayout(tables, 1);
}

void StatisticsWindow::showStatistics(const ParcelStatistics &statistics)
{
    carriers->setRowCount(int(statistics.carriers.size()));
    for (int row = 0; row < int(statistics.carriers.size()); ++row) {
        const CarrierStatistics &carrier = statistics.carriers.at(row);
        carriers->setItem(row, 0, cell(carrierShownName(carrier.name)));
        carriers->setItem(row, 1, cell(QString::number(carrier.tracked), true));
        carriers->setItem(row, 2, cell(QString::number(carrier.signedFor), true));
        carriers->setItem(row, 3, cell(spanOrDash(carrier.transit.median), true));
        carriers->setItem(row, 4, cell(spanOrDash(carrier.transit.p80), true));
        carriers->setItem(row, 5, cell(shareText(carrier.problemShare()), true));
    }
    months->setRowCount(int(statistics.months.size()));
    for (int row = 0; row < int(statistics.months.size()); ++row) {
        months->setItem(row, 0, cell(statistics.months.at(row).month));
        months->setItem(row, 1, cell(QString::number(statistics.months.at(row).received), true));
    }
    fillChart(statistics);
    QWidget::show();
    raise();
    activateWindow();
}

void StatisticsWindow::fillChart(const ParcelStatistics &statistics)
{
    auto *median = new QBarSet(QCoreApplication::translate("StatisticsWindow", "中位"));
    auto *p80 = new QBarSet(QStringLiteral("80%"));
    QStringList names;
    double longest = 0;
    for (const CarrierStatistics &carrier : statistics.carriers) {
        if (carrier.transit.count == 0)
            continue;
        names.append(carrierShownName(carrier.name));
        *median << days(carrier.transit.median);
        *p80 << days(carrier.transit.p80);
        longest = std::max(longest, days(carrier.transit.p80));
    }
    auto *series = new QBarSeries;
    series->append(median);
    series->append(p80);
    auto *content = new QChart;
    content->setTitle(QCoreApplication::translate("StatisticsWindow", "已签收快递的运送时间(天)"));
    content->addSeries(series);
    auto *axisX = new QBarCategoryAxis;
    axisX->append(names);
    content->addAxis(axisX, Qt::AlignBottom);
    series->attachAxis(axisX);
    auto *axisY = new QValueAxis;
    axisY->setRange(0, std::max(1.0, std::ceil(longest)));
    axisY->setTitleText(QCoreApplication::translate("StatisticsWindow", "天"));
    axisY->setLabelFormat(QStringLiteral("%.1f"));
    content->addAxis(axisY, Qt::AlignLeft);
    series->attachAxis(axisY);
    content->legend()->setAlignment(Qt::AlignBottom);
    QChart *old = chart->chart();
    chart->setChart(content);
    // A chart view keeps the chart it was given; the one it had is ours to delete.
    delete old;
}
