// How fast the drawing and parsing primitives run: an exercise redraws its whole text
// bitmap on every attempt, and marking parses what the pupil typed.
#include "toolkit/fraction.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include "support/benchmain.h"

#include <benchmark/benchmark.h>

using namespace velmora;

static void BM_StrToFraction(benchmark::State& state)
{
    const QString inputs[] = {QStringLiteral("3/4"), QStringLiteral(" 2 1/2 "), QStringLiteral("-1 3/8"),
                              QStringLiteral("12"), QStringLiteral("3/4/5")};
    Fraction f;
    for (auto _ : state)
        for (const QString& s : inputs)
            benchmark::DoNotOptimize(StrToFraction(s, f));
}
BENCHMARK(BM_StrToFraction);

static void BM_DrawTextLine(benchmark::State& state)
{
    LineHeight = 23;
    RefFontSize = 13;
    Bitmap bitmap(365, 598);
    for (auto _ : state) {
        DrawText(QStringLiteral("Hoeveel zijn de breuken samen ?"), clr::Blue, false, Margin, 1, 1, bitmap);
        benchmark::DoNotOptimize(TextEndX);
    }
}
BENCHMARK(BM_DrawTextLine);

static void BM_DrawFraction(benchmark::State& state)
{
    LineHeight = 23;
    Bitmap bitmap(365, 598);
    bitmap.Font.Size = 13;
    for (auto _ : state)
        benchmark::DoNotOptimize(DrawFraction(Fraction{-1, 2, 3, 4}, bitmap, 10, 60, clr::Red));
}
BENCHMARK(BM_DrawFraction);

namespace velmora::bench {
void RegisterBenchmarks() {}
}  // namespace velmora::bench
