#pragma once

#include "monitor/sender_settings.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
struct Platform;

// "发件设置": the notice mail's server, sender, login and password, with a test mail. Saving
// writes [smtp] of endpoints.ini and the password to the secret store; without a store the
// password goes to endpoints.ini only when the user agrees. The platform's endpoints follow, so
// the next notice uses what was saved.
class SenderSettingsDialog : public QDialog
{
    Q_OBJECT

public:
    SenderSettingsDialog(Platform &platform, const QString &noticeAddress, QWidget *parent = nullptr);

private:
    void buildControls();
    void fillFields(const SenderSettings &settings);
    SenderSettings settings() const;
    void choosePreset(int index);
    void followServer(); // "服务商" names the preset the server matches, else "自定义"
    void fillStoredPassword();
    void sendTestMail();
    void save();
    void finishSave(const SenderSettings &settings, SecretInFile password, const QString &note);
    void setBusy(bool busy);
    void tell(const QString &text);
    QString iniPath() const;

    Platform &m_platform;
    QString m_noticeAddress;
    bool m_filling = false;
    bool m_passwordEdited = false;

    QComboBox *m_provider = nullptr;
    QLineEdit *m_host = nullptr;
    QSpinBox *m_port = nullptr;
    QComboBox *m_security = nullptr;
    QLabel *m_plainWarning = nullptr;
    QLineEdit *m_sender = nullptr;
    QLineEdit *m_username = nullptr;
    QLineEdit *m_password = nullptr;
    QLabel *m_storeNote = nullptr;
    QLabel *m_result = nullptr;
    QPushButton *m_testMail = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_cancel = nullptr;
};
