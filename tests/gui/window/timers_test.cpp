#include "platform/text_codec.h"
#include "qt_wait.h"
#include "test_servers.h"
#include "window_harness.h"

#include <httplib.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <mutex>

namespace {
const QString kTimedIdle = QStringLiteral("开始定时");
const QString kTimedArmed = QStringLiteral("关闭定时");
const QString kLoopIdle = QStringLiteral("开始循环");
const QString kLoopRunning = QStringLiteral("停止循环");

QDateTime at(const char *text)
{
    return QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

// The tracking service: it answers each number with as many rows as the test gives it, and
// keeps every request as "number carrier-code".
struct Tracking
{
    ScriptedHttpServer server;
    std::mutex mutex;
    std::map<std::string, int> rows;
    QStringList requests;
    QString base;

    Tracking()
    {
        server.get("/", [this](const httplib::Request &request, httplib::Response &response) {
            std::lock_guard<std::mutex> lock(mutex);
            const std::string number = request.get_param_value("nu");
            requests.append(QString::fromStdString(number + " " + request.get_param_value("com")));
            const int count = rows.count(number) ? rows[number] : 2;
            std::string body = "<table>";
            for (int i = 0; i < count; ++i)
                body += "<tr><td>2024-03-01 0" + std::to_string(i % 9) + ":00:00</td><td>到达第"
                    + std::to_string(i) + "站</td></tr>";
            response.set_content(body + "</table>", "text/html; charset=utf-8");
        });
        base = server.start();
    }
    QStringList sent()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return requests;
    }
    void forget()
    {
        std::lock_guard<std::mutex> lock(mutex);
        requests.clear();
    }
    void setRows(const std::string &number, int count)
    {
        std::lock_guard<std::mutex> lock(mutex);
        rows[number] = count;
    }
};

struct Monitor
{
    Tracking tracking;
    WindowHarness h;
    Form1 *form = nullptr;

    // Two saved parcels; the second, with the given note, is picked in the list.
    explicit Monitor(const QString &note = QStringLiteral("衣服"))
    {
        h.test.useServer(tracking.base);
        h.test.clock.set(at("2024-03-01 08:00:00"));
        QFile saved(h.test.dataDir() + QStringLiteral("/wlnum.ini"));
        EXPECT_TRUE(saved.open(QIODevice::WriteOnly));
        saved.write(
            encodeGb(QStringLiteral("SF100|顺丰快递|书\r\nYT200|圆通快递|") + note + QStringLiteral("\r\n")));
        saved.close();
        form = &h.open();
        form->Timer3->stop();
        // As the version check leaves them once it has passed.
        form->Command1->setEnabled(true);
        form->Text1->setEnabled(true);
        form->Text1->setCurrentIndex(1);
        form->Text1_Click();
        settle();
        EXPECT_EQ(sent(), QStringList {QStringLiteral("YT200 yuantong")});
        tracking.forget();
    }

    // Requests the timed and loop queries sent since the pick.
    QStringList sent() { return tracking.sent(); }
    // The parse a query armed has run.
    void settle()
    {
        EXPECT_TRUE(waitUntil([&] { return !form->Timer1->isActive(); }));
    }

    std::vector<QWidget *> lockedSet() const
    {
        return {form->Text1,    form->Combo1,   form->Command3, form->Command13,
                form->Command9, form->Command7, form->Command2};
    }
    // The locked set's state, or -1 when its controls disagree.
    int lockedEnabled() const
    {
        int state = lockedSet().front()->isEnabled();
        for (QWidget *w : lockedSet()) {
            if (w->isEnabled() != static_cast<bool>(state))
                return -1;
        }
        return state;
    }
    void chooseTime(int hour, int minute)
    {
        form->Combo2->setCurrentIndex(hour);
        form->Combo3->setCurrentIndex(minute);
    }
    void chooseInterval(int minutes) { form->Combo4->setCurrentIndex(minutes - 1); }
};

const QString kPicked = QStringLiteral("YT200 yuantong");
QStringList times(int n)
{
    return QStringList(n, kPicked);
}

// What the state table says about one state.
void expectState(const Monitor &m, bool loopPage, const QString &timed, const QString &loop,
                 const char *where)
{
    Form1 &f = *m.form;
    EXPECT_EQ(f.Frame6->isVisibleTo(f.Picture4), loopPage) << where;
    EXPECT_EQ(f.Frame4->isVisibleTo(f.Picture4), !loopPage) << where;
    EXPECT_EQ(f.Command8->text(), timed) << where;
    EXPECT_EQ(f.Command5->text(), loop) << where;
    const bool armed = timed == kTimedArmed;
    const bool running = loop == kLoopRunning;
    EXPECT_EQ(f.Timer4->isActive(), armed) << where;
    EXPECT_EQ(f.Timer6->isActive(), running) << where;
    EXPECT_EQ(m.lockedEnabled(), armed || running ? 0 : 1) << where;
    EXPECT_EQ(f.Combo2->isEnabled(), !armed) << where;
    EXPECT_EQ(f.Combo3->isEnabled(), !armed) << where;
    EXPECT_EQ(f.Combo4->isEnabled(), !running) << where;
    // Everything else stays usable.
    for (QWidget *w : {static_cast<QWidget *>(f.Command1), static_cast<QWidget *>(f.Text3),
                       static_cast<QWidget *>(f.Text2), static_cast<QWidget *>(f.Command10),
                       static_cast<QWidget *>(f.Command11), static_cast<QWidget *>(f.Command4),
                       static_cast<QWidget *>(f.Command6)})
        EXPECT_TRUE(w->isEnabled()) << where << " " << w->objectName().toStdString();
}
} // namespace

