#include "gui/outlets/form5.h"
#include "core/blank_trim.h"

#include "gui/platform/platform.h"
#include "outlets/outlet_page.h"
#include "outlets/page_fetch.h"
#include "platform/http_client.h"
#include "platform/message_box.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>

namespace {

// Geometry of the design in twips; one pixel is 15 twips.
QRect twips(int left, int top, int width, int height)
{
    return QRect(qRound(left / 15.0), qRound(top / 15.0), qRound(width / 15.0), qRound(height / 15.0));
}

QFrame *makeFrame(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(QLatin1String(name));
    frame->setFrameShape(QFrame::NoFrame);
    frame->setGeometry(geometry);
    return frame;
}

QLabel *makeLabel(QWidget *parent, const char *name, const QString &text, const QRect &geometry)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(geometry);
    return label;
}

} // namespace

Form5::Form5(Platform &platform, QWidget *parent)
    : QDialog(parent)
    , fetchTimeoutMs(kPageFetchTimeoutMs)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(tr("网点信息查询"));
    setFixedSize(kClientWidth, kClientHeight);
    // The design's font, so that captions fit the design's one-line labels.
    QFont designFont = font();
    designFont.setPixelSize(12);
    setFont(designFont);

    Frame13 = makeFrame(this, "Frame13", twips(240, 360, 6735, 735));
    Label13 = makeLabel(Frame13, "Label13", tr("请输入您要查询的网点名称："), twips(120, 315, 2340, 180));
    Text1 = new QLineEdit(Frame13);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(twips(2520, 280, 2535, 270));
    Label13->setBuddy(Text1);
    Command1 = new QPushButton(tr("查询"), Frame13);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twips(5280, 150, 1335, 495));
    Command1->setAutoDefault(false); // no default button: Enter in the box does nothing

    // One line, across the middle of its frame.
    const auto inFrame = [](const QFrame *frame) { return QRect(8, 17, frame->width() - 16, 16); };
    const struct
    {
        QFrame *&frame;
        const char *frameName;
        QRect geometry;
        QLabel *&label;
        const char *labelName;
        QString text;
    } cells[] = {
        {Frame2, "Frame2", twips(240, 960, 1335, 735), Label1, "Label1", tr("网点名称：")},
        {Frame1, "Frame1", twips(1440, 960, 2175, 735), Label2, "Label2", tr("未查询")},
        {Frame6, "Frame6", twips(3600, 960, 1335, 735), Label3, "Label3", tr("负责人：")},
        {Frame7, "Frame7", twips(4920, 960, 2055, 735), Label4, "Label4", tr("未查询")},
        {Frame3, "Frame3", twips(240, 1560, 1335, 735), Label5, "Label5", tr("网点名称：")},
        {Frame4, "Frame4", twips(1320, 1560, 5655, 735), Label6, "Label6", tr("未查询")},
        {Frame5, "Frame5", twips(240, 2160, 1335, 735), Label7, "Label7", tr("联系电话：")},
        {Frame8, "Frame8", twips(1320, 2160, 5655, 735), Label8, "Label8", tr("未查询")},
        {Frame9, "Frame9", twips(240, 2760, 1335, 735), Label9, "Label9", tr("派送范围：")},
        {Frame10, "Frame10", twips(1320, 2760, 5655, 735), Label10, "Label10", tr("未查询")},
        {Frame11, "Frame11", twips(240, 3360, 1335, 735), Label11, "Label11", tr("不派送范围：")},
        {Frame12, "Frame12", twips(1320, 3360, 5655, 735), Label12, "Label12", tr("未查询")},
    };
    for (const auto &cell : cells) {
        cell.frame = makeFrame(this, cell.frameName, cell.geometry);
        cell.label = makeLabel(cell.frame, cell.labelName, cell.text, inFrame(cell.frame));
    }
    // Each value is announced with its caption.
    Label1->setBuddy(Label2);
    Label3->setBuddy(Label4);
    Label5->setBuddy(Label6);
    Label7->setBuddy(Label8);
    Label9->setBuddy(Label10);
    Label11->setBuddy(Label12);
    Label10->setCursor(Qt::PointingHandCursor);
    Label10->setToolTip(tr("单击查看完整的派送范围"));
    Label10->installEventFilter(this);

    S1 = new QStatusBar(this);
    S1->setObjectName(QStringLiteral("S1"));
    S1->setAccessibleName(tr("提示"));
    S1->setSizeGripEnabled(false);
    S1->setGeometry(twips(0, 4485, 7215, 615));
    S1_1 = new QLabel(QStringLiteral("提示："), S1);
    S1_1->setObjectName(QStringLiteral("S1_1"));
    // The panel keeps its designed width whatever the caption's language.
    S1_1->setMinimumWidth(S1_1->sizeHint().width());
    S1_1->setText(tr("提示："));
    S1_1->setTextFormat(Qt::PlainText);
    S1_2 = new QLabel(tr("请输入要查询的网点名称"), S1);
    S1_2->setObjectName(QStringLiteral("S1_2"));
    S1_2->setTextFormat(Qt::PlainText);
    S1->addWidget(S1_1);
    S1->addWidget(S1_2, 1);

    connect(Command1, &QPushButton::clicked, this, &Form5::Command1_Click);
    Form_Load();
}

