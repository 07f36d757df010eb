#include "watch/wall_clock.h"

namespace {
constexpr qint64 kUnixEpochJulianDay = 2440588;

// Reads digits at `at`, at least `least` and at most `most` of them.
bool number(QStringView text, qsizetype &at, int least, int most, int &value)
{
    value = 0;
    int count = 0;
    while (at < text.size() && count < most && text.at(at).isDigit() && text.at(at).unicode() < 128) {
        value = value * 10 + (text.at(at).unicode() - '0');
        ++at;
        ++count;
    }
    return count >= least;
}

bool expect(QStringView text, qsizetype &at, QChar c)
{
    if (at >= text.size() || text.at(at) != c)
        return false;
    ++at;
    return true;
}
} // namespace

qint64 wallSeconds(const QString &rowTime)
{
    const QStringView text = QStringView(rowTime).trimmed();
    qsizetype at = 0;
    int year, month, day, hour, minute, second = 0;
    if (!number(text, at, 4, 4, year) || at >= text.size())
        return -1;
    const QChar separator = text.at(at);
    if ((separator != QLatin1Char('-') && separator != QLatin1Char('/')) || !expect(text, at, separator)
        || !number(text, at, 1, 2, month) || !expect(text, at, separator) || !number(text, at, 1, 2, day))
        return -1;
    if (!expect(text, at, QLatin1Char(' ')) && !expect(text, at, QLatin1Char('T')))
        return -1;
    if (!number(text, at, 1, 2, hour) || !expect(text, at, QLatin1Char(':'))
        || !number(text, at, 2, 2, minute))
        return -1;
    if (at < text.size() && (!expect(text, at, QLatin1Char(':')) || !number(text, at, 2, 2, second)))
        return -1;
    if (at != text.size() || !QDate::isValid(year, month, day) || hour > 23 || minute > 59 || second > 59)
        return -1;
    const qint64 days = QDate(year, month, day).toJulianDay() - kUnixEpochJulianDay;
    return days * 86400 + hour * 3600 + minute * 60 + second;
}

qint64 wallSeconds(const QDateTime &time)
{
    if (!time.isValid())
        return -1;
    const QDateTime local = time.toLocalTime();
    return (local.date().toJulianDay() - kUnixEpochJulianDay) * 86400
        + local.time().msecsSinceStartOfDay() / 1000;
}

QDateTime wallTime(qint64 seconds)
{
    const qint64 days = seconds >= 0 ? seconds / 86400 : -((-seconds + 86399) / 86400);
    const qint64 rest = seconds - days * 86400;
    return QDateTime(QDate::fromJulianDay(days + kUnixEpochJulianDay), QTime(0, 0).addSecs(int(rest)),
                     Qt::LocalTime);
}