TEST(TimedAndLoopQueries, StartUpIsTimedIdle)
{
    Monitor m;
    expectState(m, false, kTimedIdle, kLoopIdle, "start-up");
    EXPECT_EQ(m.form->Combo2->count(), 24);
    EXPECT_EQ(m.form->Combo3->count(), 60);
    EXPECT_EQ(m.form->Combo4->count(), 360);
    EXPECT_EQ(m.form->Combo2->currentText(), QStringLiteral("0"));
    EXPECT_EQ(m.form->Combo3->currentText(), QStringLiteral("0"));
    EXPECT_EQ(m.form->Combo4->currentText(), QString());
    EXPECT_EQ(m.form->Combo3->itemText(59), QStringLiteral("59"));
    EXPECT_EQ(m.form->Combo4->itemText(359), QStringLiteral("360"));
}

TEST(TimedAndLoopQueries, StartGuardsRefuseAndChangeNothing)
{
    struct Case
    {
        const char *name;
        bool loop;
        QString picked;
        bool clearHour, clearMinute, interval;
        QString message;
    } cases[] = {
        {"timed, empty note", false, QString(), false, false, false,
         QStringLiteral("请先查询单号后在使用定时功能!")},
        {"timed, no hour", false, QStringLiteral("衣服"), true, false, false,
         QStringLiteral("请设定查询时间!")},
        {"timed, no minute", false, QStringLiteral("衣服"), false, true, false,
         QStringLiteral("请设定查询时间!")},
        {"loop, empty note", true, QString(), false, false, true,
         QStringLiteral("请先查询单号后在使用本功能!")},
        {"loop, no interval", true, QStringLiteral("衣服"), false, false, false,
         QStringLiteral("请先设定时间!")},
    };
    for (const Case &c : cases) {
        Monitor m(c.picked);
        if (c.clearHour)
            m.form->Combo2->setCurrentIndex(-1);
        if (c.clearMinute)
            m.form->Combo3->setCurrentIndex(-1);
        if (c.loop) {
            m.form->Command10->click();
            if (c.interval)
                m.chooseInterval(5);
            m.form->Command5->click();
        } else {
            m.form->Command8->click();
        }
        ASSERT_EQ(m.h.test.messages.shown.size(), 1u) << c.name;
        EXPECT_EQ(m.h.test.messages.shown[0].text, c.message) << c.name;
        EXPECT_EQ(m.h.test.messages.shown[0].buttons, MsgButtons::Ok) << c.name;
        EXPECT_EQ(m.h.test.messages.shown[0].icon, MsgIcon::Information) << c.name;
        expectState(m, c.loop, kTimedIdle, kLoopIdle, c.name);
    }
}

TEST(TimedAndLoopQueries, TimedQueryRunsOnceOnTheFirstTickOfTheChosenMinute)
{
    Monitor m;
    m.chooseTime(10, 30);
    m.form->Command8->click();
    expectState(m, false, kTimedArmed, kLoopIdle, "armed");

    for (const char *time : {"2024-03-01 10:29:59", "2024-03-01 11:30:00", "2024-03-01 10:31:00"}) {
        m.h.test.clock.set(at(time));
        m.form->Timer4_Timer();
        EXPECT_EQ(m.sent(), times(0)) << time;
    }
    m.h.test.clock.set(at("2024-03-01 10:30:00"));
    m.form->Timer4_Timer();
    m.settle();
    EXPECT_EQ(m.sent(), times(1));
    expectState(m, false, kTimedIdle, kLoopIdle, "after the query");
    m.form->Timer4_Timer();
    EXPECT_EQ(m.sent(), times(1)) << "disarmed after its one query";
}

