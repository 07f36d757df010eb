<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>CarrierCatalogue</name>
    <message>
        <source>AAE快递</source>
        <translation>AAE Express</translation>
    </message>
    <message>
        <source>安捷快递</source>
        <translation>Anjie Express</translation>
    </message>
    <message>
        <source>安信达快递</source>
        <translation>Anxinda Express</translation>
    </message>
    <message>
        <source>Aramex国际快递</source>
        <translation>Aramex</translation>
    </message>
    <message>
        <source>成都奔腾国际快递</source>
        <translation>Chengdu Benteng Intl.</translation>
    </message>
    <message>
        <source>CCES快递</source>
        <translation>CCES Express</translation>
    </message>
    <message>
        <source>长通物流</source>
        <translation>Changtong Logistics</translation>
    </message>
    <message>
        <source>程光快递</source>
        <translation>Flyway Express</translation>
    </message>
    <message>
        <source>城际快递</source>
        <translation>Chengji Express</translation>
    </message>
    <message>
        <source>城市100</source>
        <translation>City100</translation>
    </message>
    <message>
        <source>传喜快递</source>
        <translation>Chuanxi Express</translation>
    </message>
    <message>
        <source>传志快递</source>
        <translation>Chuanzhi Express</translation>
    </message>
    <message>
        <source>CityLinkExpress</source>
        <translation>CityLink Express</translation>
    </message>
    <message>
        <source>东方快递</source>
        <translation>COE Express</translation>
    </message>
    <message>
        <source>城市之星</source>
        <translation>City Star Express</translation>
    </message>
    <message>
        <source>大田物流</source>
        <translation>Datian Logistics</translation>
    </message>
    <message>
        <source>大洋物流快递</source>
        <translation>Dayang Logistics</translation>
    </message>
    <message>
        <source>德邦物流</source>
        <translation>Deppon Logistics</translation>
    </message>
    <message>
        <source>德创物流</source>
        <translation>Dechuang Logistics</translation>
    </message>
    <message>
        <source>DHL快递</source>
        <translation>DHL</translation>
    </message>
    <message>
        <source>店通快递</source>
        <translation>Diantong Express</translation>
    </message>
    <message>
        <source>递达快递</source>
        <translation>Dida Express</translation>
    </message>
    <message>
        <source>递四方速递</source>
        <translation>4PX Express</translation>
    </message>
    <message>
        <source>DPEX快递</source>
        <translation>DPEX</translation>
    </message>
    <message>
        <source>D速快递</source>
        <translation>D-Su Express</translation>
    </message>
    <message>
        <source>百福东方物流</source>
        <translation>Baifu Dongfang Logistics</translation>
    </message>
    <message>
        <source>EMS快递</source>
        <translation>EMS</translation>
    </message>
    <message>
        <source>凡宇快递</source>
        <translation>Fanyu Express</translation>
    </message>
    <message>
        <source>Fardar</source>
        <translation>Fardar</translation>
    </message>
    <message>
        <source>国际Fedex</source>
        <translation>FedEx International</translation>
    </message>
    <message>
        <source>Fedex国内</source>
        <translation>FedEx China</translation>
    </message>
    <message>
        <source>飞邦物流</source>
        <translation>Feibang Logistics</translation>
    </message>
    <message>
        <source>飞豹快递</source>
        <translation>Feibao Express</translation>
    </message>
    <message>
        <source>原飞航物流</source>
        <translation>Yuanfeihang Logistics</translation>
    </message>
    <message>
        <source>飞狐快递</source>
        <translation>Feihu Express</translation>
    </message>
    <message>
        <source>飞远物流</source>
        <translation>Feiyuan Logistics</translation>
    </message>
    <message>
        <source>丰达快递</source>
        <translation>Fengda Express</translation>
    </message>
    <message>
        <source>飞康达快递</source>
        <translation>Feikangda Express</translation>
    </message>
    <message>
        <source>广东邮政物流</source>
        <translation>Guangdong Post Logistics</translation>
    </message>
    <message>
        <source>邮政国内小包</source>
        <translation>China Post Domestic Parcel</translation>
    </message>
    <message>
        <source>共速达物流|快递</source>
        <translation>Gongsuda Express</translation>
    </message>
    <message>
        <source>国通快递</source>
        <translation>Guotong Express</translation>
    </message>
    <message>
        <source>山东海红快递</source>
        <translation>Shandong Haihong Express</translation>
    </message>
    <message>
        <source>海盟速递</source>
        <translation>Haimeng Express</translation>
    </message>
    <message>
        <source>昊盛物流</source>
        <translation>Haosheng Logistics</translation>
    </message>
    <message>
        <source>河北建华快递</source>
        <translation>Hebei Jianhua Express</translation>
    </message>
    <message>
        <source>恒路物流</source>
        <translation>Henglu Logistics</translation>
    </message>
    <message>
        <source>华企快递</source>
        <translation>Huaqi Express</translation>
    </message>
    <message>
        <source>华夏龙物流</source>
        <translation>Huaxialong Logistics</translation>
    </message>
    <message>
        <source>天地华宇物流</source>
        <translation>Tiandi Huayu Logistics</translation>
    </message>
    <message>
        <source>汇强快递</source>
        <translation>Huiqiang Express</translation>
    </message>
    <message>
        <source>汇通快递</source>
        <translation>Huitong Express</translation>
    </message>
    <message>
        <source>海外环球快递</source>
        <translation>Haiwai Huanqiu Express</translation>
    </message>
    <message>
        <source>佳吉快运</source>
        <translation>Jiaji Express</translation>
    </message>
    <message>
        <source>佳怡物流</source>
        <translation>Jiayi Logistics</translation>
    </message>
    <message>
        <source>加运美快递</source>
        <translation>Jiayunmei Express</translation>
    </message>
    <message>
        <source>金大物流</source>
        <translation>Jinda Logistics</translation>
    </message>
    <message>
        <source>京广快递</source>
        <translation>Jingguang Express</translation>
    </message>
    <message>
        <source>晋越快递</source>
        <translation>Jinyue Express</translation>
    </message>
    <message>
        <source>急先达物流</source>
        <translation>Jixianda Logistics</translation>
    </message>
    <message>
        <source>嘉里大通物流</source>
        <translation>Kerry EAS Logistics</translation>
    </message>
    <message>
        <source>康力物流</source>
        <translation>Kangli Logistics</translation>
    </message>
    <message>
        <source>顺鑫(KCS)快递</source>
        <translation>Shunxin (KCS) Express</translation>
    </message>
    <message>
        <source>快捷快递</source>
        <translation>Kuaijie Express</translation>
    </message>
    <message>
        <source>跨越快递</source>
        <translation>KY Express</translation>
    </message>
    <message>
        <source>乐捷递快递</source>
        <translation>Lejiedi Express</translation>
    </message>
    <message>
        <source>联昊通快递</source>
        <translation>Lianhaotong Express</translation>
    </message>
    <message>
        <source>成都立即送快递</source>
        <translation>Chengdu Lijisong Express</translation>
    </message>
    <message>
        <source>龙邦快递</source>
        <translation>Longbang Express</translation>
    </message>
    <message>
        <source>民邦快递</source>
        <translation>Minbang Express</translation>
    </message>
    <message>
        <source>明亮物流</source>
        <translation>Mingliang Logistics</translation>
    </message>
    <message>
        <source>闽盛快递</source>
        <translation>Minsheng Express</translation>
    </message>
    <message>
        <source>港中能达快递</source>
        <translation>Nengda Express</translation>
    </message>
    <message>
        <source>OCS快递</source>
        <translation>OCS Express</translation>
    </message>
    <message>
        <source>平安达</source>
        <translation>Pinganda Express</translation>
    </message>
    <message>
        <source>中国邮政平邮</source>
        <translation>China Post Surface Mail</translation>
    </message>
    <message>
        <source>品速心达快递</source>
        <translation>Pinsu Xinda Express</translation>
    </message>
    <message>
        <source>全晨快递</source>
        <translation>Quanchen Express</translation>
    </message>
    <message>
        <source>全峰快递</source>
        <translation>Quanfeng Express</translation>
    </message>
    <message>
        <source>全际通快递</source>
        <translation>Quanjitong Express</translation>
    </message>
    <message>
        <source>全日通快递</source>
        <translation>Quanritong Express</translation>
    </message>
    <message>
        <source>全一快递</source>
        <translation>Quanyi Express</translation>
    </message>
    <message>
        <source>RPX保时达</source>
        <translation>RPX Baoshida</translation>
    </message>
    <message>
        <source>如风达快递</source>
        <translation>Rufengda Express</translation>
    </message>
    <message>
        <source>赛澳递</source>
        <translation>Saiaodi Express</translation>
    </message>
    <message>
        <source>三态速递</source>
        <translation>Santai Express</translation>
    </message>
    <message>
        <source>伟邦(SCS)快递</source>
        <translation>Weibang (SCS) Express</translation>
    </message>
    <message>
        <source>圣安物流</source>
        <translation>Shengan Logistics</translation>
    </message>
    <message>
        <source>盛丰物流</source>
        <translation>Shengfeng Logistics</translation>
    </message>
    <message>
        <source>盛辉物流</source>
        <translation>Shenghui Logistics</translation>
    </message>
    <message>
        <source>申通快递</source>
        <translation>STO Express</translation>
    </message>
    <message>
        <source>顺丰快递</source>
        <translation>SF Express</translation>
    </message>
    <message>
        <source>穗佳物流</source>
        <translation>Suijia Logistics</translation>
    </message>
    <message>
        <source>速尔快递</source>
        <translation>Sure Express</translation>
    </message>
    <message>
        <source>天天快递</source>
        <translation>TTK Express</translation>
    </message>
    <message>
        <source>TNT快递</source>
        <translation>TNT</translation>
    </message>
    <message>
        <source>通成物流</source>
        <translation>Tongcheng Logistics</translation>
    </message>
    <message>
        <source>通和天下物流</source>
        <translation>Tonghe Tianxia Logistics</translation>
    </message>
    <message>
        <source>UPS</source>
        <translation>UPS</translation>
    </message>
    <message>
        <source>USPS快递</source>
        <translation>USPS</translation>
    </message>
    <message>
        <source>万家物流</source>
        <translation>Wanjia Logistics</translation>
    </message>
    <message>
        <source>微特派</source>
        <translation>Weitepai Express</translation>
    </message>
    <message>
        <source>祥龙运通快递</source>
        <translation>Xianglong Yuntong Express</translation>
    </message>
    <message>
        <source>新邦物流</source>
        <translation>Xinbang Logistics</translation>
    </message>
    <message>
        <source>信丰快递</source>
        <translation>Xinfeng Express</translation>
    </message>
    <message>
        <source>希优特快递</source>
        <translation>Xiyoute Express</translation>
    </message>
    <message>
        <source>源安达快递</source>
        <translation>Yuananda Express</translation>
    </message>
    <message>
        <source>亚风快递</source>
        <translation>Yafeng Express</translation>
    </message>
    <message>
        <source>一邦快递</source>
        <translation>Yibang Express</translation>
    </message>
    <message>
        <source>银捷快递</source>
        <translation>Yinjie Express</translation>
    </message>
    <message>
        <source>亿顺航快递</source>
        <translation>Yishunhang Express</translation>
    </message>
    <message>
        <source>优速快递</source>
        <translation>UC Express</translation>
    </message>
    <message>
        <source>北京一统飞鸿快递</source>
        <translation>Yitong Feihong Express</translation>
    </message>
    <message>
        <source>远成物流</source>
        <translation>Yuancheng Logistics</translation>
    </message>
    <message>
        <source>圆通快递</source>
        <translation>YTO Express</translation>
    </message>
    <message>
        <source>元智捷诚</source>
        <translation>Yuanzhi Jiecheng Express</translation>
    </message>
    <message>
        <source>越丰快递</source>
        <translation>Yuefeng Express</translation>
    </message>
    <message>
        <source>韵达快递</source>
        <translation>Yunda Express</translation>
    </message>
    <message>
        <source>运通中港快递</source>
        <translation>Yuntong China-HK Express</translation>
    </message>
    <message>
        <source>源伟丰</source>
        <translation>Yuanweifeng Express</translation>
    </message>
    <message>
        <source>宅急送快递</source>
        <translation>ZJS Express</translation>
    </message>
    <message>
        <source>芝麻开门快递</source>
        <translation>Zhima Kaimen Express</translation>
    </message>
    <message>
        <source>济南中天万运</source>
        <translation>Jinan Zhongtian Wanyun</translation>
    </message>
    <message>
        <source>中铁快运</source>
        <translation>China Railway Express</translation>
    </message>
    <message>
        <source>中通快递</source>
        <translation>ZTO Express</translation>
    </message>
    <message>
        <source>忠信达快递</source>
        <translation>Zhongxinda Express</translation>
    </message>
    <message>
        <source>中邮物流</source>
        <translation>China Post Logistics</translation>
    </message>
