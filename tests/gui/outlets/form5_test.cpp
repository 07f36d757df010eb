#include "gui/outlets/form5.h"
#include "gui/platform/widget_services.h"
#include "platform/text_codec.h"
#include "test_platform.h"
#include "test_servers.h"

#include <httplib.h>

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <gtest/gtest.h>
#include <mutex>

namespace {
const QString kNotQueried = QStringLiteral("未查询");
const QString kPrompt = QStringLiteral("请输入要查询的网点名称");
const QString kNotFound = QStringLiteral("您查询的网点不存在!");
const QString kTransferFailed = QStringLiteral("网络连接失败,请稍后再试!");

QStringList values(const Form5 &w)
{
    return {w.Label2->text(), w.Label4->text(),  w.Label6->text(),
            w.Label8->text(), w.Label10->text(), w.Label12->text()};
}

QStringList members(const Form5 &w)
{
    return {w.varOutletName, w.varManager,      w.varOutletName2,
            w.varPhone,      w.varDeliveryArea, w.strExcludedArea};
}

const QStringList kAllNotQueried(6, QStringLiteral("未查询"));
const QStringList kAllEmpty(6, QString());

struct Lookup
{
    TestPlatform test;
    std::unique_ptr<Form5> window;

    explicit Lookup(const QString &baseUrl)
    {
        test.editEndpoints([&](Endpoints &e) { e.outletsUrl = baseUrl + QStringLiteral("/"); });
        window = std::make_unique<Form5>(test.platform());
        window->show();
    }
    void lookUp(const QString &name)
    {
        window->Text1->setText(name);
        QTest::mouseClick(window->Command1, Qt::LeftButton);
    }
};
} // namespace

// Lookups against the sandbox's outlet page over HTTP.
TEST(OutletWindow, LookupsAgainstTheSandbox)
{
    const QStringList beijing = {QStringLiteral("北京朝阳营业部"),
                                 QStringLiteral("王建国"),
                                 QStringLiteral("朝阳区建国路营业点"),
                                 QStringLiteral("010-65001234"),
                                 QStringLiteral("朝阳区建国路、国贸、大望路一带"),
                                 QStringLiteral("通州区、顺义区")};
    QStringList guangzhou = {QStringLiteral("广州天河营业部"),
                             QStringLiteral("陈志强"),
                             QStringLiteral("天河区体育西路营业点"),
                             QStringLiteral("020-38001234"),
                             QStringLiteral("<font color=\"red\">全区font>派送"),
                             QStringLiteral("无")};
    const struct
    {
        const char *what;
        QString typed;
        int requests;
        std::string lastRequest;
        QStringList shown;
        QString panel;
        bool message;
    } cases[] = {
        {"found", QStringLiteral("北京朝阳"), 1, "GET /query_list.asp?name=北京朝阳", beijing, kPrompt,
         false},
        {"blanks around the name", QStringLiteral("  北京朝阳 "), 1, "GET /query_list.asp?name=北京朝阳",
         beijing, kPrompt, false},
        {"\"</\" inside a cell", QStringLiteral("广州天河"), 1, "GET /query_list.asp?name=广州天河",
         guangzhou, kPrompt, false},
        {"not found", QStringLiteral("火星"), 1, "GET /query_list.asp?name=火星", kAllNotQueried, kNotFound,
         true},
        {"blanks only", QStringLiteral("   "), 1, "GET /query_list.asp?name=", kAllNotQueried, kNotFound,
         true},
        {"empty box", QString(), 0, "", kAllNotQueried, QStringLiteral("请输入您要查询的站点.."), false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TestSandbox sandbox;
        Lookup l(sandbox.baseUrl());
        l.lookUp(c.typed);
        Form5 &w = *l.window;

        EXPECT_EQ(sandbox.server().countRequests("/query_list.asp"), c.requests);
        if (c.requests > 0) {
            EXPECT_EQ(sandbox.server().requests().back(), c.lastRequest);
        }
        EXPECT_EQ(values(w).join(QLatin1Char('|')).toStdString(),
                  c.shown.join(QLatin1Char('|')).toStdString());
        EXPECT_EQ(members(w), c.message || c.requests == 0 ? kAllEmpty : c.shown);
        EXPECT_EQ(w.S1_2->text().toStdString(), c.panel.toStdString());
        EXPECT_EQ(l.test.messages.texts(), c.message ? QStringList {kNotFound} : QStringList {});
        EXPECT_TRUE(w.Command1->isEnabled());
        EXPECT_TRUE(w.isVisible());
    }
}

TEST(OutletWindow, DeliveryAreaInFullOnClick)
{
    TestSandbox sandbox;
    Lookup l(sandbox.baseUrl());
    Form5 &w = *l.window;
    const auto click = [&] { QTest::mouseClick(w.Label10, Qt::LeftButton); };

    click();
    EXPECT_TRUE(l.test.messages.shown.empty()) << "nothing looked up yet";

    l.lookUp(QStringLiteral("上海浦东"));
    const QString area = w.varDeliveryArea;
    ASSERT_GT(area.size(), 100);
    EXPECT_TRUE(area.endsWith(QStringLiteral("芦潮港")));
    click();
    ASSERT_EQ(l.test.messages.texts(), QStringList {area});
    EXPECT_EQ(l.test.messages.shown[0].icon, MsgIcon::Information);
    EXPECT_EQ(l.test.messages.shown[0].buttons, MsgButtons::Ok);

    l.lookUp(QStringLiteral("火星"));
    l.test.messages.shown.clear();
    click();
    EXPECT_TRUE(l.test.messages.shown.empty()) << "after a not-found lookup";
}

// The real message box shows the carrier's text as it came, never as markup: a screen reader reads
// it character for character.
TEST(OutletWindow, DeliveryAreaBoxShowsThePageAsPlainText)
{
    TestSandbox sandbox;
    Lookup l(sandbox.baseUrl());
    WidgetMessageBoxes boxes;
    l.test.platform().messages = &boxes;
    l.lookUp(QStringLiteral("广州天河"));
    const QString area = l.window->varDeliveryArea;
    ASSERT_EQ(area, QStringLiteral("<font color=\"red\">全区font>派送"));

    QString read;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        poll.stop();
        const QLabel *text = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        if (text)
            read = QAccessible::queryAccessibleInterface(const_cast<QLabel *>(text))->text(QAccessible::Name);
        box->button(QMessageBox::Ok)->click();
    });
    poll.start(20);
    QTest::mouseClick(l.window->Label10, Qt::LeftButton);
    EXPECT_FALSE(poll.isActive()) << "no box was shown";
    EXPECT_EQ(read, area);
}

