#include "monitor/update_check.h"
#include "qt_wait.h"
#include "test_servers.h"
#include "window_harness.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

TEST(UpdateCheck, VersionTextAfterTrailingLineEndsAndBlanks)
{
    const struct
    {
        const char *fetched;
        const char *text;
        bool version;
    } cases[] = {
        {"V4.2", "V4.2", true},
        {"V4.2\r\n", "V4.2", true},
        {"V4.2 \t\n\n", "V4.2", true},
        {"V4.3", "V4.3", true},
        {"V10", "V10", true},
        {"V4.2.218", "V4.2.218", true},
        {" V4.2", " V4.2", false},
        {"v4.2", "v4.2", false},
        {"V", "V", false},
        {"V4.", "V4.", false},
        {"V4..2", "V4..2", false},
        {"V4.2\r\nV4.3", "V4.2\r\nV4.3", false},
        {"", "", false},
        {"<html><body>Portal login</body></html>\r\n", "<html><body>Portal login</body></html>", false},
    };
    for (const auto &c : cases) {
        const QString text = versionFileText(QString::fromUtf8(c.fetched));
        EXPECT_EQ(text, QString::fromUtf8(c.text)) << c.fetched;
        EXPECT_EQ(isVersionText(text), c.version) << c.fetched;
    }
    EXPECT_EQ(programVersionText(), QStringLiteral("V4.2"));
}

TEST(UpdateCheck, AnnouncementFields)
{
    const struct
    {
        const char *promo, *text, *url;
    } cases[] = {
        {"推广服务|http://p/a", "推广服务", "http://p/a"},
        {"a|b|c", "a", "b"},
        {"no bar at all", "", "kept"},
        {"|http://p/b", "", "http://p/b"},
        {"a|b\r\n", "a", "b\r\n"},
        {"a|", "a", ""},
    };
    for (const auto &c : cases) {
        const Announcement a = splitAnnouncement(QString::fromUtf8(c.promo), QStringLiteral("kept"));
        EXPECT_EQ(a.text, QString::fromUtf8(c.text)) << c.promo;
        EXPECT_EQ(a.url, QString::fromUtf8(c.url)) << c.promo;
    }
}

namespace {
const QString kFailed = QStringLiteral("检测更新失败!请您稍后再试,暂时使用原版");
const QString kLoaded = QStringLiteral("程序已加载完毕...");
} // namespace

TEST(UpdateCheckWindow, OutcomesAgainstTheSite)
{
    enum Outcome { Current, NewVersion, Failed };
    struct Case
    {
        const char *name;
        std::string versionText;
        int status;
        bool reachable;
        Outcome outcome;
        QString shownVersion;
    } cases[] = {
        {"current", "V4.2", 200, true, Current, {}},
        {"current with CR LF", "V4.2\r\n", 200, true, Current, {}},
        {"newer", "V4.3", 200, true, NewVersion, QStringLiteral("V4.3")},
        {"newer with a line end", "V4.3\n", 200, true, NewVersion, QStringLiteral("V4.3")},
        {"empty file", "", 200, true, Failed, {}},
        {"HTTP 404", "V4.3", 404, true, Failed, {}},
        {"HTTP 500", "V4.2", 500, true, Failed, {}},
        {"an HTML page", "<!DOCTYPE html><html><body>Welcome</body></html>", 200, true, Failed, {}},
        {"unreachable", "V4.2", 200, false, Failed, {}},
    };
    for (const Case &c : cases) {
        SandboxOptions options;
        options.versionText = c.versionText;
        options.versionStatus = c.status;
        TestSandbox sandbox(options);
        WindowHarness h;
        h.test.useServer(sandbox.baseUrl());
        if (!c.reachable)
            h.test.editEndpoints([](Endpoints &e) {
                e.siteUrl = QStringLiteral("http://127.0.0.1:%1").arg(closedLoopbackPort());
            });
        Form1 &form = h.open();
        form.Timer3->stop();
        form.Timer3_Timer();

        const int announcementFetches = sandbox.server().countRequests("/data/tg.txt");
        EXPECT_FALSE(form.Timer3->isActive()) << c.name;
        switch (c.outcome) {
        case Current:
            EXPECT_TRUE(h.test.messages.shown.empty()) << c.name;
            EXPECT_EQ(form.Label11[2]->text(), kLoaded) << c.name;
            EXPECT_TRUE(form.Command1->isEnabled()) << c.name;
            EXPECT_TRUE(form.Text1->isEnabled()) << c.name;
            EXPECT_EQ(announcementFetches, 1) << c.name;
            EXPECT_EQ(h.test.programEnded, 0) << c.name;
            break;
        case NewVersion:
            ASSERT_EQ(h.test.messages.shown.size(), 1u) << c.name;
            EXPECT_EQ(h.test.messages.shown[0].text,
                      QStringLiteral("发现最新版本![") + c.shownVersion
                          + QStringLiteral("]\r\n \r\n确定后自动打开官方网站!"))
                << c.name;
            EXPECT_EQ(h.test.messages.shown[0].icon, MsgIcon::Information) << c.name;
            EXPECT_EQ(h.test.urls.opened, QStringList {h.test.platform().endpoints().home}) << c.name;
            EXPECT_EQ(h.test.programEnded, 1) << c.name;
            EXPECT_FALSE(form.Command1->isEnabled()) << c.name;
            EXPECT_EQ(announcementFetches, 0) << c.name;
            break;
        case Failed:
            ASSERT_EQ(h.test.messages.shown.size(), 1u) << c.name;
            EXPECT_EQ(h.test.messages.shown[0].text, kFailed) << c.name;
            EXPECT_EQ(h.test.messages.shown[0].icon, MsgIcon::Exclamation) << c.name;
            EXPECT_EQ(form.Label11[2]->text(), kLoaded) << c.name;
            EXPECT_TRUE(form.Command1->isEnabled()) << c.name;
            EXPECT_TRUE(form.Text1->isEnabled()) << c.name;
            EXPECT_TRUE(h.test.urls.opened.isEmpty()) << c.name;
            EXPECT_EQ(h.test.programEnded, 0) << c.name;
            EXPECT_EQ(announcementFetches, 0) << c.name;
            EXPECT_TRUE(form.strPromo.isEmpty() && form.strPromoUrl.isEmpty()) << c.name;
            break;
        }
    }
}

