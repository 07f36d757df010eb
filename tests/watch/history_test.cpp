#include "qt_wait.h"
#include "read_only_directory.h"
#include "test_services.h"
#include "watch/history_check.h"
#include "watch/tracking_history.h"

#include <QFile>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <future>
#include <gtest/gtest.h>
#include <thread>

namespace {
const QDateTime kNow = QDateTime::fromString(QStringLiteral("2024-03-01T10:00:00"), Qt::ISODate);
const ParcelKey kShirt {QStringLiteral("SF100"), QStringLiteral("shunfeng")};
const ParcelKey kBook {QStringLiteral("YT200"), QStringLiteral("yuantong")};

// Rows of a parcel's story; each text has its own time, as a service sends it every time.
QList<HistoryRow> rows(std::initializer_list<const char *> texts)
{
    const QStringList story {QStringLiteral("揽收"),        QStringLiteral("到达"),
                             QStringLiteral("派件"),        QStringLiteral("签收"),
                             QStringLiteral("派件中"),      QStringLiteral("已签收"),
                             QStringLiteral("快递员已出发")};
    QList<HistoryRow> list;
    for (const char *text : texts) {
        const QString progress = QString::fromUtf8(text);
        // A note after the carrier's words ("（派件中）") is of the same event, at its time.
        const QString event = progress.left(progress.indexOf(QStringLiteral("（")));
        list.append({QStringLiteral("2024-02-28 08:%1:00").arg(story.indexOf(event), 2, 10, QLatin1Char('0')),
                     progress,
                     {}});
    }
    return list;
}

QStringList texts(const QList<HistoryRow> &list)
{
    QStringList out;
    for (const HistoryRow &row : list)
        out.append(row.text);
    return out;
}

// Another program holding parcelvue.db's write lock, on a thread of its own: it takes the lock,
// runs `whileHeld` `afterMs` later, then commits.
class LockHolder
{
public:
    LockHolder(const QString &file, int afterMs, std::function<void(QSqlQuery &)> whileHeld = {})
    {
        std::future<void> taken = m_locked.get_future();
        m_thread = std::thread([=] {
            const QString name = QStringLiteral("holder");
            {
                QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
                db.setDatabaseName(file);
                QSqlQuery query(db);
                const bool ok = db.open() && query.exec(QStringLiteral("BEGIN IMMEDIATE"));
                m_locked.set_value();
                QThread::msleep(afterMs);
                if (ok && whileHeld)
                    whileHeld(query);
                query.exec(QStringLiteral("COMMIT"));
            }
            QSqlDatabase::removeDatabase(name);
        });
        taken.wait();
    }
    ~LockHolder() { m_thread.join(); }

private:
    std::promise<void> m_locked;
    std::thread m_thread;
};

struct History
{
    QTemporaryDir dir;
    TrackingHistory history;
    History()
    {
        EXPECT_TRUE(history.open(dir.path(), kNow));
        EXPECT_TRUE(history.followSavedList({{kShirt, QStringLiteral("顺丰快递"), QStringLiteral("衬衫")},
                                             {kBook, QStringLiteral("圆通快递"), QStringLiteral("书")}}));
    }
};
} // namespace