</context>
<context>
    <name>CarrierHint</name>
    <message>
        <source>可能是：</source>
        <translation>Could be:</translation>
    </message>
</context>
<context>
    <name>CarrierTables</name>
    <message>
        <source>17TRACK快递公司%1</source>
        <translation>17TRACK carrier %1</translation>
    </message>
</context>
<context>
    <name>ClipboardOffer</name>
    <message>
        <source>添加快递 %1?</source>
        <translation>Add parcel %1?</translation>
    </message>
    <message>
        <source>添加快递 %1 (%2)?</source>
        <translation>Add parcel %1 (%2)?</translation>
    </message>
</context>
<context>
    <name>ClipboardWatch</name>
    <message>
        <source>添加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>忽略</source>
        <translation>Ignore</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>parcelvue: 正在运行的窗口已接受导入 %1,等待结果…</source>
        <translation>parcelvue: the running window took the import of %1; waiting for the result…</translation>
    </message>
    <message>
        <source>parcelvue: 窗口仍在导入,已等待%1秒…</source>
        <translation>parcelvue: the window is still importing; waited %1 s…</translation>
    </message>
    <message>
        <source>parcelvue: 不再等待导入的结果;导入仍在窗口中进行,结果请看窗口中的快递列表。</source>
        <translation>parcelvue: no longer waiting for the result; the import goes on in the window, whose parcel list shows it.</translation>
    </message>
    <message>
        <source>%1(parcelvue --help 列出全部命令)</source>
        <translation>%1 (parcelvue --help lists the commands)</translation>
    </message>
    <message>
        <source>无法打开物流记录数据库 %1: %2。请检查数据目录是否可写,或关闭正在使用它的程序后再试。</source>
        <translation>The tracking history %1 cannot be opened: %2. Check that the data directory is writable, or close the program using it and try again.</translation>
    </message>
    <message>
        <source>track 需要快递公司和单号,例如: parcelvue track shunfeng SF1234567890</source>
        <translation>track takes a carrier and a number, e.g. parcelvue track shunfeng SF1234567890</translation>
    </message>
    <message>
        <source>不认识的快递公司&quot;%1&quot;:请给出服务代码(shunfeng)或名称(顺丰快递)</source>
        <translation>unknown carrier &quot;%1&quot;: give a service code (shunfeng) or a name (顺丰快递)</translation>
    </message>
    <message>
        <source>单号不能为空,也不能含有&quot;|&quot;</source>
        <translation>the number must not be empty or contain &quot;|&quot;</translation>
    </message>
    <message>
        <source>查询服务 %1 答复: %2(单号 %3)</source>
        <translation>The tracking service %1 answered: %2 (number %3)</translation>
    </message>
    <message>
        <source>物流记录未能存入数据库 %1: %2</source>
        <translation>The tracking rows could not be stored in the history %1: %2</translation>
    </message>
    <message>
        <source>状态: %1</source>
        <translation>Status: %1</translation>
    </message>
    <message>
        <source>运送时间: %1</source>
        <translation>Transit time: %1</translation>
    </message>
    <message>
        <source>已查询%1个快递,%2个有最新动态,%3个查询失败
</source>
        <translation>Queried %1 parcels: %2 with news, %3 failed
</translation>
    </message>
    <message>
        <source>%1个快递未查询: </source>
        <translation>%1 parcels not queried: </translation>
    </message>
    <message>
        <source>有物流信息%1个,单号被拒%2个,连接失败%3个,账号问题%4个,未查询%5个
</source>
        <translation>With tracking information: %1, number refused: %2, connection failed: %3, account problem: %4, not queried: %5
</translation>
    </message>
    <message>
        <source>只有 list 接受 --all</source>
        <translation>only list takes --all</translation>
    </message>
    <message>
        <source>不认识的选项 %1</source>
        <translation>unknown option %1</translation>
    </message>
    <message>
        <source>%1 不接受 --json</source>
        <translation>%1 takes no --json</translation>
    </message>
    <message>
        <source>%1 除选项外不接受参数</source>
        <translation>%1 takes no arguments besides its options</translation>
    </message>
    <message>
        <source>%1 需要一个文件,例如: parcelvue %1 parcels.json</source>
        <translation>%1 takes one file, e.g. parcelvue %1 parcels.json</translation>
    </message>
    <message>
        <source>%1 需要一个值(见 parcelvue --help)</source>
        <translation>%1 needs a value (see parcelvue --help)</translation>
    </message>
    <message>
        <source>scan-mail 一次只读取一个邮件文件夹</source>
        <translation>scan-mail reads one mail folder at a time</translation>
    </message>
    <message>
        <source>--days 需要天数,0 表示全部邮件</source>
        <translation>--days takes a number of days, 0 for every mail</translation>
    </message>
    <message>
        <source>scan-mail 不认识 %1(见 parcelvue --help)</source>
        <translation>scan-mail does not know %1 (see parcelvue --help)</translation>
    </message>
    <message>
        <source>无法读取 %1,请检查该文件是否存在且可读</source>
        <translation>%1 cannot be read; check that the file exists and is readable</translation>
    </message>
    <message>
        <source>读取了%1封邮件,找到%2个新单号</source>
        <translation>Mails read: %1; new numbers found: %2</translation>
    </message>
    <message>
        <source>找到的单号未能交给导入(无法建立临时文件),请检查临时目录是否可写</source>
        <translation>The numbers found could not be handed to the import (no temporary file); check that the temporary directory is writable</translation>
    </message>
    <message>
        <source>快递公司	快递数	已签收	中位运送时间	80%运送时间	问题件占比
</source>
        <translation>Carrier	Parcels	Delivered	Median transit	80% transit	Exception share
</translation>
    </message>
    <message>
        <source>
月份	签收数
</source>
        <translation>
Month	Delivered
</translation>
    </message>
    <message>
        <source>命令(不打开窗口;可在没有显示器时、由定时器或经 ssh 运行):
  parcelvue track 快递公司 单号 [--json]      物流信息(最新在前)、状态、运送时间
      parcelvue track shunfeng SF1234567890
      parcelvue track 顺丰快递 SF1234567890 --json
  parcelvue list [--all] [--json]           每个已保存快递及其状态;已归档的
                                            只在加 --all 时列出
      parcelvue list --json
  parcelvue refresh [--json]                立即查询每个已保存快递,列出有最新动态的
      parcelvue refresh
  parcelvue export 文件                     把每个已保存快递导出到 文件.json(含物流记录)或 文件.csv
      parcelvue export ~/parcels.json
  parcelvue import 文件                     添加 文件.json 或 文件.csv 中尚未保存的快递,
                                            并合并全部快递的物流记录(用于备份恢复)
      parcelvue import ~/parcels.csv
  parcelvue stats [--json]                  按快递公司:快递数、已签收、运送时间、
                                            问题件占比;每月签收数
      parcelvue stats
  parcelvue scan-mail [--json] [--add] [--days N] [--mbox 文件 | --maildir 目录]
                                            最近 N 天(默认 30;0 为全部)邮件中尚未保存的快递
                                            单号:“从邮件导入”中设置的收件服务器(上次读取后
                                            的新邮件),或本地邮件文件夹;加 --add 时保存它们
      parcelvue scan-mail --mbox ~/.thunderbird/x.default/Mail/Local\ Folders/Inbox
退出码:
  0 完成(refresh: 每个快递都已查询)
  1 文件被拒绝或未能写入
  2 用法错误
  3 查询服务拒绝了单号:单号错误、没有信息、无法识别快递公司
    (refresh: 全部被拒)
  4 传输失败:无法连接、没有答复、查询服务故障(refresh: 全部如此)
  5 查询服务要求等待(繁忙,或额度暂时用完):快递未查询,并给出
    可再次查询的时间
  6 refresh: 部分快递已查询,其余失败(各项数目见标准错误输出)
  7 查询服务的账号问题:密钥错误、额度或每日次数用完、缺少手机号
</source>
        <translation>Commands (no window; they run without a display, from a timer or over ssh):
  parcelvue track CARRIER NUMBER [--json]   progress rows newest first, status, transit time
      parcelvue track shunfeng SF1234567890
      parcelvue track 顺丰快递 SF1234567890 --json
  parcelvue list [--all] [--json]           every saved parcel with its state; archived ones
                                            only with --all
      parcelvue list --json
  parcelvue refresh [--json]                query every saved parcel now, print those with news
      parcelvue refresh
  parcelvue export FILE                     every saved parcel to FILE.json (with history) or FILE.csv
      parcelvue export ~/parcels.json
  parcelvue import FILE                     add the parcels of FILE.json or FILE.csv not saved yet,
                                            merge the history of all of them (a backup)
      parcelvue import ~/parcels.csv
  parcelvue stats [--json]                  per carrier: parcels, signed for, transit times,
                                            share of problems; parcels received per month
      parcelvue stats
  parcelvue scan-mail [--json] [--add] [--days N] [--mbox FILE | --maildir DIR]
                                            tracking numbers not saved yet in the mails of the
                                            last N days (30; 0 for all): the mailbox set up in
                                            Import from mail (new mail since its last scan), or a
                                            local mail folder; --add saves them
      parcelvue scan-mail --mbox ~/.thunderbird/x.default/Mail/Local\ Folders/Inbox
Exit codes:
  0 done (refresh: every parcel queried)
  1 a file refused or not written
  2 usage
  3 the service refused the number: wrong number, no information, carrier not detected
    (refresh: it refused them all)
  4 the transfer failed: no connection, no answer, the service out of order (refresh: for all)
  5 the service asked to wait (busy, or its quota spent meanwhile): parcels not queried, with
    the time it allows again
  6 refresh: some parcels queried, others failed (the counts on standard error)
  7 the service&apos;s account: a wrong key, a spent quota or daily limit, a missing phone number
