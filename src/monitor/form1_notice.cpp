#include "core/delivery_status.h"
#include "monitor/clock_text.h"
#include "monitor/mail_body.h"
#include "platform/clock.h"
#include "platform/mail_sender.h"
#include "platform/paths.h"
#include "platform/sound_player.h"
#include "window/form1.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>

void Form1::gxtj()
{
    // Each parcel is compared with its own previous answer, so that a look at another parcel in
    // between brings no false alert; a parcel not seen yet in this run is compared against 0.
    int &seen = rowsByParcel[{queriedNumber, queriedCom}];
    const int previous = seen;
    seen = intLastRows;

    if (previous < intLastRows && Label12[2]->text() != kSignedFor) {
        setCaption(Label12[3], QStringLiteral("有更新"));
        setLabelColor(Label12[3], QColor(255, 0, 0));
        if (Check3->isChecked() && platform().sound)
            platform().sound->play(assetPath(platform().dataDir, QStringLiteral("ts.mp3")), 50);
        if (Check2->isChecked() && !Sendmail->text().isEmpty())
            emailgx();
    } else {
        setCaption(Label12[3], QStringLiteral("无更新"));
        setLabelColor(Label12[3], QColor(255, 255, 255));
    }
}

void Form1::emailgx()
{
    setStatus(QStringLiteral(" 正发送最新动态邮件,请稍等.."));
    const Endpoints &endpoints = platform().endpoints;

    MailBodyValues values;
    values.remark = queriedRemark;
    values.number = queriedNumber;
    values.carrier = queriedCarrierName;
    if (const QTreeWidgetItem *newest = ListView1->topLevelItem(0)) {
        values.time = newest->text(columnByKey(QStringLiteral("sj")));
        values.progress = newest->text(columnByKey(QStringLiteral("wl")));
    }
    values.transit = Label12[5]->text();
    values.promoUrl = strPromoUrl;
    values.promoText = strPromoText;
    const QDateTime now = platform().clock->now();
    values.sendTime = clockText(now);

    MailMessage mail;
    mail.from = endpoints.smtpSender;
    mail.to = Sendmail->text();
    mail.subject = mailSubject(queriedRemark);
    mail.htmlBody = mailBody(endpoints, values);
    mail.date = now;

    MailResult result;
    if (!platform().mail) {
        result.error = QStringLiteral("no mail component");
    } else {
        const SmtpAccount account {endpoints.smtpHost, endpoints.smtpPort, endpoints.smtpSender,
                                   endpoints.smtpPassword};
        beginWait();
        result = platform().mail->send(account, mail);
        endWait();
    }
    if (result.ok)
        setStatus(QStringLiteral("快递有最新进展，已发送至邮箱!"));
    else
        setStatus(QStringLiteral("最新信息发送失败!错误原因") + result.error);
}
