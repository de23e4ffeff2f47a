// Drawing and text commands, checked by pixels on small bitmaps.
#include "help/commands.h"
#include "toolkit/layout.h"
#include "toolkit/numbers.h"
#include "toolkit/text.h"

#include <QtTest>

using namespace velmora;

namespace {

// A 200 x 260 face-coloured surface with 10-pixel lines.
Bitmap Surface()
{
    Bitmap b(200, 260);
    FillBitmap(b, clr::BtnFace);
    return b;
}

void Run(const QString& source, Bitmap& target)
{
    LineQueue queue{{source, 1}};
    ScriptLine line;
    QColor pen;
    LeesRegel(queue, line, pen);
    ExecuteCommand(line, pen, target);
}

bool AnyPixelOf(const Bitmap& b, const QRect& area, const QColor& colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (b.Pixel(x, y) == colour)
                return true;
    return false;
}

// Text is anti-aliased: a pixel counts as ink of a colour when it has moved from the face
// colour towards it in every channel where the two differ clearly.
bool IsInk(const QColor& pixel, const QColor& colour)
{
    const int bg[3] = {192, 192, 192};
    const int px[3] = {pixel.red(), pixel.green(), pixel.blue()};
    const int c[3] = {colour.red(), colour.green(), colour.blue()};
    bool moved = false;
    for (int i = 0; i < 3; ++i) {
        const int want = c[i] - bg[i];
        const int got = px[i] - bg[i];
        if (std::abs(want) >= 64) {
            if (got * want <= 0 || std::abs(got) < std::abs(want) / 3)
                return false;
            moved = true;
        } else if (std::abs(got) > 40) {
            return false;
        }
    }
    return moved;
}

bool AnyInkOf(const Bitmap& b, const QRect& area, const QColor& colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (IsInk(b.Pixel(x, y), colour))
                return true;
    return false;
}

}  // namespace

class TestCommands : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        ScaleFactor = 1.0;
        Margin = 8;
        LineHeight = 10;
        PictureWidth = 200;
        PictureHeight = 260;
        RefFontSize = 7;
        TextEndX = 0;
        DecSep = QLatin1Char(',');
    }

    void BoxFieldOrder();
    void BlankMeansNoFill();
    void Pie_data();
    void Pie();
    void Circle_data();
    void Circle();
    void Quadrilateral();
    void LineAndArrow();
    void ClearBand();
    void InfoKindsByFirstSixCharacters();
    void TextContinuesWithP();
    void TextPositions_data();
    void TextPositions();
    void KeyCap_data();
    void KeyCap();
    void FractionAndPower();
    void MissingNumbers_data();
    void MissingNumbers();
};

void TestCommands::BoxFieldOrder()
{
    Bitmap b = Surface();
    // X, Y = top and bottom lines; Text, Size = left and right percentages.
    Run("5,[box],2,5,10,90,Red/Yellow,1,L", b);
    QCOMPARE(b.Pixel(20, 20), clr::Red);   // left top corner
    QCOMPARE(b.Pixel(179, 49), clr::Red);  // right and bottom edges excluded
    QCOMPARE(b.Pixel(180, 30), clr::BtnFace);
    QCOMPARE(b.Pixel(100, 50), clr::BtnFace);
    QCOMPARE(b.Pixel(19, 30), clr::BtnFace);
    QCOMPARE(b.Pixel(100, 35), clr::Yellow);
}

void TestCommands::BlankMeansNoFill()
{
    Bitmap b = Surface();
    b.Brush.Color = clr::Lime;
    Run("5,[box],2,5,10,90,Red/Blank,1,L", b);
    QCOMPARE(b.Pixel(20, 30), clr::Red);
    QCOMPARE(b.Pixel(100, 35), clr::BtnFace);
    // A single "Red" fills with red.
    Run("6,[ellips],10,10,90,20,Red,1,L", b);
    QCOMPARE(b.Pixel(100, 150), clr::Red);
}

