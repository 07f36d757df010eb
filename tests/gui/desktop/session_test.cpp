#include "desktop_harness.h"
#include "gui/overview/overview_window.h"

#include <QApplication>

TEST(DesktopSession, ClosingTheMainWindowEndsTheProgramWithTheOverviewOpen)
{
    DesktopHarness h;
    h.session->showOverview();
    ASSERT_TRUE(h.session->overview()->isVisible());
    // The program as it runs: the user closes the main window and answers the exit question.
    h.test.messages.answerNext(MsgAnswer::No);
    QTimer::singleShot(0, &h.form(), [&] { h.form().close(); });
    bool stillRunning = false;
    QTimer::singleShot(10000, qApp, [&] {
        stillRunning = true;
        QCoreApplication::quit();
    });
    QApplication::exec();
    EXPECT_FALSE(stillRunning) << "the overview kept the program running";
    EXPECT_FALSE(h.form().isVisible());
}
