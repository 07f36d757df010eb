<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
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
</TS>
