#pragma once

#include "core/configuration.h"
#include "platform/clock.h"
#include "platform/http_client.h"
#include "platform/mail_transport.h"
#include "platform/message_box.h"
#include "platform/save_dialog.h"
#include "platform/secret_store.h"
#include "platform/sound_player.h"
#include "platform/url_opener.h"

#include <QDateTime>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

// Message boxes answered as a person would: each question takes the next scripted answer. A
// question with no scripted answer fails the test; a plain OK box needs none.
class ScriptedMessageBoxes : public MessageBoxes
{
public:
    struct Shown
    {
        QString text;
        MsgIcon icon;
        MsgButtons buttons;
    };

    void answerNext(MsgAnswer answer) { m_answers.push_back(answer); }
    MsgAnswer show(const QString &text, MsgIcon icon, MsgButtons buttons) override;

    std::vector<Shown> shown;
    QStringList texts() const;
    bool allAnswersUsed() const { return m_answers.empty(); }

private:
    std::deque<MsgAnswer> m_answers;
};

class ScriptedSaveDialog : public SaveDialog
{
public:
    QString askSaveFileName(const QString &filter) override
    {
        ++asked;
        lastFilter = filter;
        return nextName;
    }
    QString askOpenFileName(const QString &filter) override
    {
        ++asked;
        lastFilter = filter;
        return nextName;
    }
    QString askDirectory() override
    {
        ++asked;
        lastFilter.clear();
        return nextName;
    }
    QString nextName; // null: the user cancels
    QString lastFilter;
    int asked = 0;
};

class RecordingUrlOpener : public UrlOpener
{
public:
    void open(const QString &url) override { opened.append(url); }
    QStringList opened;
};

// Real time unless set; once set it stays where it was put (advance() moves it).
class TestClock : public Clock
{
public:
    QDateTime now() const override { return m_fixed.isValid() ? m_fixed : QDateTime::currentDateTime(); }
    void set(const QDateTime &time) { m_fixed = time; }
    void advance(qint64 seconds) { m_fixed = now().addSecs(seconds); }

private:
    QDateTime m_fixed;
};

class RecordingSoundPlayer : public SoundPlayer
{
public:
    struct Played
    {
        QString path;
        int volume;
    };
    void play(const QString &path, int volume) override { played.push_back({path, volume}); }
    std::vector<Played> played;
};

// What a test gives the code under test: a fresh data directory, scripted people, a clock it
// sets, real HTTP and SMTP clients, the endpoints as a Configuration.
class TestServices
{
public:
    TestServices();
    ~TestServices();
    TestServices(const TestServices &) = delete;
    TestServices &operator=(const TestServices &) = delete;

    QString dataDir() const { return m_dir.path(); }
    // Changes the endpoints as a settings dialog would: whatever follows them hears of it.
    void editEndpoints(const std::function<void(Endpoints &)> &change) { configuration.edit(change); }
    // Points every endpoint at a server on 127.0.0.1 (tracking, site, outlets).
    void useServer(const QString &baseUrl);
    // Points the notice mail at an SMTP server on 127.0.0.1, plain unless told otherwise.
    void useSmtp(int port, const QString &sender, const QString &password,
                 SmtpSecurity security = SmtpSecurity::None);
    // Uses a secret store on this process's own session bus (PrivateSessionBus), with or without
    // a Secret Service on it. False with the reason when the bus could not start.
    bool useSecretStore(bool withSecretService, QString *error);
    // The secret store in use: none until useSecretStore().
    SecretStore *secretStore() { return m_secretsInUse ? &secrets : nullptr; }

    ScriptedMessageBoxes messages;
    ScriptedSaveDialog saveDialog;
    RecordingUrlOpener urls;
    TestClock clock;
    RecordingSoundPlayer sound;
    HttpClient http;
    MailSender mail;
    SecretStore secrets;
    Configuration configuration;

private:
    QTemporaryDir m_dir;
    bool m_secretsInUse = false;
};
