#include "gui/overview/overview_window.h"

#include "core/carrier_catalogue.h"
#include "core/delivery_status.h"
#include "gui/overview/overview_models.h"
#include "gui/overview/statistics_window.h"
#include "platform/clock.h"
#include "services/service_settings.h"
#include "services/tracking_client.h"
#include "watch/overview_rows.h"
#include "watch/parcel_statistics.h"
#include "watch/parcel_watcher.h"
#include "watch/service_records.h"
#include "watch/tracking_history.h"
#include "watch/watch_settings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QThread>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>
#include <utility>

namespace {
const int kIntervals[] = {30, 60, 120, 180, 360, 720, 1440};
const char *const kGroupNames[]
    = {"groupAll", "groupOutForDelivery", "groupInTransit", "groupProblem", "groupSigned", "groupArchived"};
// Parcels whose rows changed since the last load are read one by one up to this many; beyond it
// all texts are read again in the background.
constexpr int kTextsReadOneByOne = 200;

QLabel *valueLabel(const char *name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setWordWrap(true);
    return label;
}
} // namespace

OverviewWindow::OverviewWindow(TrackingHistory &history, ParcelWatcher &watcher, const Clock &clock,
                               const QString &settingsPath, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_history(history)
    , m_watcher(watcher)
    , m_clock(clock)
    , m_settingsPath(settingsPath)
    , m_model(new OverviewModel(m_list, this))
    , m_detailsModel(new DetailsModel(this))
    , m_groupButtons(new QButtonGroup(this))
    , m_reloadTimer(new QTimer(this))
    , m_updateTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("OverviewWindow"));
    setWindowTitle(tr("全部快递"));
    resize(1180, 640);

    auto *searchLabel = new QLabel(tr("搜索"), this);
    search = new QLineEdit(this);
    search->setObjectName(QStringLiteral("search"));
    search->setClearButtonEnabled(true);
    search->setPlaceholderText(tr("备注、单号、快递公司或物流信息(地名、快递员电话)"));
    searchLabel->setBuddy(search);

    // One button per group, exclusive; Tab reaches each, Space chooses it.
    auto *groupRow = new QHBoxLayout;
    for (int g = 0; g < int(ParcelGroup::Count); ++g) {
        auto *button = new QPushButton(groupCaption(ParcelGroup(g)), this);
        button->setObjectName(QLatin1String(kGroupNames[g]));
        button->setCheckable(true);
        m_groupButtons->addButton(button, g);
        groupRow->addWidget(button);
        groups[g] = button;
    }
    groups[int(ParcelGroup::All)]->setChecked(true);
    groupRow->addStretch(1);

    m_model->sortRequested = [this](int column, Qt::SortOrder order) { onSort(column, order); };
    table = new QTableView(this);
    table->setObjectName(QStringLiteral("parcels"));
    table->setAccessibleName(tr("全部快递"));
    table->setModel(m_model);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    // Column widths from the first rows, not from ten thousand of them.
    table->verticalHeader()->setResizeContentsPrecision(20);
    table->setWordWrap(false);
    QHeaderView *header = table->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    // The newest progress takes what the other columns leave.
    header->setSectionResizeMode(int(OverviewColumn::Newest), QHeaderView::Stretch);
    // A third click on a column header goes back to the default order.
    header->setSortIndicatorClearable(true);
    table->setSortingEnabled(true);
    table->sortByColumn(-1, Qt::AscendingOrder);

    // The selected parcel: what is known of it and every row ever seen, newest first.
    auto *detailsPane = new QWidget(this);
    detailNote = valueLabel("detailNote", detailsPane);
    detailNumber = valueLabel("detailNumber", detailsPane);
    detailCarrier = valueLabel("detailCarrier", detailsPane);
    detailStatus = valueLabel("detailStatus", detailsPane);
    detailTransit = valueLabel("detailTransit", detailsPane);
    detailEstimate = valueLabel("detailEstimate", detailsPane);
    auto *facts = new QFormLayout;
    facts->addRow(tr("备注"), detailNote);
    facts->addRow(tr("单号"), detailNumber);
    facts->addRow(tr("快递公司"), detailCarrier);
    facts->addRow(tr("状态"), detailStatus);
    facts->addRow(tr("运送时间"), detailTransit);
    facts->addRow(tr("预计送达"), detailEstimate);
    auto *detailsLabel = new QLabel(tr("物流详情"), detailsPane);
    details = new QTreeView(detailsPane);
    details->setObjectName(QStringLiteral("details"));
    // An item view is not named by its label's buddy relation; it names itself.
    details->setAccessibleName(tr("物流详情"));
    details->setModel(m_detailsModel);
    details->setRootIsDecorated(false);
    details->setUniformRowHeights(true);
    details->setAlternatingRowColors(true);
    details->setWordWrap(false);
    details->setEditTriggers(QAbstractItemView::NoEditTriggers);
    details->header()->setStretchLastSection(false);
    details->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    const int timeWidth
        = details->fontMetrics().horizontalAdvance(QStringLiteral("0000-00-00 00:00:00")) + 16;
    details->header()->resizeSection(0, timeWidth);
    details->header()->resizeSection(2, timeWidth);
    detailsLabel->setBuddy(details);
    auto *detailsLayout = new QVBoxLayout(detailsPane);
    detailsLayout->setContentsMargins(0, 0, 0, 0);
    detailsLayout->addLayout(facts);
    detailsLayout->addWidget(detailsLabel);
    detailsLayout->addWidget(details, 1);

    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("overviewSplitter"));
    splitter->addWidget(table);
    splitter->addWidget(detailsPane);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setSizes({700, 460});

    refreshAll = new QPushButton(tr("全部刷新"), this);
    refreshAll->setObjectName(QStringLiteral("refreshAll"));
    stop = new QPushButton(tr("停止"), this);
    stop->setObjectName(QStringLiteral("stop"));
    stop->setEnabled(false);
    progress = new QProgressBar(this);
    progress->setObjectName(QStringLiteral("progress"));
    progress->setAccessibleName(tr("刷新进度"));
    progress->setFormat(tr("已查询 %v / %m"));
    progress->setRange(0, 1);
    progress->setValue(0);
    progress->setTextVisible(true);
    progress->hide();

    const WatchSettings settings = WatchSettings::load(settingsPath);
    watchAll = new QCheckBox(tr("自动监控全部快递"), this);
    watchAll->setObjectName(QStringLiteral("watchAll"));
    watchAll->setChecked(settings.watchAll);
    auto *intervalLabel = new QLabel(tr("查询间隔"), this);
    interval = new QComboBox(this);
    interval->setObjectName(QStringLiteral("interval"));
    for (int minutes : kIntervals)
        interval->addItem(minutes < 60 ? tr("%1分钟").arg(minutes) : tr("%1小时").arg(minutes / 60), minutes);
    int chosen = interval->findData(settings.intervalMinutes);
    if (chosen < 0) {
        interval->addItem(tr("%1分钟").arg(settings.intervalMinutes), settings.intervalMinutes);
        chosen = interval->count() - 1;
    }
    interval->setCurrentIndex(chosen);
    intervalLabel->setBuddy(interval);

    // Signed-for parcels leave the daily view so many days after their signing row.
    auto *archiveDaysLabel = new QLabel(tr("归档天数"), this);
    archiveDays = new QSpinBox(this);
    archiveDays->setObjectName(QStringLiteral("archiveDays"));
    archiveDays->setRange(0, WatchSettings::kMaxArchiveDays);
    archiveDays->setSuffix(tr("天"));
    archiveDays->setSpecialValueText(tr("不归档"));
    archiveDays->setToolTip(tr("已签收的快递在签收多少天后自动归档,0为不自动归档"));
    archiveDays->setValue(settings.archiveDays);
    archiveDaysLabel->setBuddy(archiveDays);
    m_watcher.setArchiveDays(settings.archiveDays);

    // Some carriers tell a parcel's progress only with the last four digits of the receiver's or
    // sender's phone; the selected parcel's are set here.
    auto *phoneLabel = new QLabel(tr("手机尾号"), this);
    phoneDigits = new QLineEdit(this);
    phoneDigits->setObjectName(QStringLiteral("phoneDigits"));
    phoneDigits->setMaxLength(4);
    phoneDigits->setMaximumWidth(70);
    phoneDigits->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), phoneDigits));
    phoneDigits->setToolTip(tr("收件人或寄件人手机号的后四位,顺丰等快递公司查询时需要"));
    phoneLabel->setBuddy(phoneDigits);
    savePhoneDigits = new QPushButton(tr("保存尾号"), this);
    savePhoneDigits->setObjectName(QStringLiteral("savePhoneDigits"));
    serviceSettings = new QPushButton(tr("查询服务..."), this);
    serviceSettings->setObjectName(QStringLiteral("serviceSettings"));

    archiveSelected = new QPushButton(tr("归档"), this);
    archiveSelected->setObjectName(QStringLiteral("archiveSelected"));
    unarchiveSelected = new QPushButton(tr("取消归档"), this);
    unarchiveSelected->setObjectName(QStringLiteral("unarchiveSelected"));
    statistics = new QPushButton(tr("统计"), this);
    statistics->setObjectName(QStringLiteral("statistics"));

    message = new QLabel(this);
    message->setObjectName(QStringLiteral("message"));
    message->setWordWrap(true);
    message->setTextFormat(Qt::PlainText);
    serviceUse = new QLabel(this);
    serviceUse->setObjectName(QStringLiteral("serviceUse"));
    serviceUse->setWordWrap(true);
    serviceUse->setTextFormat(Qt::PlainText);

    auto *top = new QHBoxLayout;
    top->addWidget(searchLabel);
    top->addWidget(search, 1);
    top->addSpacing(16);
    top->addWidget(watchAll);
    top->addWidget(intervalLabel);
    top->addWidget(interval);
    top->addWidget(archiveDaysLabel);
    top->addWidget(archiveDays);
    exportParcels = new QPushButton(tr("导出..."), this);
    exportParcels->setObjectName(QStringLiteral("exportParcels"));
    importParcels = new QPushButton(tr("导入..."), this);
    importParcels->setObjectName(QStringLiteral("importParcels"));

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(refreshAll);
    bottom->addWidget(stop);
    bottom->addWidget(progress, 1);
    bottom->addWidget(archiveSelected);
    bottom->addWidget(unarchiveSelected);
    bottom->addWidget(statistics);
    bottom->addWidget(exportParcels);
    bottom->addWidget(importParcels);
    bottom->addSpacing(16);
    bottom->addWidget(phoneLabel);
    bottom->addWidget(phoneDigits);
    bottom->addWidget(savePhoneDigits);
    bottom->addWidget(serviceSettings);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(groupRow);
    layout->addWidget(splitter, 1);
    layout->addLayout(bottom);
    layout->addWidget(serviceUse);
    layout->addWidget(message);

    m_reloadTimer->setSingleShot(true);
    m_reloadTimer->setInterval(200);
    connect(m_reloadTimer, &QTimer::timeout, this, &OverviewWindow::reload);
    // Checks of single parcels are read one by one, a few at a time.
    m_updateTimer->setSingleShot(true);
    m_updateTimer->setInterval(200);
    connect(m_updateTimer, &QTimer::timeout, this, &OverviewWindow::updateChecked);
    connect(search, &QLineEdit::textChanged, this, &OverviewWindow::onSearchChanged);
    connect(m_groupButtons, &QButtonGroup::idClicked, this, &OverviewWindow::onGroupChosen);
    connect(refreshAll, &QPushButton::clicked, &m_watcher, &ParcelWatcher::refreshAll);
    connect(stop, &QPushButton::clicked, &m_watcher, &ParcelWatcher::stop);
    connect(&m_watcher, &ParcelWatcher::refreshProgress, this, &OverviewWindow::onRefreshProgress);
    connect(&m_watcher, &ParcelWatcher::refreshFinished, this, [this] {
        progress->hide();
        stop->setEnabled(false);
        refreshAll->setEnabled(true);
    });
    connect(&m_watcher, &ParcelWatcher::parcelChecked, this, [this](const ParcelKey &key) {
        m_updated.insert(key);
        if (!m_updateTimer->isActive())
            m_updateTimer->start();
    });
    // What the service allows is told where the user sees the parcels wait.
    connect(&m_watcher, &ParcelWatcher::holdChanged, this, [this](const QDateTime &until) {
        if (until.isValid())
            tell(ServiceBudget::shownHoldText(m_watcher.client().service(), until, m_clock.now()));
    });
    connect(&m_watcher, &ParcelWatcher::savingChanged, this, [this](bool saving) {
        if (saving)
            tell(ServiceBudget::savingText(m_watcher.client().service()));
    });
    if (m_watcher.heldUntil().isValid())
        tell(
            ServiceBudget::shownHoldText(m_watcher.client().service(), m_watcher.heldUntil(), m_clock.now()));
    else if (m_watcher.saving())
        tell(ServiceBudget::savingText(m_watcher.client().service()));
    connect(watchAll, &QCheckBox::toggled, this, &OverviewWindow::onWatchAllToggled);
    connect(exportParcels, &QPushButton::clicked, this, &OverviewWindow::exportRequested);
    connect(importParcels, &QPushButton::clicked, this, &OverviewWindow::importRequested);
    connect(interval, &QComboBox::activated, this, &OverviewWindow::onIntervalChosen);
    connect(archiveDays, &QSpinBox::valueChanged, this, &OverviewWindow::onArchiveDaysChanged);
    connect(table, &QTableView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.isValid())
            Q_EMIT pickRequested(m_list.parcel(m_model->listIndex(index.row())).key);
    });
    connect(table->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        if (!m_restoring)
            showSelected();
    });
    connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &OverviewWindow::updateArchiveButtons);
    connect(archiveSelected, &QPushButton::clicked, this, [this] { onArchive(true); });
    connect(unarchiveSelected, &QPushButton::clicked, this, [this] { onArchive(false); });
    connect(statistics, &QPushButton::clicked, this, &OverviewWindow::showStatistics);
    connect(savePhoneDigits, &QPushButton::clicked, this, &OverviewWindow::onSavePhoneDigits);
    connect(phoneDigits, &QLineEdit::returnPressed, this, &OverviewWindow::onSavePhoneDigits);
    connect(serviceSettings, &QPushButton::clicked, this, &OverviewWindow::serviceSettingsRequested);
    reload();
}

