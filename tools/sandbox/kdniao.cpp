// The stand-in for 快递鸟's instant query: POST /Ebusiness/EbusinessOrderHandle.aspx, a form with
// RequestData (JSON), EBusinessID, RequestType 1002, DataSign and DataType 2.
#include "sandbox_parcels.h"

#include "services/carrier_tables.h"

#include <httplib.h>

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <algorithm>
#include <map>

namespace {
int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string formDecode(const std::string &text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            out += ' ';
        } else if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0
                   && hexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::map<std::string, std::string> formFields(const std::string &body)
{
    std::map<std::string, std::string> fields;
    size_t start = 0;
    while (start <= body.size()) {
        size_t end = body.find('&', start);
        if (end == std::string::npos)
            end = body.size();
        const std::string pair = body.substr(start, end - start);
        const size_t equals = pair.find('=');
        if (equals != std::string::npos)
            fields[formDecode(pair.substr(0, equals))] = formDecode(pair.substr(equals + 1));
        start = end + 1;
    }
    return fields;
}

std::string json(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
}

QJsonObject refusal(const std::string &businessId, const char *reason)
{
    QJsonObject answer;
    answer.insert(QStringLiteral("EBusinessID"), QString::fromStdString(businessId));
    answer.insert(QStringLiteral("Success"), false);
    answer.insert(QStringLiteral("Reason"), QString::fromUtf8(reason));
    return answer;
}

bool isPhoneDigits(const std::string &text)
{
    return text.size() == 4
        && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}
} // namespace

std::string SandboxServer::kdniaoRules()
{
    return "快递鸟 stand-in, POST /Ebusiness/EbusinessOrderHandle.aspx (form; JSON answer):\n"
           "  EBusinessID other than --kdniao-id, or DataSign other than\n"
           "  Base64(md5hex(RequestData + --kdniao-key)) -> Success false, Reason 验证数据签名失败\n"
           "  ShipperCode no catalogue carrier has      -> Success false, Reason 暂不支持该快递公司\n"
           "  LogisticCode empty                        -> Success false, Reason LogisticCode不能为空\n"
           "  LogisticCode not only letters and digits  -> Success false, Reason 单号格式不正确\n"
           "  ShipperCode SF without a 4-digit CustomerName -> Success false, Reason asking for it\n"
           "  LogisticCode QUOTA...                     -> Success false, Reason 今日查询次数已用完\n"
           "  LogisticCode BUSY...                      -> Success false, Reason 请求过于频繁\n"
           "  LogisticCode 0000000000 or 9999999999     -> Success true, State \"0\", Reason 暂无轨迹信息, "
           "no Traces\n"
           "  any other LogisticCode                    -> the simulated parcel of the carrier and number\n"
           "                                               (the same story as the tracking service tells),\n"
           "                                               State \"2\" (StateEx \"202\" when out for "
           "delivery)\n"
           "                                               or \"3\"\n"
           "  LogisticCode REFUSED...                   -> its refused parcel: State \"4\" (a problem "
           "parcel),\n"
           "                                               StateEx \"404\" (拒收), the newest Trace saying "
           "签收\n"
           "  LogisticCode MIXED...                     -> its Traces out of order, one of them twice\n"
           "  LogisticCode OLD...                       -> as the older documents answer: State a number,\n"
           "                                               no StateEx, Reason null, AcceptTime yyyy/MM/dd\n"
           "  LogisticCode OLDNONE...                   -> Success false, Reason null, Traces [] (no "
           "traces)\n";
}

