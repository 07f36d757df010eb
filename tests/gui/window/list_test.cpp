#include "gui/window/class1.h"
#include "store_support.h"
#include "test_servers.h"

#include <httplib.h>

#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QLabel>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

namespace {
const char *const kTwoRows = "<table><tr><td>2024-01-01 10:00:00</td><td>已揽收</td></tr>"
                             "<tr><td>2024-01-02 08:30:00</td><td>派件员正在派件</td></tr></table>";

struct ListFixture
{
    ListFixture(const QString &savedLines)
    {
        server.get("/", [this](const httplib::Request &request, httplib::Response &response) {
            numbers.push_back(request.get_param_value("nu"));
            response.set_content(kTwoRows, "text/html; charset=utf-8");
        });
        form = &openWindow(h, server.start(), encodeGb(savedLines));
    }
    ScriptedHttpServer server;
    std::vector<std::string> numbers;
    WindowHarness h;
    Form1 *form = nullptr;
};

QPoint rowCentre(QTreeWidget *list, int row)
{
    return list->visualItemRect(list->topLevelItem(row)).center();
}
} // namespace

TEST(ListInteractions, ChoosingASavedParcelQueriesIt)
{
    ListFixture f(QStringLiteral("123|AAE快递|衣服\r\n456|共速达物流|快递|书\r\n"));
    Form1 &form = *f.form;
    // As a person picks it: through the list's own signal.
    form.Text1->setCurrentIndex(0);
    Q_EMIT form.Text1->activated(0);
    EXPECT_EQ(form.strSavedNumber, QStringLiteral("123"));
    EXPECT_EQ(form.strSavedCom, QStringLiteral("AAE快递"));
    EXPECT_EQ(form.strSavedRemark, QStringLiteral("衣服"));
    EXPECT_EQ(form.strSavedIndex, QStringLiteral("0"));
    EXPECT_EQ(form.Combo1->currentText(), QStringLiteral("AAE快递"));
    EXPECT_EQ(form.strComCode, carrierCode(carrierIndexByName(QStringLiteral("AAE快递"))));
    EXPECT_EQ(form.Combo6->currentText(), QStringLiteral("123|AAE快递|衣服"));
    EXPECT_EQ(form.queriedRemark, QStringLiteral("衣服"));
    ASSERT_EQ(f.numbers, std::vector<std::string> {"123"});
    ASSERT_TRUE(parseDone(form));
    EXPECT_EQ(form.ListView1->topLevelItemCount(), 2);

    choose(form, 1);
    EXPECT_EQ(form.strSavedNumber, QStringLiteral("456"));
    EXPECT_EQ(form.strSavedCom, QStringLiteral("共速达物流|快递"));
    EXPECT_EQ(form.strSavedRemark, QStringLiteral("书"));
    EXPECT_EQ(form.Combo1->currentText(), QStringLiteral("共速达物流|快递"));
    ASSERT_TRUE(parseDone(form));
}

TEST(ListInteractions, TheSameEntryKeepsTheCountsAnotherResetsThem)
{
    ListFixture f(QStringLiteral("123|AAE快递|衣服\r\n456|安捷快递|书\r\n"));
    Form1 &form = *f.form;
    struct Step
    {
        int index;
        int prevAfterChoice;
        int lastAfterChoice;
    };
    // After each parse: prev = the earlier count, last = 2 rows.
    const Step steps[] = {{0, 0, 0}, {0, 2, 2}, {1, 0, 0}, {1, 2, 2}, {0, 0, 0}};
    for (const Step &s : steps) {
        form.Text1->setCurrentIndex(s.index);
        form.intPrevRows = form.intLastRows == 0 ? 0 : form.intPrevRows;
        const int before = form.intLastRows;
        form.Text1_Click();
        // The counts as the choice left them, before the parse moves them on.
        EXPECT_EQ(form.intLastRows, s.lastAfterChoice == 0 ? 0 : before) << s.index;
        ASSERT_TRUE(parseDone(form));
        EXPECT_EQ(form.intLastRows, 2);
        EXPECT_EQ(form.intPrevRows, s.prevAfterChoice);
        EXPECT_EQ(form.intSavedIndex, s.index);
    }
}

