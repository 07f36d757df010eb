#include "store/saved_parcel_file.h"
#include "store_support.h"
#include "test_servers.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

namespace {
const QString kSaveFailed = QStringLiteral("快递列表保存失败!请检查磁盘或权限..");
const QByteArray threeParcels()
{
    return encodeGb(QStringLiteral("SF1|顺丰快递|书\r\nSF2|顺丰快递|衣服\r\nSF3|AAE快递|笔\r\n"));
}
} // namespace

TEST(SavedList, StartupLoadsTheFileWithNothingChosen)
{
    struct Case
    {
        const char *fixture;
        QStringList display;
    };
    const Case cases[] = {
        {"two_parcels.ini", {QStringLiteral("爸爸衣服"), QStringLiteral("书")}},
        {"one_bar.ini", {QStringLiteral("衣服"), QStringLiteral("书")}},
        {"four_fields.ini", {QStringLiteral("衣服")}},
        {"gongsuda.ini", {QStringLiteral("衣服")}},
        {"empty_remark.ini", {QString(), QStringLiteral("书")}},
        {"lf_line_ends.ini", {QStringLiteral("衣服"), QStringLiteral("书")}},
    };
    for (const Case &c : cases) {
        WindowHarness h;
        Form1 &form = openWindow(h, QStringLiteral("http://127.0.0.1:9"), fixture(c.fixture));
        EXPECT_EQ(itemsOf(form.Text1), c.display) << c.fixture;
        EXPECT_EQ(form.Combo6->count(), c.display.size());
        EXPECT_EQ(form.Text1->currentIndex(), -1);
        EXPECT_EQ(form.Combo6->currentText(), QStringLiteral("Combo6"));
    }
    WindowHarness none;
    Form1 &form = openWindow(none, QStringLiteral("http://127.0.0.1:9"));
    EXPECT_EQ(form.Text1->count(), 0);
    EXPECT_FALSE(QFile::exists(savedFileOf(none)));
}

TEST(SavedList, ASkippedLineIsWrittenBackAfterTheParcels)
{
    TestSandbox sandbox;
    WindowHarness h;
    Form1 &form = openWindow(h, sandbox.baseUrl(), fixture("one_bar.ini"));
    fillAddPanel(form, QStringLiteral("SF9"), QStringLiteral("顺丰快递"), QStringLiteral("新"));
    form.Command1_Click();
    ASSERT_TRUE(parseDone(form));
    EXPECT_EQ(savedTextOf(h),
              QStringLiteral("123|AAE快递|衣服\r\n456|安捷快递|书\r\nSF9|顺丰快递|新\r\n789|书\r\n"));
}

TEST(SavedList, AddPanelOpensEmptyAndCloses)
{
    WindowHarness h;
    Form1 &form = openWindow(h, QStringLiteral("http://127.0.0.1:9"));
    form.Command4_Click();
    fillAddPanel(form, QStringLiteral("123"), QStringLiteral("顺丰快递"), QStringLiteral("衣服"));
    form.Command3->click();
    EXPECT_TRUE(form.Text3->currentText().isEmpty());
    EXPECT_TRUE(form.Text2->text().isEmpty());
    EXPECT_EQ(form.Combo1->currentIndex(), 0);
    EXPECT_EQ(form.strComCode, carrierCode(0));
    EXPECT_FALSE(form.Picture3->isHidden());
    EXPECT_TRUE(form.Picture4->isHidden());
    EXPECT_TRUE(form.Picture5->isHidden());
    form.aicAlphaImage5->click();
    EXPECT_TRUE(form.Picture3->isHidden());
}

