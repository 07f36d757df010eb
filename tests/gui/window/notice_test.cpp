#include "gui/platform/widget_services.h"
#include "platform/paths.h"
#include "qt_wait.h"
#include "smtp_server.h"
#include "test_servers.h"
#include "window_harness.h"

#include <httplib.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTimer>
#include <QTreeWidget>
#include <atomic>
#include <gtest/gtest.h>

namespace {
const QString kUpdated = QStringLiteral("有更新");
const QString kNotUpdated = QStringLiteral("无更新");
const QString kUser = QStringLiteral("notice@parcelvue.localhost");
const QString kPassword = QStringLiteral("a1b2c3d4");

// A tracking service whose answer has as many rows as the test says; the newest row can say
// that the parcel was signed for.
struct Tracking
{
    ScriptedHttpServer server;
    std::atomic<int> rows {1};
    std::atomic<bool> signedFor {false};
    QString base;

    Tracking()
    {
        server.get("/", [this](const httplib::Request &, httplib::Response &response) {
            std::string body = "<table>";
            for (int i = 0; i < rows; ++i) {
                const bool last = i == rows - 1;
                body += "<tr><td>2024-01-0" + std::to_string(i % 9 + 1) + " 10:00:00</td><td>"
                    + (last && signedFor ? std::string("已签收, 签收人: 本人")
                                         : "到达<第" + std::to_string(i) + "站>&")
                    + "</td></tr>";
            }
            response.set_content(body + "</table>", "text/html; charset=utf-8");
        });
        base = server.start();
    }
};

struct Window
{
    Tracking tracking;
    WindowHarness h;
    Form1 *form = nullptr;

    Window()
    {
        h.test.useServer(tracking.base);
        h.test.clock.set(QDateTime::fromString(QStringLiteral("2024-01-02 12:05:30"), "yyyy-MM-dd HH:mm:ss"));
        form = &h.open();
        form->Timer3->stop();
    }

    // A query as the commands run it: request, count, and the parse on Timer1's tick.
    void query(const QString &number, int carrier, int rows, bool signedFor = false,
               const QString &note = QStringLiteral("衣服"))
    {
        tracking.rows = rows;
        tracking.signedFor = signedFor;
        form->Combo1->setCurrentIndex(carrier);
        form->queriedRemark = note;
        form->ListView1->clear();
        form->intRowCount = 0;
        form->kdgs(number);
        form->hx2();
        ASSERT_TRUE(waitUntil([&] { return !form->Timer1->isActive(); }));
    }
    QString updateState() const { return form->Label12[3]->text(); }
    QColor updateColor() const { return form->Label12[3]->palette().color(QPalette::WindowText); }
};
} // namespace

TEST(ChangeDetection, ComparesWithThePreviousAnswerOfTheSameParcel)
{
    struct Step
    {
        const char *number;
        int carrier;
        int rows;
        bool signedFor;
        bool updated;
    };
    const struct
    {
        const char *name;
        std::vector<Step> steps;
    } scenarios[] = {
        {"re-queries of one parcel",
         {{"111", 0, 3, false, true},
          {"111", 0, 3, false, false},
          {"111", 0, 2, false, false},
          {"111", 0, 4, false, true},
          {"111", 0, 6, true, false}}},
        {"signed for on the first answer", {{"111", 0, 2, true, false}}},
        {"another number compares against 0",
         {{"111", 0, 3, false, true}, {"222", 0, 1, false, true}, {"222", 0, 1, false, false}}},
        {"same number at another carrier",
         {{"111", 0, 3, false, true}, {"111", 1, 3, false, true}, {"111", 1, 3, false, false}}},
        {"back to the first parcel",
         {{"111", 0, 2, false, true},
          {"222", 0, 5, false, true},
          {"111", 0, 2, false, false},
          {"222", 0, 5, false, false},
          {"111", 0, 3, false, true}}},
        {"back to the first parcel, now signed for",
         {{"111", 0, 2, false, true}, {"222", 0, 1, false, true}, {"111", 0, 3, true, false}}},
    };
    for (const auto &scenario : scenarios) {
        Window w;
        w.form->Check3->setChecked(true);
        size_t plays = 0;
        for (const Step &step : scenario.steps) {
            w.query(QString::fromLatin1(step.number), step.carrier, step.rows, step.signedFor);
            const std::string where
                = std::string(scenario.name) + " / " + step.number + " rows " + std::to_string(step.rows);
            EXPECT_EQ(w.updateState(), step.updated ? kUpdated : kNotUpdated) << where;
            EXPECT_EQ(w.updateColor(), step.updated ? QColor(255, 0, 0) : QColor(255, 255, 255)) << where;
            plays += step.updated ? 1 : 0;
            ASSERT_EQ(w.h.test.sound.played.size(), plays) << where;
        }
        EXPECT_TRUE(w.h.test.messages.shown.empty()) << scenario.name;
    }
}

