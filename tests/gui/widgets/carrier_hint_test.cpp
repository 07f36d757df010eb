#include "core/carrier_catalogue.h"
#include "english_interface.h"
#include "qt_wait.h"
#include "test_servers.h"
#include "window_harness.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {
const QString kUpsNumber = QStringLiteral("1Z 999 AA1 0123 456 784");

// The main window shown and active, the add panel opened with 添加.
struct AddPanel
{
    WindowHarness h;
    Form1 *form = nullptr;
    QWidget *hint = nullptr;

    explicit AddPanel(const QString &serverUrl = QString())
    {
        if (!serverUrl.isEmpty())
            h.test.useServer(serverUrl);
        form = &h.open();
        form->Timer3->stop();
        form->Command1->setEnabled(true);
        form->show();
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form));
        QTest::mouseClick(form->Command3, Qt::LeftButton);
        hint = form->Picture3->findChild<QWidget *>(QStringLiteral("carrierHint"));
    }

    // The names the hint shows, left to right (the order they were made in).
    std::vector<QToolButton *> names() const
    {
        std::vector<QToolButton *> shown;
        for (QToolButton *name : hint->findChildren<QToolButton *>()) {
            if (name->isVisible())
                shown.push_back(name);
        }
        return shown;
    }
    QStringList nameTexts() const
    {
        QStringList texts;
        for (QToolButton *name : names())
            texts.append(name->text());
        return texts;
    }
    void type(const QString &text)
    {
        form->Text3->lineEdit()->clear();
        QTest::keyClicks(form->Text3->lineEdit(), text);
    }
    void pasteWithF8(const QString &text)
    {
        QApplication::clipboard()->setText(text);
        QTest::keyClick(form->Text2, Qt::Key_F8);
    }
    QString carrier() const { return form->Combo1->currentText(); }
};
} // namespace

TEST(CarrierHint, TypingAndPastingShowTheCandidates)
{
    AddPanel panel;
    Form1 &form = *panel.form;
    EXPECT_FALSE(panel.hint->isVisible());
    panel.type(QStringLiteral("668 123 456 789"));
    EXPECT_EQ(
        panel.nameTexts(),
        (QStringList {QStringLiteral("申通快递"), QStringLiteral("天天快递"), QStringLiteral("中通快递")}));
    EXPECT_EQ(panel.hint->findChild<QLabel *>()->text(), QStringLiteral("可能是："));
    // Only possible: the carrier 添加 selected stays, and the number stays as typed.
    EXPECT_EQ(panel.carrier(), QStringLiteral("AAE快递"));
    EXPECT_EQ(form.Text3->currentText(), QStringLiteral("668 123 456 789"));

    // Free space: clear of the designed controls and of the heading's text; every name whole.
    const auto *heading = form.Picture3->findChild<QLabel *>(QStringLiteral("Picture3_heading"));
    EXPECT_LT(heading->x() + heading->fontMetrics().horizontalAdvance(heading->text()), panel.hint->x());
    for (QWidget *designed : form.Picture3->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (designed != panel.hint && designed != heading) {
            EXPECT_FALSE(panel.hint->geometry().intersects(designed->geometry()))
                << designed->objectName().toStdString();
        }
    }
    for (QToolButton *name : panel.names())
        EXPECT_TRUE(panel.hint->rect().contains(name->geometry())) << name->text().toStdString();
    // The heading line stays the panel's grip: a press on the caption drags the panel.
    QLabel *caption = panel.hint->findChild<QLabel *>();
    const auto mouse = [&](QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, caption->mapToGlobal(at), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(caption, &event);
    };
    const QPoint start = form.Picture3->pos();
    mouse(QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, {15, 10}, Qt::NoButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, {15, 10}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(form.Picture3->pos(), start + QPoint(10, 5));

    // F8 pastes a UPS number with its blanks: certain and alone, so it is chosen.
    panel.pasteWithF8(kUpsNumber);
    EXPECT_EQ(panel.nameTexts(), QStringList {QStringLiteral("UPS")});
    EXPECT_EQ(panel.carrier(), QStringLiteral("UPS"));
    EXPECT_EQ(form.strComCode, QStringLiteral("ups"));
    EXPECT_EQ(form.Text3->currentText(), kUpsNumber);
    // What the hint chose itself is no user's choice: a later certain number replaces it.
    panel.type(QStringLiteral("EA123456785CN"));
    EXPECT_EQ(form.strComCode, QStringLiteral("ems"));

    for (const QString &number : {QString(), QStringLiteral("hello"), QStringLiteral("12345")}) {
        panel.type(number);
        EXPECT_FALSE(panel.hint->isVisible()) << number.toStdString();
    }
}

// In English the hint shows the carriers' English names, those that fit the line (the longer names
// leave less room: the third is left out, never cut), and they choose their carriers all the same.
TEST(CarrierHint, EnglishNamesChooseTheirCarriers)
{
    const EnglishInterface english;
    AddPanel panel;
    panel.type(QStringLiteral("668 123 456 789"));
    EXPECT_EQ(panel.hint->findChild<QLabel *>()->text(), QStringLiteral("Could be:"));
    EXPECT_EQ(panel.nameTexts(),
              (QStringList {QStringLiteral("STO Express"), QStringLiteral("TTK Express")}));
    for (QToolButton *name : panel.names())
        EXPECT_TRUE(panel.hint->rect().contains(name->geometry())) << name->text().toStdString();
    QTest::mouseClick(panel.names().back(), Qt::LeftButton);
    EXPECT_EQ(panel.form->Combo1->currentIndex(), carrierIndexByName(QStringLiteral("天天快递")));
    EXPECT_EQ(panel.form->strComCode, QStringLiteral("tiantian"));
}

// A keyboard user reaches the names with Tab right after the number; each is named by its text.
TEST(CarrierHint, NamesAreReachedWithTabAndNamedForAssistiveTechnology)
{
    AddPanel panel;
    panel.type(QStringLiteral("RR473124829CN"));
    const std::vector<QToolButton *> names = panel.names();
    ASSERT_EQ(names.size(), 2u);
    panel.form->Text3->setFocus();
    for (QToolButton *name : names) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), name);
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(name);
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->text(QAccessible::Name), name->text());
        EXPECT_EQ(accessible->role(), QAccessible::Button);
    }
    EXPECT_EQ(panel.nameTexts(),
              (QStringList {QStringLiteral("中国邮政平邮"), QStringLiteral("邮政国内小包")}));
    // Space on the focused name chooses it.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(panel.carrier(), QStringLiteral("邮政国内小包"));
    EXPECT_EQ(panel.form->strComCode, QStringLiteral("gnxb"));
}

