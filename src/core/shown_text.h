#pragma once

#include <QString>

// The words and messages of the tracking as the windows show them, in the interface's language.
// What is stored, compared or sent stays the Chinese text; these are for display only.

// A parcel's status word ("已签收", "派件中", "运送中", "未查询", ...); an unknown word as it is.
QString shownStatus(const QString &status);

// A query's failure message ("单号格式错误!请检查!", "查询超时,请稍后再试!", ...). A known message
// followed by details (" (HTTP 503)", " (connection refused)") keeps the details as they are;
// an unknown message is shown as it is.
QString shownVerdict(const QString &message);

// transitTimeText() in the interface's language: "1天2小时5分", "1d 2h 5m".
QString shownTransitTime(qint64 seconds);
