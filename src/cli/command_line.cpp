#include "cli/command_line.h"
#include "cli/mail_command.h"
#include "cli/parcel_report.h"
#include "services/tracking_service.h"

#include "core/answer_parser.h"
#include "core/carrier_catalogue.h"
#include "core/configuration.h"
#include "core/delivery_status.h"
#include "core/query_answer.h"
#include "core/shown_text.h"
#include "core/tracking_check.h"
#include "platform/clock.h"
#include "platform/http_client.h"
#include "platform/paths.h"
#include "platform/secret_store.h"
#include "platform/single_instance.h"
#include "services/tracking_client.h"
#include "store/saved_parcel_file.h"
#include "watch/overview_rows.h"
#include "watch/parcel_transfer.h"
#include "watch/parcel_watcher.h"
#include "watch/service_records.h"
#include "watch/tracking_history.h"
#include "watch/watch_settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QTextStream>
#include <csignal>
#include <cstdio>
#include <optional>

namespace CommandLine {
namespace {
const QStringList kCommands {QStringLiteral("track"),    QStringLiteral("list"),   QStringLiteral("refresh"),
                             QStringLiteral("export"),   QStringLiteral("import"), QStringLiteral("stats"),
                             QStringLiteral("scan-mail")};
// How long the running window may take to answer that it took an import.
constexpr int kHandOverMs = 10000;
// How long the result of an import the window took is awaited: the window imports once its wait
// is over, and a wait may hold a query, a mail send and a keyring prompt.
constexpr int kImportResultMs = 30 * 60 * 1000;
constexpr int kImportProgressMs = 10000;
// A running window takes news at once; it announces them on its own time.
constexpr int kTellNewsMs = 5000;

QTextStream &out()
{
    static QTextStream stream(stdout);
    stream.setEncoding(QStringConverter::Utf8);
    return stream;
}

QTextStream &err()
{
    static QTextStream stream(stderr);
    stream.setEncoding(QStringConverter::Utf8);
    return stream;
}

int usage(const QString &reason)
{
    err() << "parcelvue: "
          << QCoreApplication::translate("CommandLine", "%1(parcelvue --help 列出全部命令)").arg(reason)
          << "\n";
    err().flush();
    return kUsage;
}

void printJson(const QJsonValue &value)
{
    out() << (value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject()))
                 .toJson(QJsonDocument::Indented);
    out().flush();
}

QString timeText(const QDateTime &time)
{
    return time.isValid() ? time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : QString();
}

QJsonValue isoOrNull(const QDateTime &time)
{
    return time.isValid() ? QJsonValue(time.toUTC().toString(Qt::ISODate)) : QJsonValue();
}

// What a command needs of the program: its data directory, services and a clock.
struct Program
{
    QString dataDir = dataDirectory();
    Configuration configuration {loadServiceEndpoints(joinPath(dataDir, QStringLiteral("endpoints.ini")))};
    HttpClient http;
    // The service keys come from endpoints.ini or the secret store, as for the window.
    SecretStore secrets;
    TrackingClient client {http, configuration, &secrets};
    SystemClock clock;

