#include "english_captions.h"
#include "english_interface.h"
#include "file_fixtures.h"
#include "gui/desktop/desktop_session.h"
#include "gui/overview/overview_window.h"
#include "gui/overview/statistics_window.h"
#include "gui/window/form1.h"
#include "platform/text_codec.h"
#include "qt_wait.h"
#include "smtp_server.h"
#include "test_platform.h"
#include "test_servers.h"
#include "watch/overview_rows.h"
#include "watch/parcel_watcher.h"
#include "watch/tracking_history.h"

#include <QAccessible>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {
const QString kSender = QStringLiteral("notice@parcelvue.localhost");
const QString kPassword = QStringLiteral("pw");

SandboxOptions sandboxOptions(int stepSeconds)
{
    SandboxOptions options;
    options.port = 0;
    options.stepSeconds = stepSeconds;
    return options;
}

// The program as main() makes it, on a test platform against the sandbox, with three saved
// parcels (the last one a number the service has no information for), or those given.
struct Session
{
    TestSandbox sandbox;
    TestPlatform test;
    std::unique_ptr<DesktopSession> session;

    explicit Session(const QString &saved = QStringLiteral(
                         "SF1001|顺丰快递|衬衫\r\nYT2002|圆通快递|书\r\n0000000000|EMS快递|空\r\n"),
                     int stepSeconds = 1)
        : sandbox(sandboxOptions(stepSeconds))
    {
        test.useServer(sandbox.baseUrl());
        QFile file(QDir(test.dataDir()).filePath(QStringLiteral("wlnum.ini")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(encodeGb(saved));
        file.close();
        session = std::make_unique<DesktopSession>(test.platform());
        form().Timer3->stop();
        form().Text1->setEnabled(true);
        session->show();
    }
    Form1 &form() { return session->form(); }
    OverviewWindow &openOverview()
    {
        // The seventh entry of the link menu, as a user picks it (then 查询服务 and 从邮件导入).
        EXPECT_EQ(form().Combo5->count(), 9);
        EXPECT_EQ(form().Combo5->itemText(8), QStringLiteral("从邮件导入"));
        EXPECT_EQ(form().Combo5->itemText(6), QStringLiteral("全部快递"));
        form().Combo5->setCurrentIndex(6);
        Q_EMIT form().Combo5->activated(6);
        EXPECT_NE(session->overview(), nullptr);
        return *session->overview();
    }
    QString savedFile() const
    {
        QFile file(QDir(test.dataDir()).filePath(QStringLiteral("wlnum.ini")));
        return file.open(QIODevice::ReadOnly) ? decodeGb(file.readAll()) : QString();
    }
    // 全部刷新, as a user clicks it, waited for.
    void refreshAll(OverviewWindow &overview)
    {
        QTest::mouseClick(overview.refreshAll, Qt::LeftButton);
        ASSERT_TRUE(waitUntil([&] { return !session->watcher().refreshing(); }, 15000));
        ASSERT_TRUE(waitUntil([&] { return overview.rowTextsReady(); }));
        overview.reload();
    }
    int askedFor(const QString &number)
    {
        int count = 0;
        for (const std::string &request : sandbox.server().requests())
            count += request.find("nu=" + number.toStdString()) != std::string::npos;
        return count;
    }
};

// The daily view's parcels, one of each stage, each of another carrier; the sandbox's stories
// stay where they are for an hour.
const QString kStages
    = QStringLiteral("STAGE3A1|圆通快递|书\r\nSTAGE7B2|顺丰快递|衬衫\r\nSTAGE8C3|中通快递|鞋\r\n"
                     "0000000000|EMS快递|空\r\nSTAGE1D4|韵达快递|杯子\r\n");

QStringList shownNumbers(const OverviewWindow &overview)
{
    QStringList numbers;
    for (const ParcelKey &key : overview.shownKeys())
        numbers.append(key.number);
    return numbers;
}

QStringList captions(const OverviewWindow &overview)
{
    QStringList texts;
    for (const QPushButton *button : overview.groups)
        texts.append(button->text());
    return texts;
}

// Clicks the row of the parcel, as a user selects it.
void clickRow(OverviewWindow &overview, const QString &number)
{
    const int row = int(shownNumbers(overview).indexOf(number));
    ASSERT_GE(row, 0) << number.toStdString();
    overview.table->scrollTo(overview.table->model()->index(row, 0));
    QTest::mouseClick(overview.table->viewport(), Qt::LeftButton, {},
                      overview.table->visualRect(overview.table->model()->index(row, 0)).center());
}

QString accessibleName(QWidget *widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

// The text of the label a screen reader reads for an input.
QString labelOf(QWidget *input)
{
    const auto relations = QAccessible::queryAccessibleInterface(input)->relations(QAccessible::Label);
    return relations.isEmpty() ? QString() : relations.first().first->text(QAccessible::Name);
}
} // namespace

TEST(Overview, RefreshAllFillsEveryRowAndADoubleClickPicksTheParcel)
{
    Session s;
    OverviewWindow &overview = s.openOverview();
    ASSERT_TRUE(overview.isVisible());
    ASSERT_EQ(overview.table->model()->rowCount(), 3);
    EXPECT_EQ(overview.table->model()->index(0, 3).data().toString(), QStringLiteral("未查询"));

    QTest::mouseClick(overview.refreshAll, Qt::LeftButton);
    EXPECT_TRUE(overview.progress->isVisible());
    ASSERT_TRUE(waitUntil([&] { return !s.session->watcher().refreshing(); }, 15000));
    ASSERT_TRUE(waitUntil([&] {
        // The service knows nothing of it yet: no failure of the parcel.
        return overview.table->model()->index(2, 3).data().toString() == QStringLiteral("暂无信息");
    }));
    const QAbstractItemModel *model = overview.table->model();
    EXPECT_EQ(model->index(0, 0).data().toString(), QStringLiteral("衬衫"));
    EXPECT_EQ(model->index(0, 1).data().toString(), QStringLiteral("SF1001"));
    EXPECT_EQ(model->index(0, 2).data().toString(), QStringLiteral("顺丰快递"));
    EXPECT_EQ(model->index(0, 3).data().toString(), QStringLiteral("运送中"));
    EXPECT_FALSE(model->index(0, 4).data().toString().isEmpty());
    EXPECT_EQ(model->index(2, 8).data().toString(), QStringLiteral("此快递单号未更新信息或已失效.."));

    // The search box, by note, number or carrier.
    overview.search->setText(QStringLiteral("圆通"));
    ASSERT_EQ(overview.shownKeys().size(), 1);
    EXPECT_EQ(overview.shownKeys().first().number, QStringLiteral("YT2002"));
    overview.search->clear();

    // A double click picks the parcel in the main window, which queries it.
    auto asked = [&] {
        int count = 0;
        for (const std::string &request : s.sandbox.server().requests())
            count += request.find("com=yuantong") != std::string::npos
                && request.find("nu=YT2002") != std::string::npos;
        return count;
    };
    const int before = asked();
    EXPECT_EQ(before, 1) << "asked by the refresh";
    const QModelIndex book = model->index(1, 0);
    const QRect cell = overview.table->visualRect(book);
    // A person's double click: a click, then the second press that makes it a double one.
    QTest::mouseClick(overview.table->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(overview.table->viewport(), Qt::LeftButton, {}, cell.center());
    ASSERT_TRUE(waitUntil([&] { return s.form().ListView1->topLevelItemCount() > 0; }));
    EXPECT_EQ(s.form().Text1->currentIndex(), 1);
    EXPECT_EQ(asked(), before + 1);
}

TEST(Overview, WatchedNewsSoundsAndMailsLikeTheDesignedAlert)
{
    SmtpTestServer smtp(kSender, kPassword);
    ASSERT_TRUE(smtp.start()) << smtp.error().toStdString();
    Session s;
    s.test.useSmtp(smtp.port(), kSender, kPassword);
    s.form().Check3->setChecked(true);
    s.form().Check2->setChecked(true);
    s.form().Sendmail->setText(QStringLiteral("me@example.com"));

    // A pick records the parcel's first answer (and the window's own alert says 有更新); a later
    // refresh with a new row is the watcher's news, with the same sound and mail.
    s.form().Text1->setCurrentIndex(0);
    s.form().Text1_Click();
    ASSERT_TRUE(waitUntil([&] { return smtp.received().size() == 1; }, 15000));
    ASSERT_GT(s.session->history().parcel({QStringLiteral("SF1001"), QStringLiteral("shunfeng")})->rowCount,
              0);
    const size_t soundsBefore = s.test.sound.played.size();
    const QString labelBefore = s.form().Label12[3]->text();
    QTest::qWait(1100); // the sandbox adds a row every second
    s.session->watcher().refreshAll();
    ASSERT_TRUE(waitUntil([&] { return smtp.received().size() == 2; }, 15000));
    EXPECT_EQ(s.test.sound.played.size(), soundsBefore + 1);
    EXPECT_TRUE(smtp.received().back().subject.contains(QStringLiteral("衬衫")));
    EXPECT_EQ(s.form().Label12[3]->text(), labelBefore) << "the window's own labels are not the watcher's";
    EXPECT_TRUE(
        s.session->history().parcel({QStringLiteral("SF1001"), QStringLiteral("shunfeng")})->unseenNews);
}

// The window's own query of a parcel the service knows nothing of plans its next check as the
// watcher does: about one interval on, and at twice the interval once it has waited a week.
TEST(Overview, AParcelWithoutInformationIsAskedLessOftenAfterAWeekWhoeverAsks)
{
    Session s;
    const ParcelKey empty {QStringLiteral("0000000000"), QStringLiteral("ems")};
    const QDateTime start = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch());
    const int interval = s.session->watcher().intervalMinutes();
    for (const int days : {0, 8}) {
        const QDateTime now = start.addDays(days);
        s.test.clock.set(now);
        s.form().Text1->setCurrentIndex(2);
        s.form().Text1_Click();
        ASSERT_TRUE(waitUntil([&] {
            const std::optional<ParcelRecord> parcel = s.session->history().parcel(empty);
            return parcel && parcel->lastChecked == now;
        }));
        EXPECT_EQ(s.session->history().parcel(empty)->nextCheck.toSecsSinceEpoch(),
                  WatchPlan::nextAfterAnswer(empty, now, days ? 2 * interval : interval).toSecsSinceEpoch())
            << days;
    }
}

TEST(Overview, WatcherSettingsAreKeptInTheirOwnSection)
{
    Session s;
    OverviewWindow &overview = s.openOverview();
    overview.watchAll->click();
    overview.interval->setCurrentIndex(overview.interval->findData(120));
    Q_EMIT overview.interval->activated(overview.interval->currentIndex());
    EXPECT_TRUE(s.session->watcher().isEnabled());
    EXPECT_EQ(s.session->watcher().intervalMinutes(), 120);
    QFile file(QDir(s.test.dataDir()).filePath(QStringLiteral("parcelvue.ini")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = decodeGb(file.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("[监控设置]"))) << text.toStdString();
}

TEST(Overview, ExportAndImportButtonsGoThroughTheFileDialogs)
{
    Session s;
    OverviewWindow &overview = s.openOverview();
    const QString exported = QDir(s.test.dataDir()).filePath(QStringLiteral("out.json"));
    s.test.saveDialog.nextName = exported;
    QTest::mouseClick(overview.exportParcels, Qt::LeftButton);
    ASSERT_FALSE(s.test.messages.shown.empty());
    EXPECT_TRUE(s.test.messages.shown.back().text.startsWith(QStringLiteral("已导出3个快递")));
    EXPECT_TRUE(QFile::exists(exported));

    const QString csv = QDir(s.test.dataDir()).filePath(QStringLiteral("in.csv"));
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("\uFEFF备注,单号,快递公司\r\n帽子,ZT3003,中通快递\r\n衬衫,SF1001,顺丰快递\r\n")
                   .toUtf8());
    file.close();
    const QString savedPath = QDir(s.test.dataDir()).filePath(QStringLiteral("wlnum.ini"));
    const QByteArray savedBefore = readBytes(savedPath);
    {
        // wlnum.ini cannot grow: the lists, the file and the database stay as they were.
        FileSizeLimit limit(rlim_t(savedBefore.size()));
        s.test.saveDialog.nextName = csv;
        QTest::mouseClick(overview.importParcels, Qt::LeftButton);
    }
    EXPECT_TRUE(s.test.messages.shown.back().text.startsWith(QStringLiteral("导入失败")));
    EXPECT_TRUE(s.test.messages.shown.back().text.contains(savedPath))
        << s.test.messages.shown.back().text.toStdString();
    EXPECT_EQ(s.form().Text1->count(), 3);
    EXPECT_EQ(s.form().Combo6->count(), 3);
    EXPECT_EQ(readBytes(savedPath), savedBefore);
    EXPECT_EQ(s.session->history().listedParcels().size(), 3);

    s.test.saveDialog.nextName = csv;
    QTest::mouseClick(overview.importParcels, Qt::LeftButton);
    EXPECT_EQ(s.test.messages.shown.back().text,
              QStringLiteral("已导入1个快递,1个已在列表中,合并了0条物流记录"));
    EXPECT_EQ(s.form().Text1->count(), 4);
    EXPECT_EQ(s.form().Text1->itemText(3), QStringLiteral("帽子"));
    EXPECT_EQ(overview.table->model()->rowCount(), 4);
    QFile saved(QDir(s.test.dataDir()).filePath(QStringLiteral("wlnum.ini")));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(decodeGb(saved.readAll()).endsWith(QStringLiteral("ZT3003|中通快递|帽子\r\n")));
}

TEST(Overview, GroupsTheParcelsOrdersThemAndSearchesTheirRows)
{
    Session s(kStages, 3600);
    OverviewWindow &overview = s.openOverview();
    s.refreshAll(overview);
    EXPECT_EQ(captions(overview),
              QStringList({QStringLiteral("全部 (5)"), QStringLiteral("派件中 (1)"),
                           QStringLiteral("运送中 (2)"), QStringLiteral("问题件 (0)"),
                           QStringLiteral("已签收 (1)"), QStringLiteral("已归档 (0)")}));
    // 派件中, 运送中 in the saved order, 暂无信息, 已签收.
    EXPECT_EQ(shownNumbers(overview),
              QStringList({QStringLiteral("STAGE7B2"), QStringLiteral("STAGE3A1"), QStringLiteral("STAGE1D4"),
                           QStringLiteral("0000000000"), QStringLiteral("STAGE8C3")}));

    const struct
    {
        ParcelGroup group;
        const char *search;
        QStringList shown;
    } views[] = {
        {ParcelGroup::InTransit, "", {"STAGE3A1", "STAGE1D4"}},
        {ParcelGroup::Signed, "", {"STAGE8C3"}},
        {ParcelGroup::Problem, "", {}},
        // The rows' texts: the courier who brings it, the signing row, the note and the carrier.
        {ParcelGroup::All, "正在为您派件", {"STAGE7B2", "STAGE8C3"}},
        {ParcelGroup::All, "签收人", {"STAGE8C3"}},
        {ParcelGroup::All, "杯子", {"STAGE1D4"}},
        {ParcelGroup::InTransit, "韵达", {"STAGE1D4"}},
        {ParcelGroup::Signed, "STAGE3", {}},
    };
    for (const auto &v : views) {
        QTest::mouseClick(overview.groups[int(v.group)], Qt::LeftButton);
        overview.search->setText(QString::fromUtf8(v.search));
        EXPECT_TRUE(overview.groups[int(v.group)]->isChecked());
        EXPECT_EQ(shownNumbers(overview), v.shown) << groupCaption(v.group).toStdString() << " " << v.search;
    }
    overview.search->clear();
    QTest::mouseClick(overview.groups[int(ParcelGroup::All)], Qt::LeftButton);

    // The services' exception states make 问题件, second after 派件中.
    const ParcelKey cup {QStringLiteral("STAGE1D4"), QStringLiteral("yunda")};
    ASSERT_TRUE(
        s.session->history()
            .recordAnswer(cup, s.session->history().rows(cup), QStringLiteral("问题件"), s.test.clock.now())
            .stored);
    overview.reload();
    EXPECT_EQ(overview.groups[int(ParcelGroup::Problem)]->text(), QStringLiteral("问题件 (1)"));
    EXPECT_EQ(shownNumbers(overview).mid(0, 2),
              QStringList({QStringLiteral("STAGE7B2"), QStringLiteral("STAGE1D4")}));

    // A click on a column header sorts by it; the third one goes back to the default order.
    const QStringList byDefault = shownNumbers(overview);
    QHeaderView *header = overview.table->horizontalHeader();
    const QPoint number(header->sectionViewportPosition(int(OverviewColumn::Number)) + 5,
                        header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, number);
    EXPECT_EQ(
        shownNumbers(overview),
        QStringList({QStringLiteral("0000000000"), QStringLiteral("STAGE1D4"), QStringLiteral("STAGE3A1"),
                     QStringLiteral("STAGE7B2"), QStringLiteral("STAGE8C3")}));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, number);
    EXPECT_EQ(shownNumbers(overview).first(), QStringLiteral("STAGE8C3"));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, number);
    EXPECT_EQ(shownNumbers(overview), byDefault);

