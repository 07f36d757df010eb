#include "desktop/desktop_session.h"

#include "core/carrier_catalogue.h"
#include "core/delivery_status.h"
#include "core/tracking_client.h"
#include "platform/clock.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/platform.h"
#include "services/tracking_service_dialog.h"
#include "store/saved_parcel_file.h"
#include "watch/overview_window.h"
#include "watch/parcel_watcher.h"
#include "watch/tracking_history.h"
#include "watch/watch_settings.h"
#include "window/form1.h"

#include <QTimer>

QList<SavedEntry> savedEntries(const QStringList &lines)
{
    QList<SavedEntry> entries;
    entries.reserve(lines.size());
    for (const QString &line : lines) {
        const SavedParcel parcel = readSavedLine(line);
        entries.append({{parcel.number, carrierCode(carrierIndexByName(parcel.carrier))},
                        parcel.carrier,
                        parcel.remark});
    }
    return entries;
}

DesktopSession::DesktopSession(Platform &platform, QObject *parent)
    : QObject(parent)
    , m_platform(platform)
    , m_history(std::make_unique<TrackingHistory>())
    , m_client(std::make_unique<TrackingClient>(*platform.http, platform.endpoints, platform.secrets))
{
    m_history->open(platform.dataDir, platform.clock->now());
    // Every query, the window's included, goes through this client and its configured service.
    platform.tracking = m_client.get();
    m_client->setPhoneDigitsSource(
        [this](const QString &number, const QString &com) { return m_history->phoneDigits(number, com); });
    m_form = std::make_unique<Form1>(platform);
    m_watcher = new ParcelWatcher(*m_history, *m_client, *platform.clock, this);
    const WatchSettings settings = WatchSettings::load(m_form->settingsFilePath());
    m_watcher->setIntervalMinutes(settings.intervalMinutes);
    m_watcher->setEnabled(settings.watchAll);

    // The window read the saved list while it was built; the history follows it from now on.
    followSavedList();
    connect(m_form.get(), &Form1::savedListChanged, this, &DesktopSession::followSavedList);
    connect(m_form.get(), &Form1::answerParsed, this, &DesktopSession::recordAnswer);
    connect(m_form.get(), &Form1::queryFailed, this, &DesktopSession::recordFailure);
    connect(m_watcher, &ParcelWatcher::news, this, &DesktopSession::announce);
    m_form->addMenuEntry(QStringLiteral("全部快递"), [this] { showOverview(); });
    m_form->addMenuEntry(QStringLiteral("查询服务"), [this] { showServiceSettings(); });
}

DesktopSession::~DesktopSession()
{
    // The overview belongs to no window; it goes before what it shows.
    delete m_overview;
    m_overview = nullptr;
    delete m_serviceDialog;
    if (m_platform.tracking == m_client.get())
        m_platform.tracking = nullptr;
}

void DesktopSession::show()
{
    m_form->show();
    QTimer::singleShot(0, this, &DesktopSession::tellProblemOnce);
}

void DesktopSession::showOverview()
{
    if (!m_overview) {
        m_overview
            = new OverviewWindow(*m_history, *m_watcher, *m_platform.clock, m_form->settingsFilePath());
        m_overview->setAttribute(Qt::WA_DeleteOnClose, false);
        connect(m_overview, &OverviewWindow::pickRequested, this, [this](const ParcelKey &key) {
            m_history->markSeen(key);
            if (m_overview)
                m_overview->reloadSoon();
            m_form->pickSavedParcel(key.number, key.com);
            m_form->bringToFront();
        });
        connect(m_overview, &OverviewWindow::serviceSettingsRequested, this,
                &DesktopSession::showServiceSettings);
        if (!m_history->problem().isEmpty())
            m_overview->tell(m_history->problem());
    }
    m_overview->reload();
    m_overview->show();
    m_overview->raise();
    m_overview->activateWindow();
}

TrackingServiceDialog *DesktopSession::serviceDialog() const
{
    return m_serviceDialog;
}

void DesktopSession::showServiceSettings()
{
    if (!m_serviceDialog) {
        QWidget *over = m_overview && m_overview->isVisible() && m_overview->isActiveWindow()
            ? static_cast<QWidget *>(m_overview)
            : m_form.get();
        m_serviceDialog = new TrackingServiceDialog(m_platform, over);
        m_serviceDialog->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_serviceDialog->open();
    m_serviceDialog->raise();
    m_serviceDialog->activateWindow();
}

void DesktopSession::followSavedList()
{
    if (!m_history->followSavedList(savedEntries(m_form->savedLines())))
        qCInfo(lcWatch) << "saved list not followed:" << m_history->lastError();
    if (m_overview)
        m_overview->reloadSoon();
}

void DesktopSession::recordAnswer(const TrackingAnswer &answer)
{
    const QDateTime now = m_platform.clock->now();
    const TrackingHistory::AnswerOutcome outcome
        = m_history->recordAnswer(answer.key, answer.rows, answer.status, now);
    if (!outcome.stored)
        return;
    m_history->setNextCheck(answer.key,
                            WatchPlan::nextAfterAnswer(answer.key, now, m_watcher->intervalMinutes()));
    // The user is looking at it in the main window.
    if (m_form->isActiveWindow())
        m_history->markSeen(answer.key);
    if (m_overview)
        m_overview->reloadSoon();
}

void DesktopSession::recordFailure(const ParcelKey &key, const QString &error)
{
    if (m_history->recordFailure(key, error, m_platform.clock->now()) && m_overview)
        m_overview->reloadSoon();
}

void DesktopSession::announce(const ParcelRecord &parcel)
{
    ParcelNews news;
    news.remark = parcel.note;
    news.number = parcel.key.number;
    news.carrierName = parcel.carrierName;
    news.time = parcel.newestTime;
    news.progress = parcel.newestText;
    news.transit = parcel.status == kSignedFor
        ? kSignedFor
        : transitTimeText(secondsSince(parcel.oldestTime, m_platform.clock->now()));
    m_form->announceNews(news);
}

void DesktopSession::tellProblemOnce()
{
    if (m_problemTold || m_history->problem().isEmpty())
        return;
    m_problemTold = true;
    m_platform.messages->show(m_history->problem(), MsgIcon::Information, MsgButtons::Ok);
}