TEST(TimedAndLoopQueries, MinuteJustPassedWaitsForTheNextDay)
{
    Monitor m;
    m.h.test.clock.set(at("2024-03-01 10:31:05"));
    m.chooseTime(10, 30);
    m.form->Command8->click();
    for (qint64 second = 0; second < 24 * 3600 - 61; second += 30) {
        m.form->Timer4_Timer();
        m.h.test.clock.advance(30);
    }
    EXPECT_EQ(m.sent(), times(0));
    m.h.test.clock.set(at("2024-03-02 10:30:00"));
    m.form->Timer4_Timer();
    EXPECT_EQ(m.sent(), times(1));
}

TEST(TimedAndLoopQueries, CurrentMinuteRunsAtTheNextRealTick)
{
    Monitor m;
    m.h.test.clock.set(at("2024-03-01 00:00:10"));
    m.form->Command8->click(); // 0:00 is chosen at start-up
    ASSERT_TRUE(waitUntil([&] { return m.sent() == times(1); }, 4000));
    EXPECT_EQ(m.form->Command8->text(), kTimedIdle);
    EXPECT_FALSE(m.form->Timer4->isActive());
}

TEST(TimedAndLoopQueries, LoopQueriesEveryIntervalAndNeverCountsPastIt)
{
    for (int interval : {1, 2, 360}) {
        Monitor m;
        m.form->Command10->click();
        m.chooseInterval(interval);
        m.form->intTimerTicks = 7; // starting counts from zero whatever was left
        m.form->Command5->click();
        expectState(m, true, kTimedIdle, kLoopRunning, "loop running");
        EXPECT_EQ(m.form->intTimerTicks, 0);
        EXPECT_EQ(m.form->Timer6->interval(), 60000);
        for (int minute = 1; minute <= 3 * interval; ++minute) {
            m.form->Timer6_Timer();
            m.settle();
            EXPECT_EQ(m.sent(), times(minute / interval)) << interval << " at minute " << minute;
            EXPECT_LT(m.form->intTimerTicks, interval);
        }
        m.form->Timer6_Timer();
        m.settle();
        m.form->Command5->click();
        expectState(m, true, kTimedIdle, kLoopIdle, "loop stopped");
        EXPECT_EQ(m.form->intTimerTicks, 0);
    }
}

TEST(TimedAndLoopQueries, PageSwitchAsksWhileAFunctionRuns)
{
    // Timed armed, switch to the loop page: No keeps it armed, Yes disarms and switches.
    {
        Monitor m;
        m.form->Command8->click();
        m.h.test.messages.answerNext(MsgAnswer::No);
        m.form->Command10->click();
        EXPECT_EQ(m.h.test.messages.texts(), QStringList {QStringLiteral("当前正在定时查询,是否终止?")});
        EXPECT_EQ(m.h.test.messages.shown[0].buttons, MsgButtons::YesNo);
        expectState(m, false, kTimedArmed, kLoopIdle, "timed armed, No");
        m.h.test.messages.answerNext(MsgAnswer::Yes);
        m.form->Command10->click();
        expectState(m, true, kTimedIdle, kLoopIdle, "timed armed, Yes");
        EXPECT_EQ(m.form->Frame6->pos(), m.form->Frame4->pos());
    }
    // Loop running, switch to the timed page.
    {
        Monitor m;
        m.form->Command10->click();
        m.chooseInterval(3);
        m.form->Command5->click();
        m.form->Timer6_Timer();
        m.h.test.messages.answerNext(MsgAnswer::No);
        m.form->Command11->click();
        EXPECT_EQ(m.h.test.messages.texts(), QStringList {QStringLiteral("当前正在循环查询,是否终止?")});
        expectState(m, true, kTimedIdle, kLoopRunning, "loop running, No");
        EXPECT_EQ(m.form->intTimerTicks, 1);
        m.h.test.messages.answerNext(MsgAnswer::Yes);
        m.form->Command11->click();
        expectState(m, false, kTimedIdle, kLoopIdle, "loop running, Yes");
        EXPECT_EQ(m.form->intTimerTicks, 0);
    }
}

TEST(TimedAndLoopQueries, SwitchingWhenNothingRunsAsksNothingAndResets)
{
    Monitor m;
    m.form->Command10->click();
    expectState(m, true, kTimedIdle, kLoopIdle, "to the loop page");
    m.form->intTimerTicks = 4;
    m.form->Command11->click();
    expectState(m, false, kTimedIdle, kLoopIdle, "back to the timed page");
    EXPECT_EQ(m.form->intTimerTicks, 0);
    EXPECT_TRUE(m.h.test.messages.shown.empty());
    EXPECT_TRUE(m.h.test.messages.allAnswersUsed());
}

