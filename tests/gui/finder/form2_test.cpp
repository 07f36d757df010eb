#include "core/carrier_catalogue.h"
#include "gui/finder/form2.h"
#include "window_harness.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
struct Finder
{
    WindowHarness h;
    Form1 *form = nullptr;
    static constexpr int kStart = 3;

    Finder()
    {
        form = &h.open();
        form->Timer3->stop();
        form->Combo1->setCurrentIndex(kStart);
        form->Text5->setCurrentIndex(kStart);
        form->setStatus(QStringLiteral("before"));
    }
};
} // namespace

// Keyword searches against the real catalogue in the real window.
TEST(Finder, KeywordSearch)
{
    const int last = kCarrierCount - 1;
    const int zhongxinda = carrierIndexByName(QStringLiteral("忠信达快递"));
    const int ems = carrierIndexByName(QStringLiteral("EMS快递"));
    const struct
    {
        QString keyword;
        int selected; // Finder::kStart: nothing changed
        QString status; // empty: unchanged
        bool closes;
    } cases[] = {
        {QString(), Finder::kStart, {}, false},
        {QStringLiteral("   "), last, QStringLiteral("找到【中邮物流】，是否为您要找的公司?"), true},
        {QStringLiteral("ems"), Finder::kStart, {}, true},
        {QStringLiteral("EMS"), ems, QStringLiteral("找到【EMS快递】，是否为您要找的公司?"), true},
        {QStringLiteral("  EMS "), ems, QStringLiteral("找到【EMS快递】，是否为您要找的公司?"), true},
        {QStringLiteral("快递"), zhongxinda, QStringLiteral("找到【忠信达快递】，是否为您要找的公司?"), true},
        {QStringLiteral("没有这家"), Finder::kStart, {}, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.keyword.toStdString());
        Finder f;
        Form2 finder(f.form->carrierBoxes(), f.form);
        finder.show();
        finder.Text1->setText(c.keyword);
        QTest::mouseClick(finder.Command1, Qt::LeftButton);

        EXPECT_EQ(f.form->Combo1->currentIndex(), c.selected);
        EXPECT_EQ(f.form->Text5->currentIndex(), c.selected);
        EXPECT_EQ(f.form->strComCode, carrierCode(c.selected));
        EXPECT_EQ(f.form->Label11[2]->text().toStdString(),
                  (c.status.isEmpty() ? QStringLiteral("before") : c.status).toStdString());
        EXPECT_EQ(finder.isVisible(), !c.closes);
        if (c.closes) {
            EXPECT_TRUE(f.h.test.messages.shown.empty());
            EXPECT_EQ(finder.result(), QDialog::Accepted);
        } else {
            ASSERT_EQ(f.h.test.messages.texts(), QStringList {QStringLiteral("请输入物流公司关键字")});
            EXPECT_EQ(f.h.test.messages.shown[0].icon, MsgIcon::Information);
            EXPECT_EQ(f.h.test.messages.shown[0].buttons, MsgButtons::Ok);
        }
    }
}

TEST(Finder, QuickButtons)
{
    const struct
    {
        QString caption;
        QString entry;
        QString code;
    } cases[] = {
        {QStringLiteral("申通"), QStringLiteral("申通快递"), QStringLiteral("shentong")},
        {QStringLiteral("EMS"), QStringLiteral("EMS快递"), QStringLiteral("ems")},
        {QStringLiteral("顺丰"), QStringLiteral("顺丰快递"), QStringLiteral("shunfeng")},
        {QStringLiteral("圆通"), QStringLiteral("圆通快递"), QStringLiteral("yuantong")},
        {QStringLiteral("中通"), QStringLiteral("中通快递"), QStringLiteral("zhongtong")},
        {QStringLiteral("汇通"), QStringLiteral("汇通快递"), QStringLiteral("huitong")},
        {QStringLiteral("韵达"), QStringLiteral("韵达快递"), QStringLiteral("yunda")},
        {QStringLiteral("程光"), QStringLiteral("程光快递"), QStringLiteral("chengguang")},
        {QStringLiteral("全峰"), QStringLiteral("全峰快递"), QStringLiteral("quanfeng")},
        {QStringLiteral("宅急送"), QStringLiteral("宅急送快递"), QStringLiteral("zhaijisong")},
    };
    for (int i = 0; i < 10; ++i) {
        const auto &c = cases[i];
        SCOPED_TRACE(c.caption.toStdString());
        Finder f;
        Form2 finder(f.form->carrierBoxes(), f.form);
        finder.show();
        QPushButton *button = finder.quickButtons()[i];
        EXPECT_EQ(button->text(), c.caption);
        EXPECT_EQ(button->objectName(), QStringLiteral("Command%1").arg(i + 2));
        QTest::mouseClick(button, Qt::LeftButton);

        const int index = carrierIndexByName(c.entry);
        ASSERT_GE(index, 0);
        EXPECT_EQ(f.form->Combo1->currentIndex(), index);
        EXPECT_EQ(f.form->Text5->currentIndex(), index);
        EXPECT_EQ(f.form->strComCode, c.code);
        EXPECT_EQ(f.form->Label11[2]->text(), QStringLiteral("before"))
            << "quick buttons leave the status line";
        EXPECT_FALSE(finder.isVisible());
    }
}

// A carrier already selected is looked up again: the service code follows the selection even when
// something else changed it meanwhile.
TEST(Finder, ChoosingTheSelectedEntryStillSetsTheCode)
{
    Finder f;
    const int sf = carrierIndexByName(QStringLiteral("顺丰快递"));
    f.form->Combo1->setCurrentIndex(sf);
    f.form->strComCode.clear();
    Form2 finder(f.form->carrierBoxes(), f.form);
    finder.show();
    finder.Command4->click();
    EXPECT_EQ(f.form->strComCode, QStringLiteral("shunfeng"));
}

// Modal, as the quick-search buttons open it: Enter in the keyword box presses nothing, the empty
// keyword keeps it open, a search ends the modal loop.
TEST(Finder, ModalRun)
{
    Finder f;
    Form2 finder(f.form->carrierBoxes(), f.form);
    int steps = 0;
    int waited = 0;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        // A slow build may tick before the dialog is up: begin once it is active, as a person would.
        if (steps == 0 && !finder.isActiveWindow() && ++waited < 500)
            return;
        // The search accepted the dialog; a tick already due may still come before exec returns.
        if (steps == 3 && !finder.isVisible())
            return;
        switch (steps++) {
        case 0:
            EXPECT_TRUE(finder.Text1->hasFocus());
            QTest::keyClicks(finder.Text1, QStringLiteral("EMS"));
            QTest::keyClick(finder.Text1, Qt::Key_Return);
            break;
        case 1:
            EXPECT_TRUE(finder.isVisible()) << "Enter must not search";
            finder.Text1->clear();
            finder.Command1->click();
            break;
        case 2:
            EXPECT_TRUE(finder.isVisible());
            finder.Text1->setText(QStringLiteral("圆通"));
            finder.Command1->click();
            break;
        default:
            ADD_FAILURE() << "still open";
            finder.reject();
        }
    });
    driver.start(20);
    const int result = finder.exec();
    driver.stop();
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(steps, 3);
    EXPECT_EQ(f.form->Combo1->currentText(), QStringLiteral("圆通快递"));
    EXPECT_EQ(f.h.test.messages.texts(), QStringList {QStringLiteral("请输入物流公司关键字")});
}
