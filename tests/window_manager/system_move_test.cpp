// The main window under a real X11 window manager: openbox on the Xvfb display that xvfb-run
// gives this process. The pointer is driven through the XTEST extension, so presses, moves and
// releases take the same road as a person's: through the X server and the window manager's grabs.
#include "qt_wait.h"
#include "gui/window/frame_hit.h"
#include "window_harness.h"

#include <QMouseEvent>
#include <QProcess>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>
#include <iostream>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace {
constexpr int SW = Form1::kClientWidth;

// openbox managing the display, for as long as this lives.
class Openbox
{
public:
    Openbox()
    {
        m_display = XOpenDisplay(nullptr);
        if (!m_display)
            return;
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(OPENBOX), {QStringLiteral("--sm-disable")});
        const Atom selection = XInternAtom(m_display, "WM_S0", False);
        m_running = m_process.waitForStarted(10000)
            && waitUntil([&] { return XGetSelectionOwner(m_display, selection) != None; }, 15000);
    }
    ~Openbox()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished(5000);
        if (m_display)
            XCloseDisplay(m_display);
    }
    Openbox(const Openbox &) = delete;
    Openbox &operator=(const Openbox &) = delete;

    bool running() const { return m_running; }

    // Where the window's client area is on the screen, as the X server has it now.
    QPoint originOf(const QWidget &window)
    {
        int x = 0, y = 0;
        Window child = 0;
        XTranslateCoordinates(m_display, window.winId(), DefaultRootWindow(m_display), 0, 0, &x, &y, &child);
        return QPoint(x, y);
    }

    // The pointer, as a person moves it: in steps, each seen by the window manager and the window
    // before the next.
    void moveTo(const QPoint &to, int steps = 1)
    {
        for (int i = 1; i <= steps; ++i) {
            const QPoint at = m_pointer + (to - m_pointer) * i / steps;
            XTestFakeMotionEvent(m_display, -1, at.x(), at.y(), CurrentTime);
            settle();
        }
        m_pointer = to;
    }
    void button(bool down)
    {
        XTestFakeButtonEvent(m_display, 1, down ? True : False, CurrentTime);
        settle();
    }

private:
    void settle()
    {
        XSync(m_display, False);
        // Long enough for openbox to move the window and for Qt to hear of it.
        QDeadlineTimer deadline(60);
        while (!deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }

    Display *m_display = nullptr;
    QProcess m_process;
    bool m_running = false;
    QPoint m_pointer;
};

// Every mouse event the window itself receives, for the record of what happened.
struct MouseLog : QObject
{
    QStringList events;
    bool eventFilter(QObject *, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease)
            return false;
        const auto *mouse = static_cast<QMouseEvent *>(event);
        events.append(
            QStringLiteral("%1 at %2,%3")
                .arg(type == QEvent::MouseButtonPress ? QStringLiteral("press") : QStringLiteral("release"))
                .arg(mouse->position().x())
                .arg(mouse->position().y()));
        return false;
    }
};
} // namespace

// A drag in the top band hands the move to the window manager. openbox holds the window at the
// screen's top edge while the pointer goes on past it, so the button comes up over the close
// button: that release ends the move and must neither close nor minimise the window.
TEST(SystemMove, TheReleaseThatEndsAMoveActsOnNothing)
{
    Openbox openbox;
    ASSERT_TRUE(openbox.running()) << "openbox did not take the display";

    WindowHarness h;
    Form1 &form = h.open();
    form.Timer3->stop();
    MouseLog log;
    form.installEventFilter(&log);
    const QPoint origin(150, 30);
    // openbox owns the display before it has finished setting itself up, and a window mapped in
    // between can stay unmapped (seen on a busy machine): such a window is mapped again.
    bool shown = false;
    for (int attempt = 0; attempt < 3 && !shown; ++attempt) {
        form.hide();
        form.move(origin);
        form.show();
        shown = waitUntil(
            [&] { return form.windowHandle()->isExposed() && openbox.originOf(form) == origin; }, 10000);
    }
    ASSERT_TRUE(shown) << "exposed " << form.windowHandle()->isExposed() << ", at "
                       << openbox.originOf(form).x() << "," << openbox.originOf(form).y();

    // Below the close button, in the band that moves the window.
    const QPoint grip(SW - 30, 36);
    openbox.moveTo(origin + grip);
    openbox.button(true);
    // Up and to the left, far enough that the pointer passes the top edge while the window rests
    // against it.
    const QPoint release = origin + grip + QPoint(-40, -origin.y() - 18);
    openbox.moveTo(release, 20);
    EXPECT_TRUE(waitUntil([&] { return openbox.originOf(form).x() == origin.x() - 40; }))
        << "openbox moved the window";
    const QPoint moved = openbox.originOf(form);
    openbox.button(false);
    // The release, if it comes to the window at all, comes before the next move.
    waitUntil([&] { return log.events.size() > 1; }, 3000);
    openbox.moveTo(release + QPoint(0, 200), 2);

    std::cout << "window " << origin.x() << "," << origin.y() << " -> " << moved.x() << "," << moved.y()
              << "; events: " << log.events.join(QStringLiteral("; ")).toStdString() << std::endl;
    const QPoint inWindow = release - moved;
    EXPECT_TRUE(inButtonStrip(inWindow.y()) && inCloseRange(inWindow.x(), SW))
        << "the release must come up over the close button; it came up at " << inWindow.x() << ","
        << inWindow.y();
    EXPECT_TRUE(h.test.messages.shown.empty()) << "the exit question was asked";
    EXPECT_FALSE(form.isMinimized());
    EXPECT_TRUE(form.isVisible());

    // The next click on the close button is a click again.
    h.test.messages.answerNext(MsgAnswer::Cancel);
    openbox.moveTo(moved + QPoint(SW - 30, 10), 2);
    openbox.button(true);
    openbox.button(false);
    EXPECT_TRUE(waitUntil([&] { return h.test.messages.shown.size() == 1; }, 3000));
}
