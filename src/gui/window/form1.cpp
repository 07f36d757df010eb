#include "gui/window/form1.h"

#include "gui/widgets/carrier_hint.h"
#include "gui/window/list_header.h"
#include "platform/message_box.h"
#include "platform/paths.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

namespace {
QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, int x, int y, int w, int h = 20)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(x, y, w, h);
    return label;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption, int x, int y, int w,
                        int h = 26)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(x, y, w, h);
    return button;
}

QComboBox *makeCombo(QWidget *parent, const char *name, int x, int y, int w, bool editable = false)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    combo->setEditable(editable);
    combo->setMaxVisibleItems(15);
    combo->setGeometry(x, y, w, 26);
    return combo;
}

QLineEdit *makeEdit(QWidget *parent, const char *name, int x, int y, int w)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(x, y, w, 26);
    return edit;
}

QFrame *makePanel(QWidget *parent, const char *name, const QString &heading, int w, int h)
{
    auto *panel = new QFrame(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setAutoFillBackground(true);
    panel->setGeometry(0, 0, w, h);
    panel->setAccessibleName(heading);
    QLabel *title = makeLabel(panel, "", heading, 12, 8, w - 60);
    title->setObjectName(QLatin1String(name) + QLatin1String("_heading"));
    QFont font = title->font();
    font.setBold(true);
    title->setFont(font);
    panel->hide();
    return panel;
}

// The panels' close and confirm images: a flat clickable picture.
QToolButton *makeImageButton(QWidget *parent, const char *name, const QString &accessibleName, int x, int y,
                             const QString &glyph)
{
    auto *image = new QToolButton(parent);
    image->setObjectName(QLatin1String(name));
    image->setText(glyph);
    image->setAccessibleName(accessibleName);
    image->setToolTip(accessibleName);
    image->setAutoRaise(true);
    image->setGeometry(x, y, 24, 24);
    return image;
}

QTimer *makeTimer(QObject *parent, const char *name, int intervalMs, bool running)
{
    auto *timer = new QTimer(parent);
    timer->setObjectName(QLatin1String(name));
    timer->setInterval(intervalMs);
    if (running)
        timer->start();
    return timer;
}
} // namespace

Form1::Form1(Platform &platform, TrackingClient &tracking, QWidget *parent)
    : QWidget(parent)
    , m_platform(platform)
    , m_tracking(tracking)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Parcelvue"));
    setFixedSize(kClientWidth, kClientHeight);
    // Both before the controls: changing either once they exist restyles every one of them.
    setWindowFlag(Qt::FramelessWindowHint);
    prepareSkin();
    buildControls();
    buildTimers();
    connectCore();
    connectWindow();
    connectStore();
    connectMonitor();
    Form_Load();
}

Form1::~Form1() = default;