void TestCommands::Pie_data()
{
    QTest::addColumn<QString>("angles");
    QTest::addColumn<QList<bool>>("filled");  // upper right, upper left, lower left, lower right
    QTest::newRow("0/90 upper right") << "0/90" << QList<bool>{true, false, false, false};
    QTest::newRow("90/0 the other three") << "90/0" << QList<bool>{false, true, true, true};
    QTest::newRow("180/360 lower half") << "180/360" << QList<bool>{false, false, true, true};
    QTest::newRow("decimal angles") << "45.5/134.5" << QList<bool>{false, false, false, false};
}

void TestCommands::Pie()
{
    QFETCH(QString, angles);
    QFETCH(QList<bool>, filled);
    Bitmap b = Surface();
    // Centre (100, 100), radius 30 % of 200 = 60.
    Run("5,[pie],50,10,30," + angles + ",Blue,1,R", b);
    const QPoint probes[] = {{130, 80}, {70, 80}, {70, 120}, {130, 120}};
    for (int i = 0; i < 4; ++i)
        QVERIFY2((b.Pixel(probes[i].x(), probes[i].y()) == clr::Blue) == filled[i], qPrintable(QString::number(i)));
    if (angles == "45.5/134.5")
        QCOMPARE(b.Pixel(100, 60), clr::Blue);  // straight up lies inside
}

void TestCommands::Circle_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("radius");
    QTest::newRow("radius in lines when Text is empty") << "" << 15;  // 1.5 lines
    QTest::newRow("radius in percent of the width") << "10" << 20;
    QTest::newRow("decimal percent") << "7.5" << 15;
}

void TestCommands::Circle()
{
    QFETCH(QString, text);
    QFETCH(int, radius);
    Bitmap b = Surface();
    Run("5,[cirkel],50,10," + text + ",1.5,Green,1,R", b);
    QCOMPARE(b.Pixel(100 + radius - 3, 100), clr::Green);
    QCOMPARE(b.Pixel(100 + radius + 2, 100), clr::BtnFace);
    QCOMPARE(b.Pixel(100, 100 - radius + 3), clr::Green);
    QCOMPARE(b.Pixel(100, 100 - radius - 2), clr::BtnFace);
}

void TestCommands::Quadrilateral()
{
    Bitmap b = Surface();
    Run("5,[4hoek],10/2,50/2,50/6,10/6,Black/Aqua,1,L", b);
    QCOMPARE(b.Pixel(50, 40), clr::Aqua);
    QCOMPARE(b.Pixel(20, 20), clr::Black);
    QCOMPARE(b.Pixel(150, 40), clr::BtnFace);
}

void TestCommands::LineAndArrow()
{
    Bitmap b = Surface();
    Run("5,[lijn],10,2,90,2,Purple,1,L", b);
    QCOMPARE(b.Pixel(100, 20), clr::Purple);
    QCOMPARE(b.Pixel(100, 22), clr::BtnFace);
    Run("6,[pijl],10,10,90,10,Red,1,L", b);
    QCOMPARE(b.Pixel(50, 100), clr::Red);
    // The head is wider than the shaft near the tip.
    QVERIFY(AnyPixelOf(b, QRect(172, 96, 4, 2), clr::Red));
    QVERIFY(!AnyPixelOf(b, QRect(100, 96, 4, 2), clr::Red));
}

void TestCommands::ClearBand()
{
    Bitmap b(200, 260);
    FillBitmap(b, clr::Yellow);
    Run("5,[schoon],2,4,,,,,L", b);
    QCOMPARE(b.Pixel(100, 30), clr::BtnFace);
    QCOMPARE(b.Pixel(100, 20), clr::Yellow);  // the band starts one pixel below the line
    QCOMPARE(b.Pixel(100, 45), clr::Yellow);
    QCOMPARE(b.Pixel(0, 30), clr::Yellow);  // the border column stays
}

