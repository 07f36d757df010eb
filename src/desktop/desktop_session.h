#pragma once

#include "watch/parcel_types.h"

#include <QObject>
#include <QPointer>
#include <memory>

class Form1;
class OverviewWindow;
class ParcelWatcher;
class TrackingClient;
class TrackingHistory;
class TrackingServiceDialog;
struct Platform;

// The program as it runs on a desktop: the tracking history, the watcher and the main window,
// and what connects them. Made once by main(); tests make one on a test platform.
class DesktopSession : public QObject
{
    Q_OBJECT

public:
    explicit DesktopSession(Platform &platform, QObject *parent = nullptr);
    ~DesktopSession() override;

    void show();
    void showOverview();
    // The dialog "查询服务" (the link menu's last entry, a button of the overview).
    void showServiceSettings();

    Form1 &form() { return *m_form; }
    TrackingHistory &history() { return *m_history; }
    ParcelWatcher &watcher() { return *m_watcher; }
    OverviewWindow *overview() { return m_overview; } // null until first shown
    TrackingServiceDialog *serviceDialog() const; // null unless open

private:
    void followSavedList();
    void recordAnswer(const TrackingAnswer &answer);
    void recordFailure(const ParcelKey &key, const QString &error);
    void announce(const ParcelRecord &parcel);
    void tellProblemOnce();

    Platform &m_platform;
    std::unique_ptr<TrackingHistory> m_history;
    std::unique_ptr<TrackingClient> m_client;
    std::unique_ptr<Form1> m_form;
    ParcelWatcher *m_watcher = nullptr;
    OverviewWindow *m_overview = nullptr;
    QPointer<TrackingServiceDialog> m_serviceDialog;
    bool m_problemTold = false;
};

// The saved lines as the history knows them: number, carrier code and name, note.
QList<SavedEntry> savedEntries(const QStringList &lines);
