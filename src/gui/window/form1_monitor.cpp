#include "gui/window/form1.h"
#include "monitor/clock_text.h"
#include "platform/clock.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {
const char *const kTimedIdle = QT_TRANSLATE_NOOP("Form1", "开始定时");
const char *const kTimedArmed = QT_TRANSLATE_NOOP("Form1", "关闭定时");
const char *const kLoopIdle = QT_TRANSLATE_NOOP("Form1", "开始循环");
const char *const kLoopRunning = QT_TRANSLATE_NOOP("Form1", "停止循环");
} // namespace

void Form1::connectMonitor()
{
    connect(Command8, &QPushButton::clicked, this, &Form1::Command8_Click);
    connect(Command10, &QPushButton::clicked, this, &Form1::Command10_Click);
    connect(Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
    connect(Command11, &QPushButton::clicked, this, &Form1::Command11_Click);
    // A pick by the user, not the filling at start-up.
    connect(Combo5, &QComboBox::activated, this, &Form1::Combo5_Click);
    addSenderSettingsButton();
}

void Form1::setLockedSetEnabled(bool enabled)
{
    for (QWidget *control :
         {static_cast<QWidget *>(Text1), static_cast<QWidget *>(Combo1), static_cast<QWidget *>(Command3),
          static_cast<QWidget *>(Command13), static_cast<QWidget *>(Command9),
          static_cast<QWidget *>(Command7), static_cast<QWidget *>(Command2)})
        control->setEnabled(enabled);
}

void Form1::automaticQuery()
{
    Text1_Click();
}

void Form1::Command8_Click()
{
    if (Command8->text() == tr(kTimedIdle)) {
        if (Text1->currentText().isEmpty()) {
            message(tr("请先查询单号后在使用定时功能!"));
            return;
        }
        if (Combo2->currentText().isEmpty() || Combo3->currentText().isEmpty()) {
            message(tr("请设定查询时间!"));
            return;
        }
        Combo2->setEnabled(false);
        Combo3->setEnabled(false);
        setLockedSetEnabled(false);
        Command8->setText(tr(kTimedArmed));
        Timer4->start();
    } else if (Command8->text() == tr(kTimedArmed)) {
        Command8->setText(tr(kTimedIdle));
        Timer4->stop();
        setLockedSetEnabled(true);
        Combo2->setEnabled(true);
        Combo3->setEnabled(true);
    }
}

void Form1::Timer4_Timer()
{
    // A tick held back during a request may arrive after the query disarmed the page.
    if (Command8->text() != tr(kTimedArmed))
        return;
    const int hour = platform().clock->now().time().hour();
    const int minute = platform().clock->now().time().minute();
    if (hour == Combo2->currentText().toInt() && minute == Combo3->currentText().toInt()) {
        automaticQuery();
        Command8_Click();
        Timer4->stop();
    }
}

void Form1::Command5_Click()
{
    if (Command5->text() == tr(kLoopIdle)) {
        if (Text1->currentText().isEmpty()) {
            message(tr("请先查询单号后在使用本功能!"));
            return;
        }
        if (Combo4->currentText().isEmpty()) {
            message(tr("请先设定时间!"));
            return;
        }
        setLockedSetEnabled(false);
        Combo4->setEnabled(false);
        Command5->setText(tr(kLoopRunning));
        Timer6->start();
        intTimerTicks = 0;
    } else if (Command5->text() == tr(kLoopRunning)) {
        Command5->setText(tr(kLoopIdle));
        Timer6->stop();
        setLockedSetEnabled(true);
        Combo4->setEnabled(true);
        intTimerTicks = 0;
    }
}

void Form1::Timer6_Timer()
{
    // A tick held back during a request may arrive after the loop was stopped.
    if (Command5->text() != tr(kLoopRunning))
        return;
    ++intTimerTicks;
    if (Combo4->currentText().toInt() == intTimerTicks) {
        automaticQuery();
        // A tick that fell during the query is delivered after this, so it counts the next round.
        intTimerTicks = 0;
    }
}

void Form1::Command10_Click()
{
    if (Command8->text() == tr(kTimedArmed)
        && message(tr("当前正在定时查询,是否终止?"), MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    Frame6->move(Frame4->pos());
    Frame6->show();
    Frame4->hide();
    Command8->setText(tr(kTimedIdle));
    Timer4->stop();
    setLockedSetEnabled(true);
    Combo2->setEnabled(true);
    Combo3->setEnabled(true);
}

void Form1::Command11_Click()
{
    if (Command5->text() == tr(kLoopRunning)
        && message(tr("当前正在循环查询,是否终止?"), MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    Frame4->move(Frame6->pos());
    Frame4->show();
    Frame6->hide();
    Command5->setText(tr(kLoopIdle));
    Timer6->stop();
    setLockedSetEnabled(true);
    Combo4->setEnabled(true);
    intTimerTicks = 0;
}

void Form1::Timer5_Timer()
{
    setCaption(Label11[5], clockText(platform().clock->now()));
}
