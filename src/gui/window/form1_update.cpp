#include "gui/outlets/form5.h"
#include "gui/window/form1.h"
#include "monitor/update_check.h"
#include "platform/url_opener.h"

#include <QComboBox>
#include <QPushButton>
#include <QTimer>

void Form1::Timer3_Timer()
{
    // One check per start: the timer is stopped first, so a tick held back during the fetch
    // cannot start a second one.
    Timer3->stop();
    if (updateChecked)
        return;
    updateChecked = true;

    const Endpoints &endpoints = platform().endpoints();
    const HttpResult answer = fetch(endpoints.siteUrl + QStringLiteral("/version/gx.txt"));
    const QString version = answer.ok() ? versionFileText(answer.text) : QString();

    if (!isVersionText(version)) {
        message(tr("检测更新失败!请您稍后再试,暂时使用原版"), MsgButtons::Ok, MsgIcon::Exclamation);
        setStatus(tr("程序已加载完毕..."));
        Command1->setEnabled(true);
        Text1->setEnabled(true);
        return;
    }
    if (version == programVersionText()) {
        setStatus(tr("程序已加载完毕..."));
        Command1->setEnabled(true);
        Text1->setEnabled(true);
        const HttpResult promo = fetch(endpoints.siteUrl + QStringLiteral("/data/tg.txt"));
        strPromo = promo.ok() ? promo.text : QString();
        if (!strPromo.isEmpty()) {
            const Announcement announcement = splitAnnouncement(strPromo, strPromoUrl);
            strPromoText = announcement.text;
            strPromoUrl = announcement.url;
        }
        return;
    }
    setStatus(tr("程序已加载完毕..."));
    message(tr("发现最新版本![%1]\r\n \r\n确定后自动打开官方网站!").arg(version));
    platform().urls->open(endpoints.home);
    platform().endProgram();
}

void Form1::Combo5_Click()
{
    const Endpoints &endpoints = platform().endpoints();
    switch (Combo5->currentIndex()) {
    case 0: {
        Form5 dialog(platform(), this);
        dialog.exec();
        break;
    }
    case 1:
        platform().urls->open(endpoints.feedback);
        break;
    case 2:
        platform().urls->open(endpoints.forum);
        break;
    case 3:
        platform().urls->open(endpoints.home);
        break;
    case 4:
        platform().urls->open(endpoints.studio);
        break;
    case 5:
        platform().urls->open(endpoints.resources);
        break;
    default:
        if (const int extra = Combo5->currentIndex() - 6; extra >= 0 && extra < int(m_menuEntries.size()))
            m_menuEntries[extra]();
        break;
    }
}
