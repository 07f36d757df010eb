#pragma once

#include "core/parcel_types.h"
#include "desktop/desktop_settings.h"
#include "watch/parcel_transfer.h"

#include <QObject>
#include <QPointer>
#include <memory>

class ClipboardWatch;
class DesktopNotifier;
class MailImportDialog;
class MailWatch;
class Form1;
class MainWindow;
class InstanceServer;
class OverviewWindow;
class ParcelWatcher;
class ServiceRecords;
class TrackingClient;
class TrackingHistory;
class TrayIcon;
class QJsonArray;
class QTimer;
class TrackingServiceDialog;
struct Platform;

// The program as it runs on a desktop: the tracking history, the watcher, the main window, the
// desktop notifications and the tray icon, and what connects them. Made once by main(); tests make
// one on a test platform.
class DesktopSession : public QObject
{
    Q_OBJECT

public:
    explicit DesktopSession(Platform &platform, QObject *parent = nullptr);
    ~DesktopSession() override;

    void show();
    void showOverview();
    // 导出... of the overview: asks for the file, tells the result.
    void exportParcels();
    // 导入... of the overview and the import the command line hands over; tells nobody, the caller
    // shows or sends the result's message.
    TransferResult importParcels(const QString &file);
    // Shows the main window, or brings it to the front, from wherever it was (the tray too).
    void showMainWindow();
    // Answers later starts on the same data directory: "show" (with "overview": true, the
    // overview as well), "import" with "file" from the command line, and "news" with the
    // "parcels" (number, com) whose news the command line stored.
    void serve(InstanceServer &server);
    // The dialog "查询服务" (the link menu's last entry, a button of the overview).
    void showServiceSettings();
    // The dialog "从邮件导入" (the link menu's end, a button of the overview).
    void showMailImport();
    MailImportDialog *mailImport() const; // null until first shown

    // The designed window itself, for tests and the screenshot; the session uses mainWindow().
    Form1 &form() { return *m_form; }
    MainWindow &mainWindow() { return *m_window; }
    TrackingHistory &history() { return *m_history; }
    ParcelWatcher &watcher() { return *m_watcher; }
    OverviewWindow *overview() { return m_overview; } // null until first shown
    DesktopNotifier &notifier() { return *m_notifier; }
    ClipboardWatch &clipboardWatch() { return *m_clipboard; }
    MailWatch &mailWatch() { return *m_mailWatch; }
    TrayIcon *tray() { return m_tray.get(); } // null where the desktop has no tray
    const DesktopSettings &desktopSettings() const { return m_desktopSettings; }
    TrackingServiceDialog *serviceDialog() const; // null unless open
    ServiceRecords &serviceRecords() { return *m_records; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void followSavedList();
    void recordAnswer(const TrackingAnswer &answer);
    void storeAnswer(const TrackingAnswer &answer, int attempt);
    void recordFailure(const ParcelKey &key, const QString &error);
    void announce(const ParcelRecord &parcel);
    void announceStoredNews(const QJsonArray &parcels);
    void notifyUpdate(const ParcelKey &key, const ParcelNews &news);
    void viewParcel(const ParcelKey &key);
    void hideToTray();
    void quitFromTray();
    void historyChanged();
    void tellProblemOnce();
    void showServiceUse();

    Platform &m_platform;
    std::unique_ptr<TrackingHistory> m_history;
    std::unique_ptr<TrackingClient> m_client;
    std::unique_ptr<Form1> m_form;
    MainWindow *m_window = nullptr; // what the session uses of m_form
    ParcelWatcher *m_watcher = nullptr;
    ServiceRecords *m_records = nullptr;
    OverviewWindow *m_overview = nullptr;
    DesktopNotifier *m_notifier = nullptr;
    ClipboardWatch *m_clipboard = nullptr;
    MailWatch *m_mailWatch = nullptr;
    std::unique_ptr<TrayIcon> m_tray;
    DesktopSettings m_desktopSettings;
    QTimer *m_toolTipTimer = nullptr;
    QPointer<TrackingServiceDialog> m_serviceDialog;
    QPointer<MailImportDialog> m_mailImport;
    bool m_problemTold = false;
};