void SandboxServer::installKdniao()
{
    m_server->Post(
        "/Ebusiness/EbusinessOrderHandle.aspx",
        [this](const httplib::Request &request, httplib::Response &response) {
            recordBody(request.body);
            std::map<std::string, std::string> form = formFields(request.body);
            const std::string businessId = form["EBusinessID"];
            const std::string data = form["RequestData"];
            const QByteArray expected
                = QCryptographicHash::hash(QByteArray::fromStdString(data + m_options.kdniaoAppKey),
                                           QCryptographicHash::Md5)
                      .toHex()
                      .toBase64();
            QJsonObject answer;
            const QJsonObject query = QJsonDocument::fromJson(QByteArray::fromStdString(data)).object();
            const std::string shipper = query.value(QStringLiteral("ShipperCode")).toString().toStdString();
            const std::string number = query.value(QStringLiteral("LogisticCode")).toString().toStdString();
            const std::string customer = query.value(QStringLiteral("CustomerName")).toString().toStdString();
            const std::string com = comForKdniaoShipperCode(QString::fromStdString(shipper)).toStdString();
            // OLD...: answered in the older documents' form.
            const bool older = startsWith(number, "OLD");
            if (businessId != m_options.kdniaoBusinessId || form["DataSign"] != expected.toStdString()) {
                answer = refusal(businessId, "验证数据签名失败");
            } else if (form["RequestType"] != "1002") {
                answer = refusal(businessId, "RequestType指令错误");
            } else if (com.empty()) {
                answer = refusal(businessId, "暂不支持该快递公司");
            } else if (sandboxNumberKind(number) == SandboxNumber::Empty) {
                answer = refusal(businessId, "LogisticCode不能为空");
            } else if (sandboxNumberKind(number) == SandboxNumber::BadFormat) {
                answer = refusal(businessId, "单号格式不正确");
            } else if (shipper == "SF" && !isPhoneDigits(customer)) {
                answer = refusal(businessId, "顺丰单号需要提供CustomerName(寄件人或收件人手机号后四位)");
            } else if (startsWith(number, "QUOTA")) {
                answer = refusal(businessId, "今日查询次数已用完,请升级套餐");
            } else if (startsWith(number, "BUSY")) {
                answer = refusal(businessId, "请求过于频繁,请稍后再试");
            } else if (older && sandboxNumberKind(number) != SandboxNumber::Story) {
                // The older documents' answer for a number without traces.
                answer.insert(QStringLiteral("EBusinessID"), QString::fromStdString(businessId));
                answer.insert(QStringLiteral("Success"), false);
                answer.insert(QStringLiteral("Reason"), QJsonValue());
                answer.insert(QStringLiteral("Traces"), QJsonArray());
            } else {
                answer.insert(QStringLiteral("EBusinessID"), QString::fromStdString(businessId));
                answer.insert(QStringLiteral("OrderCode"), QString());
                answer.insert(QStringLiteral("ShipperCode"), QString::fromStdString(shipper));
                answer.insert(QStringLiteral("LogisticCode"), QString::fromStdString(number));
                answer.insert(QStringLiteral("Success"), true);
                QJsonArray traces;
                if (sandboxNumberKind(number) != SandboxNumber::Story) {
                    answer.insert(QStringLiteral("State"), QStringLiteral("0"));
                    answer.insert(QStringLiteral("Reason"), QStringLiteral("暂无轨迹信息"));
                } else {
                    std::vector<SandboxRow> rows = storyRows(com, number);
                    const bool refused = isRefusedParcel(number);
                    const bool signedFor = !refused && rows.size() == 8;
                    const bool delivering = !refused && rows.size() == 7;
                    const int state = refused ? 4 : signedFor ? 3 : 2;
                    if (older) {
                        // State as a number, no StateEx, Reason null.
                        answer.insert(QStringLiteral("State"), state);
                        answer.insert(QStringLiteral("Reason"), QJsonValue());
                    } else {
                        answer.insert(QStringLiteral("State"), QString::number(state));
                        answer.insert(QStringLiteral("StateEx"),
                                      refused          ? QStringLiteral("404")
                                          : signedFor  ? QStringLiteral("3")
                                          : delivering ? QStringLiteral("202")
                                                       : QStringLiteral("2"));
                    }
                    if (startsWith(number, "MIXED") && !rows.empty()) {
                        std::reverse(rows.begin(), rows.end());
                        rows.push_back(rows.back());
                    }
                    for (const SandboxRow &row : rows) {
                        QJsonObject trace;
                        std::string time = sandboxLocalTime(row.when);
                        if (older)
                            std::replace(time.begin(), time.begin() + 10, '-', '/');
                        trace.insert(QStringLiteral("AcceptTime"), QString::fromStdString(time));
                        trace.insert(QStringLiteral("AcceptStation"), QString::fromStdString(row.text));
                        trace.insert(QStringLiteral("Location"), QString::fromStdString(row.location));
                        traces.append(trace);
                    }
                }
                answer.insert(QStringLiteral("Traces"), traces);
            }
            response.set_content(json(answer), "application/json; charset=utf-8");
        });
}