    // Every new control is reachable under its caption or, an input, under its label: the
    // buttons by Tab, the groups as one stop whose arrow keys choose the next group.
    for (QPushButton *button :
         {overview.groups[0], overview.groups[1], overview.groups[2], overview.groups[3], overview.groups[4],
          overview.groups[5], overview.archiveSelected, overview.unarchiveSelected, overview.statistics}) {
        EXPECT_FALSE(button->objectName().isEmpty()) << button->text().toStdString();
        EXPECT_EQ(accessibleName(button), button->text());
    }
    for (QPushButton *button :
         {overview.groups[0], overview.archiveSelected, overview.unarchiveSelected, overview.statistics})
        EXPECT_EQ(button->focusPolicy() & Qt::TabFocus, Qt::TabFocus) << button->objectName().toStdString();
    overview.groups[int(ParcelGroup::All)]->setFocus();
    QTest::keyClick(overview.groups[int(ParcelGroup::All)], Qt::Key_Right);
    EXPECT_EQ(overview.group(), ParcelGroup::OutForDelivery);
    EXPECT_EQ(shownNumbers(overview), QStringList {QStringLiteral("STAGE7B2")});
    QTest::keyClick(overview.groups[int(ParcelGroup::OutForDelivery)], Qt::Key_Left);
    EXPECT_EQ(overview.group(), ParcelGroup::All);
    EXPECT_EQ(labelOf(overview.archiveDays), QStringLiteral("归档天数"));
    // An item view names itself; its label is its buddy too.
    EXPECT_EQ(accessibleName(overview.details), QStringLiteral("物流详情"));
    const QList<QLabel *> labels = overview.findChildren<QLabel *>();
    EXPECT_TRUE(std::any_of(labels.cbegin(), labels.cend(), [&](const QLabel *label) {
        return label->buddy() == overview.details && label->text() == QStringLiteral("物流详情");
    }));
    EXPECT_EQ(labelOf(overview.search), QStringLiteral("搜索"));
}

