#include "test_services.h"

#include "private_session_bus.h"

#include <gtest/gtest.h>

MsgAnswer ScriptedMessageBoxes::show(const QString &text, MsgIcon icon, MsgButtons buttons)
{
    shown.push_back({text, icon, buttons});
    if (!m_answers.empty()) {
        const MsgAnswer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    if (buttons != MsgButtons::Ok)
        ADD_FAILURE() << "unexpected question: " << text.toStdString();
    return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
}

QStringList ScriptedMessageBoxes::texts() const
{
    QStringList list;
    for (const Shown &s : shown)
        list.append(s.text);
    return list;
}

TestServices::TestServices()
{
    editEndpoints([](Endpoints &e) {
        // Nothing in a test may reach the default port by accident: a closed port on loopback.
        e.trackingUrl = QStringLiteral("http://127.0.0.1:9/");
        e.siteUrl = QStringLiteral("http://127.0.0.1:9");
        e.outletsUrl = QStringLiteral("http://127.0.0.1:9/");
        e.trackingTimeoutSeconds = 5;
        e.smtpPort = 9;
    });
    // A test that forgets its SMTP server must not wait the full two minutes.
    mail.setTimeouts(5000, 10000);
}

TestServices::~TestServices() = default;

void TestServices::useServer(const QString &baseUrl)
{
    editEndpoints([&](Endpoints &e) { e.useServer(baseUrl); });
}

void TestServices::useSmtp(int port, const QString &sender, const QString &password, SmtpSecurity security)
{
    editEndpoints([&](Endpoints &e) {
        e.smtpHost = QStringLiteral("127.0.0.1");
        e.smtpPort = port;
        e.smtpSender = sender;
        e.smtpPassword = password;
        e.smtpSecurity = security;
    });
}

bool TestServices::useSecretStore(bool withSecretService, QString *error)
{
    using PrivateSessionBus::Kind;
    if (!PrivateSessionBus::ensure(withSecretService ? Kind::WithSecretService : Kind::WithoutSecretService,
                                   error))
        return false;
    m_secretsInUse = true;
    return true;
}
