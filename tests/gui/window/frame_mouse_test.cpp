#include "frame_fixtures.h"
#include "gui/window/frame_hit.h"
#include "qt_wait.h"
#include "window_harness.h"

#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

namespace {
constexpr double SW = Form1::kClientWidth;

// Sprite-sheet corners of the six looks.
const QPoint kMinNormal(0, 0), kMinHover(0, 21), kMinPressed(0, 41);
const QPoint kCloseNormal(29, 0), kCloseHover(29, 21), kClosePressed(29, 42);

// Counts close requests and keeps the window open, so the exit question never comes up.
struct CloseCatcher : QObject
{
    int closes = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::Close)
            return false;
        ++closes;
        event->ignore();
        return true;
    }
};

struct LiveWindow
{
    WindowHarness h;
    Form1 *form = nullptr;
    CloseCatcher closer;

    LiveWindow()
    {
        form = &h.open();
        form->Timer3->stop();
        coded::useOn(*form);
        form->installEventFilter(&closer);
        form->move(100, 80);
        form->show();
        looks(); // shown and painted before the mouse comes
    }

    // The sprite corners the two buttons show now, as on the screen: what the window's backing
    // store holds.
    std::pair<QPoint, QPoint> looks() const
    {
        QImage shot;
        EXPECT_TRUE(waitUntil([&] {
            shot = form->screen()->grabWindow(form->winId()).toImage();
            return shot.size() == form->size();
        }));
        const coded::Source minimise = coded::at(shot, int(SW) - 80, 2);
        const coded::Source close = coded::at(shot, int(SW) - 51, 2);
        EXPECT_EQ(minimise.tag, coded::kButtons);
        EXPECT_EQ(close.tag, coded::kButtons);
        return {QPoint(minimise.x, minimise.y), QPoint(close.x, close.y)};
    }

    // The looks shown once a paint that was asked for, and that should show `expected`, has run.
    std::pair<QPoint, QPoint> looksAfterPaint(const std::pair<QPoint, QPoint> &expected) const
    {
        waitUntil([&] { return looks() == expected; }, 2000);
        return looks();
    }

    void move(const QPointF &pos, Qt::MouseButtons buttons = Qt::NoButton)
    {
        sendMouse(form, QEvent::MouseMove, pos, Qt::NoButton, buttons);
    }
};
} // namespace

TEST(FrameHitTest, AreasWithInclusiveBounds)
{
    const struct
    {
        double x, y, sw;
        FrameArea area;
    } cases[] = {
        {SW - 80, 2, SW, FrameArea::Minimise},    {SW - 80.5, 2, SW, FrameArea::DragBand},
        {SW - 51, 10, SW, FrameArea::Minimise}, // shared column: minimise is tested first
        {SW - 51.5, 10, SW, FrameArea::Minimise}, {SW - 50.5, 10, SW, FrameArea::Close},
        {SW - 10, 22, SW, FrameArea::Close},      {SW - 9.5, 22, SW, FrameArea::DragBand},
        {SW - 30, 22.5, SW, FrameArea::DragBand}, {SW - 30, 1.5, SW, FrameArea::DragBand},
        {SW - 30, 2, SW, FrameArea::Close},       {300, 0, SW, FrameArea::DragBand},
        {300, 68, SW, FrameArea::DragBand},       {300, 68.5, SW, FrameArea::None},
        {300, 69, SW, FrameArea::None},           {SW - 60, 200, SW, FrameArea::None},
        {400 - 51, 10, 400, FrameArea::Minimise}, // the buttons follow the width
        {400 - 80, 22, 400, FrameArea::Minimise}, {400 - 10, 2, 400, FrameArea::Close},
        {SW - 80, 10, 400, FrameArea::DragBand},
    };
    for (const auto &c : cases)
        EXPECT_EQ(frameAreaAt(c.x, c.y, c.sw), c.area)
            << "at (" << c.x << ", " << c.y << ") of width " << c.sw;
}

