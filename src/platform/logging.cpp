#include "platform/logging.h"

Q_LOGGING_CATEGORY(lcWatch, "parcelvue.watch", QtInfoMsg)
Q_LOGGING_CATEGORY(lcDesktop, "parcelvue.desktop", QtInfoMsg)
Q_LOGGING_CATEGORY(lcServices, "parcelvue.services", QtInfoMsg)
Q_LOGGING_CATEGORY(lcHttp, "parcelvue.http", QtInfoMsg)
Q_LOGGING_CATEGORY(lcMail, "parcelvue.mail", QtInfoMsg)
Q_LOGGING_CATEGORY(lcSecrets, "parcelvue.secrets", QtInfoMsg)
Q_LOGGING_CATEGORY(lcAssets, "parcelvue.assets", QtInfoMsg)
Q_LOGGING_CATEGORY(lcInstance, "parcelvue.instance", QtInfoMsg)
