#include "gui/dialogs/tracking_service_dialog.h"

#include "gui/dialogs/secret_keeping.h"

#include "core/carrier_catalogue.h"
#include "core/shown_text.h"
#include "core/tracking_check.h"
#include "gui/platform/platform.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/secret_store.h"
#include "services/service_queries.h"
#include "services/track17_answer.h"
#include "services/tracking_client.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QLabel *noteLabel(QWidget *parent, const char *name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

// The services' names as the interface shows them; the settings keep their keys.
QString shownServiceName(TrackingService service)
{
    switch (service) {
    case TrackingService::Designed:
        return QCoreApplication::translate("TrackingServiceDialog", "原有接口");
    case TrackingService::Kdniao:
        return QCoreApplication::translate("TrackingServiceDialog", "快递鸟");
    case TrackingService::Track17:
        break;
    }
    return trackingServiceName(service);
}

QString secretCaption(TrackingService service)
{
    return service == TrackingService::Kdniao
        ? QStringLiteral("API Key")
        : QCoreApplication::translate("TrackingServiceDialog", "API密钥");
}
} // namespace

TrackingServiceDialog::TrackingServiceDialog(Platform &platform, QWidget *parent)
    : QDialog(parent)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("TrackingServiceDialog"));
    setWindowTitle(tr("查询服务"));
    buildControls();
    fill(trackingServiceSettings(platform.endpoints()));
    if (secret->text().isEmpty())
        fillStoredSecret();
}

TrackingServiceDialog::~TrackingServiceDialog() = default;

