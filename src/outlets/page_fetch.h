#pragma once

#include <QByteArray>
#include <QString>

class HttpClient;

constexpr int kPageFetchTimeoutMs = 30000;

// A fetched page's text; on a failed transfer the text is empty and `failed` says so.
struct FetchedPage
{
    QString text;
    bool failed = false;
    QString errorText;
};

// GET with the single extra header "If-Modified-Since: 0". Waits without holding the processor,
// at most timeoutMs, with user input held meanwhile; a failure comes back as `failed`.
FetchedPage GetBody(HttpClient &http, const QString &URL, int timeoutMs = kPageFetchTimeoutMs);

// The page's text in the charset it declares: the Content-Type header, else a <meta> declaration,
// else UTF-8 when the bytes are valid UTF-8, else GB18030.
QString decodePage(const QByteArray &body, const QByteArray &contentType);

// The charset named by the first <meta charset> or <meta http-equiv content="...charset=">
// of the page, lower case; empty when there is none.
QByteArray declaredCharset(const QByteArray &body);

// UTF-8 percent-encoding of every non-ASCII character, upper-case hex; ASCII passes unchanged.
QString UTF8_URLEncoding(const QString &szInput);
