// "全部刷新" of 500 saved parcels against a local service that answers each request after 50 ms
// with 10 to 30 rows: the time against the ideal (500 x 50 ms / 4 in flight), the longest wait of a
// 10 ms timer in the window meanwhile, the rows in the database afterwards and the growth of
// resident memory. Prints the figures; asserts nothing.
#include "gui/desktop/desktop_session.h"
#include "platform/text_codec.h"
#include "gui/platform/widget_desktop_platform.h"
#include "watch/parcel_watcher.h"
#include "watch/tracking_history.h"
#include "gui/window/form1.h"

#include <httplib.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <thread>

namespace {
constexpr int kParcels = 500;
constexpr int kDelayMs = 50;

long residentKb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

int rowsFor(const std::string &number)
{
    return 10 + int(std::hash<std::string> {}(number) % 21);
}
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;

    httplib::Server server;
    server.new_task_queue = [] { return new httplib::ThreadPool(8); };
    server.Get("/", [](const httplib::Request &request, httplib::Response &response) {
        std::this_thread::sleep_for(std::chrono::milliseconds(kDelayMs));
        const std::string number = request.get_param_value("nu");
        std::string body = "<table><tr><th>时间</th><th>地点和跟踪进度</th></tr>";
        const int rows = rowsFor(number);
        for (int i = 0; i < rows; ++i)
            body += "<tr><td>2024-01-" + std::to_string(10 + i / 24) + " " + std::to_string(10 + i % 12)
                + ":00:00</td><td>快件 " + number + " 已到达第" + std::to_string(i) + "站转运中心</td></tr>";
        response.set_content(body + "</table>", "text/html; charset=utf-8");
    });
    const int port = server.bind_to_any_port("127.0.0.1");
    std::thread serving([&] { server.listen_after_bind(); });

    QString lines;
    long expectedRows = 0;
    for (int i = 0; i < kParcels; ++i) {
        const QString number = QStringLiteral("SF%1").arg(100000 + i);
        expectedRows += rowsFor(number.toStdString());
        lines += number + QStringLiteral("|顺丰快递|包裹%1\r\n").arg(i);
    }
    QFile saved(QDir(dir.path()).filePath(QStringLiteral("wlnum.ini")));
    if (!saved.open(QIODevice::WriteOnly))
        return 1;
    saved.write(encodeGb(lines));
    saved.close();

    DesktopPlatform desktop(dir.path());
    desktop.platform().configuration->edit(
        [port](Endpoints &e) { e.useServer(QStringLiteral("http://127.0.0.1:%1").arg(port)); });
    DesktopSession session(desktop.platform());
    session.form().Timer3->stop(); // no version check here
    session.show();
    QApplication::processEvents();

    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QTimer ticker;
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout,
                     [&] { longestGap = std::max(longestGap, sinceTick.restart()); });

    const long rssBefore = residentKb();
    QElapsedTimer elapsed;
    // A loop of its own: QApplication::quit would close the window through its exit question.
    QEventLoop loop;
    QObject::connect(&session.watcher(), &ParcelWatcher::refreshFinished, &loop, &QEventLoop::quit);
    QTimer::singleShot(0, [&] {
        sinceTick.start();
        ticker.start();
        elapsed.start();
        session.watcher().refreshAll();
    });
    loop.exec();
    const double seconds = elapsed.nsecsElapsed() / 1e9;
    ticker.stop();
    const long rssAfter = residentKb();
    const double ideal = kParcels * kDelayMs / 1000.0 / ParcelWatcher::kMaxInFlight;

    std::printf("refresh of %d parcels: %.2f s, ideal %.2f s, ratio %.3f (target at most 1.2)\n", kParcels,
                seconds, ideal, seconds / ideal);
    std::printf("longest gap of a 10 ms timer meanwhile: %lld ms (target at most 50)\n",
                (long long)longestGap);
    std::printf("rows in the database: %d of %ld\n", session.history().totalRows(), expectedRows);
    std::printf("resident memory: %ld kB before, %ld kB after, growth %.1f MB (target under 20)\n", rssBefore,
                rssAfter, (rssAfter - rssBefore) / 1024.0);
    server.stop();
    serving.join();
    return 0;
}