void TrackingServiceDialog::buildControls()
{
    auto *form = new QFormLayout;
    service = new QComboBox(this);
    service->setObjectName(QStringLiteral("service"));
    for (TrackingService s : {TrackingService::Designed, TrackingService::Kdniao, TrackingService::Track17})
        service->addItem(shownServiceName(s), static_cast<int>(s));
    form->addRow(tr("查询服务"), service);
    url = new QLineEdit(this);
    url->setObjectName(QStringLiteral("url"));
    form->addRow(tr("服务地址"), url);
    businessId = new QLineEdit(this);
    businessId->setObjectName(QStringLiteral("businessId"));
    m_businessIdLabel = new QLabel(tr("用户ID"), this);
    form->addRow(m_businessIdLabel, businessId);
    secret = new QLineEdit(this);
    secret->setObjectName(QStringLiteral("secret"));
    secret->setEchoMode(QLineEdit::Password);
    m_secretLabel = new QLabel(QStringLiteral("API Key"), this);
    form->addRow(m_secretLabel, secret);
    m_note = noteLabel(this, "note");
    form->addRow(m_note);

    testNumber = new QLineEdit(this);
    testNumber->setObjectName(QStringLiteral("testNumber"));
    form->addRow(tr("测试单号"), testNumber);
    testCarrier = new QComboBox(this);
    testCarrier->setObjectName(QStringLiteral("testCarrier"));
    for (int i = 0; i < kCarrierCount; ++i)
        testCarrier->addItem(carrierShownName(i));
    form->addRow(tr("快递公司"), testCarrier);

    result = noteLabel(this, "result");
    result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    serviceUse = noteLabel(this, "serviceUse");
    serviceUse->setTextInteractionFlags(Qt::TextSelectableByMouse);
    test = new QPushButton(tr("测试"), this);
    test->setObjectName(QStringLiteral("test"));
    save = new QPushButton(tr("保存"), this);
    save->setObjectName(QStringLiteral("save"));
    save->setDefault(true);
    cancel = new QPushButton(tr("取消"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(test);
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(result);
    layout->addWidget(serviceUse);
    layout->addLayout(buttons);
    setMinimumWidth(460);

    connect(service, &QComboBox::activated, this, &TrackingServiceDialog::chooseService);
    connect(secret, &QLineEdit::textEdited, this, [this] { m_secretEdited = true; });
    connect(test, &QPushButton::clicked, this, &TrackingServiceDialog::runTest);
    connect(save, &QPushButton::clicked, this, &TrackingServiceDialog::onSave);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TrackingServiceDialog::fill(const TrackingServiceSettings &s)
{
    service->setCurrentIndex(service->findData(static_cast<int>(s.service)));
    url->setText(s.url);
    businessId->setText(s.businessId);
    secret->setText(s.secret);
    m_shown = s.service;
    chooseService(service->currentIndex());
}

TrackingServiceSettings TrackingServiceDialog::settings() const
{
    TrackingServiceSettings s;
    s.service = static_cast<TrackingService>(service->currentData().toInt());
    s.url = url->text().trimmed();
    s.businessId = businessId->text().trimmed();
    s.secret = secret->text().trimmed();
    return s;
}

void TrackingServiceDialog::chooseService(int index)
{
    const auto chosen = static_cast<TrackingService>(service->itemData(index).toInt());
    if (chosen != m_shown) {
        // A built-in address (any service's own, or the installed one of the designed service)
        // gives way to the next service's; an address of the user's (a local test server) stays.
        const QString address = url->text().trimmed();
        bool builtIn = address.isEmpty() || address == Endpoints::defaults().trackingUrl;
        for (TrackingService s : {TrackingService::Kdniao, TrackingService::Track17})
            builtIn = builtIn || address == trackingServiceDefaultUrl(s);
        if (builtIn)
            url->setText(chosen == TrackingService::Designed ? Endpoints::defaults().trackingUrl
                                                             : trackingServiceDefaultUrl(chosen));
        // Each service has its own key.
        secret->clear();
        m_secretEdited = false;
        if (chosen == TrackingService::Kdniao)
            secret->setText(m_platform.endpoints().kdniaoAppKey);
        else if (chosen == TrackingService::Track17)
            secret->setText(m_platform.endpoints().track17Token);
        m_shown = chosen;
        if (secret->text().isEmpty())
            fillStoredSecret();
    }
    const bool kdniao = chosen == TrackingService::Kdniao;
    m_businessIdLabel->setVisible(kdniao);
    businessId->setVisible(kdniao);
    m_secretLabel->setVisible(chosen != TrackingService::Designed);
    secret->setVisible(chosen != TrackingService::Designed);
    m_secretLabel->setText(secretCaption(chosen));
    // Assistive technology names an input by its label.
    m_businessIdLabel->setBuddy(businessId);
    m_secretLabel->setBuddy(secret);
    m_note->setText(trackingServiceNote(chosen));
}

void TrackingServiceDialog::fillStoredSecret()
{
    const TrackingServiceSettings s = settings();
    if (s.service == TrackingService::Designed || !m_platform.secrets || !m_platform.secrets->available())
        return;
    const TrackingService asked = s.service;
    m_platform.secrets->read(s.secretKey(), this, [this, asked](const SecretStore::Result &read) {
        // What the user typed meanwhile, or another service chosen, stays.
        if (read.status == SecretStore::Status::Ok && !m_secretEdited && m_shown == asked)
            secret->setText(read.secret);
        else if (read.status == SecretStore::Status::Failed || read.status == SecretStore::Status::TimedOut
                 || read.status == SecretStore::Status::Locked)
            tell(tr("无法从系统密钥环读取密钥：") + read.error);
    });
}

void TrackingServiceDialog::runTest()
{
    const TrackingServiceSettings s = settings();
    const QString problem = trackingServiceSettingsProblem(s);
    if (!problem.isEmpty())
        return tell(problem);
    const QString number = testNumber->text().trimmed();
    if (number.isEmpty()) {
        testNumber->setFocus();
        return tell(tr("请输入测试单号!"));
    }
    // The settings as typed, the key with them: nothing is saved by a test.
    Endpoints typed = m_platform.endpoints();
    applyTrackingServiceSettings(typed, s, true);
    delete m_testQuery;
    m_testConfiguration.set(typed);
    m_testClient = std::make_unique<TrackingClient>(*m_platform.http, m_testConfiguration, nullptr);
    m_testQuery = m_testClient->start(carrierCode(testCarrier->currentIndex()), number, this);
    setBusy(true);
    tell(tr("正在查询%1,请稍等..").arg(number));
    connect(m_testQuery, &TrackingQuery::finished, this, [this](const HttpResult &answer) {
        m_testQuery->deleteLater();
        m_testQuery = nullptr;
        setBusy(false);
        const CheckOutcome outcome = readCheckAnswer(answer);
        if (outcome.kind == CheckOutcome::Kind::Answered)
            tell(tr("查询成功:共%1条物流信息,最新:%2 %3")
                     .arg(outcome.rows.size())
                     .arg(outcome.rows.last().time, outcome.rows.last().text));
        else
            tell(tr("查询没有结果:") + shownVerdict(outcome.error) + QLatin1Char('\n')
                 + tr("服务地址:%1").arg(m_testConfiguration.endpoints().trackingUrl));
        if (!answer.detectedCarrier.isEmpty())
            result->setText(result->text() + tr("\n17TRACK识别的快递公司:")
                            + carrierShownName(answer.detectedCarrier));
        if (trackingServiceFromKey(m_testConfiguration.endpoints().trackingService)
            == TrackingService::Track17)
            showQuota();
    });
}

void TrackingServiceDialog::showQuota()
{
    // What the test left of the quota: each number registered anew uses one.
    const QString tested = result->text();
    queryTrack17Quota(
        *m_platform.http, m_testConfiguration.endpoints(), this, [this, tested](const Track17Quota &quota) {
            if (result->text() != tested)
                return; // another test or a save said something since
            const QString line = quota.ok ? tr("17TRACK剩余额度:%1(共%2)").arg(quota.remain).arg(quota.total)
                                          : tr("17TRACK剩余额度查询失败:") + quota.userText;
            tell(tested + QLatin1Char('\n') + line);
        });
}

void TrackingServiceDialog::onSave()
{
    const TrackingServiceSettings s = settings();
    const QString problem = trackingServiceSettingsProblem(s);
    if (!problem.isEmpty())
        return tell(problem);
    if (s.service == TrackingService::Designed)
        return finishSave(s, SecretInFile::Keep, {});
    setBusy(true);
    keepSecret(
        m_platform, this, s.secretKey(), s.secret, {tr("密钥"), tr("查询服务")},
        [this](const QString &text) { tell(text); },
        [this, s](SecretInFile key, const QString &note) { finishSave(s, key, note); });
}

void TrackingServiceDialog::finishSave(const TrackingServiceSettings &s, SecretInFile key,
                                       const QString &note)
{
    QString error;
    if (!saveTrackingServiceSettings(joinPath(m_platform.dataDir, QStringLiteral("endpoints.ini")), s, key,
                                     &error)) {
        setBusy(false);
        return tell(tr("查询服务保存失败!错误原因") + error);
    }
    // A key kept as it was stays where it was: in the file (if it was there) or nowhere.
    // The tracking client follows the change: keys it read before are read again.
    m_platform.configuration->edit([&](Endpoints &endpoints) {
        const QString keptKdniao = endpoints.kdniaoAppKey;
        const QString keptToken = endpoints.track17Token;
        applyTrackingServiceSettings(endpoints, s, key == SecretInFile::Write);
        if (key == SecretInFile::Keep) {
            endpoints.kdniaoAppKey = keptKdniao;
            endpoints.track17Token = keptToken;
        }
    });
    if (!note.isEmpty())
        m_platform.messages->show(note, MsgIcon::Information, MsgButtons::Ok);
    Q_EMIT saved();
    accept();
}

void TrackingServiceDialog::setBusy(bool busy)
{
    test->setEnabled(!busy);
    save->setEnabled(!busy);
}

void TrackingServiceDialog::setServiceUse(const QString &text)
{
    serviceUse->setText(text);
}

void TrackingServiceDialog::tell(const QString &text)
{
    result->setText(text);
}
