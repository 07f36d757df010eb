#pragma once

#include "mailscan/mail_scan.h"

#include <QObject>
#include <memory>
#include <vector>

class DesktopNotifier;
class ImapReader;
class MainWindow;
class QTimer;
class TrackingHistory;
struct ImapAccount;
struct ImapReadResult;
struct Platform;

// "自动检查新邮件": every 30 minutes the mailbox of "从邮件导入" is read for mail that came since the
// last scan; new numbers are offered in a notification ("发现2个新单号", 查看 shows them in the
// table). Nothing is added by itself.
class MailWatch : public QObject
{
    Q_OBJECT

public:
    static constexpr int kIntervalMs = 30 * 60 * 1000;

    MailWatch(Platform &platform, MainWindow &window, TrackingHistory &history, DesktopNotifier &notifier,
              QObject *parent = nullptr);
    ~MailWatch() override;

    void setEnabled(bool on);
    bool enabled() const;
    void setIntervalMs(int ms); // for tests
    // Reads the mailbox now (unless a reading is under way or no account is set up).
    void checkNow();

Q_SIGNALS:
    // 查看 on the notification: the numbers it told of.
    void viewRequested(const std::vector<FoundNumber> &numbers);
    void checked(const QString &error); // after each reading; empty when it went well

private:
    void read(const ImapAccount &account);
    void onFinished(const ImapReadResult &result);

    Platform &m_platform;
    MainWindow &m_window;
    TrackingHistory &m_history;
    DesktopNotifier &m_notifier;
    QTimer *m_timer = nullptr;
    ImapReader *m_reader = nullptr;
    std::shared_ptr<MailScan> m_scan; // filled on the reader's thread
    QString m_stateName;
    std::vector<FoundNumber> m_offered;
};
