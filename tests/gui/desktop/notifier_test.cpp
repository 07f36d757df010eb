#include "desktop/desktop_notifier.h"
#include "desktop/desktop_settings.h"
#include "desktop/parcel_notice.h"
#include "desktop_harness.h"
#include "gui/desktop/desktop_options.h"
#include "gui/overview/overview_window.h"
#include "gui/window/main_window.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

namespace {
const QString kTime = QStringLiteral("2024-03-01 10:00:00");

void firstAnswers(DesktopHarness &h)
{
    for (int i = 0; i < 3; ++i)
        h.service.addRow(h.key(i).number, QStringLiteral("2024-02-28 08:00:00"), QStringLiteral("已揽收"));
    h.refreshAll();
}
} // namespace

TEST(NoticeTexts, SummaryBodyAndToolTip)
{
    const ParcelNotice notice {{QStringLiteral("SF1"), QStringLiteral("shunfeng")},
                               QStringLiteral("<b>衬衫</b>"),
                               kTime,
                               QStringLiteral("到达 A&B \"中心\"")};
    EXPECT_EQ(noticeSummary(notice), QStringLiteral("您的快递【<b>衬衫</b>】有最新动态"));
    EXPECT_EQ(noticeBody(notice, true), kTime + QStringLiteral("\n到达 A&amp;B &quot;中心&quot;"));
    EXPECT_EQ(noticeBody(notice, false), kTime + QStringLiteral("\n到达 A&B \"中心\""));

    QList<ParcelRecord> parcels(5);
    parcels[0].status = QStringLiteral("运送中");
    parcels[1].status = QStringLiteral("运送中");
    parcels[1].unseenNews = true;
    parcels[2].status = QStringLiteral("派件中");
    parcels[3].status = QStringLiteral("已签收");
    parcels[3].unseenNews = true;
    EXPECT_EQ(trayToolTip(parcels), QStringLiteral("Parcelvue\n运送中 2 件，派件中 1 件，有新动态 2 件"));
}