TEST(Overview, DetailsShowTheWholeHistoryNewestFirstAndTheNewsIsThenSeen)
{
    Session s(kStages, 3600);
    OverviewWindow &overview = s.openOverview();
    s.refreshAll(overview);
    // A new row: news not looked at, first in the list and in bold.
    const ParcelKey book {QStringLiteral("STAGE3A1"), QStringLiteral("yuantong")};
    QList<HistoryRow> rows = s.session->history().rows(book);
    rows.append(
        {QStringLiteral("2099-01-01 08:00:00"), QStringLiteral("【北京】快件已到达北京转运中心"), {}});
    ASSERT_TRUE(
        s.session->history().recordAnswer(book, rows, QStringLiteral("运送中"), s.test.clock.now()).news);
    overview.reload();
    ASSERT_EQ(shownNumbers(overview).first(), QStringLiteral("STAGE3A1"));
    EXPECT_TRUE(overview.table->model()->index(0, 0).data(Qt::FontRole).value<QFont>().bold());

    clickRow(overview, QStringLiteral("STAGE3A1"));
    EXPECT_EQ(overview.detailNumber->text(), QStringLiteral("STAGE3A1"));
    EXPECT_EQ(overview.detailNote->text(), QStringLiteral("书"));
    EXPECT_EQ(overview.detailCarrier->text(), QStringLiteral("圆通快递"));
    EXPECT_EQ(overview.detailStatus->text(), QStringLiteral("运送中"));
    EXPECT_FALSE(overview.detailTransit->text().isEmpty());
    EXPECT_TRUE(overview.detailEstimate->text().isEmpty()) << "no parcels of 圆通 signed for yet";
    const QAbstractItemModel *details = overview.details->model();
    ASSERT_EQ(details->rowCount(), 4);
    EXPECT_EQ(details->index(0, 1).data().toString(), QStringLiteral("【北京】快件已到达北京转运中心"));
    EXPECT_EQ(details->index(3, 1).data().toString(), rows.first().text) << "newest first";
    EXPECT_FALSE(details->index(0, 2).data().toString().isEmpty()) << "when it was first seen";
    EXPECT_EQ(details->headerData(2, Qt::Horizontal).toString(), QStringLiteral("首次看到"));
    // Shown is looked at.
    EXPECT_FALSE(s.session->history().parcel(book)->unseenNews);
    EXPECT_FALSE(overview.table->model()->index(0, 0).data(Qt::FontRole).value<QFont>().bold());

    // Another parcel's details at once; none when nothing is selected.
    clickRow(overview, QStringLiteral("STAGE8C3"));
    EXPECT_EQ(overview.detailNumber->text(), QStringLiteral("STAGE8C3"));
    EXPECT_EQ(details->rowCount(), 8);
    EXPECT_TRUE(overview.detailTransit->text().startsWith(QStringLiteral("用时")));
    overview.search->setText(QStringLiteral("nothing like it"));
    EXPECT_TRUE(overview.detailNumber->text().isEmpty());
    EXPECT_EQ(details->rowCount(), 0);
}

