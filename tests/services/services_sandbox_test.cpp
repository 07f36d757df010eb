#include "services/tracking_client.h"
#include "qt_wait.h"
#include "services/tracking_service.h"
#include "test_platform.h"
#include "test_servers.h"
#include "watch/parcel_watcher.h"
#include "core/tracking_check.h"

#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {
const QDateTime kNow = QDateTime::fromString(QStringLiteral("2024-03-01T10:00:00"), Qt::ISODate);
const TrackingService kAll[] = {TrackingService::Designed, TrackingService::Kdniao, TrackingService::Track17};
const TrackingService kPublic[] = {TrackingService::Kdniao, TrackingService::Track17};

// The sandbox and a platform pointed at it, asking one of the three services.
struct Services
{
    TestSandbox sandbox {[] {
        SandboxOptions options;
        options.port = 0;
        options.stepSeconds = 3600; // the stories stand still during a test
        return options;
    }()};
    TestPlatform test;

    Services() { test.useServer(sandbox.baseUrl()); }
    void use(TrackingService service, bool rightKey = true)
    {
        test.editEndpoints([&](Endpoints &e) {
            const SandboxOptions &accepted = sandbox.server().options();
            e.trackingService = trackingServiceKey(service);
            e.trackingKey = rightKey ? QString::fromStdString(accepted.key) : QStringLiteral("WRONG");
            e.kdniaoBusinessId = QString::fromStdString(accepted.kdniaoBusinessId);
            e.kdniaoAppKey = rightKey ? QString::fromStdString(accepted.kdniaoAppKey) : QStringLiteral("wrong");
            e.track17Token = rightKey ? QString::fromStdString(accepted.track17Token) : QStringLiteral("wrong");
        });
    }
    CheckOutcome ask(TrackingService service, const char *com, const char *number, bool rightKey = true)
    {
        use(service, rightKey);
        TrackingClient client(test.http, test.configuration);
        return readCheckAnswer(client.query(QString::fromLatin1(com), QString::fromLatin1(number)));
    }
};

QStringList rowsOf(const CheckOutcome &outcome)
{
    QStringList rows;
    for (const HistoryRow &row : outcome.rows)
        rows.append(row.time + QLatin1Char('|') + row.text);
    return rows;
}

std::string name(TrackingService service)
{
    return trackingServiceKey(service).toStdString();
}
} // namespace

TEST(TrackingServices, TheSameParcelGivesTheSameRowsAndStatusThroughAllThree)
{
    Services s;
    const struct
    {
        const char *number;
        int rows;
        const char *status;
    } parcels[] = {{"STAGE3X001", 3, "运送中"}, {"STAGE7X002", 7, "派件中"}, {"STAGE8X003", 8, "已签收"}};
    for (const auto &parcel : parcels) {
        const CheckOutcome designed = s.ask(TrackingService::Designed, "yuantong", parcel.number);
        ASSERT_EQ(designed.kind, CheckOutcome::Kind::Answered) << parcel.number;
        EXPECT_EQ(designed.rows.size(), parcel.rows);
        EXPECT_EQ(designed.status, QString::fromUtf8(parcel.status));
        for (TrackingService service : kPublic) {
            const CheckOutcome answer = s.ask(service, "yuantong", parcel.number);
            EXPECT_EQ(rowsOf(answer), rowsOf(designed)) << name(service) << " " << parcel.number;
            EXPECT_EQ(answer.status, designed.status) << name(service) << " " << parcel.number;
        }
    }
    // Events out of order and one twice: the rows come out oldest first, once.
    const CheckOutcome designed = s.ask(TrackingService::Designed, "zhongtong", "MIXED4");
    ASSERT_GE(designed.rows.size(), 1);
    for (TrackingService service : kPublic)
        EXPECT_EQ(rowsOf(s.ask(service, "zhongtong", "MIXED4")), rowsOf(designed)) << name(service);
}