// A hover move, a press, a move with the button held, a release: the looks shown, whether the
// window followed the mouse, and what the release did.
TEST(FrameMouse, PressMoveReleaseTable)
{
    const struct
    {
        const char *what;
        Qt::MouseButton button;
        QPointF press;
        QPoint hoverMin, hoverClose; // after moving to the press point without a button
        QPoint pressedMin, pressedClose; // after the press
        QPointF moveTo; // with the button held
        bool windowMoves;
        QPointF release;
        bool minimised, closed;
    } cases[] = {
        {"left press at Y = 68 moves the window",
         Qt::LeftButton,
         {300, 68},
         kMinNormal,
         kCloseNormal,
         kMinNormal,
         kCloseNormal,
         {340, 93},
         true,
         {300, 68},
         false,
         false},
        {"left press at Y = 69 does nothing",
         Qt::LeftButton,
         {300, 69},
         kMinNormal,
         kCloseNormal,
         kMinNormal,
         kCloseNormal,
         {340, 94},
         false,
         {340, 94},
         false,
         false},
        {"left press beside the buttons moves the window",
         Qt::LeftButton,
         {SW - 9, 10},
         kMinNormal,
         kCloseNormal,
         kMinNormal,
         kCloseNormal,
         {SW - 9 + 20, 30},
         true,
         {SW - 9, 10},
         false,
         false},
        {"right press in the band does nothing",
         Qt::RightButton,
         {300, 30},
         kMinNormal,
         kCloseNormal,
         kMinNormal,
         kCloseNormal,
         {340, 55},
         false,
         {340, 55},
         false,
         false},
        {"right press over close: no pressed look, the release closes",
         Qt::RightButton,
         {SW - 30, 10},
         kMinNormal,
         kCloseHover,
         kMinNormal,
         kCloseHover,
         {SW - 30, 10},
         false,
         {SW - 30, 10},
         false,
         true},
        {"X = SW - 51 belongs to minimise",
         Qt::LeftButton,
         {SW - 51, 10},
         kMinHover,
         kCloseNormal,
         kMinPressed,
         kCloseNormal,
         {SW - 51, 10},
         false,
         {SW - 51, 10},
         true,
         false},
        {"X = SW - 50 belongs to close",
         Qt::LeftButton,
         {SW - 50, 10},
         kMinNormal,
         kCloseHover,
         kMinNormal,
         kClosePressed,
         {SW - 50, 10},
         false,
         {SW - 50, 10},
         false,
         true},
        {"top-left corner of minimise",
         Qt::LeftButton,
         {SW - 80, 2},
         kMinHover,
         kCloseNormal,
         kMinPressed,
         kCloseNormal,
         {SW - 80, 2},
         false,
         {SW - 80, 2},
         true,
         false},
        {"bottom-right corner of close",
         Qt::LeftButton,
         {SW - 10, 22},
         kMinNormal,
         kCloseHover,
         kMinNormal,
         kClosePressed,
         {SW - 10, 22},
         false,
         {SW - 10, 22},
         false,
         true},
        {"Y = 1 over minimise: normal looks, the release does nothing",
         Qt::RightButton,
         {SW - 60, 1},
         kMinNormal,
         kCloseNormal,
         kMinNormal,
         kCloseNormal,
         {SW - 60, 1},
         false,
         {SW - 60, 1},
         false,
         false},
        {"Y = 23 over close: normal looks, the release does nothing",
         Qt::RightButton,
         {SW - 30, 23},
         kMinNormal,
         kCloseNormal,
         kMinNormal,
         kCloseNormal,
         {SW - 30, 23},
         false,
         {SW - 30, 23},
         false,
         false},
        {"Y = 22.5 over close is outside the strip",
         Qt::RightButton,
         {SW - 30, 22.5},
         kMinNormal,
         kCloseNormal,
         kMinNormal,
         kCloseNormal,
         {SW - 30, 22.5},
         false,
         {SW - 30, 22.5},
         false,
         false},
        {"a press on minimise released over close closes",
         Qt::LeftButton,
         {SW - 70, 10},
         kMinHover,
         kCloseNormal,
         kMinPressed,
         kCloseNormal,
         {SW - 30, 10},
         false,
         {SW - 30, 10},
         false,
         true},
        {"a press on close released over minimise minimises",
         Qt::LeftButton,
         {SW - 30, 10},
         kMinNormal,
         kCloseHover,
         kMinNormal,
         kClosePressed,
         {SW - 70, 10},
         false,
         {SW - 70, 10},
         true,
         false},
        {"a press on close released below it does nothing",
         Qt::LeftButton,
         {SW - 30, 10},
         kMinNormal,
         kCloseHover,
         kMinNormal,
         kClosePressed,
         {SW - 30, 40},
         false,
         {SW - 30, 40},
         false,
         false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        LiveWindow w;
        const QPoint start = w.form->pos();

        w.move(c.press);
        EXPECT_EQ(w.looks(), std::make_pair(c.hoverMin, c.hoverClose));
        sendMouse(w.form, QEvent::MouseButtonPress, c.press, c.button, c.button);
        EXPECT_EQ(w.looks(), std::make_pair(c.pressedMin, c.pressedClose));

        w.move(c.moveTo, c.button);
        const QPoint moved = (c.moveTo - c.press).toPoint();
        EXPECT_EQ(w.form->pos(), c.windowMoves ? start + moved : start);

        sendMouse(w.form, QEvent::MouseButtonRelease, c.release, c.button, Qt::NoButton);
        EXPECT_EQ(w.form->isMinimized(), c.minimised);
        EXPECT_EQ(w.closer.closes, c.closed ? 1 : 0);
    }
}

// Once the window follows the mouse, the release only ends the move, wherever it falls.
TEST(FrameMouse, ReleaseAfterAWindowMoveActsOnNothing)
{
    LiveWindow w;
    const QPoint start = w.form->pos();
    sendMouse(w.form, QEvent::MouseButtonPress, {300, 40}, Qt::LeftButton, Qt::LeftButton);
    w.move({SW - 30, 10}, Qt::LeftButton);
    EXPECT_NE(w.form->pos(), start);
    sendMouse(w.form, QEvent::MouseButtonRelease, {SW - 30, 10}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(w.closer.closes, 0);
    const QPoint after = w.form->pos();
    w.move({100, 100});
    EXPECT_EQ(w.form->pos(), after);
}

// A move whose release never arrived (a pop-up took it) does not go on with the next press.
TEST(FrameMouse, AMoveWithoutItsReleaseEndsAtTheNextPress)
{
    LiveWindow w;
    sendMouse(w.form, QEvent::MouseButtonPress, {300, 40}, Qt::LeftButton, Qt::LeftButton);
    w.move({310, 45}, Qt::LeftButton);
    const QPoint moved = w.form->pos();
    sendMouse(w.form, QEvent::MouseButtonPress, {SW - 30, 10}, Qt::LeftButton, Qt::LeftButton);
    w.move({SW - 31, 10}, Qt::LeftButton);
    EXPECT_EQ(w.form->pos(), moved);
    EXPECT_EQ(w.looks(), std::make_pair(kMinNormal, kCloseHover));
    sendMouse(w.form, QEvent::MouseButtonRelease, {SW - 31, 10}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(w.closer.closes, 1);
}

// A pressed or hover look lasts until the window is painted again: after a restore from the
// minimised state, or after Cancel on the exit question, both buttons are normal until the mouse
// moves over them again.
TEST(FrameMouse, PaintingTheWindowAgainShowsNormalButtons)
{
    const struct
    {
        const char *what;
        QPointF press; // where the left button goes down and up
        std::pair<QPoint, QPoint> pressed;
        bool minimises;
    } cases[] = {
        {"minimise, then restore", {SW - 70, 10}, {kMinPressed, kCloseNormal}, true},
        {"close, then Cancel on the exit question", {SW - 30, 10}, {kMinNormal, kClosePressed}, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        LiveWindow w;
        w.form->removeEventFilter(&w.closer); // the real exit question
        w.move(c.press);
        sendMouse(w.form, QEvent::MouseButtonPress, c.press, Qt::LeftButton, Qt::LeftButton);
        ASSERT_EQ(w.looksAfterPaint(c.pressed), c.pressed);
        if (!c.minimises)
            w.h.test.messages.answerNext(MsgAnswer::Cancel);
        sendMouse(w.form, QEvent::MouseButtonRelease, c.press, Qt::LeftButton, Qt::NoButton);
        if (c.minimises) {
            ASSERT_TRUE(w.form->isMinimized());
            w.form->showNormal();
        } else {
            ASSERT_EQ(w.h.test.messages.shown.size(), 1u);
        }
        EXPECT_TRUE(w.form->isVisible());
        EXPECT_FALSE(w.form->isMinimized());
        const auto normal = std::make_pair(kMinNormal, kCloseNormal);
        EXPECT_EQ(w.looksAfterPaint(normal), normal);

        w.move({SW - 30, 10});
        const auto hover = std::make_pair(kMinNormal, kCloseHover);
        EXPECT_EQ(w.looksAfterPaint(hover), hover) << "the mouse back over a button";
    }
}

TEST(FramePanels, EachPanelCanBeDraggedInsideTheWindow)
{
    const struct
    {
        const char *what;
        QFrame *Form1::*panel;
        Qt::MouseButton button;
        bool onHeading; // press on the panel's heading label rather than its bare surface
    } cases[] = {
        {"add panel by its heading, left button", &Form1::Picture3, Qt::LeftButton, true},
        {"settings panel, right button", &Form1::Picture4, Qt::RightButton, false},
        {"operation panel, middle button", &Form1::Picture5, Qt::MiddleButton, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        LiveWindow w;
        QFrame *panel = w.form->*c.panel;
        w.form->showPanel(panel);
        QWidget *target = c.onHeading ? panel->findChild<QLabel *>(panel->objectName() + "_heading") : panel;
        ASSERT_NE(target, nullptr);
        const QPointF grip = c.onHeading ? QPointF(20, 8) : QPointF(panel->width() - 6, panel->height() - 6);
        const QPoint start = panel->pos();

        sendMouse(target, QEvent::MouseButtonPress, grip, c.button, c.button);
        sendMouse(target, QEvent::MouseMove, grip + QPointF(30, -20), Qt::NoButton, c.button);
        EXPECT_EQ(panel->pos(), start + QPoint(30, -20));
        EXPECT_EQ(w.form->pos(), QPoint(100, 80)) << "the window itself stays";

        // Far beyond the window's corners the panel stops at its edges.
        sendMouse(target, QEvent::MouseMove, grip + QPointF(-2000, -2000), Qt::NoButton, c.button);
        EXPECT_EQ(panel->pos(), QPoint(0, 0));
        sendMouse(target, QEvent::MouseMove, grip + QPointF(2000, 2000), Qt::NoButton, c.button);
        EXPECT_EQ(panel->pos(), QPoint(w.form->width() - panel->width(), w.form->height() - panel->height()));

        sendMouse(target, QEvent::MouseButtonRelease, grip, c.button, Qt::NoButton);
        const QPoint dropped = panel->pos();
        sendMouse(target, QEvent::MouseMove, grip + QPointF(-50, -50), Qt::NoButton, Qt::NoButton);
        EXPECT_EQ(panel->pos(), dropped) << "after the release the panel stays put";
    }
}

TEST(FrameLink, Label16ColoursCursorAndLink)
{
    LiveWindow w;
    w.h.test.editEndpoints(
        [&](Endpoints &e) { e.home = QStringLiteral("http://127.0.0.1:9/site/home.html"); });
    QLabel *link = w.form->Label16;
    const auto colour = [&] { return link->palette().color(QPalette::WindowText); };
    EXPECT_EQ(colour(), QColor(0xC0C0C0));
    EXPECT_EQ(link->textFormat(), Qt::PlainText);

    sendMouse(link, QEvent::MouseMove, {10, 5}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(colour(), QColor(0xFFFFFF));
    w.move({300, 40});
    EXPECT_EQ(colour(), QColor(0xC0C0C0));

    EXPECT_EQ(link->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(link->cursor().hotSpot(), QPoint(5, 0));
    EXPECT_EQ(link->cursor().pixmap().size(), QSize(32, 32));

    const QPoint start = w.form->pos();
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        sendMouse(link, QEvent::MouseButtonPress, {10, 5}, button, button);
        sendMouse(link, QEvent::MouseMove, {40, 25}, Qt::NoButton, button);
        sendMouse(link, QEvent::MouseButtonRelease, {40, 25}, button, Qt::NoButton);
    }
    EXPECT_EQ(w.h.test.urls.opened,
              QStringList({QStringLiteral("http://127.0.0.1:9/site/home.html"),
                           QStringLiteral("http://127.0.0.1:9/site/home.html")}));
    EXPECT_EQ(w.form->pos(), start) << "a press on the link does not move the window";
}