TEST(Overview, ArchivedParcelsLeaveTheDailyViewButNotTheSavedList)
{
    Session s(kStages, 3600);
    OverviewWindow &overview = s.openOverview();
    s.refreshAll(overview);
    const QString savedBefore = s.savedFile();
    const int listedBefore = s.form().Text1->count();

    clickRow(overview, QStringLiteral("STAGE8C3"));
    ASSERT_TRUE(overview.archiveSelected->isEnabled());
    EXPECT_FALSE(overview.unarchiveSelected->isEnabled());
    QTest::mouseClick(overview.archiveSelected, Qt::LeftButton);
    EXPECT_FALSE(shownNumbers(overview).contains(QStringLiteral("STAGE8C3")));
    EXPECT_EQ(overview.groups[int(ParcelGroup::Archived)]->text(), QStringLiteral("已归档 (1)"));
    EXPECT_EQ(overview.groups[int(ParcelGroup::All)]->text(), QStringLiteral("全部 (4)"));
    EXPECT_EQ(s.savedFile(), savedBefore) << "wlnum.ini stays as it was";
    EXPECT_EQ(s.form().Text1->count(), listedBefore) << "and the main window's list";
    // Not asked again by 全部刷新.
    const int askedBefore = s.askedFor(QStringLiteral("STAGE8C3"));
    s.refreshAll(overview);
    EXPECT_EQ(s.askedFor(QStringLiteral("STAGE8C3")), askedBefore);
    EXPECT_GT(s.askedFor(QStringLiteral("STAGE3A1")), 1);

    QTest::mouseClick(overview.groups[int(ParcelGroup::Archived)], Qt::LeftButton);
    ASSERT_EQ(shownNumbers(overview), QStringList {QStringLiteral("STAGE8C3")});
    clickRow(overview, QStringLiteral("STAGE8C3"));
    EXPECT_TRUE(overview.detailStatus->text().contains(QStringLiteral("已归档")));
    QTest::mouseClick(overview.unarchiveSelected, Qt::LeftButton);
    EXPECT_TRUE(shownNumbers(overview).isEmpty());
    EXPECT_EQ(overview.groups[int(ParcelGroup::All)]->text(), QStringLiteral("全部 (5)"));

    // Eight days after its signing row a signed parcel is archived by itself, unless taken out.
    QTest::mouseClick(overview.groups[int(ParcelGroup::All)], Qt::LeftButton);
    s.test.clock.set(QDateTime::currentDateTime().addDays(8));
    overview.reload();
    EXPECT_EQ(overview.groups[int(ParcelGroup::Archived)]->text(), QStringLiteral("已归档 (1)"));
    overview.archiveDays->setValue(0);
    EXPECT_EQ(overview.groups[int(ParcelGroup::Archived)]->text(), QStringLiteral("已归档 (0)"));
    EXPECT_TRUE(decodeGb([&] {
                    QFile file(QDir(s.test.dataDir()).filePath(QStringLiteral("parcelvue.ini")));
                    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
                }())
                    .contains(QStringLiteral("归档天数=0")));
    overview.archiveDays->setValue(7);
    QTest::mouseClick(overview.groups[int(ParcelGroup::Archived)], Qt::LeftButton);
    clickRow(overview, QStringLiteral("STAGE8C3"));
    QTest::mouseClick(overview.unarchiveSelected, Qt::LeftButton);
    overview.reload();
    EXPECT_EQ(overview.groups[int(ParcelGroup::Archived)]->text(), QStringLiteral("已归档 (0)"))
        << "taken out by hand, the rule leaves it out";
}

