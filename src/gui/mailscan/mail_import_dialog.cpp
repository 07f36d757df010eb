#include "gui/mailscan/mail_import_dialog.h"

#include "core/carrier_catalogue.h"
#include "gui/platform/platform.h"
#include "gui/window/main_window.h"
#include "mailscan/mail_account.h"
#include "mailscan/mail_folder.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/save_dialog.h"
#include "platform/secret_store.h"
#include "watch/tracking_history.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QThread>
#include <QVBoxLayout>

namespace {
constexpr int kDefaultDays = 30;
enum Column {
    NumberColumn,
    CarrierColumn,
    NoteColumn,
    SenderColumn,
    SubjectColumn,
    DateColumn,
    SentenceColumn,
    ColumnCount
};

QLabel *labelFor(const QString &text, QWidget *input, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(input);
    input->setAccessibleName(QString(text).remove(QLatin1Char(':')));
    return label;
}
} // namespace

MailImportDialog::MailImportDialog(Platform &platform, MainWindow &window, TrackingHistory &history,
                                   QWidget *parent)
    : QDialog(parent)
    , m_platform(platform)
    , m_window(window)
    , m_history(history)
{
    setObjectName(QStringLiteral("mailImportDialog"));
    setWindowTitle(tr("从邮件导入"));
    auto *layout = new QVBoxLayout(this);
    auto *privacy = new QLabel(tr("邮件只在本机读取,不会发送到任何地方;不会更改邮件的任何标记。"
                                  "找到的单号只在您勾选并点击“添加所选”后才会添加。"),
                               this);
    privacy->setWordWrap(true);
    layout->addWidget(privacy);

    const MailAccountSettings account
        = loadMailAccount(joinPath(m_platform.dataDir, QStringLiteral("endpoints.ini")));
    auto *source = new QGridLayout;
    auto *sources = new QButtonGroup(this);
    serverSource = new QRadioButton(tr("收件服务器"), this);
    serverSource->setObjectName(QStringLiteral("serverSource"));
    sources->addButton(serverSource);
    source->addWidget(serverSource, 0, 0, 1, 4);
    const auto field = [&](QLineEdit *&edit, const char *name, const QString &label, const QString &value,
                           int row, int column) {
        edit = new QLineEdit(value, this);
        edit->setObjectName(QLatin1String(name));
        source->addWidget(labelFor(label, edit, this), row, column);
        source->addWidget(edit, row, column + 1);
    };
    field(host, "host", tr("服务器:"), account.account.host, 1, 0);
    port = new QSpinBox(this);
    port->setObjectName(QStringLiteral("port"));
    port->setRange(1, 65535);
    port->setValue(account.account.port);
    source->addWidget(labelFor(tr("端口:"), port, this), 1, 2);
    source->addWidget(port, 1, 3);
    field(login, "login", tr("用户名:"), account.account.login, 2, 0);
    security = new QComboBox(this);
    security->setObjectName(QStringLiteral("security"));
    security->addItem(QStringLiteral("TLS"), int(ImapSecurity::Tls));
    security->addItem(QStringLiteral("STARTTLS"), int(ImapSecurity::StartTls));
    security->setCurrentIndex(account.account.security == ImapSecurity::StartTls ? 1 : 0);
    source->addWidget(labelFor(tr("加密:"), security, this), 2, 2);
    source->addWidget(security, 2, 3);
    field(password, "password", tr("密码:"), account.account.password, 3, 0);
    password->setEchoMode(QLineEdit::Password);
    if (!account.passwordInFile)
        password->setPlaceholderText(tr("已保存在密钥环中则可留空"));
    field(mailbox, "mailbox", tr("文件夹:"), account.account.folder, 3, 2);
    m_caFile = account.account.caFile;

    folderSource = new QRadioButton(tr("本地邮件文件夹"), this);
    folderSource->setObjectName(QStringLiteral("folderSource"));
    sources->addButton(folderSource);
    (account.configured() ? serverSource : folderSource)->setChecked(true);
    source->addWidget(folderSource, 4, 0, 1, 4);
    folderPath = new QLineEdit(this);
    folderPath->setObjectName(QStringLiteral("folderPath"));
    folderPath->setPlaceholderText(tr("mbox 文件(如 Thunderbird 的 Mail/.../Inbox)或 Maildir 目录"));
    source->addWidget(labelFor(tr("邮件文件夹:"), folderPath, this), 5, 0);
    source->addWidget(folderPath, 5, 1);
    chooseFile = new QPushButton(tr("选择文件..."), this);
    chooseFile->setObjectName(QStringLiteral("chooseFile"));
    source->addWidget(chooseFile, 5, 2);
    chooseDirectory = new QPushButton(tr("选择目录..."), this);
    chooseDirectory->setObjectName(QStringLiteral("chooseDirectory"));
    source->addWidget(chooseDirectory, 5, 3);
    days = new QSpinBox(this);
    days->setObjectName(QStringLiteral("days"));
    days->setRange(0, 3650);
    days->setValue(kDefaultDays);
    days->setSpecialValueText(tr("全部"));
    days->setSuffix(tr(" 天"));
    source->addWidget(labelFor(tr("读取最近:"), days, this), 6, 0);
    source->addWidget(days, 6, 1);
    layout->addLayout(source);

    auto *run = new QHBoxLayout;
    scan = new QPushButton(tr("开始读取"), this);
    scan->setObjectName(QStringLiteral("scan"));
    run->addWidget(scan);
    progress = new QProgressBar(this);
    progress->setObjectName(QStringLiteral("progress"));
    progress->setAccessibleName(tr("读取进度"));
    progress->setTextVisible(false);
    progress->hide();
    run->addWidget(progress, 1);
    status = new QLabel(this);
    status->setObjectName(QStringLiteral("status"));
    run->addWidget(status, 1);
    layout->addLayout(run);

    found = new QTableWidget(0, ColumnCount, this);
    found->setObjectName(QStringLiteral("found"));
    found->setHorizontalHeaderLabels(
        {tr("单号"), tr("快递公司"), tr("备注"), tr("发件人"), tr("主题"), tr("日期"), tr("原文")});
    found->horizontalHeader()->setStretchLastSection(true);
    found->verticalHeader()->hide();
    auto *foundLabel = new QLabel(tr("找到的单号"), this);
    foundLabel->setBuddy(found);
    found->setAccessibleName(tr("找到的单号"));
    layout->addWidget(foundLabel);
    layout->addWidget(found, 1);

    auto *buttons = new QHBoxLayout;
    checkNewMail = new QCheckBox(tr("自动检查新邮件"), this);
    checkNewMail->setObjectName(QStringLiteral("checkNewMail"));
    checkNewMail->setToolTip(tr("每30分钟读取收件服务器上的新邮件,在通知中提示找到的新单号;不会自动添加"));
    buttons->addWidget(checkNewMail);
    buttons->addStretch(1);
    addChosen = new QPushButton(tr("添加所选"), this);
    addChosen->setObjectName(QStringLiteral("addChosen"));
    addChosen->setEnabled(false);
    buttons->addWidget(addChosen);
    auto *close = new QPushButton(tr("关闭"), this);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    resize(820, 480);

    connect(serverSource, &QRadioButton::toggled, this, &MailImportDialog::updateSource);
    connect(security, &QComboBox::activated, this, [this] {
        // The port follows the way of encryption while it is one of the two usual ports.
        if (port->value() == 993 || port->value() == 143)
            port->setValue(security->currentData().toInt() == int(ImapSecurity::Tls) ? 993 : 143);
    });
    updateSource();
    connect(chooseFile, &QPushButton::clicked, this, [this] {
        const QString file = m_platform.saveDialog->askOpenFileName(QStringLiteral("mbox (*)"));
        if (!file.isNull())
            folderPath->setText(QDir::toNativeSeparators(file));
    });
    connect(chooseDirectory, &QPushButton::clicked, this, [this] {
        const QString dir = m_platform.saveDialog->askDirectory();
        if (!dir.isNull())
            folderPath->setText(QDir::toNativeSeparators(dir));
    });
    connect(scan, &QPushButton::clicked, this, [this] { scanning() ? stopScan() : startScan(); });
    connect(addChosen, &QPushButton::clicked, this, &MailImportDialog::onAddChosen);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
}

