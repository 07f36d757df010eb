// Times the answer parse against lxml.html on the same bytes, in one run on one machine, and
// checks that both cut the same (time, progress) pairs. Prints the figures; asserts nothing about
// speed.
#include "answer_generator.h"
#include "core/answer_parser.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cstdio>

namespace {
double bestParseMs(const QByteArray &bytes, std::vector<ProgressRow> &rows)
{
    double best = 1e9;
    for (int run = 0; run < 15; ++run) {
        QElapsedTimer timer;
        timer.start();
        const QString answer = QString::fromUtf8(bytes);
        ParseState state;
        rows = parseAnswerRows(answer, countAnswerRows(answer), state);
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString peer = QStringLiteral(PARCELVUE_BENCH_DIR "/lxml_peer.py");
    QTemporaryDir dir;
    std::vector<ProgressRow> rows1k, rows10k;
    const QByteArray bytes1k = generatedAnswer(1000).toUtf8();
    const QByteArray bytes10k = generatedAnswer(10000).toUtf8();
    const double ours1k = bestParseMs(bytes1k, rows1k);
    const double ours10k = bestParseMs(bytes10k, rows10k);

    const QString answerPath = dir.filePath(QStringLiteral("answer.html"));
    const QString pairsPath = dir.filePath(QStringLiteral("pairs.txt"));
    QFile answerFile(answerPath);
    answerFile.open(QIODevice::WriteOnly);
    answerFile.write(bytes10k);
    answerFile.close();
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {peer, answerPath, pairsPath});
    python.waitForFinished(120000);
    const double lxml = python.readAllStandardOutput().trimmed().toDouble();

    QFile pairsFile(pairsPath);
    pairsFile.open(QIODevice::ReadOnly);
    const QStringList lines
        = QString::fromUtf8(pairsFile.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    bool same = lines.size() == static_cast<int>(rows10k.size());
    for (int i = 0; same && i < lines.size(); ++i)
        same = lines[i]
            == rows10k[static_cast<size_t>(i)].time + QLatin1Char('\t')
                + rows10k[static_cast<size_t>(i)].progress;

    std::printf("answer of 10,000 rows: %.2f MB\n", bytes10k.size() / 1e6);
    std::printf("parse 1,000 rows:   %8.3f ms\n", ours1k);
    std::printf("parse 10,000 rows:  %8.3f ms  (%.0f rows/s, %.1f MB/s)\n", ours10k, 10000 / (ours10k / 1000),
                bytes10k.size() / 1e6 / (ours10k / 1000));
    std::printf("10k / 1k ratio:     %8.2f  (target at most 12)\n", ours10k / ours1k);
    if (lxml > 0) {
        std::printf("lxml.html 10,000:   %8.3f ms\n", lxml);
        std::printf("speed-up vs lxml:   %8.1fx (target at least 20x)\n", lxml / ours10k);
    } else {
        std::printf("lxml.html peer did not run (needs /usr/bin/python3 with python3-lxml)\n");
    }
    std::printf("same pairs as lxml: %s\n", same ? "yes" : "NO");
    return same ? 0 : 1;
}