void TestCommands::InfoKindsByFirstSixCharacters()
{
    const QStringList kinds{"breuk*", "breuk+", "breuk-", "breuk/", "breuk%", "breuk+x"};
    QList<QImage> images;
    for (const QString& kind : kinds) {
        Bitmap b(400, 260);
        PictureWidth = 400;
        FillBitmap(b, clr::BtnFace);
        Run("5,[info],2,12," + kind + ",1,Blue,Yellow,R", b);
        QCOMPARE(b.Pixel(20, 20), clr::Blue);     // frame at 5 % of the width
        QCOMPARE(b.Pixel(21, 100), clr::Blue);    // two pixels wide at this scale
        QCOMPARE(b.Pixel(25, 100), clr::Yellow);  // filled with the style colour
        QCOMPARE(b.Pixel(19, 100), clr::BtnFace);
        images << b.Image();
    }
    const QRect inside(24, 24, 350, 90);
    auto hasInk = [&](int i) {
        Bitmap b;
        b.Assign(images[i]);
        return AnyPixelOf(b, inside, clr::Blue);
    };
    for (int i = 0; i < 4; ++i)
        QVERIFY2(hasInk(i), qPrintable(kinds[i]));
    QVERIFY(!hasInk(4));             // an unknown kind draws only the frame
    QCOMPARE(images[5], images[1]);  // only six characters count
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j)
            QVERIFY(images[i] != images[j]);
}

void TestCommands::TextContinuesWithP()
{
    Bitmap b = Surface();
    Run("5,Tekst,l,2,Hallo,1,Red,,L", b);
    const int end = TextEndX;
    QVERIFY(end > Margin);
    Run("6,Tekst,p,2,daar,1,Blue,,L", b);
    const QRect row(0, 20, 200, 10);
    QVERIFY(!AnyInkOf(b, QRect(0, 20, end, 10), clr::Blue));
    QVERIFY(AnyInkOf(b, QRect(end, 20, 6, 10), clr::Blue));
    QVERIFY(AnyInkOf(b, row, clr::Red));
    QVERIFY(TextEndX > end);
    QCOMPARE(TextRowY, 20);
}

void TestCommands::TextPositions_data()
{
    QTest::addColumn<QString>("x");
    QTest::addColumn<QString>("tag");
    QTest::newRow("left") << "l"
                          << "Tekst";
    QTest::newRow("right") << "r"
                           << "Tekst";
    QTest::newRow("centred") << "c"
                             << "Tekst";
    QTest::newRow("unknown word: left margin") << "q"
                                               << "Tekst";
    QTest::newRow("right, bold") << "r"
                                 << "Vet";
    QTest::newRow("right, euro") << "r"
                                 << "[euro]";
}

void TestCommands::TextPositions()
{
    QFETCH(QString, x);
    QFETCH(QString, tag);
    Bitmap b = Surface();
    const bool bold = tag == "Vet";
    const QString command = tag == "[euro]" ? tag : QStringLiteral("Tekst");
    TextEndX = 77;
    Run("5," + command + "," + x + ",3,Breuken,1.5,Black," + (bold ? "Vet" : "") + ",L", b);
    b.Font.Size = Round(1.5 * RefFontSize);
    b.Font.Bold = bold;
    const int w = b.TextWidth("Breuken");
    if (x == "r" && command == "Tekst")
        QCOMPARE(TextEndX, 200 - Margin);
    else if (x == "c")
        QCOMPARE(TextEndX, (200 - w) / 2 + w);
    else if (x == "l" || x == "q")
        QCOMPARE(TextEndX, Margin + w);
    else
        QVERIFY(TextEndX > 200 - Margin);  // the euro sign comes on top of the measured text
}

void TestCommands::KeyCap_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<int>("frame");
    QTest::newRow("plain frame") << "" << 1;
    QTest::newRow("Vet: twice as heavy") << "Vet" << 2;
}

