#pragma once

#include <QString>
#include <array>

// The six fields of an outlet search result, in the order the window shows them: outlet name,
// person in charge, second name row, telephone, delivery area, areas not delivered to.
using OutletFields = std::array<QString, 6>;

// Cuts the fields out of the result page at the fixed pieces and offsets of its layout. A page
// of another layout (fewer pieces than the layout has) gives six empty fields.
OutletFields cutOutletFields(const QString &page);
