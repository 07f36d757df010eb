#include "services/carrier_tables.h"

#include "core/carrier_catalogue.h"

#include <QCoreApplication>
#include <cstring>

namespace {
struct KdniaoRow
{
    const char *com;
    const char *shipperCode;
};

// 快递鸟's carrier codes, from its list of supported carriers (《快递鸟接口支持快递公司编码》,
// kdniao.com/documents). Only carriers whose name there is this catalogue's carrier are listed;
// a code the list gives to two companies over time (AXD) is left out.
const KdniaoRow kKdniao[] = {
    {"aae", "AAE"},
    {"anjie", "AJ"},
    {"aramex", "ARAMEX"},
    {"cces", "CCES"},
    {"chengguang", "CG"},
    {"chengji", "CJKD"},
    {"chengshi100", "CITY100"},
    {"chuanxi", "CXHY"},
    {"coe", "COE"},
    {"datian", "DTWL"},
    {"debang", "DBL"},
    {"dhl", "DHL"},
    {"disifang", "D4PX"},
    {"dpex", "DPEX"},
    {"dsu", "DSWL"},
    {"ees", "BFDF"},
    {"ems", "EMS"},
    {"fanyu", "FYKD"},
    {"fedex", "FEDEX_GJ"},
    {"fedexcn", "FEDEX"},
    {"feihang", "YFHEX"},
    {"fkd", "FKD"},
    {"gdyz", "GDEMS"},
    {"gnxb", "YZPY"},
    {"gongsuda", "GSD"},
    {"guotong", "GTO"},
    {"henglu", "HLWL"},
    {"huaqi", "HQKD"},
    {"huaxialong", "HXLWL"},
    {"huayu", "HOAU"},
    {"huiqiang", "ZHQKD"},
    {"huitong", "HTKY"},
    {"jiaji", "CNEX"},
    {"jiayi", "JYWL"},
    {"jiayunmei", "JYM"},
    {"jingguang", "JGSD"},
    {"jinyue", "JYKD"},
    {"jixianda", "JXD"},
    {"jldt", "JLDT"},
    {"kuaijie", "FAST"},
    {"kuayue", "KYSY"},
    {"lianhaotong", "LHT"},
    {"lijisong", "LJSKD"},
    {"longbang", "LB"},
    {"minbang", "MB"},
    {"mingliang", "MLWL"},
    {"nengda", "NEDA"},
    {"ocs", "OCS"},
    {"pinganda", "PADTF"},
    {"pingyou", "YZPY"},
    {"quanchen", "QCKD"},
    {"quanfeng", "QFKD"},
    {"quanritong", "QRT"},
    {"quanyi", "UAPEX"},
    {"rufeng", "RFD"},
    {"saiaodi", "SAD"},
    {"shengan", "SAWL"},
    {"shengfeng", "SFWL"},
    {"shenghui", "SHWL"},
    {"shentong", "STO"},
    {"shunfeng", "SF"},
    {"sure", "SURE"},
    {"tiantian", "HHTT"},
    {"tnt", "TNT"},
    {"ups", "UPS"},
    {"usps", "USPS"},
    {"wanjia", "WJWL"},
    {"weitepai", "WTP"},
    {"xinbang", "XBWL"},
    {"xinfeng", "XFEX"},
    {"xiyoute", "XYT"},
    {"yad", "YADEX"},
    {"yafeng", "YFSD"},
    {"yousu", "UC"},
    {"yuancheng", "YCWL"},
    {"yuantong", "YTO"},
    {"yuefeng", "YFEX"},
    {"yunda", "YD"},
    {"yuntong", "YTKD"},
    {"zhaijisong", "ZJS"},
    {"zhima", "ZMKM"},
    {"zhongtie", "ZTKY"},
    {"zhongtong", "ZTO"},
    {"zhongyou", "ZYWL"},
};

struct Track17Row
{
    const char *com;
    int key;
};

// 17TRACK's carrier keys, from its carrier list (the `key` of each carrier in the API's carrier
// file, res.17track.net/asset/carrier/info/apicarrier.all.json), where the list names the
// catalogue's very company. Left out, to 17TRACK's detection: 韵达 and 百世 (the list has their
// freight and international arms only), OCS (four regional companies of that name), RPX (its one
// entry gives no name the catalogue's 保时达 can be matched with).
const Track17Row kTrack17[] = {
    {"aramex", 100006},   {"citylink", 100081}, {"debang", 190174},      {"dhl", 100001},
    {"disifang", 190094}, {"dpex", 100014},     {"ems", 3013},           {"fedex", 100003},
    {"feihang", 190389},  {"gnxb", 3011},       {"jiayunmei", 191224},   {"jingguang", 190426},
    {"jldt", 191054},     {"kuayue", 190551},   {"lianhaotong", 191165}, {"pingyou", 3011},
    {"santai", 190113},   {"shentong", 190324}, {"shunfeng", 190766},    {"tiantian", 190077},
    {"tnt", 100004},      {"ups", 100002},      {"usps", 21051},         {"xinfeng", 190989},
    {"yousu", 190415},    {"yuantong", 190157}, {"zhongtong", 190455},
};

// Further keys the list gives the same companies: 顺丰's international entry, 跨越's second one.
// 17TRACK may answer with them; they are never sent.
const Track17Row kTrack17Aliases[] = {
    {"shunfeng", 100012},
    {"kuayue", 190845},
};

bool isCatalogueCode(const char *com)
{
    for (const Carrier &carrier : kCarriers) {
        if (std::strcmp(carrier.code, com) == 0)
            return true;
    }
    return false;
}
} // namespace

QString kdniaoShipperCode(const QString &comCode)
{
    const QByteArray com = comCode.toLatin1();
    for (const KdniaoRow &row : kKdniao) {
        if (com == row.com)
            return QString::fromLatin1(row.shipperCode);
    }
    return {};
}

int track17CarrierKey(const QString &comCode)
{
    const QByteArray com = comCode.toLatin1();
    for (const Track17Row &row : kTrack17) {
        if (com == row.com)
            return row.key;
    }
    return 0;
}

QString comForKdniaoShipperCode(const QString &shipperCode)
{
    for (const Carrier &carrier : kCarriers) {
        const QString code = QString::fromLatin1(carrier.code);
        if (!shipperCode.isEmpty() && kdniaoShipperCode(code) == shipperCode)
            return code;
    }
    return {};
}

QString comForTrack17CarrierKey(int key)
{
    if (key == 0)
        return {};
    for (const Carrier &carrier : kCarriers) {
        const QString code = QString::fromLatin1(carrier.code);
        if (track17CarrierKey(code) == key)
            return code;
    }
    for (const Track17Row &row : kTrack17Aliases) {
        if (row.key == key)
            return QString::fromLatin1(row.com);
    }
    return {};
}

QString track17CarrierName(int key)
{
    const QString com = comForTrack17CarrierKey(key);
    for (int i = 0; i < kCarrierCount && !com.isEmpty(); ++i) {
        if (carrierCode(i) == com)
            return carrierName(i);
    }
    return QCoreApplication::translate("CarrierTables", "17TRACK快递公司%1").arg(key);
}

int kdniaoCoverage()
{
    int count = 0;
    for (const KdniaoRow &row : kKdniao)
        count += isCatalogueCode(row.com);
    return count;
}

int track17Coverage()
{
    int count = 0;
    for (const Track17Row &row : kTrack17)
        count += isCatalogueCode(row.com);
    return count;
}
