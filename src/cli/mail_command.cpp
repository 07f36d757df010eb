#include "cli/mail_command.h"

#include "cli/command_line.h"
#include "core/carrier_catalogue.h"
#include "mailscan/mail_account.h"
#include "mailscan/mail_folder.h"
#include "mailscan/mail_scan.h"
#include "platform/paths.h"
#include "platform/secret_store.h"
#include "store/saved_parcel_file.h"
#include "watch/parcel_files.h"
#include "watch/tracking_history.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTextStream>

namespace CommandLine {
namespace {
constexpr int kDefaultDays = 30;

QTextStream &stream(FILE *file)
{
    static QTextStream out(stdout), err(stderr);
    QTextStream &s = file == stdout ? out : err;
    s.setEncoding(QStringConverter::Utf8);
    return s;
}

int fail(const QString &reason, int code)
{
    stream(stderr) << "parcelvue: " << reason << '\n';
    stream(stderr).flush();
    return code;
}

QJsonObject foundJson(const FoundNumber &found)
{
    const CarrierGuess &guess = found.candidate.carriers.front();
    return {{QStringLiteral("number"), found.candidate.number},
            {QStringLiteral("carrier"), carrierName(guess.position)},
            {QStringLiteral("carrier_code"), carrierCode(guess.position)},
            {QStringLiteral("certain"), guess.certainty == GuessCertainty::Certain},
            {QStringLiteral("confidence"), found.candidate.confidence},
            {QStringLiteral("sender"), found.sender},
            {QStringLiteral("subject"), found.subject},
            {QStringLiteral("date"),
             found.date.isValid() ? QJsonValue(found.date.toUTC().toString(Qt::ISODate)) : QJsonValue()},
            {QStringLiteral("sentence"), found.candidate.sentence},
            {QStringLiteral("note"), found.note}};
}

// The mailbox of 从邮件导入 (endpoints.ini's [imap], the password there or in the secret store),
// from where its last scan stopped; that scan's end is kept for the next one.
QString readMailbox(const QDateTime &since, const MailVisitor &visit)
{
    const QString dataDir = dataDirectory();
    const MailAccountSettings settings = loadMailAccount(joinPath(dataDir, QStringLiteral("endpoints.ini")));
    if (!settings.configured())
        return QCoreApplication::translate(
            "CommandLine", "没有设置收件服务器:请在“从邮件导入”中设置,或用 --mbox FILE / --maildir DIR");
    ImapAccount account = settings.account;
    if (account.password.isEmpty()) {
        const SecretStore store;
        const SecretStore::Result read = store.readWaiting(imapSecretKey(account), 30000);
        if (read.status != SecretStore::Status::Ok || read.secret.isEmpty())
            return QCoreApplication::translate(
                       "CommandLine", "密钥环中没有收件服务器 %1 的密码:请在“从邮件导入”中填写并读取一次")
                .arg(account.host);
        account.password = read.secret;
    }
    TrackingHistory history;
    if (!history.open(dataDir, QDateTime::currentDateTime()))
        return QCoreApplication::translate("CommandLine", "物流记录数据库无法打开: %1")
            .arg(history.lastError());
    const QString stateName = mailScanStateName(account);
    const ImapReadResult result
        = readImapMessages(account, mailScanState(history.fact(stateName)),
                           since.isValid() ? since.toLocalTime().date() : QDate(), visit);
    if (result.error.isEmpty() && !history.setFact(stateName, mailScanStateText(result.state)))
        return QCoreApplication::translate("CommandLine", "读取的位置未能存入数据库: %1")
            .arg(history.lastError());
    return result.error;
}

// The found numbers as a parcel file `import` reads.
QString writeImportFile(const QTemporaryDir &dir, const std::vector<FoundNumber> &found)
{
    QList<ParcelFileEntry> entries;
    for (const QString &line : savedLinesFor(found)) {
        const SavedParcel parcel = readSavedLine(line);
        ParcelFileEntry entry;
        entry.saved.key = {parcel.number, carrierCode(carrierIndexByName(parcel.carrier))};
        entry.saved.carrierName = parcel.carrier;
        entry.saved.note = parcel.remark;
        entries.append(entry);
    }
    const QString path = dir.filePath(QStringLiteral("found-in-mail.csv"));
    return writeFileAtomically(path, writeParcelsCsv(entries)) ? path : QString();
}
} // namespace

int scanMail(QStringList args, bool json, const std::function<int(const QString &file)> &import)
{
    const bool add = args.removeAll(QStringLiteral("--add")) > 0;
    QString folder;
    std::optional<MailFolderKind> kind;
    int days = kDefaultDays;
    while (!args.isEmpty()) {
        const QString option = args.takeFirst();
        if (args.isEmpty())
            return fail(
                QCoreApplication::translate("CommandLine", "%1 需要一个值(见 parcelvue --help)").arg(option),
                kUsage);
        const QString value = args.takeFirst();
        if (option == QLatin1String("--mbox") || option == QLatin1String("--maildir")) {
            if (kind)
                return fail(QCoreApplication::translate("CommandLine", "scan-mail 一次只读取一个邮件文件夹"),
                            kUsage);
            folder = value;
            kind = option == QLatin1String("--mbox") ? MailFolderKind::Mbox : MailFolderKind::Maildir;
        } else if (option == QLatin1String("--days")) {
            bool ok = false;
            days = value.toInt(&ok);
            if (!ok || days < 0)
                return fail(QCoreApplication::translate("CommandLine", "--days 需要天数,0 表示全部邮件"),
                            kUsage);
        } else {
            return fail(QCoreApplication::translate("CommandLine", "scan-mail 不认识 %1(见 parcelvue --help)")
                            .arg(option),
                        kUsage);
        }
    }
    SavedFileContents saved;
    const QString savedPath = joinPath(dataDirectory(), QStringLiteral("wlnum.ini"));
    if (!readSavedFile(savedPath, saved) && QFileInfo::exists(savedPath))
        return fail(QCoreApplication::translate("CommandLine", "无法读取 %1,请检查该文件是否存在且可读")
                        .arg(QDir::toNativeSeparators(savedPath)),
                    kFailed);
    const QDateTime since = days > 0 ? QDateTime::currentDateTimeUtc().addDays(-days) : QDateTime();
    MailScan scan(savedNumbers(saved.parcels), since);
    const MailVisitor visit = [&](const QByteArray &raw) {
        scan.add(raw);
        return true;
    };
    const QString error = kind ? readMailFolder(folder, *kind, visit) : readMailbox(since, visit);
    if (!error.isEmpty())
        return fail(error, kFailed);

    if (json) {
        QJsonArray found;
        for (const FoundNumber &number : scan.found())
            found.append(foundJson(number));
        stream(stdout) << QJsonDocument(QJsonObject {{QStringLiteral("mails"), scan.mailsRead()},
                                                     {QStringLiteral("found"), found}})
                              .toJson(QJsonDocument::Indented);
    } else {
        for (const FoundNumber &number : scan.found())
            stream(stdout) << number.candidate.number << '\t'
                           << carrierShownName(number.candidate.carriers.front().position) << '\t'
                           << number.sender << '\t' << number.subject << '\t' << number.candidate.sentence
                           << '\n';
        stream(stdout) << QCoreApplication::translate("CommandLine", "读取了%1封邮件,找到%2个新单号")
                              .arg(scan.mailsRead())
                              .arg(scan.found().size())
                       << '\n';
    }
    stream(stdout).flush();
    if (!add || scan.found().empty())
        return kOk;
    QTemporaryDir dir;
    const QString file = dir.isValid() ? writeImportFile(dir, scan.found()) : QString();
    if (file.isEmpty())
        return fail(QCoreApplication::translate(
                        "CommandLine", "找到的单号未能交给导入(无法建立临时文件),请检查临时目录是否可写"),
                    kFailed);
    return import(file);
}
} // namespace CommandLine
