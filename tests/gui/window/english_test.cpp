// The main window under the English translation: its captions and messages are English, each fits
// its control at the designed size, and every control keeps the place it has under Chinese.
#include "core/carrier_catalogue.h"
#include "core/delivery_status.h"
#include "core/shown_text.h"
#include "english_captions.h"
#include "platform/paths.h"
#include "platform/text_codec.h"
#include "qt_wait.h"
#include "test_servers.h"
#include "window_harness.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTimer>
#include <QToolButton>
#include <QTranslator>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <map>

namespace {
// Where each named control of the window is, relative to the window. The carrier hint is no
// designed control: it lays out its own caption and names by their texts (its own tests check it).
std::map<QString, QRect> placesOf(const QWidget &window)
{
    std::map<QString, QRect> places;
    for (const QWidget *child : window.findChildren<QWidget *>()) {
        if (!child->objectName().isEmpty() && !child->objectName().startsWith(QLatin1String("carrierHint")))
            places[child->objectName()] = QRect(child->mapTo(&window, QPoint(0, 0)), child->size());
    }
    return places;
}

// The width a caption needs in its control as the style (and the skin's style sheet) lays it
// out; 0 for a control without a caption.
int neededWidth(const QWidget *control)
{
    if (const auto *frame = qobject_cast<const QGroupBox *>(control))
        return frame->title().isEmpty() ? 0 : frame->minimumSizeHint().width();
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return label->text().isEmpty() ? 0 : label->sizeHint().width();
    if (const auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->text().isEmpty() || qobject_cast<const QToolButton *>(control)
            ? 0
            : button->sizeHint().width();
    return 0;
}

class EnglishWindow : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString path = translationPath(QString(), QStringLiteral("parcelvue_en.qm"));
        ASSERT_TRUE(m_translator.load(path)) << "no English translation at " << path.toStdString();
        ASSERT_TRUE(QCoreApplication::installTranslator(&m_translator));
    }
    void TearDown() override { QCoreApplication::removeTranslator(&m_translator); }

    QTranslator m_translator;
};
} // namespace

TEST_F(EnglishWindow, CaptionsAreEnglish)
{
    WindowHarness h;
    Form1 &form = h.open();

    const struct
    {
        const char *name;
        const char *text;
    } captions[] = {
        {"Label16", "Website"},
        {"lblSaved", "Parcels:"},
        {"Command4", "Setup"},
        {"Label12_2", "Not queried"},
        {"Picture3_heading", "Add a parcel"},
        {"Command1", "Track"},
        {"Command8", "Start timer"},
        {"Command5", "Start loop"},
        {"senderSettingsButton", "Sender..."},
    };
    for (const auto &c : captions) {
        const QWidget *control = form.findChild<QWidget *>(QLatin1String(c.name));
        ASSERT_NE(control, nullptr) << c.name;
        QString text;
        if (const auto *label = qobject_cast<const QLabel *>(control))
            text = label->text();
        else if (const auto *button = qobject_cast<const QAbstractButton *>(control))
            text = button->text();
        EXPECT_EQ(text, QLatin1String(c.text)) << c.name;
    }
    EXPECT_EQ(form.ListView1->headerItem()->text(1), QStringLiteral("Time"));
    EXPECT_EQ(form.Combo5->itemText(5), QStringLiteral("Lumetra downloads"));

    // No caption, title, menu entry, carrier or accessible name of the window is left in Chinese.
    // The carrier hint is a widget of its own, with its own texts.
    EXPECT_EQ(form.Combo1->itemText(carrierIndexByName(QStringLiteral("中通快递"))),
              QStringLiteral("ZTO Express"));
    EXPECT_EQ(
        chineseCaptions(form, {QStringLiteral("carrierHintCaption")}).join(QLatin1Char('\n')).toStdString(),
        "");
}

