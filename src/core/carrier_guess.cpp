#include "core/carrier_guess.h"

#include "core/carrier_catalogue.h"

#include <QStringList>
#include <cstring>

namespace {
using C = GuessCertainty;
using K = NumberCheck;
using B = NumberBody;

// Ranked: the check-digit forms whose shape belongs to one carrier, the letter prefixes Chinese
// carriers print, the all-digit forms by length and leading digits, then the check-digit forms
// whose length Chinese carriers share too, then the lengths alone.
const std::vector<CarrierGuessRule> kRules = {
    // Postal items (UPU S10): two letters, eight digits, a check digit, the posting country.
    {"E", "CN", 13, 13, B::UpuS10, K::UpuS10, true, C::Certain, "ems", "EA123456785CN",
     "UPU standard S10: service indicator E is EMS; China Post's EMS items carry CN"},
    {"", "US", 13, 13, B::UpuS10, K::UpuS10, true, C::Certain, "usps", "RR123456785US",
     "UPU standard S10, country code US"},
    {"A|B|C|D|F|G|H|I|J|K|L|M|N|O|P|Q|R|S|T|U|V|W|X|Y|Z", "CN", 13, 13, B::UpuS10, K::UpuS10, true,
     C::Possible, "pingyou gnxb", "RR473124829CN",
     "UPU standard S10: China Post's items other than EMS (RR registered, CP parcels, LK ... CN)"},
    {"E", "", 13, 13, B::UpuS10, K::UpuS10, true, C::Possible, "ems", "EB000717618HK",
     "UPU standard S10: EMS items of other posts are delivered in China by EMS"},
    {"1Z", "", 18, 18, B::LettersOrDigits, K::Ups, true, C::Certain, "ups", "1Z999AA10123456784",
     "UPS: 1Z, shipper number, service, package number, check digit"},
    {"96", "", 22, 22, B::Digits, K::FedexGround96, true, C::Certain, "fedex", "9611020041034123456786",
     "FedEx Ground label layout document: the 96 barcode holds a 15-digit number"},
    {"91|92|93|94|95", "", 20, 22, B::Digits, K::Mod10, true, C::Certain, "usps", "9400100000000000000006",
     "USPS Publication 199 (Intelligent Mail package barcode), mod 10 check digit"},
    {"00", "", 20, 20, B::Digits, K::Mod10, false, C::Certain, "fedex", "00001234567890123452",
     "FedEx Ground: 00 and an 18-digit SSCC, mod 10 check digit"},
    {"03|23|70|71|73|77|81", "", 20, 20, B::Digits, K::Mod10, false, C::Certain, "usps",
     "71969008911112345678", "USPS Publication 109: certified (71), insured (73), registered (77) mail"},

    // Letters Chinese carriers print before the digits.
    {"SF", "", 14, 15, B::Digits, K::None, true, C::Certain, "shunfeng", "SF1234567890123",
     "顺丰 waybills: SF and 13 digits (12 on older ones)"},
    {"YT", "", 12, 15, B::Digits, K::None, true, C::Certain, "yuantong", "YT1234567890123",
     "圆通 e-waybills: YT and 13 digits (10 to 12 on older ones)"},
    {"DPK", "", 15, 15, B::Digits, K::None, true, C::Certain, "debang", "DPK300585915441",
     "德邦 waybills: DPK and 12 digits"},
    {"ZJS", "", 15, 15, B::Digits, K::None, true, C::Certain, "zhaijisong", "ZJS001234567890",
     "宅急送 waybills: ZJS and 12 digits"},
    {"SUR", "", 15, 15, B::Digits, K::None, true, C::Certain, "sure", "SUR001234567890",
     "速尔 waybills: SUR and 12 digits"},
    {"TT", "", 15, 15, B::Digits, K::None, true, C::Certain, "tiantian", "TT6612345678901",
     "天天 waybills: TT and 13 digits"},
    {"STO", "", 13, 13, B::Digits, K::None, true, C::Certain, "shentong", "STO1234567890",
     "申通 waybills: STO and 10 digits"},
    {"88", "", 18, 18, B::LettersOrDigits, K::None, true, C::Possible, "yuantong", "8800AB1234567890CD",
     "圆通: 88 and 16 letters or digits"},
    {"A", "", 13, 13, B::Digits, K::None, true, C::Possible, "zhaijisong huitong", "A123456789012",
     "宅急送 and 百世汇通: one letter and 12 digits"},
    {"B|D|E", "", 13, 13, B::Digits, K::None, true, C::Possible, "huitong", "D123456789012",
     "百世汇通: one letter and 12 digits"},

    // All digits, by length and leading digits.
    {"268|368|468|568|588|668|688|768|868|888|968", "", 12, 12, B::Digits, K::None, true, C::Possible,
     "shentong", "268123456789", "申通: 12 digits, the third a 8 (268, 368 ...)"},
    {"55|56|58|66|77|88|995|998", "", 12, 12, B::Digits, K::None, true, C::Possible, "tiantian",
     "660123456789", "天天: 12 digits from 55, 56, 58, 66, 77, 88, 995, 998"},
    {"130|137|138|139|188|189", "", 12, 12, B::Digits, K::None, true, C::Possible, "xinfeng", "130123456789",
     "信丰: 12 digits from 130, 137 to 139, 188, 189"},
    {"7", "", 12, 12, B::Digits, K::None, true, C::Possible, "zhongtong", "731234567890",
     "中通: 12 digits, mostly from 7"},
    {"10|11|50|51|95|97", "", 13, 13, B::Digits, K::None, true, C::Possible, "ems yunda", "1012345678901",
     "EMS domestic: 13 digits from 10, 11, 50, 51, 95, 97"},
    {"96|98|99", "", 13, 13, B::Digits, K::None, true, C::Possible, "pingyou gnxb", "9912345678901",
     "中国邮政 parcels: 13 digits from 96, 98, 99"},
    {"77", "", 14, 14, B::Digits, K::None, true, C::Possible, "shentong", "77316523125896",
     "申通: 14 digits from 77 (773 ...)"},
    {"73|75|78", "", 14, 14, B::Digits, K::None, true, C::Possible, "zhongtong", "75312345678901",
     "中通: 14 digits from 73, 75, 78"},
    {"5|6|7", "", 14, 14, B::Digits, K::None, true, C::Possible, "huitong", "51234567890123",
     "百世汇通: 14 digits from 5, 6, 7"},
    {"3|4", "", 15, 15, B::Digits, K::None, true, C::Possible, "yunda", "462598779470531",
     "韵达: 15 digits from 3 or 4 (43, 46 ...)"},
    {"5", "", 15, 15, B::Digits, K::None, true, C::Possible, "huitong", "512345678901234",
     "百世汇通: 15 digits from 5"},

    // Check digits on lengths Chinese carriers use too: a verified check is certain, but the
    // Chinese forms above stay ahead.
    {"", "", 12, 12, B::Digits, K::FedexExpress, false, C::Certain, "fedex fedexcn", "797806677146",
     "FedEx Express: 12 digits, mod 11 check digit"},
    {"", "", 15, 15, B::Digits, K::Mod10, false, C::Certain, "fedex", "041034123456786",
     "FedEx Ground: 15 digits, mod 10 check digit"},
    {"", "", 10, 10, B::Digits, K::Dhl, false, C::Certain, "dhl", "1234567891",
     "DHL Express waybill: 10 digits, mod 7 check digit"},

    // Lengths alone.
    {"", "", 8, 9, B::Digits, K::None, true, C::Possible, "debang huayu xinbang", "12345678",
     "德邦 8 to 10 digits, 天地华宇 8 or 9, 新邦 8 or 10"},
    {"", "", 10, 10, B::Digits, K::None, true, C::Possible, "zhaijisong guotong debang xinbang", "4212345678",
     "宅急送 domestic waybills have 10 characters; 国通 10 digits; 德邦 8 to 10"},
    {"", "", 11, 11, B::Digits, K::None, true, C::Possible, "quanyi yousu lianhaotong", "12345678901",
     "全一 11 or 12 digits, 优速 11 and more, 联昊通 9 to 12"},
    {"", "", 12, 12, B::Digits, K::None, true, C::Possible,
     "zhongtong shentong shunfeng huitong quanfeng tiantian guotong yousu sure kuaijie longbang",
     "312345678901", "12 digits: 中通, 申通, older 顺丰, 百世汇通, 全峰, 天天, 国通 and others"},
    {"", "", 13, 13, B::Digits, K::None, true, C::Possible, "yunda shentong ems", "3123456789012",
     "韵达 13 digits; 申通 12 or 13; EMS 13"},
    {"", "", 14, 14, B::Digits, K::None, true, C::Possible, "zhongtong huitong kuaijie", "12345678901234",
     "中通, 百世汇通 and 快捷 14 digits"},
    {"", "", 15, 15, B::Digits, K::None, true, C::Possible, "yunda quanfeng longbang", "912345678901234",
     "韵达, 全峰 and 龙邦 15 digits"},
};

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isLetter(QChar c)
{
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z');
}

int digitAt(const QString &number, int i)
{
    return number.at(i).unicode() - '0';
}

// Weights 3, 1, 3, 1 ... from the digit left of the check digit.
bool mod10Verifies(const QString &digits)
{
    const int last = int(digits.size()) - 1;
    int sum = 0;
    for (int i = last - 1, weight = 3; i >= 0; --i, weight = 4 - weight)
        sum += digitAt(digits, i) * weight;
    return (10 - sum % 10) % 10 == digitAt(digits, last);
}

bool upuS10Verifies(const QString &number)
{
    static const int weights[8] = {8, 6, 4, 2, 3, 5, 9, 7};
    int sum = 0;
    for (int i = 0; i < 8; ++i)
        sum += digitAt(number, 2 + i) * weights[i];
    int check = 11 - sum % 11;
    if (check == 10)
        check = 0;
    else if (check == 11)
        check = 5;
    return check == digitAt(number, 10);
}

bool upsVerifies(const QString &number)
{
    const QChar checkChar = number.at(17);
    if (!isDigit(checkChar))
        return false;
    int sum = 0;
    for (int i = 0; i < 15; ++i) {
        const QChar c = number.at(2 + i);
        // Letters count as digits: A is 2, B 3, ... I 0, J 1 and on round the ten.
        const int value = isDigit(c) ? c.unicode() - '0' : (c.unicode() - 'A' + 2) % 10;
        sum += i % 2 == 0 ? value : 2 * value;
    }
    return (10 - sum % 10) % 10 == checkChar.unicode() - '0';
}

bool fedexExpressVerifies(const QString &number)
{
    static const int weights[3] = {1, 3, 7};
    int sum = 0;
    for (int i = 10, step = 0; i >= 0; --i, ++step)
        sum += digitAt(number, i) * weights[step % 3];
    return sum % 11 % 10 == digitAt(number, 11);
}

bool dhlVerifies(const QString &number)
{
    return number.left(9).toLongLong() % 7 == digitAt(number, 9);
}

bool checkVerifies(NumberCheck check, const QString &number)
{
    switch (check) {
    case NumberCheck::None:
        return true;
    case NumberCheck::UpuS10:
        return upuS10Verifies(number);
    case NumberCheck::Ups:
        return upsVerifies(number);
    case NumberCheck::FedexExpress:
        return fedexExpressVerifies(number);
    case NumberCheck::Mod10:
        return mod10Verifies(number);
    case NumberCheck::FedexGround96:
        return mod10Verifies(number.right(15));
    case NumberCheck::Dhl:
        return dhlVerifies(number);
    }
    return false;
}

bool startsWithOneOf(const QString &number, const char *alternatives)
{
    if (!*alternatives)
        return true;
    const QStringList starts = QString::fromLatin1(alternatives).split(QLatin1Char('|'));
    for (const QString &start : starts) {
        if (number.startsWith(start))
            return true;
    }
    return false;
}

// The prefix this number has among the rule's alternatives ("" when the rule has none).
int prefixLength(const QString &number, const char *alternatives)
{
    const QStringList starts = QString::fromLatin1(alternatives).split(QLatin1Char('|'));
    for (const QString &start : starts) {
        if (!start.isEmpty() && number.startsWith(start))
            return int(start.size());
    }
    return 0;
}

bool bodyFits(const CarrierGuessRule &rule, const QString &number)
{
    if (rule.body == NumberBody::UpuS10) {
        for (int i = 0; i < 13; ++i) {
            const bool letterPlace = i < 2 || i > 10;
            if (letterPlace ? !isLetter(number.at(i)) : !isDigit(number.at(i)))
                return false;
        }
        return true;
    }
    const int from = prefixLength(number, rule.starts);
    const int to = int(number.size()) - int(std::strlen(rule.ends));
    for (int i = from; i < to; ++i) {
        if (!isDigit(number.at(i)) && (rule.body == NumberBody::Digits || !isLetter(number.at(i))))
            return false;
    }
    return true;
}

int positionOfCode(const QString &code)
{
    for (int i = 0; i < kCarrierCount; ++i) {
        if (code == QLatin1String(kCarriers[i].code))
            return i;
    }
    return -1;
}

void add(std::vector<CarrierGuess> &guesses, const char *codes, GuessCertainty certainty)
{
    for (const QString &code : QString::fromLatin1(codes).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const int position = positionOfCode(code);
        if (position < 0)
            continue;
        bool listed = false;
        for (CarrierGuess &guess : guesses) {
            if (guess.position == position) {
                listed = true;
                if (certainty == GuessCertainty::Certain)
                    guess.certainty = certainty;
            }
        }
        if (!listed)
            guesses.push_back({position, certainty});
    }
}
} // namespace

