// What every theme promises the session, checked through the real Session for every theme
// in the table, at every level its category offers, in practice and in test, for a few seeds.
#include "help/script.h"
#include "platform/messages.h"
#include "platform/resources.h"
#include "session/headlessview.h"
#include "session/session.h"
#include "session/sessionlayout.h"
#include "session/themetable.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <QtTest>

#include <algorithm>
#include <set>

using namespace velmora;

namespace {

// An answer as a pupil would type it.
QString Typed(const Fraction& f)
{
    const QString sign = f.Sign < 0 ? QStringLiteral("-") : QString();
    if (f.Num == 0)
        return sign + QString::number(f.Whole);
    const QString part = QStringLiteral("%1/%2").arg(f.Num).arg(f.Den);
    return sign + (f.Whole ? QString::number(f.Whole) + QLatin1Char(' ') + part : part);
}

QString RightAnswer(const Session& s)
{
    switch (s.Field().Kind) {
        case 1:
            return QString::number(s.ExpectedInt);
        case 2:
            return FormatFixed(s.ExpectedReal, s.AnswerDecimals);
        default:
            return Typed(s.ExpectedFraction);
    }
}

// Wrong for every theme, in the form the answer kind accepts.
QString WrongAnswer(const Session& s)
{
    switch (s.Field().Kind) {
        case 1:
            return QString::number(s.ExpectedInt + s.IntTolerance + 37);
        case 2:
            return FormatFixed(s.ExpectedReal + s.RealTolerance + 1.5, 2);
        default:
            return QStringLiteral("1/997");
    }
}

std::set<int> TopicsIn(int file)
{
    LineQueue queue;
    std::set<int> topics;
    if (!LeesFile(QStringLiteral("demo%1.txt").arg(file), queue))
        return topics;
    for (const QueuedLine& l : queue) {
        bool ok = false;
        const int number = l.Text.section(QLatin1Char(','), 0, 0).toInt(&ok);
        if (ok && !l.Text.contains(QLatin1String("[end]")))
            topics.insert(number / 100);
    }
    return topics;
}

struct Run {
    Session s;
    HeadlessView view;
    QStringList texts;
    QStringList messages;
    MessageSink previousSink;

    Run(const ThemeDescriptor& theme, int level, bool practice, std::uint32_t seed)
    {
        previousSink = SetMessageSink([this](const QString& text, MessageKind) { messages << text; });
        DecSep = QLatin1Char(',');
        UseScreenLayout(QSize(1024, 768), s);
        s.SetView(&view);
        const Category category = CategoryOfCode(theme.Code);
        s.SetCategory(category, practice);
        s.Activate();
        s.Rng().Seed(seed);
        s.ShowSetup();  // a test ticks every box
        s.SetLevelIndex(level - 1);
        if (practice)
            s.SetTicked(theme.Code - CategoryTag(category), true);
        s.TextBitmap.TextObserver = [this](const TextEvent& e) { texts << e.Text; };
    }
    ~Run() { SetMessageSink(previousSink); }

    AnswerOutcome Answer(const QString& text)
    {
        QString t = text;
        s.EnterAnswerField();
        return s.SubmitAnswer(t);
    }
    // Starts the run and goes on until the theme comes up (a test picks at random).
    bool ReachTheme(int code)
    {
        s.Start();
        for (int i = 0; i < 300 && s.ThemeCode != code; ++i) {
            if (Answer(RightAnswer(s)) != AnswerOutcome::Marked)
                return false;
            s.Continue();
        }
        return s.ThemeCode == code;
    }
};

}  // namespace