TEST(Overview, EstimatesAndStatisticsComeFromTheUsersOwnParcels)
{
    QString saved;
    for (int i = 1; i <= 5; ++i)
        saved += QStringLiteral("STAGE8Y%1|圆通快递|签收%1\r\n").arg(i);
    saved += QStringLiteral("STAGE3Y9|圆通快递|在路上\r\nSTAGE5Z1|中通快递|别的\r\n");
    Session s(saved, 3600);
    OverviewWindow &overview = s.openOverview();
    s.refreshAll(overview);
    clickRow(overview, QStringLiteral("STAGE3Y9"));
    EXPECT_TRUE(overview.detailEstimate->text().startsWith(QStringLiteral("预计 ")))
        << overview.detailEstimate->text().toStdString();
    EXPECT_TRUE(overview.detailEstimate->text().contains(QStringLiteral("左右 (按您以往的圆通快递: 中位 ")))
        << overview.detailEstimate->text().toStdString();
    clickRow(overview, QStringLiteral("STAGE5Z1"));
    EXPECT_TRUE(overview.detailEstimate->text().isEmpty()) << "no 中通 parcel signed for";

    QTest::mouseClick(overview.statistics, Qt::LeftButton);
    StatisticsWindow *statistics = overview.statisticsWindow();
    ASSERT_NE(statistics, nullptr);
    EXPECT_TRUE(statistics->isVisible());
    EXPECT_EQ(statistics->windowTitle(), QStringLiteral("统计"));
    ASSERT_EQ(statistics->carriers->rowCount(), 2);
    const QStringList firstRow = [&] {
        QStringList cells;
        for (int column = 0; column < statistics->carriers->columnCount(); ++column)
            cells.append(statistics->carriers->item(0, column)->text());
        return cells;
    }();
    EXPECT_EQ(firstRow.mid(0, 3),
              QStringList({QStringLiteral("圆通快递"), QStringLiteral("6"), QStringLiteral("5")}));
    EXPECT_NE(firstRow.at(3), QStringLiteral("-"));
    EXPECT_EQ(firstRow.at(5), QStringLiteral("0.0%"));
    EXPECT_EQ(statistics->carriers->item(1, 3)->text(), QStringLiteral("-"));
    EXPECT_GE(statistics->months->rowCount(), 1);
    // The chart draws what the table says, for the carriers with parcels signed for.
    const QList<QAbstractSeries *> series = statistics->chart->chart()->series();
    ASSERT_EQ(series.size(), 1);
    const auto *bars = static_cast<QBarSeries *>(series.first());
    ASSERT_EQ(bars->count(), 2);
    EXPECT_EQ(bars->barSets().first()->count(), 1);
    EXPECT_EQ(accessibleName(statistics->carriers), QStringLiteral("各快递公司"));
    EXPECT_EQ(accessibleName(statistics->months), QStringLiteral("每月签收"));
    EXPECT_FALSE(accessibleName(statistics->chart).isEmpty());
}

