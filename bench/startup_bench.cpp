// Start-up to the first paint and resident memory once idle: the main window against a bare Qt
// Widgets window of the same size. The parent runs each as a child process several times and
// prints medians and ratios; asserts nothing.
//
// To count instructions up to the first paint, run one child under callgrind with
// BENCH_EXIT_AT_PAINT=1: it then ends right after that paint, without the idle second and the
// shutdown (valgrind --tool=callgrind bench_startup --form).
#include "services/tracking_client.h"
#include "gui/platform/widget_desktop_platform.h"
#include "gui/window/form1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPaintEvent>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {
long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

// Reports once the first paint has happened, then the memory a second later.
class FirstPaint : public QObject
{
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_done) {
            m_done = true;
            std::printf("painted\n");
            std::fflush(stdout);
            if (qEnvironmentVariableIsSet("BENCH_EXIT_AT_PAINT"))
                std::_Exit(0);
            QTimer::singleShot(1000, [] {
                std::printf("rss %ld\n", residentKb());
                std::fflush(stdout);
                // exit, not quit: quit would close the window and the main window asks before closing.
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    bool m_done = false;
};

enum class Mode { Bare, Label, Form };

int child(int argc, char *argv[], Mode mode)
{
    QApplication app(argc, argv);
    FirstPaint watcher;
    if (mode != Mode::Form) {
        QWidget window;
        window.setFixedSize(Form1::kClientWidth, Form1::kClientHeight);
        // For reference: a bare window with one line of Chinese text maps the CJK font.
        if (mode == Mode::Label)
            new QLabel(QStringLiteral("快递单号：Num"), &window);
        window.installEventFilter(&watcher);
        window.show();
        return app.exec();
    }
    QTemporaryDir dir;
    DesktopPlatform desktop(dir.path());
    desktop.platform().configuration->edit([&](Endpoints &e) { e.siteUrl = QStringLiteral("http://127.0.0.1:9"); }); // nothing to reach
    TrackingClient tracking(*desktop.platform().http, *desktop.platform().configuration);
    Form1 form(desktop.platform(), tracking);
    form.Timer3->stop();
    form.installEventFilter(&watcher);
    form.show();
    return app.exec();
}

struct Figures
{
    double startMs;
    long rssKb;
};

Figures measure(const QString &program, const QString &mode)
{
    std::vector<double> starts;
    std::vector<long> rss;
    for (int run = 0; run < 7; ++run) {
        QProcess process;
        QElapsedTimer timer;
        timer.start();
        process.start(program, {mode});
        process.waitForReadyRead(30000);
        starts.push_back(timer.nsecsElapsed() / 1e6);
        process.waitForFinished(30000);
        const QList<QByteArray> lines = process.readAllStandardOutput().split('\n');
        for (const QByteArray &line : lines) {
            if (line.startsWith("rss "))
                rss.push_back(line.mid(4).toLong());
        }
    }
    std::sort(starts.begin(), starts.end());
    std::sort(rss.begin(), rss.end());
    return {starts[starts.size() / 2], rss.empty() ? 0 : rss[rss.size() / 2]};
}
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 1 && qstrcmp(argv[1], "--bare") == 0)
        return child(argc, argv, Mode::Bare);
    if (argc > 1 && qstrcmp(argv[1], "--label") == 0)
        return child(argc, argv, Mode::Label);
    if (argc > 1 && qstrcmp(argv[1], "--form") == 0)
        return child(argc, argv, Mode::Form);

    QCoreApplication app(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();
    const Figures bare = measure(self, QStringLiteral("--bare"));
    const Figures label = measure(self, QStringLiteral("--label"));
    const Figures form = measure(self, QStringLiteral("--form"));
    std::printf("start-up to first paint: bare window %.1f ms, main window %.1f ms, ratio %.2f (target at "
                "most 1.3)\n",
                bare.startMs, form.startMs, form.startMs / bare.startMs);
    std::printf(
        "resident memory once idle: bare window %ld KiB, main window %ld KiB, ratio %.2f (target at most "
        "1.3)\n",
        bare.rssKb, form.rssKb, bare.rssKb ? double(form.rssKb) / bare.rssKb : 0.0);
    std::printf("for reference, a bare window with one Chinese label: %.1f ms (%.2f), %ld KiB (%.2f)\n",
                label.startMs, label.startMs / bare.startMs, label.rssKb,
                bare.rssKb ? double(label.rssKb) / bare.rssKb : 0.0);
    std::printf("main window against the one-label window: %.2f in time, %.2f in memory\n",
                form.startMs / label.startMs, label.rssKb ? double(form.rssKb) / label.rssKb : 0.0);
    return 0;
}
