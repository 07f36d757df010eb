#pragma once

#include "core/endpoints.h"

#include <QString>
#include <functional>

class QObject;
struct Platform;

// The words a dialog speaks of its secret in: "密钥" of "查询服务", "密码" of "发件设置".
struct SecretWords
{
    QString secret;
    QString settings;
};

// Keeps the secret a settings dialog saves: in the desktop's secret store, else (no store, or it
// refused) in endpoints.ini when the user agrees. An empty secret is taken out of the store.
// `tell` shows progress in the dialog; `done` gets what becomes of the secret's line in the file,
// and a note for the user (empty: none). Answers of the store reach `context` only while it lives.
void keepSecret(Platform &platform, QObject *context, const QString &storeKey, const QString &secret,
                const SecretWords &words, const std::function<void(const QString &)> &tell,
                const std::function<void(SecretInFile, const QString &note)> &done);
