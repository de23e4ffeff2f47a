// Theme 19: the packs posed, the price per gram compared exactly, the boxes drawn to scale
// and the worked explanation.
#include "session/marking.h"
#include "support/themerig.h"
#include "themes/percentages/pack.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <QtTest>

#include <cmath>
#include <functional>
#include <set>

using namespace velmora;
using velmora::test::ThemeRig;

namespace {

// The answers in hundredths that round 100 (S G - B w) / (B w) correctly (two at a tie).
std::vector<long long> RightHundredths(long long S, long long B, long long w, long long G)
{
    const long long num = 10000 * (S * G - B * w), den = B * w;
    const long long sign = num < 0 ? -1 : 1;
    const long long q = std::llabs(num) / den, r = std::llabs(num) % den;
    if (2 * r < den)
        return {sign * q};
    if (2 * r > den)
        return {sign * (q + 1)};
    return {sign * q, sign * (q + 1)};
}

QStringList TextsOf(Bitmap& b, const std::function<void()>& draw)
{
    QStringList texts;
    b.TextObserver = [&texts](const TextEvent& e) {
        if (e.Text != QLatin1String("C"))  // the letter of a euro sign
            texts << e.Text;
    };
    draw();
    b.TextObserver = nullptr;
    return texts;
}

// The box of all pixels of the given colours between two rows.
QRect ColourBox(const Bitmap& b, int top, int bottom, const QColor& a, const QColor& c)
{
    QRect box;
    for (int y = top; y < bottom; ++y)
        for (int x = 1; x < b.Width() - 1; ++x)
            if (b.Pixel(x, y) == a || b.Pixel(x, y) == c)
                box |= QRect(x, y, 1, 1);
    return box;
}

}  // namespace

class TestPack : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void numbersPosed_data();
    void numbersPosed();
    void smallPackPrice_data();
    void smallPackPrice();
    void exerciseDrawn_data();
    void exerciseDrawn();
    void explanation();
};

void TestPack::numbersPosed_data()
{
    QTest::addColumn<int>("level");
    QTest::newRow("Starter") << 1;
    QTest::newRow("Durver") << 2;
}

// Over thousands of exercises: the ranges, a price that some surcharge gives, a new small
// weight every time, and an answer that follows exactly from the four numbers shown.
void TestPack::numbersPosed()
{
    QFETCH(int, level);
    std::set<int> Gs, ws, Bs;
    int cheaper = 0;
    for (const std::uint32_t seed : {8u, 4711u, 99991u}) {
        ThemeRig rig(BigOrSmallPack, 19, level, seed);
        int previous = 0;
        for (int i = 0; i < 1500; ++i) {
            PosePack(rig.s);
            const Session& s = rig.s;
            const int G = s.Param[pack::BigWeight], B = s.Param[pack::BigPrice];
            const int w = s.Param[pack::SmallWeight], S = s.Param[pack::SmallPrice];
            Gs.insert(G);
            ws.insert(w);
            Bs.insert(B);
            if (level == 1) {
                QCOMPARE(G, 1000);
                QVERIFY(w >= 100 && w <= 800 && w % 100 == 0);
                QVERIFY(B >= 10 && B <= 55 && B % 5 == 0);
            } else {
                QVERIFY(G >= 800 && G <= 2000 && G % 100 == 0);
                QVERIFY(w >= 250 && w <= 500 && w % 25 == 0);
                QVERIFY(B >= 10 && B <= 48 && B % 2 == 0);
            }
            QVERIFY2(w != previous, "the same small pack twice in a row");
            QCOMPARE(s.ThemeCycle[pack::PreviousWeightCounter], w);
            previous = w;
            bool fromSurcharge = false;
            for (int f = 100; f <= 119; ++f)
                fromSurcharge = fromSurcharge || S == 13LL * f * B * w / (1000LL * G);
            QVERIFY2(fromSurcharge, qPrintable(QStringLiteral("%1 %2 %3 %4").arg(G).arg(B).arg(w).arg(S)));

            const long long diff = static_cast<long long>(S) * G - static_cast<long long>(B) * w;
            QVERIFY2(10000 * std::llabs(diff) > static_cast<long long>(B) * w, "an answer of almost 0 is drawn again");
            cheaper += diff < 0;
            const double exact = 100.0 * diff / (double(B) * w);
            QVERIFY(std::abs(s.ExpectedReal - exact) <= 1e-9 * std::max(1.0, std::abs(exact)));
            const std::vector<long long> right = RightHundredths(S, B, w, G);
            for (const long long r : right)
                QVERIFY(DecimalAnswerRight(r / 100.0, s.ExpectedReal, s.RealTolerance, 2));
            QVERIFY(!DecimalAnswerRight((right.front() - 1) / 100.0, s.ExpectedReal, s.RealTolerance, 2));
            QVERIFY(!DecimalAnswerRight((right.back() + 1) / 100.0, s.ExpectedReal, s.RealTolerance, 2));
            QCOMPARE(s.AnswerDecimals, 2);
        }
    }
    QCOMPARE(int(Gs.size()), level == 1 ? 1 : 13);
    QCOMPARE(int(ws.size()), level == 1 ? 8 : 11);
    QCOMPARE(int(Bs.size()), level == 1 ? 10 : 20);
    QVERIFY2(cheaper > 0, "the small pack is sometimes cheaper per gram: a negative answer");
}