TEST(OutletWindow, ClosingClearsAndReopeningStartsAfresh)
{
    TestSandbox sandbox;
    TestPlatform test;
    test.useServer(sandbox.baseUrl());
    {
        Form5 w(test.platform());
        w.show();
        w.Text1->setText(QStringLiteral("北京朝阳"));
        w.Command1->click();
        ASSERT_EQ(w.varOutletName, QStringLiteral("北京朝阳营业部"));
        w.close();
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(members(w), kAllEmpty);
    }
    Form5 again(test.platform());
    EXPECT_EQ(values(again), kAllNotQueried);
    EXPECT_EQ(again.S1_2->text(), kPrompt);
}

// What the page server sees, and pages the sandbox does not make.
TEST(OutletWindow, PagesOfOtherServers)
{
    ScriptedHttpServer server;
    std::mutex mutex;
    std::string method, ifModifiedSince;
    size_t headerCount = 0;
    const QString beijing = QStringLiteral("北京朝阳营业部");
    const std::string page
        = encodeGb(QStringLiteral("<html><head><meta charset=\"gbk\"></head><!-- x.dtd -->"
                                  "<tr><td>网点查询</td></tr><tr><td>网点名称：</td><td bgcolor=\"#FFFFFF\">")
                   + beijing + QStringLiteral("</td></tr>") + QStringLiteral("<td>x</td>").repeated(10))
              .toStdString();
    server.get("/meta/query_list.asp", [&](const httplib::Request &request, httplib::Response &response) {
        std::lock_guard<std::mutex> lock(mutex);
        method = request.method;
        ifModifiedSince = request.get_header_value("If-Modified-Since");
        headerCount = request.headers.count("If-Modified-Since");
        response.set_content(page, "text/html"); // only the page tells its charset
    });
    server.get("/short/query_list.asp", [](const httplib::Request &, httplib::Response &response) {
        response.set_content("<html><td>a</td></html>", "text/html");
    });
    server.get("/broken/query_list.asp", [](const httplib::Request &, httplib::Response &response) {
        response.status = 500;
        response.set_content("<html>error</html>", "text/html");
    });
    const QString base = server.start();

    const struct
    {
        const char *path;
        QString outletName; // empty: not found
        QString panel;
    } cases[] = {
        {"/meta", beijing, kPrompt},
        {"/short", QString(), kNotFound},
        {"/broken", QString(), kTransferFailed},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path);
        Lookup l(base + QLatin1String(c.path));
        l.lookUp(QStringLiteral("北京朝阳"));
        EXPECT_EQ(l.window->varOutletName, c.outletName);
        EXPECT_EQ(l.window->Label2->text(), c.outletName.isEmpty() ? kNotQueried : c.outletName);
        EXPECT_EQ(l.window->S1_2->text(), c.panel);
        // The box says what the panel says.
        EXPECT_EQ(l.test.messages.texts(), c.outletName.isEmpty() ? QStringList {c.panel} : QStringList {});
    }
    std::lock_guard<std::mutex> lock(mutex);
    EXPECT_EQ(method, "GET");
    EXPECT_EQ(ifModifiedSince, "0");
    EXPECT_EQ(headerCount, 1u);
}

