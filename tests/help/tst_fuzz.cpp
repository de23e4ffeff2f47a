// Thousands of random and mutated script lines, from a fixed seed: the reader and the
// runner must neither crash nor hang, and every failure must come as one message.
#include "help/runner.h"
#include "support/helpfixture.h"
#include "toolkit/layout.h"

#include <QtTest>

#include <random>

using namespace velmora;

namespace {

// Waits pass a second of fake time per round, so a fuzzed "[wait]" of hours stays quick.
class FastView : public test::HeadlessHelpView {
public:
    void ProcessEvents() override { Now += 1000; }
};

const QStringList Seeds{"10,Tekst,l,1,'Hallo, wereld',1,Black,,L",
                        "11,Tekst,p,1,daar,1.2,Red,Vet,L",
                        "12,[box],2,5,10,90,Red/Yellow,1,R",
                        "13,[4hoek],10/2,50/2,50/6,10/6,Black/Aqua,1,R",
                        "14,[ellips],10,2,90,8,Blue/Blank,2,R",
                        "15,[cirkel],50,10,,1.5,Green,1,R",
                        "16,[pie],50,10,30,0/90,Blue,1,R",
                        "17,[arc],50,10,30,90/0,Red,2,R",
                        "18,[lijn],10,2,90,2,Purple,1,R",
                        "19,[pijl],10,10,90,12,Red,1,R",
                        "20,[schoon],2,4,,,,,L",
                        "21,[info],2,12,breuk+,1,Blue,Yellow,R",
                        "22,[breuk],l,5,3/4,1,Blue,,L",
                        "23,[breukmacht],p,5,2/3,1,Green,2,L",
                        "24,[macht],l,7,10,1,Red,3,L",
                        "25,[knop],c,9,OK,1,Black/Yellow,Vet,L",
                        "26,[ongeveer],r,11,3.5,1,Black,,L",
                        "27,[euro],l,13,'2,50',1,Blue,Vet,L",
                        "28,[pos],1/2,3,midden,1,Black,,L",
                        "29,[wait],0.5",
                        "30,[toets]",
                        "999,[end]"};

const QString Alphabet = QStringLiteral("0123456789,./'-+[]eE lprcRL\xe9\x80VetBlackRed");

QString Mutate(QString s, std::mt19937& rng)
{
    std::uniform_int_distribution<int> kind(0, 5);
    const int rounds = 1 + int(rng() % 4);
    for (int r = 0; r < rounds; ++r) {
        const int pos = s.isEmpty() ? 0 : int(rng() % s.size());
        switch (kind(rng)) {
            case 0:
                s.remove(pos, 1 + int(rng() % 3));
                break;
            case 1:
                s.insert(pos, Alphabet.at(int(rng() % Alphabet.size())));
                break;
            case 2:
                if (!s.isEmpty())
                    s[pos] = Alphabet.at(int(rng() % Alphabet.size()));
                break;
            case 3:
                s.insert(pos, QString::number(double(rng()) * ((rng() % 2) ? 1e-3 : 1e3)));
                break;
            case 4:
                s = s.left(pos);
                break;
            default:
                s.insert(pos, Seeds.at(int(rng() % Seeds.size())).section(',', 2, 4));
                break;
        }
    }
    return s;
}

QString RandomLine(std::mt19937& rng)
{
    QString s;
    const int n = int(rng() % 60);
    for (int i = 0; i < n; ++i)
        s += QChar(ushort(rng() % 2 ? Alphabet.at(int(rng() % Alphabet.size())).unicode() : rng() % 0x2100));
    return s;
}

}  // namespace

class TestFuzz : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { test::SetHelpLayout(); }
    void ParserSurvivesAnything();
    void RunnerSurvivesMutatedScripts_data();
    void RunnerSurvivesMutatedScripts();
};

void TestFuzz::ParserSurvivesAnything()
{
    std::mt19937 rng(20030801);
    ScriptLine line;
    QColor pen;
    for (int i = 0; i < 20000; ++i) {
        LineQueue queue{{i % 2 ? RandomLine(rng) : Mutate(Seeds.at(i % Seeds.size()), rng), 1}};
        LeesRegel(queue, line, pen);
        QVERIFY(queue.empty());
        QVERIFY(pen.isValid());
    }
}

void TestFuzz::RunnerSurvivesMutatedScripts_data()
{
    QTest::addColumn<unsigned>("seed");
    QTest::addColumn<int>("topic");
    for (unsigned seed = 1; seed <= 8; ++seed)
        QTest::addRow("seed %u", seed) << seed << int(seed % 2);
}

void TestFuzz::RunnerSurvivesMutatedScripts()
{
    QFETCH(unsigned, seed);
    QFETCH(int, topic);
    std::mt19937 rng(seed);
    FastView view;
    HelpRunner runner(view);
    runner.PrepareSurfaces(test::TextSurfaceSize(), test::PictureSurfaceSize());
    runner.HelpTopic = topic;
    test::MessageCatcher messages;
    QString script;
    const int lines = 600;
    for (int i = 0; i < lines; ++i) {
        QString l = (rng() % 4 == 0) ? RandomLine(rng) : Mutate(Seeds.at(int(rng() % (Seeds.size() - 1))), rng);
        l.remove(QLatin1String("[end]"));
        script += l + QStringLiteral("\r\n");
    }
    runner.LoadScript(script, QStringLiteral("fuzz.txt"));
    int runs = 0;
    HelpRunner::RunEnd end = HelpRunner::RunEnd::Toets;
    std::size_t before = runner.Queue().size() + 1;
    while (end != HelpRunner::RunEnd::End && !runner.Queue().empty()) {
        QVERIFY(runner.Queue().size() < before);  // every run takes at least one line
        before = runner.Queue().size();
        const int messagesBefore = messages.Messages.size();
        end = runner.Doorgaan();
        QCOMPARE(messages.Messages.size(), messagesBefore + (end == HelpRunner::RunEnd::Error ? 1 : 0));
        QVERIFY(!runner.Running());
        ++runs;
    }
    QVERIFY(runs > 10);
    QVERIFY(runs <= lines);
    // Errors name the file and stop the run with Doorgaan hidden.
    for (const QString& m : messages.Messages)
        QVERIFY2(m.startsWith(QLatin1String("Fout in het helpbestand fuzz.txt")), qPrintable(m));
}

QTEST_MAIN(TestFuzz)
#include "tst_fuzz.moc"
