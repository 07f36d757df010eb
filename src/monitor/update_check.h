#pragma once

#include <QString>

// "V" + major + "." + minor: the version text the maker's site names for this program.
QString programVersionText();

// The version file's text with trailing line ends and blanks removed.
QString versionFileText(const QString &fetched);

// "V" followed by digits separated by single dots ("V4.2", "V10"); an error page or a portal's
// HTML is not a version.
bool isVersionText(const QString &text);

// The announcement "link text|link target|...". Without a bar the link text is empty and the
// target keeps the value it had.
struct Announcement
{
    QString text;
    QString url;
};
Announcement splitAnnouncement(const QString &promo, const QString &previousUrl);
