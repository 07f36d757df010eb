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
        <translation>Chengdu Benteng International</translation>
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
        <translation>China Post Domestic Small Parcel</translation>
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
        <translation>Beijing Yitong Feihong Express</translation>
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
</context>
<context>
    <name>TrackingServiceDialog</name>
    <message>
        <source>服务地址:%1</source>
        <translation>Service address: %1</translation>
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
