#include "core/tracking_check.h"
#include "qt_wait.h"
#include "services/tracking_client.h"
#include "test_servers.h"
#include "test_services.h"
#include "watch/overview_rows.h"
#include "watch/parcel_watcher.h"
#include "watch/service_records.h"

#include <httplib.h>

#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <gtest/gtest.h>
#include <map>
#include <mutex>

namespace {
const QDateTime kNow = QDateTime::fromString(QStringLiteral("2024-03-01T10:00:00"), Qt::ISODate);

// A tracking service that answers each number with as many rows as the test gives it, after a
// delay, counting the requests it has in hand at once.
struct Service
{
    ScriptedHttpServer server;
    std::mutex mutex;
    std::map<std::string, int> rows; // number -> rows; a missing number gets NULL
    std::map<std::string, int> asked;
    std::atomic<int> status {200};
    std::string retryAfter;
    std::atomic<int> delayMs {0};
    std::atomic<int> inHand {0};
    std::atomic<int> mostInHand {0};
    QString base;

    Service()
    {
        server.get("/", [this](const httplib::Request &request, httplib::Response &response) {
            const int now = ++inHand;
            for (int most = mostInHand; now > most && !mostInHand.compare_exchange_weak(most, now);) { }
            std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
            const std::string number = request.get_param_value("nu");
            std::string body = "NULL";
            {
                std::lock_guard<std::mutex> lock(mutex);
                ++asked[number];
                if (rows.count(number)) {
                    body = "<table>";
                    for (int i = 0; i < rows[number]; ++i)
                        body += "<tr><td>2024-02-2" + std::to_string(i % 9 + 1) + " 08:00:00</td><td>"
                            + (i == 7 ? std::string("已签收") : "第" + std::to_string(i) + "站")
                            + "</td></tr>";
                    body += "</table>";
                }
            }
            if (status != 200) {
                response.status = status;
                if (!retryAfter.empty())
                    response.set_header("Retry-After", retryAfter);
            }
            response.set_content(body, "text/html; charset=utf-8");
            --inHand;
        });
        base = server.start();
    }
    int askedFor(const std::string &number)
    {
        std::lock_guard<std::mutex> lock(mutex);
        return asked[number];
    }
};

struct Watch
{
    Service service;
    TestServices test;
    TrackingHistory history;
    std::unique_ptr<TrackingClient> client;
    std::unique_ptr<ParcelWatcher> watcher;

    explicit Watch(const QList<std::pair<QString, int>> &parcels)
    {
        test.useServer(service.base);
        test.clock.set(kNow);
        EXPECT_TRUE(history.open(test.dataDir(), kNow));
        QList<SavedEntry> saved;
        for (const auto &[number, count] : parcels) {
            saved.append({{number, QStringLiteral("shunfeng")}, QStringLiteral("顺丰快递"), number});
            if (count >= 0)
                service.rows[number.toStdString()] = count;
        }
        history.followSavedList(saved);
        client = std::make_unique<TrackingClient>(test.http, test.configuration);
        watcher = std::make_unique<ParcelWatcher>(history, *client, test.clock);
    }
    ParcelRecord parcel(const char *number)
    {
        return *history.parcel({QString::fromUtf8(number), QStringLiteral("shunfeng")});
    }
};
} // namespace

TEST(WatchPlan, BacksOffToADayAndSpreadsParcelsOverTheInterval)
{
    const struct
    {
        int interval, failures, minutes;
    } cases[]
        = {{60, 0, 60}, {60, 1, 120}, {60, 3, 480}, {60, 5, 1440}, {60, 40, 1440}, {10, 0, 30}, {90, 2, 360}};
    for (const auto &c : cases)
        EXPECT_EQ(WatchPlan::backoffMinutes(c.interval, c.failures), c.minutes)
            << c.interval << "/" << c.failures;

    QList<qint64> slots;
    for (int i = 0; i < 50; ++i) {
        const ParcelKey key {QStringLiteral("N%1").arg(i), QStringLiteral("ems")};
        const QDateTime next = WatchPlan::nextAfterAnswer(key, kNow, 60);
        EXPECT_GE(kNow.secsTo(next), 30 * 60);
        EXPECT_LT(kNow.secsTo(next), 90 * 60);
        EXPECT_EQ(next, WatchPlan::nextAfterAnswer(key, kNow, 60)) << "the same parcel keeps its place";
        slots.append(kNow.secsTo(next) / 600);
    }
    std::sort(slots.begin(), slots.end());
    EXPECT_GE(std::unique(slots.begin(), slots.end()) - slots.begin(), 5)
        << "fifty parcels in at least five 10-minute bands";
}