</translation>
    </message>
    <message>
        <source>没有设置收件服务器:请在“从邮件导入”中设置,或用 --mbox FILE / --maildir DIR</source>
        <translation>No mail server set up: set one up in Import from Mail, or use --mbox FILE / --maildir DIR</translation>
    </message>
    <message>
        <source>密钥环中没有收件服务器 %1 的密码:请在“从邮件导入”中填写并读取一次</source>
        <translation>The keyring has no password for the mail server %1: enter it in Import from Mail and read once</translation>
    </message>
    <message>
        <source>物流记录数据库无法打开: %1</source>
        <translation>The tracking history cannot be opened: %1</translation>
    </message>
    <message>
        <source>读取的位置未能存入数据库: %1</source>
        <translation>Where the reading stopped could not be stored in the database: %1</translation>
    </message>
</context>
<context>
    <name>DeliveryEstimate</name>
    <message>
        <source>M月d日</source>
        <translation>MMM d</translation>
    </message>
    <message>
        <source>yyyy年M月d日</source>
        <translation>MMM d, yyyy</translation>
    </message>
    <message>
        <source>%1天%2小时</source>
        <translation>%1d %2h</translation>
    </message>
    <message>
        <source>%1天</source>
        <translation>%1d</translation>
    </message>
    <message>
        <source>%1小时</source>
        <translation>%1h</translation>
    </message>
    <message>
        <source>%1分钟</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>%1天内</source>
        <translation>within %1d</translation>
    </message>
    <message>
        <source>%1小时内</source>
        <translation>within %1h</translation>
    </message>
    <message>
        <source>预计 %1 (%2)</source>
        <translation>Expected %1 (%2)</translation>
    </message>
    <message>
        <source>预计 %1左右 (按您以往的%2: 中位 %3, 80% %4)</source>
        <translation>Expected around %1 (from your past %2 parcels: median %3, 80% %4)</translation>
    </message>
</context>
<context>
    <name>DesktopNotifier</name>
    <message>
        <source>查看</source>
        <translation>View</translation>
    </message>
</context>
<context>
    <name>DesktopOptions</name>
    <message>
        <source>桌面通知</source>
        <translation>Desktop notifications</translation>
    </message>
    <message>
        <source>最小化到托盘</source>
        <translation>Minimize to tray</translation>
    </message>
    <message>
        <source>桌面没有托盘</source>
        <translation>The desktop has no tray</translation>
    </message>
    <message>
        <source>识别剪贴板中的单号</source>
        <translation>Numbers from the clipboard</translation>
    </message>
    <message>
        <source>复制的文字里有一个新单号时询问是否添加;剪贴板的内容不会保存</source>
        <translation>When copied text holds a new tracking number, ask whether to add it; the clipboard&apos;s content is never kept</translation>
    </message>
    <message>
        <source>从邮件导入</source>
        <translation>Import from Mail</translation>
    </message>
    <message>
        <source>自动</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>重新启动 Parcelvue 后生效</source>
        <translation>Takes effect when Parcelvue is restarted</translation>
    </message>
    <message>
        <source>界面语言:</source>
        <translation>Language:</translation>
    </message>
    <message>
        <source>界面语言</source>
        <translation>Language</translation>
    </message>
</context>
<context>
    <name>DesktopSession</name>
    <message>
        <source>设置保存失败!请检查磁盘或权限..</source>
        <translation>Settings not saved! Check the disk or permissions..</translation>
    </message>
    <message>
        <source>快递列表 (*.json *.csv);;JSON (*.json);;CSV (*.csv)</source>
        <translation>Parcel lists (*.json *.csv);;JSON (*.json);;CSV (*.csv)</translation>
    </message>
    <message>
        <source>全部快递</source>
        <translation>All Parcels</translation>
    </message>
    <message>
        <source>查询服务</source>
        <translation>Tracking Service</translation>
    </message>
    <message>
        <source>从邮件导入</source>
        <translation>Import from Mail</translation>
    </message>
    <message>
        <source>快递%1的物流记录未能存入数据库%2: %3</source>
        <translation>The tracking records of parcel %1 could not be stored in the database %2: %3</translation>
    </message>
</context>
<context>
    <name>DetailsModel</name>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>进度</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>首次看到</source>
        <translation>First seen</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>官方网站</source>
        <translation>Website</translation>
    </message>
    <message>
        <source>查询提示：</source>
        <translation>Status:</translation>
    </message>
    <message>
        <source>程序检测更新中...</source>
        <translation>Checking for updates...</translation>
    </message>
    <message>
        <source>版本号</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Lumetra出品</source>
        <translation>By Lumetra</translation>
    </message>
    <message>
        <source>我的快递：</source>
        <translation>Parcels:</translation>
    </message>
    <message>
        <source>添加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>操作</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Setup</translation>
    </message>
    <message>
        <source>清空</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>导出</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>链接菜单</source>
        <translation>Links menu</translation>
    </message>
    <message>
        <source>更多功能</source>
        <translation>More</translation>
    </message>
    <message>
        <source>快件状态</source>
        <translation>State</translation>
    </message>
    <message>
        <source>未查询</source>
        <translation>Not queried</translation>
    </message>
    <message>
        <source>更新状态</source>
        <translation>Updates</translation>
    </message>
    <message>
        <source>运送时间</source>
        <translation>Transit</translation>
    </message>
    <message>
        <source>从快递接单时间算起</source>
        <translation>Counted from when the carrier accepted the parcel</translation>
    </message>
    <message>
        <source>物流进度</source>
        <translation>Tracking progress</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>物流进度 ( 双击列表可复制单条物流进度 )</source>
        <translation>Progress (double-click a row to copy it)</translation>
    </message>
    <message>
        <source>添加新快递</source>
        <translation>Add a parcel</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>快递单号：</source>
        <translation>Number:</translation>
    </message>
    <message>
        <source>物流公司：</source>
        <translation>Carrier:</translation>
    </message>
    <message>
        <source>快捷搜索</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>备注信息：</source>
        <translation>Note:</translation>
    </message>
    <message>
        <source>是否添加后自动关闭本页,如需继续添加请取消勾选</source>
        <translation>Close this page after adding (untick to add more)</translation>
    </message>
    <message>
        <source>开始查询</source>
        <translation>Track</translation>
    </message>
    <message>
        <source>相关设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>语音提醒</source>
        <translation>Sound alert</translation>
    </message>
    <message>
        <source>如快递有更新是否启用语音提醒功能</source>
        <translation>Play a sound when a parcel has news</translation>
    </message>
    <message>
        <source>如果快递有最新动态，是否启用邮件及时通知</source>
        <translation>E-mail me when a parcel has news</translation>
    </message>
    <message>
        <source>通知邮箱：</source>
        <translation>E-mail:</translation>
    </message>
    <message>
        <source>定时查询功能</source>
        <translation>Query at a set time</translation>
    </message>
    <message>
        <source>请设定时间：</source>
        <translation>Set time:</translation>
    </message>
    <message>
        <source>时</source>
        <translation>h</translation>
    </message>
    <message>
        <source>分</source>
        <translation>m</translation>
    </message>
    <message>
        <source>开始定时</source>
        <translation>Start timer</translation>
    </message>
    <message>
        <source>循环查询</source>
        <translation>Loop mode</translation>
    </message>
    <message>
        <source>循环查询功能</source>
        <translation>Query in a loop</translation>
    </message>
    <message>
        <source>每隔</source>
        <translation>Wait</translation>
    </message>
    <message>
        <source>分钟自动进行一次查询</source>
        <translation>minutes, then query again</translation>
    </message>
    <message>
        <source>开始循环</source>
        <translation>Start loop</translation>
    </message>
    <message>
        <source>定时查询</source>
        <translation>Timer mode</translation>
    </message>
    <message>
        <source>单号操作</source>
        <translation>Edit parcel</translation>
    </message>
    <message>
        <source>快递公司：</source>
        <translation>Carrier:</translation>
    </message>
    <message>
        <source>快递备注：</source>
        <translation>Note:</translation>
    </message>
    <message>
        <source>修改</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>请输入快递单号!</source>
        <translation>Please enter a tracking number!</translation>
    </message>
    <message>
        <source>单号不正确,请您检查!</source>
        <translation>The number is not valid, please check it!</translation>
    </message>
    <message>
        <source>请选择快递公司!</source>
        <translation>Please choose a carrier!</translation>
    </message>
    <message>
        <source>请输入快递备注信息,例如：爸爸衣服</source>
        <translation>Please enter a note, e.g. Dad&apos;s clothes</translation>
    </message>
    <message>
        <source>您好,您当前输入的单号不存在有效信息,是否先进行保存?</source>
        <translation>There is no tracking information for this number yet. Save it anyway?</translation>
    </message>
    <message>
        <source>单号已成功保存</source>
        <translation>The number has been saved</translation>
    </message>
    <message>
        <source>您好,您当前查询的快递单号已不存在,是否删除?</source>
        <translation>This tracking number no longer exists. Delete it?</translation>
    </message>
    <message>
        <source>没有可导出的数据!</source>
        <translation>There is nothing to export!</translation>
    </message>
    <message>
        <source>已取消保存</source>
        <translation>Saving cancelled</translation>
    </message>
    <message>
        <source>成功导出全部数据!</source>
        <translation>All data exported!</translation>
    </message>
    <message>
        <source>成功导出全部数据..</source>
        <translation>All data exported..</translation>
    </message>
    <message>
        <source>导出失败,无法写入文件!</source>
        <translation>Export failed: the file cannot be written!</translation>
    </message>
    <message>
        <source>导出失败,无法写入文件..</source>
        <translation>Export failed: the file cannot be written..</translation>
    </message>
    <message>
        <source>请先选择快递..</source>
        <translation>Please choose a parcel first..</translation>
    </message>
    <message>
        <source>快递物品：%1<byte value="xd"/>
快递公司：%2<byte value="xd"/>
快递单号：%3</source>
        <translation>Item: %1<byte value="xd"/>
