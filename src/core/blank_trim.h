#pragma once

#include <QString>

// Removes leading and trailing blanks (U+0020) only: tabs and other spaces are content, as in the
// texts the program trims (keywords, search names, export cells).
QString trimBlanks(const QString &text);