    QString savedPath() const { return joinPath(dataDir, QStringLiteral("wlnum.ini")); }
    QString settingsPath() const { return joinPath(dataDir, QStringLiteral("parcelvue.ini")); }
    // The saved lines; a file that is there but cannot be read is told and refused, so that
    // neither the history (which would take every parcel off its list) nor a rewrite follows it.
    std::optional<QStringList> savedLines() const
    {
        const SavedFileRead read = readSavedFileForRewrite(savedPath());
        if (!read.ok) {
            err() << "parcelvue: " << read.error << "\n";
            err().flush();
            return std::nullopt;
        }
        return read.contents.parcels;
    }
    // News stored here stays unseen news; a window running on the data directory announces it
    // (notification, sound, mail) as it announces its own watcher's. Without one there is nobody
    // to tell now: the overview shows it in bold when it is next opened.
    void tellNews(const QList<ParcelKey> &keys) const
    {
        if (keys.isEmpty())
            return;
        QJsonArray parcels;
        for (const ParcelKey &key : keys)
            parcels.append(
                QJsonObject {{QStringLiteral("number"), key.number}, {QStringLiteral("com"), key.com}});
        QString why;
        sendInstanceRequest(
            instanceServerName(dataDir),
            {{QStringLiteral("command"), QStringLiteral("news")}, {QStringLiteral("parcels"), parcels}},
            kTellNewsMs, &why);
    }
    // The history, following the saved list (read only, never written here).
    bool openHistory(TrackingHistory &history)
    {
        const std::optional<QStringList> lines = savedLines();
        if (!lines)
            return false;
        if (!history.open(dataDir, clock.now())) {
            err() << "parcelvue: "
                  << QCoreApplication::translate("CommandLine",
                                                 "无法打开物流记录数据库 %1: %2。请检查数据目录是否可写,"
                                                 "或关闭正在使用它的程序后再试。")
                         .arg(QDir::toNativeSeparators(history.path()), history.lastError())
                  << "\n";
            return false;
        }
        if (!history.problem().isEmpty())
            err() << "parcelvue: " << history.problem() << "\n";
        history.followSavedLines(*lines);
        askWithPhoneDigits(history);
        return true;
    }
    // The history also keeps the services' use: the day's queries, their health, 17TRACK's
    // registrations.
    void askWithPhoneDigits(TrackingHistory &history)
    {
        client.setPhoneDigitsSource([&history](const QString &number, const QString &com) {
            return history.phoneDigits(number, com);
        });
        records = std::make_unique<ServiceRecords>(client, history, clock);
    }
    std::unique_ptr<ServiceRecords> records;
};

QString failureKindKey(CheckOutcome::Failure failure)
{
    switch (failure) {
    case CheckOutcome::Failure::Number:
        return QStringLiteral("refused");
    case CheckOutcome::Failure::Account:
        return QStringLiteral("account");
    case CheckOutcome::Failure::None:
    case CheckOutcome::Failure::Transfer:
        break;
    }
    return QStringLiteral("transfer");
}

int failureExitCode(CheckOutcome::Failure failure)
{
    switch (failure) {
    case CheckOutcome::Failure::Number:
        return kRefused;
    case CheckOutcome::Failure::Account:
        return kAccount;
    case CheckOutcome::Failure::None:
    case CheckOutcome::Failure::Transfer:
        break;
    }
    return kTransferFailed;
}

QJsonObject parcelJson(const ParcelRecord &parcel, const QDateTime &now)
{
    return QJsonObject {
        {QStringLiteral("note"), parcel.note},
        {QStringLiteral("number"), parcel.key.number},
        {QStringLiteral("carrier"),
         QJsonObject {{QStringLiteral("code"), parcel.key.com},
                      {QStringLiteral("name"), parcel.carrierName}}},
        {QStringLiteral("status"), overviewStatus(parcel)},
        {QStringLiteral("status_code"), statusCode(overviewStatus(parcel))},
        {QStringLiteral("newest"),
         QJsonObject {{QStringLiteral("time"), parcel.newestTime},
                      {QStringLiteral("text"), parcel.newestText}}},
        {QStringLiteral("transit"), overviewCell(parcel, OverviewColumn::Transit, now)},
        {QStringLiteral("rows"), parcel.rowCount},
        {QStringLiteral("last_checked"), isoOrNull(parcel.lastChecked)},
        {QStringLiteral("next_check"), isoOrNull(parcel.nextCheck)},
        {QStringLiteral("error"), parcel.lastError},
        {QStringLiteral("news"), parcel.unseenNews},
    };
}

void printParcelLine(const ParcelRecord &parcel, const QDateTime &now)
{
    out() << parcel.note << '\t' << parcel.key.number << '\t' << carrierShownName(parcel.carrierName) << '\t'
          << shownStatus(overviewStatus(parcel)) << '\t' << overviewCell(parcel, OverviewColumn::Newest, now)
          << '\t' << timeText(parcel.lastChecked);
    if (!parcel.lastError.isEmpty())
        out() << '\t' << shownVerdict(parcel.lastError);
    out() << '\n';
}

// The catalogue position of a carrier given by service code (any case) or display name.
int carrierArgument(const QString &text)
{
    for (int i = 0; i < kCarrierCount; ++i) {
        if (carrierCode(i).compare(text, Qt::CaseInsensitive) == 0)
            return i;
    }
    return carrierIndexByName(text);
}

// The error word of an answer, as the service wrote it.
QString serviceWord(AnswerVerdict verdict, const QString &answer)
{
    switch (verdict) {
    case AnswerVerdict::FormatError:
        return QStringLiteral("单号格式错误");
    case AnswerVerdict::NoInformation:
    case AnswerVerdict::NotExisting:
        return answer.contains(QLatin1String("NULL")) ? QStringLiteral("NULL") : QStringLiteral("不存在");
    case AnswerVerdict::UnsupportedCarrier:
        return QStringLiteral("不支持的快递公司");
    case AnswerVerdict::AsksForInput:
        return QStringLiteral("请输入");
    default:
        return QString();
    }
}

int track(const QStringList &args, bool json)
{
    if (args.size() != 2)
        return usage(QCoreApplication::translate(
            "CommandLine", "track 需要快递公司和单号,例如: parcelvue track shunfeng SF1234567890"));
    const int carrier = carrierArgument(args.at(0));
    if (carrier < 0)
        return usage(QCoreApplication::translate(
                         "CommandLine", "不认识的快递公司\"%1\":请给出服务代码(shunfeng)或名称(顺丰快递)")
                         .arg(args.at(0)));
    const QString number = args.at(1);
    if (number.isEmpty() || number.contains(QLatin1Char('|')))
        return usage(QCoreApplication::translate("CommandLine", "单号不能为空,也不能含有\"|\""));

    Program program;
    // A saved parcel's answer belongs in its history, whoever asked; its phone digits go with the
    // query.
    TrackingHistory history;
    const bool historyOpen = history.open(program.dataDir, program.clock.now());
    if (historyOpen)
        program.askWithPhoneDigits(history);
    TrackingQuery *query = program.client.start(carrierCode(carrier), number, nullptr);
    QEventLoop loop;
    QObject::connect(query, &TrackingQuery::finished, &loop, &QEventLoop::quit);
    if (!query->isFinished())
        loop.exec();
    const HttpResult result = query->result();
    delete query;

    const QJsonObject carrierJson {{QStringLiteral("code"), carrierCode(carrier)},
                                   {QStringLiteral("name"), carrierName(carrier)}};
    const AnswerVerdict verdict = classifyNewNumberAnswer(result.ok() ? result.text : QString());
    if (verdict == AnswerVerdict::Empty) {
        const CheckOutcome outcome = readCheckAnswer(result);
        QString message = emptyAnswerMessage(result);
        if (!result.errorText.isEmpty())
            message += QStringLiteral(" (") + result.errorText + QLatin1Char(')');
        QJsonObject error {{QStringLiteral("kind"), failureKindKey(outcome.failure)},
                           {QStringLiteral("message"), message}};
        int code = failureExitCode(outcome.failure);
        // A service that only asks to wait (not a spent quota, which is the account's) says until when.
        if (outcome.kind == CheckOutcome::Kind::Busy && outcome.failure != CheckOutcome::Failure::Account) {
            const QDateTime until = program.clock.now().addSecs(outcome.retryAfterSeconds >= 0
                                                                    ? outcome.retryAfterSeconds
                                                                    : WatchPlan::kDefaultHoldMinutes * 60);
            error.insert(QStringLiteral("kind"), QStringLiteral("held"));
            error.insert(QStringLiteral("until"), isoOrNull(until));
            message = ServiceBudget::holdText(program.client.service(), until, program.clock.now());
            error.insert(QStringLiteral("message"), message);
            code = kHeld;
        }
        if (json)
            printJson(QJsonObject {{QStringLiteral("carrier"), carrierJson},
                                   {QStringLiteral("number"), number},
                                   {QStringLiteral("error"), error}});
        else
            err() << shownVerdict(message) << '\n';
        return code;
    }
    ParseState state;
    const std::vector<ProgressRow> rows = verdict == AnswerVerdict::Accepted
        ? parseAnswerRows(result.text, countAnswerRows(result.text), state)
        : std::vector<ProgressRow>();
    if (rows.empty()) {
        const QString word = verdict == AnswerVerdict::Accepted ? QStringLiteral("未查询到物流信息")
                                                                : serviceWord(verdict, result.text);
        const QString message = verdictMessage(verdict);
        if (json)
            printJson(QJsonObject {{QStringLiteral("carrier"), carrierJson},
                                   {QStringLiteral("number"), number},
                                   {QStringLiteral("error"),
                                    QJsonObject {{QStringLiteral("kind"), QStringLiteral("refused")},
                                                 {QStringLiteral("word"), word},
                                                 {QStringLiteral("message"), message}}}});
        else
            err() << QCoreApplication::translate("CommandLine", "查询服务 %1 答复: %2(单号 %3)")
                         .arg(trackingServiceName(program.client.service()), shownVerdict(message), number)
                  << '\n';
        return kRefused;
    }

    const QDateTime now = program.clock.now();
    const QString status = answerStatus(result, deliveryStatusOf(rows.front().progress));
    const qint64 seconds = secondsSince(rows.back().time, now);
    const QString transit = status == kSignedFor ? kSignedFor : transitTimeText(seconds);

    if (historyOpen) {
        QList<HistoryRow> oldestFirst;
        for (auto row = rows.rbegin(); row != rows.rend(); ++row)
            oldestFirst.append({row->time, row->progress, {}});
        oldestFirst.last().text = carrierText(oldestFirst.last().text, result);
        const ParcelKey key {number, carrierCode(carrier)};
        const auto recorded
            = history.recordAnswer(key, oldestFirst, status, now, program.client.serviceKey());
        if (!recorded.stored && history.parcel(key))
            err() << "parcelvue: "
                  << QCoreApplication::translate("CommandLine", "物流记录未能存入数据库 %1: %2")
                         .arg(QDir::toNativeSeparators(history.path()), history.lastError())
                  << "\n";
        if (recorded.news)
            program.tellNews({key});
    }

    if (json) {
        QJsonArray list;
        for (const ProgressRow &row : rows)
            list.append(
                QJsonObject {{QStringLiteral("time"), row.time}, {QStringLiteral("text"), row.progress}});
        printJson(QJsonObject {
            {QStringLiteral("carrier"), carrierJson},
            {QStringLiteral("number"), number},
            {QStringLiteral("status"), status},
            {QStringLiteral("status_code"), statusCode(status)},
            {QStringLiteral("transit"),
             QJsonObject {{QStringLiteral("seconds"), seconds}, {QStringLiteral("text"), transit}}},
            {QStringLiteral("rows"), list}});
        return kOk;
    }
    out() << carrierShownName(carrier) << ' ' << number << '\n';
    for (const ProgressRow &row : rows)
        out() << row.time << "  " << row.progress << '\n';
    out() << QCoreApplication::translate("CommandLine", "状态: %1").arg(shownStatus(status)) << '\n'
          << QCoreApplication::translate("CommandLine", "运送时间: %1")
                 .arg(status == kSignedFor ? shownStatus(status) : shownTransitTime(seconds))
          << '\n';
    out().flush();
    return kOk;
}

// Archived parcels only with `all`.
int list(bool json, bool all)
{
    Program program;
    TrackingHistory history;
    if (!program.openHistory(history))
        return kFailed;
    const QDateTime now = program.clock.now();
    const ParcelReport report = parcelReport(history, program.settingsPath(), now, all);
    if (json) {
        QJsonArray array;
        for (const ParcelRecord &parcel : report.parcels) {
            QJsonObject object = parcelJson(parcel, now);
            const QJsonObject extra = report.extraJson(parcel);
            for (auto it = extra.begin(); it != extra.end(); ++it)
                object.insert(it.key(), it.value());
            array.append(object);
        }
        printJson(array);
        return kOk;
    }
    for (const ParcelRecord &parcel : report.parcels)
        printParcelLine(parcel, now);
    out().flush();
    return kOk;
}

int refresh(bool json)
{
    Program program;
    TrackingHistory history;
    if (!program.openHistory(history))
        return kFailed;
    ParcelWatcher watcher(history, program.client, program.clock);
    watcher.setArchiveDays(WatchSettings::load(program.settingsPath()).archiveDays);
    // A command ends: a service that asks to wait leaves the rest not queried, told.
    watcher.setWaitsOutHolds(false);
    QList<ParcelRecord> news;
    QObject::connect(&watcher, &ParcelWatcher::news,
                     [&](const ParcelRecord &parcel) { news.append(parcel); });
    QHash<ParcelKey, CheckOutcome> outcomes;
    QList<ParcelKey> order;
    QObject::connect(&watcher, &ParcelWatcher::queryEnded,
                     [&](const ParcelKey &key, const CheckOutcome &outcome) {
                         if (!outcomes.contains(key))
                             order.append(key);
                         outcomes.insert(key, outcome);
                     });
    QEventLoop loop;
    QObject::connect(&watcher, &ParcelWatcher::refreshFinished, &loop, &QEventLoop::quit);
    watcher.refreshAll();
    if (watcher.refreshing())
        loop.exec();
    QList<ParcelKey> newsKeys;
    for (const ParcelRecord &parcel : std::as_const(news))
        newsKeys.append(parcel.key);
    program.tellNews(newsKeys);

    const QDateTime now = program.clock.now();
    const QList<ParcelRecord> parcels = history.listedParcels();
    QList<ParcelRecord> failed;
    for (const ParcelRecord &parcel : parcels) {
        if (!parcel.lastError.isEmpty() && parcel.lastError != kNoInformationMessage)
            failed.append(parcel);
    }
    // What the queries came to: answered (rows), the number refused, failed for the transfer or
    // for the account, held by the service.
    int answered = 0, refused = 0, transfer = 0, account = 0;
    QList<ParcelKey> held;
    for (const ParcelKey &key : std::as_const(order)) {
        const CheckOutcome &outcome = outcomes[key];
        if (outcome.kind == CheckOutcome::Kind::Busy)
            held.append(key);
        else if (outcome.kind == CheckOutcome::Kind::Answered)
            ++answered;
        else if (outcome.failure == CheckOutcome::Failure::Account)
            ++account;
        else if (outcome.failure == CheckOutcome::Failure::Transfer)
            ++transfer;
        else
            ++refused;
    }
    const int queried = answered + refused + transfer + account;
    int code = kOk;
    if (!held.isEmpty())
        code = kHeld;
    else if (queried == 0)
        code = kOk;
    else if (transfer == queried)
        code = kTransferFailed;
    else if (account == queried)
        code = kAccount;
    else if (refused == queried)
        code = kRefused;
    else if (transfer + account > 0)
        code = kPartlyFailed;
    const QDateTime heldUntil = watcher.heldUntil();
    if (json) {
        QJsonArray newsJson, failedJson, heldJson;
        for (const ParcelRecord &parcel : news)
            newsJson.append(parcelJson(*history.parcel(parcel.key), now));
        for (const ParcelRecord &parcel : failed)
            failedJson.append(parcelJson(parcel, now));
        for (const ParcelKey &key : std::as_const(held))
            heldJson.append(QJsonObject {{QStringLiteral("number"), key.number},
                                         {QStringLiteral("carrier"), key.com},
                                         {QStringLiteral("until"), isoOrNull(heldUntil)}});
        printJson(QJsonObject {{QStringLiteral("checked"), int(parcels.size())},
                               {QStringLiteral("news"), newsJson},
                               {QStringLiteral("failed"), failedJson},
                               {QStringLiteral("held"), heldJson},
                               {QStringLiteral("counts"),
                                QJsonObject {{QStringLiteral("answered"), answered},
                                             {QStringLiteral("refused"), refused},
                                             {QStringLiteral("transfer"), transfer},
                                             {QStringLiteral("account"), account},
                                             {QStringLiteral("held"), int(held.size())}}}});
        return code;
    }
    out() << QCoreApplication::translate("CommandLine", "已查询%1个快递,%2个有最新动态,%3个查询失败\n")
                 .arg(queried)
                 .arg(news.size())
                 .arg(failed.size());
    for (const ParcelRecord &parcel : news)
        printParcelLine(*history.parcel(parcel.key), now);
    if (!held.isEmpty()) {
        out() << QCoreApplication::translate("CommandLine", "%1个快递未查询: ").arg(held.size())
              << ServiceBudget::holdText(program.client.service(), heldUntil, now) << '\n';
        for (const ParcelKey &key : std::as_const(held))
            out() << shownStatus(kNotQueried) << '\t' << key.number << '\t' << timeText(heldUntil) << '\n';
    }
    if (code != kOk)
        err() << QCoreApplication::translate(
                     "CommandLine", "有物流信息%1个,单号被拒%2个,连接失败%3个,账号问题%4个,未查询%5个\n")
                     .arg(answered)
                     .arg(refused)
                     .arg(transfer)
                     .arg(account)
                     .arg(held.size());
    out().flush();
    err().flush();
    return code;
}

int statistics(bool json)
{
    Program program;
    TrackingHistory history;
    if (!program.openHistory(history))
        return kFailed;
    if (json) {
        printJson(statisticsJson(history));
        return kOk;
    }
    out() << statisticsText(history);
    out().flush();
    return kOk;
}

int exportFile(const QString &fileName)
{
    Program program;
    TrackingHistory history;
    if (!program.openHistory(history))
        return kFailed;
    const std::optional<QStringList> lines = program.savedLines();
    if (!lines)
        return kFailed;
    const TransferResult result = exportParcels(*lines, history, fileName);
    (result.ok ? out() : err()) << result.message << '\n';
    return result.ok ? kOk : kFailed;
}

// While a window runs on the data directory its saved list is the one that counts: it does the
// import and this command prints its answer. Otherwise the command holds the directory's lock
// while it writes, so that a window starting meanwhile waits for it.
// SIGINT and SIGTERM caught while it lives: a wait asks caught() and ends.
class InterruptCatch
{
public:
    InterruptCatch()
    {
        s_caught = 0;
        struct sigaction action
        {
        };
        action.sa_handler = [](int) { s_caught = 1; };
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGINT, &action, &m_int);
        ::sigaction(SIGTERM, &action, &m_term);
    }
    ~InterruptCatch()
    {
        ::sigaction(SIGINT, &m_int, nullptr);
        ::sigaction(SIGTERM, &m_term, nullptr);
    }
    InterruptCatch(const InterruptCatch &) = delete;
    InterruptCatch &operator=(const InterruptCatch &) = delete;
    static bool caught() { return s_caught != 0; }

private:
    static inline volatile std::sig_atomic_t s_caught = 0;
    struct sigaction m_int
    {
    };
    struct sigaction m_term
    {
    };
};

