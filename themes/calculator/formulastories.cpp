// Theme 29: the stories behind the formulas (energy, cinema, helicopter, medicine, traffic).
// Each draws its picture with the numbers and sets the answer; its question is drawn again on
// a second attempt from the Param slots.
#include "formulas.h"

#include "session/exercise.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

namespace velmora::formulas {

namespace {

const QColor Red = clr::Red;
const QColor Blue = clr::Blue;

void Say(Bitmap& t, double line, const QString& text, const QColor& colour)
{
    DrawText(text, colour, false, Margin, line, 1, t);
}

QString Euros(int cents)
{
    return QLatin1Char(' ') + FormatFixed(cents / 100.0, 2) + QLatin1Char('.');
}

QString SexWord(int sex)
{
    return sex ? QStringLiteral("man") : QStringLiteral("vrouw");
}

// The square of a formula, raised half a line, right after the text drawn last.
void Square(Bitmap& b, double line)
{
    DrawText(QStringLiteral("2"), Red, false, TextEndX, line - 0.5, 0.8, b);
}

}  // namespace

void PoseEnergy(Exercise& s)
{
    Bitmap& b = s.PictureBitmap;
    DrawStoryTitle(b, "Niets doen kost ook energie");
    const int sex = s.Random(2);
    const int age = 25 + s.Random(51);
    const int height = 150 + 15 * sex + s.Random(40);
    const int weight = height - 115 + s.Random(30);
    s.Param[Sex] = sex;
    // In tenths of a kcal, so the answer is exact.
    const int tenths = sex ? 665 + 138 * weight + 50 * height - 68 * age : 665 + 96 * weight + 48 * height - 47 * age;
    s.ExpectedReal = tenths / 10.0;

    DrawStoryTexts(b, {
                          {3, "Het lichaam in rust gebruikt ook energie"},
                          {4.5, "Deskundigen geven daarvoor de volgende formules:", Blue},
                          {6.5, "E = 66,5 + 13,8 w + 5,0 h - 6,8 a", Red, 15},
                          {8, "E = 66,5 + 9,6 w + 4,8 h - 4,7 a", Red, 15},
                          {10, "In deze formules"},
                          {10, "E: energie in kcal per 24 uur", clr::Black, 35},
                          {11, "w: lichaamsgewicht in kg", clr::Black, 35},
                          {12, "h: lengte in cm", clr::Black, 35},
                          {13, "a: leeftijd in jaren", clr::Black, 35},
                      });
    DrawText(QStringLiteral("(mannen)"), Red, false, -2, 6.5, 1, b);
    DrawText(QStringLiteral("(vrouwen)"), Red, false, -2, 8, 1, b);
    Say(b, 15, QStringLiteral("Voor een ") + SexWord(sex) + QStringLiteral(" geldt het volgende:"), clr::Black);
    DrawText(QStringLiteral("w = %1 kg").arg(weight), clr::Black, false, PctX(15), 16, 1, b);
    DrawText(QStringLiteral("h = %1 cm").arg(height), clr::Black, false, PctX(15), 17, 1, b);
    DrawText(QStringLiteral("a = %1 jaar").arg(age), clr::Black, false, PctX(15), 18, 1, b);
    Say(b, 19.5,
        QStringLiteral("Hoe groot is het energieverbruik in rust van deze ") + SexWord(sex) + QStringLiteral(" ?"),
        Blue);
    s.AnswerUnit = QStringLiteral(" kcal");
    s.FeedbackText = QStringLiteral("energieverbruik");
    s.WorkText = QStringLiteral("Hoe groot is het energieverbruik in rust");
}

void AskEnergy(Exercise& s)
{
    Bitmap& t = s.TextBitmap;
    Say(t, 1, QStringLiteral("Hoe groot is het energie-"), Blue);
    Say(t, 2, QStringLiteral("verbruik in rust van deze "), Blue);
    DrawText(SexWord(s.Param[Sex]) + QStringLiteral(" ?"), Blue, false, TextEndX, 2, 1, t);
    s.AnswerLine = 5;
}

void PoseCinema(Exercise& s)
{
    Bitmap& b = s.PictureBitmap;
    DrawStoryTitle(b, "Bioscoopbezoek");
    DrawStoryTexts(b, {
                          {3, "Het aantal mensen dat een bioscoop bezoekt hangt af van"},
                          {4, "de prijs van een kaartje."},
                          {5, "Als een kaartje duur is gaan er minder mensen dan"},
                          {6, "wanneer een kaartje goedkoop is."},
                          {7.5, "Een bioscoopeigenaar heeft dit precies laten onderzoeken."},
                          {9.5, "Het onderzoeksbureau geeft hem de volgende formule", Blue},
                          {10.5, "voor zijn bioscoop:", Blue},
                      });
    // Visitors in quarters: the price runs in quarters of a euro above c.
    int a = 0, b0 = 0, c = 0, quarters = 0, visitors4 = 0;
    do {
        a = 100 + 5 * s.Random(21);
        b0 = 5 + s.Random(26);
        c = 3 + s.Random(23);
        quarters = s.Random(41);
        visitors4 = 4 * a - b0 * quarters;
    } while (Round(visitors4 / 4.0) < 25);
    const int priceCents = 100 * c + 25 * quarters;
    s.ExpectedReal = visitors4 / 4.0;
    s.ExpectedInt = Round(s.ExpectedReal);
    s.ExpectedIntIsRounded = true;  // 30,5 visitors: 30 and 31 are both right
    s.Param[PriceCents] = priceCents;

    DrawText(QStringLiteral("De prijs van een kaartje is  "), clr::Black, false, Margin, 18, 1, b);
    DrawEuroText(Euros(priceCents), clr::Black, false, TextEndX, 18, 1, b);
    const int sub = s.Random(2);
    s.Param[SubQuestion] = sub;
    DrawStoryTexts(b, {{14, "In deze formule"}, {15, "p: prijs van een kaartje in Euro's", clr::Black, 35}});
    if (sub == 0) {
        DrawText(QStringLiteral("A = %1 - %2 (p - %3)").arg(a).arg(b0).arg(c), Red, false, PctX(15), 12, 1, b);
        DrawStoryTexts(b, {{14, "A: aantal bezoekers", clr::Black, 35},
                           {19.5, "Hoeveel bezoekers kan de eigenaar verwachten ?", Blue}});
        s.FeedbackText = QStringLiteral("Bezoekers");
        s.WorkText = QStringLiteral("Aantal bezoekers");
        s.AnswerUnit = QStringLiteral(" bezoekers");
        return;
    }
    DrawText(QStringLiteral("O = %1 p - %2 p").arg(a + b0 * c).arg(b0), Red, false, PctX(15), 12, 1, b);
    Square(b, 12);
    DrawStoryTexts(b, {{14, "O: omzet in Euro's", clr::Black, 35},
                       {19.5, "Welke omzet (in Euro's) kan de eigenaar verwachten ?", Blue}});
    // Turnover = visitors x price, from the unrounded visitors.
    s.ExpectedReal = double(visitors4) * priceCents / 400.0;
    s.FeedbackText = QStringLiteral("Omzet");
    s.WorkText = QStringLiteral("Omzet in Euro's");
    s.AnswerUnit = QStringLiteral(" Euro");
}

void AskCinema(Exercise& s)
{
    Bitmap& t = s.TextBitmap;
    Say(t, 1, QStringLiteral("De prijs van een kaartje"), Blue);
    Say(t, 2, QStringLiteral("is  "), Blue);
    DrawEuroText(Euros(s.Param[PriceCents]), Blue, false, TextEndX, 2, 1, t);
    if (s.Param[SubQuestion] == 0) {
        Say(t, 3.5, QStringLiteral("Hoeveel bezoekers kan"), Blue);
        Say(t, 4.5, QStringLiteral("de eigenaar verwachten ?"), Blue);
    } else {
        Say(t, 3.5, QStringLiteral("Welke omzet (in "), Blue);
        DrawEuroText(QStringLiteral(") kan de"), Blue, false, TextEndX, 3.5, 1, t);
        Say(t, 4.5, QStringLiteral("eigenaar verwachten ?"), Blue);
    }
    s.AnswerLine = 6;
}

void PoseHelicopter(Exercise& s)
{
    Bitmap& b = s.PictureBitmap;
    DrawStoryTitle(b, "Branden blussen per helicopter");
    DrawStoryTexts(b, {
                          {2.5, "Bij het blussen van grote bosbranden wordt vaak"},
                          {3.5, "gebruikt gemaakt van helicopters."},
                          {4.5, "Zeker wanneer een zee of groot meer in de nabijheid is."},
                          {5.5, "Onder de helicopter hangt een container die met water"},
                          {6.5, "gevuld wordt en boven de brand leeggegooid."},
                          {8, "Voor het aantal vluchten die de helicopter kan maken", Blue},
                          {9, "geldt de volgende formule:", Blue},
                      });
    DrawText(QStringLiteral("VL  =  "), Red, false, PctX(15), 11, 1, b);
    DrawFractionText(QStringLiteral("3600"), QStringLiteral("0,167 · A + V + B"), b, TextEndX, Round(11.0 * LineHeight),
                     Red);
    const int distance = 150 + 100 * s.Random(20);
    const int douse = 5 + s.Random(10);
    const int fill = 5 + s.Random(10);
    // 3600 / (0.167 A + B + V) with the 0.167 made whole.
    s.ExpectedReal = 3600000.0 / (167.0 * distance + 1000.0 * (douse + fill));
    DrawStoryTexts(b, {
                          {13, "In deze formule"},
                          {13, "VL: aantal vluchten per uur", clr::Black, 35},
                          {14, "  A: afstand tot de zee (in meters)", clr::Black, 35},
                          {15, "  V: tijd nodig voor vullen (in sec.)", clr::Black, 35},
                          {16, "  B: tijd nodig voor blussen (in sec.)", clr::Black, 35},
                          {18, "Voor een bosbrand geldt het volgende:"},
                          {22.5, "Hoeveel vluchten kan de helicopter (gemiddeld)", Blue},
                          {23.5, "maken per uur ?", Blue},
                      });
    DrawText(QStringLiteral("A = %1 m.").arg(distance), clr::Black, false, PctX(15), 19, 1, b);
    DrawText(QStringLiteral("V = %1 sec.").arg(fill), clr::Black, false, PctX(15), 20, 1, b);
    DrawText(QStringLiteral("B = %1 sec.").arg(douse), clr::Black, false, PctX(15), 21, 1, b);
    s.AnswerUnit.clear();
    s.FeedbackText = QStringLiteral("Aantal vluchten");
    s.WorkText = QStringLiteral("Hoeveel vluchten kan de helicopter maken per uur");
}

void AskHelicopter(Exercise& s)
{
    Bitmap& t = s.TextBitmap;
    Say(t, 1, QStringLiteral("Hoeveel vluchten kan de blus-"), Blue);
    Say(t, 2, QStringLiteral("helicopter gemiddeld per uur"), Blue);
    Say(t, 3, QStringLiteral("maken bij deze bosbrand ?"), Blue);
    s.AnswerLine = 5;
}

void PoseMedicine(Exercise& s)
{
    Bitmap& b = s.PictureBitmap;
    DrawStoryTitle(b, "Medicijnen voor kinderen");
    DrawStoryTexts(b, {
                          {2.5, "De dosering van medicijnen voor kinderen is anders"},
                          {3.5, "dan die van volwassenen."},
                          {5.5, "Voor een zeker medicijn wordt door de fabrikant"},
                          {6.5, "de volgende regel voorgeschreven:"},
                      });
    const int rule = s.Random(s.CurrentLevel());
    const int n = 1 + s.Random(16);
    const int dose = 100 + s.Random(200);
    s.Param[Age] = n;
    s.Param[AdultDoseTenths] = dose;

    static const char* const numerators[] = {"L", "0.9 L - 0.1", "2.5 L - 0.042 L  "};
    static const char* const denominators[] = {"L + 12", "L + 13", "L + 13.5"};
    DrawText(QStringLiteral("DK  =  "), Red, false, PctX(15), 9, 1, b);
    const int start = TextEndX;
    const int end = DrawFractionText(QString::fromUtf8(numerators[rule]), QString::fromUtf8(denominators[rule]), b,
                                     start, Round(9.0 * LineHeight), Red);
    if (rule == 2) {
        TextEndX = start + b.TextWidth(QStringLiteral("2.5 L - 0.042 L"));
        Square(b, 8.5);
    }
    DrawText(QStringLiteral(" · DV"), Red, false, end, 9, 1, b);
    // Each rule as one exact quotient of integers, divided once.
    switch (rule) {
        case 0:
            s.ExpectedReal = double(n) * dose / (10.0 * (n + 12));
            break;
        case 1:
            s.ExpectedReal = double(9 * n - 1) * dose / (100.0 * (n + 13));
            break;
        default:
            s.ExpectedReal = double(2500 * n - 42 * n * n) * dose / (5000.0 * (2 * n + 27));
            break;
    }
    const QString adult = FormatFixed(dose / 10.0, 2);
    DrawStoryTexts(b, {
                          {11.5, "In deze formule"},
                          {11.5, "DK: dosering voor een kind (mg)", clr::Black, 35},
                          {12.5, "DV: dosering voor volwassene (mg)", clr::Black, 35},
                          {13.5, "   L: leeftijd van het kind in jaren", clr::Black, 35},
                          {17, "voorgeschreven."},
                      });
    Say(b, 16, QStringLiteral("Een volwassene krijgt van het medicijn ") + adult + QStringLiteral(" mg"), clr::Black);
    Say(b, 18.5, QStringLiteral("Hoeveel mg krijgt een kind van %1 jaar voorgeschreven ?").arg(n), Blue);
    s.AnswerUnit = QStringLiteral(" mg");
    s.FeedbackText = QStringLiteral("Dosering kind");
    s.WorkText = QStringLiteral("Hoeveel mg krijgt het kind voorgeschreven ");
}

void AskMedicine(Exercise& s)
{
    Bitmap& t = s.TextBitmap;
    Say(t, 1,
        QStringLiteral("Een volwassene krijgt ") + FormatFixed(s.Param[AdultDoseTenths] / 10.0, 2) +
            QStringLiteral(" mg"),
        clr::Black);
    Say(t, 2, QStringLiteral("voorgeschreven."), clr::Black);
    Say(t, 3.5, QStringLiteral("Hoeveel mg krijgt een kind"), Blue);
    Say(t, 4.5, QStringLiteral("van %1 jaar voorgeschreven ?").arg(s.Param[Age]), Blue);
    s.AnswerLine = 6;
}

namespace {

// The speed as the story writes it, in the unit it uses.
QString SpeedText(int hundredthsKmh, int unit)
{
    return unit == 0 ? FormatFixed(hundredthsKmh / 360.0, 2) + QStringLiteral(" m/s.")
                     : FormatFixed(hundredthsKmh / 100.0, 2) + QStringLiteral(" km/u.");
}

// A = 60 · 8 V / (8 L + V²), with V as V / 3,6 when the speed is given in km/u.
void DrawTrafficFormula(Bitmap& b, int unit)
{
    DrawText(QStringLiteral("A  =  60 · "), Red, false, PctX(15), 14.25, 1, b);
    const int start = TextEndX;
    const int y = Round(14.25 * LineHeight);
    if (unit == 0) {
        DrawFractionText(QStringLiteral("8 V"), QStringLiteral("8 L + V²"), b, start, y, Red);
        return;
    }
    const QString v = QStringLiteral("V");
    const QString kmh = QStringLiteral("3,6");
    DrawText(QStringLiteral("   8 ·  "), Red, false, start, 13, 1, b);
    const int top = DrawFractionText(v, kmh, b, TextEndX, Round(13.0 * LineHeight), Red);
    DrawText(QStringLiteral("8 L + "), Red, false, start, 16, 1, b);
    int x = TextEndX;
    int y16 = Round(16.0 * LineHeight);
    DrawFractionPower(x, y16, v, kmh, QStringLiteral("2"), b, Red);
    // One bar level with the middle of "A  =  60 · ", under the whole numerator; it ends at
    // the bracket, so the square stands out beside it.
    const int bar = y + Round(0.6 * b.TextHeight(QStringLiteral("8")));
    const int bracketEnd = x - b.TextWidth(QStringLiteral("n"));
    b.Pen.Color = Red;
    b.MoveTo(start, bar);
    b.LineTo(std::max(top, bracketEnd), bar);
}

}  // namespace

void PoseTraffic(Exercise& s)
{
    Bitmap& b = s.PictureBitmap;
    DrawStoryTitle(b, "Rijdende file in de spits");
    DrawStoryTexts(b, {
                          {2.5, "Tijdens de spitsuren rijden de auto's vaak in een rij"},
                          {3.5, "achter elkaar. Tenminste, als ze niet stilstaan."},
                          {4.5, "Als de rij snel gaat, dan is de afstand tussen de auto's"},
                          {5.5, "groter dan wanneer de rij langzaam rijdt, want er is een"},
                          {6.5, "langere remweg nodig."},
                          {7.5, "We nemen aan dat alle auto's even lang zijn en allemaal"},
                          {8.5, "evenver van elkaar rijden."},
                          {10, "Dan kun je het aantal auto's dat per minuut een bepaald", Blue},
                          {11, "punt passeert berekenen met de volgende formule:", Blue},
                      });
    const int level = s.CurrentLevel();
    const int unit = level == 3 ? s.Random(2) : 0;
    const int speed = level <= 1   ? 360 * (3 + s.Random(28))
                      : level == 2 ? 36 * (30 + s.Random(270))
                                   : 100 * (10 + s.Random(91));
    const int length = 350 + s.Random(70);
    s.Param[SpeedUnit] = unit;
    s.Param[SpeedHundredths] = speed;
    s.Param[CarLengthCm] = length;
    // 60 x 28.8 v / (103.68 l + v²) with v = speed / 100 and l = length / 100, made whole.
    const double S = speed;
    s.ExpectedReal = 172800.0 * S / (10368.0 * length + S * S);

    DrawTrafficFormula(b, unit);
    DrawStoryTexts(b, {
                          {18, "In deze formule"},
                          {18, "A: aantal auto's dat per minuut passeert.", clr::Black, 30},
                          {19, "L: gemiddelde lengte van de auto's in m.", clr::Black, 30},
                          {22, "Voor een bepaalde rij geldt:"},
                          {24.5, "Hoeveel auto's passeren er (gemiddeld) per minuut ?", Blue},
                      });
    DrawText(QStringLiteral("V: de snelheid van de rij in ") +
                 (unit == 0 ? QStringLiteral("m/s.") : QStringLiteral("km/u.")),
             clr::Black, false, PctX(30), 20, 1, b);
    DrawText(QStringLiteral("L = ") + FormatFixed(length / 100.0, 2) + QStringLiteral(" m."), clr::Black, false,
             PctX(55), 22, 1, b);
    DrawText(QStringLiteral("V = ") + SpeedText(speed, unit), clr::Black, false, PctX(55), 23, 1, b);
    s.AnswerUnit = QStringLiteral(" ");
    s.FeedbackText = QStringLiteral("Aantal auto's");
    s.WorkText = QStringLiteral("Hoeveel auto's passeren er per minuut ");
}

void AskTraffic(Exercise& s)
{
    Bitmap& t = s.TextBitmap;
    Say(t, 1, QStringLiteral("Een rij auto's rijdt met een"), clr::Black);
    Say(t, 2, QStringLiteral("snelheid van "), clr::Black);
    DrawText(SpeedText(s.Param[SpeedHundredths], s.Param[SpeedUnit]), clr::Black, false, TextEndX, 2, 1, t);
    Say(t, 3.5, QStringLiteral("Hoeveel auto's passeren er dan"), Blue);
    Say(t, 4.5, QStringLiteral("(gemiddeld) per minuut ?"), Blue);
    s.AnswerLine = 6;
}

}  // namespace velmora::formulas