MailImportDialog::~MailImportDialog()
{
    stopScan();
    if (m_thread)
        m_thread->wait();
}

void MailImportDialog::updateSource()
{
    const bool server = serverSource->isChecked();
    for (QWidget *input :
         {static_cast<QWidget *>(host), static_cast<QWidget *>(port), static_cast<QWidget *>(security),
          static_cast<QWidget *>(login), static_cast<QWidget *>(password), static_cast<QWidget *>(mailbox)})
        input->setEnabled(server);
    for (QWidget *input : {static_cast<QWidget *>(folderPath), static_cast<QWidget *>(chooseFile),
                           static_cast<QWidget *>(chooseDirectory)})
        input->setEnabled(!server);
}

void MailImportDialog::startScan()
{
    if (scanning())
        return;
    if (serverSource->isChecked()) {
        startServerScan();
        return;
    }
    const QString path = QDir::fromNativeSeparators(folderPath->text().trimmed());
    MailFolderKind kind;
    if (path.isEmpty() || !mailFolderKind(path, &kind)) {
        status->setText(path.isEmpty()
                            ? tr("请选择 mbox 文件或 Maildir 目录")
                            : tr("%1 不是 mbox 文件或 Maildir 目录").arg(QDir::toNativeSeparators(path)));
        return;
    }
    const QDateTime since = days->value() > 0 ? m_platform.clock->now().addDays(-days->value()) : QDateTime();
    m_afterScan = nullptr;
    runReader(
        [path, kind](const MailVisitor &visit, const std::atomic<bool> &,
                     const std::function<void(int, int)> &) { return readMailFolder(path, kind, visit); },
        savedNumbers(m_window.savedLines()), since);
}