void Form1::buildControls()
{
    Label16 = makeLabel(this, "Label16", tr("官方网站"), kClientWidth - 150, 5, 60, 18);

    Label11[0] = makeLabel(this, "Label11_0", tr("查询提示："), 12, 74, 70, 18);
    Label11[2] = makeLabel(this, "Label11_2", tr("程序检测更新中..."), 82, 74, 330, 18);
    Label11[3] = makeLabel(this, "Label11_3", tr("版本号"), 420, 74, 80, 18);
    Label11[4] = makeLabel(this, "Label11_4", tr("Lumetra出品"), 505, 74, 84, 18);
    Label11[5] = makeLabel(this, "Label11_5", QStringLiteral("Time"), 592, 74, 144, 18);

    lblSaved = makeLabel(this, "lblSaved", tr("我的快递："), 12, 103, 66);
    Text1 = makeCombo(this, "Text1", 78, 100, 190);
    Text1->setEnabled(false);
    lblSaved->setBuddy(Text1);
    Combo6 = makeCombo(this, "Combo6", 0, 0, 10);
    Combo6->setEditable(true); // keeps a current text of its own, like the hidden line list
    Combo6->setEditText(QStringLiteral("Combo6"));
    Combo6->hide();
    Command3 = makeButton(this, "Command3", tr("添加"), 276, 100, 56);
    Command14 = makeButton(this, "Command14", tr("操作"), 336, 100, 56);
    Command4 = makeButton(this, "Command4", tr("设置"), 396, 100, 56);
    Command7 = makeButton(this, "Command7", tr("清空"), 456, 100, 56);
    Command6 = makeButton(this, "Command6", tr("导出"), 516, 100, 56);
    Combo5 = makeCombo(this, "Combo5", 580, 100, 154);
    Combo5->setAccessibleName(tr("链接菜单"));
    Combo5->setPlaceholderText(tr("更多功能"));

    QLabel *statusCaption = makeLabel(this, "lblStatus", tr("快件状态"), 12, 136, 60);
    Label12[2] = makeLabel(this, "Label12_2", tr("未查询"), 74, 136, 110);
    QLabel *updateCaption = makeLabel(this, "lblUpdate", tr("更新状态"), 196, 136, 60);
    Label12[3] = makeLabel(this, "Label12_3", tr("未查询"), 258, 136, 110);
    QLabel *transitCaption = makeLabel(this, "lblTransit", tr("运送时间"), 380, 136, 60);
    Label12[5] = makeLabel(this, "Label12_5", tr("未查询"), 442, 136, 290);
    Label12[5]->setToolTip(tr("从快递接单时间算起"));
    statusCaption->setBuddy(Label12[2]);
    updateCaption->setBuddy(Label12[3]);
    transitCaption->setBuddy(Label12[5]);

    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setHeader(new ListHeader(ListView1));
    ListView1->setGeometry(10, 162, kClientWidth - 20, kClientHeight - 162 - 10);
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setColumnCount(3);
    ListView1->setAccessibleName(tr("物流进度"));
    auto *header = new QTreeWidgetItem;
    const char *keys[] = {"xh", "sj", "wl"};
    const QString captions[]
        = {QStringLiteral("Num"), tr("时间"), tr("物流进度 ( 双击列表可复制单条物流进度 )")};
    for (int column = 0; column < 3; ++column) {
        header->setText(column, captions[column]);
        header->setData(column, Qt::UserRole, QString::fromLatin1(keys[column]));
    }
    ListView1->setHeaderItem(header);
    // 1 : 2.2 : 8.3 of the list's width. The progress column takes what the first two leave of the
    // visible width, with or without the vertical scroll bar, so nothing ever scrolls sideways; a
    // stretched last column stays at least as wide as it was before, so it starts at the minimum.
    const int unit = (ListView1->width() - 4) * 10 / 115;
    ListView1->setColumnWidth(0, unit);
    ListView1->setColumnWidth(1, unit * 22 / 10);
    ListView1->setColumnWidth(2, ListView1->header()->minimumSectionSize());
    ListView1->header()->setStretchLastSection(true);
    ListView1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    buildAddPanel();
    buildSettingsPanel();
    buildOperationPanel();
}

void Form1::buildAddPanel()
{
    Picture3 = makePanel(this, "Picture3", tr("添加新快递"), 400, 230);
    aicAlphaImage5 = makeImageButton(Picture3, "aicAlphaImage5", tr("关闭"), 368, 4, QStringLiteral("✕"));
    QLabel *number = makeLabel(Picture3, "lblText3", tr("快递单号："), 20, 43, 78);
    Text3 = makeCombo(Picture3, "Text3", 100, 40, 200, true);
    Text3->setInsertPolicy(QComboBox::NoInsert); // its list is never filled, not even by Enter
    number->setBuddy(Text3);
    QLabel *carrier = makeLabel(Picture3, "lblCombo1", tr("物流公司："), 20, 79, 78);
    Combo1 = makeCombo(Picture3, "Combo1", 100, 76, 200);
    carrier->setBuddy(Combo1);
    Command2 = makeButton(Picture3, "Command2", tr("快捷搜索"), 306, 76, 80);
    QLabel *note = makeLabel(Picture3, "lblText2", tr("备注信息："), 20, 115, 78);
    Text2 = makeEdit(Picture3, "Text2", 100, 112, 286);
    note->setBuddy(Text2);
    Check1 = new QCheckBox(tr("是否添加后自动关闭本页,如需继续添加请取消勾选"), Picture3);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setGeometry(20, 148, 370, 24);
    Check1->setChecked(true);
    Command1 = makeButton(Picture3, "Command1", tr("开始查询"), 150, 184, 100, 30);
    Command1->setEnabled(false);
    // The carriers the number may belong to, in the free heading line right above Text3.
    new CarrierHint(Picture3, QRect(100, 6, 262, 24), Text3, Combo1);
}