TEST(TrackingHistory, KeepsEveryRowEverSeenAndTellsNewsOnlyAfterAFirstAnswer)
{
    History h;
    // Each step: the rows of an answer, and what recording it must report.
    struct Step
    {
        QList<HistoryRow> answer;
        int newRows;
        bool news;
    } steps[] = {
        {rows({"揽收", "到达"}), 2, false}, // the first answer is what there is, not news
        {rows({"揽收", "到达"}), 0, false},
        {rows({"揽收", "到达", "派件"}), 1, true},
        {rows({"到达", "派件"}), 0, false}, // a row the service dropped stays in the history
        {rows({"揽收", "揽收", "到达", "派件", "签收"}), 1, true}, // a doubled row is kept once
        // Kept with an adapter's note before; the same event in the carrier's words is no new row.
        {rows({"揽收", "到达", "快递员已出发（派件中）"}), 1, true},
        {rows({"揽收", "到达", "快递员已出发", "已签收"}), 1, true},
    };
    for (const Step &step : steps) {
        const auto outcome = h.history.recordAnswer(kShirt, step.answer, QStringLiteral("运送中"), kNow);
        ASSERT_TRUE(outcome.stored) << h.history.lastError().toStdString();
        EXPECT_EQ(outcome.newRows, step.newRows) << texts(step.answer).join(',').toStdString();
        EXPECT_EQ(outcome.news, step.news) << texts(step.answer).join(',').toStdString();
    }
    EXPECT_EQ(
        texts(h.history.rows(kShirt)),
        QStringList({QStringLiteral("揽收"), QStringLiteral("到达"), QStringLiteral("派件"),
                     QStringLiteral("快递员已出发"), QStringLiteral("已签收"), QStringLiteral("签收")}));
    EXPECT_TRUE(h.history.parcel(kShirt)->unseenNews);
    h.history.markSeen(kShirt);
    EXPECT_FALSE(h.history.parcel(kShirt)->unseenNews);
}

TEST(TrackingHistory, FailuresKeepWhatWasKnownAndAnAnswerClearsThem)
{
    History h;
    h.history.recordAnswer(kShirt, rows({"揽收", "派件"}), QStringLiteral("派件中"), kNow);
    h.history.recordFailure(kShirt, QStringLiteral("查询超时,请稍后再试!"), kNow.addSecs(60));
    h.history.recordFailure(kShirt, QStringLiteral("查询超时,请稍后再试!"), kNow.addSecs(120));
    ParcelRecord shirt = *h.history.parcel(kShirt);
    EXPECT_EQ(shirt.failures, 2);
    EXPECT_EQ(shirt.status, QStringLiteral("派件中"));
    EXPECT_EQ(shirt.newestText, QStringLiteral("派件"));
    EXPECT_EQ(shirt.lastError, QStringLiteral("查询超时,请稍后再试!"));
    EXPECT_EQ(shirt.lastChecked, kNow.addSecs(120));
    EXPECT_EQ(shirt.lastAnswered, kNow);

    h.history.recordAnswer(kShirt, rows({"揽收", "派件", "已签收"}), QStringLiteral("已签收"),
                           kNow.addSecs(180));
    shirt = *h.history.parcel(kShirt);
    EXPECT_EQ(shirt.failures, 0);
    EXPECT_TRUE(shirt.lastError.isEmpty());
    EXPECT_EQ(shirt.signedTime, QStringLiteral("2024-02-28 08:05:00"));
    EXPECT_EQ(shirt.oldestTime, QStringLiteral("2024-02-28 08:00:00"));
}

TEST(TrackingHistory, FollowsTheSavedListAndKeepsTheHistoryOfARemovedParcel)
{
    History h;
    h.history.recordAnswer(kBook, rows({"揽收"}), QStringLiteral("运送中"), kNow);
    // An answer for a parcel that was never saved has no place here.
    const ParcelKey stranger {QStringLiteral("X1"), QStringLiteral("ems")};
    EXPECT_FALSE(h.history.recordAnswer(stranger, rows({"揽收"}), QStringLiteral("运送中"), kNow).stored);

    ASSERT_TRUE(h.history.followSavedList({{kBook, QStringLiteral("圆通快递"), QStringLiteral("新书")}}));
    const QList<ParcelRecord> listed = h.history.listedParcels();
    ASSERT_EQ(listed.size(), 1);
    EXPECT_EQ(listed.first().note, QStringLiteral("新书"));
    EXPECT_FALSE(h.history.parcel(kShirt)->listed);

    ASSERT_TRUE(h.history.followSavedList({{kShirt, QStringLiteral("顺丰快递"), QStringLiteral("衬衫")},
                                           {kBook, QStringLiteral("圆通快递"), QStringLiteral("书")}}));
    EXPECT_EQ(h.history.listedParcels().first().key, kShirt);
    EXPECT_EQ(texts(h.history.rows(kBook)), QStringList {QStringLiteral("揽收")});
}