std::optional<int> handOverImport(const QString &dataDir, const QString &fileName, QLockFile &lock,
                                  QTextStream &report)
{
    lock.setStaleLockTime(0);
    if (lock.tryLock(0) || lock.error() != QLockFile::LockFailedError)
        return std::nullopt;
    QString why;
    const QString file = QFileInfo(fileName).absoluteFilePath();
    const QJsonObject request {{QStringLiteral("command"), QStringLiteral("import")},
                               {QStringLiteral("file"), file}};
    // Interrupted (Ctrl+C, or a timer's time limit), the command stops waiting and says so.
    const InterruptCatch interrupt;
    InstanceResultWait wait;
    wait.resultMs = kImportResultMs;
    wait.progressMs = kImportProgressMs;
    wait.taken = [&] {
        err() << QCoreApplication::translate("CommandLine",
                                             "parcelvue: 正在运行的窗口已接受导入 %1,等待结果…")
                     .arg(QDir::toNativeSeparators(file))
              << '\n';
        err().flush();
    };
    wait.waiting = [](int seconds) {
        err()
            << QCoreApplication::translate("CommandLine", "parcelvue: 窗口仍在导入,已等待%1秒…").arg(seconds)
            << '\n';
        err().flush();
    };
    wait.givenUp = [] { return InterruptCatch::caught(); };
    bool taken = false;
    const auto answer
        = awaitInstanceResult(instanceServerName(dataDir), request, kHandOverMs, wait, &taken, &why);
    if (!answer && taken) {
        err() << QCoreApplication::translate("CommandLine",
                                             "parcelvue: 不再等待导入的结果;导入仍在窗口中进行,"
                                             "结果请看窗口中的快递列表。")
              << '\n';
        return kFailed;
    }
    if (!answer) {
        err() << "parcelvue: the program running on " << QDir::toNativeSeparators(dataDir)
              << " did not take the import: " << why << "\n";
        return kFailed;
    }
    const bool ok = answer->value(QStringLiteral("ok")).toBool();
    const QString message
        = answer
              ->value(answer->contains(QStringLiteral("message")) ? QStringLiteral("message")
                                                                  : QStringLiteral("error"))
              .toString();
    (ok ? report : err()) << message << '\n';
    return ok ? kOk : kFailed;
}