void MailImportDialog::startServerScan()
{
    ImapAccount account;
    account.host = host->text().trimmed();
    account.port = port->value();
    account.security = ImapSecurity(security->currentData().toInt());
    account.login = login->text().trimmed();
    account.password = password->text();
    account.folder
        = mailbox->text().trimmed().isEmpty() ? QStringLiteral("INBOX") : mailbox->text().trimmed();
    account.caFile = m_caFile;
    if (account.host.isEmpty() || account.login.isEmpty()) {
        status->setText(tr("请填写收件服务器和用户名"));
        return;
    }
    if (account.password.isEmpty()) {
        if (!m_platform.secrets) {
            status->setText(tr("请填写密码"));
            return;
        }
        // The password kept in the secret store when the account was last read.
        status->setText(tr("正在从密钥环读取密码..."));
        scan->setEnabled(false);
        m_platform.secrets->read(imapSecretKey(account), this,
                                 [this, account](const SecretStore::Result &read) mutable {
                                     scan->setEnabled(true);
                                     if (read.status != SecretStore::Status::Ok || read.secret.isEmpty()) {
                                         status->setText(tr("密钥环中没有这个账户的密码,请填写密码"));
                                         return;
                                     }
                                     account.password = read.secret;
                                     startServerScan(account, false);
                                 });
        return;
    }
    startServerScan(account, true);
}

