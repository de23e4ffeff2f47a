// Theme 27: Suzanne buys or sells foreign money; the pupil works out the euros (or the
// foreign money) with the calculator, from the rate table in the picture.
#include "exchange.h"

#include "session/exercise.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

namespace velmora {

namespace {

constexpr int ThemeCode = 27;

struct Currency {
    const char* Singular;
    const char* Plural;
    int Units;
    double Sell;  // "verkoop"
    double Buy;   // "aankoop"
    int Decimals;
};

constexpr Currency Currencies[CurrencyCount] = {
    {"Amerikaanse dollar", "Amerikaanse dollars", 1, 0.9658, 0.9840, 4},
    {"Engelse pond", "Engelse ponden", 1, 1.5097, 1.5451, 4},
    {"Zwitserse frank", "Zwitserse franken", 100, 62.21, 62.39, 2},
    {"Noorse kroon", "Noorse kronen", 100, 12.08, 12.60, 2},
    {"Zweedse kroon", "Zweedse kronen", 100, 11.18, 11.74, 2},
    {"Deense kroon", "Deense kronen", 100, 13.18, 13.57, 2},
    {"Japanse yen", "Japanse yens", 10000, 79.68, 80.05, 2},
    {"Turkse lira", "Turkse lira's", 100000, 0.1815, 0.2950, 4},
};

const Currency* Find(int k)
{
    return k >= 1 && k <= CurrencyCount ? &Currencies[k - 1] : nullptr;
}

enum class Ink { Black, Red, Blue };

QColor ColourOf(Ink ink)
{
    return ink == Ink::Red ? clr::Red : ink == Ink::Blue ? clr::Blue : clr::Black;
}

// One line of a story. {Y}, {P}, {Y2}, {P2} stand for the amounts and the plural names,
// {Q} for the question; Euro, when given, follows the text as an amount in euros.
struct StoryLine {
    int Variant;
    double Line;
    Ink Colour;
    const char* Text;
    const char* Euro = nullptr;
};

constexpr const char* TerugVanVakantie = "Suzanne is terug van vakantie en heeft buitenlands geld";
constexpr const char* MeerdereLanden = "Suzanne gaat op vakantie en doet meerdere landen aan.";
constexpr const char* ReisGaatNietDoor = "De reis gaat echter onverwachts niet door.";
constexpr const char* ZoveelMogelijk = " {Y} zoveel mogelijk {P}.";

// The story in the picture.
constexpr StoryLine PictureStory[] = {
    {1, 0.5, Ink::Red, TerugVanVakantie},
    {1, 1.5, Ink::Red, "over."},
    {1, 3, Ink::Black, "Zij verkoopt {Y} {P}."},
    {1, 4.5, Ink::Red, "{Q}"},
    {2, 0.5, Ink::Red, "Suzanne gaat op vakantie."},
    {2, 2, Ink::Black, "Zij koopt {Y} {P}."},
    {2, 3.5, Ink::Red, "{Q}"},
    {3, 0.5, Ink::Red, "Suzanne gaat op vakantie."},
    {3, 2, Ink::Black, "Zij koopt voor ", ZoveelMogelijk},
    {3, 3.5, Ink::Red, "{Q}"},
    {4, 0.5, Ink::Red, "Suzanne wil op vakantie."},
    {4, 2, Ink::Black, "Zij koopt {Y} {P}."},
    {4, 3.5, Ink::Red, ReisGaatNietDoor},
    {4, 5, Ink::Black, "Ze verkoopt de {P} weer."},
    {4, 6.5, Ink::Red, "{Q}"},
    {5, 0.5, Ink::Red, MeerdereLanden},
    {5, 2, Ink::Black, "Zij koopt {Y} {P}."},
    {5, 3, Ink::Black, "Zij koopt ook {Y2} {P2}."},
    {5, 4.5, Ink::Red, "{Q}"},
    {6, 0.5, Ink::Red, TerugVanVakantie},
    {6, 1.5, Ink::Red, "over."},
    {6, 3, Ink::Black, "Zij verkoopt {Y} {P}."},
    {6, 4, Ink::Black, "Ook verkoopt ze {Y2} {P2}."},
    {6, 5.5, Ink::Red, "{Q}"},
    {7, 0.5, Ink::Red, MeerdereLanden},
    {7, 1.5, Ink::Red, "Zij komt tussendoor thuis."},
    {7, 3, Ink::Black, "Zij verkoopt {Y} {P}."},
    {7, 4, Ink::Black, "Zij koopt ook {Y2} {P2} voor het tweede"},
    {7, 5, Ink::Black, "deel van haar vakantie."},
    {7, 6.5, Ink::Red, "{Q}"},
    {8, 0.5, Ink::Red, "Suzanne wil op vakantie."},
    {8, 2, Ink::Black, "Zij koopt voor ", ZoveelMogelijk},
    {8, 3.5, Ink::Red, ReisGaatNietDoor},
    {8, 5, Ink::Black, "Ze verkoopt de {P} weer."},
    {8, 6.5, Ink::Red, "{Q}"},
};

// The question as the picture and the status line ask it.
constexpr const char* Questions[exchange::VariantCount + 1] = {
    "",
    "Hoeveel Euro krijgt zij hiervoor ?",
    "Hoeveel Euro kost haar dat ?",
    "Hoeveel {P} krijgt zij ?",
    "Hoeveel Euro verlies heeft zij geleden ?",
    "Hoeveel Euro kost haar dat in totaal ?",
    "Hoeveel Euro krijgt ze in totaal ?",
    "Hoeveel Euro moet ze bijbetalen ?",
    "Hoeveel Euro verlies heeft zij geleden ?",
};

// The story beside the answer field: statements blue, questions red.
constexpr StoryLine TextStory[] = {
    {1, 1, Ink::Blue, "Suzanne verkoopt {Y}"},
    {1, 2, Ink::Blue, "{P}."},
    {1, 4.5, Ink::Red, "Hoeveel Euro krijgt zij hiervoor ?"},
    {2, 1, Ink::Blue, "Suzanne koopt {Y}"},
    {2, 2, Ink::Blue, "{P}."},
    {2, 4.5, Ink::Red, "Hoeveel Euro kost haar dat ?"},
    {3, 1, Ink::Blue, "Suzanne koopt voor"},
    {3, 2, Ink::Blue, "", " {Y} zoveel mogelijk"},
    {3, 3, Ink::Blue, "{P}."},
    {3, 4.5, Ink::Red, "Hoeveel {P}"},
    {3, 5.5, Ink::Red, "krijgt zij ?"},
    {4, 1, Ink::Blue, "Suzanne koopt {Y}"},
    {4, 2, Ink::Blue, "{P}."},
    {4, 3, Ink::Blue, "Zij verkoopt ze daarna weer."},
    {4, 4.5, Ink::Red, "Hoeveel Euro verlies heeft"},
    {4, 5.5, Ink::Red, "zij geleden ?"},
    {5, 1, Ink::Blue, "Suzanne koopt {Y}"},
    {5, 2, Ink::Blue, "{P}."},
    {5, 3, Ink::Blue, "Zij koopt ook {Y2}"},
    {5, 4, Ink::Blue, "{P2}."},
    {5, 6.5, Ink::Red, "Hoeveel Euro kost dat in totaal ?"},
    {6, 1, Ink::Blue, "Suzanne verkoopt {Y}"},
    {6, 2, Ink::Blue, "{P}."},
    {6, 3, Ink::Blue, "Zij verkoopt ook {Y2}"},
    {6, 4, Ink::Blue, "{P2}."},
    {6, 6.5, Ink::Red, "Hoeveel Euro krijgt zij in totaal ?"},
    {7, 1, Ink::Blue, "Suzanne verkoopt {Y}"},
    {7, 2, Ink::Blue, "{P}."},
    {7, 3, Ink::Blue, "Zij koopt ook {Y2}"},
    {7, 4, Ink::Blue, "{P2}."},
    {7, 6.5, Ink::Red, "Hoeveel Euro moet ze"},
    {7, 7.5, Ink::Red, "bijbetalen ?"},
    {8, 1, Ink::Blue, "Suzanne koopt voor"},
    {8, 2, Ink::Blue, "", " {Y} zoveel mogelijk"},
    {8, 3, Ink::Blue, "{P}."},
    {8, 4, Ink::Blue, "Zij verkoopt ze daarna weer."},
    {8, 5.5, Ink::Red, "Hoeveel Euro verlies heeft"},
    {8, 6.5, Ink::Red, "zij geleden ?"},
};

QString Fill(const char* text, const ExchangePose& p, const QString& question = QString())
{
    QString s = QString::fromUtf8(text);
    s.replace(QLatin1String("{Q}"), question);
    s.replace(QLatin1String("{Y2}"), QString::number(p.Amount2));
    s.replace(QLatin1String("{P2}"), CurrencyPlural(p.Currency2));
    s.replace(QLatin1String("{Y}"), QString::number(p.Amount));
    s.replace(QLatin1String("{P}"), CurrencyPlural(p.Currency));
    return s;
}

template <std::size_t N>
void DrawStory(const StoryLine (&story)[N], const ExchangePose& p, const QString& question, Bitmap& b)
{
    for (const StoryLine& l : story) {
        if (l.Variant != p.Variant)
            continue;
        DrawText(Fill(l.Text, p, question), ColourOf(l.Colour), false, Margin, l.Line, 1, b);
        if (l.Euro)
            DrawEuroText(Fill(l.Euro, p), ColourOf(l.Colour), false, TextEndX, l.Line, 1, b);
    }
}

QString RateText(double rate, int k)
{
    return FormatFixed(rate, RateDecimals(k));
}

void DrawRateTable(Bitmap& b)
{
    DrawText(QStringLiteral("Wisselkoersen van buitenlands geld (GWK)"), clr::Red, true, Margin, 11, 1.2, b);
    DrawText(QStringLiteral("(In EURO)"), clr::Blue, false, Margin, 12.5, 1, b);
    DrawText(QStringLiteral("aantal"), clr::Blue, false, PctX(40), 12.5, 1, b);
    DrawText(QStringLiteral("verkoop"), clr::Blue, false, PctX(60), 12.5, 1, b);
    DrawText(QStringLiteral("aankoop"), clr::Blue, false, PctX(80), 12.5, 1, b);
    for (int k = 1; k <= CurrencyCount; ++k) {
        const double line = 13 + k;
        DrawText(CurrencyName(k), clr::Black, false, Margin, line, 1, b);
        DrawText(QString::number(CurrencyUnits(k)), clr::Black, false, PctX(40), line, 1, b);
        DrawText(RateText(SellRate(k), k), clr::Black, false, PctX(60), line, 1, b);
        DrawText(RateText(BuyRate(k), k), clr::Black, false, PctX(80), line, 1, b);
    }
}

int DrawCurrency(Random& random)
{
    return random(CurrencyCount) + 1;
}

int DrawOtherCurrency(Random& random, int k)
{
    int k2 = 0;
    do
        k2 = DrawCurrency(random);
    while (k2 == k);
    return k2;
}

int DrawVariant(Random& random, int level, int previous)
{
    int v = 0;
    do {
        if (level <= 1)
            v = 1 + random(4);
        else if (level == 2)
            v = 3 + random(4);
        else
            v = 4 + random(5);
    } while (v == previous);
    return v;
}

// Amount of foreign money: a multiple of the currency's unit count.
int Units(int k, int times)
{
    return CurrencyUnits(k) * times;
}

void DrawNumbers(Random& random, ExchangePose& p)
{
    int& k = p.Currency;
    switch (p.Variant) {
        case 1:
            k = DrawCurrency(random);
            p.Amount = Units(k, 30 * (1 + random(4)));
            break;
        case 2:
        case 4:
            k = DrawCurrency(random);
            p.Amount = Units(k, 75 * (1 + random(4)));
            break;
        case 3:
            k = DrawCurrency(random);
            p.Amount = 70 * (1 + random(4));
            break;
        case 5:
        case 6:
            k = DrawCurrency(random);
            p.Amount = Units(k, 15 * (1 + random(4)));
            p.Currency2 = DrawOtherCurrency(random, k);
            p.Amount2 = Units(p.Currency2, (p.Variant == 5 ? 25 : 45) * (1 + random(4)));
            break;
        case 7:
            // She must pay something extra: sell little, buy much.
            do {
                k = DrawCurrency(random);
                p.Amount = Units(k, 45);
                p.Currency2 = DrawOtherCurrency(random, k);
                p.Amount2 = Units(p.Currency2, 80 * (5 + random(2)));
            } while (ExchangeAnswer(p) <= 0);
            break;
        default:
            p.Amount = 60 * (2 + random(7));
            k = DrawCurrency(random);
            break;
    }
}

ExchangePose PoseOf(const Exercise& s)
{
    ExchangePose p;
    p.Variant = s.ThemeMemory[ThemeCode];
    p.Amount = s.Param[exchange::Amount];
    p.Currency = s.Param[exchange::Currency];
    if (p.Variant >= 5 && p.Variant <= 7) {
        p.Amount2 = s.Param[exchange::Amount2];
        p.Currency2 = s.Param[exchange::Currency2];
    }
    return p;
}

void NewExchange(Exercise& s)
{
    const ExchangePose p = PoseExchange(s.Rng(), s.CurrentLevel(), s.ThemeMemory[ThemeCode]);
    s.ThemeMemory[ThemeCode] = p.Variant;
    s.Param[exchange::Amount] = p.Amount;
    s.Param[exchange::Currency] = p.Currency;
    if (p.Currency2) {
        s.Param[exchange::Amount2] = p.Amount2;
        s.Param[exchange::Currency2] = p.Currency2;
    }
    DrawRateTable(s.PictureBitmap);
    s.FeedbackText = Fill(Questions[p.Variant], p);
    DrawStory(PictureStory, p, s.FeedbackText, s.PictureBitmap);
    s.ExpectedReal = ExchangeAnswer(p);
    s.AnswerUnit = ExchangeUnit(p);
    DrawText(QString(), clr::Black, false, Margin, 0, 1, s.PictureBitmap);
}

// One term of the explanation's chain: n over m (just n when m is 1), " * ", unit.
void Term(Bitmap& t, double line, const QString& n, const QString& m, const QString& unit)
{
    DrawTimesTerm(TextEndX, n, m, line * LineHeight, unit, t, clr::Blue);
}

void Operator(Bitmap& t, double line, const char* op)
{
    DrawText(QString::fromLatin1(op), clr::Blue, false, TextEndX, line, 0.8, t);
}

void DrawChain(Bitmap& t, double line, const ExchangePose& p)
{
    const int k = p.Currency, k2 = p.Currency2;
    const QString y = QString::number(p.Amount), u = QString::number(CurrencyUnits(k));
    const QString sell = RateText(SellRate(k), k), buy = RateText(BuyRate(k), k);
    DrawText(QString(), clr::Blue, false, Margin, line, 0.8, t);
    switch (p.Variant) {
        case 1:
            Term(t, line, y, u, sell);
            break;
        case 2:
            Term(t, line, y, u, buy);
            break;
        case 3:
            Term(t, line, y, buy, u);
            break;
        case 4:
            Term(t, line, y, u, buy);
            Operator(t, line, " - ");
            Term(t, line, y, u, sell);
            break;
        case 5:
        case 6: {
            const bool buying = p.Variant == 5;
            const QString y2 = QString::number(p.Amount2), u2 = QString::number(CurrencyUnits(k2));
            Term(t, line, y, u, buying ? buy : sell);
            Operator(t, line, " + ");
            Term(t, line, y2, u2, RateText(buying ? BuyRate(k2) : SellRate(k2), k2));
            break;
        }
        case 7:
            Term(t, line, QString::number(p.Amount2), QString::number(CurrencyUnits(k2)),
                 RateText(BuyRate(k2), k2) + QStringLiteral(" - "));
            Term(t, line, y, u, sell);
            break;
        default:
            DrawText(y + QStringLiteral(" - "), clr::Blue, false, TextEndX, line, 0.8, t);
            Term(t, line, y, buy, sell);
            break;
    }
}

}  // namespace

QString CurrencyName(int k)
{
    const Currency* c = Find(k);
    return c ? QString::fromUtf8(c->Singular) : QString();
}

QString CurrencyPlural(int k)
{
    const Currency* c = Find(k);
    return c ? QString::fromUtf8(c->Plural) : QString();
}

int CurrencyUnits(int k)
{
    const Currency* c = Find(k);
    return c ? c->Units : 0;
}

double SellRate(int k)
{
    const Currency* c = Find(k);
    return c ? c->Sell : 0;
}

double BuyRate(int k)
{
    const Currency* c = Find(k);
    return c ? c->Buy : 0;
}

int RateDecimals(int k)
{
    const Currency* c = Find(k);
    return c ? c->Decimals : 0;
}

ExchangePose PoseExchange(Random& random, int level, int previousVariant)
{
    ExchangePose p;
    p.Variant = DrawVariant(random, level, previousVariant);
    DrawNumbers(random, p);
    return p;
}

double ExchangeAnswer(const ExchangePose& p)
{
    const int k = p.Currency, k2 = p.Currency2;
    const double y = p.Amount, y2 = p.Amount2;
    const double u = CurrencyUnits(k), u2 = CurrencyUnits(k2);
    switch (p.Variant) {
        case 1:
            return y / u * SellRate(k);
        case 2:
            return y / u * BuyRate(k);
        case 3:
            return y / BuyRate(k) * u;
        case 4:
            return y / u * BuyRate(k) - y / u * SellRate(k);
        case 5:
            return y / u * BuyRate(k) + y2 / u2 * BuyRate(k2);
        case 6:
            return y / u * SellRate(k) + y2 / u2 * SellRate(k2);
        case 7:
            return y2 / u2 * BuyRate(k2) - y / u * SellRate(k);
        default:
            return y - y * SellRate(k) / BuyRate(k);
    }
}

QString ExchangeUnit(const ExchangePose& p)
{
    if (p.Variant != 3)
        return QStringLiteral(" Euro");
    const QString plural = CurrencyPlural(p.Currency);
    return plural.mid(plural.indexOf(QLatin1Char(' '))).left(8);
}

void CurrencyExchange(Exercise& s)
{
    if (s.Attempt == 0)
        NewExchange(s);

    Bitmap& t = s.TextBitmap;
    DrawStory(TextStory, PoseOf(s), QString(), t);
    DrawText(QStringLiteral("(afronden op 2 decimalen)"), clr::Blue, false, Margin, 9.5, 1, t);

    s.RealTolerance = 0.0049;
    s.AnswerDecimals = 2;
    s.AnswerLine = 11;
    s.OpenAnswer(s.AnswerUnit + QStringLiteral(": "), 2, QStringLiteral("|") + s.FeedbackText);
}

void ExplainExchange(Exercise& s, double line)
{
    Bitmap& t = s.TextBitmap;
    const ExchangePose p = PoseOf(s);
    if (s.PracticeMode() && !s.MixedMode()) {
        DrawChain(t, line, p);
        line += 2.25;
    }
    const QString amount = FormatFixed(s.ExpectedReal, s.AnswerDecimals);
    TextEndX = Margin;
    if (p.Variant == 3) {
        DrawApproxText(amount + QLatin1Char(' ') + CurrencyPlural(p.Currency), clr::Red, t, Margin, line, 1);
        return;
    }
    DrawApproxText(QString(), clr::Red, t, Margin, line, 1);
    DrawEuroText(QLatin1Char(' ') + amount, clr::Red, false, TextEndX, line, 1, t);
}

const ThemeDescriptor ExchangeTheme{
    .Code = ThemeCode,
    .Title = "Suzanne gaat geld wisselen",
    .Generator = CurrencyExchange,
    .Explain = ExplainExchange,
    .Help = {3, 7},
};

}  // namespace velmora
