#include "core/carrier_catalogue.h"
#include "window_harness.h"

#include <QComboBox>
#include <QSet>
#include <gtest/gtest.h>

TEST(Catalogue, HoldsUniqueCodesAndNamesInByteOrderOfCodes)
{
    QSet<QString> names, codes;
    for (int i = 0; i < kCarrierCount; ++i) {
        names.insert(carrierName(i));
        codes.insert(carrierCode(i));
        const QByteArray code = carrierCode(i).toLatin1();
        EXPECT_GE(code.size(), 3) << i;
        EXPECT_LE(code.size(), 12) << i;
        for (char c : code) {
            EXPECT_TRUE((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) << code.constData();
        }
        if (i > 0) {
            EXPECT_LT(QByteArray(kCarriers[i - 1].code), code) << i;
        }
    }
    EXPECT_EQ(names.size(), 127);
    EXPECT_EQ(codes.size(), 127);
}

TEST(Catalogue, LooksUpByPositionAndName)
{
    struct Case
    {
        int position;
        const char *name;
        const char *code;
    } cases[] = {
        {0, "AAE快递", "aae"},         {40, "共速达物流|快递", "gongsuda"}, {91, "顺丰快递", "shunfeng"},
        {114, "圆通快递", "yuantong"}, {126, "中邮物流", "zhongyou"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(carrierName(c.position), QString::fromUtf8(c.name));
        EXPECT_EQ(carrierCode(c.position), QLatin1String(c.code));
        EXPECT_EQ(carrierIndexByName(QString::fromUtf8(c.name)), c.position);
    }
    EXPECT_EQ(carrierIndexByName(QStringLiteral("顺丰")), -1);
    EXPECT_EQ(carrierIndexByName(QString()), -1);
    EXPECT_TRUE(carrierName(127).isEmpty());
    EXPECT_TRUE(carrierCode(-1).isEmpty());
}

TEST(CarrierBoxes, BothHoldTheCatalogueIndexForIndex)
{
    WindowHarness h;
    Form1 &form = h.open();
    ASSERT_EQ(form.Combo1->count(), 127);
    ASSERT_EQ(form.Text5->count(), 127);
    for (int i = 0; i < 127; ++i) {
        EXPECT_EQ(form.Combo1->itemText(i), carrierName(i));
        EXPECT_EQ(form.Text5->itemText(i), carrierName(i));
    }
    EXPECT_EQ(form.Combo1->currentIndex(), -1);
    EXPECT_EQ(form.Text5->currentIndex(), -1);
}

TEST(CarrierBoxes, ChoosingSetsTheServiceCode)
{
    WindowHarness h;
    Form1 &form = h.open();
    EXPECT_TRUE(form.strComCode.isEmpty());
    form.Combo1->setCurrentIndex(0);
    EXPECT_EQ(form.strComCode, QStringLiteral("aae"));
    form.Combo1->setCurrentIndex(126);
    EXPECT_EQ(form.strComCode, QStringLiteral("zhongyou"));
    form.Combo1->setCurrentText(QStringLiteral("圆通快递"));
    EXPECT_EQ(form.strComCode, QStringLiteral("yuantong"));
    form.Combo1->setCurrentText(QStringLiteral("没有这家"));
    EXPECT_EQ(form.strComCode, QStringLiteral("yuantong"));
    form.Combo1->setCurrentIndex(-1);
    EXPECT_EQ(form.strComCode, QStringLiteral("yuantong"));
    // Choosing from Text5 has no handler.
    form.Text5->setCurrentIndex(3);
    EXPECT_EQ(form.strComCode, QStringLiteral("yuantong"));
}
