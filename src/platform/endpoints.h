#pragma once

#include <QString>

// Where the program's services live. Read from endpoints.ini (UTF-8) in the data directory; every
// key is optional and falls back to the local sandbox service.
struct Endpoints
{
    static constexpr int kSandboxPort = 18730;

    QString trackingUrl; // base URL, path "/"
    QString trackingKey; // the 32-character account key sent as "id"
    int trackingTimeoutSeconds = 60;

    QString siteUrl; // host of /version/gx.txt and /data/tg.txt
    QString home, forum, feedback, studio, resources;
    QString resourcesCaption;
    QString mailImages; // host of the e-mail's images and promotion page
    QString contact; // customer-service number in the e-mail footer

    QString outletsUrl; // base address of the outlet search page

    QString smtpHost;
    int smtpPort = 25;
    QString smtpSender;
    QString smtpPassword;

    static Endpoints defaults();
    // Points every web address (tracking, site pages, mail images, outlets) at one server, its
    // paths as on the sandbox service. `base` is "http://host:port" without a trailing slash.
    void useServer(const QString &base);
    // A missing or malformed file, or a malformed value, gives the default for it.
    static Endpoints load(const QString &iniPath);
    // Writes every value (used by the demo set-up and tests).
    bool save(const QString &iniPath) const;
};