TEST(DesktopSettingsFile, DefaultsAndValuesBesideTheWatchersKeys)
{
    const struct
    {
        const char *lines;
        bool notifications, minimiseToTray, clipboardNumbers;
    } cases[] = {
        {"", true, false, false},
        {"桌面通知=否\r\n最小化到托盘=是\r\n识别剪贴板中的单号=是\r\n", false, true, true},
        {"桌面通知= 是 \r\n最小化到托盘=否\r\n", true, false, false},
        {"桌面通知=1\r\n最小化到托盘=yes\r\n识别剪贴板中的单号=on\r\n", true, false,
         false}, // neither word: the default
    };
    for (const auto &c : cases) {
        TestPlatform test;
        const QString path = QDir(test.dataDir()).filePath(QStringLiteral("parcelvue.ini"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(encodeGb(QStringLiteral("[信息设置]\r\n语音提示=是\r\n[监控设置]\r\n全部监控=是\r\n")
                            + QString::fromUtf8(c.lines)));
        file.close();
        const DesktopSettings settings = DesktopSettings::load(path);
        EXPECT_EQ(settings.notifications, c.notifications) << c.lines;
        EXPECT_EQ(settings.minimiseToTray, c.minimiseToTray) << c.lines;
        EXPECT_EQ(settings.clipboardNumbers, c.clipboardNumbers) << c.lines;
    }
}

TEST(DesktopNotifications, WatcherNewsIsNotifiedOncePerParcel)
{
    DesktopHarness h;
    firstAnswers(h);
    EXPECT_EQ(h.notifications(), 0) << "a first answer is no news";

    h.news(0, kTime, QStringLiteral("转运中心&分拣"));
    ASSERT_TRUE(waitUntil([&] { return h.notifications() == 1; }));
    const FakeDesktop::Notification first = h.fake.notifications().at(0);
    EXPECT_EQ(first.appName, QStringLiteral("Parcelvue"));
    EXPECT_EQ(first.appIcon, QStringLiteral("org.parcelvue.Parcelvue"));
    EXPECT_EQ(first.hints.value(QStringLiteral("desktop-entry")).toString(),
              QStringLiteral("org.parcelvue.Parcelvue"));
    EXPECT_EQ(first.replacesId, 0u);
    EXPECT_EQ(first.summary, QStringLiteral("您的快递【衬衫 <领带>】有最新动态"));
    EXPECT_EQ(first.body, kTime + QStringLiteral("\n转运中心&amp;分拣")) << "escaped for the server's markup";
    EXPECT_EQ(first.actions,
              QStringList({QStringLiteral("default"), QStringLiteral("查看"), QStringLiteral("view"),
                           QStringLiteral("查看")}));

    // The same parcel's next news replaces its notification; another parcel gets its own.
    h.news(0, QStringLiteral("2024-03-01 11:00:00"), QStringLiteral("派件中"));
    ASSERT_TRUE(waitUntil([&] { return h.notifications() == 2; }));
    EXPECT_EQ(h.fake.notifications().at(1).replacesId, first.id);
    EXPECT_EQ(h.fake.notifications().at(1).id, first.id);
    h.news(1, kTime, QStringLiteral("到达"));
    ASSERT_TRUE(waitUntil([&] { return h.notifications() == 3; }));
    EXPECT_EQ(h.fake.notifications().at(2).replacesId, 0u);
    EXPECT_NE(h.fake.notifications().at(2).id, first.id);

    // Once the user dismissed it, news comes as a new notification.
    h.fake.closeNotification(first.id);
    h.news(0, QStringLiteral("2024-03-01 12:00:00"), QStringLiteral("已签收"));
    ASSERT_TRUE(waitUntil([&] { return h.notifications() == 4; }));
    EXPECT_EQ(h.fake.notifications().at(3).replacesId, 0u);
}

TEST(DesktopNotifications, ViewActionShowsTheWindowWithTheParcelPicked)
{
    for (const char *action : {"default", "view"}) {
        DesktopHarness h;
        firstAnswers(h);
        h.news(1, kTime, QStringLiteral("到达"));
        ASSERT_TRUE(waitUntil([&] { return h.notifications() == 1; }));
        ASSERT_TRUE(h.session->history().parcel(h.key(1))->unseenNews);
        h.form().showMinimized();
        const int asked = h.service.asked(h.key(1).number);

        h.fake.invokeAction(h.fake.notifications().at(0).id, QString::fromLatin1(action));
        ASSERT_TRUE(waitUntil([&] { return h.form().ListView1->topLevelItemCount() == 2; })) << action;
        EXPECT_EQ(h.form().Text1->currentIndex(), 1);
        EXPECT_EQ(h.service.asked(h.key(1).number), asked + 1) << "picked as a user picks it";
        EXPECT_TRUE(h.form().isVisible());
        EXPECT_FALSE(h.form().isMinimized());
        EXPECT_FALSE(h.session->history().parcel(h.key(1))->unseenNews);
    }
}

TEST(DesktopNotifications, DesignedUpdateIsNotifiedOnlyWhileTheWindowIsNotActive)
{
    DesktopHarness h;
    for (int i = 0; i < 3; ++i)
        h.service.addRow(h.key(i).number, kTime, QStringLiteral("已揽收"));
    const auto pick = [&](int index) {
        h.form().Label12[3]->clear();
        h.form().Text1->setCurrentIndex(index);
        h.form().Text1_Click();
        ASSERT_TRUE(waitUntil([&] { return h.form().Label12[3]->text() == QStringLiteral("有更新"); }));
    };

    h.form().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&h.form()));
    pick(0);

    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    pick(2);
    ASSERT_TRUE(waitUntil([&] { return h.notifications() == 1; }));
    // Had the active window's 有更新 been sent, it would have come first.
    EXPECT_EQ(h.fake.notifications().at(0).summary, QStringLiteral("您的快递【鞋】有最新动态"));
    EXPECT_EQ(h.fake.notifications().at(0).body, kTime + QStringLiteral("\n已揽收"));
}

TEST(DesktopNotifications, SettingOffSendsNothingUntilTheOverviewTurnsItOn)
{
    DesktopHarness h({}, QStringLiteral("桌面通知=否\r\n"));
    EXPECT_FALSE(h.session->desktopSettings().notifications);
    firstAnswers(h);
    h.session->showOverview();
    auto *notifications
        = h.session->overview()->findChild<QCheckBox *>(QStringLiteral("desktopNotifications"));
    auto *minimise = h.session->overview()->findChild<QCheckBox *>(QStringLiteral("minimiseToTray"));
    ASSERT_TRUE(notifications && minimise);
    EXPECT_FALSE(notifications->isChecked());
    EXPECT_FALSE(minimise->isEnabled()) << "no tray on this desktop";

    h.news(0, kTime, QStringLiteral("到达"));
    notifications->click();
    EXPECT_EQ(DesktopSettings::load(h.form().settingsFilePath()).notifications, true);
    h.news(1, kTime, QStringLiteral("到达"));
    ASSERT_TRUE(waitUntil([&] { return h.notifications() == 1; }));
    EXPECT_EQ(h.fake.notifications().at(0).summary, QStringLiteral("您的快递【书】有最新动态"));
}

