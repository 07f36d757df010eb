#include "core/endpoints.h"
#include "platform/text_codec.h"
#include "test_servers.h"
#include "watch/tracking_history.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
struct Outcome
{
    int exitCode = -1;
    QString out, err;
    QJsonDocument json() const { return QJsonDocument::fromJson(out.toUtf8()); }
};

// The real executable on a data directory of its own, against the sandbox; no display.
struct Cli
{
    TestSandbox sandbox {[] {
        SandboxOptions options;
        options.port = 0;
        return options;
    }()};
    QTemporaryDir home;

    explicit Cli(const QString &saved = QString())
    {
        Endpoints endpoints = Endpoints::defaults();
        endpoints.useServer(sandbox.baseUrl());
        endpoints.save(path(QStringLiteral("endpoints.ini")));
        if (!saved.isEmpty())
            write(QStringLiteral("wlnum.ini"), encodeGb(saved));
    }
    QString path(const QString &name) const { return QDir(home.path()).filePath(name); }
    void write(const QString &name, const QByteArray &bytes) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray read(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Under the C locale unless `lang` says otherwise: the program's own (Chinese) texts.
    Outcome run(const QStringList &arguments, const QString &lang = QStringLiteral("C")) const
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
            env.remove(QLatin1String(name));
        env.insert(QStringLiteral("LANG"), lang);
        env.insert(QStringLiteral("PARCELVUE_HOME"), home.path());
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(PARCELVUE_APP), arguments);
        Outcome run;
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished();
            return run;
        }
        run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.out = QString::fromUtf8(process.readAllStandardOutput());
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }
};

const QString kSaved
    = QStringLiteral("SF1001|顺丰快递|衬衫\r\nSTAGE8A9|圆通快递|鞋\r\n0000000000|EMS快递|空\r\n");
} // namespace

TEST(CommandLine, TrackPrintsRowsNewestFirstAndExitsByOutcome)
{
    Cli cli;
    const Outcome ok = cli.run({QStringLiteral("track"), QStringLiteral("圆通快递"),
                                QStringLiteral("STAGE8X1"), QStringLiteral("--json")});
    ASSERT_EQ(ok.exitCode, 0) << ok.err.toStdString();
    const QJsonObject parcel = ok.json().object();
    EXPECT_EQ(parcel[QStringLiteral("carrier")][QStringLiteral("code")].toString(),
              QStringLiteral("yuantong"));
    EXPECT_EQ(parcel[QStringLiteral("status")].toString(), QStringLiteral("已签收"));
    const QJsonArray rows = parcel[QStringLiteral("rows")].toArray();
    ASSERT_EQ(rows.size(), 8);
    EXPECT_TRUE(rows[0][QStringLiteral("text")].toString().contains(QStringLiteral("签收")))
        << "newest first";
    EXPECT_GT(rows[0][QStringLiteral("time")].toString(), rows[7][QStringLiteral("time")].toString());
    EXPECT_GT(parcel[QStringLiteral("transit")][QStringLiteral("seconds")].toInteger(), 3600);

    const Outcome text
        = cli.run({QStringLiteral("track"), QStringLiteral("shunfeng"), QStringLiteral("STAGE7X2")});
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_TRUE(text.out.contains(QStringLiteral("状态: 派件中"))) << text.out.toStdString();

    const struct
    {
        QStringList args;
        int exitCode;
        QString said; // on standard error
    } cases[] = {
        {{QStringLiteral("track"), QStringLiteral("nosuch"), QStringLiteral("1")},
         2,
         QStringLiteral("不认识的快递公司")},
        {{QStringLiteral("track"), QStringLiteral("ems")}, 2, QStringLiteral("需要快递公司和单号")},
        {{QStringLiteral("track"), QStringLiteral("ems"), QStringLiteral("A|1")}, 2, QStringLiteral("\"|\"")},
        {{QStringLiteral("list"), QStringLiteral("--loud")}, 2, QStringLiteral("不认识的选项")},
        {{QStringLiteral("track"), QStringLiteral("ems"), QStringLiteral("0000000000")},
         3,
         QStringLiteral("此快递单号未更新信息或已失效")},
        {{QStringLiteral("track"), QStringLiteral("ems"), QStringLiteral("bad-number")},
         3,
         QStringLiteral("单号格式错误")},
    };
    for (const auto &c : cases) {
        const Outcome run = cli.run(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(c.said)) << run.err.toStdString();
    }

    Endpoints refused = Endpoints::defaults();
    refused.useServer(QStringLiteral("http://127.0.0.1:%1").arg(closedLoopbackPort()));
    refused.save(cli.path(QStringLiteral("endpoints.ini")));
    const Outcome failed = cli.run(
        {QStringLiteral("track"), QStringLiteral("ems"), QStringLiteral("E1"), QStringLiteral("--json")});
    EXPECT_EQ(failed.exitCode, 4);
    EXPECT_EQ(failed.json().object()[QStringLiteral("error")][QStringLiteral("kind")].toString(),
              QStringLiteral("transfer"));
}

