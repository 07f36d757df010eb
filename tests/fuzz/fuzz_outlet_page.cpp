// The outlet lookup's answer: any bytes with any Content-Type decoded, then cut into fields.
#include "fuzz_check.h"
#include "outlets/outlet_page.h"
#include "outlets/page_fetch.h"
#include "platform/text_codec.h"

#include <QRegularExpression>
#include <QStringList>

#include <cstddef>
#include <cstdint>

namespace {
constexpr int kPieces = 27;

void checkCut(const QString &page)
{
    const OutletFields fields = cutOutletFields(page);
    if (page.count(QStringLiteral("td")) < kPieces - 1) {
        for (const QString &field : fields)
            FUZZ_REQUIRE(field.isEmpty());
        return;
    }
    // Without "</" to remove, a field is a piece of the page as it stands.
    if (!page.contains(QStringLiteral("</"))) {
        for (const QString &field : fields) {
            FUZZ_REQUIRE(page.contains(field));
            FUZZ_REQUIRE(!field.contains(QStringLiteral("td")));
        }
    }
}

// A page of the result layout with the input's tab-separated values in its six cells gives them
// back, closing tags removed.
void checkLayout(const QString &text)
{
    QStringList values = text.split(QLatin1Char('\t'));
    if (values.size() < 6)
        return;
    values = values.mid(0, 6);
    for (const QString &value : values) {
        if (value.contains(QStringLiteral("td")) || value.contains(QLatin1Char('<')))
            return;
    }
    // Cells at pieces 6, 10, .. 26 of the page split at "td"; a cell's text follows its
    // attributes (19 characters, 20 in the last cell).
    QStringList pieces;
    for (int i = 0; i < kPieces; ++i)
        pieces.append(QStringLiteral("<tr><"));
    const QString attributes = QStringLiteral(" class=\"v\" width=9>");
    for (int i = 0; i < 6; ++i) {
        const QString cellAttributes = i == 5 ? attributes + QLatin1Char(' ') : attributes;
        pieces[6 + 4 * i] = cellAttributes + values.at(i) + QStringLiteral("</");
    }
    const OutletFields fields = cutOutletFields(pieces.join(QStringLiteral("td")));
    for (int i = 0; i < 6; ++i)
        FUZZ_REQUIRE(fields[static_cast<size_t>(i)] == values.at(i));
}

void checkDecoding(const QByteArray &body, const QByteArray &contentType)
{
    const QByteArray declared = declaredCharset(body);
    static const QRegularExpression name(QStringLiteral("^[a-z0-9_.:-]+$"));
    FUZZ_REQUIRE(declared.isEmpty() || name.match(QString::fromLatin1(declared)).hasMatch());
    FUZZ_REQUIRE(!declared.startsWith("utf-16"));

    const QString page = decodePage(body, contentType);
    checkCut(page);

    // A page with nothing declared is UTF-8 when it can be, else GB18030.
    if (charsetOfContentType(contentType).isEmpty() && declared.isEmpty())
        FUZZ_REQUIRE(page == (isValidUtf8(body) ? QString::fromUtf8(body) : decodeGb(body)));

    // Text sent as declared reads back as the same text, whatever else the page holds.
    const QString text = QString::fromUtf8(body);
    if (!isValidText(text))
        return;
    FUZZ_REQUIRE(decodePage(encodeGb(text), "text/html; charset=GBK") == text);
    FUZZ_REQUIRE(decodePage(text.toUtf8(), "text/html; charset=\"utf-8\"") == text);
    const QByteArray meta = "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">";
    FUZZ_REQUIRE(
        decodePage(meta + encodeGb(text), contentType.toLower().contains("charset") ? "" : contentType)
        == QString::fromLatin1(meta) + text);
}
} // namespace

// The input: a Content-Type line, then the body.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    const qsizetype end = bytes.indexOf('\n');
    const QByteArray contentType = end >= 0 ? bytes.left(end) : QByteArray();
    const QByteArray body = end >= 0 ? bytes.mid(end + 1) : bytes;
    checkDecoding(body, contentType);
    checkCut(QString::fromUtf8(bytes));
    checkLayout(QString::fromUtf8(bytes));
    return 0;
}