TEST(DesktopNotifications, PlainBodyForAServerWithoutMarkup)
{
    FakeDesktop::Options options;
    options.capabilities = QStringList {QStringLiteral("body"), QStringLiteral("actions")};
    DesktopHarness h(options);
    firstAnswers(h);
    h.news(0, kTime, QStringLiteral("A&B"));
    ASSERT_TRUE(waitUntil([&] { return h.notifications() == 1; }));
    EXPECT_EQ(h.fake.notifications().at(0).body, kTime + QStringLiteral("\nA&B"));
}

TEST(DesktopNotifications, WithoutAServerTheNewsStillSoundsAndNothingFails)
{
    FakeDesktop::Options options;
    options.notificationServer = false;
    DesktopHarness h(options);
    QSignalSpy undelivered(&h.session->notifier(), &DesktopNotifier::notDelivered);
    h.form().Check3->setChecked(true);
    firstAnswers(h);
    h.news(0, kTime, QStringLiteral("A&B"));
    ASSERT_TRUE(waitUntil([&] { return undelivered.count() == 1; }));
    EXPECT_EQ(undelivered.at(0).at(0).toString(), QStringLiteral("您的快递【衬衫 <领带>】有最新动态"));
    EXPECT_EQ(undelivered.at(0).at(1).toString(), kTime + QStringLiteral("\nA&B"));
    EXPECT_EQ(h.test.sound.played.size(), 1u);
    EXPECT_EQ(h.session->tray(), nullptr);
}

// A number copied while the setting is on is offered once; 添加 opens the add panel filled in, and
// nothing is saved by itself. Off, the clipboard is not read.
TEST(ClipboardNumbers, AConfidentNewNumberIsOfferedOnceAndOpensTheAddPanel)
{
    DesktopHarness h;
    QClipboard *clipboard = QGuiApplication::clipboard();
    const QString copied = QStringLiteral("您的包裹已由顺丰速运发出,运单号:SF1234567890123,请注意查收");
    clipboard->setText(copied);
    QTest::qWait(200);
    EXPECT_EQ(h.notifications(), 0) << "the setting is off by default";

    h.session->showOverview();
    auto *option = h.session->overview()->findChild<QCheckBox *>(QStringLiteral("clipboardNumbers"));
    ASSERT_TRUE(option);
    option->click();
    EXPECT_TRUE(DesktopSettings::load(h.form().settingsFilePath()).clipboardNumbers);
    clipboard->setText(QStringLiteral("运单号 SF1001")); // no carrier's form
    clipboard->setText(copied);
    ASSERT_TRUE(waitUntil([&] { return h.notifications() == 1; }));
    const FakeDesktop::Notification offer = h.fake.notifications().at(0);
    EXPECT_EQ(offer.summary, QStringLiteral("添加快递 SF1234567890123 (顺丰快递)?"));
    EXPECT_EQ(offer.actions,
              (QStringList {QStringLiteral("add"), QStringLiteral("添加"), QStringLiteral("ignore"),
                            QStringLiteral("忽略")}));
    clipboard->setText(QStringLiteral("x"));
    clipboard->setText(copied);
    QTest::qWait(200);
    EXPECT_EQ(h.notifications(), 1) << "offered once a run";

    const QStringList saved = h.session->mainWindow().savedLines();
    h.fake.invokeAction(offer.id, QStringLiteral("add"));
    ASSERT_TRUE(waitUntil([&] { return h.form().Picture3->isVisible(); }));
    EXPECT_EQ(h.form().Text3->currentText(), QStringLiteral("SF1234567890123"));
    EXPECT_EQ(h.form().Combo1->currentText(), QStringLiteral("顺丰快递"));
    EXPECT_EQ(h.form().Text2->text(), QString());
    EXPECT_EQ(h.form().focusWidget(), h.form().Text2);
    EXPECT_EQ(h.session->mainWindow().savedLines(), saved) << "nothing is added without the user's 开始查询";
}