// The number box's drop-down list is never filled: Enter there changes nothing.
TEST(SavedList, EnterInTheNumberBoxChangesNothing)
{
    WindowHarness h;
    Form1 &form = openWindow(h, QStringLiteral("http://127.0.0.1:9"));
    form.show();
    form.Command3->click();
    form.Text3->setFocus();
    QTest::keyClicks(form.Text3, QStringLiteral("SF123"));
    const QString status = form.Label11[2]->text();
    for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Return}) {
        QTest::keyClick(form.Text3, static_cast<Qt::Key>(key));
        EXPECT_EQ(form.Text3->count(), 0);
        EXPECT_EQ(form.Text3->currentText(), QStringLiteral("SF123"));
    }
    EXPECT_EQ(form.Label11[2]->text(), status) << "no query";
    EXPECT_FALSE(form.Picture3->isHidden());
    EXPECT_FALSE(QFile::exists(savedFileOf(h)));
}

TEST(SavedList, Delete)
{
    TestSandbox sandbox;
    struct Case
    {
        MsgAnswer answer;
        QStringList remaining;
        bool panelHidden;
    };
    const Case cases[] = {
        {MsgAnswer::Yes, {QStringLiteral("书"), QStringLiteral("笔")}, true},
        {MsgAnswer::No, {QStringLiteral("书"), QStringLiteral("衣服"), QStringLiteral("笔")}, false},
    };
    for (const Case &c : cases) {
        WindowHarness h;
        Form1 &form = openWindow(h, sandbox.baseUrl(), threeParcels());
        choose(form, 1);
        ASSERT_TRUE(parseDone(form));
        form.Command14_Click();
        h.test.messages.answerNext(c.answer);
        form.Command9->click();
        EXPECT_EQ(h.test.messages.texts(), QStringList {QStringLiteral("确定要删除[衣服]此单号码?")});
        EXPECT_EQ(itemsOf(form.Text1), c.remaining);
        EXPECT_EQ(form.Combo6->count(), c.remaining.size());
        EXPECT_EQ(form.Picture5->isHidden(), c.panelHidden);
        QString expected;
        for (int i = 0; i < form.Combo6->count(); ++i)
            expected += form.Combo6->itemText(i) + QStringLiteral("\r\n");
        EXPECT_EQ(savedTextOf(h), expected);
        // The first parcel is chosen afterwards, whatever the answer.
        EXPECT_EQ(form.Text1->currentIndex(), 0);
        EXPECT_EQ(form.strSavedNumber, QStringLiteral("SF1"));
        ASSERT_TRUE(parseDone(form));
    }
}

TEST(SavedList, DeletingTheOnlyParcelLeavesAnEmptyFile)
{
    TestSandbox sandbox;
    WindowHarness h;
    Form1 &form = openWindow(h, sandbox.baseUrl(), fixture("four_fields.ini"));
    choose(form, 0);
    ASSERT_TRUE(parseDone(form));
    h.test.messages.answerNext(MsgAnswer::Yes);
    form.Command9_Click();
    EXPECT_EQ(form.Text1->count(), 0);
    EXPECT_EQ(form.Combo6->count(), 0);
    EXPECT_TRUE(form.Text1->currentText().isEmpty());
    EXPECT_TRUE(QFile::exists(savedFileOf(h)));
    EXPECT_EQ(readBytes(savedFileOf(h)).size(), 0);
    // Nothing is left to operate on or copy.
    form.Command14_Click();
    EXPECT_EQ(form.Label11[2]->text(), QStringLiteral("请先选择快递.."));
}

TEST(SavedList, ModifyChecksItsFieldsFirst)
{
    struct Case
    {
        QString number;
        int carrier;
        QString remark;
        QString box;
    };
    const Case cases[] = {
        {"", 0, QStringLiteral("衣服"), QStringLiteral("请输入单号!")},
        {"", -1, "", QStringLiteral("请输入单号!")},
        {"12|3", 0, QStringLiteral("衣服"), QStringLiteral("单号不正确,请您检查!")},
        {"123", -1, QStringLiteral("衣服"), QStringLiteral("请输入快递公司!")},
        {"123", 0, "", QStringLiteral("请输入备注信息!")},
    };
    TestSandbox sandbox;
    WindowHarness h;
    Form1 &form = openWindow(h, sandbox.baseUrl(), threeParcels());
    choose(form, 0);
    ASSERT_TRUE(parseDone(form));
    form.Command14_Click();
    for (const Case &c : cases) {
        h.test.messages.shown.clear();
        form.Text4->setText(c.number);
        form.Text5->setCurrentIndex(c.carrier);
        form.Text6->setText(c.remark);
        form.Command13->click();
        EXPECT_EQ(h.test.messages.texts(), QStringList {c.box}) << c.box.toStdString();
        EXPECT_FALSE(form.Picture5->isHidden());
    }
    EXPECT_EQ(readBytes(savedFileOf(h)), threeParcels());
}

