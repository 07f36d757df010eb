#include "gui/desktop/desktop_session.h"
#include "gui/overview/overview_window.h"
#include "gui/window/form1.h"
#include "platform/text_codec.h"
#include "qt_wait.h"
#include "smtp_server.h"
#include "test_platform.h"
#include "test_servers.h"
#include "watch/parcel_watcher.h"
#include "watch/tracking_history.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {
const QString kSender = QStringLiteral("notice@parcelvue.localhost");
const QString kPassword = QStringLiteral("pw");

// The program as main() makes it, on a test platform against the sandbox, with three saved
// parcels (the last one a number the service has no information for).
struct Session
{
    TestSandbox sandbox {[] {
        SandboxOptions options;
        options.port = 0;
        options.stepSeconds = 1;
        return options;
    }()};
    TestPlatform test;
    std::unique_ptr<DesktopSession> session;

    Session()
    {
        test.useServer(sandbox.baseUrl());
        QFile file(QDir(test.dataDir()).filePath(QStringLiteral("wlnum.ini")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(encodeGb(
            QStringLiteral("SF1001|顺丰快递|衬衫\r\nYT2002|圆通快递|书\r\n0000000000|EMS快递|空\r\n")));
        file.close();
        session = std::make_unique<DesktopSession>(test.platform());
        form().Timer3->stop();
        form().Text1->setEnabled(true);
        session->show();
    }
    Form1 &form() { return session->form(); }
    OverviewWindow &openOverview()
    {
        // The seventh entry of the link menu, as a user picks it (the eighth is 查询服务).
        EXPECT_EQ(form().Combo5->count(), 8);
        EXPECT_EQ(form().Combo5->itemText(6), QStringLiteral("全部快递"));
        form().Combo5->setCurrentIndex(6);
        Q_EMIT form().Combo5->activated(6);
        EXPECT_NE(session->overview(), nullptr);
        return *session->overview();
    }
};
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
        return overview.table->model()->index(2, 3).data().toString() == QStringLiteral("查询失败");
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
    s.test.saveDialog.nextName = csv;
    QTest::mouseClick(overview.importParcels, Qt::LeftButton);
    EXPECT_EQ(s.test.messages.shown.back().text, QStringLiteral("已导入1个快递,1个已在列表中"));
    EXPECT_EQ(s.form().Text1->count(), 4);
    EXPECT_EQ(s.form().Text1->itemText(3), QStringLiteral("帽子"));
    EXPECT_EQ(overview.table->model()->rowCount(), 4);
    QFile saved(QDir(s.test.dataDir()).filePath(QStringLiteral("wlnum.ini")));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(decodeGb(saved.readAll()).endsWith(QStringLiteral("ZT3003|中通快递|帽子\r\n")));
}
