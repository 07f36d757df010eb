#include "gui/desktop/desktop_options.h"

#include <QCheckBox>
#include <QHBoxLayout>

DesktopOptions::DesktopOptions(bool notificationsOn, bool minimiseToTrayOn, bool trayExists, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("desktopOptions"));
    notifications = new QCheckBox(QStringLiteral("桌面通知"), this);
    notifications->setObjectName(QStringLiteral("desktopNotifications"));
    notifications->setChecked(notificationsOn);
    minimiseToTray = new QCheckBox(QStringLiteral("最小化到托盘"), this);
    minimiseToTray->setObjectName(QStringLiteral("minimiseToTray"));
    minimiseToTray->setChecked(minimiseToTrayOn);
    minimiseToTray->setEnabled(trayExists);
    if (!trayExists)
        minimiseToTray->setToolTip(QStringLiteral("桌面没有托盘"));

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(notifications);
    layout->addWidget(minimiseToTray);
    layout->addStretch(1);
}
