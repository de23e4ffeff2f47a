// Theme selection, levels, START and the setup screen of the session model.
#include "session/headlessview.h"
#include "session/session.h"
#include "session/themetable.h"
#include "support/sessiontesting.h"
#include "toolkit/layout.h"

#include <QtTest>

using namespace velmora;
using namespace velmora::testing;

namespace {

struct Fixture {
    Session s;
    HeadlessView view;
    Fixture(int tag, bool practice)
    {
        PrepareLayout(s);
        s.SetView(&view);
        s.SetCategory(CategoryOfTag(tag), practice);
        s.Activate();
        s.Rng().Seed(12345);
        s.ShowSetup();
    }
    // Answers the open exercise right and asks for the next one.
    void Next()
    {
        QString answer = QString::number(s.ExpectedInt);
        QCOMPARE(s.SubmitAnswer(answer), AnswerOutcome::Marked);
        s.Continue();
    }
    QList<int> Codes(int n)
    {
        QList<int> codes{s.ThemeCode};
        for (int i = 1; i < n; ++i) {
            Next();
            codes << s.ThemeCode;
        }
        return codes;
    }
};

// An animated exercise that records which generator call drew it and its last frame.
int AnimatedCalls = 0;
void AnimatedTheme(Exercise& s)
{
    if (s.Attempt == 0) {
        const int call = ++AnimatedCalls;
        s.Param[0] = call;
        for (int frame = 0; frame < 5; ++frame) {
            s.Param[1] = call * 100 + frame;
            if (!s.Pause(2))
                return;
        }
        s.ExpectedInt = call;
    }
    s.AnswerLine = 5;
    s.OpenAnswer(QStringLiteral("Antwoord: "), 1, QString());
}

QList<int> Boxes(const QString& list)
{
    QList<int> boxes;
    for (const QString& part : list.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        boxes << part.toInt();
    return boxes;
}

}  // namespace

class TestSession : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void ThemeTitles()
    {
        QCOMPARE(ThemeTitle(12), QStringLiteral("Jorrit en het \"meer\"-model"));
        QCOMPARE(ThemeTitle(14), QStringLiteral("Een stuk pizza voor Femke  (% raden)"));
        QVERIFY(ThemeTitle(10).isEmpty());
        QVERIFY(ThemeTitle(30).isEmpty());
        QVERIFY(ThemeTitle(31).isEmpty());
        int titled = 0;
        for (int code = 0; code <= 31; ++code)
            titled += ThemeTitle(code).isEmpty() ? 0 : 1;
        QCOMPARE(titled, 28);  // codes 1..29 without 10
        Fixture fractions(0, true), percentages(10, true);
        int visible = 0;
        for (int box = 1; box <= 10; ++box)
            visible += fractions.s.CheckBoxVisible(box) ? 1 : 0;
        QCOMPARE(visible, 9);
        QVERIFY(percentages.s.CheckBoxVisible(10));
        QCOMPARE(percentages.s.CheckBoxCaption(3), QStringLiteral("Kasper en het \"minder\"-model"));
    }

