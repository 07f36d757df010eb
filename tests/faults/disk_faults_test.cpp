#include "fault_support.h"

#include "read_only_directory.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QToolButton>
#include <QTreeWidget>

namespace {
const QString kListNotSaved = QStringLiteral("快递列表保存失败!请检查磁盘或权限..");
const QString kSettingsNotSaved = QStringLiteral("设置保存失败!请检查磁盘或权限..");
const QString kExportFailed = QStringLiteral("导出失败,无法写入文件!");

const QString kGoneLine = QStringLiteral("9999999999|顺丰快递|旧单");
const QByteArray kSettings
    = encodeGb(QStringLiteral("; by hand\r\n[信息设置]\r\n通知邮箱=old@qq.com\r\n语音提示=否\r\n"));
const QByteArray kOldExport = encodeGb(QStringLiteral("1       |旧的导出\r\n"));

struct Files
{
    QByteArray saved, settings, exported;
    bool operator==(const Files &o) const
    {
        return saved == o.saved && settings == o.settings && exported == o.exported;
    }
};

QString exportPath(WindowHarness &h)
{
    return h.test.dataDir() + QStringLiteral("/export.txt");
}

Files filesOf(WindowHarness &h)
{
    return {readBytes(savedFileOf(h)), readBytes(h.test.dataDir() + QStringLiteral("/parcelvue.ini")),
            readBytes(exportPath(h))};
}

void queried(Form1 &form, WindowHarness &)
{
    choose(form, 0);
    ASSERT_TRUE(parseDone(form));
    ASSERT_GT(form.ListView1->topLevelItemCount(), 0);
}

void nothing(Form1 &, WindowHarness &) { }

struct DiskWrite
{
    friend void PrintTo(const DiskWrite &write, std::ostream *out) { *out << write.name; }
    const char *name;
    void (*prepare)(Form1 &, WindowHarness &);
    void (*act)(Form1 &, WindowHarness &);
    QString status;
    QString message; // a box that tells, if any
    int listedAfter; // saved parcels in the lists afterwards: they keep their new contents
};

const DiskWrite kWrites[] = {
    {"AddNewNumber",
     nothing,
     [](Form1 &form, WindowHarness &) {
         fillAddPanel(form, QStringLiteral("SF555"), QStringLiteral("顺丰快递"), QStringLiteral("帽子"));
         form.Command1_Click();
     },
     kListNotSaved,
     {},
     4},
    {"SaveNumberWithoutNews",
     nothing,
     [](Form1 &form, WindowHarness &h) {
         fillAddPanel(form, QStringLiteral("0000000000"), QStringLiteral("顺丰快递"), QStringLiteral("帽子"));
         h.test.messages.answerNext(MsgAnswer::Yes);
         form.Command1_Click();
     },
     kListNotSaved,
     {},
     4},
    {"Delete",
     queried,
     [](Form1 &form, WindowHarness &h) {
         h.test.messages.answerNext(MsgAnswer::Yes);
         form.Command9_Click();
     },
     kListNotSaved,
     {},
     2},
    {"Modify",
     queried,
     [](Form1 &form, WindowHarness &h) {
         form.Command14_Click();
         form.Text4->setText(QStringLiteral("SF101"));
         form.Text6->setText(QStringLiteral("妈妈衣服"));
         h.test.messages.answerNext(MsgAnswer::Yes);
         form.Command13_Click();
     },
     kListNotSaved,
     {},
     3},
    {"DeleteGoneParcel",
     nothing,
     [](Form1 &form, WindowHarness &h) {
         h.test.messages.answerNext(MsgAnswer::Yes);
         choose(form, 2);
     },
     kListNotSaved,
     {},
     2},
    {"VoiceSwitch",
     nothing,
     [](Form1 &form, WindowHarness &) { form.Check3->click(); },
     kSettingsNotSaved,
     {},
     3},
    {"NoticeAddress",
     nothing,
     [](Form1 &form, WindowHarness &) {
         form.Check2->setChecked(true);
         form.Sendmail->setText(QStringLiteral("new@qq.com"));
         form.aicAlphaImage1->click();
     },
     kSettingsNotSaved,
     {},
     3},
    {"Export", queried,
     [](Form1 &form, WindowHarness &h) {
         h.test.saveDialog.nextName = exportPath(h);
         form.Command6_Click();
     },
     QStringLiteral("导出失败,无法写入文件.."), kExportFailed, 3},
};

// Removing a file needs no room: only a read-only directory stops it.
const DiskWrite kRemovals[] = {
    {"Clear",
     nothing,
     [](Form1 &form, WindowHarness &h) {
         h.test.messages.answerNext(MsgAnswer::Yes);
         form.Command7_Click();
     },
     kListNotSaved,
     {},
     0},
};

enum class Fault { FullDisk, ReadOnlyDirectory };

class DiskFaults : public ::testing::TestWithParam<std::tuple<DiskWrite, Fault>>
{
};

TEST_P(DiskFaults, OldFileStaysWholeAndUserIsTold)
{
    const DiskWrite &write = std::get<0>(GetParam());
    const Fault fault = std::get<1>(GetParam());
    TestSandbox sandbox;
    WindowHarness h;
    writeBytes(h.test.dataDir() + QStringLiteral("/parcelvue.ini"), kSettings);
    writeBytes(exportPath(h), kOldExport);
    Form1 &form = openWindow(h, sandbox.baseUrl(), composeSavedFile({kDadLine, kBookLine, kGoneLine}, {}));
    write.prepare(form, h);
    const Files before = filesOf(h);
    h.test.messages.shown.clear();

    {
        std::unique_ptr<FileSizeLimit> full;
        std::unique_ptr<ReadOnlyDirectory> readOnly;
        if (fault == Fault::FullDisk) {
            full = std::make_unique<FileSizeLimit>(8);
        } else {
            readOnly = std::make_unique<ReadOnlyDirectory>(h.test.dataDir());
            if (!readOnly->active())
                GTEST_SKIP() << "this file system lets root write into any directory";
        }
        write.act(form, h);
        ASSERT_TRUE(parseDone(form));
    }

    EXPECT_TRUE(filesOf(h) == before) << "a file changed";
    EXPECT_EQ(form.Label11[2]->text(), write.status);
    const QStringList texts = h.test.messages.texts();
    if (write.message.isEmpty()) {
        EXPECT_FALSE(texts.contains(QStringLiteral("单号已成功保存")));
    } else {
        EXPECT_TRUE(texts.contains(write.message)) << texts.join(u'/').toStdString();
    }
    EXPECT_TRUE(h.test.messages.allAnswersUsed());
    EXPECT_EQ(form.Combo6->count(), write.listedAfter);
    EXPECT_TRUE(form.Command1->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Writes, DiskFaults,
                         ::testing::Combine(::testing::ValuesIn(kWrites),
                                            ::testing::Values(Fault::FullDisk, Fault::ReadOnlyDirectory)),
                         [](const auto &info) {
                             return std::string(std::get<0>(info.param).name)
                                 + (std::get<1>(info.param) == Fault::FullDisk ? "_FullDisk"
                                                                               : "_ReadOnlyDirectory");
                         });

INSTANTIATE_TEST_SUITE_P(Removals, DiskFaults,
                         ::testing::Combine(::testing::ValuesIn(kRemovals),
                                            ::testing::Values(Fault::ReadOnlyDirectory)),
                         [](const auto &info) {
                             return std::string(std::get<0>(info.param).name)
                                 + (std::get<1>(info.param) == Fault::FullDisk ? "_FullDisk"
                                                                               : "_ReadOnlyDirectory");
                         });

// A data directory that cannot be made at all (its path names a file): every write is refused and
// told, nothing is created, and the window keeps what the user did.
TEST(DiskFaults, DataDirectoryThatIsAFile)
{
    TestSandbox sandbox;
    WindowHarness h;
    const QString blocker = h.test.dataDir() + QStringLiteral("/not-a-directory");
    writeBytes(blocker, "x");
    h.test.platform().dataDir = blocker;
    Form1 &form = openWindow(h, sandbox.baseUrl());

    fillAddPanel(form, QStringLiteral("SF555"), QStringLiteral("顺丰快递"), QStringLiteral("帽子"));
    form.Command1_Click();
    ASSERT_TRUE(parseDone(form));
    EXPECT_EQ(form.Label11[2]->text(), kListNotSaved);
    EXPECT_EQ(itemsOf(form.Combo6), QStringList {QStringLiteral("SF555|顺丰快递|帽子")});

    form.Check3->click();
    EXPECT_EQ(form.Label11[2]->text(), kSettingsNotSaved);

    h.test.saveDialog.nextName = blocker + QStringLiteral("/export.txt");
    form.Command6_Click();
    EXPECT_TRUE(h.test.messages.texts().contains(kExportFailed));

    EXPECT_EQ(readBytes(blocker), QByteArray("x"));
}
} // namespace
