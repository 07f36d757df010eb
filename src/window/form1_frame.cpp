#include "window/form1.h"

#include <QMouseEvent>
#include <QPaintEvent>

void Form1::connectWindow() { }

void Form1::installColumnLock() { }

void Form1::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
}

void Form1::mouseMoveEvent(QMouseEvent *event)
{
    QWidget::mouseMoveEvent(event);
}

void Form1::mousePressEvent(QMouseEvent *event)
{
    QWidget::mousePressEvent(event);
}

void Form1::mouseReleaseEvent(QMouseEvent *event)
{
    QWidget::mouseReleaseEvent(event);
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    return QWidget::eventFilter(watched, event);
}