OverviewWindow::~OverviewWindow()
{
    // The reader only reads; it is over within the time one read of the file takes.
    if (m_rowTextReader)
        m_rowTextReader->wait();
}

QList<ParcelRecord> OverviewWindow::shownRecords(QList<ParcelRecord> parcels) const
{
    // Without the automatic watch no check is planned, whatever the history says.
    if (!m_watcher.isEnabled()) {
        for (ParcelRecord &parcel : parcels)
            parcel.nextCheck = QDateTime();
    }
    return parcels;
}

void OverviewWindow::reloadSoon()
{
    if (!m_reloadTimer->isActive())
        m_reloadTimer->start();
}

void OverviewWindow::reload()
{
    m_reloadTimer->stop();
    m_updated.clear();
    m_updateTimer->stop();
    const QDateTime now = m_clock.now();
    QList<ParcelRecord> all = m_history.allParcels();
    m_estimator = DeliveryEstimator(all);
    qsizetype listed = 0;
    while (listed < all.size() && all.at(listed).listed)
        ++listed;
    all.resize(listed);
    const QList<int> stale = m_list.setParcels(shownRecords(std::move(all)), now, archiveDays->value());
    if (!m_list.hasRowTexts() || stale.size() > kTextsReadOneByOne) {
        readRowTexts();
    } else {
        for (int index : stale)
            m_list.setRowTexts(index, m_history.rowTexts(m_list.parcel(index).key));
    }
    m_detailsFor = ParcelKey(); // what the details show may have changed
    applyView(true);
    if (!m_columnsSized && m_model->rowCount() > 0) {
        m_columnsSized = true;
        table->resizeColumnsToContents();
    }
}