TEST(WatchPlan, RetryAfterInSecondsOrAsADate)
{
    const QDateTime now = QDateTime::fromString(QStringLiteral("2015-10-21T07:27:00Z"), Qt::ISODate);
    EXPECT_EQ(retryAfterSeconds("120", now), 120);
    EXPECT_EQ(retryAfterSeconds(" 0 ", now), 0);
    EXPECT_EQ(retryAfterSeconds("Wed, 21 Oct 2015 07:28:00 GMT", now), 60);
    EXPECT_EQ(retryAfterSeconds("", now), -1);
    EXPECT_EQ(retryAfterSeconds("soon", now), -1);
    EXPECT_EQ(retryAfterSeconds("-5", now), -1);
}

TEST(ServiceBudget, CountsByChinaDayAndSavesForParcelsThatMove)
{
    const struct
    {
        const char *utc, *day, *nextDayUtc;
    } days[] = {
        {"2024-03-01T15:59:59Z", "2024-03-01", "2024-03-01T16:00:00Z"},
        {"2024-03-01T16:00:00Z", "2024-03-02", "2024-03-02T16:00:00Z"},
        {"2024-12-31T23:00:00Z", "2025-01-01", "2025-01-01T16:00:00Z"},
    };
    for (const auto &d : days) {
        const QDateTime time = QDateTime::fromString(QString::fromLatin1(d.utc), Qt::ISODate);
        EXPECT_EQ(ServiceBudget::serviceDay(time), QString::fromLatin1(d.day)) << d.utc;
        EXPECT_EQ(ServiceBudget::nextServiceDay(time.toLocalTime()),
                  QDateTime::fromString(QString::fromLatin1(d.nextDayUtc), Qt::ISODate))
            << d.utc;
    }

    const struct
    {
        TrackingService service;
        int queries;
        bool saving;
    } budgets[] = {
        {TrackingService::Kdniao, 449, false},    {TrackingService::Kdniao, 450, true},
        {TrackingService::Kdniao, 600, true},     {TrackingService::Track17, 5000, false},
        {TrackingService::Designed, 5000, false},
    };
    for (const auto &b : budgets)
        EXPECT_EQ(ServiceBudget::saving(b.service, b.queries), b.saving) << b.queries;

    const auto rowTime = [](int hoursAgo) {
        return kNow.addSecs(-3600LL * hoursAgo).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    };
    const struct
    {
        QString status, newestTime;
        bool unseenNews, asked;
    } parcels[] = {
        {QStringLiteral("派件中"), rowTime(24 * 10), false, true},
        {QStringLiteral("运送中"), rowTime(24 * 3 - 1), false, true},
        {QStringLiteral("运送中"), rowTime(24 * 3 + 1), false, false},
        {QStringLiteral("运送中"), rowTime(24 * 9), true, true},
        {QStringLiteral("运送中"), QString(), false, false},
        {QString(), QStringLiteral("昨天"), false, false},
    };
    for (const auto &p : parcels) {
        ParcelRecord parcel;
        parcel.status = p.status;
        parcel.newestTime = p.newestTime;
        parcel.unseenNews = p.unseenNews;
        EXPECT_EQ(ServiceBudget::askedWhileSaving(parcel, kNow), p.asked)
            << p.status.toStdString() << " " << p.newestTime.toStdString();
    }
}