TEST(TrackingHistory, SurvivesAReopenWithItsSchemaVersion)
{
    QTemporaryDir dir;
    {
        TrackingHistory history;
        ASSERT_TRUE(history.open(dir.path(), kNow));
        history.followSavedList({{kShirt, QStringLiteral("顺丰快递"), QStringLiteral("衬衫")}});
        history.recordAnswer(kShirt, rows({"揽收"}), QStringLiteral("运送中"), kNow);
    }
    TrackingHistory history;
    ASSERT_TRUE(history.open(dir.path(), kNow));
    EXPECT_TRUE(history.problem().isEmpty());
    EXPECT_EQ(history.rows(kShirt).size(), 1);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("peek"));
    db.setDatabaseName(history.path());
    ASSERT_TRUE(db.open());
    {
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec(QStringLiteral("PRAGMA user_version")) && query.next());
        EXPECT_EQ(query.value(0).toInt(), TrackingHistory::kSchemaVersion);
        ASSERT_TRUE(query.exec(QStringLiteral("PRAGMA journal_mode")) && query.next());
        EXPECT_EQ(query.value(0).toString(), QStringLiteral("wal"));
    }
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("peek"));
}

TEST(TrackingHistory, ABrokenFileIsMovedAsideAndANewOneStarted)
{
    // Each case writes parcelvue.db some way; the history must open a new one and say so once.
    const std::function<void(const QString &)> breakers[] = {
        [](const QString &path) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("this is not a database\n");
        },
        [](const QString &path) {
            {
                TrackingHistory history;
                ASSERT_TRUE(history.open(QFileInfo(path).path(), kNow));
                history.followSavedList({{kShirt, QStringLiteral("顺丰快递"), QStringLiteral("衬衫")}});
            }
            // A page of garbage in the middle of a real database.
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            file.seek(4096);
            file.write(QByteArray(4096, '\xA5'));
        },
    };
    for (const auto &breakFile : breakers) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("parcelvue.db"));
        breakFile(path);
        TrackingHistory history;
        ASSERT_TRUE(history.open(dir.path(), kNow));
        EXPECT_FALSE(history.inMemory());
        EXPECT_TRUE(history.problem().contains(QStringLiteral("parcelvue.db.broken-20240301-100000")))
            << history.problem().toStdString();
        EXPECT_TRUE(QFile::exists(path + QStringLiteral(".broken-20240301-100000")));
        EXPECT_EQ(history.integrityCheck(), QStringLiteral("ok"));
        EXPECT_TRUE(history.followSavedList({{kBook, QStringLiteral("圆通快递"), QStringLiteral("书")}}));
    }
}

TEST(TrackingHistory, AReadOnlyDirectoryKeepsTheHistoryInMemory)
{
    QTemporaryDir dir;
    ReadOnlyDirectory readOnly(dir.path());
    if (!readOnly.active())
        GTEST_SKIP() << "this file system cannot make a directory read-only";
    TrackingHistory history;
    ASSERT_TRUE(history.open(dir.path(), kNow));
    EXPECT_TRUE(history.inMemory());
    EXPECT_FALSE(history.problem().isEmpty());
    EXPECT_TRUE(history.followSavedList({{kShirt, QStringLiteral("顺丰快递"), QStringLiteral("衬衫")}}));
    EXPECT_TRUE(history.recordAnswer(kShirt, rows({"揽收"}), QStringLiteral("运送中"), kNow).stored);
}

