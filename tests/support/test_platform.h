#pragma once

#include "gui/platform/platform.h"
#include "test_services.h"

// The test services handed to the windows as their Platform.
class TestPlatform : public TestServices
{
public:
    TestPlatform();

    Platform &platform() { return m_platform; }
    bool useSecretStore(bool withSecretService, QString *error);

    int programEnded = 0;

private:
    Platform m_platform;
};