TEST(TrackingServices, EachRefusalReachesTheUserInItsOwnWords)
{
    Services s;
    const QString noInformation = QStringLiteral("此快递单号未更新信息或已失效..");
    const QString unsupported = QStringLiteral("系统问题,暂不支持当前快递公司!");
    const struct
    {
        TrackingService service;
        const char *com, *number;
        bool rightKey;
        CheckOutcome::Kind kind;
        QString error; // the whole text, or a part of it for a service's own failure
    } cases[] = {
        {TrackingService::Designed, "ems", "0000000000", true, CheckOutcome::Kind::Refused, noInformation},
        {TrackingService::Kdniao, "ems", "0000000000", true, CheckOutcome::Kind::Refused, noInformation},
        {TrackingService::Track17, "ems", "0000000000", true, CheckOutcome::Kind::Refused, noInformation},
        // Neither public service tells that a number does not exist: no information yet.
        {TrackingService::Designed, "ems", "9999999999", true, CheckOutcome::Kind::Refused,
         QStringLiteral("您好,您当前查询的快递单号已不存在!")},
        {TrackingService::Kdniao, "ems", "9999999999", true, CheckOutcome::Kind::Refused, noInformation},
        {TrackingService::Track17, "ems", "9999999999", true, CheckOutcome::Kind::Refused, noInformation},
        {TrackingService::Kdniao, "citylink", "STAGE2Y001", true, CheckOutcome::Kind::Refused, unsupported},
        {TrackingService::Track17, "yunda", "STAGE2Y001", true, CheckOutcome::Kind::Refused, unsupported},
        {TrackingService::Kdniao, "yuantong", "STAGE2Y001", false, CheckOutcome::Kind::Refused,
         QStringLiteral("检查用户ID和API Key")},
        {TrackingService::Track17, "yuantong", "STAGE2Y001", false, CheckOutcome::Kind::Refused,
         QStringLiteral("API密钥不正确")},
        {TrackingService::Kdniao, "yuantong", "QUOTA1", true, CheckOutcome::Kind::Busy,
         QStringLiteral("快递鸟的查询次数已用完")},
        {TrackingService::Track17, "yuantong", "QUOTA1", true, CheckOutcome::Kind::Busy,
         QStringLiteral("17TRACK的查询额度已用完")},
        {TrackingService::Kdniao, "yuantong", "BUSY1", true, CheckOutcome::Kind::Busy,
         QStringLiteral("查询太频繁,快递鸟暂停了查询")},
        {TrackingService::Track17, "yuantong", "BUSY1", true, CheckOutcome::Kind::Busy,
         QStringLiteral("查询太频繁,17TRACK暂停了查询")},
        {TrackingService::Kdniao, "shunfeng", "STAGE2Y001", true, CheckOutcome::Kind::Refused,
         QStringLiteral("手机号后四位")},
    };
    for (const auto &c : cases) {
        const CheckOutcome outcome = s.ask(c.service, c.com, c.number, c.rightKey);
        EXPECT_EQ(outcome.kind, c.kind) << name(c.service) << " " << c.number;
        EXPECT_TRUE(outcome.error.startsWith(c.error) || outcome.error.contains(c.error))
            << name(c.service) << " " << c.number << ": " << outcome.error.toStdString();
        EXPECT_FALSE(outcome.error.contains(QStringLiteral("没有返回信息")))
            << "never a bare 'no information'";
    }
}

TEST(TrackingServices, PhoneDigitsGoWhereTheCarrierWantsThem)
{
    Services s;
    s.use(TrackingService::Kdniao);
    TrackingClient client(s.test.http, s.test.configuration);
    client.setPhoneDigitsSource([](const QString &number, const QString &com) {
        return number == QLatin1String("STAGE2Z001") && com == QLatin1String("shunfeng")
            ? QStringLiteral("0731")
            : QString();
    });
    const CheckOutcome outcome
        = readCheckAnswer(client.query(QStringLiteral("shunfeng"), QStringLiteral("STAGE2Z001")));
    EXPECT_EQ(outcome.kind, CheckOutcome::Kind::Answered) << outcome.error.toStdString();
    const std::string sent
        = QUrl::fromPercentEncoding(QByteArray::fromStdString(s.sandbox.server().bodies().back()))
              .toStdString();
    EXPECT_NE(sent.find("\"CustomerName\":\"0731\""), std::string::npos) << sent;
}

TEST(TrackingServices, ARateLimitedOrSpentServiceHoldsTheWatcher)
{
    const struct
    {
        TrackingService service;
        const char *number;
        int holdSeconds;
    } cases[] = {
        {TrackingService::Kdniao, "BUSY2", 60},
        {TrackingService::Track17, "BUSY2", 60},
        {TrackingService::Kdniao, "QUOTA2", 3600},
        {TrackingService::Track17, "QUOTA2", 3600},
    };
    for (const auto &c : cases) {
        Services s;
        s.use(c.service);
        s.test.clock.set(kNow);
        TrackingHistory history;
        ASSERT_TRUE(history.open(s.test.dataDir(), kNow));
        const ParcelKey held {QString::fromLatin1(c.number), QStringLiteral("yuantong")};
        const ParcelKey other {QStringLiteral("STAGE2W001"), QStringLiteral("yuantong")};
        history.followSavedList({{held, QStringLiteral("圆通快递"), QStringLiteral("a")},
                                 {other, QStringLiteral("圆通快递"), QStringLiteral("b")}});
        TrackingClient client(s.test.http, s.test.configuration);
        ParcelWatcher watcher(history, client, s.test.clock);
        watcher.refreshAll();
        ASSERT_TRUE(
            waitUntil([&] { return watcher.heldUntil().isValid() && watcher.inFlight() == 0; }, 15000))
            << name(c.service);
        EXPECT_EQ(watcher.heldUntil(), kNow.addSecs(c.holdSeconds)) << name(c.service) << " " << c.number;
        EXPECT_TRUE(watcher.refreshing()) << "the refresh waits for the service";
        EXPECT_EQ(history.parcel(held)->failures, 0) << "a busy service is not the parcel's failure";
        EXPECT_FALSE(history.parcel(held)->lastError.isEmpty());
    }
}
