#pragma once

#include <QLoggingCategory>

// Every logging category of the program, each named for what it logs. All log failures at info
// level (QT_LOGGING_RULES="parcelvue.*.info=true" shows them), so that nothing the program
// handles prints a warning.
Q_DECLARE_LOGGING_CATEGORY(lcWatch) // parcelvue.watch: the history and the watcher
Q_DECLARE_LOGGING_CATEGORY(lcDesktop) // parcelvue.desktop: notifications, tray, the session
Q_DECLARE_LOGGING_CATEGORY(lcServices) // parcelvue.services: what a tracking service answered
Q_DECLARE_LOGGING_CATEGORY(lcHttp) // parcelvue.http: failed exchanges
Q_DECLARE_LOGGING_CATEGORY(lcMail) // parcelvue.mail: failed sends
Q_DECLARE_LOGGING_CATEGORY(lcSecrets) // parcelvue.secrets: the secret store's refusals
Q_DECLARE_LOGGING_CATEGORY(lcAssets) // parcelvue.assets: program files that are missing
Q_DECLARE_LOGGING_CATEGORY(lcInstance) // parcelvue.instance: one program per data directory
