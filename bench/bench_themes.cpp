// How long the heavier exercises take to draw without any waiting: the ride of theme 28
// draws one frame per step of its animation, the exchange a full rate table.
#include "session/headlessview.h"
#include "session/session.h"
#include "session/sessionlayout.h"
#include "themes/calculator/bicycle.h"
#include "themes/calculator/exchange.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

using namespace velmora;

namespace {

// A running session at Prof ! with one theme's exercise due, as START leaves it.
struct Rig {
    Session s;
    HeadlessView view;
    explicit Rig(int code)
    {
        UseScreenLayout(QSize(1024, 768), s);
        s.SetView(&view);
        s.SetCategory(CategoryOfCode(code), true);
        s.SetLevelIndex(2);
        s.Rng().Seed(28);
        s.Running = true;
        s.ThemeMemory.fill(-1);
        s.ThemeCode = code;
    }
    void NewExercise(ThemeGenerator generator)
    {
        s.Attempt = 0;
        FillBitmap(s.PictureBitmap, clr::BtnFace);
        FillBitmap(s.TextBitmap, clr::BtnFace);
        generator(s);
    }
};

}  // namespace

static void BM_BicycleRide(benchmark::State& state)
{
    Rig rig(28);
    for (auto _ : state)
        rig.NewExercise(BicycleCounters);
    state.counters["frames"] = benchmark::Counter(rig.view.Pauses, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_BicycleRide);

static void BM_CurrencyExchange(benchmark::State& state)
{
    Rig rig(27);
    for (auto _ : state)
        rig.NewExercise(CurrencyExchange);
}
BENCHMARK(BM_CurrencyExchange);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
