#include "services/tracking_service.h"
#include "gui/platform/widget_desktop_platform.h"

#include "platform/clock.h"
#include "platform/http_client.h"
#include "platform/mail_transport.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/save_dialog.h"
#include "platform/secret_store.h"
#include "platform/sound_player.h"
#include "platform/url_opener.h"
#include "gui/platform/widget_services.h"

#include <QApplication>

struct DesktopPlatform::Services
{
    WidgetMessageBoxes messages;
    WidgetSaveDialog saveDialog;
    DesktopUrlOpener urls;
    SystemClock clock;
    MediaSoundPlayer sound;
    HttpClient http;
    MailSender mail;
    SecretStore secrets;
    Configuration configuration;
};

DesktopPlatform::DesktopPlatform(const QString &dataDir)
    : m_services(std::make_unique<Services>())
{
    m_platform.messages = &m_services->messages;
    m_platform.saveDialog = &m_services->saveDialog;
    m_platform.urls = &m_services->urls;
    m_platform.clock = &m_services->clock;
    m_platform.sound = &m_services->sound;
    m_platform.http = &m_services->http;
    m_platform.mail = &m_services->mail;
    m_platform.secrets = &m_services->secrets;
    m_platform.dataDir = dataDir;
    m_services->configuration.set(loadServiceEndpoints(joinPath(dataDir, QStringLiteral("endpoints.ini"))));
    m_platform.configuration = &m_services->configuration;
    m_platform.endProgram = [] { QApplication::exit(0); };
}

DesktopPlatform::~DesktopPlatform() = default;