// `report` takes the message of a successful import (stderr where stdout carries JSON).
int importFile(const QString &fileName, QTextStream &report = out())
{
    Program program;
    QLockFile lock(instanceLockPath(program.dataDir));
    if (const std::optional<int> handedOver = handOverImport(program.dataDir, fileName, lock, report))
        return *handedOver;
    TrackingHistory history;
    if (!program.openHistory(history))
        return kFailed;
    const std::optional<QStringList> lines = program.savedLines();
    if (!lines)
        return kFailed;
    const QString savedPath = program.savedPath();
    const TransferResult result = importParcels(
        fileName, *lines, history,
        [&](const QStringList &added) { return appendToSavedFile(savedPath, added); }, program.clock.now());
    (result.ok ? report : err()) << result.message << '\n';
    return result.ok ? kOk : kFailed;
}
} // namespace

bool isCommand(const QStringList &arguments)
{
    return !arguments.isEmpty() && kCommands.contains(arguments.first());
}

QString help()
{
    return QCoreApplication::translate(
        "CommandLine",
        "命令(不打开窗口;可在没有显示器时、由定时器或经 ssh 运行):\n"
        "  parcelvue track 快递公司 单号 [--json]      物流信息(最新在前)、状态、运送时间\n"
        "      parcelvue track shunfeng SF1234567890\n"
        "      parcelvue track 顺丰快递 SF1234567890 --json\n"
        "  parcelvue list [--all] [--json]           每个已保存快递及其状态;已归档的\n"
        "                                            只在加 --all 时列出\n"
        "      parcelvue list --json\n"
        "  parcelvue refresh [--json]                立即查询每个已保存快递,列出有最新动态的\n"
        "      parcelvue refresh\n"
        "  parcelvue export 文件                     把每个已保存快递导出到 文件.json(含物流记录)或 "
        "文件.csv\n"
        "      parcelvue export ~/parcels.json\n"
        "  parcelvue import 文件                     添加 文件.json 或 文件.csv 中尚未保存的快递,\n"
        "                                            并合并全部快递的物流记录(用于备份恢复)\n"
        "      parcelvue import ~/parcels.csv\n"
        "  parcelvue stats [--json]                  按快递公司:快递数、已签收、运送时间、\n"
        "                                            问题件占比;每月签收数\n"
        "      parcelvue stats\n"
        "  parcelvue scan-mail [--json] [--add] [--days N] [--mbox 文件 | --maildir 目录]\n"
        "                                            最近 N 天(默认 30;0 为全部)邮件中尚未保存的快递\n"
        "                                            单号:“从邮件导入”中设置的收件服务器(上次读取后\n"
        "                                            的新邮件),或本地邮件文件夹;加 --add 时保存它们\n"
        "      parcelvue scan-mail --mbox ~/.thunderbird/x.default/Mail/Local\\ Folders/Inbox\n"
        "退出码:\n"
        "  0 完成(refresh: 每个快递都已查询)\n"
        "  1 文件被拒绝或未能写入\n"
        "  2 用法错误\n"
        "  3 查询服务拒绝了单号:单号错误、没有信息、无法识别快递公司\n"
        "    (refresh: 全部被拒)\n"
        "  4 传输失败:无法连接、没有答复、查询服务故障(refresh: 全部如此)\n"
        "  5 查询服务要求等待(繁忙,或额度暂时用完):快递未查询,并给出\n"
        "    可再次查询的时间\n"
        "  6 refresh: 部分快递已查询,其余失败(各项数目见标准错误输出)\n"
        "  7 查询服务的账号问题:密钥错误、额度或每日次数用完、缺少手机号\n");
}

