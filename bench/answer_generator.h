#pragma once

#include <QString>

// A tracking answer of the service's shape with the given number of rows (about 110 bytes each).
inline QString generatedAnswer(int rows)
{
    QString text = QStringLiteral("<table border='1'><tr><th>时间</th><th>地点和跟踪进度</th></tr>");
    text.reserve(rows * 80 + 64);
    for (int i = 0; i < rows; ++i) {
        text += QStringLiteral(
                    "<tr><td>2024-01-%1 %2:%3:00</td><td>快件已到达【杭州转运中心】,第%4站</td></tr>")
                    .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                    .arg(i % 24, 2, 10, QLatin1Char('0'))
                    .arg(i % 60, 2, 10, QLatin1Char('0'))
                    .arg(i);
    }
    return text + QStringLiteral("</table>");
}
