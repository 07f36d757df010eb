// A raw mail as any server or mail folder may hand it over: headers, MIME parts, transfer
// encodings and charsets decoded into what a person reads.
#include "fuzz_check.h"
#include "mailscan/mail_text.h"

#include <cstddef>
#include <cstdint>

namespace {
// Every byte as =XX, with soft line breaks: the longest-winded quoted-printable there is.
QByteArray quotedPrintable(const QByteArray &bytes)
{
    QByteArray out;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        out += '=' + QByteArray(1, bytes.at(i)).toHex().toUpper();
        if (i % 25 == 24)
            out += "=\r\n";
    }
    return out;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    const MailText mail = readMail(bytes);
    FUZZ_REQUIRE(mail.body.size() <= kMailTextLimit);

    FUZZ_REQUIRE(decodeQuotedPrintable(quotedPrintable(bytes)) == bytes);
    FUZZ_REQUIRE(decodeQuotedPrintable(bytes).size() <= bytes.size());

    // Text in an encoded word, base64 or Q, reads back as itself (a leading byte-order mark is
    // dropped, as decoders do).
    const QString text = QString::fromUtf8(bytes);
    if (isValidText(text) && !text.startsWith(QChar(0xFEFF))) {
        const QByteArray utf8 = text.toUtf8();
        FUZZ_REQUIRE(decodeHeaderValue("=?utf-8?B?" + utf8.toBase64() + "?=") == text.simplified());
        QByteArray q = quotedPrintable(utf8);
        q.replace("=\r\n", "");
        FUZZ_REQUIRE(decodeHeaderValue("=?UTF-8?Q?" + q + "?=") == text.simplified());
    }
    htmlToText(text);
    return 0;
}