TEST(CommandLine, TrackAsksTheServiceOfEndpointsIni)
{
    Cli cli;
    const SandboxOptions &accepted = cli.sandbox.server().options();
    for (const char *service : {"kdniao", "17track"}) {
        Endpoints endpoints = Endpoints::defaults();
        endpoints.useServer(cli.sandbox.baseUrl());
        endpoints.trackingService = QLatin1String(service);
        endpoints.kdniaoBusinessId = QString::fromStdString(accepted.kdniaoBusinessId);
        endpoints.kdniaoAppKey = QString::fromStdString(accepted.kdniaoAppKey);
        endpoints.track17Token = QString::fromStdString(accepted.track17Token);
        endpoints.save(cli.path(QStringLiteral("endpoints.ini")));
        const Outcome run = cli.run({QStringLiteral("track"), QStringLiteral("yuantong"),
                                     QStringLiteral("STAGE8X1"), QStringLiteral("--json")});
        ASSERT_EQ(run.exitCode, 0) << service << run.err.toStdString();
        EXPECT_EQ(run.json()[QStringLiteral("status")].toString(), QStringLiteral("已签收")) << service;
        EXPECT_EQ(run.json()[QStringLiteral("rows")].toArray().size(), 8) << service;

        // What stops a track is told as whose it is: the number's, the account's, or a wait.
        const struct
        {
            const char *service, *com, *number;
            int exitCode;
            const char *kind;
        } cases[] = {
            {"kdniao", "yuantong", "QUOTA1", 7, "account"},
            {"17track", "yuantong", "QUOTA1", 7, "account"},
            {"kdniao", "shunfeng", "STAGE2Y001", 7, "account"},
            {"17track", "yunda", "STAGE2Y001", 3, "refused"},
            {"kdniao", "ems", "0000000000", 3, "refused"},
            {"kdniao", "yuantong", "BUSY1", 5, "held"},
        };
        for (const auto &c : cases) {
            if (qstrcmp(c.service, service) != 0)
                continue;
            const Outcome run = cli.run({QStringLiteral("track"), QLatin1String(c.com),
                                         QLatin1String(c.number), QStringLiteral("--json")});
            EXPECT_EQ(run.exitCode, c.exitCode) << service << " " << c.number << run.err.toStdString();
            EXPECT_EQ(run.json()[QStringLiteral("error")][QStringLiteral("kind")].toString(),
                      QLatin1String(c.kind))
                << service << " " << c.number << run.out.toStdString();
        }

        endpoints.kdniaoAppKey = endpoints.track17Token = QStringLiteral("wrong");
        endpoints.save(cli.path(QStringLiteral("endpoints.ini")));
        const Outcome refused
            = cli.run({QStringLiteral("track"), QStringLiteral("yuantong"), QStringLiteral("STAGE8X1")});
        EXPECT_EQ(refused.exitCode, 7) << service << ": the account's";
        EXPECT_TRUE(refused.err.contains(QStringLiteral("拒绝了查询"))) << refused.err.toStdString();
    }
}

