// The outlet search page.
#include "sandbox_server.h"

#include "platform/text_codec.h"

#include <httplib.h>

#include <QString>
#include <array>

namespace {
struct Outlet
{
    const char *query; // the name a user types
    std::array<const char *, 6> fields; // name, manager, second name row, telephone, area, not delivered
};

// The names here are listed in outletRules() below; keep both in step.
const Outlet kOutlets[] = {
    {"北京朝阳",
     {"北京朝阳营业部", "王建国", "朝阳区建国路营业点", "010-65001234", "朝阳区建国路、国贸、大望路一带",
      "通州区、顺义区"}},
    {"上海浦东",
     {"上海浦东新区分部", "李秀英", "浦东新区张江营业点", "021-58881234",
      "浦东新区陆家嘴、张江、金桥、外高桥、川沙、周浦、康桥、三林、北蔡、花木、洋泾、塘桥、潍坊、"
      "南码头、东明、上钢、沪东、高行、高东、曹路、合庆、唐镇、祝桥、惠南、新场、宣桥、航头、大团、"
      "老港、书院、万祥、泥城、芦潮港",
      "崇明区"}},
    {"广州天河",
     {"广州天河营业部", "陈志强", "天河区体育西路营业点", "020-38001234",
      "<font color=\"red\">全区</font>派送", "无"}},
};

// The carrier's result page: a GBK table whose value cells the program finds by counting "td".
// The doctype's ".dtd" is the page's first "td"; every value cell opens with exactly nineteen
// characters after its "td" (twenty for the last), as the program expects.
std::string resultPage(const std::array<QString, 6> &values)
{
    const char *captions[]
        = {"网点名称：", "负责人：", "网点名称：", "联系电话：", "派送范围：", "不派送范围："};
    QString page = QStringLiteral(
        "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
        "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">\r\n"
        "<html xmlns=\"http://www.w3.org/1999/xhtml\">\r\n<head>\r\n"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\" />\r\n"
        "<title>网点查询</title>\r\n</head>\r\n<body>\r\n<table width=\"560\" border=\"1\">\r\n"
        "<tr><td colspan=\"2\" align=\"center\">网点查询结果</td></tr>\r\n");
    for (int i = 0; i < 6; ++i) {
        const QString open = i < 5 ? QStringLiteral("<td bgcolor=\"#FFFFFF\">")
                                   : QStringLiteral("<td bgcolor=\"#FFFFFF\" >");
        page += QStringLiteral("<tr><td align=\"right\">") + QString::fromUtf8(captions[i])
            + QStringLiteral("</td>") + open + values[i] + QStringLiteral("</td></tr>\r\n");
    }
    page += QStringLiteral("</table>\r\n</body>\r\n</html>\r\n");
    return encodeGb(page).toStdString();
}
} // namespace

void SandboxServer::installOutlets()
{
    m_server->Get("/query_list.asp", [](const httplib::Request &request, httplib::Response &response) {
        const std::string name = request.get_param_value("name");
        std::array<QString, 6> values;
        for (const Outlet &outlet : kOutlets) {
            if (name == outlet.query) {
                for (int i = 0; i < 6; ++i)
                    values[i] = QString::fromUtf8(outlet.fields[i]);
            }
        }
        response.set_content(resultPage(values), "text/html; charset=gbk");
    });
}

std::string SandboxServer::outletRules()
{
    return "Outlet search page (GBK, charset in Content-Type and in a meta tag):\n"
           "  GET /query_list.asp?name=N     -> the result table of outlet N, for N one of\n"
           "                                    北京朝阳  上海浦东 (a long delivery area)\n"
           "                                    广州天河 (markup with \"</\" inside a cell);\n"
           "                                    any other name: the table with empty values\n";
}
