#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// The status-line clock: the locale's short date and short time, with seconds.
QString clockText(const QDateTime &time, const QLocale &locale = QLocale::system());
