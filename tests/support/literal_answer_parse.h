#pragma once
// The row cutting written the plain, slow way: split the whole answer into copied pieces and cut each
// row with string removals. The program's parse must give exactly the same rows and state; tests and
// the parser's fuzz target compare the two.
#include "core/answer_parser.h"

#include <QStringList>
#include <algorithm>

inline std::vector<ProgressRow> literalAnswerRows(const QString &answer, int rowCount, ParseState &state)
{
    std::vector<ProgressRow> rows;
    if (rowCount <= 0)
        return rows;
    const QString rowBreak = QStringLiteral("</td></tr><tr>");
    const QString tableEnd = QStringLiteral("</td></tr></table>");
    const QStringList rowPieces
        = answer.isEmpty() ? QStringList() : answer.split(QStringLiteral("<tr><td>"), Qt::KeepEmptyParts);
    const QStringList cellPieces
        = answer.isEmpty() ? QStringList() : answer.split(QStringLiteral("<td>"), Qt::KeepEmptyParts);
    for (int i = 1; i <= rowCount; ++i) {
        if (i < rowPieces.size())
            state.timeCell = rowPieces[i];
        const qsizetype marker = state.timeCell.indexOf(QStringLiteral("</td><td>"));
        state.timeCell = marker < 0 ? QString() : state.timeCell.left(marker + 1);
        state.timeCell.remove(QLatin1Char('<'));
        state.timeCell.remove(rowBreak);
        state.timeCell.remove(tableEnd);
        state.cellIndex += 2;
        if (state.cellIndex < cellPieces.size())
            state.stepCell = cellPieces[state.cellIndex];
        state.stepCell.remove(rowBreak);
        state.stepCell.remove(tableEnd);
        rows.push_back({QString::number(rowCount - i + 1), state.timeCell, state.stepCell});
    }
    std::reverse(rows.begin(), rows.end());
    return rows;
}