class TestThemeContract : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(LoadResourceLibrary(QCoreApplication::applicationDirPath())); }

    void tableIsSound() { QCOMPARE(CheckThemeTable(), QString()); }

    void helpTopicIsShipped_data()
    {
        QTest::addColumn<int>("code");
        for (const ThemeDescriptor* theme : AllThemes())
            QTest::addRow("theme %d", theme->Code) << theme->Code;
    }
    void helpTopicIsShipped()
    {
        QFETCH(int, code);
        const HelpRoute route = FindTheme(code)->Help;
        QVERIFY2(TopicsIn(route.File).count(route.Topic) == 1,
                 qPrintable(QStringLiteral("demo%1.txt has no topic %2").arg(route.File).arg(route.Topic)));
    }

    void exercise_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("practice");
        QTest::addColumn<uint>("seed");
        for (const ThemeDescriptor* theme : AllThemes())
            for (int level = 1; level <= LevelCount(CategoryOfCode(theme->Code)); ++level)
                for (const bool practice : {true, false})
                    for (const uint seed : {1u, 77u, 40513u})
                        QTest::addRow("theme %d level %d %s seed %u", theme->Code, level,
                                      practice ? "practice" : "test", seed)
                            << theme->Code << level << practice << seed;
    }

    // A long mixed run: every theme in the table comes up, 10 and 30 never do, no pick
    // repeats either of the two picks before it, and the level is 2 for percentage themes
    // and 3 for all others.
    void mixedRun()
    {
        Session s;
        HeadlessView view;
        QStringList messages;
        const MessageSink previous = SetMessageSink([&](const QString& text, MessageKind) { messages << text; });
        DecSep = QLatin1Char(',');
        UseScreenLayout(QSize(1024, 768), s);
        s.SetView(&view);
        s.SetCategory(Category::Mixed, false);
        s.Activate();
        s.Rng().Seed(30);
        s.ShowSetup();
        s.Start();
        std::set<int> seen;
        for (int i = 0; i < 2000; ++i) {
            const int code = s.ThemeCode;
            QVERIFY2(FindTheme(code), qPrintable(QStringLiteral("code %1 has no exercise").arg(code)));
            QVERIFY(view.FieldOpen);
            QCOMPARE(s.PrevTheme, code);
            QCOMPARE(s.CurrentLevel(), CategoryOfCode(code) == Category::Percentages ? 2 : 3);
            seen.insert(code);
            const int prev = s.PrevTheme, prev2 = s.PrevTheme2;
            QString answer = RightAnswer(s);
            s.EnterAnswerField();
            QCOMPARE(s.SubmitAnswer(answer), AnswerOutcome::Marked);
            s.Continue();
            if (s.PrevTheme2 == prev)
                QVERIFY(s.ThemeCode != prev && s.ThemeCode != prev2);
            else  // codes without an exercise were drawn and skipped in between
                QVERIFY(!FindTheme(s.PrevTheme2) && s.ThemeCode != s.PrevTheme2);
        }
        for (const ThemeDescriptor* theme : AllThemes())
            QVERIFY2(seen.count(theme->Code), qPrintable(QStringLiteral("theme %1 never came").arg(theme->Code)));
        SetMessageSink(previous);
        QVERIFY2(messages.isEmpty(), qPrintable(messages.join(QLatin1Char('\n'))));
    }

    // START opens the field; a wrong answer gives the same exercise again (where there is a
    // second attempt); a final wrong answer gives the verdict and the answer; the next
    // exercise answered as a pupil types it is right. No message box anywhere.
    void exercise()
    {
        QFETCH(int, code);
        QFETCH(int, level);
        QFETCH(bool, practice);
        QFETCH(uint, seed);
        const ThemeDescriptor& theme = *FindTheme(code);
        Run run(theme, level, practice, seed);
        Session& s = run.s;
        QVERIFY(run.ReachTheme(code));
        QVERIFY(run.view.FieldOpen);
        QVERIFY(s.AnswerPending());
        QCOMPARE(s.Attempt, 1);
        QCOMPARE(s.AttemptsAllowed, theme.AttemptsAllowed);
        QCOMPARE(s.CurrentLevel(), level);
        QVERIFY(s.Field().Kind >= 1 && s.Field().Kind <= 4);
        QVERIFY(!s.Field().Label.isEmpty());
        QVERIFY(s.Field().PanelTop > 0 && s.Field().PanelTop < s.TextBitmap.Height());
        QCOMPARE(run.view.CalcButtonVisible, theme.Use == Advice::Calculator);

        const auto param = s.Param;
        const QImage picture = s.PictureBitmap.Image().copy();
        const int done = s.ExercisesDone;
        if (theme.AttemptsAllowed == 2) {
            QCOMPARE(run.Answer(WrongAnswer(s)), AnswerOutcome::Marked);
            QCOMPARE(s.Attempt, 2);
            QVERIFY(run.texts.contains(QStringLiteral("Jammer! Tweede poging!")));
            QVERIFY(s.ContinueShown());
            s.Continue();
            QVERIFY(run.view.FieldOpen);
            QCOMPARE(s.ThemeCode, code);
            QVERIFY2(s.Param == param, "the second attempt keeps the numbers");
            QVERIFY2(s.PictureBitmap.Image() == picture, "the second attempt keeps the picture");
        }
        run.texts.clear();
        QCOMPARE(run.Answer(WrongAnswer(s)), AnswerOutcome::Marked);
        QCOMPARE(s.ExercisesDone, done + 1);
        QCOMPARE(s.Attempt, 0);
        const qsizetype verdict = run.texts.indexOf(QStringLiteral("Het antwoord was: "));
        QVERIFY(verdict >= 0);
        const QStringList after = run.texts.mid(verdict + 1);
        QVERIFY2(std::any_of(after.begin(), after.end(), [](const QString& t) { return !t.trimmed().isEmpty(); }),
                 "the answer or its explanation follows the verdict");
        if (!theme.Explain && s.Field().Kind <= 2) {
            const QString answer =
                s.Field().Kind == 1 ? QString::number(s.ExpectedInt) : FormatFixed(s.ExpectedReal, s.AnswerDecimals);
            QVERIFY2(after.contains(answer + s.AnswerUnit), qPrintable(after.join(QLatin1Char('|'))));
        }
        QCOMPARE(run.view.Face, QStringLiteral("sad"));

        // Practice keeps to the one ticked theme; a test may pick another, which must take a
        // right answer as well.
        s.Continue();
        const int points = s.Points;
        QCOMPARE(run.Answer(RightAnswer(s)), AnswerOutcome::Marked);
        QCOMPARE(s.Attempt, 0);
        QVERIFY2(s.Points > points,
                 qPrintable(QStringLiteral("theme %1: no points for %2").arg(s.ThemeCode).arg(RightAnswer(s))));
        QCOMPARE(run.view.Face, QStringLiteral("smile"));
        QVERIFY2(run.messages.isEmpty(), qPrintable(run.messages.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestThemeContract)
#include "tst_contract.moc"
