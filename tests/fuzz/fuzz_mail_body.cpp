// The notice mail: every value comes from the user or the tracking service and must reach the
// letter as text, never as markup.
#include "fuzz_check.h"
#include "monitor/mail_body.h"
#include "core/endpoints.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QStringList>

#include <cstddef>
#include <cstdint>

namespace {
QString consumeText(FuzzedDataProvider &provider)
{
    const std::string bytes = provider.ConsumeRandomLengthString(200);
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// Characters that end text and start markup, an attribute or a reference.
struct MarkupCounts
{
    qsizetype open, close, quote, apostrophe;
    bool operator==(const MarkupCounts &o) const
    {
        return open == o.open && close == o.close && quote == o.quote && apostrophe == o.apostrophe;
    }
};

MarkupCounts markupOf(const QString &html)
{
    return {html.count(QLatin1Char('<')), html.count(QLatin1Char('>')), html.count(QLatin1Char('"')),
            html.count(QLatin1Char('\''))};
}

QString unescaped(QString text)
{
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    text.replace(QLatin1String("&quot;"), QLatin1String("\""));
    text.replace(QLatin1String("&#39;"), QLatin1String("'"));
    text.replace(QLatin1String("&amp;"), QLatin1String("&")); // last: "&amp;lt;" stays "&lt;"
    return text;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider provider(data, size);
    MailBodyValues values;
    QString *const fields[]
        = {&values.remark,  &values.number,   &values.time,      &values.progress, &values.transit,
           &values.carrier, &values.promoUrl, &values.promoText, &values.sendTime};
    for (QString *field : fields)
        *field = consumeText(provider);

    for (const QString *field : fields) {
        const QString escaped = escapeHtml(*field);
        FUZZ_REQUIRE(markupOf(escaped) == (MarkupCounts {0, 0, 0, 0}));
        FUZZ_REQUIRE(unescaped(escaped) == *field);
    }

    // The letter's markup is the same whatever the values hold, and every value is in it.
    const Endpoints endpoints = Endpoints::defaults();
    const QString body = mailBody(endpoints, values);
    FUZZ_REQUIRE(markupOf(body) == markupOf(mailBody(endpoints, MailBodyValues())));
    for (const QString *field : fields)
        FUZZ_REQUIRE(body.contains(escapeHtml(*field)));

    FUZZ_REQUIRE(mailSubject(values.remark).contains(values.remark));
    return 0;
}
