#include "gui/desktop/desktop_session.h"

#include "core/carrier_catalogue.h"
#include "core/delivery_status.h"
#include "core/tracking_check.h"
#include "desktop/desktop_notifier.h"
#include "desktop/parcel_notice.h"
#include "gui/desktop/desktop_options.h"
#include "gui/desktop/tray_icon.h"
#include "gui/dialogs/tracking_service_dialog.h"
#include "gui/mailscan/clipboard_watch.h"
#include "gui/mailscan/mail_import_dialog.h"
#include "gui/mailscan/mail_watch.h"
#include "gui/overview/overview_window.h"
#include "gui/platform/platform.h"
#include "gui/window/form1.h"
#include "gui/window/main_window.h"
#include "platform/clock.h"
#include "platform/logging.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/save_dialog.h"
#include "platform/single_instance.h"
#include "services/tracking_client.h"
#include "store/saved_parcel_file.h"
#include "watch/history_check.h"
#include "watch/parcel_transfer.h"
#include "watch/parcel_watcher.h"
#include "watch/service_records.h"
#include "watch/tracking_history.h"
#include "watch/watch_settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QLayout>
#include <QPushButton>
#include <QTimer>

namespace {
QString parcelFilesFilter()
{
    return QCoreApplication::translate("DesktopSession",
                                       "快递列表 (*.json *.csv);;JSON (*.json);;CSV (*.csv)");
}
// Start-up comes first: the check of a large history reads all of it.
constexpr int kHistoryCheckDelayMs = 1000;
// An answer of the window the database could not take is tried again this often, this long apart.
constexpr int kStoreAttempts = 3;
constexpr int kStoreRetryMs = 3000;
} // namespace