TEST(TrackingHistory, AVersionOneDatabaseGainsPhoneDigitsAndKeepsItsParcels)
{
    QTemporaryDir dir;
    {
        // parcelvue.db as the first schema made it, with one parcel and its row.
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("v1"));
        db.setDatabaseName(dir.filePath(QStringLiteral("parcelvue.db")));
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        for (const char *statement :
             {"CREATE TABLE parcels (id INTEGER PRIMARY KEY, number TEXT NOT NULL, com TEXT NOT NULL,"
              " note TEXT NOT NULL DEFAULT '', carrier_name TEXT NOT NULL DEFAULT '',"
              " listed INTEGER NOT NULL DEFAULT 0, list_order INTEGER NOT NULL DEFAULT 0,"
              " status TEXT NOT NULL DEFAULT '', row_count INTEGER NOT NULL DEFAULT 0,"
              " newest_time TEXT NOT NULL DEFAULT '', newest_text TEXT NOT NULL DEFAULT '',"
              " oldest_time TEXT NOT NULL DEFAULT '', last_checked INTEGER, last_answered INTEGER,"
              " next_check INTEGER, last_error TEXT NOT NULL DEFAULT '', last_error_at INTEGER,"
              " failures INTEGER NOT NULL DEFAULT 0, signed_time TEXT NOT NULL DEFAULT '',"
              " unseen_news INTEGER NOT NULL DEFAULT 0, UNIQUE (number, com))",
              "CREATE TABLE progress (parcel_id INTEGER NOT NULL REFERENCES parcels (id) ON DELETE CASCADE,"
              " time TEXT NOT NULL, text TEXT NOT NULL, first_seen INTEGER NOT NULL, position INTEGER NOT "
              "NULL,"
              " PRIMARY KEY (parcel_id, time, text)) WITHOUT ROWID",
              "CREATE INDEX parcels_listed ON parcels (listed, list_order)",
              "INSERT INTO parcels (id, number, com, note, listed, status, row_count) VALUES"
              " (1, 'SF100', 'shunfeng', '衬衫', 1, '运送中', 1)",
              "INSERT INTO progress VALUES (1, '2024-02-28 08:00:00', '揽收', 0, 0)",
              "INSERT INTO parcels (id, number, com, note, listed, status) VALUES"
              " (2, 'ZT300', 'zhongtong', '鞋', 1, '问题件')",
              "PRAGMA user_version=1"})
            ASSERT_TRUE(query.exec(QString::fromUtf8(statement))) << statement;
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("v1"));
    {
        TrackingHistory history;
        ASSERT_TRUE(history.open(dir.path(), kNow));
        EXPECT_TRUE(history.problem().isEmpty());
        const std::optional<ParcelRecord> shirt = history.parcel(kShirt);
        ASSERT_TRUE(shirt.has_value());
        EXPECT_EQ(shirt->note, QStringLiteral("衬衫"));
        EXPECT_TRUE(shirt->phoneDigits.isEmpty());
        EXPECT_EQ(shirt->archive, ArchiveMark::ByRule);
        EXPECT_FALSE(shirt->problemSeen);
        EXPECT_TRUE(history.parcel({QStringLiteral("ZT300"), QStringLiteral("zhongtong")})->problemSeen)
            << "a problem status stored before counts in the statistics";
        EXPECT_EQ(texts(history.rows(kShirt)), QStringList {QStringLiteral("揽收")});
        EXPECT_TRUE(history.setPhoneDigits(kShirt, QStringLiteral("1234")));
        EXPECT_FALSE(history.setPhoneDigits(kBook, QStringLiteral("5678"))) << "not a saved parcel";
    }
    TrackingHistory history;
    ASSERT_TRUE(history.open(dir.path(), kNow));
    EXPECT_EQ(history.phoneDigits(kShirt.number, kShirt.com), QStringLiteral("1234"));
    EXPECT_EQ(history.listedParcels().first().phoneDigits, QStringLiteral("1234"));
}