TEST(CommandLine, RefreshExitsByWhatTheQueriesCameToAndDoesNotWaitOutAHold)
{
    const QString ems = QStringLiteral("0000000000|EMS快递|空\r\nbad-number|EMS快递|错\r\n");
    const QString mixed = QStringLiteral("STAGE2Y001|圆通快递|a\r\nSTAGE2Y002|顺丰快递|b\r\n");
    const QString busy
        = QStringLiteral("STAGE2Y001|圆通快递|a\r\nBUSY3|圆通快递|b\r\nSTAGE2Y003|圆通快递|c\r\n");
    const struct
    {
        const char *service;
        QString saved;
        bool closed, wrongKey;
        int exitCode;
        int answered, refused, transfer, account, held;
    } cases[] = {
        {"designed", kSaved, false, false, 0, 2, 1, 0, 0, 0},
        {"designed", kSaved, true, false, 4, 0, 0, 3, 0, 0},
        {"designed", ems, false, false, 3, 0, 2, 0, 0, 0},
        {"kdniao", kSaved, false, true, 7, 0, 0, 0, 3, 0},
        {"kdniao", mixed, false, false, 6, 1, 0, 0, 1, 0},
        {"kdniao", busy, false, false, 5, 2, 0, 0, 0, 1},
    };
    for (const auto &c : cases) {
        Cli cli(c.saved);
        const SandboxOptions &accepted = cli.sandbox.server().options();
        Endpoints endpoints = Endpoints::defaults();
        endpoints.useServer(c.closed ? QStringLiteral("http://127.0.0.1:%1").arg(closedLoopbackPort())
                                     : cli.sandbox.baseUrl());
        endpoints.trackingService = QLatin1String(c.service);
        endpoints.kdniaoBusinessId = QString::fromStdString(accepted.kdniaoBusinessId);
        endpoints.kdniaoAppKey
            = c.wrongKey ? QStringLiteral("wrong") : QString::fromStdString(accepted.kdniaoAppKey);
        endpoints.save(cli.path(QStringLiteral("endpoints.ini")));
        const Outcome run = cli.run({QStringLiteral("refresh"), QStringLiteral("--json")});
        const QJsonObject answer = run.json().object();
        const QJsonObject counts = answer[QStringLiteral("counts")].toObject();
        const std::string what = std::string(c.service) + " exit " + std::to_string(c.exitCode);
        EXPECT_EQ(run.exitCode, c.exitCode) << what << run.out.toStdString() << run.err.toStdString();
        EXPECT_EQ(counts[QStringLiteral("answered")].toInt(), c.answered) << what;
        EXPECT_EQ(counts[QStringLiteral("refused")].toInt(), c.refused) << what;
        EXPECT_EQ(counts[QStringLiteral("transfer")].toInt(), c.transfer) << what;
        EXPECT_EQ(counts[QStringLiteral("account")].toInt(), c.account) << what;
        EXPECT_EQ(counts[QStringLiteral("held")].toInt(), c.held) << what;
        if (c.held == 0)
            continue;
        // The held parcel is told with the time the service allows again, and is no failure of its own.
        const QJsonArray held = answer[QStringLiteral("held")].toArray();
        ASSERT_EQ(held.size(), 1);
        EXPECT_EQ(held[0][QStringLiteral("number")].toString(), QStringLiteral("BUSY3"));
        EXPECT_FALSE(held[0][QStringLiteral("until")].toString().isEmpty());
        const Outcome list = cli.run({QStringLiteral("list"), QStringLiteral("--json")});
        EXPECT_EQ(list.json().array()[1][QStringLiteral("error")].toString(), QString());
        const Outcome text = cli.run({QStringLiteral("refresh")});
        EXPECT_EQ(text.exitCode, 5);
        EXPECT_TRUE(text.out.contains(QStringLiteral("1个快递未查询"))) << text.out.toStdString();
    }
}

TEST(CommandLine, RefreshThenListShowEverySavedParcelsState)
{
    Cli cli(kSaved);
    const QByteArray savedBefore = cli.read(QStringLiteral("wlnum.ini"));
    const Outcome refresh = cli.run({QStringLiteral("refresh"), QStringLiteral("--json")});
    ASSERT_EQ(refresh.exitCode, 0) << refresh.err.toStdString();
    EXPECT_EQ(refresh.json().object()[QStringLiteral("checked")].toInt(), 3);
    EXPECT_EQ(refresh.json().object()[QStringLiteral("failed")].toArray().size(), 0)
        << "no information yet is no failure";

    const Outcome list = cli.run({QStringLiteral("list"), QStringLiteral("--json")});
    ASSERT_EQ(list.exitCode, 0) << list.err.toStdString();
    const QJsonArray parcels = list.json().array();
    ASSERT_EQ(parcels.size(), 3);
    EXPECT_EQ(parcels[0][QStringLiteral("note")].toString(), QStringLiteral("衬衫"));
    EXPECT_EQ(parcels[1][QStringLiteral("status")].toString(), QStringLiteral("已签收"));
    EXPECT_EQ(parcels[2][QStringLiteral("status")].toString(), QStringLiteral("暂无信息"));
    EXPECT_FALSE(parcels[0][QStringLiteral("last_checked")].isNull());
    EXPECT_EQ(cli.read(QStringLiteral("wlnum.ini")), savedBefore) << "the saved-parcel file is only read";
}

