#include "core/answer_parser.h"

#include <QStringList>
#include <algorithm>

namespace {
const QString kRowStart = QStringLiteral("<tr><td>");
const QString kCell = QStringLiteral("<td>");
const QString kCellBreak = QStringLiteral("</td><td>");
const QString kRowBreak = QStringLiteral("</td></tr><tr>");
const QString kTableEnd = QStringLiteral("</td></tr></table>");

// Splitting an empty text gives no pieces at all, so every index is past the end.
QStringList splitAll(const QString &text, const QString &separator)
{
    if (text.isEmpty())
        return {};
    return text.split(separator, Qt::KeepEmptyParts, Qt::CaseSensitive);
}

void dropRowMarkers(QString &cell)
{
    cell.remove(kRowBreak, Qt::CaseSensitive);
    cell.remove(kTableEnd, Qt::CaseSensitive);
}
} // namespace

int countAnswerRows(const QString &answer)
{
    return static_cast<int>(answer.count(kRowStart, Qt::CaseSensitive));
}

std::vector<ProgressRow> parseAnswerRows(const QString &answer, int rowCount, ParseState &state)
{
    std::vector<ProgressRow> rows;
    if (rowCount <= 0)
        return rows;
    rows.reserve(static_cast<size_t>(rowCount));
    const QStringList rowPieces = splitAll(answer, kRowStart);
    const QStringList cellPieces = splitAll(answer, kCell);

    for (int i = 1; i <= rowCount; ++i) {
        if (i < rowPieces.size())
            state.timeCell = rowPieces.at(i);
        const qsizetype marker = state.timeCell.indexOf(kCellBreak);
        state.timeCell = marker < 0 ? QString() : state.timeCell.left(marker + 1);
        state.timeCell.remove(QLatin1Char('<'));
        dropRowMarkers(state.timeCell);

        ProgressRow row;
        row.number = QString::number(rowCount - i + 1);
        row.time = state.timeCell;

        state.cellIndex += 2;
        if (state.cellIndex < cellPieces.size())
            state.stepCell = cellPieces.at(state.cellIndex);
        dropRowMarkers(state.stepCell);
        row.progress = state.stepCell;
        rows.push_back(std::move(row));
    }
    // Each row went in at the top of the list, so the last one cut is the top row.
    std::reverse(rows.begin(), rows.end());
    return rows;
}
