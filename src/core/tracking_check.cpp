#include "core/tracking_check.h"

#include "core/answer_parser.h"
#include "core/delivery_status.h"
#include "core/query_answer.h"

#include <QLocale>
#include <QTimeZone>
#include <algorithm>

namespace {
CheckOutcome readCheckAnswerText(const HttpResult &result);
} // namespace

CheckOutcome::Failure failureOf(const HttpResult &result)
{
    if (result.failureKind == QLatin1String("refused"))
        return CheckOutcome::Failure::Number;
    if (result.failureKind == QLatin1String("account"))
        return CheckOutcome::Failure::Account;
    return CheckOutcome::Failure::Transfer;
}

CheckOutcome readCheckAnswer(const HttpResult &result)
{
    CheckOutcome outcome = readCheckAnswerText(result);
    if (outcome.kind != CheckOutcome::Kind::Answered)
        outcome.failure = outcome.kind == CheckOutcome::Kind::Refused && result.ok()
            ? CheckOutcome::Failure::Number
            : failureOf(result);
    return outcome;
}

namespace {
CheckOutcome readCheckAnswerText(const HttpResult &result)
{
    CheckOutcome outcome;
    if (result.failure == HttpResult::Failure::HttpStatus && (result.status == 429 || result.status == 503)) {
        outcome.kind = CheckOutcome::Kind::Busy;
        outcome.error = result.userText.isEmpty()
            ? QStringLiteral("查询服务繁忙,稍后再查 (HTTP %1)").arg(result.status)
            : result.userText;
        outcome.retryAfterSeconds = retryAfterSeconds(result.retryAfter, QDateTime::currentDateTimeUtc());
        return outcome;
    }
    const QString &answer = result.text;
    const AnswerVerdict verdict = classifySavedParcelAnswer(result.ok() ? answer : QString());
    if (verdict == AnswerVerdict::Empty) {
        outcome.error = emptyAnswerMessage(result);
        if (!result.errorText.isEmpty())
            outcome.error += QStringLiteral(" (") + result.errorText + QLatin1Char(')');
        return outcome;
    }
    if (verdict != AnswerVerdict::Accepted) {
        outcome.error = verdictMessage(verdict);
        outcome.noInformation = verdict == AnswerVerdict::NoInformation;
        return outcome;
    }
    ParseState state;
    const std::vector<ProgressRow> rows = parseAnswerRows(answer, countAnswerRows(answer), state);
    if (rows.empty()) {
        outcome.error = verdictMessage(AnswerVerdict::Accepted);
        return outcome;
    }
    outcome.kind = CheckOutcome::Kind::Answered;
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)
        outcome.rows.append({row->time, row->progress, {}});
    outcome.rows.last().text = carrierText(outcome.rows.last().text, result);
    outcome.status = answerStatus(result, deliveryStatusOf(rows.front().progress));
    return outcome;
}
} // namespace

QString answerStatus(const HttpResult &result, const QString &textStatus)
{
    // The keys of the adapters' statuses (services/service_answer.h).
    const QString &service = result.serviceStatus;
    const QString &meaning = result.serviceStatusText;
    const auto reason = [&meaning] {
        const qsizetype colon = meaning.indexOf(QStringLiteral("："));
        return colon < 0 ? QString() : meaning.mid(colon);
    };
    if (service == QLatin1String("exception"))
        return meaning.startsWith(kProblemParcel) ? meaning : kProblemParcel;
    if (service == QLatin1String("delivery_failure"))
        return kDeliveryFailed + reason();
    if (service == QLatin1String("available_for_pickup"))
        return kAwaitingPickup;
    if (service == QLatin1String("in_transit") && textStatus == kSignedFor)
        return kInTransit;
    return textStatus;
}

QString carrierText(const QString &progress, const HttpResult &result)
{
    const QString note = result.serviceStatus == QLatin1String("delivered") ? kSignedForNote
        : result.serviceStatus == QLatin1String("out_for_delivery")         ? kOutForDeliveryNote
                                                                            : QString();
    if (note.isEmpty() || !progress.endsWith(note))
        return progress;
    return progress.chopped(note.size());
}

int retryAfterSeconds(const QByteArray &header, const QDateTime &now)
{
    const QByteArray value = header.trimmed();
    if (value.isEmpty())
        return -1;
    bool isNumber = false;
    const qint64 seconds = value.toLongLong(&isNumber);
    if (isNumber)
        return seconds < 0 ? -1 : int(std::min<qint64>(seconds, 7 * 24 * 3600));
    // An HTTP date: "Wed, 21 Oct 2015 07:28:00 GMT".
    QDateTime when = QLocale::c().toDateTime(QString::fromLatin1(value),
                                             QStringLiteral("ddd, dd MMM yyyy HH:mm:ss 'GMT'"));
    if (!when.isValid())
        return -1;
    when.setTimeSpec(Qt::UTC);
    return int(std::clamp<qint64>(now.secsTo(when), 0, 7 * 24 * 3600));
}