const std::vector<CarrierGuessRule> &carrierGuessRules()
{
    return kRules;
}

QString numberForGuess(const QString &number)
{
    QString cleaned;
    cleaned.reserve(number.size());
    for (QChar c : number) {
        const char16_t u = c.unicode();
        // Blanks of every kind (the invisible ones web pages carry too), and the dashes and hyphens
        // a label or a web page puts between groups.
        if (c.isSpace() || (u >= 0x200B && u <= 0x200D) || u == 0x2060 || u == 0xFEFF)
            continue;
        if (u == '-' || (u >= 0x2010 && u <= 0x2015) || u == 0x2212 || u == 0xFF0D)
            continue;
        // Full-width letters and digits, as Chinese input methods type them.
        if (u >= 0xFF10 && u <= 0xFF5A)
            c = QChar(char16_t(u - 0xFEE0));
        cleaned.append(c.toUpper());
    }
    return cleaned;
}

std::vector<CarrierGuess> guessCarriers(const QString &number)
{
    const QString cleaned = numberForGuess(number);
    std::vector<CarrierGuess> guesses;
    for (const QChar c : cleaned) {
        if (!isDigit(c) && !isLetter(c))
            return guesses;
    }
    for (const CarrierGuessRule &rule : kRules) {
        if (cleaned.size() < rule.minLength || cleaned.size() > rule.maxLength)
            continue;
        if (!startsWithOneOf(cleaned, rule.starts) || !cleaned.endsWith(QLatin1String(rule.ends)))
            continue;
        if (!bodyFits(rule, cleaned))
            continue;
        if (checkVerifies(rule.check, cleaned))
            add(guesses, rule.carriers, rule.certainty);
        else if (rule.shapeIsTheirs)
            add(guesses, rule.carriers, GuessCertainty::Possible);
    }
    return guesses;
}