TEST(ListInteractions, OperatePanelShowsTheChosenParcel)
{
    ListFixture f(QStringLiteral("123|AAE快递|衣服\r\n"));
    Form1 &form = *f.form;
    form.Command14->click();
    EXPECT_EQ(form.Label11[2]->text(), QStringLiteral("请先选择快递.."));
    EXPECT_TRUE(form.Picture5->isHidden());

    choose(form, 0);
    ASSERT_TRUE(parseDone(form));
    form.Command4_Click();
    form.Command14->click();
    EXPECT_EQ(form.Text4->text(), QStringLiteral("123"));
    EXPECT_EQ(form.Text5->currentText(), QStringLiteral("AAE快递"));
    EXPECT_EQ(form.Text6->text(), QStringLiteral("衣服"));
    EXPECT_FALSE(form.Picture5->isHidden());
    EXPECT_TRUE(form.Picture4->isHidden());
    form.aicAlphaImage2->click();
    EXPECT_TRUE(form.Picture5->isHidden());
}

TEST(ListInteractions, CopyTheChosenParcel)
{
    ListFixture f(QStringLiteral("123|AAE快递|衣服\r\n"));
    Form1 &form = *f.form;
    QApplication::clipboard()->setText(QStringLiteral("before"));
    form.Command12_Click();
    EXPECT_EQ(form.Label11[2]->text(), QStringLiteral("请先选择快递.."));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("before"));

    choose(form, 0);
    ASSERT_TRUE(parseDone(form));
    form.Command14_Click();
    form.Text4->setText(QStringLiteral("edited"));
    form.Command12->click();
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("快递物品：衣服\r\n快递公司：AAE快递\r\n快递单号：123"));
    EXPECT_EQ(form.Label11[2]->text(), QStringLiteral("当前快递信息已复制.."));
}

TEST(ListInteractions, ClickShowsTheRowInABalloonDoubleClickCopiesIt)
{
    ListFixture f(QStringLiteral("123|AAE快递|衣服\r\n"));
    Form1 &form = *f.form;
    form.show();
    choose(form, 0);
    ASSERT_TRUE(parseDone(form));
    QWidget *viewport = form.ListView1->viewport();

    QTest::mouseClick(viewport, Qt::LeftButton, {}, rowCentre(form.ListView1, 1));
    ASSERT_NE(form.objTip, nullptr);
    EXPECT_EQ(form.objTip->parentControl(), form.ListView1);
    EXPECT_EQ(form.objTip->title(), QStringLiteral("物流跟踪信息"));
    EXPECT_EQ(form.objTip->text(), QStringLiteral("时间:2024-01-01 10:00:00\r\n物流进度:已揽收"));
    ASSERT_NE(form.objTip->balloon(), nullptr);
    EXPECT_TRUE(form.objTip->balloon()->isVisible());
    Class1 *tip = form.objTip;

    QApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, rowCentre(form.ListView1, 0));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("2024-01-02 08:30:00 派件员正在派件"));
    EXPECT_EQ(form.Label11[2]->text(), QStringLiteral("单条物流进度已复制.."));
    EXPECT_EQ(form.objTip, tip);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, rowCentre(form.ListView1, 0));
    EXPECT_EQ(form.objTip, tip);
    EXPECT_EQ(form.objTip->text(), QStringLiteral("时间:2024-01-02 08:30:00\r\n物流进度:派件员正在派件"));
    EXPECT_EQ(form.findChildren<QWidget *>(QStringLiteral("balloon")).size(), 1);

    // Below the rows: nothing to show or copy.
    QApplication::clipboard()->setText(QStringLiteral("before"));
    const QPoint empty(10, viewport->height() - 5);
    ASSERT_EQ(form.ListView1->itemAt(empty), nullptr);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, empty);
    EXPECT_EQ(form.Label11[2]->text(), QStringLiteral("当前没有物流信息"));
    form.setStatus(QString());
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, empty);
    EXPECT_EQ(form.Label11[2]->text(), QStringLiteral("当前没有物流信息"));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("before"));
}

TEST(ListInteractions, EmptyListHasNothingToShow)
{
    WindowHarness h;
    Form1 &form = openWindow(h, QStringLiteral("http://127.0.0.1:9"));
    QApplication::clipboard()->setText(QStringLiteral("before"));
    form.show();
    QTest::mouseDClick(form.ListView1->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(form.Label11[2]->text(), QStringLiteral("当前没有物流信息"));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("before"));
    form.ListView1_Click();
    EXPECT_EQ(form.objTip, nullptr);
}
