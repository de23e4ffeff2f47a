// Reading answers, verdicts, points and the score line.
#include "session/headlessview.h"
#include "session/marking.h"
#include "session/session.h"
#include "support/sessiontesting.h"
#include "toolkit/layout.h"

#include <QtTest>

using namespace velmora;
using namespace velmora::testing;

namespace {

// A running session with one exercise open of the given theme code.
struct Run {
    Session s;
    HeadlessView view;
    TextLog log;
    Run(int code, int levelIndex = 0)
    {
        PrepareLayout(s);
        s.SetView(&view);
        const Category category = CategoryOfCode(code);
        const int tag = CategoryTag(category);
        s.SetCategory(category, true);
        s.Activate();
        s.Rng().Seed(99);
        s.ShowSetup();
        UseIntegerTheme(s, {code});
        s.SetTicked(code - tag, true);
        s.SetLevelIndex(levelIndex);
        s.Start();
        log.Attach(s.TextBitmap);
    }
    // Reopens the field with another answer kind (what a generator would have chosen).
    void Ask(int kind) { s.OpenAnswer(QStringLiteral("Antwoord: "), kind, QStringLiteral("|?")); }
    AnswerOutcome Answer(const QString& text)
    {
        QString t = text;
        return s.SubmitAnswer(t);
    }
    // A wrong first answer and the same exercise again.
    void FirstWrong()
    {
        Answer(QString::number(s.ExpectedInt + 50));
        s.Continue();
        log.Clear();
    }
};

const QString CR = QStringLiteral("\r");

}  // namespace