void Form1::buildSettingsPanel()
{
    Picture4 = makePanel(this, "Picture4", tr("相关设置"), 400, 300);
    aicAlphaImage1 = makeImageButton(Picture4, "aicAlphaImage1", tr("确定"), 368, 4, QStringLiteral("✓"));

    Frame2 = new QGroupBox(tr("语音提醒"), Picture4);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setGeometry(12, 34, 376, 52);
    Check3 = new QCheckBox(tr("如快递有更新是否启用语音提醒功能"), Frame2);
    Check3->setObjectName(QStringLiteral("Check3"));
    Check3->setGeometry(12, 22, 350, 24);

    // The e-mail switch sits in the frame's caption line, in front of the caption.
    const QString mailCaption = tr("如果快递有最新动态，是否启用邮件及时通知");
    Frame1 = new QGroupBox(QStringLiteral("      ") + mailCaption, Picture4);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(12, 92, 376, 76);
    Check2 = new QCheckBox(Frame1);
    Check2->setObjectName(QStringLiteral("Check2"));
    Check2->setAccessibleName(mailCaption);
    Check2->setGeometry(8, 0, 20, 20);
    lblSendmail = makeLabel(Frame1, "lblSendmail", tr("通知邮箱："), 12, 37, 70);
    Sendmail = makeEdit(Frame1, "Sendmail", 84, 34, 280);
    Sendmail->setEnabled(false);
    lblSendmail->setBuddy(Sendmail);

    Frame4 = new QGroupBox(tr("定时查询功能"), Picture4);
    Frame4->setObjectName(QStringLiteral("Frame4"));
    Frame4->setGeometry(12, 176, 376, 108);
    Label4 = makeLabel(Frame4, "Label4", tr("请设定时间："), 12, 31, 84);
    Combo2 = makeCombo(Frame4, "Combo2", 96, 28, 64);
    Label5 = makeLabel(Frame4, "Label5", tr("时"), 164, 31, 18);
    Combo3 = makeCombo(Frame4, "Combo3", 184, 28, 64);
    Label6 = makeLabel(Frame4, "Label6", tr("分"), 252, 31, 18);
    Label5->setBuddy(Combo2);
    Label6->setBuddy(Combo3);
    Command8 = makeButton(Frame4, "Command8", tr("开始定时"), 12, 66, 110, 30);
    Command10 = makeButton(Frame4, "Command10", tr("循环查询"), 130, 66, 110, 30);

    Frame6 = new QGroupBox(tr("循环查询功能"), Picture4);
    Frame6->setObjectName(QStringLiteral("Frame6"));
    Frame6->setGeometry(12, 176, 376, 108);
    Label10 = makeLabel(Frame6, "Label10", tr("每隔"), 12, 31, 34);
    Combo4 = makeCombo(Frame6, "Combo4", 48, 28, 72);
    Label8 = makeLabel(Frame6, "Label8", tr("分钟自动进行一次查询"), 126, 31, 200);
    Label10->setBuddy(Combo4);
    Command5 = makeButton(Frame6, "Command5", tr("开始循环"), 12, 66, 110, 30);
    Command11 = makeButton(Frame6, "Command11", tr("定时查询"), 130, 66, 110, 30);
    Frame6->hide();
}

