// Reading help scripts: the line grammar, colours, numbers, the code page and files.
#include "help/script.h"
#include "support/helpfixture.h"
#include "toolkit/layout.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace velmora;

class TestScript : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { DecSep = QLatin1Char(','); }

    void ParsesFields_data();
    void ParsesFields();
    void ShortLineKeepsEarlierFields();
    void ColourNames_data();
    void ColourNames();
    void Numbers_data();
    void Numbers();
    void NumbersWithPointSeparator();
    void Windows1252();
    void SplitsLinesAndStopsAtEnd_data();
    void SplitsLinesAndStopsAtEnd();
    void LeesFileReadsCodePage();
    void MissingFileSaysFoutjeAndKeepsQueue();
    void EmptyQueueIsAnError();
};

void TestScript::ParsesFields_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QStringList>("fields");  // LineNo .. Target
    QTest::addColumn<QColor>("pen");

    QTest::newRow("quoted text keeps its comma")
        << "120,Tekst,l,2.5,'3,5 kg',1.2,Red/Yellow,Vet,R"
        << QStringList{"120", "Tekst", "l", "2,5", "3,5 kg", "1,2", "Yellow", "Vet", "R"} << QColor(255, 0, 0);
    QTest::newRow("single colour is pen and fill")
        << "5,[box],2,5,10,90,Red,1,R" << QStringList{"5", "[box]", "2", "5", "10", "90", "Red", "1", "R"}
        << QColor(255, 0, 0);
    QTest::newRow("Blank fill keeps the pen")
        << "6,[box],2,5,10,90,Red/Blank,1,R" << QStringList{"6", "[box]", "2", "5", "10", "90", "Blank", "1", "R"}
        << QColor(255, 0, 0);
    QTest::newRow("lower-case red is white")
        << "7,Tekst,l,1,hoi,1,red,,L" << QStringList{"7", "Tekst", "l", "1", "hoi", "1", "red", "", "L"}
        << QColor(255, 255, 255);
    QTest::newRow("quoted text at the very end")
        << "8,Tekst,c,3,'a, b'" << QStringList{"8", "Tekst", "c", "3", "a, b", "", "", "", ""} << QColor(255, 255, 255);
    QTest::newRow("unclosed quote takes the rest")
        << "9,Tekst,c,3,'a, b,1" << QStringList{"9", "Tekst", "c", "3", "a, b,1", "", "", "", ""}
        << QColor(255, 255, 255);
    QTest::newRow("without a trailing comma the last field is the target")
        << "10,Tekst,l,1,Hallo,1,Blue" << QStringList{"10", "Tekst", "l", "1", "Hallo", "1", "", "", "Blue"}
        << QColor(255, 255, 255);
    QTest::newRow("no comma: empty line number")
        << "150[toets]" << QStringList{"", "150[toets]", "", "", "", "", "", "", ""} << QColor(255, 255, 255);
}

void TestScript::ParsesFields()
{
    QFETCH(QString, source);
    QFETCH(QStringList, fields);
    QFETCH(QColor, pen);
    LineQueue queue{{source, 1}};
    ScriptLine line;
    QColor penColour;
    LeesRegel(queue, line, penColour);
    const QStringList got{line.LineNo, line.Command, line.X,     line.Y,     line.Text,
                          line.Size,   line.Colour,  line.Style, line.Target};
    QCOMPARE(got, fields);
    QCOMPARE(penColour, pen);
    QVERIFY(queue.empty());
}

void TestScript::ShortLineKeepsEarlierFields()
{
    LineQueue queue{{"120,Tekst,l,2,'3,5 kg',1,Red/Yellow,Vet,R", 1}, {"150,[toets]", 2}};
    ScriptLine line;
    QColor pen;
    LeesRegel(queue, line, pen);
    LeesRegel(queue, line, pen);
    QCOMPARE(line.LineNo, QString("150"));
    QCOMPARE(line.Command, QString("[toets]"));
    QCOMPARE(line.Text, QString("3,5 kg"));
    QCOMPARE(line.Target, QString("R"));
    QCOMPARE(line.Style, QString("Vet"));
    // The colour field now holds only the fill, which becomes the pen of the short line.
    QCOMPARE(pen, QColor(255, 255, 0));
}

void TestScript::ColourNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("Blue") << "Blue" << QColor(0, 0, 255);
    QTest::newRow("Red") << "Red" << QColor(255, 0, 0);
    QTest::newRow("Black") << "Black" << QColor(0, 0, 0);
    QTest::newRow("Yellow") << "Yellow" << QColor(255, 255, 0);
    QTest::newRow("Fuchsia") << "Fuchsia" << QColor(255, 0, 255);
    QTest::newRow("Purple") << "Purple" << QColor(128, 0, 128);
    QTest::newRow("Olive") << "Olive" << QColor(128, 128, 0);
    QTest::newRow("Lime") << "Lime" << QColor(0, 255, 0);
    QTest::newRow("Aqua") << "Aqua" << QColor(0, 255, 255);
    QTest::newRow("Blank is the face colour") << "Blank" << QColor(192, 192, 192);
    QTest::newRow("Gray") << "Gray" << QColor(128, 128, 128);
    QTest::newRow("Teal") << "Teal" << QColor(0, 128, 128);
    QTest::newRow("Green is dark") << "Green" << QColor(0, 128, 0);
    QTest::newRow("Silver") << "Silver" << QColor(192, 192, 192);
    QTest::newRow("Brown") << "Brown" << QColor(128, 0, 0);
    QTest::newRow("lower case") << "blue" << QColor(255, 255, 255);
    QTest::newRow("upper case") << "RED" << QColor(255, 255, 255);
    QTest::newRow("leading space") << " Red" << QColor(255, 255, 255);
    QTest::newRow("empty") << "" << QColor(255, 255, 255);
    QTest::newRow("White is not a name") << "White" << QColor(255, 255, 255);
}

