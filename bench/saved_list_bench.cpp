// Loading (dq) and rewriting (xr2) a saved-parcel file of 10,000 parcels in the real window,
// offscreen. Prints the figures; asserts nothing.
#include "services/tracking_client.h"
#include "platform/text_codec.h"
#include "gui/platform/widget_desktop_platform.h"
#include "gui/window/form1.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {
double bestMs(const std::function<void()> &work, int runs = 7)
{
    double best = 1e9;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QString text;
    for (int i = 0; i < 10000; ++i)
        text += QStringLiteral("SF%1|顺丰快递|第%2个包裹,衣服和书\r\n").arg(1000000000 + i).arg(i);
    QFile file(dir.filePath(QStringLiteral("wlnum.ini")));
    file.open(QIODevice::WriteOnly);
    file.write(encodeGb(text));
    file.close();

    DesktopPlatform desktop(dir.path());
    // The query that xr2's choice starts goes to a closed port and fails at once.
    desktop.platform().configuration->edit([&](Endpoints &e) { e.trackingUrl = QStringLiteral("http://127.0.0.1:9/"); });
    desktop.platform().configuration->edit([&](Endpoints &e) { e.siteUrl = QStringLiteral("http://127.0.0.1:9"); });
    QElapsedTimer construct;
    construct.start();
    TrackingClient tracking(*desktop.platform().http, *desktop.platform().configuration);
    Form1 form(desktop.platform(), tracking);
    const double constructMs = construct.nsecsElapsed() / 1e6;
    form.Timer3->stop();

    const double dqMs = bestMs([&] { form.dq(); });
    const double xr2Ms = bestMs([&] { form.xr2(); });
    std::printf("saved parcels: %d\n", form.Combo6->count());
    std::printf("window with 10,000 saved parcels built in %.1f ms\n", constructMs);
    std::printf("dq  (load 10,000 parcels):    %.1f ms best of 7 (target under 50 ms)\n", dqMs);
    std::printf("xr2 (rewrite, choose, query): %.1f ms best of 7 (target under 50 ms)\n", xr2Ms);
    return 0;
}
