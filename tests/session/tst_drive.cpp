// The headless driver as a separate program: one JSON line per command.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

namespace {

class Drive {
public:
    // scale: the value of QT_SCALE_FACTOR for the driver; empty for none (device pixel ratio 1).
    explicit Drive(const QString& scale = QString())
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_ENABLE_HIGHDPI_SCALING"})
            env.remove(QString::fromLatin1(name));
        if (!scale.isEmpty())
            env.insert(QStringLiteral("QT_SCALE_FACTOR"), scale);
        process_.setProcessEnvironment(env);
        process_.setProgram(QCoreApplication::applicationDirPath() + QStringLiteral("/velmora-drive"));
        process_.start();
    }
    ~Drive()
    {
        process_.closeWriteChannel();
        process_.waitForFinished(5000);
    }
    bool Started() { return process_.waitForStarted(5000); }
    QJsonObject Send(const QString& command)
    {
        process_.write(command.toUtf8() + '\n');
        while (!process_.canReadLine())
            if (!process_.waitForReadyRead(10000))
                return QJsonObject{{QStringLiteral("error"), QStringLiteral("no answer to ") + command}};
        return QJsonDocument::fromJson(process_.readLine()).object();
    }

private:
    QProcess process_;
};

QStringList Texts(const QJsonObject& state)
{
    QStringList texts;
    for (const QJsonValue& v : state[QStringLiteral("texts")].toArray())
        texts << v[QStringLiteral("text")].toString();
    return texts;
}

// The expected fraction as a pupil would type it.
QString Typed(const QJsonObject& fraction)
{
    const int whole = fraction[QStringLiteral("Whole")].toInt();
    const int num = fraction[QStringLiteral("Num")].toInt();
    const int den = fraction[QStringLiteral("Den")].toInt();
    QString text = fraction[QStringLiteral("Sign")].toInt() < 0 ? QStringLiteral("-") : QString();
    if (whole != 0)
        text += QString::number(whole) + (num != 0 ? QStringLiteral(" ") : QString());
    if (num != 0)
        text += QStringLiteral("%1/%2").arg(num).arg(den);
    return text;
}

// A right answer as a pupil types it, for any answer kind.
QString RightAnswer(const QJsonObject& s)
{
    switch (s[QStringLiteral("AnswerKind")].toInt()) {
        case 1:
            return QString::number(s[QStringLiteral("ExpectedInt")].toInt());
        case 2:
            return QString::number(s[QStringLiteral("ExpectedReal")].toDouble(), 'f', 2)
                .replace(QLatin1Char('.'), QLatin1Char(','));
        default:
            return Typed(s[QStringLiteral("ExpectedFraction")].toObject());
    }
}

QString WrongAnswer(const QJsonObject& s)
{
    switch (s[QStringLiteral("AnswerKind")].toInt()) {
        case 1:
            return QString::number(s[QStringLiteral("ExpectedInt")].toInt() + 37);
        case 2:
            return QString::number(s[QStringLiteral("ExpectedReal")].toDouble() + 1.5, 'f', 2)
                .replace(QLatin1Char('.'), QLatin1Char(','));
        default:
            return QStringLiteral("1/997");
    }
}

// The expected fraction doubled in numerator and denominator: right, but not simplified.
QString Unsimplified(const QJsonObject& fraction)
{
    const int whole = fraction[QStringLiteral("Whole")].toInt();
    const int num = fraction[QStringLiteral("Num")].toInt();
    const int den = fraction[QStringLiteral("Den")].toInt();
    return QStringLiteral("%1/%2").arg(2 * (whole * den + num)).arg(2 * den);
}

}  // namespace

