#include "gui/desktop/desktop_session.h"
#include "fault_support.h"
#include "qt_wait.h"
#include "read_only_directory.h"
#include "gui/overview/overview_window.h"
#include "watch/parcel_watcher.h"
#include "watch/tracking_history.h"

#include <QFrame>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// The program on a test platform whose data directory holds the two saved parcels.
struct Session
{
    TestPlatform test;
    std::unique_ptr<DesktopSession> session;

    explicit Session(const QString &baseUrl)
    {
        test.useServer(baseUrl);
        test.editEndpoints([&](Endpoints &e) { e.trackingTimeoutSeconds = 1; });
        writeBytes(QDir(test.dataDir()).filePath(QStringLiteral("wlnum.ini")), savedBefore());
    }
    void open()
    {
        session = std::make_unique<DesktopSession>(test.platform());
        session->form().Timer3->stop();
        session->show();
    }
};
} // namespace

TEST(WatchFaults, AServiceThatFailsEveryParcelIsShownPerParcelAndBacksOff)
{
    const std::pair<const char *, std::function<FaultyService()>> services[] = {
        {"refused", refusing},
        {"stalled", silent},
        {"garbage",
         [] {
             return answering(
                 [](httplib::Response &r) { r.set_content("\x89PNG\r\n\x1a\n\xff\xfe", "image/png"); });
         }},
        {"HTTP 500",
         [] {
             return answering([](httplib::Response &r) {
                 r.status = 500;
                 r.set_content("<h1>oops</h1>", "text/html");
             });
         }},
    };
    for (const auto &[name, make] : services) {
        SCOPED_TRACE(name);
        FaultyService service = make();
        Session s(service.baseUrl);
        s.open();
        s.session->watcher().refreshAll();
        // The window answers the user meanwhile: the add panel opens at once.
        QTest::mouseClick(s.session->form().Command3, Qt::LeftButton);
        EXPECT_TRUE(s.session->form().Picture3->isVisible());
        ASSERT_TRUE(waitUntil([&] { return !s.session->watcher().refreshing(); }, kHangBoundMs));
        const QList<ParcelRecord> parcels = s.session->history().listedParcels();
        ASSERT_EQ(parcels.size(), 2);
        for (const ParcelRecord &parcel : parcels) {
            EXPECT_EQ(parcel.failures, 1);
            EXPECT_FALSE(parcel.lastError.isEmpty());
            EXPECT_EQ(parcel.lastChecked.secsTo(parcel.nextCheck), 60LL * WatchPlan::backoffMinutes(60, 1));
        }
        s.session->showOverview();
        EXPECT_EQ(s.session->overview()->table->model()->index(0, 3).data().toString(),
                  QStringLiteral("查询失败"));
    }
}

TEST(WatchFaults, ADamagedDatabaseIsMovedAsideAndToldOnce)
{
    TestSandbox sandbox;
    Session s(sandbox.baseUrl());
    writeBytes(QDir(s.test.dataDir()).filePath(QStringLiteral("parcelvue.db")),
               "SQLite format 3\0 but not really");
    s.open();
    ASSERT_TRUE(waitUntil([&] { return !s.test.messages.shown.empty(); }));
    EXPECT_TRUE(s.test.messages.shown.front().text.contains(QStringLiteral("parcelvue.db.broken-")));
    EXPECT_EQ(s.session->history().listedParcels().size(), 2);
    QTest::qWait(50);
    EXPECT_EQ(s.test.messages.shown.size(), 1u);

    // The next start finds a sound database and says nothing.
    s.session.reset();
    s.test.messages.shown.clear();
    s.open();
    QTest::qWait(50);
    EXPECT_TRUE(s.test.messages.shown.empty());
}

TEST(WatchFaults, AReadOnlyDataDirectoryKeepsTheWatchInMemory)
{
    TestSandbox sandbox;
    Session s(sandbox.baseUrl());
    ReadOnlyDirectory readOnly(s.test.dataDir());
    if (!readOnly.active())
        GTEST_SKIP() << "this file system cannot make a directory read-only";
    s.open();
    ASSERT_TRUE(waitUntil([&] { return s.test.messages.shown.size() == 1; }));
    EXPECT_TRUE(s.session->history().inMemory());
    s.session->watcher().refreshAll();
    ASSERT_TRUE(waitUntil([&] { return !s.session->watcher().refreshing(); }, kHangBoundMs));
    EXPECT_GT(s.session->history().listedParcels().first().rowCount, 0);
    EXPECT_EQ(s.test.messages.shown.size(), 1u);
}

// A process that records answers in a loop is killed at random moments: the database always
// passes SQLite's integrity check and holds every row that was committed before the kill.
TEST(WatchFaults, KilledWhileRecordingTheDatabaseStaysWhole)
{
    QTemporaryDir dir;
    QList<SavedEntry> saved;
    for (int i = 0; i < 20; ++i)
        saved.append({{QStringLiteral("SF%1").arg(i), QStringLiteral("shunfeng")},
                      QStringLiteral("顺丰快递"),
                      QString()});
    {
        TrackingHistory history;
        ASSERT_TRUE(history.open(dir.path(), QDateTime::currentDateTime()));
        ASSERT_TRUE(history.followSavedList(saved));
    }
    std::mt19937 random(20241208);
    std::uniform_int_distribution<int> moment(10000, 150000); // microseconds after the fork
    int killedAfterCommits = 0;
    for (int round = 0; round < 100; ++round) {
        int pipeEnds[2];
        ASSERT_EQ(pipe(pipeEnds), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(pipeEnds[0]);
            TrackingHistory history;
            if (!history.open(dir.path(), QDateTime::currentDateTime()))
                _exit(3);
            for (int i = 0;; ++i) {
                const ParcelKey key = saved.at(i % saved.size()).key;
                QList<HistoryRow> rows;
                for (int row = 0; row < 20; ++row)
                    rows.append(
                        {QStringLiteral("R%1-%2").arg(round).arg(i), QStringLiteral("第%1站").arg(row), {}});
                if (history.recordAnswer(key, rows, QStringLiteral("运送中"), QDateTime::currentDateTime())
                        .stored) {
                    // Told only once committed.
                    const QByteArray line = QByteArray::number(history.totalRows()) + '\n';
                    if (write(pipeEnds[1], line.constData(), size_t(line.size())) < 0)
                        _exit(4);
                }
            }
        }
        close(pipeEnds[1]);
        usleep(static_cast<useconds_t>(moment(random)));
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "round " << round << " exited with " << WEXITSTATUS(status);
        QByteArray told;
        char buffer[4096];
        for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
            told.append(buffer, int(n));
        close(pipeEnds[0]);
        const QList<QByteArray> lines = told.split('\n');
        const int committed = lines.size() >= 2 ? lines.at(lines.size() - 2).toInt() : 0;
        killedAfterCommits += committed > 0;

        TrackingHistory history;
        ASSERT_TRUE(history.open(dir.path(), QDateTime::currentDateTime()));
        ASSERT_TRUE(history.problem().isEmpty())
            << "round " << round << ": " << history.problem().toStdString();
        ASSERT_EQ(history.integrityCheck(), QStringLiteral("ok")) << "round " << round;
        ASSERT_GE(history.totalRows(), committed) << "round " << round;
    }
    EXPECT_GT(killedAfterCommits, 30) << "the kills fell while the child was recording";
}