TEST(CommandLine, ExportThenImportIntoAnEmptyDataDirectoryGivesTheSameParcels)
{
    Cli source(kSaved);
    ASSERT_EQ(source.run({QStringLiteral("refresh")}).exitCode, 0);
    const ParcelKey shirt {QStringLiteral("SF1001"), QStringLiteral("shunfeng")};
    {
        // Phone digits, and a later answer with an older row first: the row seen last is not the
        // newest of the carrier's answer.
        TrackingHistory history;
        ASSERT_TRUE(history.open(source.home.path(), QDateTime::currentDateTimeUtc()));
        ASSERT_TRUE(history.setPhoneDigits(shirt, QStringLiteral("1234")));
        const std::optional<ParcelRecord> state = history.parcel(shirt);
        ASSERT_TRUE(state.has_value());
        QList<HistoryRow> answer = history.rows(shirt);
        answer.prepend({QStringLiteral("2000-01-01 08:00:00"), QStringLiteral("补录的揽收"), {}});
        ASSERT_TRUE(
            history.recordAnswer(shirt, answer, state->status, QDateTime::currentDateTimeUtc()).stored);
    }
    const QString json = source.path(QStringLiteral("parcels.json"));
    const QString csv = source.path(QStringLiteral("parcels.csv"));
    ASSERT_EQ(source.run({QStringLiteral("export"), json}).exitCode, 0);
    ASSERT_EQ(source.run({QStringLiteral("export"), csv}).exitCode, 0);
    const QJsonArray before = source.run({QStringLiteral("list"), QStringLiteral("--json")}).json().array();

    Cli target;
    const Outcome imported = target.run({QStringLiteral("import"), json});
    ASSERT_EQ(imported.exitCode, 0) << imported.err.toStdString();
    EXPECT_EQ(decodeGb(target.read(QStringLiteral("wlnum.ini"))), kSaved);
    const QJsonArray after = target.run({QStringLiteral("list"), QStringLiteral("--json")}).json().array();
    ASSERT_EQ(after.size(), before.size());
    for (qsizetype i = 0; i < after.size(); ++i) {
        for (const char *field : {"number", "note", "status", "newest", "rows"})
            EXPECT_EQ(after[i][QLatin1String(field)], before[i][QLatin1String(field)]) << i << " " << field;
    }
    // The CSV of the same parcels adds nothing more.
    const Outcome again = target.run({QStringLiteral("import"), csv});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_TRUE(again.out.contains(QStringLiteral("已导入0个快递,3个已在列表中,合并了0条物流记录")))
        << again.out.toStdString();

    // A backup restores the history of parcels saved already, once: the database moved aside,
    // wlnum.ini kept.
    for (const char *file : {"parcelvue.db", "parcelvue.db-wal", "parcelvue.db-shm"})
        QFile::remove(source.path(QLatin1String(file)));
    for (const bool first : {true, false}) {
        const Outcome restored = source.run({QStringLiteral("import"), json});
        EXPECT_EQ(restored.exitCode, 0) << restored.err.toStdString();
        EXPECT_TRUE(restored.out.startsWith(QStringLiteral("已导入0个快递,3个已在列表中,合并了")));
        EXPECT_EQ(restored.out.contains(QStringLiteral("合并了0条")), !first) << restored.out.toStdString();
    }
    for (Cli *cli : {&source, &target}) {
        const QJsonArray list = cli->run({QStringLiteral("list"), QStringLiteral("--json")}).json().array();
        ASSERT_EQ(list.size(), before.size());
        for (qsizetype i = 0; i < list.size(); ++i) {
            for (const char *field : {"status", "newest", "rows"})
                EXPECT_EQ(list[i][QLatin1String(field)], before[i][QLatin1String(field)])
                    << i << " " << field;
        }
        TrackingHistory history;
        ASSERT_TRUE(history.open(cli->home.path(), QDateTime::currentDateTimeUtc()));
        EXPECT_EQ(history.phoneDigits(shirt.number, shirt.com), QStringLiteral("1234"));
    }
}