Carrier: %2<byte value="xd"/>
Number: %3</translation>
    </message>
    <message>
        <source>当前快递信息已复制..</source>
        <translation>Parcel details copied..</translation>
    </message>
    <message>
        <source>当前没有物流信息</source>
        <translation>No tracking information yet</translation>
    </message>
    <message>
        <source>时间:%1</source>
        <translation>Time: %1</translation>
    </message>
    <message>
        <source>物流进度:%1</source>
        <translation>Progress: %1</translation>
    </message>
    <message>
        <source>物流跟踪信息</source>
        <translation>Tracking information</translation>
    </message>
    <message>
        <source>单条物流进度已复制..</source>
        <translation>Progress entry copied..</translation>
    </message>
    <message>
        <source>关闭定时</source>
        <translation>Stop timer</translation>
    </message>
    <message>
        <source>停止循环</source>
        <translation>Stop loop</translation>
    </message>
    <message>
        <source>请先查询单号后在使用定时功能!</source>
        <translation>Please query a number before using the timer!</translation>
    </message>
    <message>
        <source>请设定查询时间!</source>
        <translation>Please set the query time!</translation>
    </message>
    <message>
        <source>请先查询单号后在使用本功能!</source>
        <translation>Please query a number before using this feature!</translation>
    </message>
    <message>
        <source>请先设定时间!</source>
        <translation>Please set the interval first!</translation>
    </message>
    <message>
        <source>当前正在定时查询,是否终止?</source>
        <translation>A timed query is set. Cancel it?</translation>
    </message>
    <message>
        <source>当前正在循环查询,是否终止?</source>
        <translation>A query loop is running. Stop it?</translation>
    </message>
    <message>
        <source>有更新</source>
        <translation>New events</translation>
    </message>
    <message>
        <source>无更新</source>
        <translation>No change</translation>
    </message>
    <message>
        <source> 正发送最新动态邮件,请稍等..</source>
        <translation> Sending the news by e-mail, please wait..</translation>
    </message>
    <message>
        <source>没有邮件组件</source>
        <translation>no mail component</translation>
    </message>
    <message>
        <source>快递有最新进展，已发送至邮箱!</source>
        <translation>The parcel has news; e-mail sent!</translation>
    </message>
    <message>
        <source>最新信息发送失败!错误原因%1</source>
        <translation>Sending the news failed! Reason: %1</translation>
    </message>
    <message>
        <source>发件设置...</source>
        <translation>Sender...</translation>
    </message>
    <message>
        <source>查询完毕...</source>
        <translation>Query complete...</translation>
    </message>
    <message>
        <source>%1快递查询中...</source>
        <translation>Querying %1...</translation>
    </message>
    <message>
        <source>快递列表保存失败!请检查磁盘或权限..</source>
        <translation>Parcel list not saved! Check the disk or permissions..</translation>
    </message>
    <message>
        <source>快递单号已记录!</source>
        <translation>Tracking number saved!</translation>
    </message>
    <message>
        <source>确定要删除[%1]此单号码?</source>
        <translation>Delete the parcel [%1]?</translation>
    </message>
    <message>
        <source>请输入单号!</source>
        <translation>Please enter a number!</translation>
    </message>
    <message>
        <source>请输入快递公司!</source>
        <translation>Please enter a carrier!</translation>
    </message>
    <message>
        <source>请输入备注信息!</source>
        <translation>Please enter a note!</translation>
    </message>
    <message>
        <source>确定要修改[%1]此单号码?</source>
        <translation>Change the parcel [%1]?</translation>
    </message>
    <message>
        <source>确定要清空查询列表吗?</source>
        <translation>Clear the whole parcel list?</translation>
    </message>
    <message>
        <source>查询列表已清空...</source>
        <translation>Parcel list cleared...</translation>
    </message>
    <message>
        <source>设置保存失败!请检查磁盘或权限..</source>
        <translation>Settings not saved! Check the disk or permissions..</translation>
    </message>
    <message>
        <source>设置完毕..</source>
        <translation>Settings saved..</translation>
    </message>
    <message>
        <source>请输入您的E-mail地址..</source>
        <translation>Please enter your e-mail address..</translation>
    </message>
    <message>
        <source>您的E-mail地址输入错误!请您检查!</source>
        <translation>The e-mail address is not valid! Please check it!</translation>
    </message>
    <message>
        <source>Lumetra资源下载站</source>
        <translation>Lumetra downloads</translation>
    </message>
    <message>
        <source>网点信息查询</source>
        <translation>Find a branch</translation>
    </message>
    <message>
        <source>程序在线反馈</source>
        <translation>Send feedback</translation>
    </message>
    <message>
        <source>访问官方论坛</source>
        <translation>Visit the forum</translation>
    </message>
    <message>
        <source>Lumetra官方网站</source>
        <translation>Lumetra website</translation>
    </message>
    <message>
        <source>访问软件工作室</source>
        <translation>Visit the studio</translation>
    </message>
    <message>
        <source>感谢您对Tavi、对Lumetra系列的软件的支持!</source>
        <translation>Thank you for supporting Tavi and Lumetra&apos;s software!</translation>
    </message>
    <message>
        <source>是否退出并到论坛可以下载更多Lumetra系列原创免费软件?</source>
        <translation>Quit and visit the forum for more free Lumetra software?</translation>
    </message>
    <message>
        <source>检测更新失败!请您稍后再试,暂时使用原版</source>
        <translation>Could not check for updates! Please try again later; this version stays in use</translation>
    </message>
    <message>
        <source>程序已加载完毕...</source>
        <translation>Ready...</translation>
    </message>
    <message>
        <source>发现最新版本![%1]<byte value="xd"/>
 <byte value="xd"/>
确定后自动打开官方网站!</source>
        <translation>A new version is available! [%1]<byte value="xd"/>
 <byte value="xd"/>
The website opens when you click OK!</translation>
    </message>
</context>
<context>
    <name>Form2</name>
    <message>
        <source>搜索物流公司</source>
        <translation>Find a Carrier</translation>
    </message>
    <message>
        <source>请输入公司名称关键字</source>
        <translation>Enter a keyword of the carrier&apos;s name</translation>
    </message>
    <message>
        <source>搜索</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>常用物流公司</source>
        <translation>Common carriers</translation>
    </message>
    <message>
        <source>申通</source>
        <translation>STO</translation>
    </message>
    <message>
        <source>顺丰</source>
        <translation>SF</translation>
    </message>
    <message>
        <source>圆通</source>
        <translation>YTO</translation>
    </message>
    <message>
        <source>中通</source>
        <translation>ZTO</translation>
    </message>
    <message>
        <source>汇通</source>
        <translation>Huitong</translation>
    </message>
    <message>
        <source>韵达</source>
        <translation>Yunda</translation>
    </message>
    <message>
        <source>程光</source>
        <translation>Flyway</translation>
    </message>
    <message>
        <source>全峰</source>
        <translation>QFKD</translation>
    </message>
    <message>
        <source>宅急送</source>
        <translation>ZJS</translation>
    </message>
    <message>
        <source>请输入物流公司关键字</source>
        <translation>Please enter a keyword of the carrier&apos;s name</translation>
    </message>
    <message>
        <source>找到【%1】，是否为您要找的公司?</source>
        <translation>Found “%1”. Is this the carrier you meant?</translation>
    </message>
</context>
<context>
    <name>Form5</name>
    <message>
        <source>网点信息查询</source>
        <translation>Outlet Lookup</translation>
    </message>
    <message>
        <source>请输入您要查询的网点名称：</source>
        <translation>Outlet name to look up:</translation>
    </message>
    <message>
        <source>查询</source>
        <translation>Look Up</translation>
    </message>
    <message>
        <source>网点名称：</source>
        <translation>Outlet:</translation>
    </message>
    <message>
        <source>未查询</source>
        <translation>Not queried</translation>
    </message>
    <message>
        <source>负责人：</source>
        <translation>Manager:</translation>
    </message>
    <message>
        <source>联系电话：</source>
        <translation>Phone:</translation>
    </message>
    <message>
        <source>派送范围：</source>
        <translation>Delivers to:</translation>
    </message>
    <message>
        <source>不派送范围：</source>
        <translation>Not served:</translation>
    </message>
    <message>
        <source>单击查看完整的派送范围</source>
        <translation>Click to see the whole delivery area</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>提示：</source>
        <translation>Note:</translation>
    </message>
    <message>
        <source>请输入要查询的网点名称</source>
        <translation>Enter the name of an outlet to look up</translation>
    </message>
    <message>
        <source>请输入您要查询的站点..</source>
        <translation>Please enter an outlet to look up..</translation>
    </message>
    <message>
        <source>网络连接失败,请稍后再试!</source>
        <translation>Network connection failed, please try again later!</translation>
    </message>
    <message>
        <source>您查询的网点不存在!</source>
        <translation>The outlet you looked up does not exist!</translation>
    </message>
</context>
<context>
    <name>MailFolder</name>
    <message>
        <source>无法读取邮件文件 %1: %2</source>
        <translation>Cannot read the mail file %1: %2</translation>
    </message>
    <message>
        <source>读取邮件文件 %1 时出错: %2</source>
        <translation>Error while reading the mail file %1: %2</translation>
    </message>
    <message>
        <source>%1 不是邮件文件夹(Maildir): 其中没有 cur 或 new</source>
        <translation>%1 is not a mail folder (Maildir): it has no cur or new</translation>
    </message>
    <message>
        <source>找不到邮件文件夹 %1</source>
        <translation>Mail folder %1 not found</translation>
    </message>
</context>
<context>
    <name>MailImportDialog</name>
    <message>
        <source>从邮件导入</source>
        <translation>Import from Mail</translation>
    </message>
    <message>
        <source>邮件只在本机读取,不会发送到任何地方;不会更改邮件的任何标记。找到的单号只在您勾选并点击“添加所选”后才会添加。</source>
        <translation>Mail is read on this computer only and is sent nowhere; no flag of any mail is changed. The numbers found are added only when you check them and click “Add Checked”.</translation>
    </message>
    <message>
        <source>本地邮件文件夹</source>
        <translation>Local mail folder</translation>
    </message>
    <message>
        <source>mbox 文件(如 Thunderbird 的 Mail/.../Inbox)或 Maildir 目录</source>
        <translation>An mbox file (such as Thunderbird&apos;s Mail/.../Inbox) or a Maildir directory</translation>
    </message>
    <message>
        <source>邮件文件夹:</source>
        <translation>Mail folder:</translation>
    </message>
    <message>
        <source>选择文件...</source>
        <translation>Choose File...</translation>
    </message>
    <message>
        <source>选择目录...</source>
        <translation>Choose Folder...</translation>
    </message>
    <message>
        <source>全部</source>
        <translation>All</translation>
    </message>
    <message>
        <source> 天</source>
        <translation> days</translation>
    </message>
    <message>
        <source>读取最近:</source>
        <translation>Read the last:</translation>
    </message>
    <message>
        <source>开始读取</source>
        <translation>Start Reading</translation>
    </message>
    <message>
        <source>读取进度</source>
        <translation>Reading progress</translation>
    </message>
    <message>
        <source>单号</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>快递公司</source>
        <translation>Carrier</translation>
    </message>
    <message>
        <source>备注</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>发件人</source>
        <translation>Sender</translation>
    </message>
    <message>
        <source>主题</source>
        <translation>Subject</translation>
    </message>
    <message>
        <source>日期</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>原文</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>找到的单号</source>
        <translation>Numbers found</translation>
    </message>
    <message>
        <source>添加所选</source>
        <translation>Add Checked</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>请选择 mbox 文件或 Maildir 目录</source>
        <translation>Choose an mbox file or a Maildir directory</translation>
    </message>
    <message>
        <source>%1 不是 mbox 文件或 Maildir 目录</source>
        <translation>%1 is neither an mbox file nor a Maildir directory</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>正在读取邮件...</source>
        <translation>Reading mail...</translation>
    </message>
    <message>
        <source>已读取 %1 封邮件</source>
        <translation>Mails read: %1</translation>
    </message>
    <message>
        <source>已停止:读取了%1封邮件,找到%2个新单号</source>
        <translation>Stopped. Mails read: %1; new numbers found: %2</translation>
    </message>
    <message>
        <source>读取了%1封邮件,找到%2个新单号</source>
        <translation>Mails read: %1; new numbers found: %2</translation>
    </message>
    <message>
        <source>没有勾选任何单号</source>
        <translation>No number is checked</translation>
    </message>
    <message>
        <source>已添加%1个快递</source>
        <translation>Parcels added: %1</translation>
    </message>
    <message>
        <source>快递列表文件无法读取,没有添加任何单号</source>
        <translation>The parcel list file cannot be read; no numbers were added</translation>
    </message>
    <message>
        <source>添加失败:%1</source>
        <translation>Adding failed: %1</translation>
    </message>
    <message>
        <source>收件服务器</source>
        <translation>Mail server</translation>
    </message>
    <message>
        <source>服务器:</source>
        <translation>Server:</translation>
    </message>
    <message>
        <source>端口:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>用户名:</source>
        <translation>User name:</translation>
    </message>
    <message>
        <source>加密:</source>
        <translation>Encryption:</translation>
    </message>
    <message>
        <source>密码:</source>
        <translation>Password:</translation>
    </message>
    <message>
        <source>已保存在密钥环中则可留空</source>
        <translation>Leave empty if kept in the keyring</translation>
    </message>
    <message>
        <source>文件夹:</source>
        <translation>Folder:</translation>
    </message>
    <message>
        <source>自动检查新邮件</source>
        <translation>Check new mail automatically</translation>
    </message>
    <message>
        <source>每30分钟读取收件服务器上的新邮件,在通知中提示找到的新单号;不会自动添加</source>
        <translation>Reads new mail on the server every 30 minutes and tells of new tracking numbers in a notification; nothing is added by itself</translation>
    </message>
    <message>
        <source>请填写收件服务器和用户名</source>
        <translation>Please enter the mail server and the user name</translation>
    </message>
    <message>
        <source>请填写密码</source>
        <translation>Please enter the password</translation>
    </message>
    <message>
        <source>正在从密钥环读取密码...</source>
        <translation>Reading the password from the keyring...</translation>
    </message>
    <message>
        <source>密钥环中没有这个账户的密码,请填写密码</source>
        <translation>The keyring has no password for this account; please enter it</translation>
    </message>
    <message>
        <source>已读取 %1 / %2 封邮件</source>
        <translation>Read %1 / %2 mails</translation>
    </message>
    <message>
        <source>新邮件中找到%1个新单号</source>
        <translation>%1 new tracking numbers found in new mail</translation>
    </message>
