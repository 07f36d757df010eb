#include "gui/dialogs/secret_keeping.h"

#include "gui/platform/platform.h"
#include "platform/message_box.h"
#include "platform/secret_store.h"

#include <QCoreApplication>

namespace {
void askToKeepInFile(Platform &platform, const SecretWords &words, const QString &why,
                     const std::function<void(SecretInFile, const QString &)> &done)
{
    const MsgAnswer answer = platform.messages->show(
        why
            + QCoreApplication::translate(
                  "SecretKeeping", "是否把%1保存在endpoints.ini中？该文件仅您本人可读，但%1以明文存放。")
                  .arg(words.secret),
        MsgIcon::Exclamation, MsgButtons::YesNo);
    if (answer == MsgAnswer::Yes)
        done(SecretInFile::Write, {});
    else
        done(SecretInFile::Keep,
             QCoreApplication::translate("SecretKeeping", "%1已保存，%2没有保存。")
                 .arg(words.settings, words.secret));
}
} // namespace

void keepSecret(Platform &platform, QObject *context, const QString &storeKey, const QString &secret,
                const SecretWords &words, const std::function<void(const QString &)> &tell,
                const std::function<void(SecretInFile, const QString &)> &done)
{
    SecretStore *store = platform.secrets;
    const bool storeAvailable = store && store->available();
    if (secret.isEmpty()) {
        // No secret: none is kept anywhere.
        if (storeAvailable)
            store->remove(storeKey, context, [](const SecretStore::Result &) {});
        return done(SecretInFile::Remove, {});
    }
    if (!storeAvailable)
        return askToKeepInFile(platform, words,
                               QCoreApplication::translate(
                                   "SecretKeeping", "未找到系统密钥环（Secret Service），%1无法安全保存。")
                                   .arg(words.secret),
                               done);
    tell(QCoreApplication::translate("SecretKeeping", "正在把%1存入系统密钥环..").arg(words.secret));
    store->write(storeKey, secret, context, [&platform, words, done](const SecretStore::Result &written) {
        if (written.status == SecretStore::Status::Ok)
            done(SecretInFile::Remove, {});
        else
            askToKeepInFile(platform, words,
                            QCoreApplication::translate("SecretKeeping", "%1无法存入系统密钥环（%2）。")
                                .arg(words.secret, written.error),
                            done);
    });
}