DesktopSession::DesktopSession(Platform &platform, QObject *parent)
    : QObject(parent)
    , m_platform(platform)
    , m_history(std::make_unique<TrackingHistory>())
    , m_client(std::make_unique<TrackingClient>(*platform.http, *platform.configuration, platform.secrets))
{
    m_history->open(platform.dataDir, platform.clock->now());
    m_client->setPhoneDigitsSource(
        [this](const QString &number, const QString &com) { return m_history->phoneDigits(number, com); });
    // Every query, the window's included, goes through this client and its configured service.
    m_form = std::make_unique<Form1>(platform, *m_client);
    m_window = &m_form->mainWindow();
    m_watcher = new ParcelWatcher(*m_history, *m_client, *platform.clock, this);
    const WatchSettings settings = WatchSettings::load(m_window->settingsFilePath());
    m_watcher->setIntervalMinutes(settings.intervalMinutes);
    m_watcher->setArchiveDays(settings.archiveDays);
    m_watcher->setEnabled(settings.watchAll);

    // The window read the saved list while it was built; the history follows it from now on.
    followSavedList();
    connect(m_window, &MainWindow::savedListChanged, this, &DesktopSession::followSavedList);
    connect(m_window, &MainWindow::answerParsed, this, &DesktopSession::recordAnswer);
    connect(m_window, &MainWindow::queryFailed, this, &DesktopSession::recordFailure);
    connect(m_watcher, &ParcelWatcher::news, this, &DesktopSession::announce);
    m_window->addMenuEntry(tr("全部快递"), [this] { showOverview(); });

    m_desktopSettings = DesktopSettings::load(m_window->settingsFilePath());
    m_notifier = new DesktopNotifier(this);
    // Every query, the window's too, counts against the service's day and tells its health.
    m_records = new ServiceRecords(*m_client, *m_history, *platform.clock, this);
    connect(m_records, &ServiceRecords::failing, m_notifier, &DesktopNotifier::notifyText);
    connect(m_records, &ServiceRecords::recorded, this, &DesktopSession::showServiceUse);
    connect(m_notifier, &DesktopNotifier::viewRequested, this, &DesktopSession::viewParcel);
    connect(m_notifier, &DesktopNotifier::notDelivered, this,
            [this](const QString &summary, const QString &body) {
                if (m_tray)
                    m_tray->showMessage(summary, body);
            });
    connect(m_window, &MainWindow::updateFound, this, &DesktopSession::notifyUpdate);
    m_clipboard = new ClipboardWatch(*m_window, *m_notifier, this);
    m_clipboard->setEnabled(m_desktopSettings.clipboardNumbers);
    m_mailWatch = new MailWatch(platform, *m_window, *m_history, *m_notifier, this);
    m_mailWatch->setEnabled(m_desktopSettings.checkNewMail);
    connect(m_mailWatch, &MailWatch::viewRequested, this, [this](const std::vector<FoundNumber> &numbers) {
        showMailImport();
        m_mailImport->showFoundNumbers(numbers);
    });

    if (TrayIcon::available()) {
        m_tray = std::make_unique<TrayIcon>();
        connect(m_tray.get(), &TrayIcon::showRequested, this, &DesktopSession::showMainWindow);
        connect(m_tray.get(), &TrayIcon::overviewRequested, this, &DesktopSession::showOverview);
        connect(m_tray.get(), &TrayIcon::refreshAllRequested, m_watcher, &ParcelWatcher::refreshAll);
        connect(m_tray.get(), &TrayIcon::quitRequested, this, &DesktopSession::quitFromTray);
        m_tray->setToolTip(trayToolTip(m_history->activeParcels()));
    }
    // Many changes in a row are counted once.
    m_toolTipTimer = new QTimer(this);
    m_toolTipTimer->setSingleShot(true);
    m_toolTipTimer->setInterval(200);
    connect(m_toolTipTimer, &QTimer::timeout, this, [this] {
        if (m_tray)
            m_tray->setToolTip(trayToolTip(m_history->activeParcels()));
    });
    connect(m_watcher, &ParcelWatcher::parcelChecked, this, &DesktopSession::historyChanged);
    // Minimising to the tray follows the window from outside; its own handlers stay as designed.
    m_window->widget()->installEventFilter(this);
    m_window->addMenuEntry(tr("查询服务"), [this] { showServiceSettings(); });
    m_window->addMenuEntry(tr("从邮件导入"), [this] { showMailImport(); });

    // A history too large to be checked at the open is checked once the window is up.
    auto *check = new HistoryCheck(*m_history, *platform.clock, this);
    connect(check, &HistoryCheck::recovered, this, [this] {
        followSavedList();
        m_problemTold = false;
        tellProblemOnce();
        if (m_overview) {
            m_overview->tell(m_history->problem());
            m_overview->reload();
        }
    });
    QTimer::singleShot(kHistoryCheckDelayMs, check, &HistoryCheck::start);
}

DesktopSession::~DesktopSession()
{
    m_window->widget()->removeEventFilter(this);
    // The records follow the client, which goes before the session's children.
    delete m_records;
    m_records = nullptr;
    m_tray.reset();
    // The overview belongs to no window; it goes before what it shows.
    delete m_overview;
    m_overview = nullptr;
    delete m_serviceDialog;
    delete m_mailImport;
}

void DesktopSession::show()
{
    m_window->widget()->show();
    QTimer::singleShot(0, this, &DesktopSession::tellProblemOnce);
}