TEST(TimedAndLoopQueries, TickDuringARequestCountsOnceAfterIt)
{
    Monitor m;
    m.form->Command10->click();
    m.chooseInterval(2);
    m.form->Command5->click();

    m.form->beginWait();
    m.form->runTick(&Form1::Timer6_Timer);
    m.form->runTick(&Form1::Timer6_Timer);
    EXPECT_EQ(m.form->intTimerTicks, 0) << "never inside the wait";
    m.form->endWait();
    ASSERT_TRUE(waitUntil([&] { return m.form->intTimerTicks == 1; }, 2000));
    m.form->Timer6_Timer();
    EXPECT_EQ(m.sent(), times(1));
    EXPECT_EQ(m.form->intTimerTicks, 0);
}

TEST(TimedAndLoopQueries, TickHeldBackPastTheEndOfItsFunctionDoesNothing)
{
    // Loop stopped while its tick waited.
    {
        Monitor m;
        m.form->Command10->click();
        m.chooseInterval(1);
        m.form->Command5->click();
        m.form->beginWait();
        m.form->runTick(&Form1::Timer6_Timer);
        m.form->Command5->click();
        m.form->endWait();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        EXPECT_EQ(m.sent(), times(0));
        EXPECT_EQ(m.form->intTimerTicks, 0);
    }
    // A second tick of the chosen minute fell while the timed query's request was pending: once
    // the query has disarmed the page it must neither query again nor arm it again.
    {
        Monitor m;
        m.h.test.clock.set(at("2024-03-01 00:00:30"));
        m.form->Command8->click();
        m.form->beginWait();
        m.form->runTick(&Form1::Timer4_Timer);
        m.form->Timer4_Timer(); // the tick whose query is pending
        m.form->endWait();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        m.settle();
        EXPECT_EQ(m.sent(), times(1));
        expectState(m, false, kTimedIdle, kLoopIdle, "after the held-back tick");
    }
}

// Watching one parcel with the loop query while looking another one up by hand: each answer is
// compared with the previous answer of its own parcel.
TEST(TimedAndLoopQueries, LoopQueryComparesWithItsOwnParcelAfterALookAtAnother)
{
    Monitor m;
    Form1 &f = *m.form;
    f.Check3->setChecked(true);
    f.Command3->click(); // the add panel, opened before the loop locks its button
    f.Command10->click();
    m.chooseInterval(1);
    f.Command5->click();

    const auto tick = [&] {
        f.Timer6_Timer();
        m.settle();
    };
    const auto lookUp = [&](const char *number, int rows) {
        m.tracking.setRows(number, rows);
        f.Text3->setEditText(QString::fromLatin1(number));
        f.Text2->setText(QStringLiteral("别的"));
        f.Command1->click();
        m.settle();
    };
    const struct
    {
        const char *what;
        std::function<void()> act;
        QString request;
        bool updated;
        int prevRows, lastRows;
    } steps[] = {
        {"the watched parcel, unchanged", tick, kPicked, false, 2, 2},
        {"another parcel by hand", [&] { lookUp("YT999", 5); }, QStringLiteral("YT999 yuantong"), true, 2, 5},
        {"the watched parcel, unchanged again", tick, kPicked, false, 5, 2},
        {"the watched parcel with news",
         [&] {
             m.tracking.setRows("YT200", 3);
             tick();
         },
         kPicked, true, 2, 3},
        {"the other parcel again, unchanged", [&] { lookUp("YT999", 5); }, QStringLiteral("YT999 yuantong"),
         false, 3, 5},
    };
    size_t sounds = m.h.test.sound.played.size();
    for (const auto &step : steps) {
        SCOPED_TRACE(step.what);
        m.tracking.forget();
        step.act();
        EXPECT_EQ(m.sent(), QStringList {step.request});
        EXPECT_EQ(f.Label12[3]->text(), step.updated ? QStringLiteral("有更新") : QStringLiteral("无更新"));
        sounds += step.updated ? 1 : 0;
        EXPECT_EQ(m.h.test.sound.played.size(), sounds);
        // The two counts still hold the previous and the latest answer, whichever parcel.
        EXPECT_EQ(f.intPrevRows, step.prevRows);
        EXPECT_EQ(f.intLastRows, step.lastRows);
    }
    EXPECT_EQ(f.Command5->text(), kLoopRunning);
}