void MailImportDialog::startServerScan(const ImapAccount &account, bool typedPassword)
{
    const QString stateName = mailScanStateName(account);
    const ImapScanState state = mailScanState(m_history.fact(stateName));
    const QDate since = days->value() > 0 ? m_platform.clock->now().date().addDays(-days->value()) : QDate();
    auto kept = std::make_shared<ImapScanState>(state);
    // Once read, the account is kept for the next time and the automatic check: the password in
    // the secret store (typed again where there is none), the rest in endpoints.ini.
    m_afterScan = [this, account, stateName, kept, typedPassword] {
        m_history.setFact(stateName, mailScanStateText(*kept));
        MailAccountSettings settings
            = loadMailAccount(joinPath(m_platform.dataDir, QStringLiteral("endpoints.ini")));
        const bool inFile = settings.passwordInFile && settings.account.password == account.password;
        settings.account = account;
        settings.passwordInFile = inFile;
        saveMailAccount(joinPath(m_platform.dataDir, QStringLiteral("endpoints.ini")), settings);
        if (typedPassword && !inFile && m_platform.secrets)
            m_platform.secrets->write(imapSecretKey(account), account.password, this,
                                      [](const SecretStore::Result &) {});
    };
    runReader(
        [account, state, since, kept](const MailVisitor &visit, const std::atomic<bool> &stop,
                                      const std::function<void(int, int)> &progress) {
            const ImapReadResult result = readImapMessages(account, state, since, visit, progress, &stop);
            *kept = result.state;
            return result.error;
        },
        savedNumbers(m_window.savedLines()), QDateTime());
}

void MailImportDialog::runReader(Reader reader, QSet<QString> saved, QDateTime since)
{
    m_stop = std::make_shared<std::atomic<bool>>(false);
    scan->setText(tr("停止"));
    addChosen->setEnabled(false);
    found->setRowCount(0);
    m_found.clear();
    progress->setRange(0, 0);
    progress->show();
    status->setText(tr("正在读取邮件..."));
    QPointer<MailImportDialog> self(this);
    m_thread
        = QThread::create([self, reader = std::move(reader), saved = std::move(saved), since, stop = m_stop] {
              MailScan mails(saved, since);
              Outcome outcome;
              int read = 0;
              const auto tell = [self](int done, int total) {
                  QMetaObject::invokeMethod(self, [self, done, total] {
                      if (self)
                          self->onProgress(done, total);
                  });
              };
              int told = 0;
              bool counted = false; // the reader tells how many of how many
              outcome.error = reader(
                  [&](const QByteArray &raw) {
                      mails.add(raw);
                      if (++read % 20 == 0 && !counted)
                          tell(read, 0);
                      return !*stop;
                  },
                  *stop,
                  [&](int done, int total) {
                      counted = true;
                      // Every message of a short scan, every twentieth of a long one.
                      if (done - told >= 20 || done == total || total < 100) {
                          told = done;
                          tell(done, total);
                      }
                  });
              outcome.mailsRead = mails.mailsRead();
              outcome.found = mails.found();
              QMetaObject::invokeMethod(self, [self, outcome = std::move(outcome)] {
                  if (self)
                      self->onFinished(outcome);
              });
          });
    connect(m_thread, &QThread::finished, m_thread, &QObject::deleteLater);
    m_thread->start();
}

void MailImportDialog::stopScan()
{
    if (m_stop)
        *m_stop = true;
}

void MailImportDialog::onProgress(int read, int total)
{
    if (total > 0) {
        progress->setRange(0, total);
        progress->setValue(read);
        status->setText(tr("已读取 %1 / %2 封邮件").arg(read).arg(total));
    } else {
        status->setText(tr("已读取 %1 封邮件").arg(read));
    }
}

void MailImportDialog::onFinished(const Outcome &outcome)
{
    m_thread = nullptr;
    progress->hide();
    scan->setText(tr("开始读取"));
    m_found = outcome.found;
    showFound();
    if (outcome.error.isEmpty() && m_afterScan)
        m_afterScan();
    m_afterScan = nullptr;
    if (!outcome.error.isEmpty())
        status->setText(outcome.error);
    else if (*m_stop)
        status->setText(
            tr("已停止:读取了%1封邮件,找到%2个新单号").arg(outcome.mailsRead).arg(m_found.size()));
    else
        status->setText(tr("读取了%1封邮件,找到%2个新单号").arg(outcome.mailsRead).arg(m_found.size()));
    Q_EMIT scanFinished();
}

