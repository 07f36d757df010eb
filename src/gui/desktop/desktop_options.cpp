#include "gui/desktop/desktop_options.h"

#include "desktop/desktop_settings.h"

#include <QCheckBox>
#include <QHBoxLayout>

DesktopOptions::DesktopOptions(const DesktopSettings &settings, bool trayExists, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("desktopOptions"));
    notifications = new QCheckBox(QStringLiteral("桌面通知"), this);
    notifications->setObjectName(QStringLiteral("desktopNotifications"));
    notifications->setChecked(settings.notifications);
    minimiseToTray = new QCheckBox(QStringLiteral("最小化到托盘"), this);
    minimiseToTray->setObjectName(QStringLiteral("minimiseToTray"));
    minimiseToTray->setChecked(settings.minimiseToTray);
    minimiseToTray->setEnabled(trayExists);
    if (!trayExists)
        minimiseToTray->setToolTip(QStringLiteral("桌面没有托盘"));
    clipboardNumbers = new QCheckBox(QStringLiteral("识别剪贴板中的单号"), this);
    clipboardNumbers->setObjectName(QStringLiteral("clipboardNumbers"));
    clipboardNumbers->setChecked(settings.clipboardNumbers);
    clipboardNumbers->setToolTip(
        QStringLiteral("复制的文字里有一个新单号时询问是否添加;剪贴板的内容不会保存"));

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(notifications);
    layout->addWidget(minimiseToTray);
    layout->addWidget(clipboardNumbers);
    layout->addStretch(1);
}
