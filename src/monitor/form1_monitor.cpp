#include "monitor/clock_text.h"
#include "platform/clock.h"
#include "window/form1.h"

#include <QLabel>

void Form1::connectMonitor() { }

void Form1::Timer5_Timer()
{
    setCaption(Label11[5], clockText(platform().clock->now()));
}

void Form1::gxtj() { }

void Form1::Timer3_Timer() { }

void Form1::Timer4_Timer() { }

void Form1::Timer6_Timer() { }
