#pragma once

#include "core/endpoints.h"

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
class TrackingClient;

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
    TrackingClient *tracking = nullptr; // the session's client of the tracking service; none: one per query

    QString dataDir;
    Endpoints endpoints;

    // Ends the program at once, bypassing the close question.
    std::function<void()> endProgram;
};
