#include "core/delivery_status.h"
#include "gui/dialogs/sender_settings_dialog.h"
#include "gui/window/form1.h"
#include "monitor/clock_text.h"
#include "monitor/mail_body.h"
#include "monitor/mail_message.h"
#include "monitor/sender_settings.h"
#include "platform/clock.h"
#include "platform/paths.h"
#include "platform/secret_store.h"
#include "platform/sound_player.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

void Form1::gxtj()
{
    // Each parcel is compared with its own previous answer, so that a look at another parcel in
    // between brings no false alert; a parcel not seen yet in this run is compared against 0.
    int &seen = rowsByParcel[{queriedNumber, queriedCom}];
    const int previous = seen;
    seen = intLastRows;

    if (previous < intLastRows && queriedStatus != kSignedFor) {
        setCaption(Label12[3], tr("有更新"));
        setLabelColor(Label12[3], QColor(255, 0, 0));
        tellUpdateFound();
        if (Check3->isChecked() && platform().sound)
            platform().sound->play(assetPath(platform().dataDir, QStringLiteral("ts.mp3")), 50);
        if (Check2->isChecked() && !Sendmail->text().isEmpty())
            emailgx();
    } else {
        setCaption(Label12[3], tr("无更新"));
        setLabelColor(Label12[3], QColor(255, 255, 255));
    }
}

void Form1::emailgx()
{
    QString time, progress;
    if (const QTreeWidgetItem *newest = ListView1->topLevelItem(0)) {
        time = newest->text(columnByKey(QStringLiteral("sj")));
        progress = newest->text(columnByKey(QStringLiteral("wl")));
    }
    sendNotice(queriedRemark, queriedNumber, queriedCarrierName, time, progress, queriedTransit);
}

void Form1::sendNotice(const QString &remark, const QString &number, const QString &carrier,
                       const QString &time, const QString &progress, const QString &transit)
{
    setStatus(tr(" 正发送最新动态邮件,请稍等.."));
    const Endpoints &endpoints = platform().endpoints();

    MailBodyValues values;
    values.remark = remark;
    values.number = number;
    values.carrier = carrier;
    values.time = time;
    values.progress = progress;
    values.transit = transit;
    values.promoUrl = strPromoUrl;
    values.promoText = strPromoText;
    const QDateTime now = platform().clock->now();
    values.sendTime = clockText(now);

    MailMessage mail;
    mail.from = endpoints.smtpSender;
    mail.to = Sendmail->text();
    mail.subject = mailSubject(remark);
    mail.htmlBody = mailBody(endpoints, values);
    mail.textBody = mailText(endpoints, values);
    mail.date = now;

    MailResult result;
    if (!platform().mail) {
        result.error = tr("没有邮件组件");
    } else {
        beginWait();
        const NoticePassword password
            = noticePassword(endpoints, platform().secrets, SecretStore::kReadWaitMs);
        if (password.ok)
            result = platform().mail->send(smtpAccount(endpoints, password.password), outgoingMail(mail));
        else
            result.error = password.error;
        endWait();
    }
    if (result.ok)
        setStatus(tr("快递有最新进展，已发送至邮箱!"));
    else
        setStatus(tr("最新信息发送失败!错误原因%1").arg(result.error));
}

void Form1::addSenderSettingsButton()
{
    auto *button = new QPushButton(tr("发件设置..."), Frame1);
    button->setObjectName(QStringLiteral("senderSettingsButton"));
    // The caption ends well before the frame's right edge; nothing else sits on that line.
    button->setGeometry(Frame1->width() - 92, 0, 86, 22);
    QWidget::setTabOrder(Sendmail, button);
    connect(button, &QPushButton::clicked, this, [this] {
        auto *dialog = new SenderSettingsDialog(platform(), Sendmail->text(), this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->open();
    });
}