TEST(CommandLine, ARefusedImportSavesNothing)
{
    Cli cli(kSaved);
    const QByteArray savedBefore = cli.read(QStringLiteral("wlnum.ini"));
    const struct
    {
        const char *file;
        QByteArray bytes;
    } files[] = {
        {"parcels.txt", "SF1|shunfeng|x\r\n"},
        {"parcels.json",
         R"({"parcels": [{"number": "N1", "carrier": {"code": "ems"}}, {"number": "N2", "carrier": {"code": "?"}}]})"},
        {"parcels.csv", encodeGb(QStringLiteral("备注,单号,快递公司\r\n书,N3,EMS快递\r\n"))},
    };
    for (const auto &f : files) {
        cli.write(QLatin1String(f.file), f.bytes);
        const Outcome run = cli.run({QStringLiteral("import"), cli.path(QLatin1String(f.file))});
        EXPECT_EQ(run.exitCode, 1) << f.file;
        EXPECT_TRUE(run.err.contains(QStringLiteral("没有保存任何快递"))
                    || run.err.contains(QStringLiteral("只能导入")))
            << run.err.toStdString();
        EXPECT_EQ(cli.read(QStringLiteral("wlnum.ini")), savedBefore) << f.file;
    }
}

TEST(CommandLine, AnUnreadableSavedListIsRefusedAndTheHistoryKeepsItsParcels)
{
    Cli cli(kSaved);
    ASSERT_EQ(cli.run({QStringLiteral("refresh")}).exitCode, 0);
    const QString json = cli.path(QStringLiteral("parcels.json"));
    ASSERT_EQ(cli.run({QStringLiteral("export"), json}).exitCode, 0);
    // A wlnum.ini that is there but cannot be read, even by root.
    ASSERT_TRUE(QFile::remove(cli.path(QStringLiteral("wlnum.ini"))));
    ASSERT_TRUE(QDir(cli.home.path()).mkdir(QStringLiteral("wlnum.ini")));
    const QStringList commands[] = {
        {QStringLiteral("import"), json},
        {QStringLiteral("export"), cli.path(QStringLiteral("again.json"))},
        {QStringLiteral("list")},
        {QStringLiteral("refresh")},
    };
    for (const QStringList &command : commands) {
        const Outcome run = cli.run(command);
        EXPECT_EQ(run.exitCode, 1) << command.first().toStdString();
        EXPECT_TRUE(run.err.contains(cli.path(QStringLiteral("wlnum.ini")))) << run.err.toStdString();
    }
    EXPECT_TRUE(QFileInfo(cli.path(QStringLiteral("wlnum.ini"))).isDir());
    EXPECT_FALSE(QFile::exists(cli.path(QStringLiteral("again.json"))));
    TrackingHistory history;
    ASSERT_TRUE(history.open(cli.home.path(), QDateTime::currentDateTimeUtc()));
    EXPECT_EQ(history.listedParcels().size(), 3);
}

