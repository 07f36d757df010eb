#include "platform/curl_authorities.h"

#include <QFile>
#include <QString>

QByteArray curlAuthorityBundle(CURL *c, const QByteArray &extra)
{
    QByteArray bundle;
    char *systemBundle = nullptr;
    if (curl_easy_getinfo(c, CURLINFO_CAINFO, &systemBundle) == CURLE_OK && systemBundle) {
        QFile file(QString::fromLocal8Bit(systemBundle));
        if (file.open(QIODevice::ReadOnly))
            bundle = file.readAll() + '\n';
    }
    return bundle + extra;
}
