#pragma once

#include <QWidget>

class QCheckBox;

// The desktop's two settings as check boxes, under the overview's own: "桌面通知" and
// "最小化到托盘" (which needs a tray).
class DesktopOptions : public QWidget
{
    Q_OBJECT

public:
    DesktopOptions(bool notifications, bool minimiseToTray, bool trayExists, QWidget *parent = nullptr);

    QCheckBox *notifications = nullptr;
    QCheckBox *minimiseToTray = nullptr;
};