void OverviewWindow::readRowTexts()
{
    if (m_rowTextReader) {
        m_readAgain = true;
        return;
    }
    if (m_history.inMemory()) {
        // A database in memory has no file another connection could read.
        m_list.setRowTextIndex(std::make_shared<const RowTextIndex>(m_history.rowTextIndex()));
        return;
    }
    auto index = std::make_shared<RowTextIndex>();
    const QString file = m_history.path();
    m_rowTextReader.reset(
        QThread::create([index, file] { *index = TrackingHistory::readRowTextIndex(file); }));
    m_rowTextReader->setObjectName(QStringLiteral("parcelvue-row-texts"));
    connect(m_rowTextReader.get(), &QThread::finished, this, [this, index] {
        m_rowTextReader->wait();
        m_rowTextReader.reset();
        m_list.setRowTextIndex(index);
        // Parcels checked while the texts were read have newer rows than the read saw.
        for (const ParcelKey &key : std::as_const(m_textsChangedMeanwhile)) {
            const int at = m_list.indexOf(key);
            if (at >= 0)
                m_list.setRowTexts(at, m_history.rowTexts(key));
        }
        m_textsChangedMeanwhile.clear();
        if (std::exchange(m_readAgain, false))
            readRowTexts();
        if (!search->text().trimmed().isEmpty())
            applyView(true);
    });
    m_rowTextReader->start(QThread::LowPriority);
}

