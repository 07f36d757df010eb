#pragma once

#include "core/parcel_types.h"

#include <QList>
#include <QString>

// The application id: desktop entry, icon name and D-Bus name.
inline const QString kApplicationId = QStringLiteral("org.parcelvue.Parcelvue");

// News about one parcel, as a desktop notification tells it.
struct ParcelNotice
{
    ParcelKey key;
    QString note;
    QString time; // the newest row's time
    QString text; // and its progress
};

// "您的快递【note】有最新动态"; a summary is plain text for every server.
QString noticeSummary(const ParcelNotice &notice);
// The newest row's time and text on two lines, escaped when the server reads markup in the body.
QString noticeBody(const ParcelNotice &notice, bool markup);

// The tray's tool tip: the program's name and how many saved parcels are in transit, out for
// delivery and have news not yet looked at.
QString trayToolTip(const QList<ParcelRecord> &parcels);