TEST(ServiceRecords, CountTheDayKeepTheHealthAndTellAnHourOfFailuresOnce)
{
    Watch w({});
    w.test.editEndpoints([](Endpoints &e) { e.trackingService = QStringLiteral("kdniao"); });
    ServiceRecords records(*w.client, w.history, w.test.clock);
    QStringList told;
    QObject::connect(&records, &ServiceRecords::failing, [&told](const QString &text) { told.append(text); });
    HttpResult rows;
    rows.text = QStringLiteral("<table><tr><td>2024-03-01 08:00:00</td><td>已揽收</td></tr></table>");
    HttpResult word;
    word.text = QStringLiteral("NULL");
    HttpResult down;
    down.failure = HttpResult::Failure::NoConnection;
    down.errorText = QStringLiteral("Connection refused");
    HttpResult wrongKey;
    wrongKey.failure = HttpResult::Failure::HttpStatus;
    wrongKey.status = 200;
    wrongKey.failureKind = QStringLiteral("account");
    wrongKey.userText = QStringLiteral("快递鸟拒绝了查询");
    HttpResult busy;
    busy.failure = HttpResult::Failure::HttpStatus;
    busy.status = 429;
    const struct
    {
        int minutes; // after kNow
        const HttpResult *result;
        bool failing; // every query failed since
        int told; // notifications so far
    } steps[] = {
        {0, &rows, false, 0},  {10, &down, true, 0},   {40, &wrongKey, true, 0}, {60, &busy, true, 0},
        {65, &word, false, 0}, {70, &down, true, 0},   {129, &down, true, 0},    {130, &wrongKey, true, 1},
        {200, &down, true, 1}, {210, &rows, false, 1}, {300, &down, true, 1},    {361, &down, true, 2},
    };
    // Early in one of the service's days, so that all of it falls on that day.
    const QDateTime start = ServiceBudget::nextServiceDay(kNow).addDays(-1).addSecs(3600).toLocalTime();
    for (const auto &step : steps) {
        w.test.clock.set(start.addSecs(60LL * step.minutes));
        records.record(TrackingService::Kdniao, *step.result);
        const TrackingHistory::ServiceUse use = records.use();
        EXPECT_EQ(use.failingSince.isValid(), step.failing) << step.minutes;
        EXPECT_EQ(told.size(), step.told) << step.minutes;
    }
    EXPECT_EQ(records.use().queriesToday, int(std::size(steps)));
    EXPECT_EQ(records.use().lastSuccess, start.addSecs(60 * 210));
    EXPECT_EQ(records.use().lastFailure, start.addSecs(60 * 361));
    EXPECT_EQ(told.first(), QStringLiteral("快递鸟连续查询失败: 快递鸟拒绝了查询"));
    EXPECT_TRUE(records.useText().startsWith(QStringLiteral("快递鸟: 今天已查询12/500次")))
        << records.useText().toStdString();

    // The day is the service's: a new one in China starts the count again.
    w.test.clock.set(ServiceBudget::nextServiceDay(start).toLocalTime());
    EXPECT_EQ(records.use().queriesToday, 0);
}

TEST(ParcelWatcher, RefreshAllAsksForEveryParcelFourAtATimeAndStoresEveryRow)
{
    QList<std::pair<QString, int>> parcels;
    for (int i = 0; i < 12; ++i)
        parcels.append({QStringLiteral("SF%1").arg(i), 8}); // eight rows: signed for
    parcels.append({QStringLiteral("NONE"), -1});
    Watch w(parcels);
    w.service.delayMs = 200;
    QSignalSpy progress(w.watcher.get(), &ParcelWatcher::refreshProgress);
    w.watcher->refreshAll();
    ASSERT_TRUE(waitUntil([&] { return !w.watcher->refreshing(); }, 20000));
    EXPECT_LE(w.service.mostInHand.load(), ParcelWatcher::kMaxInFlight);
    EXPECT_GE(w.service.mostInHand.load(), 2) << "requests go out side by side";
    EXPECT_EQ(progress.last().at(0).toInt(), 13);
    EXPECT_EQ(w.history.totalRows(), 12 * 8);
    EXPECT_EQ(w.parcel("SF3").status, QStringLiteral("已签收"));
    EXPECT_EQ(w.parcel("NONE").lastError, QStringLiteral("此快递单号未更新信息或已失效.."));

    // Signed-for parcels are not asked again by the schedule.
    w.test.clock.advance(3 * 24 * 3600);
    w.watcher->setEnabled(true);
    w.watcher->checkDue();
    ASSERT_TRUE(waitUntil([&] { return w.watcher->inFlight() == 0; }));
    EXPECT_EQ(w.service.askedFor("SF3"), 1);
    EXPECT_EQ(w.service.askedFor("NONE"), 2);

    // Archived parcels are neither refreshed nor watched: one archived by hand, the signed ones
    // once their signing row (2024-02-28) is a day old.
    ASSERT_TRUE(
        w.history.setArchive({{QStringLiteral("NONE"), QStringLiteral("shunfeng")}}, ArchiveMark::Archived));
    w.watcher->setArchiveDays(1);
    w.watcher->refreshAll();
    ASSERT_TRUE(waitUntil([&] { return !w.watcher->refreshing() && w.watcher->inFlight() == 0; }));
    w.test.clock.advance(3 * 24 * 3600);
    w.watcher->checkDue();
    QTest::qWait(100);
    EXPECT_EQ(w.watcher->inFlight(), 0);
    EXPECT_EQ(w.service.askedFor("SF3"), 1);
    EXPECT_EQ(w.service.askedFor("NONE"), 2);
}