TEST(CommandLine, ListLeavesArchivedParcelsOutAndTellsEstimatesStatsCountPerCarrier)
{
    // Five parcels signed for (eight rows, the last the signing row) and one on its way, all 圆通.
    QString saved;
    for (int i = 1; i <= 5; ++i)
        saved += QStringLiteral("STAGE8Y%1|圆通快递|签收%1\r\n").arg(i);
    saved += QStringLiteral("STAGE3Y9|圆通快递|在路上\r\n");
    Cli cli(saved);
    ASSERT_EQ(cli.run({QStringLiteral("refresh")}).exitCode, 0);
    QJsonArray listed = cli.run({QStringLiteral("list"), QStringLiteral("--json")}).json().array();
    ASSERT_EQ(listed.size(), 6);
    const QJsonObject onItsWay = listed[5].toObject();
    EXPECT_EQ(onItsWay[QStringLiteral("status")].toString(), QStringLiteral("运送中"));
    EXPECT_FALSE(onItsWay[QStringLiteral("archived")].toBool());
    const QJsonObject eta = onItsWay[QStringLiteral("eta")].toObject();
    EXPECT_EQ(eta[QStringLiteral("source")].toString(), QStringLiteral("history"));
    const QDateTime from = QDateTime::fromString(eta[QStringLiteral("from")].toString(), Qt::ISODate);
    ASSERT_TRUE(from.isValid()) << QJsonDocument(onItsWay).toJson().toStdString();
    EXPECT_LE(from, QDateTime::fromString(eta[QStringLiteral("to")].toString(), Qt::ISODate));
    EXPECT_TRUE(listed[0][QStringLiteral("eta")].isNull()) << "signed for: nothing to expect";

    // Archived by hand: listed with --all only.
    {
        TrackingHistory history;
        ASSERT_TRUE(history.open(cli.home.path(), QDateTime::currentDateTime()));
        ASSERT_TRUE(history.setArchive({{QStringLiteral("STAGE8Y1"), QStringLiteral("yuantong")}},
                                       ArchiveMark::Archived));
    }
    listed = cli.run({QStringLiteral("list"), QStringLiteral("--json")}).json().array();
    ASSERT_EQ(listed.size(), 5);
    EXPECT_EQ(listed[0][QStringLiteral("number")].toString(), QStringLiteral("STAGE8Y2"));
    const Outcome all = cli.run({QStringLiteral("list"), QStringLiteral("--all"), QStringLiteral("--json")});
    ASSERT_EQ(all.json().array().size(), 6);
    EXPECT_TRUE(all.json().array()[0][QStringLiteral("archived")].toBool());
    EXPECT_EQ(cli.run({QStringLiteral("list"), QStringLiteral("--all")}).out.count(QLatin1Char('\n')), 6);
    // Export and import carry the mark.
    for (const char *name : {"parcels.json", "parcels.csv"}) {
        const QString file = cli.path(QLatin1String(name));
        ASSERT_EQ(cli.run({QStringLiteral("export"), file}).exitCode, 0) << name;
        Cli target;
        ASSERT_EQ(target.run({QStringLiteral("import"), file}).exitCode, 0) << name;
        const QJsonArray imported
            = target.run({QStringLiteral("list"), QStringLiteral("--all"), QStringLiteral("--json")})
                  .json()
                  .array();
        ASSERT_EQ(imported.size(), 6) << name;
        EXPECT_TRUE(imported[0][QStringLiteral("archived")].toBool()) << name;
        EXPECT_FALSE(imported[1][QStringLiteral("archived")].toBool()) << name;
    }
    const Outcome wrong = cli.run({QStringLiteral("refresh"), QStringLiteral("--all")});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_TRUE(wrong.err.contains(QStringLiteral("只有 list 接受 --all"))) << wrong.err.toStdString();

    const Outcome stats = cli.run({QStringLiteral("stats"), QStringLiteral("--json")});
    ASSERT_EQ(stats.exitCode, 0) << stats.err.toStdString();
    const QJsonObject yuantong = stats.json()[QStringLiteral("carriers")].toArray()[0].toObject();
    EXPECT_EQ(yuantong[QStringLiteral("code")].toString(), QStringLiteral("yuantong"));
    EXPECT_EQ(yuantong[QStringLiteral("tracked")].toInt(), 6);
    EXPECT_EQ(yuantong[QStringLiteral("signed")].toInt(), 5);
    EXPECT_GT(
        yuantong[QStringLiteral("transit")][QStringLiteral("median")][QStringLiteral("seconds")].toInteger(),
        3600);
    EXPECT_EQ(yuantong[QStringLiteral("problem_share")].toDouble(), 0.0);
    int received = 0;
    for (const QJsonValue &month : stats.json()[QStringLiteral("months")].toArray())
        received += month[QStringLiteral("received")].toInt();
    EXPECT_EQ(received, 5);
    const Outcome text = cli.run({QStringLiteral("stats")});
    EXPECT_TRUE(text.out.contains(QStringLiteral("圆通快递\t6\t5\t"))) << text.out.toStdString();
}

