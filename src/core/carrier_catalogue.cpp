#include "core/carrier_catalogue.h"

#include <QCoreApplication>
#include <QStringList>

// Ordered by service code in ascending byte order; a box index is a catalogue position. The names are
// the stored ones; carrierShownName gives them in the interface's language.
const std::array<Carrier, kCarrierCount> kCarriers = {{
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "AAE快递"), "aae"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "安捷快递"), "anjie"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "安信达快递"), "anxinda"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "Aramex国际快递"), "aramex"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "成都奔腾国际快递"), "benteng"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "CCES快递"), "cces"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "长通物流"), "changtong"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "程光快递"), "chengguang"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "城际快递"), "chengji"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "城市100"), "chengshi100"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "传喜快递"), "chuanxi"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "传志快递"), "chuanzhi"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "CityLinkExpress"), "citylink"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "东方快递"), "coe"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "城市之星"), "cszx"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "大田物流"), "datian"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "大洋物流快递"), "dayang"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "德邦物流"), "debang"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "德创物流"), "dechuang"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "DHL快递"), "dhl"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "店通快递"), "diantong"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "递达快递"), "dida"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "递四方速递"), "disifang"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "DPEX快递"), "dpex"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "D速快递"), "dsu"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "百福东方物流"), "ees"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "EMS快递"), "ems"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "凡宇快递"), "fanyu"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "Fardar"), "fardar"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "国际Fedex"), "fedex"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "Fedex国内"), "fedexcn"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "飞邦物流"), "feibang"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "飞豹快递"), "feibao"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "原飞航物流"), "feihang"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "飞狐快递"), "feihu"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "飞远物流"), "feiyuan"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "丰达快递"), "fengda"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "飞康达快递"), "fkd"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "广东邮政物流"), "gdyz"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "邮政国内小包"), "gnxb"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "共速达物流|快递"), "gongsuda"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "国通快递"), "guotong"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "山东海红快递"), "haihong"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "海盟速递"), "haimeng"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "昊盛物流"), "haosheng"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "河北建华快递"), "hebeijianhua"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "恒路物流"), "henglu"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "华企快递"), "huaqi"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "华夏龙物流"), "huaxialong"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "天地华宇物流"), "huayu"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "汇强快递"), "huiqiang"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "汇通快递"), "huitong"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "海外环球快递"), "hwhq"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "佳吉快运"), "jiaji"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "佳怡物流"), "jiayi"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "加运美快递"), "jiayunmei"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "金大物流"), "jinda"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "京广快递"), "jingguang"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "晋越快递"), "jinyue"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "急先达物流"), "jixianda"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "嘉里大通物流"), "jldt"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "康力物流"), "kangli"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "顺鑫(KCS)快递"), "kcs"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "快捷快递"), "kuaijie"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "跨越快递"), "kuayue"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "乐捷递快递"), "lejiedi"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "联昊通快递"), "lianhaotong"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "成都立即送快递"), "lijisong"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "龙邦快递"), "longbang"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "民邦快递"), "minbang"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "明亮物流"), "mingliang"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "闽盛快递"), "minsheng"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "港中能达快递"), "nengda"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "OCS快递"), "ocs"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "平安达"), "pinganda"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "中国邮政平邮"), "pingyou"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "品速心达快递"), "pinsu"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "全晨快递"), "quanchen"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "全峰快递"), "quanfeng"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "全际通快递"), "quanjitong"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "全日通快递"), "quanritong"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "全一快递"), "quanyi"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "RPX保时达"), "rpx"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "如风达快递"), "rufeng"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "赛澳递"), "saiaodi"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "三态速递"), "santai"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "伟邦(SCS)快递"), "scs"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "圣安物流"), "shengan"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "盛丰物流"), "shengfeng"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "盛辉物流"), "shenghui"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "申通快递"), "shentong"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "顺丰快递"), "shunfeng"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "穗佳物流"), "suijia"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "速尔快递"), "sure"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "天天快递"), "tiantian"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "TNT快递"), "tnt"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "通成物流"), "tongcheng"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "通和天下物流"), "tonghe"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "UPS"), "ups"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "USPS快递"), "usps"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "万家物流"), "wanjia"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "微特派"), "weitepai"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "祥龙运通快递"), "xianglong"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "新邦物流"), "xinbang"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "信丰快递"), "xinfeng"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "希优特快递"), "xiyoute"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "源安达快递"), "yad"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "亚风快递"), "yafeng"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "一邦快递"), "yibang"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "银捷快递"), "yinjie"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "亿顺航快递"), "yishunhang"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "优速快递"), "yousu"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "北京一统飞鸿快递"), "ytfh"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "远成物流"), "yuancheng"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "圆通快递"), "yuantong"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "元智捷诚"), "yuanzhi"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "越丰快递"), "yuefeng"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "韵达快递"), "yunda"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "运通中港快递"), "yuntong"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "源伟丰"), "ywfex"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "宅急送快递"), "zhaijisong"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "芝麻开门快递"), "zhima"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "济南中天万运"), "zhongtian"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "中铁快运"), "zhongtie"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "中通快递"), "zhongtong"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "忠信达快递"), "zhongxinda"},
    {QT_TRANSLATE_NOOP("CarrierCatalogue", "中邮物流"), "zhongyou"},
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

QString carrierShownName(int position)
{
    if (position < 0 || position >= kCarrierCount)
        return {};
    return QCoreApplication::translate("CarrierCatalogue", kCarriers[position].name);
}

QString carrierShownName(const QString &storedName)
{
    const int position = carrierIndexByName(storedName);
    return position < 0 ? storedName : carrierShownName(position);
}
