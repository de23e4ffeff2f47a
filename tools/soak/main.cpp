// velmora-soak [--exercises N] [--seed S] [--theme CODE]
//
// Runs every theme at every level it has for N exercises each through the real Session,
// answering at random: the right answer in every form the marking accepts, a near miss, a
// wrong answer, or garbage. Checks each answer's verdict and the bookkeeping, and prints one
// JSON line {"exercises": .., "answers": .., "failures": [..]}. Exits 1 on any failure.
#include "platform/messages.h"
#include "platform/resources.h"
#include "session/headlessview.h"
#include "session/marking.h"
#include "session/session.h"
#include "session/sessionlayout.h"
#include "session/themetable.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <thread>

using namespace velmora;

namespace {

// An exercise that takes longer than this is a failure; one that never ends is a hang and
// the watchdog stops the whole run.
constexpr qint64 SlowExerciseMs = 2000;
constexpr int HangSeconds = 30;

struct Options {
    int Exercises = 10000;
    std::uint32_t Seed = 1;
    int Theme = 0;
};

enum class Intent { Right, Wrong, Garbage };

struct Answer {
    QString Text;
    Intent Kind = Intent::Right;
};

QString FractionText(long long num, long long den)
{
    const QString sign = (num < 0) != (den < 0) ? QStringLiteral("-") : QString();
    return sign + QStringLiteral("%1/%2").arg(std::llabs(num)).arg(std::llabs(den));
}

class Soak {
public:
    explicit Soak(const Options& o) : options_(o), random_(o.Seed) {}

    void Run()
    {
        for (const ThemeDescriptor* theme : AllThemes()) {
            if (options_.Theme && theme->Code != options_.Theme)
                continue;
            for (int level = 1; level <= LevelCount(CategoryOfCode(theme->Code)); ++level)
                RunTheme(*theme, level);
        }
    }

    QJsonObject Summary() const
    {
        return QJsonObject{{QStringLiteral("exercises"), exercises_},
                           {QStringLiteral("answers"), answers_},
                           {QStringLiteral("failures"), failures_}};
    }
    bool Failed() const { return !failures_.isEmpty(); }
    std::atomic<qint64> Heartbeat{0};

private:
    void RunTheme(const ThemeDescriptor& theme, int level)
    {
        Session s;
        HeadlessView view;
        QStringList messages;
        const MessageSink previous =
            SetMessageSink([&messages](const QString& text, MessageKind) { messages << text; });
        UseScreenLayout(QSize(1024, 768), s);
        s.SetView(&view);
        const Category category = CategoryOfCode(theme.Code);
        s.SetCategory(category, true);
        s.Activate();
        s.ShowSetup();
        s.SetLevelIndex(level - 1);
        s.SetTicked(theme.Code - CategoryTag(category), true);
        const std::uint32_t seed = options_.Seed * 7919u + static_cast<std::uint32_t>(theme.Code * 10 + level);
        s.Rng().Seed(seed);
        s.Start();
        current_ = {theme.Code, level, seed};

        for (int done = 0; done < options_.Exercises && failures_.size() < 50;) {
            QElapsedTimer timer;
            timer.start();
            const int finishedBefore = s.ExercisesDone;
            AnswerOnce(s, view, messages);
            if (s.ContinueShown())
                s.Continue();
            ++Heartbeat;
            if (timer.elapsed() > SlowExerciseMs)
                Fail(QStringLiteral("slow: %1 ms").arg(timer.elapsed()), QString(), s);
            if (s.ExercisesDone != finishedBefore) {
                ++done;
                ++exercises_;
            }
            if (!s.AnswerPending()) {
                Fail(QStringLiteral("no answer field after Doorgaan"), QString(), s);
                break;
            }
        }
        SetMessageSink(previous);
    }

