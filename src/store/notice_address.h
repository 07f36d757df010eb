#pragma once

#include <QString>

// The settings panel's test of the notice address, as the program has always made it: an "@" and
// one of the endings "com", "cn", "org", "info", "hk", "me", "net" anywhere in the text
// (case-sensitive containment; "a@me" passes, "A@B.COM" does not).
enum class NoticeAddressCheck { Empty, NoAt, NoKnownEnding, Accepted };

NoticeAddressCheck checkNoticeAddress(const QString &address);
