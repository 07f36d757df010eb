#include "core/tracking_request.h"

#include <gtest/gtest.h>

TEST(TrackingRequest, ComposesKeysInOrder)
{
    EXPECT_EQ(trackingRequestUrl(QStringLiteral("http://127.0.0.1:1/"), QStringLiteral("shunfeng"),
                                 QStringLiteral("123456"),
                                 QStringLiteral("0123456789ABCDEF0123456789ABCDEF")),
              QStringLiteral("http://127.0.0.1:1/?com=shunfeng&nu=123456&id=0123456789ABCDEF0123456789ABCDEF"
                             "&type=html"));
    EXPECT_EQ(trackingRequestUrl(QStringLiteral("http://h/"), QString(), QString(), QStringLiteral("K")),
              QStringLiteral("http://h/?com=&nu=&id=K&type=html"));
}

TEST(TrackingRequest, NumberCannotAddOrCutKeys)
{
    struct Case
    {
        const char *number;
        const char *encoded;
    } cases[] = {
        {"SF123", "SF123"},
        {"a b", "a%20b"},
        {"1&id=X", "1%26id%3DX"},
        {"12#34", "12%2334"},
        {"1+2", "1%2B2"},
        {"100%", "100%25"},
        {"单号", "%E5%8D%95%E5%8F%B7"},
        {"a-b_c.d~e/f", "a-b_c.d~e/f"},
        {"\t", "%09"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(encodeQueryValue(QString::fromUtf8(c.number)), QLatin1String(c.encoded)) << c.number;
}
