#include "monitor/clock_text.h"
#include "qt_wait.h"
#include "window_harness.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

TEST(StartUp, WindowStateAtTheEndOfLoading)
{
    WindowHarness h;
    Form1 &form = h.open();

    EXPECT_EQ(form.Combo1->count(), 127);
    EXPECT_EQ(form.Text5->count(), 127);
    EXPECT_EQ(form.Combo1->currentIndex(), -1);
    EXPECT_EQ(form.Text5->currentIndex(), -1);
    EXPECT_EQ(form.Text1->currentIndex(), -1);
    EXPECT_EQ(form.ListView1->topLevelItemCount(), 0);
    EXPECT_EQ(form.ListView1->editTriggers(), QAbstractItemView::NoEditTriggers);

    EXPECT_EQ(form.Label11[2]->text(), QStringLiteral("程序检测更新中..."));
    EXPECT_EQ(form.Label11[3]->text(), QStringLiteral("4.2.218"));
    EXPECT_EQ(form.Label12[2]->text(), QStringLiteral("未查询"));
    EXPECT_EQ(form.Label12[5]->text(), QStringLiteral("未查询"));
    EXPECT_FALSE(form.Command1->isEnabled());
    EXPECT_FALSE(form.Text1->isEnabled());
    EXPECT_EQ(form.intSavedIndex, 0);

    const struct
    {
        QTimer *timer;
        int interval;
        bool running;
    } timers[] = {
        {form.Timer1, 100, false}, {form.Timer3, 1000, true},   {form.Timer4, 1000, false},
        {form.Timer5, 1000, true}, {form.Timer6, 60000, false},
    };
    for (const auto &t : timers) {
        EXPECT_EQ(t.timer->interval(), t.interval) << t.timer->objectName().toStdString();
        EXPECT_EQ(t.timer->isActive(), t.running) << t.timer->objectName().toStdString();
    }

    EXPECT_EQ(form.Combo2->currentText(), QStringLiteral("0"));
    EXPECT_EQ(form.Combo3->currentText(), QStringLiteral("0"));
    EXPECT_EQ(form.Combo4->currentIndex(), -1);
    EXPECT_EQ(form.Combo5->count(), 6);
    EXPECT_EQ(form.Combo5->currentIndex(), -1);
    EXPECT_EQ(form.Command8->text(), QStringLiteral("开始定时"));
    EXPECT_EQ(form.Command5->text(), QStringLiteral("开始循环"));
    EXPECT_FALSE(form.Frame6->isVisibleTo(form.Picture4));
    EXPECT_TRUE(form.Frame4->isVisibleTo(form.Picture4));
    EXPECT_TRUE(form.strPromo.isEmpty() && form.strPromoText.isEmpty() && form.strPromoUrl.isEmpty());
}

TEST(StartUp, ClockShowsTheTimeFromTheFirstTick)
{
    WindowHarness h;
    const QDateTime now = QDateTime::fromString(QStringLiteral("2024-05-06 07:08:09"), "yyyy-MM-dd HH:mm:ss");
    h.test.clock.set(now);
    Form1 &form = h.open();
    form.Timer3->stop();
    EXPECT_EQ(form.Label11[5]->text(), QStringLiteral("Time"));
    ASSERT_TRUE(waitUntil([&] { return form.Label11[5]->text() != QStringLiteral("Time"); }, 3000));
    EXPECT_EQ(form.Label11[5]->text(), clockText(now));
    EXPECT_TRUE(form.Label11[5]->text().contains(QStringLiteral("09"))) << "with seconds";
}

TEST(ExitQuestion, EachAnswer)
{
    const QString question = QStringLiteral("感谢您对Tavi、对Lumetra系列的软件的支持!\r \r"
                                            "是否退出并到论坛可以下载更多Lumetra系列原创免费软件?");
    struct Case
    {
        MsgAnswer answer;
        bool closes;
        bool opensForum;
    } cases[] = {
        {MsgAnswer::Cancel, false, false},
        {MsgAnswer::No, true, false},
        {MsgAnswer::Yes, true, true},
    };
    for (const Case &c : cases) {
        WindowHarness h;
        h.test.editEndpoints([&](Endpoints &e) { e.forum = QStringLiteral("http://127.0.0.1:1/forum/"); });
        Form1 &form = h.open();
        form.Timer3->stop();
        form.show();
        form.Sendmail->setText(QStringLiteral("kept@example.localhost"));
        h.test.messages.answerNext(c.answer);

        const bool closed = form.close();

        ASSERT_EQ(h.test.messages.shown.size(), 1u);
        EXPECT_EQ(h.test.messages.shown[0].text, question);
        EXPECT_EQ(h.test.messages.shown[0].buttons, MsgButtons::YesNoCancel);
        EXPECT_EQ(h.test.messages.shown[0].icon, MsgIcon::Information);
        EXPECT_EQ(closed, c.closes);
        EXPECT_EQ(form.isVisible(), !c.closes);
        EXPECT_EQ(h.test.urls.opened,
                  c.opensForum ? QStringList {QStringLiteral("http://127.0.0.1:1/forum/")} : QStringList {});
        EXPECT_EQ(h.test.programEnded, 0) << "closing goes the normal way";
        if (!c.closes) {
            EXPECT_EQ(form.Sendmail->text(), QStringLiteral("kept@example.localhost"));
            EXPECT_TRUE(form.Timer5->isActive());
        }
    }
}
