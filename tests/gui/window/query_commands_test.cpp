#include "core/query_answer.h"
#include "store_support.h"
#include "test_servers.h"

#include <httplib.h>

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QSignalSpy>
#include <QTreeWidget>
#include <chrono>
#include <map>
#include <thread>

namespace {
const QString kAae = QStringLiteral("AAE快递");
const QString kSf = QStringLiteral("顺丰快递");
const QString kSaveOffer = QStringLiteral("您好,您当前输入的单号不存在有效信息,是否先进行保存?");
const QString kDeleteOffer = QStringLiteral("您好,您当前查询的快递单号已不存在,是否删除?");
const char *const kRows = "<table><tr><td>2024-01-01 10:00:00</td><td>已揽收</td></tr>"
                          "<tr><td>2024-01-01 12:00:00</td><td>运输中</td></tr></table>";

// Answers by number: the exact text of `answers`, else two progress rows.
class WordServer
{
public:
    explicit WordServer(std::initializer_list<std::pair<const std::string, std::string>> answers)
        : m_answers(answers)
    {
        m_server.get("/", [this](const httplib::Request &request, httplib::Response &response) {
            const auto found = m_answers.find(request.get_param_value("nu"));
            response.set_content(found == m_answers.end() ? kRows : found->second,
                                 "text/html; charset=utf-8");
        });
        m_base = m_server.start();
    }
    QString baseUrl() const { return m_base; }

private:
    std::map<std::string, std::string> m_answers;
    ScriptedHttpServer m_server;
    QString m_base;
};
} // namespace

TEST(QueryAnswer, ErrorWordsInTheirTwoOrders)
{
    using V = AnswerVerdict;
    struct Case
    {
        const char *answer;
        V newNumber;
        V savedParcel;
    };
    const Case cases[] = {
        {"", V::Empty, V::Empty},
        {"单号格式错误", V::FormatError, V::FormatError},
        {"NULL 单号格式错误", V::FormatError, V::FormatError},
        {"该单号不存在 单号格式错误", V::FormatError, V::FormatError},
        {"NULL", V::NoInformation, V::NoInformation},
        {"该单号不存在", V::NoInformation, V::NotExisting},
        {"NULL 不存在", V::NoInformation, V::NotExisting},
        {"null", V::Accepted, V::Accepted},
        {"不支持的快递公司", V::UnsupportedCarrier, V::UnsupportedCarrier},
        {"NULL 不支持的快递公司", V::NoInformation, V::NoInformation},
        {"请输入快递单号", V::AsksForInput, V::AsksForInput},
        {"不支持的快递公司,请输入", V::UnsupportedCarrier, V::UnsupportedCarrier},
        {"不存在 请输入", V::NoInformation, V::NotExisting},
        {kRows, V::Accepted, V::Accepted},
    };
    for (const Case &c : cases) {
        const QString answer = QString::fromUtf8(c.answer);
        EXPECT_EQ(classifyNewNumberAnswer(answer), c.newNumber) << c.answer;
        EXPECT_EQ(classifySavedParcelAnswer(answer), c.savedParcel) << c.answer;
    }
}

TEST(QueryCommands, InputIsCheckedInOrderBeforeAnyRequest)
{
    struct Case
    {
        QString number;
        QString carrier;
        QString note;
        QString status;
    };
    const Case cases[] = {
        {"", "", "", QStringLiteral("请输入快递单号!")},
        {"", kAae, QStringLiteral("衣服"), QStringLiteral("请输入快递单号!")},
        {"12|3", "", "", QStringLiteral("单号不正确,请您检查!")},
        {"|", kAae, QStringLiteral("衣服"), QStringLiteral("单号不正确,请您检查!")},
        {"123", "", QStringLiteral("衣服"), QStringLiteral("请选择快递公司!")},
        {"123", kAae, "", QStringLiteral("请输入快递备注信息,例如：爸爸衣服")},
    };
    TestSandbox sandbox;
    WindowHarness h;
    Form1 &form = openWindow(h, sandbox.baseUrl());
    for (const Case &c : cases) {
        fillAddPanel(form, c.number, c.carrier, c.note);
        form.Command1->click();
        EXPECT_EQ(form.Label11[2]->text(), c.status) << c.number.toStdString();
        EXPECT_TRUE(form.Command1->isEnabled());
    }
    EXPECT_EQ(sandbox.server().countRequests("/?"), 0);
    EXPECT_FALSE(QFile::exists(savedFileOf(h)));

    // A "|" in the note is no reason to refuse.
    fillAddPanel(form, QStringLiteral("SF100"), kSf, QStringLiteral("书|笔"));
    form.Command1->click();
    ASSERT_TRUE(parseDone(form));
    EXPECT_EQ(savedTextOf(h), QStringLiteral("SF100|顺丰快递|书|笔\r\n"));
    // The display list takes the note as typed; read back from the file it shows field 3.
    EXPECT_EQ(itemsOf(form.Text1), QStringList {QStringLiteral("书|笔")});
    form.dq();
    EXPECT_EQ(itemsOf(form.Text1), QStringList {QStringLiteral("书")});
}

