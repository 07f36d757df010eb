#pragma once

#include "core/parcel_types.h"

#include <QList>
#include <QWidget>
#include <optional>

class Clock;
class ParcelWatcher;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class QTimer;
class TrackingHistory;
class OverviewModel;
class OverviewFilter;

// "全部快递": every saved parcel with its state, the refresh of all of them and the watcher's
// settings. Thin: the rows come from the tracking history, the work from the watcher.
class OverviewWindow : public QWidget
{
    Q_OBJECT

public:
    OverviewWindow(TrackingHistory &history, ParcelWatcher &watcher, const Clock &clock,
                   const QString &settingsPath, QWidget *parent = nullptr);
    ~OverviewWindow() override;

    // Reads the rows again, soon (many changes in a row are read once).
    void reloadSoon();
    void reload();
    // A line under the table: what the user should know (the database, the service).
    void tell(const QString &text);

    QLineEdit *search = nullptr;
    QTableView *table = nullptr;
    QPushButton *refreshAll = nullptr; // 全部刷新
    QPushButton *stop = nullptr; // 停止
    QProgressBar *progress = nullptr; // 已查询 n / N
    QCheckBox *watchAll = nullptr; // 自动监控全部快递
    QComboBox *interval = nullptr; // 间隔分钟
    QLabel *message = nullptr;
    QPushButton *exportParcels = nullptr; // 导出...
    QPushButton *importParcels = nullptr; // 导入...
    QLineEdit *phoneDigits = nullptr; // 手机尾号 of the selected parcel
    QPushButton *savePhoneDigits = nullptr; // 保存尾号
    QPushButton *serviceSettings = nullptr; // 查询服务...

    QList<ParcelKey> shownKeys() const; // in the order shown

Q_SIGNALS:
    // The user double-clicked a parcel: the main window should pick it.
    void pickRequested(const ParcelKey &key);
    void exportRequested();
    void importRequested();
    // The user asked for the dialog "查询服务".
    void serviceSettingsRequested();

private:
    void onRefreshProgress(int done, int total);
    void onWatchAllToggled(bool on);
    void onIntervalChosen(int index);
    void showSelectedPhoneDigits();
    void onSavePhoneDigits();
    // The parcel of the selected row, if one is selected.
    std::optional<ParcelRecord> selectedParcel() const;

    TrackingHistory &m_history;
    ParcelWatcher &m_watcher;
    const Clock &m_clock;
    QString m_settingsPath;
    OverviewModel *m_model;
    OverviewFilter *m_filter;
    QTimer *m_reloadTimer;
    ParcelKey m_phoneShownFor; // whose digits the phone box shows (a reload keeps what is typed)
};
