// The saved-parcel file: any bytes on disk read into parcels and other lines, and what the
// program writes back reads as the same lines again.
#include "core/carrier_catalogue.h"
#include "fuzz_check.h"
#include "platform/text_codec.h"
#include "store/saved_parcel_file.h"

#include <QStringList>

#include <cstddef>
#include <cstdint>

namespace {
bool hasLineEnd(const QString &text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

// The text with every CR LF and lone CR made an LF, less one final LF.
QString withLfEnds(const QString &text)
{
    QString lf = text;
    lf.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lf.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (lf.endsWith(QLatin1Char('\n')))
        lf.chop(1);
    return lf;
}

void checkSplit(const QString &text)
{
    const QStringList lines = splitLines(text);
    for (const QString &line : lines)
        FUZZ_REQUIRE(!hasLineEnd(line));
    FUZZ_REQUIRE(lines.join(QLatin1Char('\n')) == withLfEnds(text));
}

void checkFile(const QByteArray &bytes)
{
    const SavedFileContents contents = parseSavedFile(bytes);
    for (const QString &line : contents.parcels) {
        FUZZ_REQUIRE(isParcelLine(line) && !hasLineEnd(line));
        const SavedParcel parcel = readSavedLine(line);
        // The fields read are the line's leading fields, the remark empty when the line has none.
        const QString written = savedLine(parcel.number, parcel.carrier, parcel.remark);
        FUZZ_REQUIRE(written == line || line.startsWith(written + QLatin1Char('|'))
                     || written == line + QLatin1Char('|'));
    }
    for (const QString &line : contents.otherLines)
        FUZZ_REQUIRE(!isParcelLine(line) && !hasLineEnd(line) && !line.trimmed().isEmpty());

    // Written back, the file reads as the same lines in the same order.
    const QByteArray written = composeSavedFile(contents.parcels, contents.otherLines);
    const SavedFileContents reread = parseSavedFile(written);
    FUZZ_REQUIRE(reread.parcels == contents.parcels);
    FUZZ_REQUIRE(reread.otherLines == contents.otherLines);
    FUZZ_REQUIRE(composeSavedFile(reread.parcels, reread.otherLines) == written);
}

// Parcels built the way the window builds them, from fields separated by tabs in the input
// (a "*" carrier stands for the catalogue's name that holds a "|"); lines of one field are
// other lines.
void checkComposed(const QString &text)
{
    if (!isValidText(text))
        return;
    QStringList parcels, otherLines;
    std::vector<SavedParcel> expected;
    for (const QString &record : text.split(QLatin1Char('\n'))) {
        if (record.contains(QLatin1Char('\r')) || record.contains(QLatin1Char('|')))
            continue;
        const QStringList fields = record.split(QLatin1Char('\t'));
        if (fields.size() < 3) {
            if (!record.trimmed().isEmpty())
                otherLines.append(record);
            continue;
        }
        SavedParcel parcel {fields.at(0), fields.at(1), fields.at(2), {}};
        if (parcel.carrier == QLatin1String("*"))
            parcel.carrier = carrierName(carrierIndexByName(QStringLiteral("共速达物流|快递")));
        // "共速达物流" followed by the remark "快递" reads as the catalogue name: not a round trip.
        else if (carrierIndexByName(parcel.carrier + QLatin1Char('|') + parcel.remark) >= 0)
            continue;
        parcels.append(savedLine(parcel.number, parcel.carrier, parcel.remark));
        expected.push_back(parcel);
    }

    const SavedFileContents reread = parseSavedFile(composeSavedFile(parcels, otherLines));
    FUZZ_REQUIRE(reread.parcels == parcels);
    FUZZ_REQUIRE(reread.otherLines == otherLines);
    for (size_t i = 0; i < expected.size(); ++i) {
        const SavedParcel parcel = readSavedLine(reread.parcels.at(static_cast<qsizetype>(i)));
        FUZZ_REQUIRE(parcel.number == expected[i].number);
        FUZZ_REQUIRE(parcel.carrier == expected[i].carrier);
        FUZZ_REQUIRE(parcel.remark == expected[i].remark);
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    checkFile(bytes);
    checkSplit(decodeGb(bytes));
    checkSplit(QString::fromUtf8(bytes));
    checkComposed(QString::fromUtf8(bytes));
    return 0;
}