TEST(QueryCommands, NewNumberErrorWords)
{
    struct Case
    {
        QString number;
        QString carrierCode; // empty: the carrier's own
        QString status;
    };
    const Case cases[] = {
        {"abc-1", "", QStringLiteral("单号格式错误!请检查!")},
        {"SF1", "nosuchcarrier", QStringLiteral("系统问题,暂不支持当前快递公司!")},
    };
    TestSandbox sandbox;
    WindowHarness h;
    Form1 &form = openWindow(h, sandbox.baseUrl());
    for (const Case &c : cases) {
        fillAddPanel(form, c.number, kSf, QStringLiteral("衣服"));
        if (!c.carrierCode.isEmpty())
            form.strComCode = c.carrierCode;
        form.Command1_Click();
        EXPECT_EQ(form.Label11[2]->text(), c.status);
        EXPECT_TRUE(form.Command1->isEnabled());
        EXPECT_FALSE(form.Timer1->isActive());
    }
    EXPECT_EQ(form.Text1->count(), 0);
    EXPECT_FALSE(QFile::exists(savedFileOf(h)));

    WordServer words({{"ask", "请输入快递单号"}});
    h.test.useServer(words.baseUrl());
    fillAddPanel(form, QStringLiteral("ask"), kSf, QStringLiteral("衣服"));
    form.Command1_Click();
    EXPECT_EQ(form.Label11[2]->text(), QStringLiteral("请输入正确的单号!"));
    EXPECT_TRUE(form.Command1->isEnabled());
}

TEST(QueryCommands, NumberWithoutInformationIsOfferedForSaving)
{
    struct Case
    {
        QString number;
        MsgAnswer answer;
        bool saved;
    };
    const Case cases[] = {
        {"0000000000", MsgAnswer::No, false},
        {"9999999999", MsgAnswer::No, false},
        {"0000000000", MsgAnswer::Yes, true},
        {"9999999999", MsgAnswer::Yes, true},
    };
    for (const Case &c : cases) {
        TestSandbox sandbox;
        WindowHarness h;
        Form1 &form = openWindow(h, sandbox.baseUrl());
        fillAddPanel(form, c.number, kAae, QStringLiteral("衣服"));
        h.test.messages.answerNext(c.answer);
        QSignalSpy told(&form, &Form1::queryFailed);
        form.Command1_Click();
        // A number saved so is one the service had nothing of yet: its first rows are news.
        EXPECT_EQ(told.size(), c.saved ? 1 : 0);
        QStringList expectedBoxes {kSaveOffer};
        if (c.saved)
            expectedBoxes.append(QStringLiteral("单号已成功保存"));
        EXPECT_EQ(h.test.messages.texts(), expectedBoxes);
        EXPECT_TRUE(form.Command1->isEnabled());
        EXPECT_FALSE(form.Timer1->isActive());
        if (c.saved) {
            EXPECT_EQ(savedTextOf(h), c.number + QStringLiteral("|AAE快递|衣服\r\n"));
            EXPECT_EQ(itemsOf(form.Text1), QStringList {QStringLiteral("衣服")});
            EXPECT_EQ(itemsOf(form.Combo6), QStringList {c.number + QStringLiteral("|AAE快递|衣服")});
            EXPECT_EQ(form.Text1->currentIndex(), -1);
        } else {
            EXPECT_FALSE(QFile::exists(savedFileOf(h)));
            EXPECT_EQ(form.Text1->count(), 0);
        }
    }
}