</context>
<context>
    <name>MailServer</name>
    <message>
        <source>无法连接收件服务器，请检查服务器地址和端口</source>
        <translation>Cannot reach the incoming mail server: check its address and port</translation>
    </message>
    <message>
        <source>服务器证书未通过验证</source>
        <translation>The server&apos;s certificate did not verify</translation>
    </message>
    <message>
        <source>证书文件无法使用</source>
        <translation>The certificate file cannot be used</translation>
    </message>
    <message>
        <source>服务器不提供加密连接（STARTTLS），密码没有发出</source>
        <translation>The server offers no encrypted connection (STARTTLS); the password was not sent</translation>
    </message>
    <message>
        <source>无法建立加密连接，请检查端口和加密方式</source>
        <translation>Cannot set up an encrypted connection: check the port and the encryption</translation>
    </message>
    <message>
        <source>服务器没有在规定时间内应答</source>
        <translation>The server did not answer in time</translation>
    </message>
    <message>
        <source>服务器断开了连接</source>
        <translation>The server closed the connection</translation>
    </message>
    <message>
        <source>无法读取邮件</source>
        <translation>Cannot read the mail</translation>
    </message>
    <message>
        <source>邮件组件无法启动</source>
        <translation>The mail component cannot start</translation>
    </message>
    <message>
        <source>证书文件无法读取：%1：%2</source>
        <translation>Cannot read the certificate file %1: %2</translation>
    </message>
    <message>
        <source>服务器断开了连接（服务器：%1）</source>
        <translation>The server closed the connection (server: %1)</translation>
    </message>
    <message>
        <source>收件服务器 %1：%2</source>
        <translation>Incoming mail server %1: %2</translation>
    </message>
    <message>
        <source>服务器传送太慢，读取已停止</source>
        <translation>The server sends too slowly; reading stopped</translation>
    </message>
    <message>
        <source>收件服务器的应答无法识别</source>
        <translation>The incoming mail server&apos;s answer cannot be read</translation>
    </message>
    <message>
        <source>没有设置收件服务器</source>
        <translation>No incoming mail server is set</translation>
    </message>
    <message>
        <source>没有文件夹“%1”（服务器：%2）</source>
        <translation>There is no folder “%1” (server: %2)</translation>
    </message>
    <message>
        <source>无法打开文件夹“%1”（服务器：%2）</source>
        <translation>Cannot open the folder “%1” (server: %2)</translation>
    </message>
    <message>
        <source>服务器拒绝了搜索（服务器：%1）</source>
        <translation>The server refused the search (server: %1)</translation>
    </message>
    <message>
        <source>服务器拒绝读取邮件（服务器：%1）</source>
        <translation>The server refused to hand out the mail (server: %1)</translation>
    </message>
    <message>
        <source>无法连接邮件服务器，请检查服务器地址和端口</source>
        <translation>Cannot reach the mail server: check its address and port</translation>
    </message>
    <message>
        <source>服务器证书不受信任</source>
        <translation>The server&apos;s certificate is not trusted</translation>
    </message>
    <message>
        <source>连接超时</source>
        <translation>Connection timed out</translation>
    </message>
    <message>
        <source>发送失败</source>
        <translation>Sending failed</translation>
    </message>
    <message>
        <source>（服务器：%1）</source>
        <translation> (server: %1)</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>没有设置邮件服务器</source>
        <translation>No mail server is set</translation>
    </message>
    <message>
        <source>登录被拒绝，请检查用户名和密码（许多邮箱要求填写授权码）</source>
        <translation>Login refused: check the user name and password (many mail providers want an app password)</translation>
    </message>
</context>
<context>
    <name>MailWatch</name>
    <message>
        <source>密钥环中没有收件服务器的密码</source>
        <translation>The keyring has no password for the mail server</translation>
    </message>
    <message>
        <source>发现%1个新单号</source>
        <translation>%1 new tracking numbers found</translation>
    </message>
    <message>
        <source>查看</source>
        <translation>View</translation>
    </message>
</context>
<context>
    <name>Main</name>
    <message>
        <source>启动后把主窗口的图片保存到 &lt;文件&gt;;加 --overview 时,保存全部快递窗口(选中第一个快递)的图片。</source>
        <translation>Save a picture of the main window to &lt;file&gt; after start-up; with --overview, of the overview with its first parcel selected.</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>file</translation>
    </message>
    <message>
        <source>同时打开全部已保存快递的总览(全部快递)。</source>
        <translation>Also open the overview of every saved parcel (All Parcels).</translation>
    </message>
    <message>
        <source>Parcelvue: 跟踪127家快递公司的快递。
数据目录: $PARCELVUE_HOME;否则,对安装的程序为每个用户的数据位置(除非程序所在目录有 wlnum.ini 或 parcelvue.ini);否则为程序所在目录(可写时),再否则为每个用户的数据位置。查询服务在该目录的 endpoints.ini 中设置。
每个数据目录只运行一个程序: 再次启动会把正在运行的程序调到前面(加 --overview 时打开它的全部快递窗口),然后结束。

</source>
        <translation>Parcelvue: follow parcels of 127 carriers.
Data directory: $PARCELVUE_HOME; else, for an installed copy, the per-user data location (unless the program&apos;s directory holds wlnum.ini or parcelvue.ini); else the program&apos;s directory when writable, else the per-user data location. Services are configured in endpoints.ini there.
One program runs per data directory: a second start brings the running one to the front (and opens its overview with --overview) and ends.

</translation>
    </message>
    <message>
        <source>另一个 Parcelvue 正在使用数据目录 %1,但没有回应(%2)。
请稍后再试,或结束那个程序后再启动。</source>
        <translation>Another Parcelvue is using the data directory %1 but does not answer (%2).
Please try again later, or end that program and start again.</translation>
    </message>
</context>
<context>
    <name>NoticeMail</name>
    <message>
        <source>感谢您使用Parcelvue,欢迎您继续支持Lumetra其他产品!</source>
        <translation>Thank you for using Parcelvue. We hope you will enjoy Lumetra&apos;s other products too!</translation>
    </message>
    <message>
        <source>Lumetra技术工作室</source>
        <translation>Lumetra Technology Studio</translation>
    </message>
    <message>
        <source>本邮件由LumetraParcelvue系统自动发出，请勿回复。</source>
        <translation>This mail was sent automatically by LumetraParcelvue. Please do not reply.</translation>
    </message>
    <message>
        <source>【%1】（%2）</source>
        <translation>“%1” (%2)</translation>
    </message>
    <message>
        <source>您的快递【%1】有最新动态 - LumetraParcelvue</source>
        <translation>News about your parcel “%1” - LumetraParcelvue</translation>
    </message>
    <message>
        <source>推广服务</source>
        <translation>Promotion</translation>
    </message>
    <message>
        <source>留言反馈</source>
        <translation>Feedback</translation>
    </message>
    <message>
        <source>官方论坛</source>
        <translation>Forum</translation>
    </message>
    <message>
        <source>您的快递%1有了最新动态：</source>
        <translation>There is news about your parcel %1:</translation>
    </message>
    <message>
        <source>当前您的快递约已派送：%1（时间以%2公司接单起计算）</source>
        <translation>Your parcel has been on its way for about %1 (counted from when %2 accepted it).</translation>
    </message>
    <message>
        <source>如果您遇到问题或需要定制推广服务，请在右上方反馈或咨询客服QQ:</source>
        <translation>If you have a problem or would like a custom promotion, use Feedback at the top right or ask our customer service on QQ: </translation>
    </message>
    <message>
        <source>如果您遇到问题或需要定制推广服务，请咨询客服QQ:</source>
        <translation>If you have a problem or would like a custom promotion, ask our customer service on QQ: </translation>
    </message>
    <message>
        <source>邮件地址无效：</source>
        <translation>Invalid mail address: </translation>
    </message>
</context>
<context>
    <name>OverviewRows</name>
    <message>
        <source>备注</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>单号</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>快递公司</source>
        <translation>Carrier</translation>
    </message>
    <message>
        <source>状态</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>最新进度</source>
        <translation>Latest progress</translation>
    </message>
    <message>
        <source>运送时间</source>
        <translation>Transit time</translation>
    </message>
    <message>
        <source>上次查询</source>
        <translation>Last checked</translation>
    </message>
    <message>
        <source>下次查询</source>
        <translation>Next check</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>暂无信息</source>
        <translation>No information yet</translation>
    </message>