TEST(TrackingHistory, KeepsArchiveMarksEstimatesProblemsAndTheRowsTextsForTheSearch)
{
    History h;
    ASSERT_TRUE(h.history.setArchive({kShirt, kBook}, ArchiveMark::Archived));
    ASSERT_TRUE(h.history.setArchive({kBook}, ArchiveMark::KeptOut));
    EXPECT_EQ(h.history.parcel(kShirt)->archive, ArchiveMark::Archived);
    EXPECT_EQ(h.history.parcel(kBook)->archive, ArchiveMark::KeptOut);

    const ServiceEstimate estimate {kNow.addDays(2), kNow.addDays(3), QStringLiteral("17TRACK")};
    ASSERT_TRUE(h.history.setServiceEstimate(kShirt, estimate));
    const ServiceEstimate stored = h.history.parcel(kShirt)->serviceEstimate;
    EXPECT_EQ(stored.from, estimate.from);
    EXPECT_EQ(stored.to, estimate.to);
    EXPECT_EQ(stored.source, estimate.source);
    ASSERT_TRUE(h.history.setServiceEstimate(kShirt, {}));
    EXPECT_FALSE(h.history.parcel(kShirt)->serviceEstimate.isValid());

    // A problem status counts after the parcel was delivered; delivered parcels without news are
    // not the watcher's.
    h.history.recordAnswer(kBook, rows({"揽收"}), QStringLiteral("问题件"), kNow);
    h.history.recordAnswer(kBook, rows({"揽收", "签收"}), QStringLiteral("已签收"), kNow);
    h.history.recordAnswer(kShirt, rows({"揽收", "到达"}), QStringLiteral("运送中"), kNow);
    EXPECT_TRUE(h.history.parcel(kBook)->problemSeen);
    EXPECT_FALSE(h.history.parcel(kShirt)->problemSeen);
    QList<ParcelRecord> active = h.history.activeParcels();
    ASSERT_EQ(active.size(), 2) << "the book's signing row is news";
    h.history.markSeen(kBook);
    active = h.history.activeParcels();
    ASSERT_EQ(active.size(), 1);
    EXPECT_EQ(active.first().key, kShirt);

    // The rows' texts of the listed parcels, from this connection or from the file.
    for (const RowTextIndex &index :
         {h.history.rowTextIndex(), TrackingHistory::readRowTextIndex(h.history.path())}) {
        EXPECT_EQ(index.parcelCount(), 2);
        EXPECT_EQ(index.lineCount(), 3) << "揽收 once";
        const QBitArray lines = index.matchingLines(QStringLiteral("签收"));
        EXPECT_TRUE(index.matches(kBook, lines));
        EXPECT_FALSE(index.matches(kShirt, lines));
    }
    EXPECT_EQ(h.history.rowTexts(kShirt), QStringList({QStringLiteral("揽收"), QStringLiteral("到达")}));
    ASSERT_TRUE(h.history.followSavedList({{kShirt, QStringLiteral("顺丰快递"), QStringLiteral("衬衫")}}));
    EXPECT_EQ(h.history.rowTextIndex().parcelCount(), 1) << "a parcel off the list is not searched";
}

TEST(TrackingHistory, AnUnchangedSavedListIsNotReadAgainAndAChangedOneWritesWhatChanged)
{
    History h;
    const QStringList lines {QStringLiteral("SF100|顺丰快递|衬衫"), QStringLiteral("YT200|圆通快递|书"),
                             QStringLiteral("SF100|顺丰快递|新衬衫")};
    ASSERT_TRUE(h.history.followSavedLines(lines));
    QList<ParcelRecord> listed = h.history.listedParcels();
    ASSERT_EQ(listed.size(), 2);
    EXPECT_EQ(listed.at(0).key, kBook);
    EXPECT_EQ(listed.at(1).note, QStringLiteral("新衬衫")) << "a parcel saved twice takes its last line";

    // Behind the history's back: the same lines are not read again, so the change stays.
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("behind"));
        db.setDatabaseName(h.history.path());
        ASSERT_TRUE(db.open());
        QSqlQuery(db).exec(QStringLiteral("UPDATE parcels SET note = 'x' WHERE number = 'YT200'"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("behind"));
    ASSERT_TRUE(h.history.followSavedLines(lines));
    EXPECT_EQ(h.history.parcel(kBook)->note, QStringLiteral("x"));
    // Other lines are: what differs is written, a parcel off the list keeps its history.
    h.history.recordAnswer(kShirt, rows({"揽收"}), QStringLiteral("运送中"), kNow);
    ASSERT_TRUE(h.history.followSavedLines({QStringLiteral("YT200|圆通快递|书")}));
    listed = h.history.listedParcels();
    ASSERT_EQ(listed.size(), 1);
    EXPECT_EQ(listed.first().note, QStringLiteral("书"));
    EXPECT_FALSE(h.history.parcel(kShirt)->listed);
    EXPECT_EQ(h.history.rows(kShirt).size(), 1);
    // A list followed from entries leaves no digest: the lines are read again next time.
    ASSERT_TRUE(h.history.followSavedList({{kShirt, QStringLiteral("顺丰快递"), QStringLiteral("衬衫")}}));
    ASSERT_TRUE(h.history.followSavedLines({QStringLiteral("YT200|圆通快递|书")}));
    EXPECT_EQ(h.history.listedParcels().size(), 1);
    EXPECT_EQ(h.history.listedParcels().first().key, kBook);
}

