#include "platform/secret_store.h"
#include "private_session_bus.h"
#include "qt_wait.h"

#include <QObject>
#include <gtest/gtest.h>
#include <optional>

namespace {
using Status = SecretStore::Status;

class SecretStoreOnAPrivateBus : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QString error;
        ASSERT_TRUE(PrivateSessionBus::ensure(PrivateSessionBus::Kind::WithSecretService, &error))
            << error.toStdString();
    }

    // Runs one asynchronous call of the store and waits for its answer.
    template<typename Call> SecretStore::Result answer(Call call)
    {
        QObject context;
        std::optional<SecretStore::Result> result;
        call(&context, [&](const SecretStore::Result &r) { result = r; });
        EXPECT_TRUE(waitUntil([&] { return result.has_value(); }, 20000)) << "the store never answered";
        return result.value_or(SecretStore::Result {});
    }
    SecretStore::Result read(const SecretStore &store, const QString &key)
    {
        return answer([&](QObject *c, SecretStore::Done done) { store.read(key, c, done); });
    }
    SecretStore::Result write(const SecretStore &store, const QString &key, const QString &secret)
    {
        return answer([&](QObject *c, SecretStore::Done done) { store.write(key, secret, c, done); });
    }
};
} // namespace

TEST_F(SecretStoreOnAPrivateBus, KeepsEachSecretUnderItsServiceAndKey)
{
    const SecretStore store;
    ASSERT_TRUE(store.available());
    EXPECT_EQ(store.service(), QStringLiteral("Parcelvue"));
    const QString mailKey = smtpSecretKey(QStringLiteral("a@b.localhost"), QStringLiteral("smtp.localhost"));
    EXPECT_EQ(mailKey, QStringLiteral("smtp:a@b.localhost@smtp.localhost"));
    const QString otherKey = QStringLiteral("tracking:key");
    const QString secret = QStringLiteral("p;w \"中文\" \\ =,#");

    EXPECT_EQ(read(store, mailKey).status, Status::NotFound);
    EXPECT_EQ(write(store, mailKey, secret).status, Status::Ok);
    EXPECT_EQ(write(store, otherKey, QStringLiteral("other")).status, Status::Ok);

    const SecretStore::Result back = read(store, mailKey);
    EXPECT_EQ(back.status, Status::Ok) << back.error.toStdString();
    EXPECT_EQ(back.secret, secret);
    EXPECT_EQ(read(SecretStore(QStringLiteral("AnotherProgram")), mailKey).status, Status::NotFound)
        << "another service's key of the same name";

    EXPECT_EQ(write(store, mailKey, QStringLiteral("replaced")).status, Status::Ok);
    EXPECT_EQ(store.readWaiting(mailKey, 20000).secret, QStringLiteral("replaced"));

    EXPECT_EQ(answer([&](QObject *c, SecretStore::Done done) { store.remove(mailKey, c, done); }).status,
              Status::Ok);
    EXPECT_EQ(store.readWaiting(mailKey, 20000).status, Status::NotFound);
    EXPECT_EQ(read(store, otherKey).secret, QStringLiteral("other")) << "the other key stays";
}
