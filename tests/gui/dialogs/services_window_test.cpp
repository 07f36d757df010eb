#include "core/carrier_catalogue.h"
#include "gui/desktop/desktop_session.h"
#include "gui/dialogs/tracking_service_dialog.h"
#include "gui/overview/overview_window.h"
#include "gui/window/form1.h"
#include "platform/text_codec.h"
#include "qt_wait.h"
#include "services/tracking_service.h"
#include "test_platform.h"
#include "test_servers.h"
#include "watch/parcel_watcher.h"
#include "watch/tracking_history.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>
#include <gtest/gtest.h>

namespace {
const TrackingService kAll[] = {TrackingService::Designed, TrackingService::Kdniao, TrackingService::Track17};

// The program as main() makes it, on a test platform against the sandbox, its clock standing
// still so that transit times compare.
struct Session
{
    TestSandbox sandbox {[] {
        SandboxOptions options;
        options.port = 0;
        options.stepSeconds = 3600;
        return options;
    }()};
    TestPlatform test;
    std::unique_ptr<DesktopSession> session;

    explicit Session(const QString &savedLines, bool withStore = false)
    {
        test.useServer(sandbox.baseUrl());
        test.clock.set(QDateTime::currentDateTime());
        if (withStore) {
            QString error;
            EXPECT_TRUE(test.useSecretStore(true, &error)) << error.toStdString();
        }
        QFile file(QDir(test.dataDir()).filePath(QStringLiteral("wlnum.ini")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(encodeGb(savedLines));
        file.close();
        session = std::make_unique<DesktopSession>(test.platform());
        form().Timer3->stop(); // the version check would enable these a second after start-up
        form().Text1->setEnabled(true);
        form().Command1->setEnabled(true);
        session->show();
    }
    Form1 &form() { return session->form(); }
    void use(TrackingService service, bool rightKey = true)
    {
        test.editEndpoints([&](Endpoints &e) {
            const SandboxOptions &accepted = sandbox.server().options();
            e.trackingService = trackingServiceKey(service);
            e.kdniaoBusinessId = QString::fromStdString(accepted.kdniaoBusinessId);
            e.kdniaoAppKey
                = rightKey ? QString::fromStdString(accepted.kdniaoAppKey) : QStringLiteral("wrong");
            e.track17Token
                = rightKey ? QString::fromStdString(accepted.track17Token) : QStringLiteral("wrong");
        });
    }
    // A new number typed on the add panel and 开始查询 pressed, as a user does; true once the
    // query has ended (parsed, or told why not).
    bool queryNew(const QString &number, const QString &carrier, const QString &note)
    {
        QTest::mouseClick(form().Command3, Qt::LeftButton);
        QTest::keyClicks(form().Text3->lineEdit(), number);
        form().Combo1->setCurrentIndex(carrierIndexByName(carrier));
        form().Text2->setText(note); // keyClicks types ASCII only
        QTest::mouseClick(form().Command1, Qt::LeftButton);
        return waitUntil([&] { return form().Command1->isEnabled() && !form().Timer1->isActive(); }, 15000);
    }
    bool pick(int index)
    {
        form().Text1->setCurrentIndex(index);
        form().Text1_Click();
        return waitUntil([&] { return form().Command1->isEnabled() && !form().Timer1->isActive(); }, 15000);
    }
    // The progress list, the status and the transit time: what the user sees of an answer.
    QStringList shown()
    {
        QStringList seen;
        for (int i = 0; i < form().ListView1->topLevelItemCount(); ++i)
            seen.append(form().ListView1->topLevelItem(i)->text(1) + QLatin1Char('|')
                        + form().ListView1->topLevelItem(i)->text(2));
        seen.append(form().Label12[2]->text());
        seen.append(form().Label12[5]->text());
        return seen;
    }
    OverviewWindow &refreshAll()
    {
        session->showOverview();
        QTest::mouseClick(session->overview()->refreshAll, Qt::LeftButton);
        EXPECT_TRUE(waitUntil([&] { return !session->watcher().refreshing(); }, 20000));
        session->overview()->reload();
        return *session->overview();
    }
    QString overviewCell(const QString &number, int column)
    {
        QAbstractItemModel *model = session->overview()->table->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            if (model->index(row, 1).data().toString() == number)
                return model->index(row, column).data().toString();
        }
        return QStringLiteral("(no row)");
    }
};

std::string name(TrackingService service)
{
    return trackingServiceKey(service).toStdString();
}
} // namespace

TEST(ServicesWindow, AQueryAPickAndTheOverviewsRefreshThroughEachService)
{
    // 17TRACK has no key for 韵达 in the program's table: it detects the carrier from the number.
    Session s(QStringLiteral("STAGE8P002|申通快递|鞋\r\n462598779470531|韵达快递|杯子\r\n"));
    QStringList firstQuery, firstPick;
    for (TrackingService service : kAll) {
        s.use(service);
        ASSERT_TRUE(
            s.queryNew(QStringLiteral("STAGE5P001"), QStringLiteral("圆通快递"), QStringLiteral("书")))
            << name(service);
        const QStringList query = s.shown();
        EXPECT_EQ(query.size(), 5 + 2) << name(service) << ": " << query.join(QLatin1Char(';')).toStdString();
        EXPECT_EQ(s.form().Label12[2]->text(), QStringLiteral("运送中"));
        if (firstQuery.isEmpty())
            firstQuery = query;
        EXPECT_EQ(query, firstQuery) << name(service) << ": the same rows, status and transit time";

        ASSERT_TRUE(s.pick(0)) << name(service);
        const QStringList pick = s.shown();
        EXPECT_EQ(s.form().Label12[2]->text(), QStringLiteral("已签收")) << name(service);
        if (firstPick.isEmpty())
            firstPick = pick;
        EXPECT_EQ(pick, firstPick) << name(service);

        s.refreshAll();
        EXPECT_EQ(s.overviewCell(QStringLiteral("STAGE8P002"), 3), QStringLiteral("已签收")) << name(service);
        EXPECT_EQ(s.overviewCell(QStringLiteral("STAGE5P001"), 3), QStringLiteral("运送中")) << name(service);
        EXPECT_EQ(s.overviewCell(QStringLiteral("462598779470531"), 3), QStringLiteral("运送中"))
            << name(service);
    }
}

TEST(ServicesWindow, TheStatusLineNamesTheCauseOfEveryRefusal)
{
    Session s(QStringLiteral("0000000000|EMS快递|空\r\nSTAGE2R001|顺丰快递|衬衫\r\n"));
    const struct
    {
        TrackingService service;
        bool rightKey;
        int pick;
        QString status; // the whole status text, or its start for a service's own failure
    } cases[] = {
        {TrackingService::Kdniao, true, 0, QStringLiteral("此快递单号未更新信息或已失效..")},
        {TrackingService::Track17, true, 0, QStringLiteral("此快递单号未更新信息或已失效..")},
        {TrackingService::Kdniao, false, 1, QStringLiteral("快递鸟拒绝了查询(验证数据签名失败)")},
        {TrackingService::Track17, false, 1, QStringLiteral("17TRACK拒绝了查询:API密钥不正确")},
        {TrackingService::Kdniao, true, 1, QStringLiteral("该快递公司需要收件人或寄件人手机号后四位")},
    };
    for (const auto &c : cases) {
        s.use(c.service, c.rightKey);
        ASSERT_TRUE(s.pick(c.pick)) << name(c.service);
        EXPECT_TRUE(s.form().Label11[2]->text().startsWith(c.status))
            << name(c.service) << ": " << s.form().Label11[2]->text().toStdString();
        EXPECT_EQ(s.form().ListView1->topLevelItemCount(), 0);
        EXPECT_EQ(s.test.messages.shown.size(), 0u) << "no question: nothing offered for deletion";
    }
}

TEST(ServicesWindow, PhoneDigitsSetInTheOverviewReachTheService)
{
    Session s(QStringLiteral("STAGE2T001|顺丰快递|衬衫\r\n"));
    s.use(TrackingService::Kdniao);
    OverviewWindow &overview = s.refreshAll();
    EXPECT_TRUE(s.overviewCell(QStringLiteral("STAGE2T001"), 8).contains(QStringLiteral("手机号后四位")));
    EXPECT_FALSE(overview.phoneDigits->isEnabled()) << "no parcel chosen";

    overview.table->setCurrentIndex(overview.table->model()->index(0, 0));
    ASSERT_TRUE(overview.phoneDigits->isEnabled());
    QTest::keyClicks(overview.phoneDigits, QStringLiteral("07a31"));
    EXPECT_EQ(overview.phoneDigits->text(), QStringLiteral("0731")) << "digits only, four at most";
    QTest::mouseClick(overview.savePhoneDigits, Qt::LeftButton);
    EXPECT_EQ(s.session->history().phoneDigits(QStringLiteral("STAGE2T001"), QStringLiteral("shunfeng")),
              QStringLiteral("0731"));

    s.refreshAll();
    EXPECT_EQ(s.overviewCell(QStringLiteral("STAGE2T001"), 3), QStringLiteral("运送中"));
    const QString sent
        = QUrl::fromPercentEncoding(QByteArray::fromStdString(s.sandbox.server().bodies().back()));
    EXPECT_TRUE(sent.contains(QStringLiteral("\"CustomerName\":\"0731\""))) << sent.toStdString();
}

TEST(ServicesWindow, TheDialogTestsTheServiceAndKeepsItsKeyInTheSecretStore)
{
    Session s(QString(), true);
    // The link menu's last entry opens it.
    ASSERT_EQ(s.form().Combo5->itemText(7), QStringLiteral("查询服务"));
    s.form().Combo5->setCurrentIndex(7);
    Q_EMIT s.form().Combo5->activated(7);
    TrackingServiceDialog *dialog = s.session->serviceDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(waitUntil([&] { return dialog->isVisible(); }));

    // 17TRACK's test tells what is left of the quota.
    dialog->service->setCurrentIndex(dialog->service->findText(QStringLiteral("17TRACK")));
    Q_EMIT dialog->service->activated(dialog->service->currentIndex());
    QTest::keyClicks(dialog->secret, QString::fromStdString(s.sandbox.server().options().track17Token));
    QTest::keyClicks(dialog->testNumber, QStringLiteral("STAGE2U003"));
    dialog->testCarrier->setCurrentIndex(carrierIndexByName(QStringLiteral("圆通快递")));
    QTest::mouseClick(dialog->test, Qt::LeftButton);
    ASSERT_TRUE(
        waitUntil([&] { return dialog->result->text().contains(QStringLiteral("剩余额度")); }, 15000));
    EXPECT_TRUE(dialog->result->text().startsWith(QStringLiteral("查询成功:共2条物流信息")))
        << dialog->result->text().toStdString();
    EXPECT_TRUE(dialog->result->text().endsWith(QStringLiteral("\n17TRACK剩余额度:99(共100)")))
        << dialog->result->text().toStdString();
    EXPECT_FALSE(
        dialog->findChild<QLabel *>(QStringLiteral("note"))->text().contains(QStringLiteral("每月")));
    dialog->testNumber->clear();

    dialog->service->setCurrentIndex(dialog->service->findText(QStringLiteral("快递鸟")));
    Q_EMIT dialog->service->activated(dialog->service->currentIndex());
    EXPECT_EQ(dialog->url->text(), s.sandbox.baseUrl() + QLatin1Char('/')) << "the user's own address stays";
    ASSERT_TRUE(dialog->businessId->isVisible());
    QTest::keyClicks(dialog->businessId,
                     QString::fromStdString(s.sandbox.server().options().kdniaoBusinessId));
    QTest::keyClicks(dialog->secret, QStringLiteral("not-the-key"));
    QTest::keyClicks(dialog->testNumber, QStringLiteral("STAGE2U001"));
    dialog->testCarrier->setCurrentIndex(carrierIndexByName(QStringLiteral("圆通快递")));

    QTest::mouseClick(dialog->test, Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return dialog->test->isEnabled(); }, 15000));
    EXPECT_TRUE(dialog->result->text().contains(QStringLiteral("检查用户ID和API Key")))
        << dialog->result->text().toStdString();
    dialog->secret->clear();
    QTest::keyClicks(dialog->secret, QString::fromStdString(s.sandbox.server().options().kdniaoAppKey));
    QTest::mouseClick(dialog->test, Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return dialog->test->isEnabled(); }, 15000));
    EXPECT_TRUE(dialog->result->text().startsWith(QStringLiteral("查询成功:共2条物流信息")))
        << dialog->result->text().toStdString();
    EXPECT_EQ(s.test.platform().endpoints().trackingService, QStringLiteral("designed"))
        << "a test saves nothing";

    QTest::mouseClick(dialog->save, Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !s.session->serviceDialog(); }, 20000));
    QFile ini(QDir(s.test.dataDir()).filePath(QStringLiteral("endpoints.ini")));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray written = ini.readAll();
    EXPECT_TRUE(written.contains("service=kdniao")) << written.toStdString();
    EXPECT_TRUE(written.contains("business_id=1688001"));
    EXPECT_FALSE(written.contains("app_key")) << "the secret store holds it";
    EXPECT_TRUE(s.test.platform().endpoints().kdniaoAppKey.isEmpty());

    // The next query of the window goes to 快递鸟 with the key from the store.
    const size_t before = s.sandbox.server().bodies().size();
    ASSERT_TRUE(s.queryNew(QStringLiteral("STAGE4U002"), QStringLiteral("圆通快递"), QStringLiteral("书")));
    EXPECT_EQ(s.form().ListView1->topLevelItemCount(), 4) << s.form().Label11[2]->text().toStdString();
    EXPECT_EQ(s.sandbox.server().bodies().size(), before + 1);
}