void TestScript::ColourNames()
{
    QFETCH(QString, name);
    QFETCH(QColor, colour);
    QCOMPARE(KleurVan(name), colour);
}

void TestScript::Numbers_data()
{
    QTest::addColumn<QString>("field");  // as read from the file, before ZetDecimaal
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("value");
    QTest::newRow("point decimal") << "3.5" << true << 3.5;
    QTest::newRow("integer") << "12" << true << 12.0;
    QTest::newRow("negative") << "-0.25" << true << -0.25;
    QTest::newRow("spaces around") << " 2.5 " << true << 2.5;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("blank") << "  " << false << 0.0;
    QTest::newRow("word") << "Vet" << false << 0.0;
    QTest::newRow("trailing garbage") << "3.5x" << false << 0.0;
    QTest::newRow("two points") << "1.2.3" << false << 0.0;
    QTest::newRow("not a number") << "nan" << false << 0.0;
    QTest::newRow("infinite") << "inf" << false << 0.0;
    QTest::newRow("far too large") << "1e300" << false << 0.0;
    QTest::newRow("just too large") << "10000.5" << false << 0.0;
}

void TestScript::Numbers()
{
    QFETCH(QString, field);
    QFETCH(bool, valid);
    QFETCH(double, value);
    try {
        const double got = ScriptNumber(ZetDecimaal(field), QStringLiteral("x"));
        QVERIFY2(valid, qPrintable(QString("accepted %1 as %2").arg(field).arg(got)));
        QCOMPARE(got, value);
    } catch (const ScriptError& e) {
        QVERIFY2(!valid, qPrintable(e.Reason()));
        QVERIFY(e.Reason().contains(QLatin1String("veld x")));
    }
}

void TestScript::NumbersWithPointSeparator()
{
    DecSep = QLatin1Char('.');
    QCOMPARE(ZetDecimaal("3.5"), QString("3.5"));
    QCOMPARE(ScriptNumber(ZetDecimaal("3.5"), "x"), 3.5);
    DecSep = QLatin1Char(',');
    QCOMPARE(ZetDecimaal("3.5"), QString("3,5"));
}

void TestScript::Windows1252()
{
    const QByteArray bytes("\x80\x81\x93\x9f\xb7\xe9\xeb\x41", 8);
    const QString text = DecodeWindows1252(bytes);
    QCOMPARE(text, QString::fromUtf8("\u20ac\u0081\u201c\u0178\u00b7\u00e9\u00eb"
                                     "A"));
    QCOMPARE(EncodeWindows1252(text), bytes);
    QCOMPARE(EncodeWindows1252(QString::fromUtf8("\u2200")), QByteArray("?"));
}

void TestScript::SplitsLinesAndStopsAtEnd_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("CR LF, stops after [end]") << "1,a\r\n2,b\r\n999,[end]\r\n3,c\r\n"
                                              << QStringList{"1,a", "2,b", "999,[end]"};
    QTest::newRow("[end] anywhere in a line") << "1,a,'zie [end] hier'\r\n2,b\r\n"
                                              << QStringList{"1,a,'zie [end] hier'"};
    QTest::newRow("without [end]: to the end of the file") << "1,a\r\n2,b" << QStringList{"1,a", "2,b"};
    QTest::newRow("bare LF and CR") << "1,a\n2,b\r3,c\r\n" << QStringList{"1,a", "2,b", "3,c"};
    QTest::newRow("empty line kept") << "1,a\r\n\r\n2,b\r\n" << QStringList{"1,a", "", "2,b"};
    QTest::newRow("empty file") << "" << QStringList{};
}

void TestScript::SplitsLinesAndStopsAtEnd()
{
    QFETCH(QString, script);
    QFETCH(QStringList, lines);
    LineQueue queue;
    AppendScript(script, queue);
    QStringList got;
    int expectedFileLine = 0;
    for (const QueuedLine& l : queue) {
        got << l.Text;
        QCOMPARE(l.FileLine, ++expectedFileLine);
    }
    QCOMPARE(got, lines);
}

void TestScript::LeesFileReadsCodePage()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("demo9.txt");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("1,Tekst,l,1,'caf\xe9 \x80 5',1,Blue,,L\r\n999,[end]\r\n");
    f.close();
    LineQueue queue{{"oud", 1}};
    test::MessageCatcher messages;
    QVERIFY(LeesFile(path, queue));
    QVERIFY(messages.Messages.isEmpty());
    QCOMPARE(queue.size(), std::size_t(2));
    ScriptLine line;
    QColor pen;
    LeesRegel(queue, line, pen);
    QCOMPARE(line.Text, QString::fromUtf8("caf\u00e9 \u20ac 5"));
}

void TestScript::MissingFileSaysFoutjeAndKeepsQueue()
{
    LineQueue queue{{"1,oud", 1}};
    test::MessageCatcher messages;
    QVERIFY(!LeesFile(QStringLiteral("bestaat-niet/demo9.txt"), queue));
    QCOMPARE(messages.Messages, QStringList{"Foutje"});
    QCOMPARE(queue.size(), std::size_t(1));
    QCOMPARE(queue.front().Text, QString("1,oud"));
}

void TestScript::EmptyQueueIsAnError()
{
    LineQueue queue;
    ScriptLine line;
    QColor pen;
    QVERIFY_THROWS_EXCEPTION(ScriptError, LeesRegel(queue, line, pen));
}

QTEST_MAIN(TestScript)
#include "tst_script.moc"