TEST_F(EnglishWindow, EveryCaptionFitsAndNoControlMoves)
{
    QCoreApplication::removeTranslator(&m_translator);
    std::map<QString, QRect> chinese;
    {
        WindowHarness h;
        chinese = placesOf(h.open());
    }
    ASSERT_TRUE(QCoreApplication::installTranslator(&m_translator));
    WindowHarness h;
    Form1 &form = h.open();
    EXPECT_EQ(placesOf(form), chinese);

    // The captions that change with the state: the monitor buttons and the update word.
    QWidget alternates(&form);
    alternates.hide();
    for (const char *text : {"关闭定时", "停止循环"}) {
        auto *button = new QPushButton(Form1::tr(text), &alternates);
        button->resize(form.Command8->size());
        button->setObjectName(QLatin1String(text));
    }
    for (const char *text : {"有更新", "无更新"}) {
        auto *label = new QLabel(Form1::tr(text), &alternates);
        label->resize(form.Label12[3]->size());
        label->setObjectName(QLatin1String(text));
    }
    for (const QString &status : {kSignedFor, kOutForDelivery, kInTransit}) {
        auto *label = new QLabel(shownStatus(status), &alternates);
        label->resize(form.Label12[2]->size());
        label->setObjectName(status);
    }

    for (const QWidget *control : form.findChildren<QWidget *>()) {
        EXPECT_LE(neededWidth(control), control->width()) << control->objectName().toStdString();
    }
    // The e-mail switch's caption ends before the sender button on its line.
    const QWidget *sender = form.findChild<QWidget *>(QStringLiteral("senderSettingsButton"));
    ASSERT_NE(sender, nullptr);
    EXPECT_LT(neededWidth(form.Frame1), sender->x());

    // Every carrier's name fits the carrier boxes' text field when chosen.
    for (const QComboBox *box : {form.Combo1, form.Text5}) {
        QStyleOptionComboBox option;
        option.initFrom(box);
        const int field
            = box->style()
                  ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box)
                  .width();
        for (int i = 0; i < box->count(); ++i)
            EXPECT_LE(box->fontMetrics().horizontalAdvance(box->itemText(i)), field)
                << box->objectName().toStdString() << ": " << box->itemText(i).toStdString();
    }

    // The status line holds the longest messages of the window.
    for (const char *text : {"快递列表保存失败!请检查磁盘或权限..", "设置保存失败!请检查磁盘或权限..",
                             "您的E-mail地址输入错误!请您检查!", " 正发送最新动态邮件,请稍等..",
                             "导出失败,无法写入文件..", "请输入快递备注信息,例如：爸爸衣服"}) {
        form.setStatus(Form1::tr(text));
        EXPECT_LE(neededWidth(form.Label11[2]), form.Label11[2]->width()) << text;
    }
    for (const char *text : {"查询失败,查询服务器没有返回信息!", "查询失败,查询服务器返回错误!",
                             "此快递单号未更新信息或已失效..", "查询失败,无法连接查询服务器!"}) {
        form.setStatus(shownVerdict(QString::fromUtf8(text)));
        EXPECT_LE(neededWidth(form.Label11[2]), form.Label11[2]->width()) << text;
    }
}