void DesktopSession::showOverview()
{
    if (!m_overview) {
        m_overview
            = new OverviewWindow(*m_history, *m_watcher, *m_platform.clock, m_window->settingsFilePath());
        m_overview->setAttribute(Qt::WA_DeleteOnClose, false);
        // Closing the main window ends the program, as designed, even with the overview open.
        m_overview->setAttribute(Qt::WA_QuitOnClose, false);
        auto *options = new DesktopOptions(m_desktopSettings, m_tray != nullptr);
        m_overview->layout()->addWidget(options);
        connect(options->notifications, &QCheckBox::toggled, this, [this](bool on) {
            m_desktopSettings.notifications = on;
            if (!DesktopSettings::saveNotifications(m_window->settingsFilePath(), on))
                m_overview->tell(tr("设置保存失败!请检查磁盘或权限.."));
        });
        connect(options->minimiseToTray, &QCheckBox::toggled, this, [this](bool on) {
            m_desktopSettings.minimiseToTray = on;
            if (!DesktopSettings::saveMinimiseToTray(m_window->settingsFilePath(), on))
                m_overview->tell(tr("设置保存失败!请检查磁盘或权限.."));
        });
        connect(options->clipboardNumbers, &QCheckBox::toggled, this, [this](bool on) {
            m_desktopSettings.clipboardNumbers = on;
            m_clipboard->setEnabled(on);
            if (!DesktopSettings::saveClipboardNumbers(m_window->settingsFilePath(), on))
                m_overview->tell(tr("设置保存失败!请检查磁盘或权限.."));
        });
        connect(options->language, &QComboBox::activated, this, [this, options] {
            // The item's data is the setting's value; its text is shown in the interface's language.
            const QString language = options->language->currentData().toString();
            m_desktopSettings.language = language;
            if (!DesktopSettings::saveLanguage(m_window->settingsFilePath(), language))
                m_overview->tell(tr("设置保存失败!请检查磁盘或权限.."));
        });
        connect(options->mailImport, &QPushButton::clicked, this, &DesktopSession::showMailImport);
        connect(m_overview, &OverviewWindow::pickRequested, this, &DesktopSession::viewParcel);
        connect(m_overview, &OverviewWindow::exportRequested, this, &DesktopSession::exportParcels);
        connect(m_overview, &OverviewWindow::importRequested, this, [this] {
            const QString file = m_platform.saveDialog->askOpenFileName(parcelFilesFilter());
            if (file.isNull())
                return;
            const TransferResult result = importParcels(file);
            m_platform.messages->show(result.message, MsgIcon::Information, MsgButtons::Ok);
        });
        connect(m_overview, &OverviewWindow::serviceSettingsRequested, this,
                &DesktopSession::showServiceSettings);
        connect(m_overview, &OverviewWindow::historyChanged, this, &DesktopSession::historyChanged);
        if (!m_history->problem().isEmpty())
            m_overview->tell(m_history->problem());
        showServiceUse();
    } else {
        m_overview->reload();
    }
    m_overview->show();
    m_overview->raise();
    m_overview->activateWindow();
}

void DesktopSession::exportParcels()
{
    const QString file = m_platform.saveDialog->askSaveFileName(parcelFilesFilter());
    if (file.isNull())
        return;
    const TransferResult result = ::exportParcels(m_window->savedLines(), *m_history, file);
    m_platform.messages->show(result.message, MsgIcon::Information, MsgButtons::Ok);
}

TransferResult DesktopSession::importParcels(const QString &file)
{
    const TransferResult result = ::importParcels(
        file, m_window->savedLines(), *m_history,
        [this](const QStringList &lines) { return m_window->addSavedLines(lines); }, m_platform.clock->now());
    if (m_overview)
        m_overview->reload();
    historyChanged();
    return result;
}

void DesktopSession::showMainWindow()
{
    QGuiApplication::setQuitOnLastWindowClosed(true);
    m_window->bringToFront();
}

void DesktopSession::serve(InstanceServer &server)
{
    server.addCommand(QStringLiteral("show"),
                      [this](const QJsonObject &request, InstanceServer::Reply reply) {
                          showMainWindow();
                          if (request.value(QStringLiteral("overview")).toBool())
                              showOverview();
                          reply({{QStringLiteral("ok"), true}});
                      });
    // `parcelvue import FILE` while this program runs: the import is done here, where the saved list
    // lives, once any query in progress is over; the command hears at once that it is taken, and
    // prints the result.
    server.addCommand(QStringLiteral("news"),
                      [this](const QJsonObject &request, InstanceServer::Reply reply) {
                          reply({{QStringLiteral("ok"), true}});
                          announceStoredNews(request.value(QStringLiteral("parcels")).toArray());
                      });
    server.addCommand(QStringLiteral("import"),
                      [this](const QJsonObject &request, InstanceServer::Reply reply) {
                          const QString file = request.value(QStringLiteral("file")).toString();
                          reply(InstanceMessage::taken());
                          m_window->runAfterWait([this, file, reply] {
                              const TransferResult result = importParcels(file);
                              reply({{QStringLiteral("ok"), result.ok},
                                     {QStringLiteral("message"), result.message},
                                     {QStringLiteral("added"), result.added},
                                     {QStringLiteral("skipped"), result.skipped},
                                     {QStringLiteral("merged"), result.mergedRows}});
                          });
                      });
}

