#pragma once

#include <QString>

// Opens a web address in the user's browser.
class UrlOpener
{
public:
    virtual ~UrlOpener() = default;
    virtual void open(const QString &url) = 0;
};
