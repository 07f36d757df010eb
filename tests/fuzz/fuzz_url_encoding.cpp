// The outlet lookup's query text: any UTF-16 the user may type or paste.
#include "fuzz_check.h"
#include "outlets/page_fetch.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace {
bool isHexDigit(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

void check(const QString &input)
{
    const QString encoded = UTF8_URLEncoding(input);
    for (const QChar c : encoded)
        FUZZ_REQUIRE(c.unicode() < 0x80);
    // At most one character of the input per escape group: nine characters for four bytes.
    FUZZ_REQUIRE(encoded.size() <= 9 * input.size());

    QString kept; // the ASCII of the input, which passes unchanged and in order
    for (const QChar c : input) {
        if (c.unicode() < 0x80)
            kept += c;
    }
    if (input.contains(QLatin1Char('%')))
        return;
    QString plain;
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        if (encoded.at(i) != QLatin1Char('%')) {
            plain += encoded.at(i);
            continue;
        }
        FUZZ_REQUIRE(i + 2 < encoded.size() && isHexDigit(encoded.at(i + 1))
                     && isHexDigit(encoded.at(i + 2)));
        i += 2;
    }
    FUZZ_REQUIRE(plain == kept);
    if (isValidText(input))
        FUZZ_REQUIRE(QString::fromUtf8(QByteArray::fromPercentEncoding(encoded.toLatin1())) == input);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The bytes as UTF-16 (lone halves included), and as UTF-8 text.
    std::u16string units(size / 2, u'\0');
    std::memcpy(units.data(), data, units.size() * 2);
    check(QString::fromStdU16String(units));
    check(QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    return 0;
}
