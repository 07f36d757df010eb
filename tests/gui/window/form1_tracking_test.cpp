#include "core/carrier_catalogue.h"
#include "platform/text_codec.h"
#include "qt_wait.h"
#include "test_servers.h"
#include "window_harness.h"

#include <httplib.h>

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {
const QColor kRed(255, 0, 0);

// Runs a query the way the commands do: request, count, then the parse on Timer1's tick.
void queryAndParse(Form1 &form, const QString &number)
{
    form.ListView1->clear();
    form.intRowCount = 0;
    form.kdgs(number);
    form.hx2();
    ASSERT_TRUE(waitUntil([&] { return !form.Timer1->isActive(); }));
}
} // namespace

TEST(TrackingWindow, QueryFillsListFromSandbox)
{
    TestSandbox sandbox;
    WindowHarness h;
    h.test.useServer(sandbox.baseUrl());
    Form1 &form = h.open();
    form.Combo1->setCurrentIndex(carrierIndexByName(QStringLiteral("顺丰快递")));

    queryAndParse(form, QStringLiteral("SF1234567890"));

    const auto requests = sandbox.server().requests();
    ASSERT_FALSE(requests.empty());
    EXPECT_NE(requests.back().find("com=shunfeng"), std::string::npos);
    EXPECT_NE(requests.back().find("nu=SF1234567890"), std::string::npos);
    EXPECT_NE(requests.back().find("type=html"), std::string::npos);

    const int rows = form.ListView1->topLevelItemCount();
    ASSERT_GE(rows, 1);
    EXPECT_EQ(form.ListView1->topLevelItem(0)->text(0), QStringLiteral("1"));
    EXPECT_EQ(form.ListView1->topLevelItem(rows - 1)->text(0), QString::number(rows));
    EXPECT_EQ(form.ListView1->topLevelItem(0)->foreground(1).color(), kRed);
    EXPECT_EQ(form.ListView1->topLevelItem(0)->foreground(2).color(), kRed);
    if (rows > 1) {
        EXPECT_NE(form.ListView1->topLevelItem(1)->foreground(1).color(), kRed);
    }
    EXPECT_EQ(form.Label11[2]->text(), QStringLiteral("查询完毕..."));
    EXPECT_EQ(form.Label12[2]->text(), QStringLiteral("运送中"));
    EXPECT_TRUE(form.Label12[5]->text().contains(QStringLiteral("小时")));
    EXPECT_TRUE(form.Command1->isEnabled());
    EXPECT_EQ(form.intLastRows, rows);
    EXPECT_TRUE(form.strAnswer.isEmpty());
    EXPECT_EQ(form.intRowCount, 0);
    EXPECT_EQ(form.parseState.cellIndex, 0);
}

TEST(TrackingWindow, StatusCaptionNamesThePickedCarrier)
{
    SilentServer silent;
    WindowHarness h;
    h.test.useServer(silent.baseUrl());
    h.test.editEndpoints([&](Endpoints &e) { e.trackingTimeoutSeconds = 1; });
    Form1 &form = h.open();
    QStringList captions;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] { captions.append(form.Label11[2]->text()); });
    probe.start(50);
    form.kdgs(QStringLiteral("1"));
    EXPECT_TRUE(captions.contains(QStringLiteral("快递查询中...")));
    captions.clear();
    form.strSavedCom = QStringLiteral("圆通快递");
    form.kdgs(QStringLiteral("1"));
    EXPECT_TRUE(captions.contains(QStringLiteral("圆通快递快递查询中...")));
}

TEST(TrackingWindow, FourThenFiveRows)
{
    ScriptedHttpServer server;
    int rows = 4;
    server.get("/", [&](const httplib::Request &, httplib::Response &response) {
        std::string body = "<table>";
        for (int i = 0; i < rows; ++i)
            body += "<tr><td>2024-01-0" + std::to_string(i + 1) + " 10:00:00</td><td>到达第"
                + std::to_string(i) + "站</td></tr>";
        response.set_content(body + "</table>", "text/html; charset=utf-8");
    });
    const QString base = server.start();
    WindowHarness h;
    h.test.useServer(base);
    h.test.clock.set(QDateTime::fromString(QStringLiteral("2024-01-02 12:05:30"), "yyyy-MM-dd HH:mm:ss"));
    Form1 &form = h.open();
    queryAndParse(form, QStringLiteral("1"));
    EXPECT_EQ(form.intLastRows, 4);
    EXPECT_EQ(form.Label12[5]->text(), QStringLiteral("1天2小时5分"));
    rows = 5;
    queryAndParse(form, QStringLiteral("1"));
    EXPECT_EQ(form.intPrevRows, 4);
    EXPECT_EQ(form.intLastRows, 5);
    EXPECT_EQ(form.ListView1->topLevelItem(0)->text(2), QStringLiteral("到达第4站"));
}