// What the window shows is English; what it hands on to be stored stays Chinese, and the monitor
// buttons still switch by their English captions.
TEST_F(EnglishWindow, ShowsEnglishButHandsOnChinese)
{
    TestSandbox sandbox;
    WindowHarness h;
    h.test.useServer(sandbox.baseUrl());
    {
        QFile saved(h.test.dataDir() + QStringLiteral("/wlnum.ini"));
        ASSERT_TRUE(saved.open(QIODevice::WriteOnly));
        saved.write(encodeGb(QStringLiteral("SF20240301|顺丰快递|冬衣\r\n")));
    }
    Form1 &form = h.open();
    form.Timer3->stop();
    form.Timer3_Timer();
    QList<TrackingAnswer> answers;
    QList<ParcelNews> news;
    QObject::connect(&form, &Form1::answerParsed, [&](const TrackingAnswer &a) { answers.append(a); });
    QObject::connect(&form, &Form1::updateFound,
                     [&](const ParcelKey &, const ParcelNews &n) { news.append(n); });

    form.Text1->setCurrentIndex(0);
    form.Text1_Click();
    ASSERT_TRUE(waitUntil([&] { return !form.Timer1->isActive(); }));
    ASSERT_EQ(answers.size(), 1);
    ASSERT_EQ(news.size(), 1);
    const QString status = answers[0].status;
    EXPECT_TRUE(status == kSignedFor || status == kOutForDelivery || status == kInTransit)
        << status.toStdString();
    EXPECT_EQ(form.Label12[2]->text(), shownStatus(status));
    EXPECT_FALSE(hasChinese(form.Label12[2]->text())) << form.Label12[2]->text().toStdString();
    EXPECT_FALSE(hasChinese(form.Label12[5]->text())) << form.Label12[5]->text().toStdString();
    EXPECT_TRUE(hasChinese(news[0].transit)) << news[0].transit.toStdString();
    EXPECT_EQ(form.Label12[3]->text(), QStringLiteral("New events"));
    EXPECT_EQ(form.Label11[2]->text(), QStringLiteral("Query complete..."));

    // The carrier boxes show the English name; the saved line keeps the stored one.
    EXPECT_EQ(form.Combo1->currentText(), QStringLiteral("SF Express"));
    EXPECT_EQ(news[0].carrierName, QStringLiteral("顺丰快递"));
    form.Command12->click();
    EXPECT_TRUE(QApplication::clipboard()->text().contains(QStringLiteral("SF Express")))
        << QApplication::clipboard()->text().toStdString();
    form.Command14->click();
    EXPECT_EQ(form.Text5->currentText(), QStringLiteral("SF Express"));
    form.Text6->setText(QStringLiteral("毛衣"));
    h.test.messages.answerNext(MsgAnswer::Yes);
    form.Command13->click();
    QFile saved(h.test.dataDir() + QStringLiteral("/wlnum.ini"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(decodeGb(saved.readAll()), QStringLiteral("SF20240301|顺丰快递|毛衣\r\n"));
    ASSERT_TRUE(waitUntil([&] { return !form.Timer1->isActive(); }));

    const struct
    {
        QPushButton *toggle;
        QPushButton *mode;
        const char *idle, *running;
    } monitors[] = {
        {form.Command8, form.Command11, "Start timer", "Stop timer"},
        {form.Command5, form.Command10, "Start loop", "Stop loop"},
    };
    form.Combo4->setCurrentIndex(0);
    for (const auto &m : monitors) {
        m.mode->click();
        ASSERT_EQ(m.toggle->text(), QLatin1String(m.idle));
        m.toggle->click();
        EXPECT_EQ(m.toggle->text(), QLatin1String(m.running));
        EXPECT_FALSE(form.Text1->isEnabled()) << m.running;
        m.toggle->click();
        EXPECT_EQ(m.toggle->text(), QLatin1String(m.idle));
        EXPECT_TRUE(form.Text1->isEnabled()) << m.idle;
    }
}

TEST_F(EnglishWindow, StatusWordsVerdictsAndTransitTimes)
{
    const struct
    {
        QString shown;
        const char *english;
    } cases[] = {
        {shownStatus(kSignedFor), "Delivered"},
        {shownStatus(QStringLiteral("问题件")), "Exception"},
        {shownStatus(QStringLiteral("其他")), "其他"},
        {shownVerdict(QStringLiteral("查询服务繁忙,稍后再查 (HTTP 503)")),
         "The tracking service is busy, try again later (HTTP 503)"},
        {shownVerdict(QStringLiteral("查询失败,无法连接查询服务器! (Connection refused)")),
         "Query failed: cannot reach the tracking server! (Connection refused)"},
        {shownVerdict(QStringLiteral("未查询到物流信息!")), "No tracking information found!"},
        // Messages with the service's name, code or words in them; the services' own words stay.
        {shownVerdict(QStringLiteral("快递鸟查询失败:x")), "Kdniao query failed: x"},
        {shownVerdict(QStringLiteral("快递鸟查询失败:服务没有说明原因")),
         "Kdniao query failed: the service gave no reason"},
        {shownVerdict(QStringLiteral("快递鸟拒绝了查询(签名错误%2),请在“查询服务”中检查用户ID和API Key!")),
         "Kdniao refused the query (签名错误%2): check the user ID and API key in Tracking Service!"},
        {shownVerdict(QStringLiteral("17TRACK服务暂时不可用(HTTP 503),请稍后再查! (retry)")),
         "17TRACK is unavailable for now (HTTP 503), try again later! (retry)"},
        {shownVerdict(QStringLiteral("查询太频繁,快递鸟暂停了查询,稍后再查..")),
         "Too many queries: Kdniao has paused them, try again later.."},
        {shownVerdict(QStringLiteral("17TRACK查询失败:Invalid number(代码-18019901)")),
         "17TRACK query failed: Invalid number (code -18019901)"},
        {shownStatus(QStringLiteral("问题件：拒收（退件）")), "Exception: Refused (returned)"},
        {shownStatus(QStringLiteral("派送失败：地址有误")), "Delivery failed: Wrong address"},
        {shownStatus(QStringLiteral("其他：拒收")), "其他：拒收"},
        {shownTransitTime(93900), "1d 2h 5m"},
        {shownTransitTime(-93900), "-1d -2h -5m"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.shown, QString::fromUtf8(c.english));
}