TEST(SavedList, ModifyRebuildsTheEntryAndKeepsTheFieldsAfterTheRemark)
{
    const QString aae = QStringLiteral("AAE快递");
    const QString anjie = QStringLiteral("安捷快递");
    const QString gongsuda = QStringLiteral("共速达物流|快递");
    struct Case
    {
        const char *what;
        QString line; // the parcel chosen, entry 1
        QString number, carrier, remark; // typed on the operation panel
        MsgAnswer answer;
        QString expectedLine;
    };
    const Case cases[] = {
        {"unchanged, three fields", QStringLiteral("12|AAE快递|衣服"), "12", aae, QStringLiteral("衣服"),
         MsgAnswer::Yes, QStringLiteral("12|AAE快递|衣服")},
        {"unchanged, four fields", QStringLiteral("12|AAE快递|衣服|红色"), "12", aae, QStringLiteral("衣服"),
         MsgAnswer::Yes, QStringLiteral("12|AAE快递|衣服|红色")},
        {"unchanged, five fields", QStringLiteral("12|AAE快递|衣服|红色|大号"), "12", aae,
         QStringLiteral("衣服"), MsgAnswer::Yes, QStringLiteral("12|AAE快递|衣服|红色|大号")},
        {"number changed; the old number and carrier in the remark stay",
         QStringLiteral("12|AAE快递|12号AAE快递衣服|红色"), "34", aae, QStringLiteral("12号AAE快递衣服"),
         MsgAnswer::Yes, QStringLiteral("34|AAE快递|12号AAE快递衣服|红色")},
        {"carrier changed", QStringLiteral("12|AAE快递|衣服|红色|大号"), "12", anjie, QStringLiteral("衣服"),
         MsgAnswer::Yes, QStringLiteral("12|安捷快递|衣服|红色|大号")},
        {"remark changed", QStringLiteral("12|AAE快递|衣服|红色|大号"), "12", aae, QStringLiteral("裤子"),
         MsgAnswer::Yes, QStringLiteral("12|AAE快递|裤子|红色|大号")},
        {"remark given a bar", QStringLiteral("12|AAE快递|衣服"), "12", aae, QStringLiteral("衣服|蓝色"),
         MsgAnswer::Yes, QStringLiteral("12|AAE快递|衣服|蓝色")},
        {"carrier with a bar, unchanged", QStringLiteral("12|共速达物流|快递|衣服|红色"), "12", gongsuda,
         QStringLiteral("衣服"), MsgAnswer::Yes, QStringLiteral("12|共速达物流|快递|衣服|红色")},
        {"to the carrier with a bar", QStringLiteral("12|AAE快递|衣服|红色"), "12", gongsuda,
         QStringLiteral("衣服"), MsgAnswer::Yes, QStringLiteral("12|共速达物流|快递|衣服|红色")},
        {"from the carrier with a bar", QStringLiteral("12|共速达物流|快递|衣服|红色"), "34", aae,
         QStringLiteral("裤子"), MsgAnswer::Yes, QStringLiteral("34|AAE快递|裤子|红色")},
        {"answer No", QStringLiteral("12|AAE快递|衣服|红色"), "34", anjie, QStringLiteral("裤子"),
         MsgAnswer::No, QStringLiteral("12|AAE快递|衣服|红色")},
    };
    TestSandbox sandbox;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        WindowHarness h;
        const QString first = QStringLiteral("SF1|顺丰快递|书");
        Form1 &form = openWindow(h, sandbox.baseUrl(), encodeGb(first + "\r\n" + c.line + "\r\n"));
        choose(form, 1);
        ASSERT_TRUE(parseDone(form));
        form.Command14->click();
        // The panel shows the fields the rebuild starts from.
        const QString oldRemark = readSavedLine(c.line).remark;
        ASSERT_EQ(form.Text6->text(), oldRemark);
        form.Text4->setText(c.number);
        form.Text5->setCurrentIndex(carrierIndexByName(c.carrier));
        form.Text6->setText(c.remark);
        h.test.messages.answerNext(c.answer);
        form.Command13->click();
        EXPECT_EQ(h.test.messages.texts().value(0),
                  QStringLiteral("确定要修改[") + oldRemark + QStringLiteral("]此单号码?"));
        EXPECT_EQ(itemsOf(form.Combo6), (QStringList {first, c.expectedLine}));
        EXPECT_EQ(form.Text1->itemText(1), c.answer == MsgAnswer::Yes ? c.remark : oldRemark);
        EXPECT_EQ(savedTextOf(h), first + "\r\n" + c.expectedLine + "\r\n");
        EXPECT_TRUE(form.Picture5->isHidden());
        EXPECT_EQ(form.strSavedIndex, QStringLiteral("0"));
        ASSERT_TRUE(parseDone(form));
    }
}