// scan-mail reads a local mail folder: the new numbers, none from a mail without one, nothing saved
// without --add; --add saves them through import, and a second scan finds nothing new.
TEST(CommandLine, ScanMailFindsNewNumbersAndSavesThemOnlyWithAdd)
{
    Cli cli(kSaved);
    cli.write(
        QStringLiteral("Inbox"),
        "From shop@example.com Mon Dec  7 10:00:00 2026\nFrom: Shop Example <orders@shop.example>\n"
        "Subject: Your order has shipped\nDate: Mon, 07 Dec 2026 10:00:00 +0800\n\n"
        "Your parcel is on its way with UPS, tracking number 1Z999AA10123456784.\n\n"
        "From news@example.com Tue Dec  8 10:00:00 2026\nFrom: news@example.com\nSubject: Newsletter\n\n"
        "Order 202612081234567, call 13812345678, total 99.00\n");
    const QString inbox = cli.path(QStringLiteral("Inbox"));
    const Outcome found
        = cli.run({QStringLiteral("scan-mail"), QStringLiteral("--json"), QStringLiteral("--days"),
                   QStringLiteral("0"), QStringLiteral("--mbox"), inbox});
    ASSERT_EQ(found.exitCode, 0) << found.err.toStdString();
    const QJsonObject report = found.json().object();
    EXPECT_EQ(report.value(QStringLiteral("mails")).toInt(), 2);
    const QJsonArray numbers = report.value(QStringLiteral("found")).toArray();
    ASSERT_EQ(numbers.size(), 1);
    EXPECT_EQ(numbers.at(0)[QStringLiteral("number")].toString(), QStringLiteral("1Z999AA10123456784"));
    EXPECT_EQ(numbers.at(0)[QStringLiteral("note")].toString(), QStringLiteral("Shop Example"));
    EXPECT_EQ(cli.read(QStringLiteral("wlnum.ini")), encodeGb(kSaved)) << "nothing saved without --add";

    const Outcome added
        = cli.run({QStringLiteral("scan-mail"), QStringLiteral("--add"), QStringLiteral("--days"),
                   QStringLiteral("0"), QStringLiteral("--mbox"), inbox});
    ASSERT_EQ(added.exitCode, 0) << added.err.toStdString();
    EXPECT_TRUE(added.out.contains(QStringLiteral("已导入1个快递"))) << added.out.toStdString();
    EXPECT_TRUE(cli.read(QStringLiteral("wlnum.ini")).contains("1Z999AA10123456784|"));
    const Outcome again
        = cli.run({QStringLiteral("scan-mail"), QStringLiteral("--json"), QStringLiteral("--days"),
                   QStringLiteral("0"), QStringLiteral("--mbox"), inbox});
    EXPECT_EQ(again.json().object().value(QStringLiteral("found")).toArray().size(), 0);

    const struct
    {
        QStringList args;
        int exitCode;
        const char *says;
    } refused[] = {
        {{QStringLiteral("scan-mail")}, 1, "没有设置收件服务器"},
        {{QStringLiteral("scan-mail"), QStringLiteral("--days"), QStringLiteral("x"),
          QStringLiteral("--mbox"), inbox},
         2,
         "--days"},
        {{QStringLiteral("scan-mail"), QStringLiteral("--maildir"), cli.path(QStringLiteral("nowhere"))},
         1,
         "nowhere"},
    };
    for (const auto &r : refused) {
        const Outcome run = cli.run(r.args);
        EXPECT_EQ(run.exitCode, r.exitCode) << r.says;
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(r.says))) << run.err.toStdString();
    }
}

// Without a display (over ssh, on a server) the program's help and version print and exit 0.
TEST(CommandLine, HelpAndVersionNeedNoDisplay)
{
    const Cli cli;
    const struct
    {
        const char *arg, *says;
    } cases[] = {{"--help", "parcelvue scan-mail"}, {"-h", "--screenshot"}, {"--version", "parcelvue 4."}};
    for (const auto &c : cases) {
        const Outcome run = cli.run({QString::fromLatin1(c.arg)});
        EXPECT_EQ(run.exitCode, 0) << c.arg << ": " << run.err.toStdString();
        EXPECT_TRUE(run.out.contains(QString::fromLatin1(c.says))) << c.arg << ": " << run.out.toStdString();
    }
}

