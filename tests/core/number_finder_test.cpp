#include "core/carrier_catalogue.h"
#include "core/number_finder.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {
// The candidates as "NUMBER carrier-code", in the order found.
std::string found(const QString &text)
{
    QStringList words;
    for (const NumberCandidate &candidate : findTrackingNumbers(text)) {
        words.append(candidate.number + QLatin1Char(' ')
                     + (candidate.carriers.empty() ? QStringLiteral("?")
                                                   : carrierCode(candidate.carriers.front().position)));
    }
    return words.join(QStringLiteral(", ")).toStdString();
}

struct FinderCase
{
    const char *what;
    const char *text;
    const char *expected;
};

// Mails and pages as shops and carriers write them; those without a tracking number give none.
const FinderCase kCases[] = {
    {"淘宝 shipping notice", "亲，您的订单已发货。快递公司：顺丰速运，运单号：SF1234567890123，请注意查收。",
     "SF1234567890123 shunfeng"},
    {"full-width colon and digits", "您购买的商品已由中通快递发出，快递单号：７３１２３４５６７８９０",
     "731234567890 zhongtong"},
    {"order number beside the waybill", "订单号：202412081234567890\n物流单号 462598779470531（韵达快递）",
     "462598779470531 yunda"},
    {"English shop, UPS",
     "Your order #113-4567890-1234567 has shipped! Tracking number: 1Z999AA10123456784 (UPS).",
     "1Z999AA10123456784 ups"},
    {"AWB of DHL", "DHL Express shipment AWB 1234567891 is on its way.", "1234567891 dhl"},
    {"Sendungsnummer", "Ihre Sendungsnummer (DHL) lautet 00340434161234567890.", "00340434161234567890 dhl"},
    {"EMS item with its check digit, alone", "EA123456785CN", "EA123456785CN ems"},
    {"a carrier's tracking link",
     "查看物流：https://www.sf-express.com/chn/sc/waybill/waybill-detail/SF1234567890123",
     "SF1234567890123 shunfeng"},
    {"a number in a shop's link is no waybill",
     "点击查看订单 https://shop.example.com/order?id=7731234567890123", ""},
    {"two parcels of one order",
     "您的包裹已拆分发货：圆通快递 YT1234567890123；申通快递 运单号 773165231258961。",
     "YT1234567890123 yuantong, 773165231258961 shentong"},
    {"order confirmation", "订单编号：4012345678901234567 下单时间：2024-12-08 10:21:33 实付金额：¥128.00",
     ""},
    {"invoice", "Invoice no. 2024120800123, total $59.90. Order ID 9876543210123.", ""},
    {"newsletter with phone and dates",
     "双十二大促！客服电话 4008111111，手机 13812345678，活动 20241212 截止。", ""},
    {"amount and a postal code", "运费 12元，邮编 518000，合计 ¥ 1234567890", ""},
    {"an e-mail address", "联系 1234567890123@qq.com 获取发票", ""},
    {"a number without a word or a form", "编号 A1B2C3D4E5F6", ""},
    {"the same number twice, once", "运单号 SF1234567890123。顺丰 SF1234567890123 正在派送。",
     "SF1234567890123 shunfeng"},
    {"a carrier named, a form the table lacks", "加运美快递 运单号：JYM123456789012",
     "JYM123456789012 jiayunmei"},
};
} // namespace

TEST(NumberFinder, FindsWaybillsAndNothingElse)
{
    for (const FinderCase &c : kCases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(found(QString::fromUtf8(c.text)), c.expected);
    }
}

// The sentence is the one the number stood in; a text alone that is a number is confident enough
// to be offered by itself, a number among words only with a waybill word before it.
TEST(NumberFinder, SentenceAndConfidence)
{
    const auto mail = findTrackingNumbers(
        QString::fromUtf8("您好！\n您的快递已发出，顺丰运单号 SF1234567890123。祝购物愉快"));
    ASSERT_EQ(mail.size(), 1u);
    EXPECT_EQ(mail[0].sentence, QString::fromUtf8("您的快递已发出，顺丰运单号 SF1234567890123"));
    EXPECT_GE(mail[0].confidence, kConfidentNumber);

    const auto alone = findTrackingNumbers(QStringLiteral("  SF1234567890123\n"));
    ASSERT_EQ(alone.size(), 1u);
    EXPECT_GE(alone[0].confidence, kConfidentNumber);

    const auto twelveDigits = findTrackingNumbers(QStringLiteral("312345678901"));
    EXPECT_TRUE(twelveDigits.empty() || twelveDigits[0].confidence < kConfidentNumber);
}

// A long text without sentence ends is read in bounded steps, and only up to the limit.
TEST(NumberFinder, LongTextIsReadToTheLimit)
{
    QString text(kFinderTextLimit + 100, QLatin1Char('x'));
    text.replace(1000, 20, QStringLiteral(" 运单号 SF1234567890123 "));
    text.replace(kFinderTextLimit + 10, 20, QStringLiteral(" 运单号 SF9234567890123 "));
    EXPECT_EQ(found(text), "SF1234567890123 shunfeng");
}