TEST(ChangeDetection, AlertSoundAtHalfVolumeFromTheDataDirectoryElseTheAssets)
{
    Window w;
    w.form->Check3->setChecked(false);
    w.query(QStringLiteral("111"), 0, 1);
    EXPECT_EQ(w.updateState(), kUpdated);
    EXPECT_TRUE(w.h.test.sound.played.empty()) << "sound switched off";

    w.form->Check3->setChecked(true);
    w.query(QStringLiteral("111"), 0, 2);
    ASSERT_EQ(w.h.test.sound.played.size(), 1u);
    EXPECT_EQ(w.h.test.sound.played[0].path, joinPath(shippedAssetDir(), QStringLiteral("ts.mp3")));
    EXPECT_EQ(w.h.test.sound.played[0].volume, 50);
    EXPECT_TRUE(QFileInfo::exists(w.h.test.sound.played[0].path)) << "the program ships its alert";

    QFile own(joinPath(w.h.test.dataDir(), QStringLiteral("ts.mp3")));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.close();
    w.query(QStringLiteral("111"), 0, 3);
    ASSERT_EQ(w.h.test.sound.played.size(), 2u);
    EXPECT_EQ(w.h.test.sound.played[1].path, own.fileName());
}

TEST(ChangeDetection, NoMailWithoutTheSwitchOrWithAnEmptyAddress)
{
    struct Case
    {
        bool mailSwitch;
        const char *address;
    } cases[] = {{false, "watcher@example.localhost"}, {true, ""}};
    for (const Case &c : cases) {
        Window w;
        // Were a send tried, it would fail here and say so on the status line.
        w.h.test.useSmtp(closedLoopbackPort(), kUser, kPassword);
        w.form->Check2->setChecked(c.mailSwitch);
        w.form->Sendmail->setText(QString::fromLatin1(c.address));
        w.query(QStringLiteral("111"), 0, 2);
        EXPECT_EQ(w.updateState(), kUpdated);
        EXPECT_EQ(w.form->Label11[2]->text(), QStringLiteral("查询完毕...")) << c.address;
    }
}

namespace {
struct MailWindow : Window
{
    SmtpTestServer smtp {kUser, kPassword};

    MailWindow()
    {
        EXPECT_TRUE(smtp.start()) << smtp.error().toStdString();
        h.test.useSmtp(smtp.port(), kUser, kPassword);
        form->Check2->setChecked(true);
        form->Sendmail->setText(QStringLiteral("watcher@example.localhost"));
    }
};
} // namespace

TEST(MailNotice, NamesTheQueriedParcelAndEscapesItsData)
{
    MailWindow w;
    // The saved parcel picked last is another one: the mail must not speak of it.
    w.form->strSavedNumber = QStringLiteral("OLD999");
    w.form->strSavedCom = QStringLiteral("圆通快递");
    w.form->Check3->setChecked(false);
    w.query(QStringLiteral("NEW123"), 1, 2, false, QStringLiteral("<b>礼物</b>"));

    EXPECT_EQ(w.form->Label11[2]->text(), QStringLiteral("快递有最新进展，已发送至邮箱!"));
    EXPECT_TRUE(w.h.test.sound.played.empty()) << "mail only";
    const auto mails = w.smtp.received();
    ASSERT_EQ(mails.size(), 1u);
    const auto &m = mails[0];
    EXPECT_EQ(m.mailFrom, kUser);
    EXPECT_EQ(m.login, kUser);
    EXPECT_EQ(m.recipients, QStringList {QStringLiteral("watcher@example.localhost")});
    EXPECT_EQ(m.header(QStringLiteral("From")), kUser);
    EXPECT_EQ(m.header(QStringLiteral("To")), QStringLiteral("watcher@example.localhost"));
    EXPECT_FALSE(m.header(QStringLiteral("Date")).isEmpty());
    EXPECT_EQ(m.subject, QStringLiteral("您的快递【<b>礼物</b>】有最新动态 - LumetraParcelvue"));
    // The subject travels in encoded words; no line of it is longer than 76 characters.
    const QStringList rawLines = m.rawHeaders.split(QStringLiteral("\r\n"));
    const qsizetype subjectLine = rawLines.indexOf(QRegularExpression(QStringLiteral("^Subject:.*")));
    ASSERT_GE(subjectLine, 0);
    EXPECT_TRUE(rawLines.mid(subjectLine).join(QLatin1Char(' ')).contains(QStringLiteral("=?UTF-8?B?")));
    for (qsizetype i = subjectLine; i < rawLines.size() && (i == subjectLine || rawLines[i].startsWith(' '));
         ++i)
        EXPECT_LE(rawLines[i].size(), 76) << rawLines[i].toStdString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^<[^@<> ]+@parcelvue\\.localhost>$"))
                    .match(m.header(QStringLiteral("Message-ID")))
                    .hasMatch())
        << m.header(QStringLiteral("Message-ID")).toStdString();
    EXPECT_EQ(m.contentType, QStringLiteral("multipart/alternative"));
    ASSERT_EQ(m.parts.size(), 2u);
    EXPECT_EQ(m.parts[1].contentType, QStringLiteral("text/html"));
    EXPECT_EQ(m.parts[1].charset.toLower(), QStringLiteral("utf-8"));
    EXPECT_TRUE(m.parts[0].body.contains(QStringLiteral("【<b>礼物</b>】（NEW123）")))
        << "the text part, unescaped";

    const QString carrier = w.form->Combo1->itemText(1);
    EXPECT_TRUE(m.body.contains(QStringLiteral("【&lt;b&gt;礼物&lt;/b&gt;】（NEW123）</font>")))
        << m.body.toStdString();
    EXPECT_FALSE(m.body.contains(QStringLiteral("OLD999")));
    EXPECT_TRUE(m.body.contains(QStringLiteral("2024-01-02 10:00:00 到达&lt;第1站&gt;&amp;</p>")));
    EXPECT_TRUE(
        m.body.contains(QStringLiteral("color:blue;'>") + carrier + QStringLiteral("</font>公司接单起计算")));
    EXPECT_TRUE(m.body.contains(QStringLiteral("color:red;'>") + w.form->Label12[5]->text()
                                + QStringLiteral("</font>")));
    // The announcement was never fetched: an empty bold link.
    EXPECT_TRUE(m.body.contains(QStringLiteral("<b><a href='' target='_blank'")));
    EXPECT_TRUE(m.body.contains(QStringLiteral("margin-top:10px'></a></b>")));
    EXPECT_TRUE(m.body.contains(QStringLiteral("QQ:") + w.h.test.platform().endpoints().contact
                                + QStringLiteral("</p>")));
}