void TestCommands::KeyCap()
{
    QFETCH(QString, style);
    QFETCH(int, frame);
    Bitmap b = Surface();
    Run("5,[knop],l,3,OK,1,Black/Yellow," + style + ",L", b);
    const int top = 30;
    for (int i = 0; i < frame; ++i)
        QCOMPARE(b.Pixel(Margin + 4, top + i), clr::Black);
    QVERIFY(b.Pixel(Margin + 4, top + frame) != clr::Black);
    b.Font.Size = RefFontSize;
    b.Font.Bold = style == "Vet";
    const int right = Margin + b.TextWidth("OK  ");
    QCOMPARE(b.Pixel(right - 1, top + 5), clr::Black);
    QCOMPARE(b.Pixel(right + 1, top + 5), clr::BtnFace);
    QCOMPARE(b.Pixel(right - 3, top + 5), clr::Yellow);
    QCOMPARE(b.Pixel(Margin - 1, top + 5), clr::BtnFace);
    QVERIFY(AnyInkOf(b, QRect(Margin + 2, top + 2, 30, 6), clr::Black));  // the label
    QVERIFY(TextEndX >= Margin + b.TextWidth(" OK") + b.TextWidth("  "));
}

void TestCommands::FractionAndPower()
{
    Bitmap b = Surface();
    Run("5,[breuk],l,5,3/4,1,Blue,,L", b);
    const int afterFraction = TextEndX;
    QVERIFY(afterFraction > Margin);
    QVERIFY(AnyInkOf(b, QRect(Margin, 40, afterFraction - Margin, 30), clr::Blue));
    Run("6,[macht],l,10,10,1,Red,2,L", b);
    const int afterPower = TextEndX;
    Run("7,[breukmacht],l,15,2/3,1,Green,2,L", b);
    QVERIFY(TextEndX > Margin);
    QVERIFY(afterPower > Margin);
    // The exponent stands higher than the main text.
    QVERIFY(AnyInkOf(b, QRect(Margin, 95, 200 - Margin, 4), clr::Red));
    Run("8,[ongeveer],l,20,3,1,Black,,L", b);
    QVERIFY(AnyInkOf(b, QRect(Margin, 195, 40, 15), clr::Black));
}

void TestCommands::MissingNumbers_data()
{
    QTest::addColumn<QString>("source");
    QTest::newRow("box without pen width") << "5,[box],2,5,10,90,Red,,L";
    QTest::newRow("box left not a number") << "5,[box],2,5,links,90,Red,1,L";
    QTest::newRow("ellipse bottom missing") << "5,[ellips],2,5,10,,Red,1,L";
    QTest::newRow("circle without any radius") << "5,[cirkel],50,5,,,Red,1,L";
    QTest::newRow("arc radius missing") << "5,[arc],50,5,,0/90,Red,1,L";
    QTest::newRow("arc angle not a number") << "5,[arc],50,5,20,0/x,Red,1,L";
    QTest::newRow("line end missing") << "5,[lijn],10,2,,2,Red,1,L";
    QTest::newRow("arrow width missing") << "5,[pijl],10,2,90,2,Red,,L";
    QTest::newRow("4hoek point missing a half") << "5,[4hoek],10/2,50/,50/6,10/6,Red,1,L";
    QTest::newRow("clear band without lines") << "5,[schoon],,,,,,,L";
    QTest::newRow("info without size") << "5,[info],2,12,breuk+,,Blue,Yellow,R";
    QTest::newRow("text without line") << "5,Tekst,l,,Hallo,1,Red,,L";
    QTest::newRow("text size negative") << "5,Tekst,l,2,Hallo,-1,Red,,L";
    QTest::newRow("text size enormous") << "5,[knop],l,2,OK,300,Red,,L";
}

void TestCommands::MissingNumbers()
{
    QFETCH(QString, source);
    Bitmap b = Surface();
    QVERIFY_THROWS_EXCEPTION(ScriptError, Run(source, b));
}

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
