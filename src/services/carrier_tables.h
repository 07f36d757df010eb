#pragma once

#include <QString>

// The carrier codes of the public tracking services for the catalogue's carriers: one table per
// service, each row a catalogue service code and the service's own code for that carrier. A
// carrier a table lacks is one the service cannot be asked about.

// 快递鸟's ShipperCode ("SF", "YTO", ...); empty when it has none.
QString kdniaoShipperCode(const QString &comCode);
// 17TRACK's numeric carrier key (100012, 190157, ...); 0 when it has none.
int track17CarrierKey(const QString &comCode);

// The first catalogue code (in catalogue order) that maps to the service's code; empty when none
// does. Several catalogue carriers may share one code (中国邮政平邮 and 邮政国内小包); a few have
// further 17TRACK keys that are never sent but map back (顺丰's international 100012).
QString comForKdniaoShipperCode(const QString &shipperCode);
QString comForTrack17CarrierKey(int key);
// The name the user sees for a carrier 17TRACK gives by key: the catalogue's name of the carrier
// it maps to, else "17TRACK快递公司<key>" in the interface's language.
QString track17CarrierName(int key);

// How many of the catalogue's carriers each table maps.
int kdniaoCoverage();
int track17Coverage();