TEST(TrackingHistory, ALargeFileIsCheckedAfterTheOpenAndADamagedOneMovedAside)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("parcelvue.db"));
    {
        TrackingHistory history;
        ASSERT_TRUE(history.open(dir.path(), kNow));
        history.followSavedList({{kShirt, QStringLiteral("顺丰快递"), QStringLiteral("衬衫")}});
        EXPECT_FALSE(history.checkPending()) << "a small file is checked at the open";
    }
    {
        // Years of history, in size.
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("grow"));
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec(QStringLiteral("CREATE TABLE filler (x BLOB)")));
        ASSERT_TRUE(query.exec(QStringLiteral("INSERT INTO filler VALUES (zeroblob(%1))")
                                   .arg(TrackingHistory::kCheckedAtOpenBytes + 100000)));
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("grow"));
    {
        TrackingHistory history;
        ASSERT_TRUE(history.open(dir.path(), kNow));
        ASSERT_TRUE(history.checkPending());
        EXPECT_EQ(TrackingHistory::checkFile(path), QStringLiteral("ok"));
        EXPECT_FALSE(history.recoverDamaged(QStringLiteral("ok"), kNow));
    }
    // A page of the parcels' table overwritten: the open does not see it, the check does.
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.seek(4096);
    file.write(QByteArray(4096, '\xA5'));
    file.close();
    TrackingHistory history;
    ASSERT_TRUE(history.open(dir.path(), kNow));
    TestClock clock;
    clock.set(kNow);
    HistoryCheck check(history, clock);
    QSignalSpy recovered(&check, &HistoryCheck::recovered);
    QSignalSpy finished(&check, &HistoryCheck::finished);
    check.start();
    ASSERT_TRUE(waitUntil([&] { return finished.count() == 1; }, 20000));
    ASSERT_EQ(recovered.count(), 1);
    EXPECT_TRUE(history.problem().contains(QStringLiteral("parcelvue.db.broken-20240301-100000")))
        << history.problem().toStdString();
    EXPECT_TRUE(QFile::exists(path + QStringLiteral(".broken-20240301-100000")));
    EXPECT_EQ(history.integrityCheck(), QStringLiteral("ok"));
    EXPECT_TRUE(history.followSavedList({{kBook, QStringLiteral("圆通快递"), QStringLiteral("书")}}));
    EXPECT_EQ(history.listedParcels().size(), 1);
}

TEST(TrackingHistory, AWriteWaitsForAnotherProgramsWriteInsteadOfFailing)
{
    History h;
    // Writes that read before they write: a deferred transaction fails at once here.
    const std::function<bool()> writes[] = {
        [&] { return h.history.recordAnswer(kShirt, rows({"揽收"}), QStringLiteral("运送中"), kNow).stored; },
        [&] {
            return h.history.mergeHistory(kBook, rows({"揽收", "到达"}), ParcelRecord(), kNow) == 2;
        },
    };
    for (const auto &write : writes) {
        LockHolder holder(h.history.path(), 300);
        EXPECT_TRUE(write()) << h.history.lastError().toStdString();
    }
}

TEST(TrackingHistory, TwoProgramsOpeningANewFileTogetherMigrateItOnce)
{
    // The schema as a finished migration leaves it, made by the other program while this one waits.
    QTemporaryDir made;
    QStringList schema;
    {
        TrackingHistory history;
        ASSERT_TRUE(history.open(made.path(), kNow));
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("schema"));
        db.setDatabaseName(history.path());
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec(QStringLiteral("SELECT sql FROM sqlite_master WHERE sql IS NOT NULL")));
        while (query.next())
            schema.append(query.value(0).toString());
    }
    QSqlDatabase::removeDatabase(QStringLiteral("schema"));
    schema.append(QStringLiteral("PRAGMA user_version=%1").arg(TrackingHistory::kSchemaVersion));

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("parcelvue.db"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("new"));
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open());
        QSqlQuery(db).exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("new"));
    LockHolder other(file, 500, [&](QSqlQuery &query) {
        for (const QString &statement : schema)
            query.exec(statement);
    });
    TrackingHistory history;
    ASSERT_TRUE(history.open(dir.path(), kNow));
    EXPECT_FALSE(history.inMemory());
    EXPECT_TRUE(history.problem().isEmpty()) << history.problem().toStdString();
    EXPECT_TRUE(history.followSavedList({{kShirt, QStringLiteral("顺丰快递"), QStringLiteral("衬衫")}}));
}

