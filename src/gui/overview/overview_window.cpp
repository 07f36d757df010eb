#include "gui/overview/overview_window.h"

#include "platform/clock.h"
#include "services/service_settings.h"
#include "watch/overview_rows.h"
#include "watch/parcel_watcher.h"
#include "watch/tracking_history.h"
#include "watch/watch_settings.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {
const int kIntervals[] = {30, 60, 120, 180, 360, 720, 1440};
} // namespace

class OverviewModel : public QAbstractTableModel
{
public:
    OverviewModel(const Clock &clock, QObject *parent)
        : QAbstractTableModel(parent)
        , m_clock(clock)
    { }

    // Without the automatic watch no check is planned, whatever the history says.
    void setParcels(QList<ParcelRecord> parcels, bool watching)
    {
        beginResetModel();
        m_parcels = std::move(parcels);
        if (!watching) {
            for (ParcelRecord &parcel : m_parcels)
                parcel.nextCheck = QDateTime();
        }
        m_now = m_clock.now();
        endResetModel();
    }
    const ParcelRecord &parcel(int row) const { return m_parcels.at(row); }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_parcels.size());
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(OverviewColumn::Count);
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || index.row() >= m_parcels.size())
            return {};
        const ParcelRecord &parcel = m_parcels.at(index.row());
        const auto column = OverviewColumn(index.column());
        switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return overviewCell(parcel, column, m_now);
        case Qt::UserRole:
            return overviewSortKey(parcel, column, m_now);
        case Qt::FontRole:
            if (parcel.unseenNews) {
                QFont font;
                font.setBold(true);
                return font;
            }
            return {};
        default:
            return {};
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            return overviewHeaders().value(section);
        return QAbstractTableModel::headerData(section, orientation, role);
    }

private:
    const Clock &m_clock;
    QList<ParcelRecord> m_parcels;
    QDateTime m_now;
};

class OverviewFilter : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void setSearch(const QString &text)
    {
        m_search = text;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex &) const override
    {
        return overviewMatches(static_cast<const OverviewModel *>(sourceModel())->parcel(row), m_search);
    }

private:
    QString m_search;
};

