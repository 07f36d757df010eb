#include "store/notice_address.h"

NoticeAddressCheck checkNoticeAddress(const QString &address)
{
    if (address.isEmpty())
        return NoticeAddressCheck::Empty;
    if (!address.contains(QLatin1Char('@')))
        return NoticeAddressCheck::NoAt;
    for (const char *ending : {"com", "cn", "org", "info", "hk", "me", "net"}) {
        if (address.contains(QLatin1String(ending)))
            return NoticeAddressCheck::Accepted;
    }
    return NoticeAddressCheck::NoKnownEnding;
}