TEST(QueryCommands, AcceptedQuerySavesAndParses)
{
    for (const bool closeAfterAdding : {true, false}) {
        TestSandbox sandbox;
        WindowHarness h;
        Form1 &form = openWindow(h, sandbox.baseUrl());
        form.Command3_Click();
        fillAddPanel(form, QStringLiteral("SF1234567890"), kSf, QStringLiteral("爸爸衣服"));
        form.Check1->setChecked(closeAfterAdding);
        form.Command1->click();
        EXPECT_EQ(form.Label11[2]->text(), QStringLiteral("快递单号已记录!"));
        EXPECT_FALSE(form.Command1->isEnabled());
        EXPECT_EQ(form.Picture3->isHidden(), closeAfterAdding);
        EXPECT_EQ(form.queriedRemark, QStringLiteral("爸爸衣服"));
        EXPECT_EQ(savedTextOf(h), QStringLiteral("SF1234567890|顺丰快递|爸爸衣服\r\n"));
        EXPECT_EQ(itemsOf(form.Text1), QStringList {QStringLiteral("爸爸衣服")});
        EXPECT_EQ(form.Text1->currentIndex(), -1);
        ASSERT_TRUE(parseDone(form));
        EXPECT_GE(form.ListView1->topLevelItemCount(), 1);
        EXPECT_TRUE(form.Command1->isEnabled());
        EXPECT_EQ(form.Label11[2]->text(), QStringLiteral("查询完毕..."));
    }
}

TEST(QueryCommands, DuringTheRequestTheButtonIsOffAndTheListEmpty)
{
    ScriptedHttpServer server;
    server.get("/", [](const httplib::Request &, httplib::Response &response) {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        response.set_content(kRows, "text/html; charset=utf-8");
    });
    WindowHarness h;
    Form1 &form = openWindow(h, server.start());
    fillAddPanel(form, QStringLiteral("SF1"), kSf, QStringLiteral("衣服"));
    form.Command1_Click();
    ASSERT_TRUE(parseDone(form));
    ASSERT_EQ(form.ListView1->topLevelItemCount(), 2);

    int probes = 0, enabledSeen = 0, rowsSeen = 0;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        ++probes;
        enabledSeen += form.Command1->isEnabled();
        rowsSeen += form.ListView1->topLevelItemCount();
    });
    probe.start(50);
    form.Command1_Click();
    probe.stop();
    EXPECT_GE(probes, 3);
    EXPECT_EQ(enabledSeen, 0);
    EXPECT_EQ(rowsSeen, 0);
    ASSERT_TRUE(parseDone(form));
}

TEST(QueryCommands, AnswersThatStartNoParseReenableTheButton)
{
    SilentServer silent;
    WordServer words({{"norows", "<html>身份验证失败</html>"}});
    ScriptedHttpServer failing;
    failing.get("/", [](const httplib::Request &, httplib::Response &response) {
        response.status = 500;
        response.set_content("oops", "text/plain");
    });
    const QString failingBase = failing.start();
    struct Case
    {
        QString base;
        QString number;
        QString status;
    };
    const Case cases[] = {
        {QStringLiteral("http://127.0.0.1:%1").arg(closedLoopbackPort()), "SF1",
         QStringLiteral("查询失败,无法连接查询服务器!")},
        {silent.baseUrl(), "SF1", QStringLiteral("查询超时,请稍后再试!")},
        {failingBase, "SF1", QStringLiteral("查询失败,查询服务器返回错误!")},
        {words.baseUrl(), "norows", QStringLiteral("未查询到物流信息!")},
    };
    for (const Case &c : cases) {
        // Both commands: the add panel's and the chosen parcel's.
        for (const bool chosen : {false, true}) {
            WindowHarness h;
            h.test.editEndpoints([&](Endpoints &e) { e.trackingTimeoutSeconds = 1; });
            Form1 &form = openWindow(h, c.base, encodeGb(c.number + QStringLiteral("|顺丰快递|衣服\r\n")));
            if (chosen) {
                choose(form, 0);
            } else {
                fillAddPanel(form, c.number, kSf, QStringLiteral("衣服"));
                form.Command1_Click();
            }
            EXPECT_EQ(form.Label11[2]->text(), c.status) << c.base.toStdString() << " chosen " << chosen;
            EXPECT_TRUE(form.Command1->isEnabled());
            EXPECT_FALSE(form.Timer1->isActive());
        }
    }
}

TEST(QueryCommands, SavedParcelErrorWords)
{
    struct Case
    {
        QString line;
        QString status;
    };
    TestSandbox sandbox;
    const Case cases[] = {
        {QStringLiteral("0000000000|顺丰快递|衣服"), QStringLiteral("此快递单号未更新信息或已失效..")},
        {QStringLiteral("abc-1|顺丰快递|衣服"), QStringLiteral("单号格式错误!请检查!")},
        {QStringLiteral("|顺丰快递|衣服"), QStringLiteral("请输入正确的单号!")},
        {QStringLiteral("SF1|不存在的快递|衣服"), QStringLiteral("系统问题,暂不支持当前快递公司!")},
    };
    for (const Case &c : cases) {
        WindowHarness h;
        const QByteArray file = encodeGb(c.line + QStringLiteral("\r\n"));
        Form1 &form = openWindow(h, sandbox.baseUrl(), file);
        if (c.line.contains(QStringLiteral("不存在的快递")))
            form.strComCode = QStringLiteral("nosuchcarrier");
        choose(form, 0);
        EXPECT_EQ(form.Label11[2]->text(), c.status) << c.line.toStdString();
        EXPECT_TRUE(form.Command1->isEnabled());
        EXPECT_TRUE(h.test.messages.shown.empty());
        EXPECT_EQ(readBytes(savedFileOf(h)), file);
        EXPECT_EQ(form.Text1->count(), 1);
    }
}