TEST(SavedList, ClearEmptiesEverythingOnlyAfterYes)
{
    TestSandbox sandbox;
    WindowHarness h;
    Form1 &form = openWindow(h, sandbox.baseUrl(), fixture("one_bar.ini"));
    choose(form, 0);
    ASSERT_TRUE(parseDone(form));
    form.Text3->addItem(QStringLiteral("typed before"));
    form.Text3->setEditText(QStringLiteral("456"));

    h.test.messages.answerNext(MsgAnswer::No);
    form.Command7->click();
    EXPECT_EQ(form.Text1->count(), 2);
    EXPECT_EQ(readBytes(savedFileOf(h)), fixture("one_bar.ini"));

    h.test.messages.answerNext(MsgAnswer::Yes);
    form.Command7->click();
    EXPECT_EQ(h.test.messages.texts().last(), QStringLiteral("确定要清空查询列表吗?"));
    EXPECT_EQ(form.Label11[2]->text(), QStringLiteral("查询列表已清空..."));
    EXPECT_FALSE(QFile::exists(savedFileOf(h)));
    EXPECT_TRUE(form.Text3->currentText().isEmpty());
    EXPECT_EQ(form.Text3->count(), 0);
    EXPECT_EQ(form.Text1->count(), 0);
    EXPECT_EQ(form.Combo6->count(), 0);
    EXPECT_TRUE(form.strSavedNumber.isEmpty());
    form.Command12_Click();
    EXPECT_EQ(form.Label11[2]->text(), QStringLiteral("请先选择快递.."));

    // The cleared parcels do not come back with the next write.
    fillAddPanel(form, QStringLiteral("SF9"), QStringLiteral("顺丰快递"), QStringLiteral("新"));
    form.Command1_Click();
    ASSERT_TRUE(parseDone(form));
    EXPECT_EQ(savedTextOf(h), QStringLiteral("SF9|顺丰快递|新\r\n"));
    // Choosing the first entry again is a new choice: the counts start afresh.
    form.intPrevRows = 7;
    form.intLastRows = 7;
    form.Text1->setCurrentIndex(0);
    form.Text1_Click();
    EXPECT_EQ(form.intPrevRows, 0);
    ASSERT_TRUE(parseDone(form));
}

