#pragma once

#include "core/endpoints.h"

#include <QString>

// The data of one notice mail. Every field comes from the user or the tracking service.
struct MailBodyValues
{
    QString remark;
    QString number;
    QString time; // of the newest progress line
    QString progress; // of the newest progress line
    QString transit; // time on the way
    QString carrier;
    QString promoUrl;
    QString promoText;
    QString sendTime;
};

// "您的快递【" + remark + "】有最新动态 - LumetraParcelvue"
QString mailSubject(const QString &remark);

// The HTML letter: letterhead, the parcel's newest line, promotion link, signature and footer.
// The values are HTML-escaped (quotes included, the attributes are single-quoted); the
// addresses and texts of the maker's site come from the endpoints as they are.
QString mailBody(const Endpoints &endpoints, const MailBodyValues &values);

// The same facts as plain text, for mail programs that show no HTML: note, number, newest line,
// time on the way, carrier, promotion link, signature and footer. CR LF line ends.
QString mailText(const Endpoints &endpoints, const MailBodyValues &values);

// & < > " ' as character references.
QString escapeHtml(const QString &text);
