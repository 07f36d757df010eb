#include "monitor/update_check.h"

#include <QRegularExpression>

QString programVersionText()
{
    return QStringLiteral("V%1.%2").arg(PARCELVUE_VERSION_MAJOR).arg(PARCELVUE_VERSION_MINOR);
}

QString versionFileText(const QString &fetched)
{
    qsizetype end = fetched.size();
    while (end > 0) {
        const QChar c = fetched.at(end - 1);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n') && c != QLatin1Char(' ')
            && c != QLatin1Char('\t'))
            break;
        --end;
    }
    return fetched.left(end);
}

bool isVersionText(const QString &text)
{
    static const QRegularExpression pattern(
        QRegularExpression::anchoredPattern(QStringLiteral("V[0-9]+(\\.[0-9]+)*")));
    return pattern.match(text).hasMatch();
}

Announcement splitAnnouncement(const QString &promo, const QString &previousUrl)
{
    if (!promo.contains(QLatin1Char('|')))
        return {QString(), previousUrl};
    const QStringList fields = promo.split(QLatin1Char('|'));
    return {fields.at(0), fields.at(1)};
}
