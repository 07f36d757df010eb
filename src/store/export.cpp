#include "store/export.h"
#include "core/blank_trim.h"

#include "platform/text_codec.h"
#include "store/saved_parcel_file.h"

namespace {
const QString kCellSeparator = QStringLiteral("   ");

// Length of the character starting at index: two units for a surrogate pair, else one.
qsizetype characterLength(const QString &text, qsizetype index)
{
    if (index + 1 < text.size() && text.at(index).isHighSurrogate() && text.at(index + 1).isLowSurrogate())
        return 2;
    return 1;
}
} // namespace

int exportWidth(const QString &text)
{
    int width = 0;
    for (qsizetype i = 0; i < text.size(); i += characterLength(text, i))
        width += text.at(i).unicode() < 0x80 ? 1 : 2;
    return width;
}

QString SetStringFixedLength(const QString &strIn, qint32 lngFixStrLen)
{
    const QString text = trimBlanks(strIn);
    const int width = exportWidth(text);
    if (width > 0 && lngFixStrLen > 0 && width < lngFixStrLen)
        return text + QString(lngFixStrLen - width, QLatin1Char(' '));
    return text;
}

QString cutToBytes(const QString &cell, int maxBytes)
{
    if (encodeGb(cell).size() <= maxBytes)
        return cell;
    qsizetype bytes = 0;
    qsizetype end = 0;
    while (end < cell.size()) {
        const qsizetype length = characterLength(cell, end);
        const qsizetype size = encodeGb(cell.mid(end, length)).size();
        if (bytes + size > maxBytes)
            break;
        bytes += size;
        end += length;
    }
    return cell.left(end);
}

QByteArray exportFileContent(const ExportRows &rows)
{
    QString text;
    for (const QStringList &row : rows) {
        for (int column = 0; column < row.size(); ++column) {
            const QString cell = cutToBytes(row.at(column));
            text += column == 0 ? SetStringFixedLength(cell, kExportFirstCellWidth) : cell;
            if (column + 1 < row.size())
                text += kCellSeparator;
        }
        text += QLatin1String("\r\n");
    }
    return encodeGb(text);
}

bool ExportListViewContent(const ExportRows &objListView, const QString &strFilePath)
{
    if (objListView.isEmpty())
        return false;
    // The same writer as the state files: it also notices a cut final flush, which commit() alone
    // would let replace an earlier export.
    return writeFileAtomically(strFilePath, exportFileContent(objListView));
}