TEST(QueryCommands, SavedParcelThatNoLongerExistsIsOfferedForDeletion)
{
    TestSandbox sandbox;
    const QByteArray file
        = encodeGb(QStringLiteral("SF1|顺丰快递|书\r\n9999999999|顺丰快递|衣服\r\nSF2|顺丰快递|笔\r\n"));
    {
        WindowHarness h;
        Form1 &form = openWindow(h, sandbox.baseUrl(), file);
        h.test.messages.answerNext(MsgAnswer::No);
        choose(form, 1);
        EXPECT_EQ(h.test.messages.texts(), QStringList {kDeleteOffer});
        EXPECT_EQ(itemsOf(form.Text1),
                  (QStringList {QStringLiteral("书"), QStringLiteral("衣服"), QStringLiteral("笔")}));
        EXPECT_EQ(readBytes(savedFileOf(h)), file);
        EXPECT_TRUE(form.Command1->isEnabled());
    }
    {
        WindowHarness h;
        Form1 &form = openWindow(h, sandbox.baseUrl(), file);
        h.test.messages.answerNext(MsgAnswer::Yes);
        choose(form, 1);
        EXPECT_EQ(h.test.messages.texts(), QStringList {kDeleteOffer});
        // Each remaining parcel once, in both lists and in the file.
        EXPECT_EQ(itemsOf(form.Text1), (QStringList {QStringLiteral("书"), QStringLiteral("笔")}));
        EXPECT_EQ(itemsOf(form.Combo6),
                  (QStringList {QStringLiteral("SF1|顺丰快递|书"), QStringLiteral("SF2|顺丰快递|笔")}));
        EXPECT_EQ(savedTextOf(h), QStringLiteral("SF1|顺丰快递|书\r\nSF2|顺丰快递|笔\r\n"));
        // xr2 chose the first parcel and queried it.
        EXPECT_EQ(form.strSavedNumber, QStringLiteral("SF1"));
        EXPECT_EQ(form.strSavedIndex, QStringLiteral("0"));
        EXPECT_NE(sandbox.server().requests().back().find("nu=SF1"), std::string::npos);
        EXPECT_TRUE(form.Command1->isEnabled());
        ASSERT_TRUE(parseDone(form));
    }
}

TEST(QueryCommands, EachParcelIsSavedOnce)
{
    TestSandbox sandbox;
    WindowHarness h;
    const QByteArray file = encodeGb(QStringLiteral("SF1|顺丰快递|书\r\n"));
    Form1 &form = openWindow(h, sandbox.baseUrl(), file);

    // The chosen parcel queried again adds nothing, whatever the add panel holds.
    fillAddPanel(form, QStringLiteral("NEW1"), kAae, QStringLiteral("新的"));
    choose(form, 0);
    ASSERT_TRUE(parseDone(form));
    EXPECT_EQ(form.Text1->count(), 1);
    EXPECT_EQ(readBytes(savedFileOf(h)), file);

    // A new number after that choice is saved; the same number and carrier again is not.
    struct Step
    {
        QString number;
        QString carrier;
        QString note;
        int expectedCount;
    };
    const Step steps[] = {
        {"NEW1", kAae, QStringLiteral("新的"), 2}, {"NEW1", kAae, QStringLiteral("另一个备注"), 2},
        {"SF1", kSf, QStringLiteral("书"), 2},     {"NEW1", kSf, QStringLiteral("新的"), 3},
        {"NEW", kAae, QStringLiteral("前缀"), 4},
    };
    for (const Step &s : steps) {
        fillAddPanel(form, s.number, s.carrier, s.note);
        form.Command1_Click();
        ASSERT_TRUE(parseDone(form));
        EXPECT_EQ(form.Text1->count(), s.expectedCount) << s.number.toStdString();
    }
    EXPECT_EQ(savedTextOf(h),
              QStringLiteral("SF1|顺丰快递|书\r\nNEW1|AAE快递|新的\r\nNEW1|顺丰快递|新的\r\n"
                             "NEW|AAE快递|前缀\r\n"));
    EXPECT_EQ(form.Text1->currentIndex(), 0);
}
