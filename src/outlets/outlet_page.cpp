#include "outlets/outlet_page.h"

#include <QStringList>

namespace {
// Piece of the page split at every "td", and how many of its characters precede the field.
struct FieldPlace
{
    int piece;
    int dropped;
};
constexpr FieldPlace kPlaces[] = {{6, 19}, {10, 19}, {14, 19}, {18, 19}, {22, 19}, {26, 20}};
constexpr int kPiecesOfTheLayout = 27;
} // namespace

OutletFields cutOutletFields(const QString &page)
{
    OutletFields fields;
    const QStringList pieces = page.split(QStringLiteral("td"), Qt::KeepEmptyParts, Qt::CaseSensitive);
    if (pieces.size() < kPiecesOfTheLayout)
        return fields;
    for (int i = 0; i < 6; ++i) {
        QString field = pieces.at(kPlaces[i].piece).mid(kPlaces[i].dropped);
        field.remove(QStringLiteral("</"), Qt::CaseSensitive);
        fields[i] = field;
    }
    return fields;
}