TEST(TrackingHistory, AnotherServicesFormsOfTheSameEventsAreStoredOnceAndAreNotNews)
{
    const struct
    {
        const char *storedTime, *stored, *otherTime, *other;
        bool same;
    } forms[] = {
        {"2024-02-28 08:00:00", "【杭州市】快递员 已揽收", "2024/2/28 8:00:40", "快递员已揽收", true},
        {"2024-02-28 09:00:00", "快件已到达【杭州转运中心】", "2024-02-28 09:00", "快件已到达杭州转运中心",
         true},
        {"2024-02-28 09:00:00", "快件已到达【杭州转运中心】", "2024-02-28T09:00:00",
         "<b>【杭州】</b>快件已到达杭州转运中心（派件中）", true},
        {"2024-02-28 09:00:00", "快件已到达【杭州转运中心】", "2024-02-28 09:02:00", "快件已到达杭州转运中心",
         false},
        {"2024-02-28 09:00:00", "快件已到达【杭州转运中心】", "2024-02-28 09:00:00", "快件已到达上海转运中心",
         false},
    };
    for (const auto &f : forms) {
        const EventKey stored = eventKey({QString::fromUtf8(f.storedTime), QString::fromUtf8(f.stored), {}});
        const EventKey other = eventKey({QString::fromUtf8(f.otherTime), QString::fromUtf8(f.other), {}});
        EXPECT_EQ(sameEvent(stored, other), f.same) << f.stored << " / " << f.other;
    }

    History h;
    auto answer = [](std::initializer_list<std::pair<const char *, const char *>> list) {
        QList<HistoryRow> rows;
        for (const auto &row : list)
            rows.append({QString::fromUtf8(row.first), QString::fromUtf8(row.second), {}});
        return rows;
    };
    const QString designed = QStringLiteral("designed"), kdniao = QStringLiteral("kdniao");
    const struct
    {
        QList<HistoryRow> rows;
        const QString &service;
        int newRows;
        bool news;
    } steps[] = {
        {answer({{"2024-02-28 08:00:00", "【杭州市】快递员 已揽收"}}), designed, 1, false},
        {answer({{"2024-02-28 08:00:00", "【杭州市】快递员 已揽收"},
                 {"2024-02-28 09:00:00", "快件已到达【杭州转运中心】"}}),
         designed, 1, true},
        // The switch: the known events in the new service's words and one it tells first.
        {answer({{"2024/2/28 8:00:00", "快递员已揽收"},
                 {"2024/2/28 9:00:00", "快件已到达杭州转运中心"},
                 {"2024/2/28 10:00:00", "快件已从杭州转运中心发出"}}),
         kdniao, 1, false},
        {answer({{"2024/2/28 8:00:00", "快递员已揽收"},
                 {"2024/2/28 9:00:00", "快件已到达杭州转运中心"},
                 {"2024/2/28 10:00:00", "快件已从杭州转运中心发出"},
                 {"2024/2/28 11:00:00", "快件已到达上海转运中心"}}),
         kdniao, 1, true},
    };
    for (const auto &step : steps) {
        const auto outcome
            = h.history.recordAnswer(kShirt, step.rows, QStringLiteral("运送中"), kNow, step.service);
        ASSERT_TRUE(outcome.stored) << h.history.lastError().toStdString();
        EXPECT_EQ(outcome.newRows, step.newRows) << step.rows.last().text.toStdString();
        EXPECT_EQ(outcome.news, step.news) << step.rows.last().text.toStdString();
    }
    EXPECT_EQ(h.history.rows(kShirt).size(), 4);
}