void Form1::buildOperationPanel()
{
    Picture5 = makePanel(this, "Picture5", tr("单号操作"), 400, 230);
    aicAlphaImage2 = makeImageButton(Picture5, "aicAlphaImage2", tr("关闭"), 368, 4, QStringLiteral("✕"));
    QLabel *number = makeLabel(Picture5, "lblText4", tr("快递单号："), 20, 43, 78);
    Text4 = makeEdit(Picture5, "Text4", 100, 40, 286);
    number->setBuddy(Text4);
    QLabel *carrier = makeLabel(Picture5, "lblText5", tr("快递公司："), 20, 79, 78);
    Text5 = makeCombo(Picture5, "Text5", 100, 76, 200);
    carrier->setBuddy(Text5);
    Command15 = makeButton(Picture5, "Command15", tr("快捷搜索"), 306, 76, 80);
    QLabel *note = makeLabel(Picture5, "lblText6", tr("快递备注："), 20, 115, 78);
    Text6 = makeEdit(Picture5, "Text6", 100, 112, 286);
    note->setBuddy(Text6);
    Command13 = makeButton(Picture5, "Command13", tr("修改"), 60, 172, 80, 30);
    Command9 = makeButton(Picture5, "Command9", tr("删除"), 160, 172, 80, 30);
    Command12 = makeButton(Picture5, "Command12", tr("复制"), 260, 172, 80, 30);
}

void Form1::buildTimers()
{
    Timer1 = makeTimer(this, "Timer1", 100, false);
    Timer3 = makeTimer(this, "Timer3", 1000, true);
    Timer4 = makeTimer(this, "Timer4", 1000, false);
    Timer5 = makeTimer(this, "Timer5", 1000, true);
    Timer6 = makeTimer(this, "Timer6", 60000, false);
    connect(Timer1, &QTimer::timeout, this, [this] { runTick(&Form1::Timer1_Timer); });
    connect(Timer3, &QTimer::timeout, this, [this] { runTick(&Form1::Timer3_Timer); });
    connect(Timer4, &QTimer::timeout, this, [this] { runTick(&Form1::Timer4_Timer); });
    connect(Timer5, &QTimer::timeout, this, &Form1::Timer5_Timer);
    connect(Timer6, &QTimer::timeout, this, [this] { runTick(&Form1::Timer6_Timer); });
}

QString Form1::savedFilePath() const
{
    QString dir = m_platform.dataDir;
    if (!dir.endsWith(QLatin1Char('/')) && !dir.endsWith(QLatin1Char('\\')))
        dir += QLatin1Char('/');
    return dir + QStringLiteral("wlnum.ini");
}

QString Form1::settingsFilePath() const
{
    return joinPath(m_platform.dataDir, QStringLiteral("parcelvue.ini"));
}

int Form1::columnByKey(const QString &key) const
{
    const QTreeWidgetItem *header = ListView1->headerItem();
    for (int column = 0; column < header->columnCount(); ++column) {
        if (header->data(column, Qt::UserRole).toString() == key)
            return column;
    }
    return -1;
}

MsgAnswer Form1::message(const QString &text, MsgButtons buttons, MsgIcon icon)
{
    return m_platform.messages->show(text, icon, buttons);
}

void Form1::setCaption(QLabel *label, const QString &text)
{
    label->setText(text);
}

void Form1::setLabelColor(QLabel *label, const QColor &color)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

void Form1::showPanel(QFrame *panel)
{
    for (QFrame *other : {Picture3, Picture4, Picture5}) {
        if (other != panel)
            other->hide();
    }
    panel->move((width() - Picture3->width()) / 2, (height() - Picture3->height()) / 2);
    panel->raise();
    panel->show();
}

HttpResult Form1::fetch(const QString &url)
{
    beginWait();
    HttpResult result = m_platform.http->get(url, m_platform.endpoints().trackingTimeoutSeconds * 1000);
    endWait();
    return result;
}

void Form1::endWait()
{
    if (--m_waitDepth > 0)
        return;
    if (!m_afterWait.empty()) {
        auto work = std::move(m_afterWait);
        m_afterWait.clear();
        QTimer::singleShot(0, this, [this, work] {
            for (const auto &step : work)
                runAfterWait(step);
        });
    }
    if (m_deferredTicks.empty())
        return;
    const auto ticks = std::move(m_deferredTicks);
    m_deferredTicks.clear();
    for (auto tick : ticks)
        QTimer::singleShot(0, this, [this, tick] { runTick(tick); });
}

void Form1::runTick(void (Form1::*tick)())
{
    if (waiting()) {
        for (auto pending : m_deferredTicks) {
            if (pending == tick)
                return;
        }
        m_deferredTicks.push_back(tick);
        return;
    }
    (this->*tick)();
}
