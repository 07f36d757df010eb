// Measures the main window, offscreen, as a person would feel it: the fill of the progress list
// with a 10,000-row answer, and how smoothly a 10 ms timer ticks while a tracking answer takes 5 s.
// Prints the figures; asserts nothing.
#include "services/tracking_client.h"
#include "answer_generator.h"
#include "gui/platform/widget_desktop_platform.h"
#include "gui/window/form1.h"

#include <httplib.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <thread>

namespace {
double fillMs(Form1 &form, const QString &answer)
{
    form.ListView1->clear();
    form.intRowCount = 0;
    form.strAnswer = answer;
    QElapsedTimer timer;
    timer.start();
    form.hx2();
    form.Timer1_Timer();
    return timer.nsecsElapsed() / 1e6;
}
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    DesktopPlatform desktop(dir.path());

    // A tracking service that takes 5 s to answer.
    httplib::Server server;
    server.Get("/", [](const httplib::Request &, httplib::Response &response) {
        std::this_thread::sleep_for(std::chrono::seconds(5));
        response.set_content("<table><tr><td>2024-01-01 10:00:00</td><td>已揽收</td></tr></table>",
                             "text/html; charset=utf-8");
    });
    const int port = server.bind_to_any_port("127.0.0.1");
    std::thread serving([&] { server.listen_after_bind(); });
    desktop.platform().configuration->edit([&](Endpoints &e) { e.trackingUrl = QStringLiteral("http://127.0.0.1:%1/").arg(port); });
    desktop.platform().configuration->edit([&](Endpoints &e) { e.siteUrl = QStringLiteral("http://127.0.0.1:%1").arg(port); });

    TrackingClient tracking(*desktop.platform().http, *desktop.platform().configuration);

    Form1 form(desktop.platform(), tracking);
    form.Timer3->stop(); // no version check here
    form.show();
    QApplication::processEvents();

    const QString answer = generatedAnswer(10000);
    double best = 1e9;
    for (int run = 0; run < 5; ++run)
        best = std::min(best, fillMs(form, answer));
    std::printf("parse and fill of ListView1, 10,000 rows: %.1f ms best of 5 (target at most 100 ms)\n",
                best);

    QElapsedTimer clock;
    qint64 last = 0, worst = 0;
    int ticks = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        if (ticks++ > 0)
            worst = std::max(worst, now - last);
        last = now;
    });
    clock.start();
    tick.start(10);
    form.kdgs(QStringLiteral("SF1"));
    tick.stop();
    std::printf("10 ms timer during a 5 s answer: %d ticks, longest gap %lld ms (target at most 50 ms)\n",
                ticks, static_cast<long long>(worst));

    server.stop();
    serving.join();
    return 0;
}
