#include "gui/window/module2.h"
#include "qt_wait.h"
#include "window_harness.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <vector>

namespace {
// Rows whose texts are far narrower and far wider than the columns, so a fit would change them.
void fillRows(QTreeWidget *list)
{
    for (int i = 0; i < 3; ++i) {
        auto *item = new QTreeWidgetItem(list);
        item->setText(0, QString::number(i + 1));
        item->setText(1, QStringLiteral("1"));
        item->setText(2, QString(400, QLatin1Char('W')));
    }
}

std::vector<int> widths(const QTreeView *list)
{
    std::vector<int> result;
    for (int column = 0; column < list->header()->count(); ++column)
        result.push_back(list->columnWidth(column));
    return result;
}

int borderAfter(const QHeaderView *header, int logical)
{
    return header->sectionViewportPosition(logical) + header->sectionSize(logical);
}

enum class Gesture { DragBorder, DoubleClickBorder };

void perform(QHeaderView *header, int column, Gesture gesture)
{
    QWidget *surface = header->viewport();
    const int y = header->height() / 2;
    const QPoint border(borderAfter(header, column) - 1, y);
    if (gesture == Gesture::DragBorder) {
        QTest::mousePress(surface, Qt::LeftButton, {}, border);
        QTest::mouseMove(surface, border + QPoint(30, 0));
        QTest::mouseMove(surface, border + QPoint(60, 0));
        QTest::mouseRelease(surface, Qt::LeftButton, {}, border + QPoint(60, 0));
    } else {
        QTest::mousePress(surface, Qt::LeftButton, {}, border);
        QTest::mouseRelease(surface, Qt::LeftButton, {}, border);
        QTest::mouseDClick(surface, Qt::LeftButton, {}, border);
        QTest::mouseRelease(surface, Qt::LeftButton, {}, border);
    }
}

struct Lists
{
    WindowHarness h;
    Form1 *form;
    QTreeWidget plain; // the same list without the lock: shows the gestures are real

    Lists()
    {
        form = &h.open();
        form->Timer3->stop();
        fillRows(form->ListView1);
        plain.setColumnCount(3);
        plain.resize(form->ListView1->size());
        plain.header()->setStretchLastSection(false);
        for (int column = 0; column < 3; ++column)
            plain.setColumnWidth(column, form->ListView1->columnWidth(column));
        fillRows(&plain);
        form->show();
        plain.show();
    }
};

const struct
{
    const char *what;
    int column;
    Gesture gesture;
} kGestures[] = {
    {"drag the first border", 0, Gesture::DragBorder},
    {"drag the second border", 1, Gesture::DragBorder},
    {"double-click the first border", 0, Gesture::DoubleClickBorder},
    {"double-click the second border", 1, Gesture::DoubleClickBorder},
};
} // namespace

TEST(ColumnLock, BorderGesturesLeaveTheWidths)
{
    for (const auto &g : kGestures) {
        SCOPED_TRACE(g.what);
        Lists lists;
        const auto lockedBefore = widths(lists.form->ListView1);
        const auto plainBefore = widths(&lists.plain);
        perform(lists.form->ListView1->header(), g.column, g.gesture);
        perform(lists.plain.header(), g.column, g.gesture);
        EXPECT_EQ(widths(lists.form->ListView1), lockedBefore);
        EXPECT_NE(widths(&lists.plain), plainBefore) << "the gesture must resize an unlocked list";
    }
}

// The double-click on a border stays without effect even if a column is made resizable again.
TEST(ColumnLock, BorderDoubleClickIsSwallowedForAResizableColumn)
{
    Lists lists;
    QHeaderView *header = lists.form->ListView1->header();
    header->setSectionResizeMode(0, QHeaderView::Interactive);
    const auto before = widths(lists.form->ListView1);
    perform(header, 0, Gesture::DoubleClickBorder);
    EXPECT_EQ(widths(lists.form->ListView1), before);
}

TEST(ColumnLock, HeaderClicksStillReachTheList)
{
    Lists lists;
    QHeaderView *header = lists.form->ListView1->header();
    const struct
    {
        const char *what;
        int x;
        int section;
    } clicks[] = {
        {"middle of the first header", header->sectionViewportPosition(0) + header->sectionSize(0) / 2, 0},
        {"middle of the last header", header->sectionViewportPosition(2) + header->sectionSize(2) / 2, 2},
        {"middle of the time header", header->sectionViewportPosition(1) + header->sectionSize(1) / 2, 1},
    };
    for (const auto &c : clicks) {
        SCOPED_TRACE(c.what);
        QSignalSpy clicked(header, &QHeaderView::sectionClicked);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(c.x, header->height() / 2));
        ASSERT_EQ(clicked.count(), 1);
        EXPECT_EQ(clicked.at(0).at(0).toInt(), c.section);
    }
}

TEST(ColumnLock, ColumnsKeepTheirOrder)
{
    Lists lists;
    QHeaderView *header = lists.form->ListView1->header();
    QWidget *surface = header->viewport();
    const int y = header->height() / 2;
    const QPoint grab(header->sectionViewportPosition(0) + 10, y);
    QTest::mousePress(surface, Qt::LeftButton, {}, grab);
    QTest::mouseMove(surface, grab + QPoint(200, 0));
    QTest::mouseMove(surface, grab + QPoint(400, 0));
    QTest::mouseRelease(surface, Qt::LeftButton, {}, grab + QPoint(400, 0));
    for (int column = 0; column < 3; ++column)
        EXPECT_EQ(header->visualIndex(column), column);
}

// However many rows there are, and however wide their text, the progress column takes what the
// first two leave of the list's visible width: never a horizontal scroll bar.
TEST(ColumnLock, ProgressColumnFillsTheVisibleWidth)
{
    for (int rows : {3, 60}) {
        SCOPED_TRACE(rows);
        WindowHarness h;
        Form1 &form = h.open();
        form.Timer3->stop();
        QTreeWidget *list = form.ListView1;
        const int unit = list->columnWidth(0);
        const int time = list->columnWidth(1);
        form.show();
        for (int i = 0; i < rows; ++i) {
            auto *item = new QTreeWidgetItem(list);
            item->setText(0, QString::number(i + 1));
            item->setText(1, QStringLiteral("2024-03-01 08:00:00"));
            item->setText(2, QString(400, QLatin1Char('W')));
        }
        const bool scrolls = rows > 10;
        const auto total = [&] { return list->columnWidth(0) + list->columnWidth(1) + list->columnWidth(2); };
        // The list lays itself out in steps on the event loop.
        EXPECT_TRUE(waitUntil([&] {
            return list->verticalScrollBar()->isVisible() == scrolls && total() == list->viewport()->width()
                && list->horizontalScrollBar()->maximum() == 0;
        })) << total()
            << " in " << list->viewport()->width();
        EXPECT_FALSE(list->horizontalScrollBar()->isVisible());
        EXPECT_EQ(list->columnWidth(0), unit);
        EXPECT_EQ(list->columnWidth(1), time);
    }
}