TEST(SavedList, UnwritableDirectoryKeepsTheListsAndSaysSo)
{
    TestSandbox sandbox;
    WindowHarness h;
    // The data directory's path names a file: nothing can be created in it, also for root.
    const QString blocker = h.test.dataDir() + QStringLiteral("/not-a-directory");
    writeBytes(blocker, "x");
    h.test.platform().dataDir = blocker;
    Form1 &form = openWindow(h, sandbox.baseUrl());

    fillAddPanel(form, QStringLiteral("SF1"), QStringLiteral("顺丰快递"), QStringLiteral("书"));
    form.Command1_Click();
    EXPECT_EQ(form.Label11[2]->text(), kSaveFailed);
    EXPECT_EQ(itemsOf(form.Text1), QStringList {QStringLiteral("书")});
    ASSERT_TRUE(parseDone(form));
    // The parse that follows keeps telling it: the list is not on disk.
    EXPECT_EQ(form.Label11[2]->text(), kSaveFailed);
    EXPECT_GT(form.ListView1->topLevelItemCount(), 0);

    // Saving a number without information: no success box after a failed write.
    fillAddPanel(form, QStringLiteral("0000000000"), QStringLiteral("顺丰快递"), QStringLiteral("衣服"));
    h.test.messages.answerNext(MsgAnswer::Yes);
    form.Command1_Click();
    EXPECT_EQ(h.test.messages.texts(),
              QStringList {QStringLiteral("您好,您当前输入的单号不存在有效信息,是否先进行保存?")});
    EXPECT_EQ(form.Label11[2]->text(), kSaveFailed);
    EXPECT_EQ(itemsOf(form.Text1), (QStringList {QStringLiteral("书"), QStringLiteral("衣服")}));
    EXPECT_EQ(form.Combo6->count(), 2);
    EXPECT_EQ(readBytes(blocker), QByteArray("x"));
}

TEST(SavedList, AnUnreadableFileIsNeitherRewrittenNorRemoved)
{
    TestSandbox sandbox;
    WindowHarness h;
    // There but unreadable, even by root.
    ASSERT_TRUE(QDir(h.test.dataDir()).mkdir(QStringLiteral("wlnum.ini")));
    Form1 &form = openWindow(h, sandbox.baseUrl());
    EXPECT_TRUE(form.Label11[2]->text().contains(savedFileOf(h))) << form.Label11[2]->text().toStdString();
    fillAddPanel(form, QStringLiteral("SF4"), QStringLiteral("顺丰快递"), QStringLiteral("帽子"));
    form.Command1_Click();
    ASSERT_TRUE(parseDone(form));
    EXPECT_TRUE(form.Label11[2]->text().contains(savedFileOf(h))) << form.Label11[2]->text().toStdString();
    h.test.messages.answerNext(MsgAnswer::Yes);
    form.Command7_Click();
    EXPECT_TRUE(form.Label11[2]->text().contains(savedFileOf(h)));
    EXPECT_TRUE(QFileInfo(savedFileOf(h)).isDir());
}

TEST(SavedList, FailingWritesKeepTheOldFileAndTheNextWriteStoresEverything)
{
    TestSandbox sandbox;
    WindowHarness h;
    const QByteArray old = threeParcels();
    Form1 &form = openWindow(h, sandbox.baseUrl(), old);
    {
        FileSizeLimit limit(8);
        fillAddPanel(form, QStringLiteral("SF4"), QStringLiteral("顺丰快递"), QStringLiteral("帽子"));
        form.Command1_Click();
        EXPECT_EQ(form.Label11[2]->text(), kSaveFailed);
        ASSERT_TRUE(parseDone(form));

        choose(form, 0);
        ASSERT_TRUE(parseDone(form));
        h.test.messages.answerNext(MsgAnswer::Yes);
        form.Command9_Click();
        ASSERT_TRUE(parseDone(form));
        EXPECT_FALSE(form.savedFileWritten);
    }
    EXPECT_EQ(readBytes(savedFileOf(h)), old);
    EXPECT_EQ(itemsOf(form.Text1),
              (QStringList {QStringLiteral("衣服"), QStringLiteral("笔"), QStringLiteral("帽子")}));

    fillAddPanel(form, QStringLiteral("SF5"), QStringLiteral("顺丰快递"), QStringLiteral("鞋"));
    form.Command1_Click();
    ASSERT_TRUE(parseDone(form));
    EXPECT_EQ(
        savedTextOf(h),
        QStringLiteral("SF2|顺丰快递|衣服\r\nSF3|AAE快递|笔\r\nSF4|顺丰快递|帽子\r\nSF5|顺丰快递|鞋\r\n"));
}
