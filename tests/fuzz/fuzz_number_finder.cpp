// Any text a person may read (a mail's body, a copied page) searched for tracking numbers.
#include "core/number_finder.h"
#include "fuzz_check.h"

#include <QSet>

#include <cstddef>
#include <cstdint>

namespace {
bool isNumberForm(const QString &number)
{
    if (number.isEmpty())
        return false;
    for (const QChar c : number) {
        if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9'))
              || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))))
            return false;
    }
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(fuzzBytes(data, size));
    QSet<QString> numbers;
    for (const NumberCandidate &c : findTrackingNumbers(text)) {
        FUZZ_REQUIRE(isNumberForm(c.number));
        FUZZ_REQUIRE(!numbers.contains(c.number)); // each number once
        numbers.insert(c.number);
        FUZZ_REQUIRE(c.confidence >= kCandidateNumber && c.confidence <= 100);
    }

    // A waybill on a line of its own is found whatever the rest of the text holds.
    const QString waybill = QStringLiteral("SF1234567890123");
    bool found = false;
    for (const NumberCandidate &c :
         findTrackingNumbers(QStringLiteral("运单号：") + waybill + QStringLiteral("\n\n") + text))
        found = found || c.number == waybill;
    FUZZ_REQUIRE(found);
    return 0;
}
