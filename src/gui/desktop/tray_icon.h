#pragma once

#include <QIcon>
#include <QObject>
#include <memory>

class QAction;
class QMenu;
class QSystemTrayIcon;

// The program's icon in the desktop's tray (StatusNotifierItem or the X11 tray, as Qt finds
// them): the application icon, a tool tip and the menu "显示主窗口", "全部快递", "全部刷新", "退出".
// It only tells what the user chose; the session does it.
class TrayIcon : public QObject
{
    Q_OBJECT

public:
    // Whether the desktop shows a tray now.
    static bool available();

    explicit TrayIcon(QObject *parent = nullptr);
    ~TrayIcon() override;

    void setToolTip(const QString &text);
    QString toolTip() const;
    // A message from the tray itself, for a desktop without a notification server.
    void showMessage(const QString &title, const QString &text);
    QMenu *menu() const { return m_menu.get(); }

Q_SIGNALS:
    void showRequested(); // "显示主窗口", or a click on the icon
    void overviewRequested(); // "全部快递"
    void refreshAllRequested(); // "全部刷新"
    void quitRequested(); // "退出"

private:
    std::unique_ptr<QMenu> m_menu; // outlives the icon that shows it
    std::unique_ptr<QSystemTrayIcon> m_icon;
};

// The application icon: the desktop theme's when it has one, else the program's own pictures.
QIcon applicationIcon();
