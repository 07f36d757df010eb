#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The progress list as the export sees it: one list of cell texts per row, in column order.
using ExportRows = QList<QStringList>;

constexpr int kExportFirstCellWidth = 8;
constexpr int kExportMaxCellBytes = 1023;
inline const QString kExportFilter = QStringLiteral("(TXT文本) (*.txt)");

// Width of a text in the export file: one per ASCII character, two per any other character.
int exportWidth(const QString &text);

// strIn without leading and trailing blanks, padded with blanks to the width lngFixStrLen; never cut.
QString SetStringFixedLength(const QString &strIn, qint32 lngFixStrLen);

// The longest start of the cell whose GB18030 form has at most maxBytes bytes; a character is
// never split.
QString cutToBytes(const QString &cell, int maxBytes = kExportMaxCellBytes);

// The export file's bytes: every line in GB18030, followed by CR LF.
QByteArray exportFileContent(const ExportRows &rows);

// Writes the rows to strFilePath, replacing the file. False when there are no rows (no file is
// created) or the file could not be written completely (an earlier file stays as it was).
bool ExportListViewContent(const ExportRows &objListView, const QString &strFilePath);
