#pragma once

#include <QString>
#include <vector>

// One line of the progress list: row number (1 = newest), time text and progress text.
struct ProgressRow
{
    QString number;
    QString time;
    QString progress;
};

// The parse's work variables that outlive one row (and, until the reset, one parse).
struct ParseState
{
    QString timeCell; // varTimeCell
    QString stepCell; // strStepCell
    int cellIndex = 0; // intCellIndex
};

// Number of "<tr><td>" in the answer: the rows the service sent.
int countAnswerRows(const QString &answer);

// Cuts rowCount rows out of the answer exactly as the window's parse does: row i's time is piece i
// of the answer split at "<tr><td>" up to its "</td><td>", without "<"; its progress is piece 2i
// of the answer split at "<td>", without the row-closing markers. A piece past the end keeps the
// previous value. Returns the rows in display order, newest (row "1") first. The answer is split
// once, so the cost grows linearly with its size.
std::vector<ProgressRow> parseAnswerRows(const QString &answer, int rowCount, ParseState &state);
