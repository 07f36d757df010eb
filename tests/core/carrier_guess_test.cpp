#include "core/carrier_catalogue.h"
#include "core/carrier_guess.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {
// The guess as "code!" (certain) and "code?" (possible), best first, at most `most` of them.
std::string guessed(const QString &number, int most = kCarrierCount)
{
    QStringList words;
    for (const CarrierGuess &guess : guessCarriers(number)) {
        if (words.size() == most)
            break;
        words.append(carrierCode(guess.position)
                     + QLatin1Char(guess.certainty == GuessCertainty::Certain ? '!' : '?'));
    }
    return words.join(QLatin1Char(' ')).toStdString();
}
} // namespace

// Every row maps to carriers of the catalogue, and its own example is recognised as the row says.
TEST(CarrierGuess, EveryRuleNamesCatalogueCarriersAndRecognisesItsExample)
{
    for (const CarrierGuessRule &rule : carrierGuessRules()) {
        SCOPED_TRACE(rule.example);
        const std::vector<CarrierGuess> guesses = guessCarriers(QLatin1String(rule.example));
        for (const QString &code : QString::fromLatin1(rule.carriers).split(QLatin1Char(' '))) {
            int position = -1;
            for (int i = 0; i < kCarrierCount; ++i) {
                if (carrierCode(i) == code)
                    position = i;
            }
            ASSERT_GE(position, 0) << code.toStdString() << " is not in the catalogue";
            const auto found = std::find_if(guesses.begin(), guesses.end(),
                                            [&](const CarrierGuess &g) { return g.position == position; });
            ASSERT_NE(found, guesses.end()) << code.toStdString();
            EXPECT_GE(int(found->certainty), int(rule.certainty)) << code.toStdString();
        }
    }
}

// Check digits from their public definitions: a valid number is certain, the same number with its
// check digit broken is at most possible, or not that carrier's at all where its shape is shared.
TEST(CarrierGuess, CheckDigitsDecideCertainty)
{
    const struct
    {
        const char *number;
        const char *expected;
    } cases[] = {
        // UPU S10: weights 8 6 4 2 3 5 9 7, mod 11 (10 counts as 0, 11 as 5).
        {"EA123456785CN", "ems!"},
        {"EA123456784CN", "ems?"},
        {"EE000000005CN", "ems!"}, // sum 0: 11 is written 5
        {"EE000000500CN", "ems!"}, // sum 45: 10 is written 0
        {"RR473124829CN", "pingyou? gnxb?"},
        {"RR123456785US", "usps!"},
        {"RR123456786US", "usps?"},
        {"EA123456785US", "usps! ems?"},
        {"EB000717618HK", "ems?"},
        {"RR473124829GB", ""},
        // UPS: letters count as digits, odd places once, even places twice.
        {"1Z999AA10123456784", "ups!"},
        {"1Z5915806855587736", "ups!"},
        {"1Z999AA10123456785", "ups?"},
        {"1Z999AA1012345678A", "ups?"},
        // FedEx Express 12 digits: weights 1 3 7 from the right, mod 11.
        {"797806677146", "zhongtong? fedex! fedexcn! shentong?"},
        {"797806677145", "zhongtong? shentong? shunfeng? huitong?"},
        // FedEx Ground 15 digits and the 22-digit 96 form, mod 10 on the 15 digits.
        {"041034123456786", "fedex! yunda? quanfeng? longbang?"},
        {"041034123456787", "yunda? quanfeng? longbang?"},
        {"9611020041034123456786", "fedex!"},
        {"9611020041034123456787", "fedex?"},
        // FedEx 20 digits (00 and an SSCC) and USPS 20 and 22 digits, mod 10.
        {"00001234567890123452", "fedex!"},
        {"00001234567890123453", ""},
        {"9400100000000000000006", "usps!"},
        {"9400100000000000000007", "usps?"},
        {"71969008911112345678", "usps!"},
        {"71969008911112345679", ""},
        // DHL 10 digits: the first nine mod 7.
        {"1234567891", "dhl! zhaijisong? guotong? debang?"},
        {"1234567892", "zhaijisong? guotong? debang? xinbang?"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(guessed(QLatin1String(c.number), 4), c.expected) << c.number;
}

// Letter prefixes one carrier prints are certain; shared digit forms are possible, ranked by the
// most specific leading digits first.
TEST(CarrierGuess, PrefixesAndAmbiguousNumbersRanked)
{
    const struct
    {
        const char *number;
        const char *expected; // the first three, as the add panel shows them
    } cases[] = {
        {"SF1234567890123", "shunfeng!"},
        {"DPK300585915441", "debang!"},
        {"TT6612345678901", "tiantian!"},
        {"SF12345", ""},
        {"A123456789012", "zhaijisong? huitong?"},
        {"668123456789", "shentong? tiantian? zhongtong?"},
        {"731234567890", "zhongtong? shentong? shunfeng?"},
        {"770123456789", "tiantian? zhongtong? shentong?"},
        {"1012345678901", "ems? yunda? shentong?"},
        {"9912345678901", "pingyou? gnxb? yunda?"},
        {"77316523125896", "shentong? huitong? zhongtong?"},
        {"75312345678901", "zhongtong? huitong? kuaijie?"},
        {"462598779470531", "yunda? quanfeng? longbang?"},
        {"512345678901234", "huitong? yunda? quanfeng?"},
        {"12345678", "debang? huayu? xinbang?"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(guessed(QString::fromUtf8(c.number), 3), c.expected) << c.number;
}

// Blanks, dashes, full-width characters and lower case as users paste them are read through; other
// characters match nothing.
TEST(CarrierGuess, PastedBlanksAndDashesAreIgnored)
{
    const struct
    {
        const char *number;
        const char *cleaned;
        const char *expected;
    } cases[] = {
        {"1z 999 aa1 01 2345 6784\t", "1Z999AA10123456784", "ups!"},
        {"EA-123-456-785-CN", "EA123456785CN", "ems!"},
        {"EA\u3000123\u00A0456\u2013785\u200B CN", "EA123456785CN", "ems!"},
        {"\uFF33\uFF26\uFF11\uFF12\uFF13\uFF14\uFF15\uFF16\uFF17\uFF18\uFF19\uFF10\uFF11\uFF12\uFF13",
         "SF1234567890123", "shunfeng!"},
        {"9400 1000 0000 0000 0000 06", "9400100000000000000006", "usps!"},
        {"", "", ""},
        {" - ", "", ""},
        {"SF1234567890123.", "SF1234567890123.", ""},
        {"快递SF1234567890123", "快递SF1234567890123", ""},
        {"1Z999AA1/0123456784", "1Z999AA1/0123456784", ""},
    };
    for (const auto &c : cases) {
        const QString number = QString::fromUtf8(c.number);
        EXPECT_EQ(numberForGuess(number), QString::fromUtf8(c.cleaned)) << c.number;
        EXPECT_EQ(guessed(number), c.expected) << c.number;
    }
}
