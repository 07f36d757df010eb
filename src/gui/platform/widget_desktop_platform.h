#pragma once

#include "gui/platform/platform.h"

#include <memory>

// The real desktop services: Qt message boxes and file dialog, the user's browser, the system
// clock, Qt Multimedia for the alert sound, Qt Network for HTTP.
class DesktopPlatform
{
public:
    explicit DesktopPlatform(const QString &dataDir);
    ~DesktopPlatform();

    Platform &platform() { return m_platform; }

private:
    Platform m_platform;
    struct Services;
    std::unique_ptr<Services> m_services;
};