    void PracticeOrder_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<QString>("ticked");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("one box repeats") << 0 << "4" << QList<int>{4, 4, 4, 4};
        QTest::newRow("two boxes alternate") << 0 << "2 5" << QList<int>{2, 5, 2, 5};
        QTest::newRow("percentages box 3 is code 13") << 10 << "3" << QList<int>{13, 13, 13};
        QTest::newRow("three boxes in box order") << 20 << "9 1 4" << QList<int>{21, 24, 29, 21};
    }
    void PracticeOrder()
    {
        QFETCH(int, tag);
        QFETCH(QString, ticked);
        QFETCH(QList<int>, expected);
        Fixture f(tag, true);
        QList<int> codes;
        for (int box : Boxes(ticked))
            codes << tag + box;
        UseIntegerTheme(f.s, codes);
        for (int box : Boxes(ticked))
            f.s.SetTicked(box, true);
        QVERIFY(f.s.StartEnabled());
        f.s.Start();
        QCOMPARE(f.Codes(expected.size()), expected);
    }

    void PracticeSkipsThemesWithoutGenerator()
    {
        Fixture f(0, true);
        UseIntegerTheme(f.s, {5});
        f.s.SetTicked(2, true);
        f.s.SetTicked(5, true);
        QVERIFY(f.s.StartEnabled());
        f.s.Start();
        QCOMPARE(f.Codes(3), (QList<int>{5, 5, 5}));
    }

    void TestModeNeverRepeatsWithinThree_data()
    {
        QTest::addColumn<QString>("ticked");
        QTest::newRow("three") << "1 5 9";
        QTest::newRow("five") << "2 3 4 6 8";
        QTest::newRow("all") << "1 2 3 4 5 6 7 8 9";
    }
    void TestModeNeverRepeatsWithinThree()
    {
        QFETCH(QString, ticked);
        Fixture f(0, false);
        const QList<int> boxes = Boxes(ticked);
        for (int box = 1; box <= 9; ++box)
            f.s.SetTicked(box, boxes.contains(box));
        UseIntegerTheme(f.s, boxes);
        QVERIFY(f.s.StartEnabled());
        f.s.Start();
        const QList<int> codes = f.Codes(150);
        for (int i = 0; i < codes.size(); ++i) {
            QVERIFY2(boxes.contains(codes[i]), qPrintable(QString::number(codes[i])));
            if (i >= 1)
                QVERIFY(codes[i] != codes[i - 1]);
            if (i >= 2)
                QVERIFY(codes[i] != codes[i - 2]);
        }
        for (int box : boxes)
            QVERIFY(codes.contains(box));
    }

    void TestModeNeedsThreeTicks()
    {
        Fixture f(20, false);
        UseIntegerTheme(f.s, {21, 22, 23});
        QVERIFY(f.s.StartEnabled());  // a test starts with everything ticked
        for (int box = 1; box <= 10; ++box)
            f.s.SetTicked(box, box <= 2);
        QCOMPARE(f.s.TickedCount, 2);
        QVERIFY(!f.s.StartEnabled());
        f.s.SetTicked(3, true);
        QVERIFY(f.s.StartEnabled());
        QCOMPARE(f.s.ThemeMask, 7);
    }

    // Fewer generators than ticked boxes: the no-repeat rule gives way instead of hanging.
    void TestModeWithFewAvailableThemes_data()
    {
        QTest::addColumn<QList<int>>("available");
        QTest::newRow("one") << QList<int>{4};
        QTest::newRow("two") << QList<int>{4, 5};
    }
    void TestModeWithFewAvailableThemes()
    {
        QFETCH(QList<int>, available);
        Fixture f(0, false);
        UseIntegerTheme(f.s, available);
        QVERIFY(f.s.StartEnabled());
        f.s.Start();
        const QList<int> codes = f.Codes(20);
        for (int i = 0; i < codes.size(); ++i) {
            QVERIFY(available.contains(codes[i]));
            if (available.size() == 2 && i > 0)
                QVERIFY(codes[i] != codes[i - 1]);
        }
    }

    void NoGeneratorsNoStart_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<bool>("practice");
        QTest::newRow("fractions practice") << 0 << true;
        QTest::newRow("percentages test") << 10 << false;
        QTest::newRow("mixed") << -10 << false;
    }
    // Every theme has its exercise; a broken table without generators must still not hang.
    void NoGeneratorsNoStart()
    {
        QFETCH(int, tag);
        QFETCH(bool, practice);
        Fixture f(tag, practice);
        for (int code = 1; code <= 30; ++code)
            f.s.OverrideGenerator(code, nullptr);
        for (int box = 1; box <= 10; ++box)
            f.s.SetTicked(box, true);
        // A run without any generator shows nothing and returns.
        f.s.Start();
        QVERIFY(!f.view.FieldOpen);
        f.s.Verdeler();
        QVERIFY(!f.view.FieldOpen);
    }

    void MixedModeSkipsEmptyCodes()
    {
        Fixture f(-10, false);
        QVERIFY(!f.view.StartEnabled || f.s.StartEnabled());
        const QList<int> available{1, 4, 12, 14, 21, 29};
        UseIntegerTheme(f.s, available);
        QVERIFY(f.s.StartEnabled());
        f.s.Start();
        const QList<int> codes = f.Codes(200);
        for (int code : codes)
            QVERIFY2(available.contains(code), qPrintable(QString::number(code)));
        for (int code : available)
            QVERIFY(codes.contains(code));
        QCOMPARE(f.s.LevelIndex(), 2);
    }

    void MixedLevel_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("level");
        QTest::newRow("fractions") << 4 << 3;
        QTest::newRow("percentages low") << 11 << 2;
        QTest::newRow("percentages high") << 20 << 2;
        QTest::newRow("calculator") << 21 << 3;
    }
    void MixedLevel()
    {
        QFETCH(int, code);
        QFETCH(int, level);
        Session s;
        s.SetCategory(Category::Mixed, false);
        s.ThemeCode = code;
        QCOMPARE(s.CurrentLevel(), level);
        s.SetCategory(Category::Fractions, true);
        s.SetLevelIndex(1);
        QCOMPARE(s.CurrentLevel(), 2);
    }

    void StartResetsTheRun()
    {
        Fixture f(0, true);
        UseIntegerTheme(f.s, {4});
        // A theme whose rotation counter starts at 20, as the speed themes' does.
        ThemeDescriptor counting = *f.s.ThemeFor(4);
        counting.Cycle = {8, 1, 20};
        f.s.OverrideTheme(counting);
        f.s.SetTicked(4, true);
        f.s.ThemeMemory.fill(7);
        f.s.ThemeCycle.fill(3);
        f.s.Points = 50;
        f.s.Start();
        QVERIFY(f.s.Running);
        QCOMPARE(f.view.Score, QStringLiteral("000 uit 000"));
        QCOMPARE(f.s.ThemeMemory[4], 0);  // -1 at START, one new exercise since
        for (int code = 1; code <= 30; ++code)
            if (code != 4)
                QCOMPARE(f.s.ThemeMemory[code], -1);
        QCOMPARE(f.s.ThemeCycle[8], 20);
        QCOMPARE(f.s.ThemeCycle[0], 0);
        QCOMPARE(f.s.Points, 0);
        QCOMPARE(f.s.Attempt, 1);  // the field was entered
        QCOMPARE(f.view.Caption, QStringLiteral(" Oefenen met Breuken (Item: 4  Poging: 1)"));
        QCOMPARE(f.view.StatusHint, QStringLiteral("Welk getal ?"));
    }

    void LevelButtonThenStart()
    {
        Fixture f(0, true);
        UseIntegerTheme(f.s, {4});
        f.s.SetTicked(4, true);
        f.s.SetLevelIndex(1);
        f.s.Start();
        f.Next();
        const int param = f.s.Param[0];
        QVERIFY(f.s.LevelButton());
        f.s.Start();  // level unchanged: the same exercise again
        QCOMPARE(f.s.Param[0], param);
        QCOMPARE(f.s.ThemeMemory[4], 1);
        QCOMPARE(f.s.ScoreLine(), QStringLiteral("008 uit 001"));
        QVERIFY(f.s.AnswerPending());

        QVERIFY(f.s.LevelButton());
        f.s.SetLevelIndex(2);
        f.s.Start();  // another level: a new run
        QCOMPARE(f.view.Score, QStringLiteral("000 uit 000"));
        QCOMPARE(f.s.ThemeMemory[4], 0);
        QCOMPARE(f.s.StartLevel, 3);
    }

    // After the verdict, the level button and START with the same level must not draw a
    // new exercise over the old one: it goes on to the next exercise.
    void ResumeAfterVerdictGoesOn()
    {
        Fixture f(0, true);
        UseIntegerTheme(f.s, {4});
        f.s.SetTicked(4, true);
        f.s.Start();
        QString answer = QString::number(f.s.ExpectedInt);
        f.s.SubmitAnswer(answer);
        QVERIFY(f.s.LevelButton());
        f.s.Start();
        QCOMPARE(f.s.ThemeMemory[4], 1);
        QVERIFY(f.s.AnswerPending());
        QCOMPARE(f.s.ScoreLine(), QStringLiteral("006 uit 001"));
    }

    void LevelButtonIgnoredInMixedMode()
    {
        Fixture f(-10, false);
        UseIntegerTheme(f.s, {4});
        f.s.Start();
        QVERIFY(!f.s.LevelButton());
    }

    void EndReturnsToSetup()
    {
        Fixture f(0, false);
        UseIntegerTheme(f.s, {1, 2, 3});
        f.s.Start();
        const int setups = f.view.SetupShown;
        QVERIFY(f.s.End());
        QVERIFY(!f.s.Running);
        QCOMPARE(f.view.SetupShown, setups + 1);
        QVERIFY(f.s.Ticked(1));  // a run's ticks are kept
        QVERIFY(!f.s.End());     // on the setup screen Einde leaves the window
    }

    void SetupScreen_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<bool>("practice");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("hint");
        QTest::newRow("practice") << 0 << true
                                  << QStringList{"Kies het juiste ", "niveau",          "en ",   "minstens één thema",
                                                 "om te oefenen.",   "Druk daarna op ", "START", "om te beginnen."}
                                  << "Kies het niveau, de thema's en druk op START";
        QTest::newRow("test") << 20 << false
                              << QStringList{"Kies het juiste ", "niveau",          "en ",   "minstens drie thema's",
                                             "voor de TEST.",    "Druk daarna op ", "START", "om te beginnen."}
                              << "Kies het niveau, de thema's en druk op START";
        QTest::newRow("mixed") << -10 << false << QStringList{"Jij hebt lef !", "Druk op", "START", "om te beginnen."}
                               << "Druk op START om te beginnen";
    }
    void SetupScreen()
    {
        QFETCH(int, tag);
        QFETCH(bool, practice);
        QFETCH(QStringList, texts);
        QFETCH(QString, hint);
        Fixture f(tag, practice);
        TextLog log;
        log.Attach(f.s.TextBitmap);
        f.s.ShowSetup();
        QCOMPARE(log.Texts, texts);
        QCOMPARE(f.view.StatusHint, hint);
        QCOMPARE(log.Colours[log.Texts.indexOf(QStringLiteral("START"))], QStringLiteral("#0000ff"));
        QCOMPARE(f.s.PictureBitmap.Pixel(0, 0), clr::Black);
        QCOMPARE(f.s.TextBitmap.Pixel(1, f.s.TextBitmap.Height() - 2), clr::BtnFace);
        if (tag >= 0)
            for (int box = 1; box <= 9; ++box)
                QCOMPARE(f.s.Ticked(box), !practice);
    }

    void Titles_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<bool>("practice");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hint");
        QTest::newRow("practice") << 10 << true << " Oefenen met Procenten « Selectie » "
                                  << "Kies minstens één thema om te oefenen";
        QTest::newRow("test") << 20 << false << " Rekenmachine-Test « Selectie » "
                              << "Kies minstens drie thema's voor de TEST";
        QTest::newRow("mixed") << -10 << false << " GROTE UITDAGING "
                               << "Je hebt geen keus: ALLES!";
    }
    void Titles()
    {
        QFETCH(int, tag);
        QFETCH(bool, practice);
        QFETCH(QString, caption);
        QFETCH(QString, hint);
        Fixture f(tag, practice);
        QCOMPARE(f.s.KeuzeCaption(), caption);
        QCOMPARE(f.s.KeuzeHint(), hint);
        QCOMPARE(f.view.Caption, QStringLiteral("Velmora 1: ") + f.s.SessionTitle);
    }

    void CalculatorAdvice_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<int>("box");
        QTest::addColumn<bool>("calculator");
        QTest::newRow("fractions") << 0 << 6 << false;
        QTest::newRow("pizza") << 10 << 4 << false;
        QTest::newRow("store") << 10 << 5 << false;
        QTest::newRow("bar") << 10 << 1 << true;
        QTest::newRow("calculator") << 20 << 2 << true;
    }
    void CalculatorAdvice()
    {
        QFETCH(int, tag);
        QFETCH(int, box);
        QFETCH(bool, calculator);
        Fixture f(tag, true);
        UseIntegerTheme(f.s, {tag + box});
        f.s.SetTicked(box, true);
        f.s.Start();
        QCOMPARE(f.view.CalcButtonVisible, calculator);
        QCOMPARE(f.view.InfoText, calculator ? QStringLiteral("Gebruik: Pen, Papier en event. een Rekenmachine")
                                             : QStringLiteral("Gebruik Pen en Papier !"));
        QCOMPARE(f.view.InfoTop, calculator ? 2 : 12);
        QCOMPARE(f.s.AttemptsAllowed, tag + box == 14 ? 1 : 2);
    }

    void HelpTargets_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<bool>("practice");
        QTest::addColumn<int>("box");  // 0: not running
        QTest::addColumn<int>("helpTag");
        QTest::addColumn<int>("topic");
        QTest::newRow("setup screen") << 10 << true << 0 << 2 << 0;
        QTest::newRow("practice theme 5") << 0 << true << 5 << 1 << 5;
        QTest::newRow("practice theme 3") << 0 << true << 3 << 1 << 2;
        QTest::newRow("practice theme 20") << 10 << true << 10 << 2 << 10;
        QTest::newRow("theme 22") << 20 << true << 2 << 2 << 10;
        QTest::newRow("theme 23") << 20 << true << 3 << 1 << 2;
        QTest::newRow("mixed") << -10 << false << 0 << 5 << 1;
    }
    void HelpTargets()
    {
        QFETCH(int, tag);
        QFETCH(bool, practice);
        QFETCH(int, box);
        QFETCH(int, helpTag);
        QFETCH(int, topic);
        Fixture f(tag, practice);
        if (box > 0) {
            UseIntegerTheme(f.s, {tag + box});
            f.s.SetTicked(box, true);
            f.s.Start();
        }
        const HelpTarget target = f.s.HelpRequest();
        QCOMPARE(target.Tag, helpTag);
        QCOMPARE(target.Topic, topic);
    }

    // An animation frame waits on the view's clock while the window handles events, and
    // stops waiting the moment the run ends (Einde pressed during the animation).
    void PauseWaitsAndStops()
    {
        struct ClockView : HeadlessView {
            mutable qint64 now = 0;
            int events = 0;
            std::function<void()> onEvent;
            qint64 NowMs() const override { return now += 5; }
            void ProcessEvents() override
            {
                ++events;
                if (onEvent)
                    onEvent();
            }
            void Pause(int ms, const std::function<bool()>& running) override { SessionView::Pause(ms, running); }
        } view;
        Session s;
        s.SetView(&view);
        s.Running = true;
        QVERIFY(s.Pause(35));
        QVERIFY(view.events >= 6 && view.events <= 8);

        view.events = 0;
        view.onEvent = [&] {
            if (view.events == 2)
                s.Running = false;
        };
        QVERIFY(!s.Pause(1000));
        QCOMPARE(view.events, 2);

        view.events = 0;
        QVERIFY(!s.Pause(35));  // the run is over: no wait at all
        QCOMPARE(view.events, 0);
    }

    // The level button and START (same level) during an animation draw the next exercise
    // inside it; the interrupted animation then stops and leaves that exercise alone.
    void AnimationStopsWhenAnotherExerciseStarts()
    {
        struct NestingView : HeadlessView {
            std::function<void()> OnPause;
            void Pause(int ms, const std::function<bool()>& running) override
            {
                HeadlessView::Pause(ms, running);
                if (const auto once = std::exchange(OnPause, nullptr))
                    once();
            }
        } view;
        Fixture f(20, true);
        f.s.SetView(&view);
        f.s.OverrideGenerator(21, AnimatedTheme);
        f.s.SetTicked(1, true);
        AnimatedCalls = 0;
        view.OnPause = [&] {
            QVERIFY(f.s.LevelButton());
            f.s.Start();
        };
        f.s.Start();
        QCOMPARE(AnimatedCalls, 2);
        QCOMPARE(view.Pauses, 1 + 5);
        QCOMPARE(f.s.Param[0], 2);
        QCOMPARE(f.s.Param[1], 204);
        QCOMPARE(f.s.ExpectedInt, 2);
        QVERIFY(view.FieldOpen);
        QCOMPARE(f.s.Attempt, 1);
    }
};

QTEST_MAIN(TestSession)
#include "tst_session.moc"
