#include "gui/dialogs/sender_settings_dialog.h"

#include "gui/dialogs/secret_keeping.h"

#include "gui/platform/platform.h"
#include "monitor/mail_message.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/secret_store.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QLabel *noteLabel(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}
} // namespace

SenderSettingsDialog::SenderSettingsDialog(Platform &platform, const QString &noticeAddress, QWidget *parent)
    : QDialog(parent)
    , m_platform(platform)
    , m_noticeAddress(noticeAddress)
{
    setObjectName(QStringLiteral("SenderSettingsDialog"));
    setWindowTitle(tr("发件设置"));
    buildControls();
    fillFields(senderSettings(platform.endpoints(), platform.endpoints().smtpPassword));
    if (!m_platform.secrets || !m_platform.secrets->available()) {
        m_storeNote->setText(tr("未找到系统密钥环（Secret Service），密码无法安全保存；保存时可选择把密码存入"
                                "endpoints.ini（该文件仅您本人可读）。"));
        m_storeNote->show();
    } else if (platform.endpoints().smtpPassword.isEmpty()) {
        fillStoredPassword();
    }
}

void SenderSettingsDialog::buildControls()
{
    auto *form = new QFormLayout;
    m_provider = new QComboBox(this);
    m_provider->setObjectName(QStringLiteral("provider"));
    for (const SmtpProviderPreset &preset : smtpProviderPresets())
        m_provider->addItem(QCoreApplication::translate("SenderSettings", preset.name.toUtf8().constData()));
    m_provider->addItem(tr("自定义"));
    form->addRow(tr("服务商"), m_provider);

    m_host = new QLineEdit(this);
    m_host->setObjectName(QStringLiteral("host"));
    form->addRow(tr("SMTP服务器"), m_host);
    m_port = new QSpinBox(this);
    m_port->setObjectName(QStringLiteral("port"));
    m_port->setRange(1, 65535);
    form->addRow(tr("端口"), m_port);
    m_security = new QComboBox(this);
    m_security->setObjectName(QStringLiteral("security"));
    for (const auto &[security, caption] : smtpSecurityChoices())
        m_security->addItem(QCoreApplication::translate("SenderSettings", caption.toUtf8().constData()),
                            static_cast<int>(security));
    form->addRow(tr("加密方式"), m_security);
    m_plainWarning
        = noteLabel(this, "plainWarning", tr("不加密时，密码和邮件以明文经过网络，途中任何人都能看到。"));
    form->addRow(m_plainWarning);

    m_sender = new QLineEdit(this);
    m_sender->setObjectName(QStringLiteral("sender"));
    form->addRow(tr("发件邮箱"), m_sender);
    m_username = new QLineEdit(this);
    m_username->setObjectName(QStringLiteral("username"));
    m_username->setPlaceholderText(tr("留空则为发件邮箱"));
    form->addRow(tr("用户名"), m_username);
    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("password"));
    m_password->setEchoMode(QLineEdit::Password);
    form->addRow(tr("密码"), m_password);
    form->addRow(noteLabel(this, "passwordHint",
                           tr("提示：许多邮箱服务商（如QQ邮箱、163邮箱、Gmail）要求填写在邮箱设置中生成的"
                              "授权码（应用专用密码），而不是邮箱的登录密码。")));
    m_storeNote = noteLabel(this, "storeNote", QString());
    m_storeNote->hide();
    form->addRow(m_storeNote);

    m_result = noteLabel(this, "result", QString());
    m_result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_testMail = new QPushButton(tr("发送测试邮件"), this);
    m_testMail->setObjectName(QStringLiteral("sendTestMail"));
    m_save = new QPushButton(tr("保存"), this);
    m_save->setObjectName(QStringLiteral("save"));
    m_save->setDefault(true);
    m_cancel = new QPushButton(tr("取消"), this);
    m_cancel->setObjectName(QStringLiteral("cancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_testMail);
    buttons->addStretch();
    buttons->addWidget(m_save);
    buttons->addWidget(m_cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_result);
    layout->addLayout(buttons);
    setMinimumWidth(440);

    connect(m_provider, &QComboBox::activated, this, &SenderSettingsDialog::choosePreset);
    connect(m_host, &QLineEdit::textChanged, this, &SenderSettingsDialog::followServer);
    connect(m_port, &QSpinBox::valueChanged, this, &SenderSettingsDialog::followServer);
    connect(m_security, &QComboBox::currentIndexChanged, this, &SenderSettingsDialog::followServer);
    connect(m_password, &QLineEdit::textEdited, this, [this] { m_passwordEdited = true; });
    connect(m_testMail, &QPushButton::clicked, this, &SenderSettingsDialog::sendTestMail);
    connect(m_save, &QPushButton::clicked, this, &SenderSettingsDialog::save);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void SenderSettingsDialog::fillFields(const SenderSettings &s)
{
    m_filling = true;
    m_host->setText(s.host);
    m_port->setValue(s.port);
    m_security->setCurrentIndex(m_security->findData(static_cast<int>(s.security)));
    m_sender->setText(s.sender);
    m_username->setText(s.username);
    m_password->setText(s.password);
    m_filling = false;
    followServer();
}

SenderSettings SenderSettingsDialog::settings() const
{
    SenderSettings s;
    s.host = m_host->text().trimmed();
    s.port = m_port->value();
    s.security = static_cast<SmtpSecurity>(m_security->currentData().toInt());
    s.sender = m_sender->text().trimmed();
    s.username = m_username->text().trimmed();
    s.password = m_password->text();
    return s;
}

void SenderSettingsDialog::choosePreset(int index)
{
    if (index < 0 || index >= smtpProviderPresets().size())
        return; // 自定义: the server stays as typed
    const SmtpProviderPreset &preset = smtpProviderPresets()[index];
    m_filling = true;
    m_host->setText(preset.host);
    m_port->setValue(preset.port);
    m_security->setCurrentIndex(m_security->findData(static_cast<int>(preset.security)));
    m_filling = false;
    followServer();
}

void SenderSettingsDialog::followServer()
{
    if (m_filling)
        return;
    const SenderSettings s = settings();
    const int preset = matchingPreset(s.host, s.port, s.security);
    m_provider->setCurrentIndex(preset >= 0 ? preset : m_provider->count() - 1);
    m_plainWarning->setVisible(s.security == SmtpSecurity::None);
}

void SenderSettingsDialog::fillStoredPassword()
{
    const SenderSettings s = settings();
    m_platform.secrets->read(smtpSecretKey(s.login(), s.host), this, [this](const SecretStore::Result &read) {
        // What the user typed meanwhile stays.
        if (read.status == SecretStore::Status::Ok && !m_passwordEdited)
            m_password->setText(read.secret);
        else if (read.status == SecretStore::Status::Failed || read.status == SecretStore::Status::TimedOut
                 || read.status == SecretStore::Status::Locked)
            tell(tr("无法从系统密钥环读取密码：") + read.error);
    });
}

void SenderSettingsDialog::sendTestMail()
{
    const SenderSettings s = settings();
    const QString problem = senderSettingsProblem(s);
    if (!problem.isEmpty())
        return tell(problem);
    if (!m_platform.mail)
        return tell(tr("测试邮件发送失败!错误原因没有邮件组件"));
    Endpoints endpoints = m_platform.endpoints(); // its certificate file and the rest stay
    applySenderSettings(endpoints, s);
    const MailMessage mail = senderTestMail(s, m_noticeAddress, m_platform.clock->now());
    setBusy(true);
    tell(tr("正在发送测试邮件至%1，请稍等..").arg(mail.to));
    m_platform.mail->sendAsync(smtpAccount(endpoints, s.password), outgoingMail(mail), this,
                               [this, to = mail.to](const MailResult &r) {
                                   setBusy(false);
                                   tell(r.ok ? tr("测试邮件已发送至%1，请查收。").arg(to)
                                             : tr("测试邮件发送失败!错误原因") + r.error);
                               });
}

void SenderSettingsDialog::save()
{
    const SenderSettings s = settings();
    const QString problem = senderSettingsProblem(s);
    if (!problem.isEmpty())
        return tell(problem);
    setBusy(true);
    keepSecret(
        m_platform, this, smtpSecretKey(s.login(), s.host), s.password,
        {tr("密码", "the secret, within a sentence"), tr("发件设置", "the settings, within a sentence")},
        [this](const QString &text) { tell(text); },
        [this, s](SecretInFile password, const QString &note) { finishSave(s, password, note); });
}

void SenderSettingsDialog::finishSave(const SenderSettings &s, SecretInFile password, const QString &note)
{
    QString error;
    if (!saveSenderSettings(iniPath(), s, password, &error)) {
        setBusy(false);
        return tell(tr("发件设置保存失败!错误原因") + error);
    }
    m_platform.configuration->edit([&](Endpoints &endpoints) {
        applySenderSettings(endpoints, s);
        if (password == SecretInFile::Write)
            endpoints.smtpPassword = s.password;
        else if (password == SecretInFile::Remove)
            endpoints.smtpPassword.clear();
    });
    if (!note.isEmpty())
        m_platform.messages->show(note, MsgIcon::Information, MsgButtons::Ok);
    accept();
}

void SenderSettingsDialog::setBusy(bool busy)
{
    m_testMail->setEnabled(!busy);
    m_save->setEnabled(!busy);
}

void SenderSettingsDialog::tell(const QString &text)
{
    m_result->setText(text);
}

QString SenderSettingsDialog::iniPath() const
{
    return joinPath(m_platform.dataDir, QStringLiteral("endpoints.ini"));
}