TEST(UpdateCheckWindow, AnnouncementIntoThePromotionLink)
{
    struct Case
    {
        std::string announcement;
        int status;
        QString promo, text, url;
    } cases[] = {
        {"推广|http://p/a", 200, QStringLiteral("推广|http://p/a"), QStringLiteral("推广"),
         QStringLiteral("http://p/a")},
        {"a|b|c", 200, QStringLiteral("a|b|c"), QStringLiteral("a"), QStringLiteral("b")},
        {"no bar", 200, QStringLiteral("no bar"), QString(), QString()},
        {"|http://p/b", 200, QStringLiteral("|http://p/b"), QString(), QStringLiteral("http://p/b")},
        {"a|b\r\n", 200, QStringLiteral("a|b\r\n"), QStringLiteral("a"), QStringLiteral("b\r\n")},
        {"a|b", 404, QString(), QString(), QString()},
    };
    for (const Case &c : cases) {
        SandboxOptions options;
        options.announcement = c.announcement;
        options.announcementStatus = c.status;
        TestSandbox sandbox(options);
        WindowHarness h;
        h.test.useServer(sandbox.baseUrl());
        Form1 &form = h.open();
        form.Timer3->stop();
        form.Timer3_Timer();
        EXPECT_EQ(form.strPromo, c.promo) << c.announcement;
        EXPECT_EQ(form.strPromoText, c.text) << c.announcement;
        EXPECT_EQ(form.strPromoUrl, c.url) << c.announcement;
        EXPECT_TRUE(h.test.messages.shown.empty()) << c.announcement;
    }
}

TEST(UpdateCheckWindow, RunsOnceAboutASecondAfterStartUp)
{
    TestSandbox sandbox;
    WindowHarness h;
    h.test.useServer(sandbox.baseUrl());
    Form1 &form = h.open();
    EXPECT_EQ(form.Label11[2]->text(), QStringLiteral("程序检测更新中..."));
    EXPECT_FALSE(form.Command1->isEnabled());
    EXPECT_FALSE(form.Text1->isEnabled());
    ASSERT_TRUE(waitUntil([&] { return form.Label11[2]->text() == kLoaded; }, 5000));
    EXPECT_TRUE(form.Command1->isEnabled());
    EXPECT_FALSE(form.Timer3->isActive());
    // A second tick, such as one held back while a request was pending, checks nothing again.
    form.Timer3_Timer();
    EXPECT_EQ(sandbox.server().countRequests("/version/gx.txt"), 1);
}

TEST(LinkMenu, EachEntryOpensItsPage)
{
    WindowHarness h;
    h.test.editEndpoints([&](Endpoints &e) {
        e.feedback = QStringLiteral("http://127.0.0.1:1/feedback");
        e.forum = QStringLiteral("http://127.0.0.1:1/forum/");
        e.home = QStringLiteral("http://127.0.0.1:1/home");
        e.studio = QStringLiteral("http://127.0.0.1:1/studio");
        e.resources = QStringLiteral("http://127.0.0.1:1/resources");
        e.resourcesCaption = QStringLiteral("资源站");
    });
    Form1 &form = h.open();
    form.Timer3->stop();

    const QStringList captions = {QStringLiteral("网点信息查询"),   QStringLiteral("程序在线反馈"),
                                  QStringLiteral("访问官方论坛"),   QStringLiteral("Lumetra官方网站"),
                                  QStringLiteral("访问软件工作室"), QStringLiteral("资源站")};
    ASSERT_EQ(form.Combo5->count(), captions.size());
    for (int i = 0; i < captions.size(); ++i)
        EXPECT_EQ(form.Combo5->itemText(i), captions[i]);
    EXPECT_EQ(form.Combo5->currentIndex(), -1);

    const Endpoints &e = h.test.platform().endpoints();
    const QStringList pages = {e.feedback, e.forum, e.home, e.studio, e.resources};
    for (int i = 1; i <= 5; ++i) {
        h.test.urls.opened.clear();
        form.Combo5->setCurrentIndex(i);
        Q_EMIT form.Combo5->activated(i);
        EXPECT_EQ(h.test.urls.opened, QStringList {pages[i - 1]}) << i;
        EXPECT_EQ(form.Combo5->currentIndex(), i) << "the menu keeps showing the entry picked";
    }

    h.test.urls.opened.clear();
    form.Combo5->setCurrentIndex(-1);
    Q_EMIT form.Combo5->activated(-1);
    EXPECT_TRUE(h.test.urls.opened.isEmpty());
}

TEST(LinkMenu, FirstEntryShowsTheOutletWindowModally)
{
    WindowHarness h;
    Form1 &form = h.open();
    form.Timer3->stop();
    QString shownName;
    bool modal = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            shownName = dialog->objectName();
            modal = dialog->isModal();
            dialog->reject();
        }
    });
    closer.start(20);
    form.Combo5->setCurrentIndex(0);
    Q_EMIT form.Combo5->activated(0);
    EXPECT_EQ(shownName, QStringLiteral("Form5"));
    EXPECT_TRUE(modal);
    EXPECT_TRUE(h.test.urls.opened.isEmpty());
}