TEST(OutletWindow, ServerThatStallsOrRefuses)
{
    SilentServer silent;
    const QString refused = QStringLiteral("http://127.0.0.1:%1").arg(closedLoopbackPort());
    for (const QString &base : {silent.baseUrl(), refused}) {
        SCOPED_TRACE(base.toStdString());
        Lookup l(base);
        Form5 &w = *l.window;
        w.fetchTimeoutMs = 400;
        bool disabledWhilePending = false;
        QTimer probe;
        QObject::connect(&probe, &QTimer::timeout, [&] {
            if (w.lookupPending() && !w.Command1->isEnabled())
                disabledWhilePending = true;
        });
        probe.start(20);
        QElapsedTimer clock;
        clock.start();
        l.lookUp(QStringLiteral("北京朝阳"));
        EXPECT_LT(clock.elapsed(), 10000) << "the wait is bounded";
        if (base == silent.baseUrl()) {
            EXPECT_TRUE(disabledWhilePending);
        }
        EXPECT_TRUE(w.Command1->isEnabled());
        EXPECT_EQ(values(w), kAllNotQueried);
        EXPECT_EQ(w.S1_2->text(), kTransferFailed);
        EXPECT_EQ(l.test.messages.texts(), QStringList {kTransferFailed});
    }
}

// Modal, as the link menu opens it: closing it while the page is pending ends the wait at once and
// leaves nothing behind.
TEST(OutletWindow, ClosingDuringAPendingLookup)
{
    SilentServer silent;
    TestSandbox sandbox; // outlives the window's connections
    TestPlatform test;
    test.editEndpoints([&](Endpoints &e) { e.outletsUrl = silent.baseUrl() + QStringLiteral("/"); });
    Form5 w(test.platform());
    bool wasPending = false;
    QTimer::singleShot(0, &w, [&] {
        QTimer::singleShot(300, &w, [&] {
            wasPending = w.lookupPending();
            w.close();
        });
        w.Text1->setText(QStringLiteral("北京朝阳"));
        w.Command1->click();
    });
    QElapsedTimer clock;
    clock.start();
    const int result = w.exec();
    EXPECT_LT(clock.elapsed(), 10000) << "the window's close ended the wait";
    EXPECT_TRUE(wasPending);
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_FALSE(w.lookupPending());
    EXPECT_EQ(members(w), kAllEmpty);
    EXPECT_EQ(values(w), kAllNotQueried);
    EXPECT_EQ(w.S1_2->text(), kPrompt);
    EXPECT_TRUE(test.messages.shown.empty()) << "no message after the window has gone";

    // The same window, shown again, looks up as before.
    w.Text1->setText(QStringLiteral("北京朝阳"));
    test.editEndpoints([&](Endpoints &e) { e.outletsUrl = sandbox.baseUrl() + QStringLiteral("/"); });
    w.show();
    w.Command1->click();
    EXPECT_EQ(w.varOutletName, QStringLiteral("北京朝阳营业部"));
}
