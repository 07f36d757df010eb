#include "core/tracking_check.h"
#include "qt_wait.h"
#include "services/service_queries.h"
#include "services/track17_answer.h"
#include "services/tracking_client.h"
#include "services/tracking_service.h"
#include "test_servers.h"
#include "test_services.h"
#include "watch/parcel_watcher.h"
#include "watch/service_records.h"
#include "watch/tracking_history.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <atomic>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <optional>
#include <sys/time.h>
#include <time.h>

// The wall clock as this process reads it, set back by a test (as a person or NTP may do); the
// monotonic clock runs on.
static std::atomic<long> wallClockShiftSeconds {0};

extern "C" int clock_gettime(clockid_t clock, struct timespec *time) noexcept
{
    using Real = int (*)(clockid_t, struct timespec *);
    static const auto real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "clock_gettime"));
    const int result = real(clock, time);
    if (result == 0 && (clock == CLOCK_REALTIME || clock == CLOCK_REALTIME_COARSE))
        time->tv_sec += wallClockShiftSeconds;
    return result;
}

extern "C" int gettimeofday(struct timeval *time, void *zone) noexcept
{
    using Real = int (*)(struct timeval *, void *);
    static const auto real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "gettimeofday"));
    const int result = real(time, zone);
    if (result == 0)
        time->tv_sec += wallClockShiftSeconds;
    return result;
}

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
    TestServices test;

    Services() { test.useServer(sandbox.baseUrl()); }
    void use(TrackingService service, bool rightKey = true)
    {
        test.editEndpoints([&](Endpoints &e) {
            const SandboxOptions &accepted = sandbox.server().options();
            e.trackingService = trackingServiceKey(service);
            e.trackingKey = rightKey ? QString::fromStdString(accepted.key) : QStringLiteral("WRONG");
            e.kdniaoBusinessId = QString::fromStdString(accepted.kdniaoBusinessId);
            e.kdniaoAppKey
                = rightKey ? QString::fromStdString(accepted.kdniaoAppKey) : QStringLiteral("wrong");
            e.track17Token
                = rightKey ? QString::fromStdString(accepted.track17Token) : QStringLiteral("wrong");
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
        CheckOutcome::Failure failure = CheckOutcome::Failure::Number; // whose it is
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
        // No key for 韵达: 17TRACK is asked to detect the carrier, and cannot from this number.
        {TrackingService::Track17, "yunda", "STAGE2Y001", true, CheckOutcome::Kind::Refused,
         QStringLiteral("17TRACK无法识别该单号的快递公司")},
        {TrackingService::Kdniao, "ems", "OLDNONE1", true, CheckOutcome::Kind::Refused, noInformation},
        {TrackingService::Kdniao, "yuantong", "STAGE2Y001", false, CheckOutcome::Kind::Refused,
         QStringLiteral("检查用户ID和API Key"), CheckOutcome::Failure::Account},
        {TrackingService::Track17, "yuantong", "STAGE2Y001", false, CheckOutcome::Kind::Refused,
         QStringLiteral("API密钥不正确"), CheckOutcome::Failure::Account},
        {TrackingService::Kdniao, "yuantong", "QUOTA1", true, CheckOutcome::Kind::Busy,
         QStringLiteral("快递鸟的查询次数已用完"), CheckOutcome::Failure::Account},
        {TrackingService::Track17, "yuantong", "QUOTA1", true, CheckOutcome::Kind::Busy,
         QStringLiteral("17TRACK的查询额度已用完"), CheckOutcome::Failure::Account},
        {TrackingService::Kdniao, "yuantong", "BUSY1", true, CheckOutcome::Kind::Busy,
         QStringLiteral("查询太频繁,快递鸟暂停了查询"), CheckOutcome::Failure::Transfer},
        {TrackingService::Track17, "yuantong", "BUSY1", true, CheckOutcome::Kind::Busy,
         QStringLiteral("查询太频繁,17TRACK暂停了查询"), CheckOutcome::Failure::Transfer},
        {TrackingService::Kdniao, "shunfeng", "STAGE2Y001", true, CheckOutcome::Kind::Refused,
         QStringLiteral("手机号后四位"), CheckOutcome::Failure::Account},
    };
    for (const auto &c : cases) {
        const CheckOutcome outcome = s.ask(c.service, c.com, c.number, c.rightKey);
        EXPECT_EQ(outcome.kind, c.kind) << name(c.service) << " " << c.number;
        EXPECT_EQ(outcome.failure, c.failure) << name(c.service) << " " << c.number;
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
    // A carrier whose documents say the field takes no value is not sent the digits it has.
    client.setPhoneDigitsSource([](const QString &, const QString &) { return QStringLiteral("0731"); });
    EXPECT_EQ(readCheckAnswer(client.query(QStringLiteral("yuantong"), QStringLiteral("STAGE2Z002"))).kind,
              CheckOutcome::Kind::Answered);
    EXPECT_EQ(s.sandbox.server().bodies().back().find("CustomerName"), std::string::npos)
        << s.sandbox.server().bodies().back();
}

TEST(TrackingServices, Track17DetectsTheCarrierItHasNoKeyFor)
{
    Services s;
    const struct
    {
        const char *com, *number;
        const char *parcelOf; // the carrier whose parcel the number is
        const char *detected; // what the answer says 17TRACK found, when not the chosen one
    } cases[] = {
        {"yunda", "462598779470531", "yunda", ""},
        {"yunda", "YT1234567890123", "yuantong", "圆通快递"},
        {"yuantong", "YT1234567890124", "yuantong", ""},
    };
    for (const auto &c : cases) {
        const CheckOutcome designed = s.ask(TrackingService::Designed, c.parcelOf, c.number);
        s.use(TrackingService::Track17);
        TrackingClient client(s.test.http, s.test.configuration);
        const HttpResult result = client.query(QString::fromLatin1(c.com), QString::fromLatin1(c.number));
        const CheckOutcome outcome = readCheckAnswer(result);
        ASSERT_EQ(outcome.kind, CheckOutcome::Kind::Answered)
            << c.number << ": " << outcome.error.toStdString();
        EXPECT_EQ(rowsOf(outcome), rowsOf(designed)) << c.number << ": the same parcel";
        EXPECT_EQ(result.detectedCarrier, QString::fromUtf8(c.detected)) << c.number;
        // The carrier goes to 17TRACK only where the program has its key.
        const std::vector<std::string> bodies = s.sandbox.server().bodies();
        ASSERT_GE(bodies.size(), 2u);
        const std::string registered = bodies[bodies.size() - 2];
        EXPECT_EQ(registered.find("carrier") == std::string::npos, std::string(c.com) == "yunda")
            << registered;
    }
}

TEST(TrackingServices, AProblemParcelCarriesTheServicesStatus)
{
    Services s;
    // The designed service's rows alone: refused and sent back is not signed for.
    EXPECT_EQ(s.ask(TrackingService::Designed, "yuantong", "REFUSED1").status, QStringLiteral("运送中"));
    for (TrackingService service : kPublic) {
        s.use(service);
        TrackingClient client(s.test.http, s.test.configuration);
        const HttpResult result = client.query(QStringLiteral("yuantong"), QStringLiteral("REFUSED1"));
        const CheckOutcome outcome = readCheckAnswer(result);
        ASSERT_EQ(outcome.kind, CheckOutcome::Kind::Answered) << name(service);
        EXPECT_TRUE(outcome.status.startsWith(QStringLiteral("问题件：拒收")))
            << name(service) << " " << outcome.status.toStdString();
        EXPECT_EQ(result.serviceStatus, QStringLiteral("exception")) << name(service);
        EXPECT_TRUE(result.serviceStatusText.startsWith(QStringLiteral("问题件：拒收")))
            << name(service) << " " << result.serviceStatusText.toStdString();
        EXPECT_FALSE(result.text.contains(QStringLiteral("（已签收）"))) << name(service);
        const HttpResult moving = client.query(QStringLiteral("yuantong"), QStringLiteral("STAGE3V001"));
        EXPECT_EQ(moving.serviceStatus, QStringLiteral("in_transit")) << name(service);
    }
    // 快递鸟's older form: State a number, slashed times, Reason null; the same parcel.
    const CheckOutcome designed = s.ask(TrackingService::Designed, "yuantong", "OLD5V002");
    const CheckOutcome older = s.ask(TrackingService::Kdniao, "yuantong", "OLD5V002");
    ASSERT_EQ(older.kind, CheckOutcome::Kind::Answered) << older.error.toStdString();
    EXPECT_EQ(rowsOf(older), rowsOf(designed));
}

TEST(TrackingServices, Track17TellsItsQuotaAndAnswersWholeRequestErrorsInItsEnvelope)
{
    Services s;
    s.use(TrackingService::Track17);
    const auto quota = [&s] {
        std::optional<Track17Quota> answer;
        QObject receiver;
        queryTrack17Quota(s.test.http, s.test.configuration.endpoints(), &receiver,
                          [&answer](const Track17Quota &quota) { answer = quota; });
        EXPECT_TRUE(waitUntil([&] { return answer.has_value(); }, 15000));
        return answer.value_or(Track17Quota {});
    };
    const Track17Quota before = quota();
    ASSERT_TRUE(before.ok) << before.userText.toStdString();
    EXPECT_EQ(before.total, 100);
    s.ask(TrackingService::Track17, "yuantong", "STAGE3Q001");
    s.ask(TrackingService::Track17, "yuantong", "STAGE3Q001");
    EXPECT_EQ(quota().remain, before.remain - 1) << "a number registered once uses one";
    s.use(TrackingService::Track17, false);
    EXPECT_TRUE(quota().userText.contains(QStringLiteral("API密钥不正确")));

    // More numbers than a request may hold: the error of the whole request, in its envelope.
    s.use(TrackingService::Track17);
    QJsonArray many;
    for (int i = 0; i < 41; ++i)
        many.append(QJsonObject {
            {QStringLiteral("number"), QStringLiteral("STAGE1Q%1").arg(i, 3, 10, QLatin1Char('0'))}});
    HttpRequest request;
    request.url = s.sandbox.baseUrl() + QStringLiteral("/track/v2.2/register");
    request.method = QByteArrayLiteral("POST");
    request.headers = {{"17token", s.test.configuration.endpoints().track17Token.toUtf8()}};
    request.body = QJsonDocument(many).toJson(QJsonDocument::Compact);
    QObject receiver;
    std::optional<HttpResult> answer;
    QObject::connect(s.test.http.start(request, &receiver), &HttpExchange::finished, &receiver,
                     [&answer](const HttpResult &result) { answer = result; });
    ASSERT_TRUE(waitUntil([&] { return answer.has_value(); }, 15000));
    const ServiceAnswer read = readTrack17TrackInfo(answer->body, QStringLiteral("STAGE1Q000"));
    EXPECT_EQ(read.serviceCode, -18010014);
    EXPECT_TRUE(read.detail.contains(QStringLiteral("40 limit"))) << read.detail.toStdString();
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
        EXPECT_TRUE(history.parcel(held)->lastError.isEmpty()) << "nor an error of its own";
    }
}

TEST(TrackingServices, Track17KeepsItsPaceWhenTheWallClockIsSetBack)
{
    Services s;
    s.use(TrackingService::Track17);
    TrackingClient client(s.test.http, s.test.configuration);
    ASSERT_EQ(readCheckAnswer(client.query(QStringLiteral("yuantong"), QStringLiteral("STAGE3X001"))).kind,
              CheckOutcome::Kind::Answered);
    struct Restore
    {
        ~Restore() { wallClockShiftSeconds = 0; }
    } restore;
    wallClockShiftSeconds = -3600;
    const CheckOutcome after
        = readCheckAnswer(client.query(QStringLiteral("yuantong"), QStringLiteral("STAGE7X002")));
    EXPECT_EQ(after.kind, CheckOutcome::Kind::Answered) << after.error.toStdString();
}

TEST(TrackingServices, Track17RegistersANumberOnceAcrossRuns)
{
    Services s;
    s.use(TrackingService::Track17);
    s.test.clock.set(kNow);
    TrackingHistory history;
    ASSERT_TRUE(history.open(s.test.dataDir(), kNow));
    const auto registrations = [&s] {
        const std::vector<std::string> requests = s.sandbox.server().requests();
        return std::count_if(requests.begin(), requests.end(), [](const std::string &r) {
            return r.rfind("POST /track/v2.2/register", 0) == 0;
        });
    };
    for (int run = 0; run < 2; ++run) {
        // Each run a client of its own, as each start of the program or of a command has.
        TrackingClient client(s.test.http, s.test.configuration);
        ServiceRecords records(client, history, s.test.clock);
        const CheckOutcome outcome
            = readCheckAnswer(client.query(QStringLiteral("yuantong"), QStringLiteral("STAGE3R001")));
        EXPECT_EQ(outcome.kind, CheckOutcome::Kind::Answered) << run << outcome.error.toStdString();
        EXPECT_EQ(registrations(), 1) << "run " << run;
    }
    EXPECT_TRUE(history.registeredCarrier(QStringLiteral("17track"), QStringLiteral("STAGE3R001"),
                                          QStringLiteral("yuantong")));
    // Remembered, but unknown to 17TRACK (deleted there, another account): registered again, once.
    history.setRegistered(QStringLiteral("17track"), QStringLiteral("STAGE3R002"), QStringLiteral("yuantong"),
                          0);
    TrackingClient client(s.test.http, s.test.configuration);
    ServiceRecords records(client, history, s.test.clock);
    const CheckOutcome again
        = readCheckAnswer(client.query(QStringLiteral("yuantong"), QStringLiteral("STAGE3R002")));
    EXPECT_EQ(again.kind, CheckOutcome::Kind::Answered) << again.error.toStdString();
    EXPECT_EQ(registrations(), 2);
    EXPECT_EQ(history.serviceUse(QStringLiteral("17track"), ServiceBudget::serviceDay(kNow)).queriesToday, 3);
}

TEST(TrackingServices, PastKdniaosBudgetOnlyParcelsThatMoveAreWatchedUntilItsNextDay)
{
    Services s;
    s.use(TrackingService::Kdniao);
    const QDateTime now = kNow;
    s.test.clock.set(now);
    TrackingHistory history;
    ASSERT_TRUE(history.open(s.test.dataDir(), now));
    const ParcelKey moving {QStringLiteral("STAGE2M001"), QStringLiteral("yuantong")};
    const ParcelKey out {QStringLiteral("STAGE2M002"), QStringLiteral("yuantong")};
    const ParcelKey still {QStringLiteral("STAGE2M003"), QStringLiteral("yuantong")};
    history.followSavedList({{moving, QStringLiteral("圆通快递"), QStringLiteral("a")},
                             {out, QStringLiteral("圆通快递"), QStringLiteral("b")},
                             {still, QStringLiteral("圆通快递"), QStringLiteral("c")}});
    const auto row = [&now](int days, const char *text) {
        return HistoryRow {
            now.addDays(-days).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), QString::fromUtf8(text), {}};
    };
    const QDateTime before = now.addDays(-1);
    history.recordAnswer(moving, {row(1, "已揽收")}, QStringLiteral("运送中"), before);
    history.recordAnswer(out, {row(6, "派送员正在派件")}, QStringLiteral("派件中"), before);
    history.recordAnswer(still, {row(6, "运输中")}, QStringLiteral("运送中"), before);
    const QString day = ServiceBudget::serviceDay(now);
    for (int i = 0; i < ServiceBudget::kKdniaoSavingFrom; ++i)
        history.recordServiceQuery(QStringLiteral("kdniao"), day, TrackingHistory::ServiceQuery::Answered, {},
                                   now);

    TrackingClient client(s.test.http, s.test.configuration);
    ServiceRecords records(client, history, s.test.clock);
    ParcelWatcher watcher(history, client, s.test.clock);
    watcher.setEnabled(true);
    watcher.checkDue();
    ASSERT_TRUE(waitUntil(
        [&] { return history.parcel(moving)->lastChecked == now && history.parcel(out)->lastChecked == now; },
        15000));
    EXPECT_TRUE(watcher.saving());
    QTest::qWait(300);
    EXPECT_EQ(history.parcel(still)->lastChecked, before) << "saved for the next day";

    s.test.clock.set(ServiceBudget::nextServiceDay(now).toLocalTime());
    watcher.checkDue();
    EXPECT_FALSE(watcher.saving());
    EXPECT_TRUE(waitUntil([&] { return history.parcel(still)->lastChecked > now; }, 15000));
}