</context>
<context>
    <name>OverviewWindow</name>
    <message>
        <source>全部快递</source>
        <translation>All Parcels</translation>
    </message>
    <message>
        <source>搜索</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>备注、单号、快递公司或物流信息(地名、快递员电话)</source>
        <translation>Note, number, carrier or tracking details (places, courier phone numbers)</translation>
    </message>
    <message>
        <source>备注</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>单号</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>快递公司</source>
        <translation>Carrier</translation>
    </message>
    <message>
        <source>状态</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>运送时间</source>
        <translation>Transit time</translation>
    </message>
    <message>
        <source>预计送达</source>
        <translation>Expected delivery</translation>
    </message>
    <message>
        <source>物流详情</source>
        <translation>Tracking details</translation>
    </message>
    <message>
        <source>全部刷新</source>
        <translation>Refresh All</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>刷新进度</source>
        <translation>Refresh progress</translation>
    </message>
    <message>
        <source>已查询 %v / %m</source>
        <translation>Checked %v / %m</translation>
    </message>
    <message>
        <source>自动监控全部快递</source>
        <translation>Watch all parcels</translation>
    </message>
    <message>
        <source>查询间隔</source>
        <translation>Check every</translation>
    </message>
    <message>
        <source>%1分钟</source>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>%1小时</source>
        <translation>%1 h</translation>
    </message>
    <message>
        <source>归档天数</source>
        <translation>Archive after</translation>
    </message>
    <message>
        <source>天</source>
        <translation> days</translation>
    </message>
    <message>
        <source>不归档</source>
        <translation>Never</translation>
    </message>
    <message>
        <source>已签收的快递在签收多少天后自动归档,0为不自动归档</source>
        <translation>Delivered parcels are archived automatically this many days after delivery; 0 means never</translation>
    </message>
    <message>
        <source>手机尾号</source>
        <translation>Phone digits</translation>
    </message>
    <message>
        <source>收件人或寄件人手机号的后四位,顺丰等快递公司查询时需要</source>
        <translation>The last four digits of the receiver’s or sender’s phone number, needed by SF Express and some other carriers</translation>
    </message>
    <message>
        <source>保存尾号</source>
        <translation>Save Digits</translation>
    </message>
    <message>
        <source>查询服务...</source>
        <translation>Tracking Service...</translation>
    </message>
    <message>
        <source>归档</source>
        <translation>Archive</translation>
    </message>
    <message>
        <source>取消归档</source>
        <translation>Unarchive</translation>
    </message>
    <message>
        <source>统计</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>导出...</source>
        <translation>Export...</translation>
    </message>
    <message>
        <source>导入...</source>
        <translation>Import...</translation>
    </message>
    <message>
        <source>,已归档</source>
        <translation>, archived</translation>
    </message>
    <message>
        <source>用时%1</source>
        <translation>Took %1</translation>
    </message>
    <message>
        <source>归档失败!错误原因</source>
        <translation>Archiving failed! Reason: </translation>
    </message>
    <message>
        <source>请先在列表中选择快递!</source>
        <translation>Please select parcels in the list first!</translation>
    </message>
    <message>
        <source>已归档%1个快递,可在“已归档”中查看.</source>
        <translation>Archived %1 parcel(s); see them under “Archived”.</translation>
    </message>
    <message>
        <source>已取消归档%1个快递.</source>
        <translation>Unarchived %1 parcel(s).</translation>
    </message>
    <message>
        <source>请先在列表中选择一个快递!</source>
        <translation>Please select a parcel in the list first!</translation>
    </message>
    <message>
        <source>手机尾号应为4位数字!</source>
        <translation>The phone digits must be 4 digits!</translation>
    </message>
    <message>
        <source>手机尾号保存失败!错误原因</source>
        <translation>Phone digits not saved! Reason: </translation>
    </message>
    <message>
        <source>已清除%1的手机尾号.</source>
        <translation>Phone digits of %1 cleared.</translation>
    </message>
    <message>
        <source>已保存%1的手机尾号,以后查询时会一并发送.</source>
        <translation>Phone digits of %1 saved; from now on they are sent with its queries.</translation>
    </message>
    <message>
        <source>设置保存失败!请检查磁盘或权限..</source>
        <translation>Settings not saved! Check the disk or permissions..</translation>
    </message>
</context>
<context>
    <name>ParcelFiles</name>
    <message>
        <source>单号为空</source>
        <translation>the number is empty</translation>
    </message>
    <message>
        <source>单号含有“|”</source>
        <translation>the number contains “|”</translation>
    </message>
    <message>
        <source>含有换行</source>
        <translation>it contains a line break</translation>
    </message>
    <message>
        <source>不是有效的JSON文件:第%1行,%2</source>
        <translation>Not a valid JSON file: line %1, %2</translation>
    </message>
    <message>
        <source>JSON文件中没有快递列表(parcels)</source>
        <translation>The JSON file has no parcel list (parcels)</translation>
    </message>
    <message>
        <source>JSON文件不是Parcelvue的快递列表(format: %1)</source>
        <translation>The JSON file is not a Parcelvue parcel list (format: %1)</translation>
    </message>
    <message>
        <source>JSON文件来自更新版本的Parcelvue(version %1)</source>
        <translation>The JSON file comes from a newer version of Parcelvue (version %1)</translation>
    </message>
    <message>
        <source>第%1个快递(parcels[%2])</source>
        <translation>Parcel %1 (parcels[%2])</translation>
    </message>
    <message>
        <source>不是一个对象</source>
        <translation> is not an object</translation>
    </message>
    <message>
        <source>缺少单号(number)</source>
        <translation> has no number (number)</translation>
    </message>
    <message>
        <source>的备注(note)不是文字</source>
        <translation>: the note (note) is not text</translation>
    </message>
    <message>
        <source>的快递公司(carrier)不在公司目录中: %1</source>
        <translation>: the carrier (carrier) is not in the carrier list: %1</translation>
    </message>
    <message>
        <source>的归档标记(archived)应为true或false</source>
        <translation>: the archive mark (archived) must be true or false</translation>
    </message>
    <message>
        <source>的电话号码后几位(phone_digits)应为数字</source>
        <translation>: the phone digits (phone_digits) must be digits</translation>
    </message>
    <message>
        <source>的进度(rows)不是列表</source>
        <translation>: the progress (rows) is not a list</translation>
    </message>
    <message>
        <source>的第%1条进度(rows[%2])缺少time或text</source>
        <translation>: progress row %1 (rows[%2]) lacks time or text</translation>
    </message>
    <message>
        <source>CSV文件不是UTF-8编码(第%1行),请以UTF-8保存后再导入</source>
        <translation>The CSV file is not UTF-8 (line %1); save it as UTF-8 and import it again</translation>
    </message>
    <message>
        <source>CSV文件第%1行的引号没有结束</source>
        <translation>A quote on line %1 of the CSV file is not closed</translation>
    </message>
    <message>
        <source>CSV文件是空的</source>
        <translation>The CSV file is empty</translation>
    </message>
    <message>
        <source>CSV文件第1行应是标题行,含有“备注”“单号”“快递公司”</source>
        <translation>Line 1 of the CSV file must be the header row, with “备注”, “单号” and “快递公司”</translation>
    </message>
    <message>
        <source>CSV文件第%1行</source>
        <translation>CSV file, line %1</translation>
    </message>
    <message>
        <source>: 快递公司不在公司目录中: %1</source>
        <translation>: the carrier is not in the carrier list: %1</translation>
    </message>
    <message>
        <source>: “已归档”一栏应为“是”或空白: %1</source>
        <translation>: the “已归档” column must be “是” or blank: %1</translation>
    </message>
    <message>
        <source>只能导入.json或.csv文件: %1</source>
        <translation>Only .json or .csv files can be imported: %1</translation>
    </message>
    <message>
        <source>无法读取文件%1: %2</source>
        <translation>Cannot read the file %1: %2</translation>
    </message>
</context>
<context>
    <name>ParcelGroups</name>
    <message>
        <source>全部</source>
        <translation>All</translation>
    </message>
    <message>
        <source>已归档</source>
        <translation>Archived</translation>
    </message>
</context>
<context>
    <name>ParcelNotice</name>
    <message>
        <source>您的快递【%1】有最新动态</source>
        <translation>News about your parcel “%1”</translation>
    </message>
    <message>
        <source>运送中 %1 件，派件中 %2 件，有新动态 %3 件</source>
        <translation>In transit: %1, out for delivery: %2, with news: %3</translation>
    </message>
</context>
<context>
    <name>ParcelTransfer</name>
    <message>
        <source>只能导出为.json或.csv文件: %1</source>
        <translation>Parcels can only be exported to a .json or .csv file: %1</translation>
    </message>
    <message>
        <source>无法写入文件%1,请检查磁盘或权限</source>
        <translation>Cannot write the file %1; check the disk or permissions</translation>
    </message>
    <message>
        <source>已导出%1个快递到%2</source>
        <translation>Exported %1 parcel(s) to %2</translation>
    </message>
    <message>
        <source>导入失败,没有保存任何快递: </source>
        <translation>Import failed, no parcel was saved: </translation>
    </message>
    <message>
        <source>导入失败: </source>
        <translation>Import failed: </translation>
    </message>
    <message>
        <source>已导入%1个快递到快递列表,但物流记录未能存入数据库%2: %3</source>
        <translation>Imported %1 parcel(s) into the parcel list, but the tracking records could not be stored in the database %2: %3</translation>
    </message>
    <message>
        <source>已导入%1个快递,%2个已在列表中,合并了%3条物流记录</source>
        <translation>Imported %1 parcel(s); %2 already in the list; %3 tracking record(s) merged</translation>
    </message>
</context>
<context>
    <name>SecretKeeping</name>
    <message>
        <source>是否把%1保存在endpoints.ini中？该文件仅您本人可读，但%1以明文存放。</source>
        <translation>Keep the %1 in endpoints.ini instead? Only you can read that file, but the %1 is stored there as plain text.</translation>
    </message>
    <message>
        <source>%1已保存，%2没有保存。</source>
        <translation>%1 saved, except the %2.</translation>
    </message>
    <message>
        <source>未找到系统密钥环（Secret Service），%1无法安全保存。</source>
        <translation>No system keyring (Secret Service) was found, so the %1 cannot be stored safely. </translation>
    </message>
    <message>
        <source>正在把%1存入系统密钥环..</source>
        <translation>Storing the %1 in the system keyring..</translation>
    </message>
    <message>
        <source>%1无法存入系统密钥环（%2）。</source>
        <translation>The %1 could not be stored in the system keyring (%2). </translation>
    </message>
</context>
<context>
    <name>SenderSettings</name>
    <message>
        <source>QQ邮箱</source>
        <translation>QQ Mail</translation>
    </message>
    <message>
        <source>163邮箱</source>
        <translation>163 Mail</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source>请填写SMTP服务器</source>
        <translation>Please enter the SMTP server</translation>
    </message>
    <message>
        <source>端口应在1到65535之间</source>
        <translation>The port must be between 1 and 65535</translation>
    </message>
    <message>
        <source>请填写正确的发件邮箱</source>
        <translation>Please enter a valid sender address</translation>
    </message>
    <message>
        <source>设置中不能含有换行</source>
        <translation>The settings cannot contain line breaks</translation>
    </message>
    <message>
        <source>这是Parcelvue的测试邮件：发件设置可以使用，快递有最新动态时将通过它通知您。</source>
        <translation>This is a test mail from Parcelvue: the sender settings work, and news about your parcels will reach you this way.</translation>
    </message>
    <message>
        <source>发件服务器：%1:%2</source>
        <translation>Outgoing server: %1:%2</translation>
    </message>
    <message>
        <source>Parcelvue测试邮件</source>
        <translation>Parcelvue test mail</translation>
    </message>
    <message>
        <source>系统密钥环没有应答，请确认它已解锁：</source>
        <translation>The system keyring did not answer; please make sure it is unlocked: </translation>
    </message>
    <message>
        <source>无法从系统密钥环读取密码：</source>
        <translation>Cannot read the password from the system keyring: </translation>
    </message>