TEST(ParcelWatcher, AnAnswerTheDatabaseCannotTakeIsAskedForAgainSoon)
{
    Watch w({{QStringLiteral("A1"), 2}});
    auto refuseRows = [&](bool refuse) {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("refuse"));
            db.setDatabaseName(w.history.path());
            ASSERT_TRUE(db.open());
            ASSERT_TRUE(QSqlQuery(db).exec(
                refuse ? QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON progress"
                                        " BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END")
                       : QStringLiteral("DROP TRIGGER refuse")));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("refuse"));
    };
    refuseRows(true);
    w.watcher->setEnabled(true);
    w.watcher->checkDue();
    ASSERT_TRUE(waitUntil([&] { return w.parcel("A1").nextCheck.isValid(); }));
    EXPECT_EQ(w.parcel("A1").nextCheck, kNow.addSecs(ParcelWatcher::kStoreRetrySeconds));
    EXPECT_EQ(w.parcel("A1").rowCount, 0);

    refuseRows(false);
    w.test.clock.set(kNow.addSecs(ParcelWatcher::kStoreRetrySeconds));
    w.watcher->checkDue();
    ASSERT_TRUE(waitUntil([&] { return w.parcel("A1").rowCount == 2; }));
}

TEST(ParcelWatcher, NewRowsAreNewsAndFailuresBackOff)
{
    Watch w({{QStringLiteral("A1"), 2}});
    w.watcher->setEnabled(true);
    QSignalSpy news(w.watcher.get(), &ParcelWatcher::news);
    w.watcher->checkDue();
    ASSERT_TRUE(waitUntil([&] { return w.parcel("A1").rowCount == 2; }));
    EXPECT_EQ(news.count(), 0) << "the first answer is what there is";

    // Not due before its next check.
    const QDateTime next = w.parcel("A1").nextCheck;
    w.test.clock.set(next.addSecs(-60));
    w.watcher->checkDue();
    EXPECT_EQ(w.watcher->inFlight(), 0);

    w.service.rows["A1"] = 3;
    w.test.clock.set(next);
    w.watcher->checkDue();
    ASSERT_TRUE(waitUntil([&] { return news.count() == 1; }));
    EXPECT_EQ(news.first().at(0).value<ParcelRecord>().newestText, QStringLiteral("第2站"));

    // A service that fails: the parcel shows it, and waits twice as long each time.
    w.service.status = 500;
    for (int failures = 1; failures <= 3; ++failures) {
        w.test.clock.set(w.parcel("A1").nextCheck);
        w.watcher->checkDue();
        ASSERT_TRUE(waitUntil([&] { return w.parcel("A1").failures == failures; }));
        const ParcelRecord a1 = w.parcel("A1");
        EXPECT_EQ(a1.newestText, QStringLiteral("第2站")) << "what was known stays";
        EXPECT_TRUE(a1.lastError.startsWith(QStringLiteral("查询失败,查询服务器返回错误!")));
        EXPECT_EQ(a1.lastChecked.secsTo(a1.nextCheck), 60LL * WatchPlan::backoffMinutes(60, failures));
    }
}

TEST(ParcelWatcher, NoInformationYetIsNoFailureAndTheFirstRowsAfterItAreNews)
{
    Watch w({{QStringLiteral("N1"), -1}});
    w.watcher->setEnabled(true);
    QSignalSpy news(w.watcher.get(), &ParcelWatcher::news);
    const auto checkAt = [&w](const QDateTime &when) {
        w.test.clock.set(when);
        w.watcher->checkDue();
        EXPECT_TRUE(waitUntil([&] { return w.parcel("N1").lastChecked == when; }));
        return w.parcel("N1");
    };
    // Asked again at the normal interval, a week on at twice that; never 查询失败.
    const struct
    {
        qint64 secondsOn;
        int intervalMinutes;
    } checks[] = {{0, 60}, {3 * 3600, 60}, {8 * 86400, 120}};
    for (const auto &c : checks) {
        const ParcelRecord n1 = checkAt(kNow.addSecs(c.secondsOn));
        EXPECT_EQ(n1.failures, 0);
        EXPECT_EQ(overviewStatus(n1), QStringLiteral("暂无信息"));
        EXPECT_GE(n1.lastChecked.secsTo(n1.nextCheck), 60 * c.intervalMinutes / 2) << c.secondsOn;
        EXPECT_LT(n1.lastChecked.secsTo(n1.nextCheck), 60 * c.intervalMinutes * 3 / 2) << c.secondsOn;
    }
    w.service.rows["N1"] = 2;
    checkAt(w.parcel("N1").nextCheck);
    ASSERT_TRUE(waitUntil([&] { return news.count() == 1; }));
    EXPECT_EQ(overviewStatus(w.parcel("N1")), QStringLiteral("运送中"));
}