TEST(ServicesWindow, TheOverviewTellsAHoldAndItAndTheDialogShowTheServicesUse)
{
    Session s(QStringLiteral("STAGE2H001|圆通快递|a\r\nBUSY4|圆通快递|b\r\n"));
    s.use(TrackingService::Kdniao);
    s.session->showOverview();
    OverviewWindow &overview = *s.session->overview();
    QTest::mouseClick(overview.refreshAll, Qt::LeftButton);
    ASSERT_TRUE(waitUntil(
        [&] { return s.session->watcher().heldUntil().isValid() && s.session->watcher().inFlight() == 0; },
        15000));
    EXPECT_TRUE(overview.message->text().startsWith(QStringLiteral("快递鸟要求暂停查询,")))
        << overview.message->text().toStdString();
    overview.reload();
    EXPECT_EQ(s.overviewCell(QStringLiteral("BUSY4"), 8), QString()) << "the hold is not the parcel's error";
    EXPECT_NE(s.overviewCell(QStringLiteral("BUSY4"), 3), QStringLiteral("查询失败"));
    EXPECT_TRUE(overview.serviceUse->text().startsWith(QStringLiteral("快递鸟: 今天已查询2/500次,上次成功 ")))
        << overview.serviceUse->text().toStdString();

    s.session->showServiceSettings();
    ASSERT_TRUE(s.session->serviceDialog());
    const QStringList lines = s.session->serviceDialog()->serviceUse->text().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("快递鸟: 今天已查询2/500次"))) << lines[0].toStdString();
    EXPECT_EQ(lines[1], QStringLiteral("17TRACK: 今天已查询0次,上次成功 无,上次失败 无"));
    s.session->watcher().stop();
}