</context>
<context>
    <name>SenderSettingsDialog</name>
    <message>
        <source>发件设置</source>
        <translation>Sender Settings</translation>
    </message>
    <message>
        <source>未找到系统密钥环（Secret Service），密码无法安全保存；保存时可选择把密码存入endpoints.ini（该文件仅您本人可读）。</source>
        <translation>No system keyring (Secret Service) was found, so the password cannot be stored safely; when saving, you may choose to keep it in endpoints.ini (which only you can read).</translation>
    </message>
    <message>
        <source>自定义</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>服务商</source>
        <translation>Provider</translation>
    </message>
    <message>
        <source>SMTP服务器</source>
        <translation>SMTP server</translation>
    </message>
    <message>
        <source>端口</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>加密方式</source>
        <translation>Encryption</translation>
    </message>
    <message>
        <source>不加密时，密码和邮件以明文经过网络，途中任何人都能看到。</source>
        <translation>Without encryption, the password and the mail cross the network as plain text, readable by anyone on the way.</translation>
    </message>
    <message>
        <source>发件邮箱</source>
        <translation>Sender address</translation>
    </message>
    <message>
        <source>留空则为发件邮箱</source>
        <translation>Leave empty to use the sender address</translation>
    </message>
    <message>
        <source>用户名</source>
        <translation>User name</translation>
    </message>
    <message>
        <source>密码</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>提示：许多邮箱服务商（如QQ邮箱、163邮箱、Gmail）要求填写在邮箱设置中生成的授权码（应用专用密码），而不是邮箱的登录密码。</source>
        <translation>Note: many mail providers (such as QQ Mail, 163 Mail and Gmail) want the authorization code (app password) generated in the mailbox&apos;s settings, not the mailbox&apos;s login password.</translation>
    </message>
    <message>
        <source>发送测试邮件</source>
        <translation>Send Test Mail</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>无法从系统密钥环读取密码：</source>
        <translation>Cannot read the password from the system keyring: </translation>
    </message>
    <message>
        <source>测试邮件发送失败!错误原因没有邮件组件</source>
        <translation>Test mail not sent! Reason: no mail component</translation>
    </message>
    <message>
        <source>正在发送测试邮件至%1，请稍等..</source>
        <translation>Sending a test mail to %1, please wait..</translation>
    </message>
    <message>
        <source>测试邮件已发送至%1，请查收。</source>
        <translation>Test mail sent to %1; please check your inbox.</translation>
    </message>
    <message>
        <source>测试邮件发送失败!错误原因</source>
        <translation>Test mail not sent! Reason: </translation>
    </message>
    <message>
        <source>发件设置保存失败!错误原因</source>
        <translation>Sender settings not saved! Reason: </translation>
    </message>
    <message>
        <source>密码</source>
        <comment>the secret, within a sentence</comment>
        <translation>password</translation>
    </message>
    <message>
        <source>发件设置</source>
        <comment>the settings, within a sentence</comment>
        <translation>Sender settings</translation>
    </message>
</context>
<context>
    <name>ServiceBudget</name>
    <message>
        <source>原有接口</source>
        <translation>Built-in service</translation>
    </message>
    <message>
        <source>快递鸟</source>
        <translation>Kdniao</translation>
    </message>
    <message>
        <source>无</source>
        <translation>never</translation>
    </message>
    <message>
        <source>%1今天的查询已达%2次(每天限%3次),只查询%4天内有新动态或派件中的快递,明天恢复全部查询.</source>
        <translation>%1 has been queried %2 times today (limit %3 a day): only parcels with news in the last %4 days or out for delivery are checked; all are checked again tomorrow.</translation>
    </message>
    <message>
        <source>%1要求暂停查询,%2后继续查询.</source>
        <translation>%1 asks for a pause; queries continue at %2.</translation>
    </message>
    <message>
        <source>%1: 今天已查询%2/%3次</source>
        <translation>%1: %2/%3 queries today</translation>
    </message>
    <message>
        <source>%1: 今天已查询%2次</source>
        <translation>%1: %2 queries today</translation>
    </message>
    <message>
        <source>,上次成功 </source>
        <translation>, last success </translation>
    </message>
    <message>
        <source>,上次失败 </source>
        <translation>, last failure </translation>
    </message>
    <message>
        <source>%1连续查询失败: %2</source>
        <translation>%1 keeps failing: %2</translation>
    </message>
</context>
<context>
    <name>ServiceQuery</name>
    <message>
        <source>密钥环已锁定,请解锁后重试</source>
        <translation>The keyring is locked; unlock it and try again</translation>
    </message>
</context>
<context>
    <name>ShownText</name>
    <message>
        <source>已签收</source>
        <translation>Delivered</translation>
    </message>
    <message>
        <source>派件中</source>
        <translation>Out for delivery</translation>
    </message>
    <message>
        <source>运送中</source>
        <translation>In transit</translation>
    </message>
    <message>
        <source>问题件</source>
        <translation>Exception</translation>
    </message>
    <message>
        <source>未查询</source>
        <translation>Not queried</translation>
    </message>
    <message>
        <source>查询失败</source>
        <translation>Query failed</translation>
    </message>
    <message>
        <source>待取件</source>
        <translation>Awaiting pickup</translation>
    </message>
    <message>
        <source>派送失败</source>
        <translation>Delivery failed</translation>
    </message>
    <message>
        <source>单号格式错误!请检查!</source>
        <translation>Invalid number format! Please check it!</translation>
    </message>
    <message>
        <source>您好,您当前查询的快递单号已不存在!</source>
        <translation>This tracking number no longer exists!</translation>
    </message>
    <message>
        <source>此快递单号未更新信息或已失效..</source>
        <translation>No new information for this number, or it has expired..</translation>
    </message>
    <message>
        <source>系统问题,暂不支持当前快递公司!</source>
        <translation>This carrier is not supported yet!</translation>
    </message>
    <message>
        <source>请输入正确的单号!</source>
        <translation>Please enter a valid number!</translation>
    </message>
    <message>
        <source>未查询到物流信息!</source>
        <translation>No tracking information found!</translation>
    </message>
    <message>
        <source>查询失败,无法连接查询服务器!</source>
        <translation>Query failed: cannot reach the tracking server!</translation>
    </message>
    <message>
        <source>查询超时,请稍后再试!</source>
        <translation>The query timed out, please try again later!</translation>
    </message>
    <message>
        <source>查询失败,查询服务器返回错误!</source>
        <translation>Query failed: the tracking server returned an error!</translation>
    </message>
    <message>
        <source>查询失败,查询结果过大!</source>
        <translation>Query failed: the answer is too large!</translation>
    </message>
    <message>
        <source>查询失败,查询服务器没有返回信息!</source>
        <translation>Query failed: the tracking server sent no answer!</translation>
    </message>
    <message>
        <source>查询服务繁忙,稍后再查</source>
        <translation>The tracking service is busy, try again later</translation>
    </message>
    <message>
        <source>%1天%2小时%3分</source>
        <translation>%1d %2h %3m</translation>
    </message>
    <message>
        <source>暂无信息</source>
        <translation>No information yet</translation>
    </message>
    <message>
        <source>查询太频繁,快递鸟暂停了查询,稍后再查..</source>
        <translation>Too many queries: Kdniao has paused them, try again later..</translation>
    </message>
    <message>
        <source>该快递公司需要收件人或寄件人手机号后四位,请在“全部快递”中为此单号填写!</source>
        <translation>This carrier needs the last four digits of the recipient&apos;s or sender&apos;s phone number: enter them for this number in All Parcels!</translation>
    </message>
    <message>
        <source>快递鸟返回了无法识别的内容,请稍后再查!</source>
        <translation>Kdniao sent an answer that cannot be read, try again later!</translation>
    </message>
    <message>
        <source>未设置快递鸟的用户ID,请在“查询服务”中填写!</source>
        <translation>No Kdniao user ID is set: enter it in Tracking Service!</translation>
    </message>
    <message>
        <source>未设置快递鸟的API Key,请在“查询服务”中填写!</source>
        <translation>No Kdniao API key is set: enter it in Tracking Service!</translation>
    </message>
    <message>
        <source>未设置17TRACK的API密钥,请在“查询服务”中填写!</source>
        <translation>No 17TRACK API key is set: enter it in Tracking Service!</translation>
    </message>
    <message>
        <source>17TRACK返回了无法识别的内容,请稍后再查!</source>
        <translation>17TRACK sent an answer that cannot be read, try again later!</translation>
    </message>
    <message>
        <source>17TRACK拒绝了查询:本机的IP地址不在17TRACK的白名单中,请在17TRACK后台设置!</source>
        <translation>17TRACK refused the query: this computer&apos;s IP address is not on 17TRACK&apos;s allow list; add it in your 17TRACK account!</translation>
    </message>
    <message>
        <source>17TRACK拒绝了查询:API密钥不正确或账号不可用,请在“查询服务”中检查!</source>
        <translation>17TRACK refused the query: the API key is wrong or the account is unavailable; check it in Tracking Service!</translation>
    </message>
    <message>
        <source>17TRACK查询此单号需要收件地的国家和邮编,暂无法查询!</source>
        <translation>17TRACK needs the destination country and postcode for this number, so it cannot be tracked for now!</translation>
    </message>
    <message>
        <source>17TRACK查询此单号需要收件地的邮编,暂无法查询!</source>
        <translation>17TRACK needs the destination postcode for this number, so it cannot be tracked for now!</translation>
    </message>
    <message>
        <source>17TRACK查询此单号需要发货日期等其他信息,暂无法查询!</source>
        <translation>17TRACK needs more details for this number, such as the shipping date, so it cannot be tracked for now!</translation>
    </message>
    <message>
        <source>17TRACK无法识别该单号的快递公司</source>
        <translation>17TRACK cannot tell the carrier of this number</translation>
    </message>
    <message>
        <source>17TRACK今天的查询次数已达上限,稍后再查..</source>
        <translation>17TRACK&apos;s daily query limit is reached, try again later..</translation>
    </message>
    <message>
        <source>17TRACK的查询额度已用完,请在17TRACK购买额度!</source>
        <translation>The 17TRACK quota is used up: buy more quota from 17TRACK!</translation>
    </message>
    <message>
        <source>17TRACK服务内部错误,请稍后再查!</source>
        <translation>17TRACK had an internal error, try again later!</translation>
    </message>
    <message>
        <source>17TRACK返回了无法识别的额度信息</source>
        <translation>17TRACK sent quota information that cannot be read</translation>
    </message>
    <message>
        <source>无法连接17TRACK:</source>
        <translation>Cannot reach 17TRACK: </translation>
    </message>
    <message>
        <source>快递鸟拒绝了查询(%1),请在“查询服务”中检查用户ID和API Key!</source>
        <translation>Kdniao refused the query (%1): check the user ID and API key in Tracking Service!</translation>
    </message>
    <message>
        <source>快递鸟的查询次数已用完(%1),请稍后再查或在快递鸟开通套餐!</source>
        <translation>Kdniao&apos;s queries are used up (%1): try again later or buy a plan from Kdniao!</translation>
    </message>
    <message>
        <source>快递鸟查询失败:%1</source>
        <translation>Kdniao query failed: %1</translation>
    </message>
    <message>
        <source>%1拒绝了查询:API密钥不正确或账号不可用,请在“查询服务”中检查!</source>
        <translation>%1 refused the query: the API key is wrong or the account is unavailable; check it in Tracking Service!</translation>
    </message>
    <message>
        <source>查询太频繁,%1暂停了查询,稍后再查..</source>
        <translation>Too many queries: %1 has paused them, try again later..</translation>
    </message>
    <message>
        <source>%1服务暂时不可用(HTTP %2),请稍后再查!</source>
        <translation>%1 is unavailable for now (HTTP %2), try again later!</translation>
    </message>
    <message>
        <source>17TRACK查询失败:%1(代码%2)</source>
        <translation>17TRACK query failed: %1 (code %2)</translation>
    </message>
    <message>
        <source>无法从系统密钥环读取%1的密钥,请确认它已解锁:%2</source>
        <translation>Cannot read the %1 key from the system keyring; make sure it is unlocked: %2</translation>
    </message>
    <message>
        <source>快递鸟</source>
        <translation>Kdniao</translation>
    </message>
    <message>
        <source>服务没有说明原因</source>
        <translation>the service gave no reason</translation>
    </message>
    <message>
        <source>发货无信息</source>
        <translation>No information since shipping</translation>
    </message>
    <message>
        <source>超时未签收</source>
        <translation>Not signed for in time</translation>
    </message>
    <message>
        <source>超时未更新</source>
        <translation>No update for too long</translation>
    </message>
    <message>
        <source>拒收（退件）</source>
        <translation>Refused (returned)</translation>
    </message>
    <message>
        <source>派件异常</source>
        <translation>Delivery problem</translation>
    </message>
    <message>
        <source>退货签收</source>
        <translation>Return signed for</translation>
    </message>
    <message>
        <source>退货未签收</source>
        <translation>Return not signed for</translation>
    </message>
    <message>
        <source>快递柜或驿站超时未取</source>
        <translation>Not collected from the locker or station in time</translation>
    </message>
    <message>
        <source>单号已拦截</source>
        <translation>Intercepted</translation>
    </message>
    <message>
        <source>破损</source>
        <translation>Damaged</translation>
    </message>
    <message>
        <source>客户取消发货</source>
        <translation>Shipping cancelled by the customer</translation>
    </message>
    <message>
        <source>无法联系</source>
        <translation>Recipient unreachable</translation>
    </message>
    <message>
        <source>配送延迟</source>
        <translation>Delivery delayed</translation>
    </message>
    <message>
        <source>快件取出</source>
        <translation>Taken out</translation>
    </message>
    <message>
        <source>重新派送</source>
        <translation>Redelivery</translation>
    </message>
    <message>
        <source>收货地址不详细</source>
        <translation>Address incomplete</translation>
    </message>
    <message>
        <source>收件人电话错误</source>
        <translation>Wrong recipient phone number</translation>
    </message>
    <message>
        <source>错分件</source>
        <translation>Missorted</translation>
    </message>
    <message>
        <source>超区件</source>
        <translation>Outside the delivery area</translation>
    </message>
    <message>
        <source>清关异常</source>
        <translation>Customs clearance problem</translation>
    </message>
    <message>
        <source>无人签收</source>
        <translation>Nobody to sign</translation>
    </message>
    <message>
        <source>安检或海关扣留</source>
        <translation>Held by security or customs</translation>
    </message>
    <message>
        <source>拒收</source>
        <translation>Refused</translation>
    </message>
    <message>
        <source>地址有误</source>
        <translation>Wrong address</translation>
    </message>
    <message>
        <source>退回中</source>
        <translation>Returning</translation>
    </message>
    <message>
        <source>已退回</source>
        <translation>Returned</translation>
    </message>
    <message>
        <source>延误</source>
        <translation>Delayed</translation>
    </message>
    <message>
        <source>丢失</source>
        <translation>Lost</translation>
    </message>
    <message>
        <source>销毁</source>
        <translation>Destroyed</translation>
    </message>
    <message>
        <source>已取消</source>
        <translation>Cancelled</translation>
    </message>
    <message>
        <source>运输过久,长时间没有更新</source>
        <translation>In transit too long, no update for a long time</translation>
    </message>
    <message>
        <source>到达待取</source>
        <translation>Arrived, awaiting pickup</translation>
    </message>
    <message>
        <source>投递失败</source>
        <translation>Delivery failed</translation>
    </message>
    <message>
        <source>已放入快递柜或驿站</source>
        <translation>Placed in a locker or pickup station</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>%1 属于另一个用户</source>
        <translation>%1 belongs to another user</translation>
    </message>
    <message>
        <source>答复过长</source>
        <translation>the answer is too long</translation>
    </message>
    <message>
        <source>%1 毫秒内没有答复</source>
        <translation>no answer within %1 ms</translation>
    </message>
    <message>
        <source>连接已关闭,没有答复</source>
        <translation>closed without an answer</translation>
    </message>
    <message>
        <source>已有程序在那里答复</source>
        <translation>a program already answers there</translation>
    </message>
    <message>
        <source>已停止等待</source>
        <translation>Stopped waiting</translation>
    </message>
    <message>
        <source>套接字目录 %1 不存在或不是目录</source>
        <translation>The socket directory %1 does not exist or is not a directory</translation>
    </message>
    <message>
        <source>套接字目录 %1 不属于当前用户或对其他用户开放,Parcelvue 不使用它。请删除该目录,或改为只有本用户可用(chmod 700)。</source>
        <translation>The socket directory %1 belongs to another user or is open to other users, so Parcelvue does not use it. Remove it, or make it this user&apos;s only (chmod 700).</translation>
    </message>