    void AnswerOnce(Session& s, HeadlessView& view, QStringList& messages)
    {
        const Answer answer = Choose(s);
        const auto param = s.Param;
        const int attempt = s.Attempt, points = s.Points, done = s.ExercisesDone;
        messages.clear();
        QString text = answer.Text;
        s.EnterAnswerField();
        const AnswerOutcome outcome = s.SubmitAnswer(text);
        ++answers_;
        if (outcome == AnswerOutcome::Rejected) {
            if (answer.Kind != Intent::Garbage)
                Fail(QStringLiteral("refused a readable answer"), answer.Text, s);
            else if (messages.size() != 1 || !messages.first().startsWith(QStringLiteral("Foutieve invoer !")))
                Fail(QStringLiteral("refused without the message"), answer.Text, s);
            if (s.Param != param || s.Attempt != attempt || s.Points != points || s.ExercisesDone != done ||
                !s.AnswerPending())
                Fail(QStringLiteral("a refused answer changed the exercise"), answer.Text, s);
            return;
        }
        if (outcome != AnswerOutcome::Marked) {
            Fail(QStringLiteral("answer ignored"), answer.Text, s);
            return;
        }
        if (!messages.isEmpty())
            Fail(QStringLiteral("message for a readable answer: ") + messages.join(QLatin1Char('|')), answer.Text, s);
        const bool right = view.Face == QLatin1String("smile");
        if (answer.Kind == Intent::Right && !right)
            Fail(QStringLiteral("a right answer marked wrong"), answer.Text, s);
        if (answer.Kind == Intent::Wrong && right)
            Fail(QStringLiteral("a wrong answer marked right"), answer.Text, s);
        const bool finished = right || attempt == s.AttemptsAllowed || s.AttemptsAllowed == 1;
        if (s.ExercisesDone != done + (finished ? 1 : 0))
            Fail(QStringLiteral("ExercisesDone miscounted"), answer.Text, s);
        if (s.Points < 0)
            Fail(QStringLiteral("points below zero"), answer.Text, s);
        if (view.Score != FormatScore(s.Points, s.ExercisesDone))
            Fail(QStringLiteral("score line ") + view.Score, answer.Text, s);
    }

    Answer Choose(const Session& s)
    {
        switch (Pick(10)) {
            case 0:
            case 1:
            case 2:
            case 3:
                return {RightAnswer(s), Intent::Right};
            case 4:
            case 5:
                return {NearMiss(s), Intent::Wrong};
            case 6:
                return {FarOff(s), Intent::Wrong};
            default:
                return {Garbage(), Intent::Garbage};
        }
    }

    QString RightAnswer(const Session& s)
    {
        switch (s.Field().Kind) {
            case 1:
                return QString::number(s.ExpectedInt);
            case 2: {
                QString text = FormatFixed(s.ExpectedReal, s.AnswerDecimals);
                if (Pick(2))
                    text.replace(QLatin1Char(','), QLatin1Char('.'));  // the marking corrects it
                return text;
            }
            default:
                return FractionForms(s.ExpectedFraction, s.Field().Kind == 4);
        }
    }

    // The value typed simplified, unsimplified, as a mixed number or (kind 4) as an integer.
    QString FractionForms(const Fraction& f, bool integerAllowed)
    {
        const long long num = ImproperNumerator(f) * f.Sign;
        const long long den = f.Den;
        if (f.Num == 0 && integerAllowed && Pick(2))
            return QString::number(f.Sign * f.Whole);
        switch (Pick(3)) {
            case 0:
                return FractionText(num, den);
            case 1: {
                const long long k = 2 + Pick(3);
                return FractionText(num * k, den * k);
            }
            default:
                if (f.Whole == 0 || f.Num == 0)
                    return FractionText(num, den);
                return (f.Sign < 0 ? QStringLiteral("-") : QString()) +
                       QStringLiteral("%1 %2/%3").arg(f.Whole).arg(f.Num).arg(f.Den);
        }
    }

    // Just outside what the marking accepts.
    QString NearMiss(const Session& s)
    {
        switch (s.Field().Kind) {
            case 1: {
                // A rounded whole number is right on either side of an exact half.
                const long long low = s.ExpectedIntIsRounded ? std::llround(std::ceil(s.ExpectedReal - 0.5))
                                                             : static_cast<long long>(s.ExpectedInt);
                const long long high = s.ExpectedIntIsRounded ? std::llround(std::floor(s.ExpectedReal + 0.5))
                                                              : static_cast<long long>(s.ExpectedInt);
                return QString::number(Pick(2) ? high + s.IntTolerance + 1 : low - s.IntTolerance - 1);
            }
            case 2: {
                const double unit = std::pow(10.0, -s.AnswerDecimals);
                const double off = s.RealTolerance + 2 * unit;
                return FormatFixed(s.ExpectedReal + (Pick(2) ? off : -off), s.AnswerDecimals);
            }
            default: {
                const Fraction& f = s.ExpectedFraction;
                return FractionText(ImproperNumerator(f) * f.Sign + 1, f.Den);
            }
        }
    }

