// Parse of generated tracking answers of 1,000 and 10,000 rows, from the UTF-8 bytes.
#include "answer_generator.h"
#include "core/answer_parser.h"

#include <benchmark/benchmark.h>

namespace {
void BM_ParseAnswer(benchmark::State &state)
{
    const QByteArray bytes = generatedAnswer(static_cast<int>(state.range(0))).toUtf8();
    for (auto _ : state) {
        const QString answer = QString::fromUtf8(bytes);
        ParseState parse;
        auto rows = parseAnswerRows(answer, countAnswerRows(answer), parse);
        benchmark::DoNotOptimize(rows);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
} // namespace

BENCHMARK(BM_ParseAnswer)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