void OverviewWindow::updateChecked()
{
    const QDateTime now = m_clock.now();
    bool detailsChanged = false;
    for (const ParcelKey &key : std::as_const(m_updated)) {
        const std::optional<ParcelRecord> parcel = m_history.parcel(key);
        if (!parcel || !parcel->listed)
            continue;
        const int index = m_list.update(shownRecords({*parcel}).first(), now);
        if (index < 0)
            continue;
        if (m_rowTextReader)
            m_textsChangedMeanwhile.insert(key);
        if (m_list.hasRowTexts())
            m_list.setRowTexts(index, m_history.rowTexts(key));
        detailsChanged = detailsChanged || key == m_detailsFor;
    }
    m_updated.clear();
    if (detailsChanged)
        m_detailsFor = ParcelKey();
    applyView(true);
}

void OverviewWindow::applyView(bool keepScroll)
{
    m_shownSearch = search->text();
    showRows(m_list.select(m_group, m_shownSearch, m_order), keepScroll);
}

void OverviewWindow::showRows(QList<int> shown, bool keepScroll)
{
    const QList<ParcelKey> selected = selectedKeys();
    const QModelIndex current = table->currentIndex();
    const ParcelKey currentKey
        = current.isValid() ? m_list.parcel(m_model->listIndex(current.row())).key : ParcelKey();
    const int scroll = table->verticalScrollBar()->value();

    m_restoring = true;
    m_model->setShown(std::move(shown), m_clock.now());
    QItemSelection selection;
    for (const ParcelKey &key : selected) {
        const int row = m_model->rowOf(m_list.indexOf(key));
        if (row >= 0)
            selection.select(m_model->index(row, 0), m_model->index(row, m_model->columnCount() - 1));
    }
    const int currentRow = m_model->rowOf(m_list.indexOf(currentKey));
    table->setAutoScroll(!keepScroll);
    if (currentRow >= 0)
        table->selectionModel()->setCurrentIndex(m_model->index(currentRow, 0),
                                                 QItemSelectionModel::NoUpdate);
    table->selectionModel()->select(selection, QItemSelectionModel::Select);
    table->setAutoScroll(true);
    if (keepScroll)
        table->verticalScrollBar()->setValue(scroll);
    m_restoring = false;

    updateGroupCaptions();
    updateArchiveButtons();
    showSelected();
}