class TestDrive : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void CommandsThatCannotRun_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("command");
        QTest::newRow("unknown") << QStringList{} << "fly";
        QTest::newRow("start without mode") << QStringList{} << "start";
        QTest::newRow("start with nothing ticked") << QStringList{"mode practice fractions"} << "start";
        QTest::newRow("tick a hidden box") << QStringList{"mode practice fractions"} << "tick 10";
        QTest::newRow("level 3 in percentages") << QStringList{"mode test percentages"} << "level 3";
        QTest::newRow("level in mixed mode") << QStringList{"mode mixed"} << "level 2";
        QTest::newRow("continue on setup") << QStringList{"mode test calculator"} << "continue";
        QTest::newRow("answer on setup") << QStringList{"mode test calculator"} << "answer 5";
        QTest::newRow("mode without category") << QStringList{} << "mode practice";
        QTest::newRow("seed not a number") << QStringList{} << "seed many";
    }
    void CommandsThatCannotRun()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, command);
        Drive drive;
        QVERIFY(drive.Started());
        for (const QString& c : before)
            QVERIFY(!drive.Send(c).contains(QStringLiteral("error")));
        const QJsonObject state = drive.Send(QStringLiteral("state"));
        const QJsonObject answer = drive.Send(command);
        QVERIFY(answer.contains(QStringLiteral("error")));
        QCOMPARE(answer.size(), 1);
        QJsonObject after = drive.Send(QStringLiteral("state"));
        for (const char* key : {"ThemeCode", "Running", "Level", "TickedCount", "Score", "Attempt"})
            QCOMPARE(after[QLatin1String(key)], state[QLatin1String(key)]);
    }

    void PracticeRun()
    {
        Drive drive;
        QVERIFY(drive.Started());
        drive.Send(QStringLiteral("seed 11"));
        QJsonObject s = drive.Send(QStringLiteral("mode practice fractions"));
        QCOMPARE(s[QStringLiteral("SessionTitle")].toString(), QStringLiteral(" Oefenen met Breuken"));
        QVERIFY(Texts(s).contains(QStringLiteral("Kies het juiste ")));
        const QJsonObject first = s[QStringLiteral("texts")].toArray().first().toObject();
        QCOMPARE(first[QStringLiteral("colour")].toString(), QStringLiteral("#000000"));
        QCOMPARE(first[QStringLiteral("target")].toString(), QStringLiteral("text"));
        QCOMPARE(first[QStringLiteral("x")].toInt(), 13);
        QVERIFY(drive.Send(QStringLiteral("state"))[QStringLiteral("texts")].toArray().isEmpty());

        drive.Send(QStringLiteral("tick 4"));
        s = drive.Send(QStringLiteral("start"));
        QCOMPARE(s[QStringLiteral("ThemeCode")].toInt(), 4);
        QCOMPARE(s[QStringLiteral("Running")].toBool(), true);
        QCOMPARE(s[QStringLiteral("Score")].toString(), QStringLiteral("000 uit 000"));
        QCOMPARE(s[QStringLiteral("AnswerKind")].toInt(), 3);
        QCOMPARE(s[QStringLiteral("Attempt")].toInt(), 1);
        QCOMPARE(s[QStringLiteral("Param")].toArray().size(), 13);
        QCOMPARE(s[QStringLiteral("ThemeMemory")].toArray().size(), 30);
        const QString right = Typed(s[QStringLiteral("ExpectedFraction")].toObject());

        s = drive.Send(QStringLiteral("answer 7"));
        QCOMPARE(s[QStringLiteral("messages")].toArray(),
                 QJsonArray{QStringLiteral("Foutieve invoer !\rGeef een breuk in !")});
        QCOMPARE(s[QStringLiteral("Attempt")].toInt(), 1);

        s = drive.Send(QStringLiteral("answer ") + right);
        QCOMPARE(s[QStringLiteral("Points")].toInt(), 6);
        QCOMPARE(s[QStringLiteral("Score")].toString(), QStringLiteral("006 uit 001"));
        QVERIFY(Texts(s).contains(QStringLiteral("Prima !")));
        QVERIFY(Texts(s).contains(QStringLiteral("6 punten erbij.")));
        QCOMPARE(s[QStringLiteral("ContinueVisible")].toBool(), true);

        QVERIFY(!drive.Send(QStringLiteral("continue")).contains(QStringLiteral("error")));
        QVERIFY(drive.Send(QStringLiteral("continue")).contains(QStringLiteral("error")));

        s = drive.Send(QStringLiteral("level 3"));
        QCOMPARE(s[QStringLiteral("StartVisible")].toBool(), true);
        s = drive.Send(QStringLiteral("start"));
        QCOMPARE(s[QStringLiteral("Score")].toString(), QStringLiteral("000 uit 000"));
        QCOMPARE(s[QStringLiteral("Level")].toInt(), 3);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("run.png"));
        s = drive.Send(QStringLiteral("png ") + path);
        QCOMPARE(s[QStringLiteral("png")].toString(), path);
        const QImage image(path);
        QVERIFY(!image.isNull());
        QCOMPARE(image.width(), s[QStringLiteral("width")].toInt());

        s = drive.Send(QStringLiteral("end"));
        QCOMPARE(s[QStringLiteral("Running")].toBool(), false);
    }

    // On a screen of device pixel ratio 2 the driver writes the same exercise at twice the
    // pixels: laid out alike (the same texts at the same places, fills and boxes where they were)
    // but drawn at device resolution, not enlarged.
    void HighDpiPngIsSharp()
    {
        QTemporaryDir dir;
        QImage images[2];
        QJsonArray texts[2];
        for (int i = 0; i < 2; ++i) {
            Drive drive(i == 0 ? QString() : QStringLiteral("2"));
            QVERIFY(drive.Started());
            drive.Send(QStringLiteral("seed 3"));
            drive.Send(QStringLiteral("mode practice percentages"));
            drive.Send(QStringLiteral("tick 1"));
            const QJsonObject s = drive.Send(QStringLiteral("start"));
            QVERIFY2(s[QStringLiteral("Running")].toBool(), "an exercise is shown");
            texts[i] = s[QStringLiteral("texts")].toArray();
            const QString path = dir.filePath(QStringLiteral("ratio%1.png").arg(i + 1));
            const QJsonObject png = drive.Send(QStringLiteral("png ") + path);
            QCOMPARE(png[QStringLiteral("ratio")].toDouble(), i + 1.0);
            images[i] = QImage(path).convertToFormat(QImage::Format_RGB32);
            QVERIFY(!images[i].isNull());
            QCOMPARE(images[i].width(), png[QStringLiteral("width")].toInt());
        }
        const QImage &one = images[0], &two = images[1];
        QCOMPARE(two.size(), 2 * one.size());
        QVERIFY(texts[0].size() > 3);
        QCOMPARE(texts[1], texts[0]);

        // Each layout pixel against the device pixels that show it: most match one of its four
        // (the same layout), many blocks of four are not one colour (not an enlarged copy).
        int matching = 0, mixed = 0;
        for (int y = 0; y < one.height(); ++y)
            for (int x = 0; x < one.width(); ++x) {
                const QRgb block[4] = {two.pixel(2 * x, 2 * y), two.pixel(2 * x + 1, 2 * y),
                                       two.pixel(2 * x, 2 * y + 1), two.pixel(2 * x + 1, 2 * y + 1)};
                if (std::find(std::begin(block), std::end(block), one.pixel(x, y)) != std::end(block))
                    ++matching;
                if (std::count(std::begin(block), std::end(block), block[0]) != 4)
                    ++mixed;
            }
        const int pixels = one.width() * one.height();
        QVERIFY2(matching > pixels * 97 / 100, qPrintable(QStringLiteral("%1 of %2").arg(matching).arg(pixels)));
        QVERIFY2(mixed > 1000, qPrintable(QStringLiteral("%1 mixed blocks").arg(mixed)));
    }

    void PizzaEstimateOneAttempt()
    {
        Drive drive;
        QVERIFY(drive.Started());
        drive.Send(QStringLiteral("seed 5"));
        drive.Send(QStringLiteral("mode practice percentages"));
        drive.Send(QStringLiteral("tick 4"));
        QJsonObject s = drive.Send(QStringLiteral("start"));
        QCOMPARE(s[QStringLiteral("ThemeCode")].toInt(), 14);
        QCOMPARE(s[QStringLiteral("AttemptsAllowed")].toInt(), 1);
        const int expected = s[QStringLiteral("ExpectedInt")].toInt();
        s = drive.Send(QStringLiteral("answer %1").arg(expected + 1));
        QVERIFY(Texts(s).contains(QStringLiteral("Bijna goed.")));
        QCOMPARE(s[QStringLiteral("Points")].toInt(), 6);
        drive.Send(QStringLiteral("continue"));
        s = drive.Send(QStringLiteral("state"));
        const int next = s[QStringLiteral("ExpectedInt")].toInt();
        s = drive.Send(QStringLiteral("answer %1").arg(next + 40));
        QVERIFY(Texts(s).contains(QStringLiteral("  Oei, 5 punten eraf!")));
        QCOMPARE(s[QStringLiteral("Points")].toInt(), 1);
        QCOMPARE(s[QStringLiteral("Score")].toString(), QStringLiteral("001 uit 002"));
        QCOMPARE(s[QStringLiteral("Attempt")].toInt(), 0);  // no second attempt
    }

    // The estimate of theme 3 at Durver: 1 % off earns 4 points; missing twice costs 5, down
    // to 0 and never below.
    void GrassEstimatePointsAndPenalty()
    {
        Drive drive;
        QVERIFY(drive.Started());
        drive.Send(QStringLiteral("seed 3"));
        drive.Send(QStringLiteral("mode practice fractions"));
        drive.Send(QStringLiteral("tick 3"));
        drive.Send(QStringLiteral("level 2"));
        QJsonObject s = drive.Send(QStringLiteral("start"));
        QCOMPARE(s[QStringLiteral("ThemeCode")].toInt(), 3);
        QCOMPARE(s[QStringLiteral("IntTolerance")].toInt(), 4);
        QVERIFY(Texts(s).contains(QStringLiteral("Te verdienen punten: (1e poging)")));
        s = drive.Send(QStringLiteral("answer %1").arg(s[QStringLiteral("ExpectedInt")].toInt() - 1));
        QVERIFY(Texts(s).contains(QStringLiteral("Bijna goed.")));
        QCOMPARE(s[QStringLiteral("Score")].toString(), QStringLiteral("004 uit 001"));

        s = drive.Send(QStringLiteral("continue"));
        const int expected = s[QStringLiteral("ExpectedInt")].toInt();
        s = drive.Send(QStringLiteral("answer %1").arg(expected + 20));
        QVERIFY(Texts(s).contains(QStringLiteral("Jammer! Tweede poging!")));
        QCOMPARE(s[QStringLiteral("Points")].toInt(), 4);
        s = drive.Send(QStringLiteral("continue"));
        QVERIFY(Texts(s).contains(QStringLiteral("Te verdienen punten: (2e poging)")));
        QVERIFY(Texts(s).contains(QStringLiteral(" precies goed: 4 punten")));
        s = drive.Send(QStringLiteral("answer %1").arg(expected + 20));
        QVERIFY(Texts(s).contains(QStringLiteral("  Oei, 5 punten eraf!")));
        QVERIFY(Texts(s).contains(QStringLiteral(" x 100 %  =  %1 %.").arg(expected)));
        QCOMPARE(s[QStringLiteral("Score")].toString(), QStringLiteral("000 uit 002"));
    }

    void ShoppingErrorTwoAttempts()
    {
        Drive drive;
        QVERIFY(drive.Started());
        drive.Send(QStringLiteral("seed 9"));
        drive.Send(QStringLiteral("mode practice calculator"));
        drive.Send(QStringLiteral("tick 1"));
        QJsonObject s = drive.Send(QStringLiteral("start"));
        QCOMPARE(s[QStringLiteral("ThemeCode")].toInt(), 21);
        QCOMPARE(s[QStringLiteral("AnswerKind")].toInt(), 2);
        const double expected = s[QStringLiteral("ExpectedReal")].toDouble();
        const QString wrong = QString::number(expected + 1, 'f', 2).replace(QLatin1Char('.'), QLatin1Char(','));
        s = drive.Send(QStringLiteral("answer ") + wrong);
        QVERIFY(Texts(s).contains(QStringLiteral("Jammer! Tweede poging!")));
        drive.Send(QStringLiteral("continue"));
        s = drive.Send(QStringLiteral("answer ") + wrong);
        QVERIFY(Texts(s).contains(QStringLiteral("Het antwoord was: ")));
        const QString shown = QString::number(expected, 'f', 2).replace(QLatin1Char('.'), QLatin1Char(','));
        QVERIFY2(Texts(s).join(QLatin1Char('|')).contains(shown), qPrintable(Texts(s).join(QLatin1Char('|'))));
        QCOMPARE(s[QStringLiteral("Score")].toString(), QStringLiteral("000 uit 001"));
    }

    // Skating, the sales chain and the formulas: in turn when practising, at random in a test;
    // right answers score by level, a twice wrong answer shows the bare answer.
    void CalculatorThemesMarked_data()
    {
        QTest::addColumn<bool>("practice");
        QTest::newRow("practice") << true;
        QTest::newRow("test") << false;
    }
    void CalculatorThemesMarked()
    {
        QFETCH(bool, practice);
        Drive drive;
        QVERIFY(drive.Started());
        drive.Send(QStringLiteral("seed 31"));
        drive.Send(practice ? QStringLiteral("mode practice calculator") : QStringLiteral("mode test calculator"));
        drive.Send(QStringLiteral("level 3"));
        if (practice)
            drive.Send(QStringLiteral("tick 5 6 9"));
        QJsonObject s = drive.Send(QStringLiteral("start"));
        const QList<int> ours{25, 26, 29};
        QList<int> order;
        for (int i = 0; i < 40 && order.size() < 9; ++i) {
            const int code = s[QStringLiteral("ThemeCode")].toInt();
            const int kind = s[QStringLiteral("AnswerKind")].toInt();
            const QString right = kind == 1 ? QString::number(s[QStringLiteral("ExpectedInt")].toInt())
                                            : QString::number(s[QStringLiteral("ExpectedReal")].toDouble(), 'f',
                                                              s[QStringLiteral("AnswerDecimals")].toInt())
                                                  .replace(QLatin1Char('.'), QLatin1Char(','));
            const int points = s[QStringLiteral("Points")].toInt();
            if (ours.contains(code)) {
                order << code;
                if (order.size() % 2 == 1) {
                    s = drive.Send(QStringLiteral("answer ") + right);
                    QCOMPARE(s[QStringLiteral("Points")].toInt(), points + 10);
                } else {
                    const QString wrong = kind == 1 ? QStringLiteral("-77777") : QStringLiteral("0,5");
                    drive.Send(QStringLiteral("answer ") + wrong);
                    drive.Send(QStringLiteral("continue"));
                    s = drive.Send(QStringLiteral("answer ") + wrong);
                    QVERIFY(Texts(s).contains(QStringLiteral("Het antwoord was: ")));
                    QVERIFY2(Texts(s).contains(right + s[QStringLiteral("AnswerUnit")].toString()),
                             qPrintable(Texts(s).join(QLatin1Char('|'))));
                    QCOMPARE(s[QStringLiteral("Points")].toInt(), points);
                }
                QVERIFY(s[QStringLiteral("messages")].toArray().isEmpty());
            } else {
                QVERIFY(!practice);
                drive.Send(QStringLiteral("answer ") + right);
            }
            drive.Send(QStringLiteral("continue"));
            s = drive.Send(QStringLiteral("state"));
        }
        QCOMPARE(order.size(), 9);
        if (practice)
            QCOMPARE(order, (QList<int>{25, 26, 29, 25, 26, 29, 25, 26, 29}));
        else
            QVERIFY(order.contains(25) && order.contains(26) && order.contains(29));
    }

    void SameSeedSameExercises()
    {
        QList<QJsonValue> params;
        for (int run = 0; run < 2; ++run) {
            Drive drive;
            QVERIFY(drive.Started());
            drive.Send(QStringLiteral("seed 2024"));
            drive.Send(QStringLiteral("mode test fractions"));
            params << drive.Send(QStringLiteral("start"))[QStringLiteral("Param")];
        }
        QCOMPARE(params[0], params[1]);
    }

    void SchemesTilesAndRiddleMarked_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("box");
        QTest::addColumn<int>("code");
        for (const QString& way : {QStringLiteral("practice"), QStringLiteral("test")}) {
            QTest::addRow("%s scheme in fractions", qPrintable(way)) << way + QStringLiteral(" fractions") << 6 << 6;
            QTest::addRow("%s tiles", qPrintable(way)) << way + QStringLiteral(" fractions") << 8 << 8;
            QTest::addRow("%s riddle", qPrintable(way)) << way + QStringLiteral(" fractions") << 9 << 9;
            QTest::addRow("%s scheme in percentages", qPrintable(way))
                << way + QStringLiteral(" percentages") << 10 << 20;
            QTest::addRow("%s compost", qPrintable(way)) << way + QStringLiteral(" calculator") << 2 << 22;
        }
    }
    // Right at once, right at the second attempt, an unsimplified fraction, and a final wrong
    // answer followed by the bare answer; a test picks other themes in between.
    void SchemesTilesAndRiddleMarked()
    {
        QFETCH(QString, mode);
        QFETCH(int, box);
        QFETCH(int, code);
        Drive drive;
        QVERIFY(drive.Started());
        drive.Send(QStringLiteral("seed 31"));
        drive.Send(QStringLiteral("mode ") + mode);
        if (mode.startsWith(QStringLiteral("practice")))
            drive.Send(QStringLiteral("tick %1").arg(box));
        QJsonObject s = drive.Send(QStringLiteral("start"));
        // Answers other themes right until this one comes up.
        const auto reach = [&] {
            for (int i = 0; i < 60 && s[QStringLiteral("ThemeCode")].toInt() != code; ++i) {
                drive.Send(QStringLiteral("answer ") + RightAnswer(s));
                s = drive.Send(QStringLiteral("continue"));
            }
            return s[QStringLiteral("ThemeCode")].toInt() == code;
        };
        const auto points = [&] { return s[QStringLiteral("Points")].toInt(); };

        QVERIFY(reach());
        int before = points();
        s = drive.Send(QStringLiteral("answer ") + RightAnswer(s));
        QVERIFY(Texts(s).contains(QStringLiteral("6 punten erbij.")));
        QCOMPARE(points(), before + 6);

        s = drive.Send(QStringLiteral("continue"));
        QVERIFY(reach());
        before = points();
        s = drive.Send(QStringLiteral("answer ") + WrongAnswer(s));
        QVERIFY(Texts(s).contains(QStringLiteral("Jammer! Tweede poging!")));
        s = drive.Send(QStringLiteral("continue"));
        QCOMPARE(s[QStringLiteral("ThemeCode")].toInt(), code);
        s = drive.Send(QStringLiteral("answer ") + RightAnswer(s));
        QCOMPARE(points(), before + 3);

        if (s[QStringLiteral("AnswerKind")].toInt() == 4) {
            s = drive.Send(QStringLiteral("continue"));
            QVERIFY(reach());
            before = points();
            s = drive.Send(QStringLiteral("answer ") + Unsimplified(s[QStringLiteral("ExpectedFraction")].toObject()));
            QVERIFY(Texts(s).contains(QStringLiteral("Goed, maar het kan nog")));
            QCOMPARE(points(), before + 3);
        }

        s = drive.Send(QStringLiteral("continue"));
        QVERIFY(reach());
        before = points();
        const QJsonObject posed = s;
        drive.Send(QStringLiteral("answer ") + WrongAnswer(s));
        drive.Send(QStringLiteral("continue"));
        s = drive.Send(QStringLiteral("answer ") + WrongAnswer(s));
        QCOMPARE(points(), before);
        const QStringList texts = Texts(s);
        const QStringList after = texts.mid(texts.indexOf(QStringLiteral("Het antwoord was: ")) + 1);
        QVERIFY(texts.contains(QStringLiteral("Het antwoord was: ")));
        if (posed[QStringLiteral("AnswerKind")].toInt() == 4) {
            const QJsonObject f = posed[QStringLiteral("ExpectedFraction")].toObject();
            const bool whole = f[QStringLiteral("Num")].toInt() == 0;
            // A named list: an initializer_list chosen by ?: loses its array before the loop runs.
            const QStringList parts = whole ? QStringList{QStringLiteral("Whole")}
                                            : QStringList{QStringLiteral("Num"), QStringLiteral("Den")};
            for (const QString& part : parts)
                QVERIFY2(after.contains(QString::number(f[part].toInt())), qPrintable(after.join(QLatin1Char('|'))));
        } else {
            QVERIFY2(after.contains(RightAnswer(posed) + QStringLiteral(" kg")),
                     qPrintable(after.join(QLatin1Char('|'))));
        }
    }

    // Outside checks read these keys: none may be lost or renamed. New keys are added here.
    void StateKeys()
    {
        const QStringList golden{"AnswerDecimals",
                                 "AnswerKind",
                                 "AnswerLine",
                                 "AnswerPending",
                                 "AnswerUnit",
                                 "Attempt",
                                 "AttemptsAllowed",
                                 "CalcButtonVisible",
                                 "Caption",
                                 "ContinueVisible",
                                 "ExercisesDone",
                                 "ExpectedFraction",
                                 "ExpectedInt",
                                 "ExpectedIntIsRounded",
                                 "ExpectedReal",
                                 "Face",
                                 "FeedbackText",
                                 "FieldText",
                                 "InfoText",
                                 "InputHint",
                                 "InputLabel",
                                 "IntTolerance",
                                 "Level",
                                 "Param",
                                 "Points",
                                 "RealTolerance",
                                 "Running",
                                 "Score",
                                 "SessionTitle",
                                 "StartEnabled",
                                 "StartVisible",
                                 "StatusHint",
                                 "ThemeCode",
                                 "ThemeMask",
                                 "ThemeMemory",
                                 "TickedCount",
                                 "WorkText",
                                 "messages",
                                 "texts"};
        Drive drive;
        QVERIFY(drive.Started());
        drive.Send(QStringLiteral("mode practice fractions"));
        drive.Send(QStringLiteral("tick 4"));
        const QJsonObject state = drive.Send(QStringLiteral("start"));
        QStringList keys = state.keys();
        keys.sort();
        QCOMPARE(keys, golden);
        const QJsonArray texts = state[QStringLiteral("texts")].toArray();
        QVERIFY(!texts.isEmpty());
        keys = texts.first().toObject().keys();
        keys.sort();
        QCOMPARE(keys, (QStringList{"bold", "colour", "size", "target", "text", "x", "y"}));
    }
};

QTEST_GUILESS_MAIN(TestDrive)
#include "tst_drive.moc"
