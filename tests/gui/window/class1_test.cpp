#include "gui/window/class1.h"

#include <QCursor>
#include <QLabel>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace {
QString shownText(QWidget *balloon, const char *label)
{
    auto *child = balloon->findChild<QLabel *>(QLatin1String(label));
    return child ? child->text() : QStringLiteral("(no label)");
}

struct TipFixture
{
    TipFixture()
    {
        host.resize(300, 200);
        host.show();
        tip.ParentControl(&host);
    }
    QWidget host;
    Class1 tip;
};
} // namespace

TEST(Class1, TitleAndTextSetBeforeCreateAppearAtOnce)
{
    TipFixture f;
    f.tip.ToolTipTitle(QStringLiteral("物流跟踪信息"));
    f.tip.ToolTipText(QStringLiteral("时间:1\r\n物流进度:2"));
    EXPECT_EQ(f.tip.balloon(), nullptr);
    f.tip.Create();
    QWidget *balloon = f.tip.balloon();
    ASSERT_NE(balloon, nullptr);
    EXPECT_TRUE(balloon->isVisible());
    EXPECT_EQ(shownText(balloon, "balloonTitle"), QStringLiteral("物流跟踪信息"));
    EXPECT_EQ(shownText(balloon, "balloonText"), QStringLiteral("时间:1\n物流进度:2"));
    // The caller's text is kept as given.
    EXPECT_EQ(f.tip.text(), QStringLiteral("时间:1\r\n物流进度:2"));
}

TEST(Class1, TextAndTitleSetAfterCreateUpdateTheShownBalloon)
{
    TipFixture f;
    f.tip.ToolTipText(QStringLiteral("one"));
    f.tip.Create();
    QWidget *balloon = f.tip.balloon();
    const int oneLineHeight = balloon->height();
    f.tip.ToolTipText(QStringLiteral("two\r\nlines"));
    f.tip.ToolTipTitle(QStringLiteral("title"));
    EXPECT_EQ(f.tip.balloon(), balloon);
    EXPECT_EQ(shownText(balloon, "balloonText"), QStringLiteral("two\nlines"));
    EXPECT_EQ(shownText(balloon, "balloonTitle"), QStringLiteral("title"));
    EXPECT_GT(balloon->height(), oneLineHeight);
}

TEST(Class1, EveryCreateReplacesTheBalloon)
{
    TipFixture f;
    f.tip.ToolTipText(QStringLiteral("x"));
    f.tip.Create();
    QPointer<QWidget> first = f.tip.balloon();
    f.tip.Create();
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(f.host.findChildren<QWidget *>(QStringLiteral("balloon")).size(), 1);
    f.tip.Create();
    EXPECT_EQ(f.host.findChildren<QWidget *>(QStringLiteral("balloon")).size(), 1);

    // Two instances have one each.
    Class1 other;
    other.ParentControl(&f.host);
    other.Create();
    EXPECT_EQ(f.host.findChildren<QWidget *>(QStringLiteral("balloon")).size(), 2);
}

TEST(Class1, ShowsWhileTheMouseRestsOverTheControl)
{
    TipFixture f;
    f.tip.ToolTipText(QStringLiteral("x"));
    f.tip.Create();
    QWidget *balloon = f.tip.balloon();
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&f.host, &leave);
    EXPECT_FALSE(balloon->isVisible());

    QCursor::setPos(f.host.mapToGlobal(QPoint(10, 10)));
    QEnterEvent enter(QPointF(10, 10), QPointF(10, 10), f.host.mapToGlobal(QPointF(10, 10)));
    QCoreApplication::sendEvent(&f.host, &enter);
    EXPECT_FALSE(balloon->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return balloon->isVisible(); }, 5000));

    QTest::mousePress(&f.host, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(balloon->isVisible());
    QTest::mouseRelease(&f.host, Qt::LeftButton, {}, QPoint(10, 10));

    // The mouse moved on before the rest was over: nothing shows.
    QCursor::setPos(f.host.mapToGlobal(QPoint(400, 400)));
    QCoreApplication::sendEvent(&f.host, &enter);
    QTest::qWait(Class1::kRestMs + 300);
    EXPECT_FALSE(balloon->isVisible());
}

TEST(Class1, WithoutAControlNothingIsMade)
{
    Class1 tip;
    tip.ToolTipTitle(QStringLiteral("t"));
    tip.Create();
    EXPECT_EQ(tip.balloon(), nullptr);

    auto host = std::make_unique<QWidget>();
    tip.ParentControl(host.get());
    tip.Create();
    ASSERT_NE(tip.balloon(), nullptr);
    // The balloon goes with its control.
    host.reset();
    EXPECT_EQ(tip.balloon(), nullptr);
    EXPECT_EQ(tip.parentControl(), nullptr);
}