int run(const QStringList &arguments)
{
    QStringList args = arguments;
    const QString command = args.takeFirst();
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        out() << help();
        out().flush();
        return kOk;
    }
    const bool json = args.removeAll(QStringLiteral("--json")) > 0;
    if (command == QLatin1String("scan-mail"))
        return scanMail(args, json,
                        [json](const QString &file) { return importFile(file, json ? err() : out()); });
    const bool all = args.removeAll(QStringLiteral("--all")) > 0;
    if (all && command != QLatin1String("list"))
        return usage(QCoreApplication::translate("CommandLine", "只有 list 接受 --all"));
    for (const QString &arg : std::as_const(args)) {
        if (arg.startsWith(QLatin1String("--")))
            return usage(QCoreApplication::translate("CommandLine", "不认识的选项 %1").arg(arg));
    }
    if (command == QLatin1String("track"))
        return track(args, json);
    if (json && (command == QLatin1String("export") || command == QLatin1String("import")))
        return usage(QCoreApplication::translate("CommandLine", "%1 不接受 --json").arg(command));
    if (command == QLatin1String("list") || command == QLatin1String("refresh")
        || command == QLatin1String("stats")) {
        if (!args.isEmpty())
            return usage(QCoreApplication::translate("CommandLine", "%1 除选项外不接受参数").arg(command));
        if (command == QLatin1String("stats"))
            return statistics(json);
        return command == QLatin1String("list") ? list(json, all) : refresh(json);
    }
    if (args.size() != 1)
        return usage(
            QCoreApplication::translate("CommandLine", "%1 需要一个文件,例如: parcelvue %1 parcels.json")
                .arg(command));
    return command == QLatin1String("export") ? exportFile(args.first()) : importFile(args.first());
}
} // namespace CommandLine