OverviewWindow::OverviewWindow(TrackingHistory &history, ParcelWatcher &watcher, const Clock &clock,
                               const QString &settingsPath, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_history(history)
    , m_watcher(watcher)
    , m_clock(clock)
    , m_settingsPath(settingsPath)
    , m_model(new OverviewModel(clock, this))
    , m_filter(new OverviewFilter(this))
    , m_reloadTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("OverviewWindow"));
    setWindowTitle(QStringLiteral("全部快递"));
    resize(980, 520);

    auto *searchLabel = new QLabel(QStringLiteral("搜索"), this);
    search = new QLineEdit(this);
    search->setObjectName(QStringLiteral("search"));
    search->setClearButtonEnabled(true);
    searchLabel->setBuddy(search);

    m_filter->setSourceModel(m_model);
    m_filter->setSortRole(Qt::UserRole);
    table = new QTableView(this);
    table->setObjectName(QStringLiteral("parcels"));
    table->setAccessibleName(QStringLiteral("全部快递"));
    table->setModel(m_filter);
    table->setSortingEnabled(true);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->setWordWrap(false);
    // The newest progress takes what the other columns leave.
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(int(OverviewColumn::Newest), QHeaderView::Stretch);
    table->sortByColumn(-1, Qt::AscendingOrder);

    refreshAll = new QPushButton(QStringLiteral("全部刷新"), this);
    refreshAll->setObjectName(QStringLiteral("refreshAll"));
    stop = new QPushButton(QStringLiteral("停止"), this);
    stop->setObjectName(QStringLiteral("stop"));
    stop->setEnabled(false);
    progress = new QProgressBar(this);
    progress->setObjectName(QStringLiteral("progress"));
    progress->setAccessibleName(QStringLiteral("刷新进度"));
    progress->setFormat(QStringLiteral("已查询 %v / %m"));
    progress->setRange(0, 1);
    progress->setValue(0);
    progress->setTextVisible(true);
    progress->hide();

    const WatchSettings settings = WatchSettings::load(settingsPath);
    watchAll = new QCheckBox(QStringLiteral("自动监控全部快递"), this);
    watchAll->setObjectName(QStringLiteral("watchAll"));
    watchAll->setChecked(settings.watchAll);
    auto *intervalLabel = new QLabel(QStringLiteral("查询间隔"), this);
    interval = new QComboBox(this);
    interval->setObjectName(QStringLiteral("interval"));
    for (int minutes : kIntervals)
        interval->addItem(minutes < 60 ? QStringLiteral("%1分钟").arg(minutes)
                                       : QStringLiteral("%1小时").arg(minutes / 60),
                          minutes);
    int chosen = interval->findData(settings.intervalMinutes);
    if (chosen < 0) {
        interval->addItem(QStringLiteral("%1分钟").arg(settings.intervalMinutes), settings.intervalMinutes);
        chosen = interval->count() - 1;
    }
    interval->setCurrentIndex(chosen);
    intervalLabel->setBuddy(interval);

    // Some carriers tell a parcel's progress only with the last four digits of the receiver's or
    // sender's phone; the selected parcel's are set here.
    auto *phoneLabel = new QLabel(QStringLiteral("手机尾号"), this);
    phoneDigits = new QLineEdit(this);
    phoneDigits->setObjectName(QStringLiteral("phoneDigits"));
    phoneDigits->setMaxLength(4);
    phoneDigits->setMaximumWidth(70);
    phoneDigits->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), phoneDigits));
    phoneDigits->setToolTip(QStringLiteral("收件人或寄件人手机号的后四位,顺丰等快递公司查询时需要"));
    phoneLabel->setBuddy(phoneDigits);
    savePhoneDigits = new QPushButton(QStringLiteral("保存尾号"), this);
    savePhoneDigits->setObjectName(QStringLiteral("savePhoneDigits"));
    serviceSettings = new QPushButton(QStringLiteral("查询服务..."), this);
    serviceSettings->setObjectName(QStringLiteral("serviceSettings"));

    message = new QLabel(this);
    message->setObjectName(QStringLiteral("message"));
    message->setWordWrap(true);
    message->setTextFormat(Qt::PlainText);

    auto *top = new QHBoxLayout;
    top->addWidget(searchLabel);
    top->addWidget(search, 1);
    top->addSpacing(16);
    top->addWidget(watchAll);
    top->addWidget(intervalLabel);
    top->addWidget(interval);
    exportParcels = new QPushButton(QStringLiteral("导出..."), this);
    exportParcels->setObjectName(QStringLiteral("exportParcels"));
    importParcels = new QPushButton(QStringLiteral("导入..."), this);
    importParcels->setObjectName(QStringLiteral("importParcels"));

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(refreshAll);
    bottom->addWidget(stop);
    bottom->addWidget(progress, 1);
    bottom->addWidget(exportParcels);
    bottom->addWidget(importParcels);
    bottom->addSpacing(16);
    bottom->addWidget(phoneLabel);
    bottom->addWidget(phoneDigits);
    bottom->addWidget(savePhoneDigits);
    bottom->addWidget(serviceSettings);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(table, 1);
    layout->addLayout(bottom);
    layout->addWidget(message);

    m_reloadTimer->setSingleShot(true);
    m_reloadTimer->setInterval(200);
    connect(m_reloadTimer, &QTimer::timeout, this, &OverviewWindow::reload);
    connect(search, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_filter->setSearch(text); });
    connect(refreshAll, &QPushButton::clicked, &m_watcher, &ParcelWatcher::refreshAll);
    connect(stop, &QPushButton::clicked, &m_watcher, &ParcelWatcher::stop);
    connect(&m_watcher, &ParcelWatcher::refreshProgress, this, &OverviewWindow::onRefreshProgress);
    connect(&m_watcher, &ParcelWatcher::refreshFinished, this, [this] {
        progress->hide();
        stop->setEnabled(false);
        refreshAll->setEnabled(true);
        reload();
    });
    connect(&m_watcher, &ParcelWatcher::parcelChecked, this, &OverviewWindow::reloadSoon);
    connect(watchAll, &QCheckBox::toggled, this, &OverviewWindow::onWatchAllToggled);
    connect(exportParcels, &QPushButton::clicked, this, &OverviewWindow::exportRequested);
    connect(importParcels, &QPushButton::clicked, this, &OverviewWindow::importRequested);
    connect(interval, &QComboBox::activated, this, &OverviewWindow::onIntervalChosen);
    connect(table, &QTableView::doubleClicked, this, [this](const QModelIndex &index) {
        const QModelIndex source = m_filter->mapToSource(index);
        if (source.isValid())
            Q_EMIT pickRequested(m_model->parcel(source.row()).key);
    });
    connect(table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &OverviewWindow::showSelectedPhoneDigits);
    connect(savePhoneDigits, &QPushButton::clicked, this, &OverviewWindow::onSavePhoneDigits);
    connect(phoneDigits, &QLineEdit::returnPressed, this, &OverviewWindow::onSavePhoneDigits);
    connect(serviceSettings, &QPushButton::clicked, this, &OverviewWindow::serviceSettingsRequested);
    reload();
    showSelectedPhoneDigits();
}

