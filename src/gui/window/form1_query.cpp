#include "services/tracking_client.h"
#include "gui/window/form1.h"

#include <QComboBox>
#include <memory>

void Form1::kdgs(const QString &number)
{
    setStatus(strSavedCom + QStringLiteral("快递查询中..."));
    queriedNumber = number;
    queriedCom = strComCode;
    queriedCarrierName = Combo1->currentText();
    // The configured service answers in the designed form; without a session's client, the
    // endpoints of the moment choose it.
    std::unique_ptr<TrackingClient> own;
    TrackingClient *client = platform().tracking;
    if (!client) {
        own = std::make_unique<TrackingClient>(*platform().http, platform().endpoints, platform().secrets);
        client = own.get();
    }
    beginWait();
    lastTracking = client->query(strComCode, number);
    endWait();
    strAnswer = lastTracking.ok() ? lastTracking.text : QString();
}