    QString FarOff(const Session& s)
    {
        switch (s.Field().Kind) {
            case 1:
                return QString::number(static_cast<long long>(s.ExpectedInt) + s.IntTolerance + 1000);
            case 2:
                return FormatFixed(s.ExpectedReal + s.RealTolerance + 997.5, s.AnswerDecimals);
            default:
                return QStringLiteral("1/997");
        }
    }

    QString Garbage()
    {
        static const char* const fixed[] = {"",
                                            "   ",
                                            "abc",
                                            "1,2,3",
                                            "1..2",
                                            "--5",
                                            "1/0",
                                            "0/0",
                                            "/",
                                            "3/",
                                            "/4",
                                            "1 2 3",
                                            "99999999999999999999",
                                            "2147483648",
                                            "-2147483649",
                                            "1e999",
                                            "nan",
                                            "inf",
                                            "½",
                                            "3 1/0",
                                            "1/2/3",
                                            ",,,,",
                                            "€ 5"};
        switch (Pick(4)) {
            case 0:
                return QString::fromUtf8(fixed[Pick(static_cast<int>(std::size(fixed)))]);
            case 1: {
                QString text;
                for (int i = Pick(12); i >= 0; --i)
                    text += QChar(static_cast<char16_t>(Pick(2) ? 33 + Pick(94) : 1 + Pick(31)));
                return text + QStringLiteral("x");  // never a number
            }
            case 2:
                return QString(2000 + Pick(5000), QLatin1Char('7')) + QStringLiteral("/x");
            default:
                return QString(1 + Pick(40), QLatin1Char(Pick(2) ? ',' : '.'));
        }
    }

    int Pick(int n) { return static_cast<int>(random_() % static_cast<std::uint32_t>(n)); }

    void Fail(const QString& what, const QString& input, const Session& s)
    {
        failures_.append(QJsonObject{{QStringLiteral("theme"), current_.Theme},
                                     {QStringLiteral("level"), current_.Level},
                                     {QStringLiteral("seed"), static_cast<qint64>(current_.Seed)},
                                     {QStringLiteral("exercise"), s.ExercisesDone + 1},
                                     {QStringLiteral("attempt"), s.Attempt},
                                     {QStringLiteral("input"), input.left(80)},
                                     {QStringLiteral("failure"), what}});
    }

    struct Current {
        int Theme = 0;
        int Level = 0;
        std::uint32_t Seed = 0;
    };

    Options options_;
    std::mt19937 random_;
    Current current_;
    qint64 exercises_ = 0;
    qint64 answers_ = 0;
    QJsonArray failures_;
};

bool ParseOptions(const QStringList& args, Options& o)
{
    for (int i = 1; i < args.size(); ++i) {
        if (i + 1 >= args.size())
            return false;
        bool ok = false;
        const qlonglong value = args[i + 1].toLongLong(&ok);
        if (!ok || value < 0)
            return false;
        if (args[i] == QLatin1String("--exercises") && value >= 1 && value <= 10000000)
            o.Exercises = static_cast<int>(value);
        else if (args[i] == QLatin1String("--seed") && value <= 0xFFFFFFFFLL)
            o.Seed = static_cast<std::uint32_t>(value);
        else if (args[i] == QLatin1String("--theme") && value >= 1 && value <= 30)
            o.Theme = static_cast<int>(value);
        else
            return false;
        ++i;
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    Options options;
    if (!ParseOptions(app.arguments(), options)) {
        QTextStream(stderr) << "usage: velmora-soak [--exercises N] [--seed S] [--theme CODE]\n";
        return 2;
    }
    if (!LoadResourceLibrary(QCoreApplication::applicationDirPath()))
        QTextStream(stderr) << "velmora-soak: no " << ResourceLibraryName << " beside the program\n";
    DecSep = QLatin1Char(',');
    Soak soak(options);
    // A hang inside one exercise cannot be timed from the same thread: a watchdog ends the run.
    std::atomic<bool> finished{false};
    std::thread watchdog([&] {
        qint64 last = -1;
        for (int quiet = 0; !finished;) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            const qint64 beat = soak.Heartbeat;
            quiet = beat == last ? quiet + 1 : 0;
            last = beat;
            if (quiet > HangSeconds * 10) {
                std::fprintf(stderr, "velmora-soak: an exercise hangs (no progress for %d s)\n", HangSeconds);
                std::_Exit(3);
            }
        }
    });
    soak.Run();
    finished = true;
    watchdog.join();
    QTextStream(stdout) << QJsonDocument(soak.Summary()).toJson(QJsonDocument::Compact) << '\n';
    return soak.Failed() ? 1 : 0;
}
