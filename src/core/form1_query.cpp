#include "core/tracking_request.h"
#include "window/form1.h"

#include <QComboBox>

void Form1::kdgs(const QString &number)
{
    setStatus(strSavedCom + QStringLiteral("快递查询中..."));
    const Endpoints &endpoints = platform().endpoints;
    const QString url = trackingRequestUrl(endpoints.trackingUrl, strComCode, number, endpoints.trackingKey);
    queriedNumber = number;
    queriedCom = strComCode;
    queriedCarrierName = Combo1->currentText();
    lastTracking = fetch(url);
    strAnswer = lastTracking.ok() ? lastTracking.text : QString();
}
