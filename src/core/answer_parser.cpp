#include "core/answer_parser.h"

#include <QStringView>
#include <cstring>
#include <vector>

namespace {
constexpr char16_t kRowOpen[] = u"<tr>";
constexpr char16_t kCell[] = u"<td>";
constexpr char16_t kCellBreak[] = u"</td><td>";
constexpr char16_t kRowBreak[] = u"</td></tr><tr>";
constexpr char16_t kTableEnd[] = u"</td></tr></table>";
constexpr char16_t kRowStart[] = u"<tr><td>";

template<size_t N> constexpr qsizetype length(const char16_t (&)[N])
{
    return static_cast<qsizetype>(N - 1);
}

// Whether the marker stands in the text at the position.
template<size_t N> bool markerAt(QStringView text, qsizetype at, const char16_t (&marker)[N])
{
    return at >= 0 && text.size() - at >= length(marker)
        && std::memcmp(text.utf16() + at, marker, sizeof(char16_t) * (N - 1)) == 0;
}

qsizetype nextTag(QStringView text, qsizetype from)
{
    const char16_t *const begin = text.utf16();
    const char16_t *const end = begin + text.size();
    for (const char16_t *c = begin + from; c < end; ++c) {
        if (*c == u'<')
            return c - begin;
    }
    return -1;
}

// Where the pieces of the answer split at "<td>" and at "<tr><td>" start, found in one pass that
// jumps from '<' to '<'. Neither marker can overlap itself, so a "<tr><td>" is exactly a "<td>"
// behind a "<tr>". Splitting an empty text gives no pieces at all.
struct Pieces
{
    std::vector<qsizetype> cellStarts; // pieces of the split at "<td>"
    std::vector<qsizetype> rowStarts; // pieces of the split at "<tr><td>"
};

template<typename OnCell> void forEachCellMarker(QStringView text, OnCell onCell)
{
    for (qsizetype at = nextTag(text, 0); at >= 0; at = nextTag(text, at + 1)) {
        if (markerAt(text, at, kCell)) {
            onCell(at);
            at += length(kCell) - 1;
        }
    }
}

bool rowOpensBefore(QStringView text, qsizetype cellAt)
{
    return markerAt(text, cellAt - length(kRowOpen), kRowOpen);
}

Pieces findPieces(QStringView text, qsizetype expectedRows)
{
    Pieces pieces;
    if (text.isEmpty())
        return pieces;
    pieces.cellStarts.reserve(static_cast<size_t>(2 * expectedRows + 2));
    pieces.rowStarts.reserve(static_cast<size_t>(expectedRows + 1));
    pieces.cellStarts.push_back(0);
    pieces.rowStarts.push_back(0);
    forEachCellMarker(text, [&](qsizetype at) {
        pieces.cellStarts.push_back(at + length(kCell));
        if (rowOpensBefore(text, at))
            pieces.rowStarts.push_back(at + length(kCell));
    });
    return pieces;
}

QStringView piece(QStringView text, const std::vector<qsizetype> &starts, qsizetype separatorLength,
                  qsizetype i)
{
    const qsizetype start = starts[static_cast<size_t>(i)];
    const qsizetype end = i + 1 < static_cast<qsizetype>(starts.size())
        ? starts[static_cast<size_t>(i) + 1] - separatorLength
        : text.size();
    return text.mid(start, end - start);
}

// The cell's text with every row-closing and table-closing marker removed, the first kind before
// the second, as two plain removals would. The common cell holds no '<' but one of the two markers
// at its end, and is cut without a search.
QString withoutRowMarkers(QStringView cell)
{
    const qsizetype firstTag = nextTag(cell, 0);
    if (firstTag < 0)
        return cell.toString();
    if (firstTag == cell.size() - length(kRowBreak) && markerAt(cell, firstTag, kRowBreak))
        return cell.left(firstTag).toString();
    if (firstTag == cell.size() - length(kTableEnd) && markerAt(cell, firstTag, kTableEnd))
        return cell.left(firstTag).toString();
    QString text = cell.toString();
    text.remove(QString::fromUtf16(kRowBreak), Qt::CaseSensitive);
    text.remove(QString::fromUtf16(kTableEnd), Qt::CaseSensitive);
    return text;
}

// A row's time: its piece up to the cell break, without any '<'. A piece without a cell break
// gives an empty time. Usually the first '<' of the piece is the cell break.
QString timeOf(QStringView rowPiece)
{
    const qsizetype firstTag = nextTag(rowPiece, 0);
    if (firstTag < 0)
        return QString();
    if (markerAt(rowPiece, firstTag, kCellBreak))
        return rowPiece.left(firstTag).toString();
    const qsizetype marker = rowPiece.indexOf(QStringView(kCellBreak));
    if (marker < 0)
        return QString();
    QString text;
    text.reserve(marker);
    for (const QChar c : rowPiece.left(marker)) {
        if (c != QLatin1Char('<'))
            text.append(c);
    }
    return text;
}
} // namespace

int countAnswerRows(const QString &answer)
{
    int rows = 0;
    forEachCellMarker(answer, [&](qsizetype at) { rows += rowOpensBefore(answer, at) ? 1 : 0; });
    return rows;
}

std::vector<ProgressRow> parseAnswerRows(const QString &answer, int rowCount, ParseState &state)
{
    std::vector<ProgressRow> rows;
    if (rowCount <= 0)
        return rows;
    rows.resize(static_cast<size_t>(rowCount));
    const Pieces pieces = findPieces(answer, rowCount);
    const auto rowPieces = static_cast<qsizetype>(pieces.rowStarts.size());
    const auto cellPieces = static_cast<qsizetype>(pieces.cellStarts.size());

    // Each row goes in at the top of the list, so the last one cut is the top row.
    for (int i = 1; i <= rowCount; ++i) {
        // A time kept from an earlier row has lost its '<', so it has no cell break and empties.
        state.timeCell
            = i < rowPieces ? timeOf(piece(answer, pieces.rowStarts, length(kRowStart), i)) : QString();

        state.cellIndex += 2;
        state.stepCell = state.cellIndex < cellPieces
            ? withoutRowMarkers(piece(answer, pieces.cellStarts, length(kCell), state.cellIndex))
            : withoutRowMarkers(state.stepCell);

        ProgressRow &row = rows[static_cast<size_t>(rowCount - i)];
        row.number = QString::number(rowCount - i + 1);
        row.time = state.timeCell;
        row.progress = state.stepCell;
    }
    return rows;
}