TEST(ParcelWatcher, ANewIntervalOrSwitchingOnPlansEveryParcelAnewFromItsLastCheck)
{
    Watch w({{QStringLiteral("D1"), 1}});
    w.watcher->setIntervalMinutes(24 * 60);
    w.watcher->refreshAll();
    ASSERT_TRUE(waitUntil([&] { return !w.watcher->refreshing(); }));
    EXPECT_GE(kNow.secsTo(w.parcel("D1").nextCheck), 12 * 3600);
    w.test.clock.advance(600);
    w.watcher->setIntervalMinutes(30);
    EXPECT_LE(kNow.secsTo(w.parcel("D1").nextCheck), 45 * 60) << "from the last check, not from now";
    // A plan made elsewhere with another interval (a refresh of the command line).
    w.history.setNextCheck({QStringLiteral("D1"), QStringLiteral("shunfeng")}, kNow.addDays(3));
    w.watcher->setEnabled(true);
    EXPECT_LE(kNow.secsTo(w.parcel("D1").nextCheck), 45 * 60);
}

TEST(ParcelWatcher, ABusyServiceHoldsEveryRequestForItsRetryAfter)
{
    Watch w({{QStringLiteral("B1"), 1}, {QStringLiteral("B2"), 1}, {QStringLiteral("B3"), 1}});
    w.service.status = 429;
    w.service.retryAfter = "600";
    w.watcher->refreshAll();
    ASSERT_TRUE(waitUntil([&] { return w.watcher->heldUntil().isValid() && w.watcher->inFlight() == 0; }));
    EXPECT_EQ(w.watcher->heldUntil(), kNow.addSecs(600));
    const int askedWhileBusy = w.service.askedFor("B1") + w.service.askedFor("B2") + w.service.askedFor("B3");
    EXPECT_LE(askedWhileBusy, ParcelWatcher::kMaxInFlight);
    w.service.status = 200;
    w.watcher->checkDue();
    QTest::qWait(300);
    EXPECT_EQ(w.service.askedFor("B1") + w.service.askedFor("B2") + w.service.askedFor("B3"), askedWhileBusy);
    EXPECT_TRUE(w.watcher->refreshing());

    w.test.clock.advance(600);
    w.watcher->checkDue();
    ASSERT_TRUE(waitUntil([&] { return !w.watcher->refreshing(); }));
    EXPECT_EQ(w.parcel("B3").rowCount, 1);
    EXPECT_EQ(w.parcel("B1").failures, 0) << "a busy service is not the parcel's failure";
}

TEST(ParcelWatcher, OverdueParcelsAreSpreadOverTheFirstMinutes)
{
    QList<std::pair<QString, int>> parcels;
    for (int i = 0; i < 20; ++i)
        parcels.append({QStringLiteral("C%1").arg(i), 1});
    Watch w(parcels);
    w.watcher->setEnabled(true);
    w.watcher->checkDue();
    ASSERT_TRUE(waitUntil([&] { return w.watcher->inFlight() == 0; }));
    int asked = 0;
    for (int i = 0; i < 20; ++i)
        asked += w.service.askedFor("C" + std::to_string(i));
    EXPECT_EQ(asked, 1) << "one now, the rest spread over the next minutes";
    for (const ParcelRecord &parcel : w.history.listedParcels()) {
        if (parcel.lastChecked.isValid())
            continue;
        EXPECT_GT(parcel.nextCheck, kNow);
        EXPECT_LE(parcel.nextCheck, kNow.addSecs(WatchPlan::kCatchUpSeconds));
    }
    // The schedule's ticks through the catch-up: each parcel comes due in turn.
    for (int second = 0; second <= WatchPlan::kCatchUpSeconds; second += ParcelWatcher::kTickMs / 1000) {
        w.test.clock.set(kNow.addSecs(second));
        w.watcher->checkDue();
        ASSERT_TRUE(waitUntil([&] { return w.watcher->inFlight() == 0; }));
    }
    for (const ParcelRecord &parcel : w.history.listedParcels())
        EXPECT_EQ(parcel.rowCount, 1) << parcel.key.number.toStdString();
}
