// What a pupil waits for: one exercise of every theme at every level it has (generated and
// drawn in full, animations without their pauses but with every frame drawn), the marking
// of each answer kind with its drawn verdict, one help presentation per topic, and the
// start of the models behind the windows.
#include "help/runner.h"
#include "help/script.h"
#include "platform/messages.h"
#include "platform/resources.h"
#include "session/headlessview.h"
#include "session/session.h"
#include "session/sessionlayout.h"
#include "session/themetable.h"
#include "support/benchmain.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <QCoreApplication>
#include <QSet>

#include <algorithm>

#include <benchmark/benchmark.h>

using namespace velmora;

namespace {

const QSize Screen(1024, 768);

// A practice run of one theme at one level, started as START does.
struct Run {
    Session s;
    HeadlessView view;
    Run(int code, int level)
    {
        UseScreenLayout(Screen, s);
        s.SetView(&view);
        const Category category = CategoryOfCode(code);
        s.SetCategory(category, true);
        s.Activate();
        s.ShowSetup();
        s.SetLevelIndex(level - 1);
        s.SetTicked(code - CategoryTag(category), true);
        s.Rng().Seed(2003);
        s.Start();
    }
    // Doorgaan after a marked exercise: fresh numbers, both bitmaps drawn.
    void NextExercise()
    {
        s.Attempt = 0;
        s.Continue();
    }
};

void OneExercise(benchmark::State& state, int code, int level)
{
    Run run(code, level);
    for (auto _ : state)
        run.NextExercise();
    state.counters["frames"] = benchmark::Counter(run.view.Pauses, benchmark::Counter::kAvgIterations);
}

// Marking a right answer of each kind, verdict and points drawn. The answer field is
// reopened each time as a generator would.
void Mark(benchmark::State& state, int kind, const QString& typed)
{
    Run run(4, 2);
    Session& s = run.s;
    s.ExpectedInt = 42;
    s.ExpectedReal = 2.5;
    s.AnswerDecimals = 1;
    s.RealTolerance = 0.049;
    s.ExpectedFraction = Fraction{1, 2, 1, 2};
    for (auto _ : state) {
        s.Attempt = 1;
        s.OpenAnswer(QStringLiteral("Antwoord: "), kind, QStringLiteral("|?"));
        QString text = typed;
        benchmark::DoNotOptimize(s.SubmitAnswer(text));
    }
}

class QuietHelpView : public HelpView {
public:
    void SetContinueVisible(bool, bool) override {}
    void Paint() override {}
    void ProcessEvents() override { now_ += 100; }  // a [wait] passes without waiting
    void PressEindButton() override {}
    qint64 NowMs() override { return now_; }

private:
    qint64 now_ = 0;
};

// One topic played from its first slide to its end, every slide drawn.
void HelpTopic(benchmark::State& state, int file, int topic)
{
    QuietHelpView view;
    HelpRunner runner(view);
    Session sizes;
    UseScreenLayout(Screen, sizes);
    const QSize text(sizes.TextBitmap.Width(), sizes.TextBitmap.Height());
    const QSize picture(sizes.PictureBitmap.Width(), sizes.PictureBitmap.Height());
    for (auto _ : state) {
        runner.HelpTopic = topic;
        HelpRunner::RunEnd end = runner.Start(file, text, picture);
        while (end == HelpRunner::RunEnd::Toets)
            end = runner.Doorgaan();
        if (end != HelpRunner::RunEnd::End)
            state.SkipWithError("the topic did not play to its end");
    }
}

// The models behind the session and help windows, and the resource library.
void StartModels(benchmark::State& state)
{
    for (auto _ : state) {
        UnloadResourceLibrary();
        benchmark::DoNotOptimize(LoadResourceLibrary(QCoreApplication::applicationDirPath()));
        Session session;
        UseScreenLayout(Screen, session);
        session.SetCategory(Category::Fractions, true);
        session.Activate();
        session.ShowSetup();
        QuietHelpView view;
        HelpRunner help(view);
        help.PrepareSurfaces(QSize(session.TextBitmap.Width(), session.TextBitmap.Height()),
                             QSize(session.PictureBitmap.Width(), session.PictureBitmap.Height()));
    }
}

}  // namespace

namespace velmora::bench {

void RegisterBenchmarks()
{
    LoadResourceLibrary(QCoreApplication::applicationDirPath());
    DecSep = QLatin1Char(',');
    SetMessageSink([](const QString&, MessageKind) {});
    for (const ThemeDescriptor* theme : AllThemes())
        for (int level = 1; level <= LevelCount(CategoryOfCode(theme->Code)); ++level)
            benchmark::RegisterBenchmark(
                QStringLiteral("BM_Exercise/%1/%2").arg(theme->Code).arg(level).toStdString().c_str(), OneExercise,
                theme->Code, level);
    benchmark::RegisterBenchmark("BM_Mark/integer", Mark, 1, QStringLiteral("42"));
    benchmark::RegisterBenchmark("BM_Mark/decimal", Mark, 2, QStringLiteral("2,5"));
    benchmark::RegisterBenchmark("BM_Mark/fraction", Mark, 3, QStringLiteral("5/2"));
    benchmark::RegisterBenchmark("BM_Mark/mixed", Mark, 4, QStringLiteral("2 1/2"));
    for (int file = 0; file <= 3; ++file) {
        LineQueue queue;
        if (!LeesFile(FindHelpScript(HelpRunner::ScriptFileName(file)), queue))
            continue;
        QSet<int> topics;
        for (const QueuedLine& line : queue) {
            bool ok = false;
            const int number = line.Text.section(QLatin1Char(','), 0, 0).toInt(&ok);
            if (ok && !line.Text.contains(QLatin1String("[end]")))
                topics.insert(number / 100);
        }
        QList<int> sorted(topics.begin(), topics.end());
        std::sort(sorted.begin(), sorted.end());
        for (const int topic : sorted)
            benchmark::RegisterBenchmark(
                QStringLiteral("BM_HelpTopic/%1/%2").arg(file).arg(topic).toStdString().c_str(), HelpTopic, file,
                topic);
    }
    benchmark::RegisterBenchmark("BM_StartModels", StartModels);
}

}  // namespace velmora::bench
