#pragma once

#include "services/service_answer.h"

#include <QByteArray>
#include <QString>

// 快递鸟's instant query (RequestType 1002): a form POST of the request data (JSON), the user ID,
// the request type, the data type (2: JSON) and the data's signature; a JSON answer with
// `Success`, `Reason`, `State` and `Traces` (`AcceptTime`, `AcceptStation`).

// The path of the instant query below the service's base address.
inline const QString kKdniaoQueryPath = QStringLiteral("Ebusiness/EbusinessOrderHandle.aspx");

// Whether the carrier wants the receiver's or sender's phone digits as CustomerName: 顺丰 (SF)
// always; 跨越 (KYSY) and 中通 (ZTO), which the later edition of the instant query requires them
// for. To any other carrier the documents say the field takes no value ("不可传值").
bool kdniaoWantsCustomerName(const QString &shipperCode);

// The request data: {"CustomerName":..,"LogisticCode":..,"OrderCode":"","ShipperCode":..}, the
// customer name (the receiver's or sender's phone digits) only when there is one.
QByteArray kdniaoRequestData(const QString &shipperCode, const QString &number, const QString &customerName);
// DataSign as the service computes it: Base64 of the lower-case hex MD5 of the request data
// followed by the app key (UTF-8). The form's URL encoding is the last step of the service's recipe.
QByteArray kdniaoDataSign(const QByteArray &requestData, const QString &appKey);
// The form body, every value URL-encoded (UTF-8).
QByteArray kdniaoRequestBody(const QString &businessId, const QByteArray &requestData,
                             const QByteArray &dataSign);

// The answer in the program's terms. `Reason` is mapped by what it says (the service documents
// no codes for this request): a refused signature or account, a quota used up, queries too
// frequent, a phone number asked for, an unsupported carrier, a wrong number, no number, a number
// that does not exist, no information yet; anything else is the service's failure, in its words.
// `Success` false without a reason and with no traces is the older documents' "no information
// yet". The rows carry the status: State 4 (and StateEx 4xx, 604) is a problem parcel with the
// StateEx meaning, never signed for; State 3 or StateEx 3xx signed for; StateEx 202 out for
// delivery, 211 at a locker or station. State comes as text or as a number.
ServiceAnswer readKdniaoAnswer(const QByteArray &body);
