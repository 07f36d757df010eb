#pragma once

#include <QWidget>

class QCheckBox;
struct DesktopSettings;

// The desktop's settings as check boxes, under the overview's own: "桌面通知", "最小化到托盘" (which
// needs a tray) and "识别剪贴板中的单号".
class DesktopOptions : public QWidget
{
    Q_OBJECT

public:
    DesktopOptions(const DesktopSettings &settings, bool trayExists, QWidget *parent = nullptr);

    QCheckBox *notifications = nullptr;
    QCheckBox *minimiseToTray = nullptr;
    QCheckBox *clipboardNumbers = nullptr;
};
