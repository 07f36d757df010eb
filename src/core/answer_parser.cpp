#include "core/answer_parser.h"

#include <algorithm>
#include <vector>

namespace {
const QString kRowStart = QStringLiteral("<tr><td>");
const QString kCell = QStringLiteral("<td>");
const QString kCellBreak = QStringLiteral("</td><td>");
const QString kRowBreak = QStringLiteral("</td></tr><tr>");
const QString kTableEnd = QStringLiteral("</td></tr></table>");

// Where each piece of the text split at the separator starts and ends, without copying the
// pieces. Splitting an empty text gives no pieces at all, so every index is past the end.
class Pieces
{
public:
    Pieces(const QString &text, const QString &separator)
        : m_text(text)
        , m_separatorLength(separator.size())
    {
        if (text.isEmpty())
            return;
        m_starts.push_back(0);
        for (qsizetype at = text.indexOf(separator); at >= 0;
             at = text.indexOf(separator, at + m_separatorLength))
            m_starts.push_back(at + m_separatorLength);
    }

    qsizetype size() const { return static_cast<qsizetype>(m_starts.size()); }

    QString at(qsizetype i) const
    {
        const qsizetype start = m_starts[static_cast<size_t>(i)];
        const qsizetype end
            = i + 1 < size() ? m_starts[static_cast<size_t>(i) + 1] - m_separatorLength : m_text.size();
        return m_text.mid(start, end - start);
    }

private:
    const QString &m_text;
    qsizetype m_separatorLength;
    std::vector<qsizetype> m_starts;
};

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
    const Pieces rowPieces(answer, kRowStart);
    const Pieces cellPieces(answer, kCell);

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
