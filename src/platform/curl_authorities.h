#pragma once

#include <QByteArray>
#include <curl/curl.h>

// The system's certificate authorities and extra ones (a private server's) in one bundle for
// CURLOPT_CAINFO_BLOB: libcurl takes a single bundle, and naming a file of our own would replace
// the system's.
QByteArray curlAuthorityBundle(CURL *c, const QByteArray &extra);