void TestPack::smallPackPrice_data()
{
    QTest::addColumn<int>("f");
    QTest::addColumn<int>("B");
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("G");
    QTest::addColumn<int>("S");
    QTest::addColumn<double>("extra");
    QTest::newRow("14.3 cut to 14") << 110 << 25 << 400 << 1000 << 14 << 40.0;
    QTest::newRow("1.3 cut to 1: no difference") << 100 << 10 << 100 << 1000 << 1 << 0.0;
    // Whole results that floating point puts a hair below the whole number.
    QTest::newRow("exactly 15") << 100 << 40 << 375 << 1300 << 15 << 30.0;
    QTest::newRow("exactly 29") << 116 << 50 << 500 << 1300 << 29 << 50.8;
    QTest::newRow("cheaper per gram") << 100 << 48 << 250 << 2000 << 7 << (7.0 * 2000 / (48 * 250) - 1) * 100;
}

void TestPack::smallPackPrice()
{
    QFETCH(int, f);
    QFETCH(int, B);
    QFETCH(int, w);
    QFETCH(int, G);
    QFETCH(int, S);
    QFETCH(double, extra);
    QCOMPARE(SmallPackPrice(f, B, w, G), S);
    QVERIFY(std::abs(SmallPackExtra(S, B, w, G) - extra) < 1e-9);
}

void TestPack::exerciseDrawn_data()
{
    numbersPosed_data();
}