TEST(MailNotice, EmptyNoteAndPromotionLinkFromTheAnnouncement)
{
    MailWindow w;
    w.form->strPromoUrl = QStringLiteral("http://127.0.0.1:1/promo?a=1&b=2");
    w.form->strPromoText = QStringLiteral("推广");
    w.query(QStringLiteral("555"), 0, 1, false, QString());
    const auto mails = w.smtp.received();
    ASSERT_EQ(mails.size(), 1u);
    EXPECT_EQ(mails[0].subject, QStringLiteral("您的快递【】有最新动态 - LumetraParcelvue"));
    EXPECT_TRUE(mails[0].body.contains(QStringLiteral("【】（555）")));
    EXPECT_TRUE(mails[0].body.contains(
        QStringLiteral("<a href='http://127.0.0.1:1/promo?a=1&amp;b=2' target='_blank'")));
    EXPECT_TRUE(mails[0].body.contains(QStringLiteral("margin-top:10px'>推广</a></b>")));
}

TEST(MailNotice, FailuresAreReportedAndTheWindowGoesOn)
{
    enum Kind { WrongPassword, Refused, Stalls };
    for (Kind kind : {WrongPassword, Refused, Stalls}) {
        Window w;
        SmtpTestServer smtp(kUser, kPassword,
                            kind == Stalls ? SmtpTestServer::Mode::Stall : SmtpTestServer::Mode::Accept);
        int port = closedLoopbackPort();
        if (kind != Refused) {
            ASSERT_TRUE(smtp.start()) << smtp.error().toStdString();
            port = smtp.port();
        }
        w.h.test.useSmtp(port, kUser, kind == WrongPassword ? QStringLiteral("wrong") : kPassword);
        w.h.test.mail.setTimeouts(2000, 2000);
        w.form->Check2->setChecked(true);
        w.form->Sendmail->setText(QStringLiteral("watcher@example.localhost"));

        QStringList captions;
        QTimer probe;
        QObject::connect(&probe, &QTimer::timeout, [&] { captions.append(w.form->Label11[2]->text()); });
        probe.start(50);
        QElapsedTimer elapsed;
        elapsed.start();
        w.query(QStringLiteral("111"), 0, 2);
        probe.stop();
        EXPECT_LT(elapsed.elapsed(), 15000) << kind << ": the send is bounded";

        const QString status = w.form->Label11[2]->text();
        const QString failed = QStringLiteral("最新信息发送失败!错误原因");
        EXPECT_TRUE(status.startsWith(failed)) << kind << status.toStdString();
        EXPECT_GT(status.size(), failed.size()) << "a description follows";
        EXPECT_EQ(w.updateState(), kUpdated);
        EXPECT_TRUE(smtp.received().empty());
        EXPECT_TRUE(w.h.test.messages.shown.empty()) << "no message box";
        if (kind == Stalls) {
            EXPECT_TRUE(captions.contains(QStringLiteral(" 正发送最新动态邮件,请稍等..")));
        }
    }
}

TEST(AlertSound, MissingFileIsSilentlyIgnored)
{
    // Only a missing file: playing a real one needs an audio server, which test machines lack.
    QTemporaryDir dir;
    MediaSoundPlayer player;
    player.play(dir.filePath(QStringLiteral("ts.mp3")), 50);
    // Trouble would be reported asynchronously: nothing may pop up for it then either (and a Qt
    // warning fails the test).
    const bool somethingShown = waitUntil(
        [] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (w->isVisible())
                    return true;
            }
            return false;
        },
        300);
    EXPECT_FALSE(somethingShown);
}