// News that `parcelvue track` or `refresh` stored: announced here, once, as the watcher's own.
void DesktopSession::announceStoredNews(const QJsonArray &parcels)
{
    for (const QJsonValue &value : parcels) {
        const QJsonObject item = value.toObject();
        const ParcelKey key {item.value(QStringLiteral("number")).toString(),
                             item.value(QStringLiteral("com")).toString()};
        const std::optional<ParcelRecord> parcel = m_history->parcel(key);
        if (parcel && parcel->unseenNews)
            announce(*parcel);
    }
    if (m_overview)
        m_overview->reloadSoon();
}

bool DesktopSession::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window->widget()) {
        if (event->type() == QEvent::WindowStateChange && m_window->widget()->isMinimized() && m_tray
            && m_desktopSettings.minimiseToTray)
            QTimer::singleShot(0, this, &DesktopSession::hideToTray);
        else if (event->type() == QEvent::Show && !event->spontaneous())
            QGuiApplication::setQuitOnLastWindowClosed(true);
    }
    return QObject::eventFilter(watched, event);
}

void DesktopSession::hideToTray()
{
    if (!m_tray || !m_desktopSettings.minimiseToTray || !m_window->widget()->isMinimized()
        || !m_window->widget()->isVisible())
        return;
    // Hidden in the tray is not closed: a dialog closing meanwhile must not end the program.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    m_window->widget()->hide();
}

void DesktopSession::quitFromTray()
{
    // After the tray's menu has returned, and never inside a designed wait: the exit question is
    // the designed one, over the window it closes.
    QTimer::singleShot(0, this, [this] {
        showMainWindow();
        m_window->runAfterWait([this] { m_window->widget()->close(); });
    });
}

MailImportDialog *DesktopSession::mailImport() const
{
    return m_mailImport;
}

void DesktopSession::showMailImport()
{
    if (!m_mailImport) {
        m_mailImport = new MailImportDialog(m_platform, *m_window, *m_history);
        m_mailImport->checkNewMail->setChecked(m_desktopSettings.checkNewMail);
        connect(m_mailImport->checkNewMail, &QCheckBox::toggled, this, [this](bool on) {
            m_desktopSettings.checkNewMail = on;
            m_mailWatch->setEnabled(on);
            if (!DesktopSettings::saveCheckNewMail(m_window->settingsFilePath(), on))
                m_platform.messages->show(tr("设置保存失败!请检查磁盘或权限.."), MsgIcon::Exclamation,
                                          MsgButtons::Ok);
        });
        m_mailImport->setAttribute(Qt::WA_QuitOnClose, false);
        connect(m_mailImport, &MailImportDialog::parcelsAdded, this, [this] {
            if (m_overview)
                m_overview->reload();
            historyChanged();
        });
    }
    m_mailImport->show();
    m_mailImport->raise();
    m_mailImport->activateWindow();
}

void DesktopSession::viewParcel(const ParcelKey &key)
{
    m_history->markSeen(key);
    if (m_overview)
        m_overview->reloadSoon();
    historyChanged();
    showMainWindow();
    // What the history holds of it was told already (by the watcher, with sound and mail).
    const std::optional<ParcelRecord> parcel = m_history->parcel(key);
    m_window->pickSavedParcel(key.number, key.com, parcel ? parcel->rowCount : -1);
}

void DesktopSession::historyChanged()
{
    if (m_tray && !m_toolTipTimer->isActive())
        m_toolTipTimer->start();
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
            : m_window->widget();
        m_serviceDialog = new TrackingServiceDialog(m_platform, over);
        m_serviceDialog->setAttribute(Qt::WA_DeleteOnClose);
        showServiceUse();
    }
    m_serviceDialog->open();
    m_serviceDialog->raise();
    m_serviceDialog->activateWindow();
}