TEST(CarrierHint, ACarrierTheUserChoseIsKept)
{
    AddPanel panel;
    Form1 &form = *panel.form;
    // The user picks the next carrier with the keyboard, then pastes a certain number.
    form.Combo1->setFocus();
    QTest::keyClick(form.Combo1, Qt::Key_Down);
    ASSERT_EQ(panel.carrier(), QStringLiteral("安捷快递"));
    panel.pasteWithF8(kUpsNumber);
    EXPECT_EQ(panel.nameTexts(), QStringList {QStringLiteral("UPS")});
    EXPECT_EQ(panel.carrier(), QStringLiteral("安捷快递"));
    EXPECT_EQ(form.strComCode, QStringLiteral("anjie"));

    // A carrier set on the box from elsewhere (the carrier finder sets its index) counts as chosen.
    QTest::mouseClick(form.Command3, Qt::LeftButton);
    form.Combo1->setCurrentIndex(carrierIndexByName(QStringLiteral("顺丰快递")));
    panel.type(QStringLiteral("EA123456785CN"));
    EXPECT_EQ(panel.carrier(), QStringLiteral("顺丰快递"));

    // Opening the panel again starts over: the first entry 添加 selects is no choice.
    QTest::mouseClick(form.Command3, Qt::LeftButton);
    EXPECT_EQ(panel.carrier(), QStringLiteral("AAE快递"));
    panel.pasteWithF8(kUpsNumber);
    EXPECT_EQ(panel.carrier(), QStringLiteral("UPS"));

    // With the panel closed, F8 still fills the number box but the carrier is left alone.
    QTest::mouseClick(form.aicAlphaImage5, Qt::LeftButton);
    panel.pasteWithF8(QStringLiteral("EA123456785CN"));
    EXPECT_EQ(form.Text3->currentText(), QStringLiteral("EA123456785CN"));
    EXPECT_EQ(panel.carrier(), QStringLiteral("UPS"));
}

// A clicked name is chosen as the user would choose it, and the query sends its code.
TEST(CarrierHint, AClickedCandidateIsQueriedWithItsCode)
{
    TestSandbox sandbox;
    AddPanel panel(sandbox.baseUrl());
    Form1 &form = *panel.form;
    // Chosen by the user first: the click must still replace it.
    form.Combo1->setCurrentIndex(carrierIndexByName(QStringLiteral("顺丰快递")));
    panel.type(QStringLiteral("EA123456785US"));
    ASSERT_EQ(panel.nameTexts(), (QStringList {QStringLiteral("USPS快递"), QStringLiteral("EMS快递")}));
    EXPECT_EQ(panel.carrier(), QStringLiteral("顺丰快递"));

    QTest::mouseClick(panel.names()[1], Qt::LeftButton);
    EXPECT_EQ(panel.carrier(), QStringLiteral("EMS快递"));
    EXPECT_EQ(form.strComCode, QStringLiteral("ems"));

    form.Text2->setText(QStringLiteral("书"));
    QTest::mouseClick(form.Command1, Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return form.Command1->isEnabled(); }));
    const auto requests = sandbox.server().requests();
    ASSERT_FALSE(requests.empty());
    EXPECT_NE(requests.back().find("com=ems&"), std::string::npos) << requests.back();
    EXPECT_NE(requests.back().find("nu=EA123456785US"), std::string::npos) << requests.back();
}