</context>
<context>
    <name>StatisticsWindow</name>
    <message>
        <source>统计</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>各快递公司运送时间图表</source>
        <translation>Chart of transit times by carrier</translation>
    </message>
    <message>
        <source>与“各快递公司”表格中的中位和80%运送时间相同</source>
        <translation>The same median and 80% transit times as the “By carrier” table</translation>
    </message>
    <message>
        <source>各快递公司</source>
        <translation>By carrier</translation>
    </message>
    <message>
        <source>快递公司</source>
        <translation>Carrier</translation>
    </message>
    <message>
        <source>快递数</source>
        <translation>Parcels</translation>
    </message>
    <message>
        <source>已签收</source>
        <translation>Delivered</translation>
    </message>
    <message>
        <source>中位运送时间</source>
        <translation>Median transit</translation>
    </message>
    <message>
        <source>80%运送时间</source>
        <translation>80% transit</translation>
    </message>
    <message>
        <source>问题件占比</source>
        <translation>Exception share</translation>
    </message>
    <message>
        <source>每月签收</source>
        <translation>Delivered per month</translation>
    </message>
    <message>
        <source>月份</source>
        <translation>Month</translation>
    </message>
    <message>
        <source>签收数</source>
        <translation>Delivered</translation>
    </message>
    <message>
        <source>中位</source>
        <translation>Median</translation>
    </message>
    <message>
        <source>已签收快递的运送时间(天)</source>
        <translation>Transit time of delivered parcels (days)</translation>
    </message>
    <message>
        <source>天</source>
        <translation>Days</translation>
    </message>
</context>
<context>
    <name>TrackingHistory</name>
    <message>
        <source>它由较新版本的 Parcelvue 建立(数据库版本 %1),请用较新版本的 Parcelvue 打开</source>
        <translation>it was made by a newer Parcelvue (schema %1); open it with that newer Parcelvue</translation>
    </message>
    <message>
        <source>无法在数据目录保存快递记录(%1: %2),本次运行的记录只保存在内存中。</source>
        <translation>The tracking records cannot be kept in the data directory (%1: %2); this run keeps them in memory only.</translation>
    </message>
    <message>
        <source>快递记录数据库已损坏,已另存为%1,并新建了数据库。</source>
        <translation>The parcel records database was damaged; it was kept as %1 and a new database was created.</translation>
    </message>
    <message>
        <source>快递记录数据库已损坏(%1),无法另存。请关闭程序后检查数据目录。</source>
        <translation>The parcel records database is damaged (%1) and cannot be set aside. Please close the program and check the data folder.</translation>
    </message>
</context>
<context>
    <name>TrackingService</name>
    <message>
        <source>快递鸟</source>
        <translation>Kdniao</translation>
    </message>
    <message>
        <source>原有接口</source>
        <translation>Built-in service</translation>
    </message>
</context>
<context>
    <name>TrackingServiceDialog</name>
    <message>
        <source>服务地址:%1</source>
        <translation>Service address: %1</translation>
    </message>
    <message>
        <source>原有接口</source>
        <translation>Built-in service</translation>
    </message>
    <message>
        <source>快递鸟</source>
        <translation>Kdniao</translation>
    </message>
    <message>
        <source>API密钥</source>
        <translation>API key</translation>
    </message>
    <message>
        <source>查询服务</source>
        <translation>Tracking Service</translation>
    </message>
    <message>
        <source>服务地址</source>
        <translation>Service address</translation>
    </message>
    <message>
        <source>用户ID</source>
        <translation>User ID</translation>
    </message>
    <message>
        <source>测试单号</source>
        <translation>Test number</translation>
    </message>
    <message>
        <source>快递公司</source>
        <translation>Carrier</translation>
    </message>
    <message>
        <source>测试</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>无法从系统密钥环读取密钥：</source>
        <translation>Cannot read the key from the system keyring: </translation>
    </message>
    <message>
        <source>请输入测试单号!</source>
        <translation>Please enter a test number!</translation>
    </message>
    <message>
        <source>正在查询%1,请稍等..</source>
        <translation>Querying %1, please wait..</translation>
    </message>
    <message>
        <source>查询成功:共%1条物流信息,最新:%2 %3</source>
        <translation>Query succeeded: %1 tracking entries; latest: %2 %3</translation>
    </message>
    <message>
        <source>查询没有结果:</source>
        <translation>No result: </translation>
    </message>
    <message>
        <source>
17TRACK识别的快递公司:</source>
        <translation>
Carrier recognised by 17TRACK: </translation>
    </message>
    <message>
        <source>17TRACK剩余额度:%1(共%2)</source>
        <translation>17TRACK quota left: %1 (of %2)</translation>
    </message>
    <message>
        <source>17TRACK剩余额度查询失败:</source>
        <translation>17TRACK quota not available: </translation>
    </message>
    <message>
        <source>密钥</source>
        <translation>key</translation>
    </message>
    <message>
        <source>查询服务保存失败!错误原因</source>
        <translation>Tracking service not saved! Reason: </translation>
    </message>
</context>
<context>
    <name>TrackingServiceSettings</name>
    <message>
        <source>请填写正确的服务地址(以http://或https://开头)</source>
        <translation>Please enter a valid service address (starting with http:// or https://)</translation>
    </message>
    <message>
        <source>请填写快递鸟的用户ID</source>
        <translation>Please enter the Kdniao user ID</translation>
    </message>
    <message>
        <source>设置中不能含有换行</source>
        <translation>The settings cannot contain line breaks</translation>
    </message>
    <message>
        <source>在kdniao.com注册并实名认证后，在用户中心的“API管理”中可以看到用户ID和API Key；即时查询每天可查询500次。可查询%1家中的%2家快递公司；顺丰等快递公司需要手机号后四位，请在“全部快递”中为单号填写。</source>
        <translation>Once registered and verified at kdniao.com, you find the user ID and the API Key under “API管理” in the user centre; instant queries allow 500 a day. %2 of the %1 carriers can be queried; SF Express and some others need the last four digits of a phone number, which you enter for the parcel in “All Parcels”.</translation>
    </message>
    <message>
        <source>在api.17track.net注册后，在“设置 - 安全”中可以看到API密钥；每注册一个新单号用去一个额度，再次查询同一单号不再用去，“测试”后显示剩余额度。%1家快递公司中的%2家按其17TRACK代码查询，其余的由17TRACK按单号识别快递公司。</source>
        <translation>Once registered at api.17track.net, you find the API key under “Settings - Security”; each new number registered uses one unit of quota, querying the same number again does not, and “Test” shows the quota left. %2 of the %1 carriers are queried by their 17TRACK code; for the rest, 17TRACK recognises the carrier from the number.</translation>
    </message>
    <message>
        <source>Parcelvue原有的查询接口(endpoints.ini中[tracking]的url和key)。</source>
        <translation>Parcelvue’s built-in tracking service (the url and key under [tracking] in endpoints.ini).</translation>
    </message>
</context>
<context>
    <name>TrayIcon</name>
    <message>
        <source>显示主窗口</source>
        <translation>Show Main Window</translation>
    </message>
    <message>
        <source>全部快递</source>
        <translation>All Parcels</translation>
    </message>
    <message>
        <source>全部刷新</source>
        <translation>Refresh All</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Quit</translation>
    </message>
</context>
</TS>
