#include "watch/row_text_index.h"

#include <QStringMatcher>
#include <algorithm>

void RowTextIndex::add(const ParcelKey &key, const QStringList &rows)
{
    Range range {m_lines.size(), 0};
    for (const QString &row : rows) {
        // A line break inside a row would split it in two lines of the text.
        const QString line = QString(row).replace(QLatin1Char('\n'), QLatin1Char(' ')).toLower();
        auto found = m_dictionary.constFind(line);
        if (found == m_dictionary.constEnd()) {
            found = m_dictionary.insert(line, quint32(m_starts.size()));
            m_starts.append(m_text.size());
            m_text += line;
            m_text += QLatin1Char('\n');
        }
        m_lines.append(found.value());
        ++range.count;
    }
    m_parcels.insert(key, range);
}

void RowTextIndex::finish()
{
    m_dictionary = {};
    m_text.squeeze();
    m_starts.squeeze();
    m_lines.squeeze();
}

QBitArray RowTextIndex::matchingLines(const QString &needle) const
{
    QBitArray lines(int(m_starts.size()));
    // A line break would match across two lines.
    if (needle.isEmpty() || needle.contains(QLatin1Char('\n')))
        return lines;
    const QStringMatcher matcher(needle);
    qsizetype from = 0;
    while (true) {
        const qsizetype at = matcher.indexIn(m_text, from);
        if (at < 0)
            break;
        // The line it is in; the search goes on at the next line.
        const auto next = std::upper_bound(m_starts.cbegin(), m_starts.cend(), at);
        lines.setBit(int(next - m_starts.cbegin() - 1));
        if (next == m_starts.cend())
            break;
        from = *next;
    }
    return lines;
}

bool RowTextIndex::matches(const ParcelKey &key, const QBitArray &lines) const
{
    const auto found = m_parcels.constFind(key);
    if (found == m_parcels.constEnd())
        return false;
    for (qsizetype i = found->first; i < found->first + found->count; ++i) {
        if (lines.testBit(int(m_lines.at(i))))
            return true;
    }
    return false;
}
