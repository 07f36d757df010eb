// The tracking service: GET /?com=&nu=&id=&type=html.
#include "sandbox_parcels.h"

#include "core/carrier_catalogue.h"

#include <httplib.h>

#include <chrono>
#include <cstdint>
#include <ctime>
#include <map>

namespace {
const char *const kCities[]
    = {"上海", "北京", "广州", "深圳", "杭州", "成都", "武汉", "南京", "西安", "苏州"};
const char *const kDistricts[]
    = {"浦东", "朝阳", "天河", "南山", "西湖", "武侯", "江汉", "鼓楼", "雁塔", "姑苏"};

uint32_t fnv1a(const std::string &text)
{
    uint32_t hash = 2166136261u;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 16777619u;
    }
    return hash;
}

bool isKnownCode(const std::string &code)
{
    for (const Carrier &carrier : kCarriers) {
        if (code == carrier.code)
            return true;
    }
    return false;
}

bool isAlphanumeric(const std::string &text)
{
    for (unsigned char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')))
            return false;
    }
    return true;
}

// The stages every simulated parcel passes through, oldest first, each with the city it names.
std::vector<std::pair<std::string, std::string>> stagesFor(uint32_t seed)
{
    const std::string from = kCities[seed % 10];
    const std::string to = kCities[(seed / 10 + 3) % 10];
    const std::string district = kDistricts[(seed / 10 + 3) % 10];
    return {
        {"【" + from + "市】快递员 已揽收", from},
        {"快件已到达【" + from + "转运中心】", from},
        {"快件已从【" + from + "转运中心】发出,下一站【" + to + "转运中心】", from},
        {"快件已到达【" + to + "转运中心】", to},
        {"快件已从【" + to + "转运中心】发出,下一站【" + to + district + "营业部】", to},
        {"快件已到达【" + to + district + "营业部】", to},
        {"【" + to + district + "营业部】派件员 王师傅 正在为您派件", to},
        {"已签收,签收人:本人,感谢使用,期待再次为您服务", ""},
    };
}
} // namespace

