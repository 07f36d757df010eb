#pragma once

#include "core/configuration.h"

#include <QString>
#include <functional>

class MessageBoxes;
class SaveDialog;
class UrlOpener;
class Clock;
class SoundPlayer;
class HttpClient;
class MailSender;
class SecretStore;

// What the desktop provides, handed to the windows. The program fills it with the real services
// (DesktopPlatform); tests replace only what a person would do or see.
struct Platform
{
    MessageBoxes *messages = nullptr;
    SaveDialog *saveDialog = nullptr;
    UrlOpener *urls = nullptr;
    Clock *clock = nullptr;
    SoundPlayer *sound = nullptr;
    HttpClient *http = nullptr;
    MailSender *mail = nullptr;
    SecretStore *secrets = nullptr; // none: passwords only from endpoints.ini

    Configuration *configuration = nullptr; // endpoints.ini, as the dialogs leave it

    QString dataDir;
    const Endpoints &endpoints() const { return configuration->endpoints(); }

    // Ends the program at once, bypassing the close question.
    std::function<void()> endProgram;
};
