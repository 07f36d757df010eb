#pragma once

#include "core/parcel_types.h"
#include "watch/delivery_estimate.h"
#include "watch/overview_list.h"

#include <QList>
#include <QSet>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>

class Clock;
class DetailsModel;
class OverviewModel;
class ParcelWatcher;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableView;
class QThread;
class QTimer;
class QTreeView;
class StatisticsWindow;
class TrackingHistory;

// "全部快递": every saved parcel with its state, grouped and searchable, the selected parcel's
// whole history, the archive, the refresh of all of them and the watcher's settings. Thin: the
// rows come from the tracking history, their grouping, order and search from OverviewList, the
// work from the watcher.
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
    // The tracking service's use and health: today's queries, the last success and failure.
    void setServiceUse(const QString &text);

    QLineEdit *search = nullptr;
    std::array<QPushButton *, int(ParcelGroup::Count)> groups {}; // 全部, 派件中, ..., 已归档
    QTableView *table = nullptr;
    QPushButton *refreshAll = nullptr; // 全部刷新
    QPushButton *stop = nullptr; // 停止
    QProgressBar *progress = nullptr; // 已查询 n / N
    QCheckBox *watchAll = nullptr; // 自动监控全部快递
    QComboBox *interval = nullptr; // 间隔分钟
    QSpinBox *archiveDays = nullptr; // 归档天数
    QLabel *message = nullptr;
    QLabel *serviceUse = nullptr;
    QPushButton *archiveSelected = nullptr; // 归档
    QPushButton *unarchiveSelected = nullptr; // 取消归档
    QPushButton *statistics = nullptr; // 统计
    QPushButton *exportParcels = nullptr; // 导出...
    QPushButton *importParcels = nullptr; // 导入...
    QLineEdit *phoneDigits = nullptr; // 手机尾号 of the selected parcel
    QPushButton *savePhoneDigits = nullptr; // 保存尾号
    QPushButton *serviceSettings = nullptr; // 查询服务...
    // 物流详情 of the selected parcel.
    QLabel *detailNote = nullptr, *detailNumber = nullptr, *detailCarrier = nullptr, *detailStatus = nullptr,
           *detailTransit = nullptr, *detailEstimate = nullptr;
    QTreeView *details = nullptr;

    QList<ParcelKey> shownKeys() const; // in the order shown
    ParcelGroup group() const { return m_group; }
    // The search finds rows' texts once they are read (in the background, after the first load).
    bool rowTextsReady() const { return m_list.hasRowTexts(); }
    StatisticsWindow *statisticsWindow() const { return m_statistics; }

Q_SIGNALS:
    // The user double-clicked a parcel: the main window should pick it.
    void pickRequested(const ParcelKey &key);
    void exportRequested();
    void importRequested();
    // The user asked for the dialog "查询服务".
    void serviceSettingsRequested();
    // The window changed the history (news looked at, the archive).
    void historyChanged();

private:
    void onRefreshProgress(int done, int total);
    void onWatchAllToggled(bool on);
    void onIntervalChosen(int index);
    void onArchiveDaysChanged(int days);
    void onGroupChosen(int group);
    void onSearchChanged(const QString &text);
    void onSort(int column, Qt::SortOrder order);
    void onArchive(bool archive);
    void showStatistics();
    void showSelected();
    void showDetails(const std::optional<ParcelRecord> &parcel);
    void showSelectedPhoneDigits();
    void onSavePhoneDigits();
    void updateChecked();
    // Shows the rows of the group and search; the selection stays with its parcels.
    void applyView(bool keepScroll);
    void showRows(QList<int> shown, bool keepScroll);
    void updateGroupCaptions();
    void updateArchiveButtons();
    void readRowTexts();
    QList<ParcelKey> selectedKeys() const;
    // The parcel of the current row, if there is one.
    std::optional<ParcelRecord> selectedParcel() const;
    QList<ParcelRecord> shownRecords(QList<ParcelRecord> parcels) const;

    TrackingHistory &m_history;
    ParcelWatcher &m_watcher;
    const Clock &m_clock;
    QString m_settingsPath;
    OverviewList m_list;
    DeliveryEstimator m_estimator;
    OverviewModel *m_model;
    DetailsModel *m_detailsModel;
    QButtonGroup *m_groupButtons;
    QTimer *m_reloadTimer;
    QTimer *m_updateTimer;
    QSet<ParcelKey> m_updated; // checked since the last update
    ParcelGroup m_group = ParcelGroup::All;
    OverviewOrder m_order;
    QString m_shownSearch; // the search the shown rows were selected for
    std::unique_ptr<QThread> m_rowTextReader;
    QSet<ParcelKey> m_textsChangedMeanwhile; // parcels checked while the reader ran
    bool m_readAgain = false; // the list changed much while the reader ran
    bool m_restoring = false; // putting the selection back after the rows changed
    bool m_columnsSized = false;
    ParcelKey m_phoneShownFor; // whose digits the phone box shows (a reload keeps what is typed)
    ParcelKey m_detailsFor;
    StatisticsWindow *m_statistics = nullptr; // a child, made on the first 统计
};