void Form5::Form_Load()
{
    // No icon in the title bar: a transparent one, as an empty icon would fall back to the program's.
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    setWindowIcon(QIcon(blank));
}

void Form5::Command1_Click()
{
    if (m_pending)
        return;
    if (Text1->text().isEmpty()) {
        setPanel(tr("请输入您要查询的站点.."));
        return;
    }
    strEncodedName = trimBlanks(UTF8_URLEncoding(Text1->text()));
    QString base = m_platform.endpoints().outletsUrl;
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');

    m_pending = true;
    m_abandoned = false;
    Command1->setEnabled(false);
    QPointer<Form5> alive(this);
    const FetchedPage page
        = GetBody(m_http, base + QStringLiteral("query_list.asp?name=") + strEncodedName, fetchTimeoutMs);
    if (!alive)
        return;
    m_pending = false;
    Command1->setEnabled(true);
    // Closed meanwhile: the values were cleared on the way out and stay so.
    if (m_abandoned)
        return;

    strPage = page.text;
    const OutletFields fields = cutOutletFields(strPage);
    varOutletName = fields[0];
    varManager = fields[1];
    varOutletName2 = fields[2];
    varPhone = fields[3];
    varDeliveryArea = fields[4];
    strExcludedArea = fields[5];
    showValues();

    if (varOutletName.isEmpty()) {
        csh();
        for (QLabel *label : {Label2, Label4, Label6, Label8, Label10, Label12})
            label->setText(tr("未查询"));
        // A failed transfer is told as such in both places; only a page without the outlet says
        // that it does not exist.
        const QString why = page.failed ? tr("网络连接失败,请稍后再试!") : tr("您查询的网点不存在!");
        setPanel(why);
        message(why);
    }
}

void Form5::showValues()
{
    Label2->setText(varOutletName);
    Label4->setText(varManager);
    Label6->setText(varOutletName2);
    Label8->setText(varPhone);
    Label10->setText(varDeliveryArea);
    Label12->setText(strExcludedArea);
}

void Form5::Label10_Click()
{
    if (!varDeliveryArea.isEmpty())
        message(varDeliveryArea);
}

void Form5::Form_QueryUnload()
{
    csh();
    if (m_pending) {
        m_abandoned = true;
        m_http.abortAll();
    }
}

void Form5::csh()
{
    varOutletName.clear();
    varManager.clear();
    varOutletName2.clear();
    varPhone.clear();
    varDeliveryArea.clear();
    strExcludedArea.clear();
}

void Form5::done(int result)
{
    Form_QueryUnload();
    QDialog::done(result);
}

bool Form5::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Label10 && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && Label10->rect().contains(mouse->position().toPoint()))
            Label10_Click();
    }
    return QDialog::eventFilter(watched, event);
}

void Form5::setPanel(const QString &text)
{
    S1_2->setText(text);
}

void Form5::message(const QString &text)
{
    m_platform.messages->show(text, MsgIcon::Information, MsgButtons::Ok);
}
