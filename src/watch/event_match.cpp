#include "watch/event_match.h"

#include "core/delivery_status.h"

#include <QRegularExpression>
#include <cstdlib>

namespace {
QString bare(QString text)
{
    static const QRegularExpression markup(QStringLiteral("<[^>]*>|&nbsp;|&[a-z]+;"));
    // What the services' adapters add when a service's status says more than the row.
    static const QRegularExpression statusSuffix(
        QStringLiteral("[（(](派件中|已签收|派送中|运输中)[）)]\\s*$"));
    static const QRegularExpression noise(QStringLiteral("[\\s\\p{P}\\p{S}]+"));
    text.remove(markup);
    text.remove(statusSuffix);
    text.remove(noise);
    return text;
}
} // namespace

EventKey eventKey(const HistoryRow &row)
{
    static const QRegularExpression places(QStringLiteral("【[^】]*】"));
    EventKey key;
    key.time = row.time.trimmed();
    if (const std::optional<QDateTime> when = parseRowTime(key.time))
        key.whenMs = when->toMSecsSinceEpoch();
    QString withoutPlaces = row.text;
    withoutPlaces.remove(places);
    key.withoutPlaces = bare(withoutPlaces);
    key.withPlaces = bare(row.text);
    return key;
}

bool sameEvent(const EventKey &a, const EventKey &b)
{
    const bool sameTime
        = a.whenMs >= 0 && b.whenMs >= 0 ? std::llabs(a.whenMs - b.whenMs) <= 60000 : a.time == b.time;
    if (!sameTime)
        return false;
    // A text that is only a place says too little to be matched on what is left.
    auto agree = [](const QString &x, const QString &y) { return !x.isEmpty() && x == y; };
    return agree(a.withPlaces, b.withPlaces) || agree(a.withoutPlaces, b.withoutPlaces)
        || agree(a.withoutPlaces, b.withPlaces) || agree(a.withPlaces, b.withoutPlaces);
}