TEST(TrackingWindow, AnswerWithoutRowsArmsNothing)
{
    TestSandbox sandbox;
    WindowHarness h;
    h.test.useServer(sandbox.baseUrl());
    Form1 &form = h.open();
    form.Combo1->setCurrentIndex(0);
    form.kdgs(QStringLiteral("0000000000"));
    EXPECT_EQ(form.strAnswer, QStringLiteral("NULL"));
    form.hx2();
    EXPECT_FALSE(form.Timer1->isActive());
    EXPECT_EQ(form.intRowCount, 0);
    EXPECT_EQ(form.Label12[2]->text(), QStringLiteral("未查询"));
}

TEST(TrackingWindow, StalledServerEndsAtTheTimeoutWhileTheWindowPaints)
{
    SilentServer silent;
    WindowHarness h;
    h.test.useServer(silent.baseUrl());
    h.test.editEndpoints([&](Endpoints &e) { e.trackingTimeoutSeconds = 1; });
    Form1 &form = h.open();
    form.show();

    int ticks = 0;
    int paints = 0;
    struct PaintCounter : QObject
    {
        int *count;
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Paint)
                ++*count;
            return false;
        }
    } counter;
    counter.count = &paints;
    form.Label11[5]->installEventFilter(&counter);
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        ++ticks;
        form.Label11[5]->update();
    });
    probe.start(50);

    QElapsedTimer elapsed;
    elapsed.start();
    form.kdgs(QStringLiteral("1"));
    EXPECT_LT(elapsed.elapsed(), 4000);
    EXPECT_GE(elapsed.elapsed(), 900);
    EXPECT_TRUE(form.strAnswer.isEmpty());
    EXPECT_EQ(form.lastTracking.failure, HttpResult::Failure::Timeout);
    EXPECT_GE(ticks, 5);
    EXPECT_GE(paints, 3);
}

TEST(TrackingWindow, RefusedConnectionIsAFailureNotAnEmptyDocument)
{
    WindowHarness h;
    h.test.useServer(QStringLiteral("http://127.0.0.1:%1").arg(closedLoopbackPort()));
    Form1 &form = h.open();
    form.kdgs(QStringLiteral("1"));
    EXPECT_TRUE(form.strAnswer.isEmpty());
    EXPECT_EQ(form.lastTracking.failure, HttpResult::Failure::NoConnection);
}

TEST(TrackingWindow, GbkAnswersAreDecoded)
{
    const QString text
        = QStringLiteral("<tr><td>2024-01-01 10:00:00</td><td>已签收,签收人:门卫</td></tr></table>");
    const QByteArray gbk = encodeGb(text);
    ScriptedHttpServer server;
    server.get("/", [&](const httplib::Request &request, httplib::Response &response) {
        const std::string type
            = request.get_param_value("nu") == "declared" ? "text/html; charset=gbk" : "text/html";
        response.set_content(gbk.toStdString(), type);
    });
    const QString base = server.start();
    WindowHarness h;
    h.test.useServer(base);
    Form1 &form = h.open();
    for (const char *number : {"declared", "undeclared"}) {
        queryAndParse(form, QString::fromLatin1(number));
        ASSERT_EQ(form.ListView1->topLevelItemCount(), 1) << number;
        EXPECT_EQ(form.ListView1->topLevelItem(0)->text(2), QStringLiteral("已签收,签收人:门卫")) << number;
        EXPECT_EQ(form.Label12[2]->text(), QStringLiteral("已签收"));
        EXPECT_EQ(form.Label12[5]->text(), QStringLiteral("已签收"));
    }
}