TEST(ServicesWindow, TheDialogReplacesABuiltInAddressAndNamesTheAddressATestTried)
{
    TestPlatform test;
    TrackingServiceDialog dialog(test.platform());
    const QString sandbox = Endpoints::defaults().trackingUrl;
    const QString own = QStringLiteral("http://127.0.0.1:9/");
    const struct
    {
        QString typed;
        TrackingService chosen;
        QString shown;
    } cases[] = {
        {sandbox, TrackingService::Kdniao, trackingServiceDefaultUrl(TrackingService::Kdniao)},
        {sandbox, TrackingService::Track17, trackingServiceDefaultUrl(TrackingService::Track17)},
        {trackingServiceDefaultUrl(TrackingService::Kdniao), TrackingService::Designed, sandbox},
        {trackingServiceDefaultUrl(TrackingService::Track17), TrackingService::Kdniao,
         trackingServiceDefaultUrl(TrackingService::Kdniao)},
        {own, TrackingService::Track17, own},
        {own, TrackingService::Kdniao, own},
    };
    for (const auto &c : cases) {
        dialog.url->setText(c.typed);
        dialog.service->setCurrentIndex(dialog.service->findData(static_cast<int>(c.chosen)));
        Q_EMIT dialog.service->activated(dialog.service->currentIndex());
        EXPECT_EQ(dialog.url->text(), c.shown) << c.typed.toStdString();
    }

    // Nothing listens on the user's address: the failure names it.
    dialog.businessId->setText(QStringLiteral("1688001"));
    dialog.secret->setText(QStringLiteral("key"));
    dialog.testNumber->setText(QStringLiteral("YT2002"));
    QTest::mouseClick(dialog.test, Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return dialog.test->isEnabled(); }, 15000));
    EXPECT_TRUE(dialog.result->text().contains(own)) << dialog.result->text().toStdString();
}