OverviewWindow::~OverviewWindow() = default;

std::optional<ParcelRecord> OverviewWindow::selectedParcel() const
{
    const QModelIndex current = table->currentIndex();
    if (!current.isValid())
        return std::nullopt;
    const QModelIndex source = m_filter->mapToSource(current);
    if (!source.isValid())
        return std::nullopt;
    return m_model->parcel(source.row());
}

void OverviewWindow::showSelectedPhoneDigits()
{
    const std::optional<ParcelRecord> parcel = selectedParcel();
    phoneDigits->setEnabled(parcel.has_value());
    savePhoneDigits->setEnabled(parcel.has_value());
    const ParcelKey key = parcel ? parcel->key : ParcelKey();
    if (key == m_phoneShownFor)
        return;
    m_phoneShownFor = key;
    phoneDigits->setText(parcel ? parcel->phoneDigits : QString());
}

void OverviewWindow::onSavePhoneDigits()
{
    const std::optional<ParcelRecord> parcel = selectedParcel();
    if (!parcel)
        return tell(QStringLiteral("请先在列表中选择一个快递!"));
    const QString digits = phoneDigits->text().trimmed();
    if (!isPhoneDigits(digits))
        return tell(QStringLiteral("手机尾号应为4位数字!"));
    if (!m_history.setPhoneDigits(parcel->key, digits))
        return tell(QStringLiteral("手机尾号保存失败!错误原因") + m_history.lastError());
    tell(digits.isEmpty()
             ? QStringLiteral("已清除%1的手机尾号.").arg(parcel->key.number)
             : QStringLiteral("已保存%1的手机尾号,以后查询时会一并发送.").arg(parcel->key.number));
    reload();
}

void OverviewWindow::reloadSoon()
{
    if (!m_reloadTimer->isActive())
        m_reloadTimer->start();
}

void OverviewWindow::reload()
{
    m_reloadTimer->stop();
    const QModelIndex current = table->currentIndex();
    const int currentRow = current.isValid() ? m_filter->mapToSource(current).row() : -1;
    const ParcelKey currentKey = currentRow >= 0 ? m_model->parcel(currentRow).key : ParcelKey();
    m_model->setParcels(m_history.listedParcels(), m_watcher.isEnabled());
    if (currentRow < 0)
        return;
    // The selection follows its parcel.
    for (int row = 0; row < m_model->rowCount(); ++row) {
        if (m_model->parcel(row).key == currentKey) {
            table->setCurrentIndex(m_filter->mapFromSource(m_model->index(row, 0)));
            break;
        }
    }
}

void OverviewWindow::tell(const QString &text)
{
    message->setText(text);
}

QList<ParcelKey> OverviewWindow::shownKeys() const
{
    QList<ParcelKey> keys;
    for (int row = 0; row < m_filter->rowCount(); ++row)
        keys.append(m_model->parcel(m_filter->mapToSource(m_filter->index(row, 0)).row()).key);
    return keys;
}

void OverviewWindow::onRefreshProgress(int done, int total)
{
    progress->setRange(0, std::max(total, 1));
    progress->setValue(done);
    progress->setVisible(total > 0);
    stop->setEnabled(total > 0 && done < total);
    refreshAll->setEnabled(!(total > 0 && done < total));
}

void OverviewWindow::onWatchAllToggled(bool on)
{
    m_watcher.setEnabled(on);
    reloadSoon();
    if (!WatchSettings::saveWatchAll(m_settingsPath, on))
        tell(QStringLiteral("设置保存失败!请检查磁盘或权限.."));
}

void OverviewWindow::onIntervalChosen(int index)
{
    const int minutes = interval->itemData(index).toInt();
    m_watcher.setIntervalMinutes(minutes);
    if (!WatchSettings::saveInterval(m_settingsPath, minutes))
        tell(QStringLiteral("设置保存失败!请检查磁盘或权限.."));
}