// The commands speak the user's language; --json keeps its keys and Chinese values, with an
// English status_code beside the status.
TEST(CommandLine, MessagesFollowTheLanguageAndJsonKeepsItsWords)
{
    Cli cli(kSaved);
    const struct
    {
        QStringList args;
        const char *lang;
        int exitCode;
        const char *says; // on standard error, or standard output where the command succeeds
    } cases[] = {
        {{QStringLiteral("track"), QStringLiteral("nosuch"), QStringLiteral("1")},
         "en_US.UTF-8",
         2,
         "unknown carrier \"nosuch\""},
        {{QStringLiteral("track"), QStringLiteral("nosuch"), QStringLiteral("1")},
         "C",
         2,
         "不认识的快递公司"},
        {{QStringLiteral("track"), QStringLiteral("ems"), QStringLiteral("bad-number")},
         "en_US.UTF-8",
         3,
         "Invalid number format"},
        {{QStringLiteral("track"), QStringLiteral("ems"), QStringLiteral("bad-number")},
         "C",
         3,
         "单号格式错误!请检查!"},
        {{QStringLiteral("track"), QStringLiteral("shunfeng"), QStringLiteral("STAGE7X2")},
         "en_US.UTF-8",
         0,
         "Status: Out for delivery"},
        {{QStringLiteral("track"), QStringLiteral("shunfeng"), QStringLiteral("STAGE7X2")},
         "zh_CN.UTF-8",
         0,
         "状态: 派件中"},
        {{QStringLiteral("--help")}, "en_US.UTF-8", 0, "Exit codes:"},
        {{QStringLiteral("--help")}, "C", 0, "退出码:"},
        {{QStringLiteral("stats")}, "en_US.UTF-8", 0, "Carrier\t"},
    };
    for (const auto &c : cases) {
        const Outcome run = cli.run(c.args, QLatin1String(c.lang));
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args.join(' ').toStdString() << " " << c.lang;
        const QString &said = c.exitCode == 0 ? run.out : run.err;
        EXPECT_TRUE(said.contains(QString::fromUtf8(c.says)))
            << c.args.join(' ').toStdString() << " " << c.lang << ": " << said.toStdString();
    }
    const Outcome english
        = cli.run({QStringLiteral("track"), QStringLiteral("shunfeng"), QStringLiteral("STAGE7X2")},
                  QStringLiteral("en_US.UTF-8"));
    EXPECT_FALSE(english.out.contains(QStringLiteral("状态"))) << english.out.toStdString();

    const Outcome track = cli.run({QStringLiteral("track"), QStringLiteral("圆通快递"),
                                   QStringLiteral("STAGE8X1"), QStringLiteral("--json")},
                                  QStringLiteral("en_US.UTF-8"));
    EXPECT_EQ(track.json()[QStringLiteral("status")].toString(), QStringLiteral("已签收"));
    EXPECT_EQ(track.json()[QStringLiteral("status_code")].toString(), QStringLiteral("delivered"));

    // Before and after a refresh: not queried, then what each parcel came to.
    const struct
    {
        bool refreshed;
        const char *number, *status, *code;
    } codes[] = {
        {false, "SF1001", "未查询", "not_queried"},
        {true, "STAGE8A9", "已签收", "delivered"},
        {true, "0000000000", "暂无信息", "no_information"},
    };
    for (const bool refreshed : {false, true}) {
        if (refreshed)
            cli.run({QStringLiteral("refresh")});
        const QJsonArray parcels
            = cli.run({QStringLiteral("list"), QStringLiteral("--json")}, QStringLiteral("en_US.UTF-8"))
                  .json()
                  .array();
        for (const auto &c : codes) {
            if (c.refreshed != refreshed)
                continue;
            bool found = false;
            for (const QJsonValue &parcel : parcels) {
                if (parcel[QStringLiteral("number")].toString() != QLatin1String(c.number))
                    continue;
                found = true;
                EXPECT_EQ(parcel[QStringLiteral("status")].toString(), QString::fromUtf8(c.status))
                    << c.number;
                EXPECT_EQ(parcel[QStringLiteral("status_code")].toString(), QLatin1String(c.code))
                    << c.number;
            }
            EXPECT_TRUE(found) << c.number;
        }
    }

    // A history made by a newer program is left alone, told in the user's language, naming the file.
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("newer"));
        db.setDatabaseName(cli.path(QStringLiteral("parcelvue.db")));
        ASSERT_TRUE(db.open());
        ASSERT_TRUE(QSqlQuery(db).exec(QStringLiteral("PRAGMA user_version=99")));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("newer"));
    for (const auto &[lang, says] : {std::pair {"C", "由较新版本的 Parcelvue 建立(数据库版本 99)"},
                                     std::pair {"en_US.UTF-8", "made by a newer Parcelvue (schema 99)"}}) {
        const Outcome newer = cli.run({QStringLiteral("list")}, QLatin1String(lang));
        EXPECT_EQ(newer.exitCode, 0) << lang << ": listed from memory, the file left as it is";
        EXPECT_TRUE(newer.err.contains(QString::fromUtf8(says))
                    && newer.err.contains(cli.path(QStringLiteral("parcelvue.db"))))
            << lang << ": " << newer.err.toStdString();
    }
}