void OverviewWindow::updateGroupCaptions()
{
    const OverviewList::Counts counts = m_list.counts();
    for (int g = 0; g < int(ParcelGroup::Count); ++g)
        groups[g]->setText(QStringLiteral("%1 (%2)").arg(groupCaption(ParcelGroup(g))).arg(counts[g]));
}

void OverviewWindow::onGroupChosen(int group)
{
    if (ParcelGroup(group) == m_group)
        return;
    m_group = ParcelGroup(group);
    applyView(false);
}

void OverviewWindow::onSearchChanged(const QString &text)
{
    // A longer search can only keep rows of the shorter one, in their order.
    const QString before = m_shownSearch.trimmed();
    if (!before.isEmpty() && text.trimmed().contains(before, Qt::CaseInsensitive)) {
        m_shownSearch = text;
        showRows(m_list.narrow(m_model->shown(), text), false);
        return;
    }
    applyView(false);
}

void OverviewWindow::onSort(int column, Qt::SortOrder order)
{
    m_order = {column, order};
    m_model->reorder([this](QList<int> &shown) { m_list.sort(shown, m_order); });
}

QList<ParcelKey> OverviewWindow::selectedKeys() const
{
    QList<ParcelKey> keys;
    for (const QModelIndex &index : table->selectionModel()->selectedRows())
        keys.append(m_list.parcel(m_model->listIndex(index.row())).key);
    return keys;
}