// Under the English interface the overview and its statistics speak English: the menu's entries,
// the captions, the columns, the groups with their counts, the rows' carriers, statuses and
// failures; and no caption is cut. Run again at twice the scale.
TEST(EnglishOverview, CaptionsRowsAndStatisticsAreEnglishAndFit)
{
    const EnglishInterface english;
    Session s;
    for (const auto &[entry, caption] :
         {std::pair {6, "All Parcels"}, {7, "Tracking Service"}, {8, "Import from Mail"}})
        EXPECT_EQ(s.form().Combo5->itemText(entry).toStdString(), caption);
    s.form().Combo5->setCurrentIndex(6);
    Q_EMIT s.form().Combo5->activated(6);
    ASSERT_NE(s.session->overview(), nullptr);
    OverviewWindow &overview = *s.session->overview();
    s.refreshAll(overview);
    const QAbstractItemModel *model = overview.table->model();
    ASSERT_TRUE(waitUntil(
        [&] { return model->index(2, 3).data().toString() == QStringLiteral("No information yet"); }));
    clickRow(overview, QStringLiteral("SF1001"));
    const struct
    {
        const char *what;
        QString shown;
        const char *english;
    } texts[] = {
        {"title", overview.windowTitle(), "All Parcels"},
        {"button", overview.refreshAll->text(), "Refresh All"},
        {"group with its count", overview.groups[0]->text(), "All (3)"},
        {"column", model->headerData(3, Qt::Horizontal).toString(), "Status"},
        {"carrier", model->index(0, 2).data().toString(), "SF Express"},
        {"status", model->index(0, 3).data().toString(), "In transit"},
        {"failure", model->index(2, 8).data().toString(),
         "No new information for this number, or it has expired.."},
        {"interval", overview.interval->itemText(0), "30 min"},
        {"archive days", overview.archiveDays->suffix(), " days"},
        {"details' status", overview.detailStatus->text(), "In transit"},
        {"details' carrier", overview.detailCarrier->text(), "SF Express"},
        {"details' column", overview.details->model()->headerData(1, Qt::Horizontal).toString(), "Progress"},
    };
    for (const auto &t : texts)
        EXPECT_EQ(t.shown.toStdString(), t.english) << t.what;
    EXPECT_EQ(captionsCutShort(overview).join(QLatin1Char('\n')).toStdString(), "");
    EXPECT_EQ(chineseCaptions(overview, {QStringLiteral("detailNote")}, {QStringLiteral("中文")})
                  .join(QLatin1Char('\n'))
                  .toStdString(),
              "");

    QTest::mouseClick(overview.statistics, Qt::LeftButton);
    StatisticsWindow *statistics = overview.statisticsWindow();
    ASSERT_NE(statistics, nullptr);
    EXPECT_EQ(statistics->windowTitle().toStdString(), "Statistics");
    EXPECT_EQ(statistics->carriers->horizontalHeaderItem(0)->text().toStdString(), "Carrier");
    QStringList carriers;
    for (int row = 0; row < statistics->carriers->rowCount(); ++row)
        carriers.append(statistics->carriers->item(row, 0)->text());
    EXPECT_TRUE(carriers.contains(QStringLiteral("SF Express")))
        << carriers.join(QLatin1Char(',')).toStdString();
    EXPECT_EQ(captionsCutShort(*statistics).join(QLatin1Char('\n')).toStdString(), "");
    EXPECT_EQ(chineseCaptions(*statistics).join(QLatin1Char('\n')).toStdString(), "");
}
