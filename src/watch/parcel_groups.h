#pragma once

#include "core/parcel_types.h"

#include <QDateTime>
#include <QString>

// The filter buttons of 全部快递, in their order. A parcel is in 全部 and in the group of its
// stored status, or, once archived, in 已归档 alone.
enum class ParcelGroup { All, OutForDelivery, InTransit, Problem, Signed, Archived, Count };

QString groupCaption(ParcelGroup group);

// The statuses a service gives a parcel that is held up: 问题件, 待取件, 派送失败, each also with
// the service's reason after it ("问题件：拒收").
bool isProblemStatus(const QString &status);
// The group of the parcel's stored status (a failed last query keeps what was known); All before
// the first answer.
ParcelGroup statusGroup(const ParcelRecord &parcel);

// Archived by hand, or by the rule: signed for and its signing row `archiveDays` days old or more
// (0: the rule archives nothing).
bool isArchived(const ParcelRecord &parcel, int archiveDays, const QDateTime &now);
// The mark that takes a parcel out of the archive: kept out when the rule would archive it again.
ArchiveMark unarchiveMark(const ParcelRecord &parcel, int archiveDays, const QDateTime &now);

// The place in the default order: news not looked at first, then 派件中, 问题件, 运送中, 未查询
// and 查询失败, 已签收 (smaller first).
int defaultRank(const ParcelRecord &parcel);