std::optional<ParcelRecord> OverviewWindow::selectedParcel() const
{
    const QModelIndex current = table->currentIndex();
    if (!current.isValid())
        return std::nullopt;
    return m_list.parcel(m_model->listIndex(current.row()));
}

void OverviewWindow::showSelected()
{
    const QModelIndex current = table->currentIndex();
    const int index = current.isValid() ? m_model->listIndex(current.row()) : -1;
    showDetails(index >= 0 ? std::optional<ParcelRecord>(m_list.parcel(index)) : std::nullopt);
    showSelectedPhoneDigits();
    // The user sees the parcel's news now.
    if (index >= 0 && m_list.parcel(index).unseenNews && isVisible()) {
        if (m_history.markSeen(m_list.parcel(index).key)) {
            m_list.markSeen(index);
            m_model->refreshRow(current.row());
            Q_EMIT historyChanged();
        }
    }
}

void OverviewWindow::showDetails(const std::optional<ParcelRecord> &parcel)
{
    if (!parcel) {
        m_detailsFor = ParcelKey();
        for (QLabel *label :
             {detailNote, detailNumber, detailCarrier, detailStatus, detailTransit, detailEstimate})
            label->clear();
        m_detailsModel->setRows({});
        return;
    }
    const QDateTime now = m_clock.now();
    detailNote->setText(parcel->note);
    detailNumber->setText(parcel->key.number);
    detailCarrier->setText(carrierShownName(parcel->carrierName));
    const bool archived = isArchived(*parcel, archiveDays->value(), now);
    detailStatus->setText(archived ? shownOverviewStatus(*parcel) + tr(",已归档")
                                   : shownOverviewStatus(*parcel));
    const qint64 took = signedTransitSeconds(*parcel);
    detailTransit->setText(took >= 0 ? tr("用时%1").arg(shownSpanText(took))
                                     : shownOverviewCell(*parcel, OverviewColumn::Transit, now));
    detailEstimate->setText(estimateText(m_estimator.estimate(*parcel), now));
    // The rows are read again only for another parcel or when its rows changed.
    if (parcel->key == m_detailsFor)
        return;
    m_detailsFor = parcel->key;
    m_detailsModel->setRows(m_history.rows(parcel->key));
    details->scrollToTop();
}

