#include "core/answer_parser.h"
#include "core/delivery_status.h"
#include "core/shown_text.h"
#include "gui/window/form1.h"
#include "platform/clock.h"
#include "store/saved_parcel_file.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

void Form1::hx2()
{
    const int rows = countAnswerRows(strAnswer);
    intRowCount += rows;
    if (rows > 0)
        Timer1->start();
}

void Form1::Timer1_Timer()
{
    const int rowCount = intRowCount;
    const std::vector<ProgressRow> rows = parseAnswerRows(strAnswer, rowCount, parseState);
    intRowCount = 0;
    Timer1->stop();

    const int timeColumn = columnByKey(QStringLiteral("sj"));
    const int stepColumn = columnByKey(QStringLiteral("wl"));
    QList<QTreeWidgetItem *> items;
    items.reserve(static_cast<qsizetype>(rows.size()));
    for (const ProgressRow &row : rows) {
        auto *item = new QTreeWidgetItem;
        item->setText(0, row.number);
        item->setText(timeColumn, row.time);
        item->setText(stepColumn, row.progress);
        items.append(item);
    }
    // Every row goes in above the earlier ones; the newest ends on top.
    ListView1->insertTopLevelItems(0, items);
    if (!items.isEmpty())
        itmRow = items.first();

    QTreeWidgetItem *top = ListView1->topLevelItem(0);
    if (top) {
        top->setForeground(1, QColor(255, 0, 0));
        top->setForeground(2, QColor(255, 0, 0));
    }
    csh();
    intPrevRows = intLastRows;
    intLastRows = ListView1->topLevelItemCount();

    QTreeWidgetItem *oldest = ListView1->topLevelItem(ListView1->topLevelItemCount() - 1);
    const qint64 seconds = oldest ? secondsSince(oldest->text(1), platform().clock->now()) : 0;
    setStatus(savedFileWritten ? tr("查询完毕...") : savedListProblem());
    Command1->setEnabled(true);

    const QString status = deliveryStatusOf(top ? top->text(2) : QString());
    queriedStatus = status;
    queriedTransit = status == kSignedFor ? kSignedFor : transitTimeText(seconds);
    setCaption(Label12[2], shownStatus(status));
    setCaption(Label12[5], status == kSignedFor ? shownStatus(kSignedFor) : shownTransitTime(seconds));

    tellAnswerParsed();
    gxtj();
}

void Form1::csh()
{
    strAnswer.clear();
    parseState.timeCell.clear();
    parseState.stepCell.clear();
    intRowCount = 0;
    parseState.cellIndex = 0;
}
