#pragma once

#include <QByteArray>
#include <QString>

// The program's text files are GBK. GB18030 reads every GBK file byte for byte the same and can
// also write characters that GBK lacks, so both directions go through it.
QString decodeGb(const QByteArray &bytes);
QByteArray encodeGb(const QString &text);

bool isValidUtf8(const QByteArray &bytes);

// Decodes with the named charset when Qt knows it and the bytes are valid in it; otherwise UTF-8
// when the bytes are valid UTF-8, else GB18030.
QString decodeWithCharset(const QByteArray &bytes, const QByteArray &charset);

// The charset parameter of a Content-Type header value, lower case; empty when there is none.
QByteArray charsetOfContentType(const QByteArray &contentType);
