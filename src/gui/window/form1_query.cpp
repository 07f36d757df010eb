#include "core/carrier_catalogue.h"
#include "gui/window/form1.h"
#include "services/tracking_client.h"

#include <QComboBox>

void Form1::kdgs(const QString &number)
{
    setStatus(tr("%1快递查询中...").arg(carrierShownName(strSavedCom)));
    queriedNumber = number;
    queriedCom = strComCode;
    queriedCarrierName = chosenCarrier(Combo1);
    // The configured service answers in the designed form.
    beginWait();
    lastTracking = m_tracking.query(strComCode, number);
    endWait();
    strAnswer = lastTracking.ok() ? lastTracking.text : QString();
}
