#include "core/carrier_catalogue.h"

#include <QStringList>

// Ordered by service code in ascending byte order; a box index is a catalogue position.
const std::array<Carrier, kCarrierCount> kCarriers = {{
    {"AAE快递", "aae"},
    {"安捷快递", "anjie"},
    {"安信达快递", "anxinda"},
    {"Aramex国际快递", "aramex"},
    {"成都奔腾国际快递", "benteng"},
    {"CCES快递", "cces"},
    {"长通物流", "changtong"},
    {"程光快递", "chengguang"},
    {"城际快递", "chengji"},
    {"城市100", "chengshi100"},
    {"传喜快递", "chuanxi"},
    {"传志快递", "chuanzhi"},
    {"CityLinkExpress", "citylink"},
    {"东方快递", "coe"},
    {"城市之星", "cszx"},
    {"大田物流", "datian"},
    {"大洋物流快递", "dayang"},
    {"德邦物流", "debang"},
    {"德创物流", "dechuang"},
    {"DHL快递", "dhl"},
    {"店通快递", "diantong"},
    {"递达快递", "dida"},
    {"递四方速递", "disifang"},
    {"DPEX快递", "dpex"},
    {"D速快递", "dsu"},
    {"百福东方物流", "ees"},
    {"EMS快递", "ems"},
    {"凡宇快递", "fanyu"},
    {"Fardar", "fardar"},
    {"国际Fedex", "fedex"},
    {"Fedex国内", "fedexcn"},
    {"飞邦物流", "feibang"},
    {"飞豹快递", "feibao"},
    {"原飞航物流", "feihang"},
    {"飞狐快递", "feihu"},
    {"飞远物流", "feiyuan"},
    {"丰达快递", "fengda"},
    {"飞康达快递", "fkd"},
    {"广东邮政物流", "gdyz"},
    {"邮政国内小包", "gnxb"},
    {"共速达物流|快递", "gongsuda"},
    {"国通快递", "guotong"},
    {"山东海红快递", "haihong"},
    {"海盟速递", "haimeng"},
    {"昊盛物流", "haosheng"},
    {"河北建华快递", "hebeijianhua"},
    {"恒路物流", "henglu"},
    {"华企快递", "huaqi"},
    {"华夏龙物流", "huaxialong"},
    {"天地华宇物流", "huayu"},
    {"汇强快递", "huiqiang"},
    {"汇通快递", "huitong"},
    {"海外环球快递", "hwhq"},
    {"佳吉快运", "jiaji"},
    {"佳怡物流", "jiayi"},
    {"加运美快递", "jiayunmei"},
    {"金大物流", "jinda"},
    {"京广快递", "jingguang"},
    {"晋越快递", "jinyue"},
    {"急先达物流", "jixianda"},
    {"嘉里大通物流", "jldt"},
    {"康力物流", "kangli"},
    {"顺鑫(KCS)快递", "kcs"},
    {"快捷快递", "kuaijie"},
    {"跨越快递", "kuayue"},
    {"乐捷递快递", "lejiedi"},
    {"联昊通快递", "lianhaotong"},
    {"成都立即送快递", "lijisong"},
    {"龙邦快递", "longbang"},
    {"民邦快递", "minbang"},
    {"明亮物流", "mingliang"},
    {"闽盛快递", "minsheng"},
    {"港中能达快递", "nengda"},
    {"OCS快递", "ocs"},
    {"平安达", "pinganda"},
    {"中国邮政平邮", "pingyou"},
    {"品速心达快递", "pinsu"},
    {"全晨快递", "quanchen"},
    {"全峰快递", "quanfeng"},
    {"全际通快递", "quanjitong"},
    {"全日通快递", "quanritong"},
    {"全一快递", "quanyi"},
    {"RPX保时达", "rpx"},
    {"如风达快递", "rufeng"},
    {"赛澳递", "saiaodi"},
    {"三态速递", "santai"},
    {"伟邦(SCS)快递", "scs"},
    {"圣安物流", "shengan"},
    {"盛丰物流", "shengfeng"},
    {"盛辉物流", "shenghui"},
    {"申通快递", "shentong"},
    {"顺丰快递", "shunfeng"},
    {"穗佳物流", "suijia"},
    {"速尔快递", "sure"},
    {"天天快递", "tiantian"},
    {"TNT快递", "tnt"},
    {"通成物流", "tongcheng"},
    {"通和天下物流", "tonghe"},
    {"UPS", "ups"},
    {"USPS快递", "usps"},
    {"万家物流", "wanjia"},
    {"微特派", "weitepai"},
    {"祥龙运通快递", "xianglong"},
    {"新邦物流", "xinbang"},
    {"信丰快递", "xinfeng"},
    {"希优特快递", "xiyoute"},
    {"源安达快递", "yad"},
    {"亚风快递", "yafeng"},
    {"一邦快递", "yibang"},
    {"银捷快递", "yinjie"},
    {"亿顺航快递", "yishunhang"},
    {"优速快递", "yousu"},
    {"北京一统飞鸿快递", "ytfh"},
    {"远成物流", "yuancheng"},
    {"圆通快递", "yuantong"},
    {"元智捷诚", "yuanzhi"},
    {"越丰快递", "yuefeng"},
    {"韵达快递", "yunda"},
    {"运通中港快递", "yuntong"},
    {"源伟丰", "ywfex"},
    {"宅急送快递", "zhaijisong"},
    {"芝麻开门快递", "zhima"},
    {"济南中天万运", "zhongtian"},
    {"中铁快运", "zhongtie"},
    {"中通快递", "zhongtong"},
    {"忠信达快递", "zhongxinda"},
    {"中邮物流", "zhongyou"},
}};

namespace {
// The display names as QStrings, made once: saved-parcel files look names up line by line.
const QStringList &displayNames()
{
    static const QStringList names = [] {
        QStringList list;
        list.reserve(kCarrierCount);
        for (const Carrier &carrier : kCarriers)
            list.append(QString::fromUtf8(carrier.name));
        return list;
    }();
    return names;
}
} // namespace

int carrierIndexByName(const QString &displayName)
{
    return static_cast<int>(displayNames().indexOf(displayName));
}

QString carrierName(int position)
{
    if (position < 0 || position >= kCarrierCount)
        return {};
    return displayNames().at(position);
}

QString carrierCode(int position)
{
    if (position < 0 || position >= kCarrierCount)
        return {};
    return QString::fromLatin1(kCarriers[position].code);
}
