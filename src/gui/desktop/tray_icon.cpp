#include "gui/desktop/tray_icon.h"

#include "desktop/parcel_notice.h"

#include <QMenu>
#include <QSystemTrayIcon>

QIcon applicationIcon()
{
    QIcon own;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        own.addFile(QStringLiteral(":/parcelvue/icons/%1x%1/apps/%2.png").arg(size).arg(kApplicationId),
                    QSize(size, size));
    return QIcon::fromTheme(kApplicationId, own);
}

bool TrayIcon::available()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

TrayIcon::TrayIcon(QObject *parent)
    : QObject(parent)
    , m_menu(std::make_unique<QMenu>())
    , m_icon(std::make_unique<QSystemTrayIcon>())
{
    m_menu->setObjectName(QStringLiteral("trayMenu"));
    connect(m_menu->addAction(tr("显示主窗口")), &QAction::triggered, this, &TrayIcon::showRequested);
    connect(m_menu->addAction(tr("全部快递")), &QAction::triggered, this, &TrayIcon::overviewRequested);
    connect(m_menu->addAction(tr("全部刷新")), &QAction::triggered, this, &TrayIcon::refreshAllRequested);
    m_menu->addSeparator();
    connect(m_menu->addAction(tr("退出")), &QAction::triggered, this, &TrayIcon::quitRequested);

    m_icon->setIcon(applicationIcon());
    m_icon->setToolTip(QStringLiteral("Parcelvue"));
    m_icon->setContextMenu(m_menu.get());
    connect(m_icon.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
                    Q_EMIT showRequested();
            });
    m_icon->show();
}

TrayIcon::~TrayIcon() = default;

void TrayIcon::setToolTip(const QString &text)
{
    m_icon->setToolTip(text);
}

QString TrayIcon::toolTip() const
{
    return m_icon->toolTip();
}

void TrayIcon::showMessage(const QString &title, const QString &text)
{
    m_icon->showMessage(title, text, applicationIcon());
}