bool startsWith(const std::string &text, const char *prefix)
{
    return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

bool isRefusedParcel(const std::string &number)
{
    return startsWith(number, "REFUSED");
}

SandboxNumber sandboxNumberKind(const std::string &number)
{
    if (number.empty())
        return SandboxNumber::Empty;
    if (!isAlphanumeric(number))
        return SandboxNumber::BadFormat;
    if (number == "0000000000" || startsWith(number, "OLDNONE"))
        return SandboxNumber::NoInformation;
    if (number == "9999999999")
        return SandboxNumber::NotExisting;
    return SandboxNumber::Story;
}

std::string sandboxLocalTime(std::chrono::system_clock::time_point time)
{
    const std::time_t t = std::chrono::system_clock::to_time_t(time);
    std::tm local {};
    localtime_r(&t, &local);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S", &local);
    return buffer;
}

std::string sandboxIsoTime(std::chrono::system_clock::time_point time)
{
    const std::time_t t = std::chrono::system_clock::to_time_t(time);
    std::tm local {};
    localtime_r(&t, &local);
    char buffer[48];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%dT%H:%M:%S", &local);
    const long offset = local.tm_gmtoff;
    char zone[48];
    std::snprintf(zone, sizeof zone, "%c%02ld:%02ld", offset < 0 ? '-' : '+', std::labs(offset) / 3600,
                  std::labs(offset) % 3600 / 60);
    return std::string(buffer) + zone;
}

std::vector<SandboxRow> SandboxServer::storyRows(const std::string &com, const std::string &number)
{
    const auto now = std::chrono::system_clock::now();
    std::chrono::system_clock::time_point first;
    {
        std::lock_guard<std::mutex> lock(m_parcels->mutex);
        auto found = m_parcels->firstSeen.emplace(com + "|" + number, now).first;
        first = found->second;
    }
    const uint32_t seed = fnv1a(com + "|" + number);
    auto stages = stagesFor(seed);
    // "STAGE" and a digit 1 to 8 chooses how far the parcel has come at its first query.
    int initialRows = 1 + static_cast<int>(seed % 3);
    if (number.size() > 5 && number.compare(0, 5, "STAGE") == 0 && number[5] >= '1' && number[5] <= '8')
        initialRows = number[5] - '0';
    if (isRefusedParcel(number)) {
        // Refused at the door: its newest row speaks of 签收 and yet it is no delivery.
        stages.resize(7);
        stages[6] = {"收件人拒绝签收,快件退回寄件人", ""};
        initialRows = 7;
    }
    const auto step = std::chrono::seconds(std::max(1, m_options.stepSeconds));
    const long long grown = (now - first) / step;
    const int rows
        = static_cast<int>(std::min<long long>(initialRows + grown, static_cast<long long>(stages.size())));
    // The rows known at the first query are spread over the hours before it.
    const auto accepted = first - std::chrono::hours(4 + seed % 20) - std::chrono::minutes(seed % 50);
    std::vector<SandboxRow> story;
    for (int row = 0; row < rows; ++row) {
        std::chrono::system_clock::time_point when;
        if (row < initialRows)
            when = accepted + (first - accepted) * row / initialRows;
        else
            when = first + step * (row - initialRows + 1);
        // Whole seconds, as every service writes them.
        when = std::chrono::time_point_cast<std::chrono::seconds>(when);
        story.push_back(
            {when, stages[static_cast<size_t>(row)].first, stages[static_cast<size_t>(row)].second});
    }
    return story;
}

std::string SandboxServer::trackingRules()
{
    return "Tracking service, GET /?com=CODE&nu=NUMBER&id=KEY&type=html (UTF-8 HTML table):\n"
           "  id other than the key          -> an authentication error text (no rows)\n"
           "  com not a catalogue code       -> 不支持的快递公司\n"
           "  nu empty                       -> 请输入快递单号\n"
           "  nu not only letters and digits -> 单号格式错误\n"
           "  nu 0000000000 or OLDNONE...    -> NULL\n"
           "  nu 9999999999                  -> 该单号不存在\n"
           "  any other nu                   -> a simulated parcel: its first row lies some hours before\n"
           "                                    its first query; one more row every --step-seconds, through\n"
           "                                    dispatch (派件) to signed for (已签收); the same number\n"
           "                                    always tells the same story\n"
           "  nu STAGE<k>..., k from 1 to 8     -> a simulated parcel that has k rows at its first query\n"
           "                                    (7: out for delivery, 8: signed for)\n"
           "  nu REFUSED...                  -> a simulated parcel refused at the door: 7 rows, the last\n"
           "                                    收件人拒绝签收,快件退回寄件人\n";
}

void SandboxServer::installTracking()
{
    m_parcels = std::make_unique<Parcels>();
    m_server->Get("/", [this](const httplib::Request &request, httplib::Response &response) {
        const std::string com = request.get_param_value("com");
        const std::string number = request.get_param_value("nu");
        const std::string id = request.get_param_value("id");
        std::string body;
        if (id != m_options.key) {
            body = "<html><body>身份验证失败: id 无效</body></html>";
        } else if (!isKnownCode(com)) {
            body = "<html><body>不支持的快递公司</body></html>";
        } else {
            switch (sandboxNumberKind(number)) {
            case SandboxNumber::Empty:
                body = "<html><body>请输入快递单号</body></html>";
                break;
            case SandboxNumber::BadFormat:
                body = "<html><body>单号格式错误</body></html>";
                break;
            case SandboxNumber::NoInformation:
                body = "NULL";
                break;
            case SandboxNumber::NotExisting:
                body = "<html><body>该单号不存在</body></html>";
                break;
            case SandboxNumber::Story:
                body = "<table border='1'><tr><th>时间</th><th>地点和跟踪进度</th></tr>";
                for (const SandboxRow &row : storyRows(com, number))
                    body += "<tr><td>" + sandboxLocalTime(row.when) + "</td><td>" + row.text + "</td></tr>";
                body += "</table>";
                break;
            }
        }
        response.set_content(body, "text/html; charset=utf-8");
    });
}
