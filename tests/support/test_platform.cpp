#include "test_platform.h"

TestPlatform::TestPlatform()
{
    m_platform.messages = &messages;
    m_platform.saveDialog = &saveDialog;
    m_platform.urls = &urls;
    m_platform.clock = &clock;
    m_platform.sound = &sound;
    m_platform.http = &http;
    m_platform.mail = &mail;
    m_platform.dataDir = dataDir();
    m_platform.configuration = &configuration;
    m_platform.endProgram = [this] { ++programEnded; };
}

bool TestPlatform::useSecretStore(bool withSecretService, QString *error)
{
    if (!TestServices::useSecretStore(withSecretService, error))
        return false;
    m_platform.secrets = secretStore();
    return true;
}
