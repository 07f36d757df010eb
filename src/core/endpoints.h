#pragma once

#include "platform/mail_transport.h"

#include <QString>

// Where the program's services live. Read from endpoints.ini (UTF-8) in the data directory; every
// key is optional and falls back to the local sandbox service.
struct Endpoints
{
    static constexpr int kSandboxPort = 18730;

    QString trackingUrl; // base URL, path "/"
    bool trackingUrlGiven = false; // endpoints.ini names the URL (else a service's own is used)
    QString trackingKey; // the 32-character account key sent as "id"
    int trackingTimeoutSeconds = 60;
    // The service asked: "designed" (the program's own protocol), "kdniao" or "17track"; its
    // keys. A key left empty here is looked for in the secret store.
    QString trackingService = QStringLiteral("designed");
    QString kdniaoBusinessId; // 快递鸟's 用户ID (EBusinessID)
    QString kdniaoAppKey; // 快递鸟's API key
    QString track17Token; // 17TRACK's API key, sent as the 17token header

    QString siteUrl; // host of /version/gx.txt and /data/tg.txt
    QString home, forum, feedback, studio, resources;
    QString resourcesCaption;
    QString mailImages; // host of the e-mail's images and promotion page
    QString contact; // customer-service number in the e-mail footer

    QString outletsUrl; // base address of the outlet search page

    QString smtpHost;
    int smtpPort = 25;
    QString smtpSender;
    QString smtpPassword; // from the file; the secret store holds it otherwise
    SmtpSecurity smtpSecurity = SmtpSecurity::ByPort;
    QString smtpUsername; // empty: the sender address
    QString smtpCaFile; // an extra certificate authority to trust, for a private server

    QString smtpLogin() const { return smtpUsername.isEmpty() ? smtpSender : smtpUsername; }

    static Endpoints defaults();
    // Points every web address (tracking, site pages, mail images, outlets) at one server, its
    // paths as on the sandbox service. `base` is "http://host:port" without a trailing slash.
    void useServer(const QString &base);
    // A missing or malformed file, or a malformed value, gives the default for it.
    static Endpoints load(const QString &iniPath);
    // Writes every value (used by the demo set-up and tests), readable by the owner only.
    bool save(const QString &iniPath) const;
};

// What becomes of a secret's line in endpoints.ini (a service's key, the mail password) when a
// settings dialog saves.
enum class SecretInFile {
    Remove, // the secret store holds it (or there is none): a line left in the file would win
    Write, // no secret store, and the user agreed
    Keep, // the user refused the file: the line stays as it was
};

// The account of the endpoints' [smtp] section with the given password.
SmtpAccount smtpAccount(const Endpoints &endpoints, const QString &password);