// While the keyring is locked (its unlock prompt open, or none to open) the service is not asked
// and nothing is the parcel's failure: the watcher holds and tells it once.
TEST(TrackingServices, ALockedKeyringHoldsTheWatcherWithoutAFailure)
{
    Services s;
    QString error;
    ASSERT_TRUE(s.test.useSecretStore(true, &error)) << error.toStdString();
    s.use(TrackingService::Kdniao);
    const QString key
        = trackingSecretKey(TrackingService::Kdniao, s.test.configuration.endpoints().kdniaoBusinessId);
    s.test.editEndpoints([](Endpoints &e) { e.kdniaoAppKey.clear(); });
    const SecretStore::Result written = [&] {
        SecretStore::Result result;
        bool done = false;
        s.test.secretStore()->write(key, QStringLiteral("k"), &s.test.configuration,
                                    [&](const SecretStore::Result &r) {
                                        result = r;
                                        done = true;
                                    });
        EXPECT_TRUE(waitUntil([&] { return done; }));
        return result;
    }();
    ASSERT_EQ(written.status, SecretStore::Status::Ok) << written.error.toStdString();
    QDBusMessage alias = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.secrets"), QStringLiteral("/org/freedesktop/secrets"),
        QStringLiteral("org.freedesktop.Secret.Service"), QStringLiteral("ReadAlias"));
    alias << QStringLiteral("default");
    const QDBusMessage collection = QDBusConnection::sessionBus().call(alias);
    ASSERT_EQ(collection.type(), QDBusMessage::ReplyMessage) << collection.errorMessage().toStdString();
    QDBusMessage lock = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.secrets"), QStringLiteral("/org/freedesktop/secrets"),
        QStringLiteral("org.freedesktop.Secret.Service"), QStringLiteral("Lock"));
    lock << QVariant::fromValue(
        QList<QDBusObjectPath> {collection.arguments().constFirst().value<QDBusObjectPath>()});
    const QDBusMessage locked = QDBusConnection::sessionBus().call(lock);
    ASSERT_EQ(locked.type(), QDBusMessage::ReplyMessage) << locked.errorMessage().toStdString();

    s.test.clock.set(kNow);
    TrackingHistory history;
    ASSERT_TRUE(history.open(s.test.dataDir(), kNow));
    const ParcelKey parcel {QStringLiteral("STAGE2W001"), QStringLiteral("yuantong")};
    history.followSavedList({{parcel, QStringLiteral("圆通快递"), QStringLiteral("b")}});
    TrackingClient client(s.test.http, s.test.configuration, s.test.secretStore());
    ParcelWatcher watcher(history, client, s.test.clock);
    QStringList told;
    QObject::connect(&watcher, &ParcelWatcher::queryEnded,
                     [&](const ParcelKey &, const CheckOutcome &outcome) { told.append(outcome.error); });
    const size_t asked = s.sandbox.server().bodies().size();
    watcher.refreshAll();
    ASSERT_TRUE(waitUntil([&] { return watcher.heldUntil().isValid() && watcher.inFlight() == 0; }, 30000))
        << told.join(QLatin1Char('|')).toStdString() << " in flight " << watcher.inFlight();
    EXPECT_EQ(history.parcel(parcel)->failures, 0);
    EXPECT_TRUE(history.parcel(parcel)->lastError.isEmpty())
        << history.parcel(parcel)->lastError.toStdString();
    EXPECT_EQ(told, QStringList {QStringLiteral("密钥环已锁定,请解锁后重试")});
    EXPECT_EQ(s.sandbox.server().bodies().size(), asked) << "the service is not asked without its key";
}
