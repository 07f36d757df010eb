#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QPushButton;
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
    QPushButton *mailImport = nullptr; // "从邮件导入"
    QComboBox *language = nullptr; // "界面语言": 自动, 中文, English (from the next start)
};
