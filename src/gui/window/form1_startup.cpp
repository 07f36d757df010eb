#include "gui/window/form1.h"
#include "platform/url_opener.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QTreeWidget>

namespace {
// The shipped caption of the resources site is translated; one set in the endpoints file is shown
// as it is.
const char *const kResourcesCaption = QT_TRANSLATE_NOOP("Form1", "Lumetra资源下载站");

QString shownResourcesCaption(const QString &caption)
{
    return caption == QString::fromUtf8(kResourcesCaption) ? Form1::tr(kResourcesCaption) : caption;
}
} // namespace

void Form1::Form_Load()
{
    kdlb();
    dq();
    applySkin();
    installColumnLock();
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);

    for (int hour = 0; hour <= 23; ++hour)
        Combo2->addItem(QString::number(hour));
    for (int minute = 0; minute <= 59; ++minute)
        Combo3->addItem(QString::number(minute));
    for (int interval = 1; interval <= 360; ++interval)
        Combo4->addItem(QString::number(interval));
    Combo2->setCurrentIndex(0);
    Combo3->setCurrentIndex(0);
    Combo4->setCurrentIndex(-1);

    Combo5->addItems({tr("网点信息查询"), tr("程序在线反馈"), tr("访问官方论坛"), tr("Lumetra官方网站"),
                      tr("访问软件工作室"), shownResourcesCaption(platform().endpoints().resourcesCaption)});
    Combo5->setCurrentIndex(-1);

    setCaption(Label11[3],
               QStringLiteral("%1.%2.%3")
                   .arg(PARCELVUE_VERSION_MAJOR)
                   .arg(PARCELVUE_VERSION_MINOR)
                   .arg(PARCELVUE_VERSION_REVISION));
    intSavedIndex = 0;
    readSettingsAtStartup();
}

void Form1::closeEvent(QCloseEvent *event)
{
    int cancel = 0;
    Form_QueryUnload(cancel);
    if (cancel) {
        event->ignore();
        // The question's box is gone: the window is painted again, its buttons in their normal look.
        update();
    } else
        event->accept();
}

void Form1::Form_QueryUnload(int &cancel)
{
    const QString text = tr("感谢您对Tavi、对Lumetra系列的软件的支持!") + QStringLiteral("\r \r")
        + tr("是否退出并到论坛可以下载更多Lumetra系列原创免费软件?");
    switch (message(text, MsgButtons::YesNoCancel)) {
    case MsgAnswer::Yes:
        platform().urls->open(platform().endpoints().forum);
        cancel = 0;
        break;
    case MsgAnswer::No:
        cancel = 0;
        break;
    default:
        cancel = 1;
        break;
    }
}
