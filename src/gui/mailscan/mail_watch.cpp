#include "gui/mailscan/mail_watch.h"

#include "desktop/desktop_notifier.h"
#include "gui/platform/platform.h"
#include "gui/window/main_window.h"
#include "mailscan/mail_account.h"
#include "platform/clock.h"
#include "platform/imap_reader.h"
#include "platform/logging.h"
#include "platform/paths.h"
#include "platform/secret_store.h"
#include "watch/tracking_history.h"

#include <QLoggingCategory>
#include <QTimer>

namespace {
const QString kOfferId = QStringLiteral("mail");
// A first automatic reading looks this far back, as 从邮件导入 does by default.
constexpr int kFirstDays = 30;
} // namespace

MailWatch::MailWatch(Platform &platform, MainWindow &window, TrackingHistory &history,
                     DesktopNotifier &notifier, QObject *parent)
    : QObject(parent)
    , m_platform(platform)
    , m_window(window)
    , m_history(history)
    , m_notifier(notifier)
    , m_timer(new QTimer(this))
    , m_reader(new ImapReader(this))
{
    m_timer->setInterval(kIntervalMs);
    connect(m_timer, &QTimer::timeout, this, &MailWatch::checkNow);
    connect(m_reader, &ImapReader::finished, this, &MailWatch::onFinished);
    connect(&m_notifier, &DesktopNotifier::offerChosen, this, [this](const QString &id, const QString &) {
        if (id == kOfferId && !m_offered.empty())
            Q_EMIT viewRequested(m_offered);
    });
}

MailWatch::~MailWatch() = default;

void MailWatch::setEnabled(bool on)
{
    if (on)
        m_timer->start();
    else
        m_timer->stop();
}

bool MailWatch::enabled() const
{
    return m_timer->isActive();
}

void MailWatch::setIntervalMs(int ms)
{
    m_timer->setInterval(ms);
}

void MailWatch::checkNow()
{
    if (m_reader->isRunning())
        return;
    const MailAccountSettings settings
        = loadMailAccount(joinPath(m_platform.dataDir, QStringLiteral("endpoints.ini")));
    if (!settings.configured())
        return;
    if (!settings.account.password.isEmpty() || !m_platform.secrets) {
        read(settings.account);
        return;
    }
    m_platform.secrets->read(imapSecretKey(settings.account), this,
                             [this, account = settings.account](const SecretStore::Result &result) mutable {
                                 if (result.status != SecretStore::Status::Ok) {
                                     Q_EMIT checked(tr("密钥环中没有收件服务器的密码"));
                                     return;
                                 }
                                 account.password = result.secret;
                                 read(account);
                             });
}

void MailWatch::read(const ImapAccount &account)
{
    m_stateName = mailScanStateName(account);
    const ImapScanState state = mailScanState(m_history.fact(m_stateName));
    const QDate since = state.uidValidity ? QDate() : m_platform.clock->now().date().addDays(-kFirstDays);
    m_scan = std::make_shared<MailScan>(savedNumbers(m_window.savedLines()), QDateTime());
    std::shared_ptr<MailScan> scan = m_scan;
    if (!m_reader->start(account, state, since, [scan](const QByteArray &raw) {
            scan->add(raw);
            return true;
        }))
        m_scan.reset();
}

void MailWatch::onFinished(const ImapReadResult &result)
{
    if (!result.error.isEmpty()) {
        qCInfo(lcDesktop) << "automatic mail check:" << result.error;
        Q_EMIT checked(result.error);
        return;
    }
    m_history.setFact(m_stateName, mailScanStateText(result.state));
    const std::vector<FoundNumber> found = m_scan ? m_scan->found() : std::vector<FoundNumber>();
    m_scan.reset();
    if (!found.empty()) {
        m_offered = found;
        m_notifier.offer({kOfferId,
                          tr("发现%1个新单号").arg(found.size()),
                          {{QStringLiteral("default"), tr("查看")}, {QStringLiteral("view"), tr("查看")}}});
    }
    Q_EMIT checked(QString());
}