void OverviewWindow::updateArchiveButtons()
{
    bool anyArchived = false, anyNot = false;
    for (const QModelIndex &index : table->selectionModel()->selectedRows()) {
        const bool archived = m_list.archived(m_model->listIndex(index.row()));
        anyArchived = anyArchived || archived;
        anyNot = anyNot || !archived;
    }
    archiveSelected->setEnabled(anyNot);
    unarchiveSelected->setEnabled(anyArchived);
}

void OverviewWindow::onArchive(bool archive)
{
    const QDateTime now = m_clock.now();
    QMap<int, QList<ParcelKey>> marks; // by ArchiveMark
    for (const QModelIndex &index : table->selectionModel()->selectedRows()) {
        const int at = m_model->listIndex(index.row());
        if (m_list.archived(at) == archive)
            continue;
        const ParcelRecord &parcel = m_list.parcel(at);
        marks[int(archive ? ArchiveMark::Archived : unarchiveMark(parcel, archiveDays->value(), now))].append(
            parcel.key);
    }
    int changed = 0;
    for (auto it = marks.cbegin(); it != marks.cend(); ++it) {
        if (!m_history.setArchive(it.value(), ArchiveMark(it.key())))
            return tell(tr("归档失败!错误原因") + m_history.lastError());
        changed += int(it.value().size());
    }
    if (changed == 0)
        return tell(tr("请先在列表中选择快递!"));
    tell(archive ? tr("已归档%1个快递,可在“已归档”中查看.").arg(changed)
                 : tr("已取消归档%1个快递.").arg(changed));
    reload();
    Q_EMIT historyChanged();
}

void OverviewWindow::showStatistics()
{
    if (!m_statistics)
        m_statistics = new StatisticsWindow(this);
    m_statistics->showStatistics(parcelStatistics(m_history.allParcels()));
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
        return tell(tr("请先在列表中选择一个快递!"));
    const QString digits = phoneDigits->text().trimmed();
    if (!isPhoneDigits(digits))
        return tell(tr("手机尾号应为4位数字!"));
    if (!m_history.setPhoneDigits(parcel->key, digits))
        return tell(tr("手机尾号保存失败!错误原因") + m_history.lastError());
    tell(digits.isEmpty() ? tr("已清除%1的手机尾号.").arg(parcel->key.number)
                          : tr("已保存%1的手机尾号,以后查询时会一并发送.").arg(parcel->key.number));
    reload();
}

void OverviewWindow::setServiceUse(const QString &text)
{
    serviceUse->setText(text);
}

void OverviewWindow::tell(const QString &text)
{
    message->setText(text);
}

QList<ParcelKey> OverviewWindow::shownKeys() const
{
    QList<ParcelKey> keys;
    keys.reserve(m_model->rowCount());
    for (int index : m_model->shown())
        keys.append(m_list.parcel(index).key);
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
        tell(tr("设置保存失败!请检查磁盘或权限.."));
}

void OverviewWindow::onIntervalChosen(int index)
{
    const int minutes = interval->itemData(index).toInt();
    m_watcher.setIntervalMinutes(minutes);
    reloadSoon(); // every parcel's 下次查询 is planned anew
    if (!WatchSettings::saveInterval(m_settingsPath, minutes))
        tell(tr("设置保存失败!请检查磁盘或权限.."));
}

void OverviewWindow::onArchiveDaysChanged(int days)
{
    m_watcher.setArchiveDays(days);
    m_list.setArchiveDays(days, m_clock.now());
    m_detailsFor = ParcelKey();
    applyView(true);
    if (!WatchSettings::saveArchiveDays(m_settingsPath, days))
        tell(tr("设置保存失败!请检查磁盘或权限.."));
}