void DesktopSession::showServiceUse()
{
    if (m_overview)
        m_overview->setServiceUse(m_records->useText());
    if (m_serviceDialog) {
        const QDateTime now = m_platform.clock->now();
        QStringList lines;
        for (TrackingService service : {TrackingService::Kdniao, TrackingService::Track17})
            lines.append(ServiceBudget::useText(
                service, m_history->serviceUse(trackingServiceKey(service), ServiceBudget::serviceDay(now))));
        m_serviceDialog->setServiceUse(lines.join(QLatin1Char('\n')));
    }
}

void DesktopSession::followSavedList()
{
    // Lists that are not the file would take every parcel off the history's list.
    if (!m_window->savedListRead())
        return;
    if (!m_history->followSavedLines(m_window->savedLines()))
        qCInfo(lcWatch) << "saved list not followed:" << m_history->lastError();
    if (m_overview)
        m_overview->reloadSoon();
    historyChanged();
}

void DesktopSession::recordAnswer(const TrackingAnswer &answer)
{
    storeAnswer(answer, 1);
}

void DesktopSession::storeAnswer(const TrackingAnswer &answer, int attempt)
{
    const QDateTime now = m_platform.clock->now();
    const TrackingHistory::AnswerOutcome outcome
        = m_history->recordAnswer(answer.key, answer.rows, answer.status, now, m_client->serviceKey());
    if (!outcome.stored) {
        // A parcel not saved has no history; a saved one's answer is tried again while another
        // program holds the database, and then told.
        if (!m_history->parcel(answer.key))
            return;
        qCInfo(lcWatch) << "answer for" << answer.key.number << "not stored (attempt" << attempt
                        << "):" << m_history->lastError();
        if (attempt < kStoreAttempts) {
            QTimer::singleShot(kStoreRetryMs, this,
                               [this, answer, attempt] { storeAnswer(answer, attempt + 1); });
        } else if (m_overview) {
            m_overview->tell(tr("快递%1的物流记录未能存入数据库%2: %3")
                                 .arg(answer.key.number, QDir::toNativeSeparators(m_history->path()),
                                      m_history->lastError()));
        }
        return;
    }
    m_history->setNextCheck(answer.key,
                            WatchPlan::nextAfterAnswer(answer.key, now, m_watcher->intervalMinutes()));
    // The user is looking at it in the main window.
    if (m_window->widget()->isActiveWindow())
        m_history->markSeen(answer.key);
    if (m_overview)
        m_overview->reloadSoon();
    historyChanged();
}

void DesktopSession::recordFailure(const ParcelKey &key, const QString &error)
{
    const QDateTime now = m_platform.clock->now();
    bool recorded = false;
    if (error == kNoInformationMessage) {
        // Not yet known to the service: no back-off, slower after a week as the watcher has it, and
        // its first rows will be news.
        recorded = m_history->recordNoInformation(key, error, now);
        if (recorded)
            m_history->setNextCheck(key, m_watcher->nextCheckWithoutInformation(key, now));
    } else {
        recorded = m_history->recordFailure(key, error, now);
    }
    if (recorded && m_overview)
        m_overview->reloadSoon();
    historyChanged();
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
    m_window->announceNews(news);
    historyChanged();
    if (m_desktopSettings.notifications)
        m_notifier->notify({parcel.key, parcel.note, parcel.newestTime, parcel.newestText});
}

void DesktopSession::notifyUpdate(const ParcelKey &key, const ParcelNews &news)
{
    // The user sees "有更新" in the window they are looking at.
    if (!m_desktopSettings.notifications || m_window->widget()->isActiveWindow())
        return;
    m_notifier->notify({key, news.remark, news.time, news.progress});
}

void DesktopSession::tellProblemOnce()
{
    if (m_problemTold || m_history->problem().isEmpty())
        return;
    m_problemTold = true;
    m_platform.messages->show(m_history->problem(), MsgIcon::Information, MsgButtons::Ok);
}
