#pragma once

#include "core/parcel_types.h"

#include <QList>
#include <QStringList>

// The saved lines as the tracking history knows them: number, carrier code and name, note. A
// carrier name the catalogue does not know gets an empty code.
QList<SavedEntry> savedEntries(const QStringList &lines);
