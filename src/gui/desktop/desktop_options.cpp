#include "gui/desktop/desktop_options.h"

#include "desktop/desktop_settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

DesktopOptions::DesktopOptions(const DesktopSettings &settings, bool trayExists, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("desktopOptions"));
    notifications = new QCheckBox(tr("桌面通知"), this);
    notifications->setObjectName(QStringLiteral("desktopNotifications"));
    notifications->setChecked(settings.notifications);
    minimiseToTray = new QCheckBox(tr("最小化到托盘"), this);
    minimiseToTray->setObjectName(QStringLiteral("minimiseToTray"));
    minimiseToTray->setChecked(settings.minimiseToTray);
    minimiseToTray->setEnabled(trayExists);
    if (!trayExists)
        minimiseToTray->setToolTip(tr("桌面没有托盘"));
    clipboardNumbers = new QCheckBox(tr("识别剪贴板中的单号"), this);
    clipboardNumbers->setObjectName(QStringLiteral("clipboardNumbers"));
    clipboardNumbers->setChecked(settings.clipboardNumbers);
    clipboardNumbers->setToolTip(tr("复制的文字里有一个新单号时询问是否添加;剪贴板的内容不会保存"));

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(notifications);
    layout->addWidget(minimiseToTray);
    layout->addWidget(clipboardNumbers);
    mailImport = new QPushButton(tr("从邮件导入"), this);
    mailImport->setObjectName(QStringLiteral("mailImport"));
    layout->addWidget(mailImport);
    language = new QComboBox(this);
    language->setObjectName(QStringLiteral("language"));
    // The choices are the setting's values (their item data), each language named in its own;
    // "自动" in the interface's.
    language->addItem(tr("自动"), QStringLiteral("自动"));
    language->addItem(QStringLiteral("中文"), QStringLiteral("中文"));
    language->addItem(QStringLiteral("English"), QStringLiteral("English"));
    language->setCurrentIndex(std::max(0, language->findData(settings.language)));
    language->setToolTip(tr("重新启动 Parcelvue 后生效"));
    auto *languageLabel = new QLabel(tr("界面语言:"), this);
    languageLabel->setBuddy(language);
    language->setAccessibleName(tr("界面语言"));
    layout->addWidget(languageLabel);
    layout->addWidget(language);
    layout->addStretch(1);
}
