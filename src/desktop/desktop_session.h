#pragma once

#include "cli/parcel_transfer.h"
#include "watch/parcel_types.h"

#include <QObject>
#include <memory>

class Form1;
class OverviewWindow;
class ParcelWatcher;
class TrackingClient;
class TrackingHistory;
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
    // 导出... and 导入... of the overview; an import the command line hands over comes here too.
    void exportParcels();
    TransferResult importParcels(const QString &file);

    Form1 &form() { return *m_form; }
    TrackingHistory &history() { return *m_history; }
    ParcelWatcher &watcher() { return *m_watcher; }
    OverviewWindow *overview() { return m_overview; } // null until first shown

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
    bool m_problemTold = false;
};