class TestMarking : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void BadInput_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("sep");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        const QString intMsg = "Foutieve invoer !" + CR + "Geef een geheel getal in !";
        const QString comma = "Foutieve invoer !" + CR + "Geef een getal in !" + CR +
                              "Gebruik eventueel de comma als decimale scheidingsteken !";
        const QString point = "Foutieve invoer !" + CR + "Geef een getal in !" + CR +
                              "Gebruik eventueel de punt als decimale scheidingsteken !";
        const QString fracMsg = "Foutieve invoer !" + CR + "Geef een breuk in !";
        const QString eitherMsg = "Foutieve invoer !" + CR + "Geef een breuk of geheel getal in !";
        QTest::newRow("integer: letters") << 1 << ","
                                          << "twaalf" << intMsg;
        QTest::newRow("integer: question mark") << 1 << ","
                                                << "?" << intMsg;
        QTest::newRow("integer: decimal") << 1 << ","
                                          << "2,5" << intMsg;
        QTest::newRow("integer: beyond 32 bits") << 1 << ","
                                                 << "2147483648" << intMsg;
        QTest::newRow("integer: far beyond 32 bits") << 1 << ","
                                                     << "-99999999999999999999" << intMsg;
        QTest::newRow("decimal: empty") << 2 << ","
                                        << "" << comma;
        QTest::newRow("decimal: two separators") << 2 << ","
                                                 << "1,2,3" << comma;
        QTest::newRow("decimal: nan") << 2 << ","
                                      << "nan" << comma;
        QTest::newRow("decimal: inf") << 2 << "."
                                      << "inf" << point;
        QTest::newRow("decimal: huge exponent") << 2 << ","
                                                << "1e999" << comma;
        QTest::newRow("decimal: absurd value") << 2 << "."
                                               << "1e300" << point;
        QTest::newRow("decimal: bare exponent") << 2 << "."
                                                << "e5" << point;
        QTest::newRow("fraction: whole number") << 3 << ","
                                                << "3" << fracMsg;
        QTest::newRow("fraction: zero denominator") << 3 << ","
                                                    << "3/0" << fracMsg;
        QTest::newRow("fraction: beyond 32 bits") << 3 << ","
                                                  << "99999999999/2" << fracMsg;
        QTest::newRow("either: letters") << 4 << ","
                                         << "drie" << eitherMsg;
        QTest::newRow("either: decimal") << 4 << ","
                                         << "1,5" << eitherMsg;
    }
    void BadInput()
    {
        QFETCH(int, kind);
        QFETCH(QString, sep);
        QFETCH(QString, text);
        QFETCH(QString, message);
        DecSep = sep.at(0);
        Run run(6);
        DecSep = sep.at(0);
        run.Ask(kind);
        const int attempt = run.s.Attempt;
        MessageLog messages;
        QCOMPARE(run.Answer(text), AnswerOutcome::Rejected);
        QCOMPARE(messages.Texts, QStringList{message});
        QCOMPARE(run.s.Attempt, attempt);
        QCOMPARE(run.s.ExercisesDone, 0);
        QVERIFY(run.s.AnswerPending());
        QVERIFY(run.view.FieldOpen);
        QVERIFY(!run.view.ContinueVisible);
        QVERIFY(run.log.Texts.isEmpty());
        DecSep = QLatin1Char(',');
    }

    void IntegerWithBlanksIsRead()
    {
        Run run(6);
        run.Ask(1);
        MessageLog messages;
        QCOMPARE(run.Answer(QStringLiteral(" %1 ").arg(run.s.ExpectedInt)), AnswerOutcome::Marked);
        QVERIFY(messages.Texts.isEmpty());
        QCOMPARE(run.s.GivenInt, run.s.ExpectedInt);
        QCOMPARE(run.s.ExercisesDone, 1);
    }

    void DecimalSeparator_data()
    {
        QTest::addColumn<QString>("sep");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("corrected");
        QTest::newRow("point typed, comma wanted") << ","
                                                   << "2.5"
                                                   << "2,5";
        QTest::newRow("comma typed, point wanted") << "."
                                                   << "2,5"
                                                   << "2.5";
        QTest::newRow("already right") << ","
                                       << " 2,5 "
                                       << " 2,5 ";
    }
    void DecimalSeparator()
    {
        QFETCH(QString, sep);
        QFETCH(QString, typed);
        QFETCH(QString, corrected);
        Run run(21);
        DecSep = sep.at(0);
        run.s.ExpectedReal = 2.5;
        run.s.RealTolerance = 0;
        run.s.AnswerDecimals = 1;
        run.Ask(2);
        QString text = typed;
        QCOMPARE(run.s.SubmitAnswer(text), AnswerOutcome::Marked);
        QCOMPARE(text, corrected);
        QCOMPARE(run.s.GivenReal, 2.5);
        QVERIFY(run.log.Contains(QStringLiteral("Prima !")));
        QVERIFY(run.log.Contains(corrected.trimmed()));
        DecSep = QLatin1Char(',');
    }

    // An exact value such as 151.725 rounds to 151.72 or 151.73 depending on the rule;
    // a tolerance below half a unit rejected both. Every correct rounding counts.
    void DecimalVerdict_data()
    {
        QTest::addColumn<double>("given");
        QTest::addColumn<double>("expected");
        QTest::addColumn<double>("tolerance");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<bool>("right");
        QTest::newRow("tie rounded down") << 151.72 << 151.725 << 0.0049 << 2 << true;
        QTest::newRow("tie rounded up") << 151.73 << 151.725 << 0.0049 << 2 << true;
        QTest::newRow("tie, one unit off") << 151.71 << 151.725 << 0.0049 << 2 << false;
        QTest::newRow("not a tie: nearest") << 2.33 << 7.0 / 3 << 0.0 << 2 << true;
        QTest::newRow("not a tie: far side") << 2.34 << 7.0 / 3 << 0.0 << 2 << false;
        QTest::newRow("binary sum") << 0.3 << 0.1 + 0.2 << 0.0 << 1 << true;
        QTest::newRow("within tolerance") << 10.1 << 10.0 << 0.1 << 0 << true;
        QTest::newRow("whole euros tie") << 3.0 << 2.5 << 0.0 << 0 << true;
        QTest::newRow("negative tie") << -1.25 << -1.245 << 0.0 << 2 << true;
        QTest::newRow("wrong") << 5.0 << 2.5 << 0.4 << 0 << false;
        // 280 euro in Turkish lira: a hundred million units, still marked to the cent.
        QTest::newRow("large amount, nearest") << 94915254.24 << 28000000.0 / 0.295 << 0.0049 << 2 << true;
        QTest::newRow("large amount, a cent below") << 94915254.23 << 28000000.0 / 0.295 << 0.0049 << 2 << false;
        QTest::newRow("large amount, a cent above") << 94915254.25 << 28000000.0 / 0.295 << 0.0049 << 2 << false;
        QTest::newRow("large tie") << 123456789.13 << 123456789.125 << 0.0049 << 2 << true;
    }
    void DecimalVerdict()
    {
        QFETCH(double, given);
        QFETCH(double, expected);
        QFETCH(double, tolerance);
        QFETCH(int, decimals);
        QFETCH(bool, right);
        QCOMPARE(DecimalAnswerRight(given, expected, tolerance, decimals), right);
    }

    void DecimalTieThroughTheField()
    {
        Run run(26);
        run.s.ExpectedReal = 151.725;
        run.s.RealTolerance = 0.0049;
        run.s.AnswerDecimals = 2;
        run.Ask(2);
        QCOMPARE(run.Answer(QStringLiteral("151,73")), AnswerOutcome::Marked);
        QCOMPARE(run.s.Points, 6);
    }

    void ParseDecimalValues_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "12" << true << 12.0;
        QTest::newRow("separator") << " -0,75 " << true << -0.75;
        QTest::newRow("leading separator") << ",5" << true << 0.5;
        QTest::newRow("exponent") << "1,5e3" << true << 1500.0;
        QTest::newRow("other separator") << "1.5" << false << 0.0;
        QTest::newRow("sign only") << "-" << false << 0.0;
        QTest::newRow("trailing text") << "3 euro" << false << 0.0;
    }
    void ParseDecimalValues()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(double, value);
        double v = 0;
        QCOMPARE(ParseDecimal(text, QLatin1Char(','), v), ok);
        if (ok)
            QCOMPARE(v, value);
    }

    void OrdinaryPoints_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("secondAttempt");
        QTest::addColumn<int>("points");
        QTest::newRow("starter first") << 0 << false << 6;
        QTest::newRow("durver first") << 1 << false << 8;
        QTest::newRow("prof first") << 2 << false << 10;
        QTest::newRow("durver second") << 1 << true << 4;
        QTest::newRow("prof second") << 2 << true << 5;
    }
    void OrdinaryPoints()
    {
        QFETCH(int, level);
        QFETCH(bool, secondAttempt);
        QFETCH(int, points);
        Run run(6, level);
        if (secondAttempt)
            run.FirstWrong();
        QCOMPARE(run.Answer(QString::number(run.s.ExpectedInt)), AnswerOutcome::Marked);
        QCOMPARE(run.s.Points, points);
        QVERIFY(run.log.Contains(QString::number(points) + QStringLiteral(" punten erbij.")));
        QCOMPARE(run.s.Attempt, 0);
        QCOMPARE(run.view.Face, QStringLiteral("smile"));
    }

    void SecondAttempt()
    {
        Run run(6, 1);
        const int param = run.s.Param[0];
        QCOMPARE(run.Answer(QStringLiteral("1")), AnswerOutcome::Marked);
        QVERIFY(run.log.Contains(QStringLiteral("Jammer! Tweede poging!")));
        QCOMPARE(run.s.Attempt, 2);
        QCOMPARE(run.s.ExercisesDone, 0);
        QCOMPARE(run.view.Face, QStringLiteral("sad"));
        QVERIFY(run.view.ContinueVisible);
        run.s.Continue();
        QCOMPARE(run.s.Param[0], param);
        QCOMPARE(run.s.ThemeMemory[6], 0);  // no new numbers were drawn
        QCOMPARE(run.s.Attempt, 2);
        QVERIFY(run.view.Caption.endsWith(QStringLiteral("Poging: 2)")));
        run.log.Clear();
        QCOMPARE(run.Answer(QStringLiteral("1")), AnswerOutcome::Marked);
        QCOMPARE(run.log.Texts.mid(2),
                 (QStringList{"Jammer !", "  Geen punten erbij.", "Het antwoord was: ", QString::number(param)}));
        QCOMPARE(run.s.ScoreLine(), QStringLiteral("000 uit 001"));
        QCOMPARE(run.s.Attempt, 0);
    }

    void ScoreLines()
    {
        Run run(6);
        QCOMPARE(run.Answer(QString::number(run.s.ExpectedInt)), AnswerOutcome::Marked);  // 6
        run.s.Continue();
        run.FirstWrong();
        QCOMPARE(run.Answer(QString::number(run.s.ExpectedInt)), AnswerOutcome::Marked);  // 3
        QCOMPARE(run.view.Score, QStringLiteral("009 uit 002"));
        QCOMPARE(FormatScore(10, 2), QStringLiteral("010 uit 002"));
        QCOMPARE(FormatScore(1234, 5), QStringLiteral("234 uit 005"));
        QCOMPARE(FormatScore(0, 1000), QStringLiteral("000 uit 000"));
    }

    void PraiseInTurn()
    {
        Run run(6);
        QStringList praise;
        for (int i = 0; i < 10; ++i) {
            run.Answer(QString::number(run.s.ExpectedInt));
            praise << run.s.FeedbackText;
            run.s.Continue();
        }
        QCOMPARE(praise, (QStringList{"Prima !", "Goed !", "Juist !", "Geweldig !", "Knap hoor !", "Fantastisch !",
                                      "Bravo !", "Uitmuntend !", "Ok !", "Prima !"}));
    }

    void WithinTolerance()
    {
        Run run(21);
        run.s.ExpectedInt = 40;
        run.s.IntTolerance = 1;
        run.s.AnswerUnit = QStringLiteral(" km");
        run.Ask(1);
        QCOMPARE(run.Answer(QStringLiteral(" 41")), AnswerOutcome::Marked);
        QCOMPARE(run.log.Texts.mid(0, 4), (QStringList{"Ingegeven: ", "41 km", "Prima !", " (Precies: 40 km)"}));
    }

    // A count computed as 30,5 expects 30 (halves go to even); a pupil who rounds up to 31 is
    // right too, but only where the theme says its integer is a rounding.
    void BothRoundingsOfAnExactHalf_data()
    {
        QTest::addColumn<bool>("rounded");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("right");
        QTest::newRow("even rounding") << true << "30" << true;
        QTest::newRow("rounded up") << true << "31" << true;
        QTest::newRow("one below") << true << "29" << false;
        QTest::newRow("one above") << true << "32" << false;
        QTest::newRow("not a rounding: up is off") << false << "31" << false;
    }
    void BothRoundingsOfAnExactHalf()
    {
        QFETCH(bool, rounded);
        QFETCH(QString, typed);
        QFETCH(bool, right);
        Run run(29);
        run.s.ExpectedReal = 30.5;
        run.s.ExpectedInt = 30;
        run.s.IntTolerance = 0;
        run.s.ExpectedIntIsRounded = rounded;
        run.s.AnswerUnit = QStringLiteral(" bezoekers");
        run.Ask(1);
        QCOMPARE(run.Answer(typed), AnswerOutcome::Marked);
        QCOMPARE(run.view.Face, right ? QStringLiteral("smile") : QStringLiteral("sad"));
        QVERIFY(!run.log.Texts.join(QString()).contains(QStringLiteral("Precies")));
    }

    void Estimates_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("secondAttempt");
        QTest::addColumn<int>("off");
        QTest::addColumn<int>("tolerance");
        QTest::addColumn<QString>("feedback");
        QTest::addColumn<int>("points");
        QTest::newRow("pizza starter exact") << 14 << 0 << false << 0 << 4 << "Prima !" << 8;
        QTest::newRow("pizza starter 3 off") << 14 << 0 << false << 3 << 4 << "In de buurt." << 2;
        QTest::newRow("pizza starter 4 off") << 14 << 0 << false << 4 << 4 << "Jammer !" << 0;
        QTest::newRow("pizza durver 1 off") << 14 << 1 << false << 1 << 3 << "Bijna goed." << 5;
        QTest::newRow("pizza durver 2 off") << 14 << 1 << false << 2 << 3 << "Er vlak bij." << 2;
        QTest::newRow("grass starter 1 off") << 3 << 0 << false << 1 << 4 << "Bijna goed." << 6;
        QTest::newRow("grass starter 2 off second") << 3 << 0 << true << 2 << 4 << "Er vlak bij." << 2;
        QTest::newRow("grass prof 1 off") << 3 << 2 << false << 1 << 3 << "Bijna goed." << 4;
        QTest::newRow("grass prof 2 off second") << 3 << 2 << true << 2 << 3 << "Er vlak bij." << 1;
        QTest::newRow("grass prof 3 off") << 3 << 2 << false << 3 << 3 << "In de buurt." << 0;
    }
    void Estimates()
    {
        QFETCH(int, code);
        QFETCH(int, level);
        QFETCH(bool, secondAttempt);
        QFETCH(int, off);
        QFETCH(int, tolerance);
        QFETCH(QString, feedback);
        QFETCH(int, points);
        Run run(code, level);
        if (secondAttempt)
            run.FirstWrong();
        run.s.IntTolerance = tolerance;
        run.Ask(1);
        QCOMPARE(run.Answer(QString::number(run.s.ExpectedInt + off)), AnswerOutcome::Marked);
        QCOMPARE(run.s.FeedbackText, feedback);
        QCOMPARE(run.s.Points, points);
        QVERIFY(run.log.Contains(points == 1 ? QStringLiteral("1 punt erbij.")
                                             : QString::number(points) + QStringLiteral(" punten erbij.")));
    }

    void PizzaHasOneAttempt()
    {
        Run run(14);
        QCOMPARE(run.s.AttemptsAllowed, 1);
        run.s.IntTolerance = 4;
        run.Ask(1);
        QCOMPARE(run.Answer(QString::number(run.s.ExpectedInt + 20)), AnswerOutcome::Marked);
        QCOMPARE(run.s.ExercisesDone, 1);
        QVERIFY(run.log.Contains(QStringLiteral("  Oei, 5 punten eraf!")));
    }

    void EstimatePenaltyNeverBelowZero()
    {
        Run run(3);
        run.s.Points = 3;
        run.FirstWrong();
        QCOMPARE(run.Answer(QString::number(run.s.ExpectedInt + 30)), AnswerOutcome::Marked);
        QCOMPARE(run.s.Points, 0);
        QVERIFY(run.log.Contains(QStringLiteral("  Oei, 5 punten eraf!")));
        QCOMPARE(run.view.Score, QStringLiteral("000 uit 001"));
    }

    void Fractions_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("secondAttempt");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("simplify");
        QTest::addColumn<int>("points");
        QTest::newRow("simplest") << 3 << false << "3/4"
                                  << "3/4" << false << 8;
        QTest::newRow("six eighths") << 3 << false << "3/4"
                                     << "6/8" << true << 4;
        QTest::newRow("improper") << 3 << false << "1 1/2"
                                  << "3/2" << true << 4;
        QTest::newRow("six eighths, second attempt") << 3 << true << "3/4"
                                                     << "6/8" << true << 2;
        QTest::newRow("whole number accepted") << 4 << false << "3"
                                               << "3" << false << 8;
        QTest::newRow("negative") << 4 << false << "-1 1/4"
                                  << "-1 1/4" << false << 8;
    }
    void Fractions()
    {
        QFETCH(int, kind);
        QFETCH(bool, secondAttempt);
        QFETCH(QString, expected);
        QFETCH(QString, typed);
        QFETCH(bool, simplify);
        QFETCH(int, points);
        Run run(4, 1);
        if (secondAttempt)
            run.FirstWrong();
        QVERIFY(StrToFraction(expected, run.s.ExpectedFraction));
        run.s.ExpectedFraction = Simplify(run.s.ExpectedFraction);
        run.Ask(kind);
        QCOMPARE(run.Answer(typed), AnswerOutcome::Marked);
        QCOMPARE(run.s.Points, points);
        QCOMPARE(run.log.Contains(QStringLiteral("Goed, maar het kan nog")), simplify);
        QCOMPARE(run.log.Contains(QStringLiteral("vereenvoudigd worden")), simplify);
        QCOMPARE(run.log.Contains(QStringLiteral("tot: ")), simplify);
        QCOMPARE(run.log.Contains(QStringLiteral("Prima !")), !simplify);
    }

    void WrongFinalShowsTheAnswer_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("answer");
        QTest::newRow("integer") << 1 << "5" << QStringList{"42 kg"};
        QTest::newRow("decimal") << 2 << "5" << QStringList{"3,14 kg"};
        QTest::newRow("fraction") << 3 << "1/3" << QStringList{"2", "3", " kg"};
    }
    void WrongFinalShowsTheAnswer()
    {
        QFETCH(int, kind);
        QFETCH(QString, typed);
        QFETCH(QStringList, answer);
        Run run(6);
        run.s.AttemptsAllowed = 1;
        run.s.ExpectedInt = 42;
        run.s.ExpectedReal = 3.14159;
        run.s.AnswerDecimals = 2;
        run.s.ExpectedFraction = Fraction{1, 0, 2, 3};
        run.s.AnswerUnit = QStringLiteral(" kg");
        run.Ask(kind);
        QCOMPARE(run.Answer(typed), AnswerOutcome::Marked);
        const qsizetype at = run.log.Texts.indexOf(QStringLiteral("Het antwoord was: "));
        QVERIFY(at > 0);
        QCOMPARE(run.log.Texts.mid(at + 1), answer);
        QCOMPARE(run.log.Colours.last(), QStringLiteral("#ff0000"));
    }
};

QTEST_MAIN(TestMarking)
#include "tst_marking.moc"