void MailImportDialog::showFoundNumbers(const std::vector<FoundNumber> &numbers)
{
    // Saved meanwhile: not offered again.
    const QSet<QString> saved = savedNumbers(m_window.savedLines());
    m_found.clear();
    for (const FoundNumber &number : numbers) {
        if (!saved.contains(number.candidate.number))
            m_found.push_back(number);
    }
    showFound();
    status->setText(tr("新邮件中找到%1个新单号").arg(m_found.size()));
}

void MailImportDialog::showFound()
{
    found->setRowCount(int(m_found.size()));
    for (int row = 0; row < int(m_found.size()); ++row) {
        const FoundNumber &number = m_found[size_t(row)];
        const auto fixed = [&](int column, const QString &text) {
            auto *item = new QTableWidgetItem(text);
            item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            found->setItem(row, column, item);
            return item;
        };
        QTableWidgetItem *check = fixed(NumberColumn, number.candidate.number);
        check->setFlags(check->flags() | Qt::ItemIsUserCheckable);
        check->setCheckState(Qt::Checked);
        const CarrierGuess &guess = number.candidate.carriers.front();
        fixed(CarrierColumn,
              carrierShownName(guess.position)
                  + (guess.certainty == GuessCertainty::Certain ? QString() : QStringLiteral("?")));
        found->setItem(row, NoteColumn, new QTableWidgetItem(number.note)); // the user may change it
        fixed(SenderColumn, number.sender);
        fixed(SubjectColumn, number.subject);
        fixed(DateColumn,
              number.date.isValid() ? number.date.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"))
                                    : QString());
        fixed(SentenceColumn, number.candidate.sentence);
    }
    found->resizeColumnsToContents();
    addChosen->setEnabled(!m_found.empty());
}

void MailImportDialog::onAddChosen()
{
    std::vector<FoundNumber> chosen;
    for (int row = 0; row < found->rowCount() && row < int(m_found.size()); ++row) {
        if (found->item(row, NumberColumn)->checkState() != Qt::Checked)
            continue;
        FoundNumber number = m_found[size_t(row)];
        number.note = found->item(row, NoteColumn)->text().trimmed();
        chosen.push_back(std::move(number));
    }
    if (chosen.empty()) {
        status->setText(tr("没有勾选任何单号"));
        return;
    }
    // Saved meanwhile by hand: left out, as the scan left out what was saved before it.
    const QSet<QString> saved = savedNumbers(m_window.savedLines());
    chosen.erase(std::remove_if(chosen.begin(), chosen.end(),
                                [&](const FoundNumber &n) { return saved.contains(n.candidate.number); }),
                 chosen.end());
    const QStringList lines = savedLinesFor(chosen);
    if (!m_window.savedListRead()) {
        m_platform.messages->show(tr("快递列表文件无法读取,没有添加任何单号"), MsgIcon::Exclamation,
                                  MsgButtons::Ok);
        return;
    }
    if (const QString why = lines.isEmpty() ? QString() : m_window.addSavedLines(lines); !why.isEmpty()) {
        m_platform.messages->show(tr("添加失败:%1").arg(why), MsgIcon::Exclamation, MsgButtons::Ok);
        return;
    }
    // What was added leaves the table; the rest stays to be chosen.
    for (int row = found->rowCount() - 1; row >= 0; --row) {
        if (found->item(row, NumberColumn)->checkState() == Qt::Checked
            || saved.contains(m_found[size_t(row)].candidate.number)) {
            found->removeRow(row);
            m_found.erase(m_found.begin() + row);
        }
    }
    addChosen->setEnabled(!m_found.empty());
    status->setText(tr("已添加%1个快递").arg(lines.size()));
    Q_EMIT parcelsAdded(int(lines.size()));
}
