#include "core/number_finder.h"

#include "core/carrier_catalogue.h"

#include <QDate>
#include <QStringList>
#include <QTime>
#include <algorithm>

namespace {
// How far the finder looks back for the words before a number, and around it for its sentence.
constexpr int kWordsBefore = 40;
constexpr int kSentenceReach = 200;
constexpr int kSentenceLength = 120;
constexpr int kShortestNumber = 8;
constexpr int kLongestNumber = 35;
constexpr int kFewestDigits = 6;

// The words before a number; the nearest one decides what the number is.
struct ContextWord
{
    const char *word; // UTF-8, matched without regard to case
    bool waybill; // true: a tracking number follows; false: some other number does
};

const ContextWord kContextWords[] = {
    {"运单号", true},         {"运单编号", true},
    {"快递单号", true},       {"物流单号", true},
    {"单号", true},           {"快递号", true},
    {"运单", true},           {"物流编号", true},
    {"包裹号", true},         {"tracking number", true},
    {"tracking no", true},    {"tracking #", true},
    {"tracking id", true},    {"tracking code", true},
    {"tracking", true},       {"shipment", true},
    {"waybill", true},        {"awb", true},
    {"sendungsnummer", true}, {"consignment", true},
    {"parcel number", true},  {"订单号", false},
    {"订单编号", false},      {"订单", false},
    {"交易号", false},        {"流水号", false},
    {"发票", false},          {"电话", false},
    {"手机", false},          {"客服", false},
    {"联系", false},          {"金额", false},
    {"邮编", false},          {"邮政编码", false},
    {"会员", false},          {"order number", false},
    {"order no", false},      {"order #", false},
    {"order id", false},      {"order", false},
    {"invoice", false},       {"phone", false},
    {"tel", false},           {"mobile", false},
    {"zip", false},           {"postal code", false},
    {"postcode", false},      {"amount", false},
    {"total", false},         {"account", false},
    {"customer", false},      {"member", false},
};

// The names shops and carriers write besides the catalogue's own.
struct OtherName
{
    const char *code;
    const char *names; // '|' between them
};

const OtherName kOtherNames[] = {
    {"shunfeng", "顺丰|SF Express|S.F. Express"},
    {"ems", "EMS|邮政EMS"},
    {"pingyou", "中国邮政|邮政包裹|China Post"},
    {"zhongtong", "中通|ZTO"},
    {"yuantong", "圆通|YTO"},
    {"shentong", "申通|STO"},
    {"yunda", "韵达|Yunda"},
    {"tiantian", "天天"},
    {"huitong", "百世|汇通|Best Express"},
    {"debang", "德邦|Deppon"},
    {"zhaijisong", "宅急送|ZJS"},
    {"ups", "UPS"},
    {"fedex", "FedEx"},
    {"dhl", "DHL"},
    {"usps", "USPS"},
};

// Carriers' and tracking sites' hosts: a number in their links is a tracking number.
const char *const kTrackingHosts[] = {
    "sf-express.com", "ups.com",      "fedex.com",        "dhl.com",       "dhl.de",      "usps.com",
    "ems.com.cn",     "11183.com.cn", "chinapost.com.cn", "yto.net.cn",    "zto.com",     "sto.cn",
    "yundaex.com",    "jdl.com",      "kuaidi100.com",    "17track.net",   "cainiao.com", "deppon.com",
    "800bestex.com",  "ttkdex.com",   "aftership.com",    "royalmail.com", "postnl.nl",   "parcelsapp.com",
};

bool asciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool asciiLetter(QChar c)
{
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
        || (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}

bool asciiWordChar(QChar c)
{
    return asciiDigit(c) || asciiLetter(c);
}

// Full-width letters and digits made ASCII, one character for one so that positions stay.
QString narrowed(const QString &text)
{
    QString out = text;
    for (QChar &c : out) {
        const char16_t u = c.unicode();
        if ((u >= 0xFF10 && u <= 0xFF19) || (u >= 0xFF21 && u <= 0xFF3A) || (u >= 0xFF41 && u <= 0xFF5A))
            c = QChar(u - 0xFEE0);
        else if (u == 0x3000 || u == 0x00A0)
            c = QLatin1Char(' ');
    }
    return out;
}

bool isSentenceEnd(const QString &text, int i)
{
    const QChar c = text.at(i);
    if (c == QLatin1Char('\n') || c == QChar(0x3002) || c == QChar(0xFF01) || c == QChar(0xFF1F)
        || c == QChar(0xFF1B) || c == QLatin1Char('!') || c == QLatin1Char('?'))
        return true;
    return c == QLatin1Char('.') && i + 1 < text.size() && text.at(i + 1).isSpace();
}

QString sentenceAround(const QString &text, int from, int to)
{
    int start = from;
    while (start > 0 && from - start < kSentenceReach && !isSentenceEnd(text, start - 1))
        --start;
    int end = to;
    while (end < text.size() && end - to < kSentenceReach && !isSentenceEnd(text, end))
        ++end;
    QString sentence = text.mid(start, end - start).simplified();
    if (sentence.size() > kSentenceLength) {
        const int at = std::max(0, int(sentence.indexOf(text.mid(from, to - from))) - kSentenceLength / 3);
        sentence = sentence.mid(at, kSentenceLength).trimmed();
    }
    return sentence;
}

// Whether `word` stands at `at` in `text` (case-insensitive), not inside a longer Latin word.
bool wordAt(const QString &text, int at, const QString &word)
{
    if (at < 0 || at + word.size() > text.size())
        return false;
    if (QStringView(text).mid(at, word.size()).compare(word, Qt::CaseInsensitive) != 0)
        return false;
    const bool latinStart = asciiLetter(word.front());
    const bool latinEnd = asciiLetter(word.back());
    if (latinStart && at > 0 && asciiLetter(text.at(at - 1)))
        return false;
    if (latinEnd && at + word.size() < text.size() && asciiLetter(text.at(at + word.size())))
        return false;
    return true;
}

// The nearest context word before a number: +1 a waybill word, -1 another number's word, 0 none.
int wordBefore(const QString &text, int numberStart)
{
    const int from = std::max(0, numberStart - kWordsBefore);
    int bestEnd = -1, bestLength = 0, verdict = 0;
    for (const ContextWord &entry : kContextWords) {
        const QString word = QString::fromUtf8(entry.word);
        for (int at = numberStart - int(word.size()); at >= from; --at) {
            if (!wordAt(text, at, word))
                continue;
            const int end = at + int(word.size());
            if (end > bestEnd || (end == bestEnd && word.size() > bestLength)) {
                bestEnd = end;
                bestLength = int(word.size());
                verdict = entry.waybill ? 1 : -1;
            }
            break;
        }
    }
    // A sentence end between the word and the number cuts them apart.
    for (int i = std::max(bestEnd, 0); verdict != 0 && i < numberStart; ++i) {
        if (isSentenceEnd(text, i))
            return 0;
    }
    return verdict;
}

// The catalogue positions named in a sentence, in the order of their names' first mention.
std::vector<int> carriersNamed(const QString &sentence)
{
    std::vector<std::pair<int, int>> found; // where, position
    auto look = [&](int position, const QString &name) {
        for (int at = int(sentence.indexOf(name, 0, Qt::CaseInsensitive)); at >= 0;
             at = int(sentence.indexOf(name, at + 1, Qt::CaseInsensitive))) {
            if (wordAt(sentence, at, name)) {
                found.emplace_back(at, position);
                return;
            }
        }
    };
    for (int position = 0; position < kCarrierCount; ++position) {
        QString name = carrierName(position);
        for (const char *suffix : {"快递", "速递", "速运", "物流"}) {
            if (name.size() > 3 && name.endsWith(QString::fromUtf8(suffix)))
                name.chop(2);
        }
        look(position, name);
    }
    for (const OtherName &other : kOtherNames) {
        int position = -1;
        for (int i = 0; i < kCarrierCount && position < 0; ++i) {
            if (carrierCode(i) == QLatin1String(other.code))
                position = i;
        }
        if (position < 0)
            continue;
        for (const QString &name : QString::fromUtf8(other.names).split(QLatin1Char('|')))
            look(position, name);
    }
    std::stable_sort(found.begin(), found.end());
    std::vector<int> positions;
    for (const auto &[at, position] : found) {
        if (std::find(positions.begin(), positions.end(), position) == positions.end())
            positions.push_back(position);
    }
    return positions;
}

bool looksLikeDate(const QString &digits)
{
    if (digits.size() != 8 && digits.size() != 12 && digits.size() != 14)
        return false;
    for (QChar c : digits) {
        if (!asciiDigit(c))
            return false;
    }
    const QDate date(digits.left(4).toInt(), digits.mid(4, 2).toInt(), digits.mid(6, 2).toInt());
    if (!date.isValid() || date.year() < 1990 || date.year() > 2099)
        return false;
    if (digits.size() == 8)
        return true;
    const QTime time(digits.mid(8, 2).toInt(), digits.mid(10, 2).toInt(),
                     digits.size() == 14 ? digits.mid(12, 2).toInt() : 0);
    return time.isValid();
}

bool looksLikePhone(const QString &digits)
{
    // Chinese mobile numbers, and the 400 and 800 service lines.
    if (digits.size() == 11 && digits.at(0) == QLatin1Char('1') && digits.at(1) >= QLatin1Char('3'))
        return std::all_of(digits.begin(), digits.end(), asciiDigit);
    if (digits.size() == 10
        && (digits.startsWith(QLatin1String("400")) || digits.startsWith(QLatin1String("800"))))
        return std::all_of(digits.begin(), digits.end(), asciiDigit);
    return false;
}

// An amount: a currency sign before it, 元 or decimals after it.
bool looksLikeAmount(const QString &text, int from, int to)
{
    int before = from - 1;
    while (before >= 0 && text.at(before) == QLatin1Char(' '))
        --before;
    if (before >= 0) {
        const QChar c = text.at(before);
        if (c == QChar(0x00A5) || c == QChar(0xFFE5) || c == QLatin1Char('$') || c == QChar(0x20AC))
            return true;
    }
    if (to >= text.size())
        return false;
    return text.at(to) == QChar(0x5143)
        || (text.at(to) == QLatin1Char('.') && to + 1 < text.size() && asciiDigit(text.at(to + 1)));
}

struct Span
{
    int from, to;
    bool tracking;
};

// The links of a text, each marked whether its host is a carrier's.
std::vector<Span> linksOf(const QString &text)
{
    std::vector<Span> links;
    int at = 0;
    while (true) {
        const int http = int(text.indexOf(QLatin1String("http"), at, Qt::CaseInsensitive));
        const int www = int(text.indexOf(QLatin1String("www."), at, Qt::CaseInsensitive));
        int start = http < 0 ? www : (www < 0 ? http : std::min(http, www));
        if (start < 0)
            break;
        int hostStart = start;
        if (start == http) {
            const int colon = int(text.indexOf(QLatin1String("://"), start));
            if (colon < 0 || colon > start + 5) {
                at = start + 4;
                continue;
            }
            hostStart = colon + 3;
        }
        int end = hostStart;
        while (end < text.size()) {
            const QChar c = text.at(end);
            if (c.isSpace() || c.unicode() > 0x7E || c == QLatin1Char('"') || c == QLatin1Char('\'')
                || c == QLatin1Char('<') || c == QLatin1Char('>'))
                break;
            ++end;
        }
        int hostEnd = hostStart;
        while (hostEnd < end && text.at(hostEnd) != QLatin1Char('/') && text.at(hostEnd) != QLatin1Char('?')
               && text.at(hostEnd) != QLatin1Char('#') && text.at(hostEnd) != QLatin1Char(':'))
            ++hostEnd;
        links.push_back({start, end, isTrackingLinkHost(text.mid(hostStart, hostEnd - hostStart))});
        at = std::max(end, start + 4);
    }
    return links;
}

int baseConfidence(const QString &number, const std::vector<CarrierGuess> &guesses)
{
    if (guesses.empty())
        return 10;
    const bool letters = std::any_of(number.begin(), number.end(), asciiLetter);
    if (guesses.front().certainty == GuessCertainty::Certain)
        return letters ? 60 : 35;
    return letters ? 40 : 30;
}
} // namespace

bool isTrackingLinkHost(const QString &host)
{
    const QString lower = host.toLower();
    for (const char *known : kTrackingHosts) {
        const QLatin1String domain(known);
        if (lower == domain
            || (lower.endsWith(domain) && lower.at(lower.size() - domain.size() - 1) == QLatin1Char('.')))
            return true;
    }
    return false;
}

std::vector<NumberCandidate> findTrackingNumbers(const QString &input)
{
    const QString text = narrowed(input.left(kFinderTextLimit));
    const std::vector<Span> links = linksOf(text);
    const QString whole = text.trimmed();
    std::vector<NumberCandidate> found;
    size_t link = 0;

    for (int i = 0; i < text.size();) {
        if (!asciiWordChar(text.at(i))) {
            ++i;
            continue;
        }
        int end = i;
        int digits = 0;
        while (end < text.size() && asciiWordChar(text.at(end))) {
            digits += asciiDigit(text.at(end)) ? 1 : 0;
            ++end;
        }
        const int from = i;
        i = end;
        const int length = end - from;
        if (length < kShortestNumber || length > kLongestNumber || digits < kFewestDigits)
            continue;
        if ((from > 0 && text.at(from - 1) == QLatin1Char('@'))
            || (end < text.size() && text.at(end) == QLatin1Char('@')))
            continue;

        while (link < links.size() && links[link].to <= from)
            ++link;
        const bool inLink = link < links.size() && links[link].from <= from;
        if (inLink && !links[link].tracking)
            continue;

        const QString number = numberForGuess(text.mid(from, length));
        if (looksLikeDate(number) || looksLikePhone(number) || looksLikeAmount(text, from, end))
            continue;

        std::vector<CarrierGuess> guesses = guessCarriers(number);
        int confidence = baseConfidence(number, guesses);
        const int word = wordBefore(text, from);
        if (word < 0 && !inLink)
            continue;
        if (word > 0)
            confidence += 30;
        if (inLink)
            confidence += 40;
        if (whole.compare(text.mid(from, length), Qt::CaseInsensitive) == 0)
            confidence += 20;

        const QString sentence = sentenceAround(text, from, end);
        const std::vector<int> named = carriersNamed(sentence);
        if (!named.empty()) {
            auto match = std::find_if(guesses.begin(), guesses.end(), [&](const CarrierGuess &g) {
                return std::find(named.begin(), named.end(), g.position) != named.end();
            });
            if (match != guesses.end()) {
                std::rotate(guesses.begin(), match, match + 1);
                confidence += 15;
            } else {
                guesses.insert(guesses.begin(), CarrierGuess {named.front(), GuessCertainty::Possible});
                confidence += 10;
            }
        }
        confidence = std::min(confidence, 100);
        if (confidence < kCandidateNumber)
            continue;

        auto same = std::find_if(found.begin(), found.end(),
                                 [&](const NumberCandidate &c) { return c.number == number; });
        if (same == found.end())
            found.push_back({number, guesses, sentence, confidence});
        else if (confidence > same->confidence)
            *same = {number, guesses, sentence, confidence};
    }
    return found;
}