// The weights and prices shown are the numbers posed; the small box is scaled by the cube
// root of the weight ratio.
void TestPack::exerciseDrawn()
{
    QFETCH(int, level);
    ThemeRig rig(BigOrSmallPack, 19, level, 321);
    for (int i = 0; i < 30; ++i) {
        QStringList picture;
        rig.s.PictureBitmap.TextObserver = [&picture](const TextEvent& e) { picture << e.Text; };
        QStringList text = TextsOf(rig.s.TextBitmap, [&] { rig.Next(); });
        const Session& s = rig.s;
        const int G = s.Param[pack::BigWeight], B = s.Param[pack::BigPrice];
        const int w = s.Param[pack::SmallWeight], S = s.Param[pack::SmallPrice];
        QVERIFY(picture.contains(QStringLiteral("Gewicht  %1 gram").arg(G)));
        QVERIFY(picture.contains(QStringLiteral("Gewicht  %1 gram").arg(w)));
        QVERIFY(picture.contains(QStringLiteral(" %1,-").arg(B)));
        QVERIFY(picture.contains(QStringLiteral(" %1,-").arg(S)));
        QCOMPARE(text, (QStringList{QStringLiteral("Hoeveel procent is het pakje"),
                                    QStringLiteral("van Jet in verhouding duurder ?")}));
        QCOMPARE(rig.view.Field.Kind, 2);
        QCOMPARE(rig.view.Field.Label, QStringLiteral("% duurder: "));
        QCOMPARE(rig.view.Field.Hint, QStringLiteral("|Hoeveel % is Jet in verhouding duurder uit ?"));
        QCOMPARE(rig.view.Field.PanelTop, Round(2.5 * LineHeight));
        QCOMPARE(s.AnswerUnit, QStringLiteral(" %"));

        const Bitmap& b = s.PictureBitmap;
        const int floor = 13 * LineHeight;
        const double k = std::cbrt(double(w) / G);
        const QRect small = ColourBox(b, Round(4.5 * LineHeight), floor + 3, clr::Red, clr::Yellow);
        // The outline, Round(ScaleFactor) wide, may stand a pixel or two outside the corners.
        const int slack = Round(ScaleFactor) + 1;
        QVERIFY(std::abs(small.left() - PctX(57)) <= slack);
        QVERIFY(std::abs(small.bottom() + 1 - floor) <= slack);
        QVERIFY2(std::abs(small.right() + 1 - (PctX(57) + k * PctX(40))) <= slack, qPrintable(QString::number(k)));
        QVERIFY2(std::abs(small.top() - (floor - k * PctX(30))) <= slack, qPrintable(QString::number(k)));
        const QRect big = ColourBox(b, Round(4.5 * LineHeight), floor + 3, clr::Blue, clr::Aqua);
        QVERIFY(std::abs(big.width() - PctX(40)) <= 2 * slack && std::abs(big.height() - PctX(30)) <= 2 * slack);
    }
}

// The whole chain in practice, the result alone in a test.
void TestPack::explanation()
{
    ThemeRig rig(BigOrSmallPack, 19, 1);
    Session& s = rig.s;
    s.Param = {1000, 25, 400, 14};
    s.ExpectedReal = SmallPackExtra(14, 25, 400, 1000);
    s.AnswerDecimals = 2;
    TextEndX = Margin;
    const QStringList practice = TextsOf(s.TextBitmap, [&] { ExplainUnitPrice(s, 8); });
    QCOMPARE(practice, (QStringList{
                           QStringLiteral("De inhoud is 40,0%"),
                           QStringLiteral("van Maik's pak."),
                           QStringLiteral("Omgerekend in Euro's: "),
                           QStringLiteral("40,0% van "),
                           QStringLiteral("25,00  =  "),
                           QStringLiteral("10,00"),
                           QStringLiteral("(dus per pakje "),
                           QStringLiteral("4,00 duurder)"),
                           QStringLiteral("In Euro-centen:"),
                           QStringLiteral("Prijs die Jet betaalde"),
                           QStringLiteral("Omgerekende prijs"),
                           QStringLiteral(" = "),
                           QStringLiteral("1400"),
                           QStringLiteral("1000"),
                           QStringLiteral(" ~"),
                           QStringLiteral(" ~"),
                           QStringLiteral("1,4000"),
                           QStringLiteral("Dus: "),
                           QStringLiteral("Het pakje is in verhouding"),
                           QStringLiteral("40,00%"),
                           QStringLiteral(" duurder."),
                       }));

    s.SetCategory(Category::Percentages, false);
    s.Param = {2000, 48, 250, 7};
    s.ExpectedReal = SmallPackExtra(7, 48, 250, 2000);
    TextEndX = Margin;
    const QStringList test = TextsOf(s.TextBitmap, [&] { ExplainUnitPrice(s, 8); });
    QCOMPARE(test, (QStringList{QStringLiteral("Het pakje is in verhouding"), QStringLiteral("16,67%"),
                                QStringLiteral(" duurder.")}));
}

QTEST_MAIN(TestPack)
#include "tst_pack.moc"
