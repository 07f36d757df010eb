// Parse of generated tracking answers of 1,000 and 10,000 rows.
#include "core/answer_parser.h"

#include <benchmark/benchmark.h>

namespace {
QString generatedAnswer(int rows)
{
    QString text = QStringLiteral("<table border='1'><tr><th>时间</th><th>地点和跟踪进度</th></tr>");
    for (int i = 0; i < rows; ++i) {
        text += QStringLiteral(
                    "<tr><td>2024-01-%1 %2:%3:00</td><td>快件已从【上海转运中心】发出,下一站【杭州转运中心"
                    "】,第%4站</td></tr>")
                    .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                    .arg(i % 24, 2, 10, QLatin1Char('0'))
                    .arg(i % 60, 2, 10, QLatin1Char('0'))
                    .arg(i);
    }
    return text + QStringLiteral("</table>");
}

void BM_ParseAnswer(benchmark::State &state)
{
    const QString answer = generatedAnswer(static_cast<int>(state.range(0)));
    const qint64 bytes = answer.toUtf8().size();
    for (auto _ : state) {
        ParseState parse;
        auto rows = parseAnswerRows(answer, countAnswerRows(answer), parse);
        benchmark::DoNotOptimize(rows);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * bytes);
}
} // namespace

BENCHMARK(BM_ParseAnswer)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
