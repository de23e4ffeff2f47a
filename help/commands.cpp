#include "commands.h"

#include "toolkit/figures.h"
#include "toolkit/layout.h"
#include "toolkit/numbers.h"
#include "toolkit/text.h"

#include <algorithm>

namespace velmora {

namespace {

const QString MiddleDot = QString(QChar(0x00B7));

// Field names as a script writer knows them, for error messages.
double Num(const QString& text, const char* field)
{
    return ScriptNumber(text, QLatin1String(field));
}

// Percent of the target width, or text lines, to pixels.
int PctW(double h, const Bitmap& target)
{
    return Round(h * 0.01 * target.Width());
}

int LineY(double v)
{
    return Round(v * LineHeight);
}

// A pen that stays drawable however wide a script asks for it.
int FigurePenWidth(const ScriptLine& line)
{
    return std::clamp(Round(Num(line.Style, "style (lijndikte)") * ScaleFactor), 1, 64);
}

// Pen from the first colour; fill from the second, "Blank" meaning no fill.
void SetFigurePenAndFill(Bitmap& target, const ScriptLine& line, const QColor& penColour)
{
    target.Pen.Color = penColour;
    target.Pen.Width = FigurePenWidth(line);
    target.Pen.Clear = false;
    target.Brush.Clear = line.Colour == QLatin1String("Blank");
    target.Brush.Color = KleurVan(line.Colour);
}

void Point(const QString& text, const char* field, const Bitmap& target, QPoint& point)
{
    double h = 0, v = 0;
    ScriptPair(text, QLatin1String(field), h, v);
    point = QPoint(PctW(h, target), LineY(v));
}

void SplitFraction(const QString& text, QString& num, QString& den)
{
    const qsizetype slash = text.indexOf(QLatin1Char('/'));
    num = slash < 0 ? text : text.left(slash);
    den = slash < 0 ? QString() : text.mid(slash + 1);
}

// A text size factor that gives a sensible font.
double TextSize(const ScriptLine& line)
{
    const double size = Num(line.Size, "size (tekstgrootte)");
    if (size <= 0 || size > 20)
        throw ScriptError(QStringLiteral("de tekstgrootte %1 ligt niet tussen 0 en 20.").arg(line.Size));
    return size;
}

void DrawTextCommand(const ScriptLine& line, const QColor& pen, Bitmap& target)
{
    const QString& tag = line.Command;
    const double y = Num(line.Y, "y (regel)");
    const double size = TextSize(line);
    TextRowY = LineY(y);
    const bool bold = line.Style == QLatin1String("Vet");
    target.Font.Size = Round(size * RefFontSize);
    // Measure with the weight the text is drawn in, so "r" and "c" come out right.
    target.Font.Bold = bold && tag != QLatin1String("[macht]") && tag != QLatin1String("[ongeveer]");
    target.Font.Italic = false;

    double xp = Margin;  // also for a position word we do not know
    const QString x = line.X.trimmed();
    if (x == QLatin1String("p"))
        xp = TextEndX;
    else if (x == QLatin1String("r"))
        xp = target.Width() - target.TextWidth(line.Text) - Margin;
    else if (x == QLatin1String("c"))
        xp = (target.Width() - target.TextWidth(line.Text)) / 2;

    if (tag == QLatin1String("[breuk]")) {
        QString num, den;
        SplitFraction(ZetDecimaal(line.Text), num, den);
        TextEndX = DrawFractionText(num, den, target, Round(xp), LineY(y), pen);
    } else if (tag == QLatin1String("[breukmacht]")) {
        QString num, den;
        SplitFraction(ZetDecimaal(line.Text), num, den);
        TextEndX = Round(xp);
        DrawFractionPower(TextEndX, TextRowY, num, den, line.Style, target, pen);
    } else if (tag == QLatin1String("[macht]")) {
        DrawText(line.Text, pen, false, xp, y, size, target);
        DrawText(line.Style, pen, false, TextEndX, y - 0.5, std::max(0.1, size - 0.2), target);
    } else if (tag == QLatin1String("[knop]")) {
        DrawText(QString(), pen, bold, xp, y, size, target);
        target.Pen.Color = pen;
        target.Pen.Width = std::max(1, Round((bold ? 2 : 1) * ScaleFactor));
        target.Pen.Clear = false;
        target.Brush.Clear = false;
        target.Brush.Color = KleurVan(line.Colour);
        const int w = target.TextWidth(line.Text + QStringLiteral("  "));
        target.Rectangle(Round(xp), LineY(y), Round(xp + w), LineY(y + 1));
        DrawText(QLatin1Char(' ') + line.Text, pen, bold, xp, y, size, target);
        TextEndX += target.TextWidth(QStringLiteral("  "));
    } else if (tag == QLatin1String("[ongeveer]")) {
        DrawApproxText(line.Text, pen, target, xp, y, size);
    } else if (tag == QLatin1String("[euro]")) {
        DrawEuroText(line.Text, pen, bold, xp, y, size, target);
    } else {
        DrawText(line.Text, pen, bold, xp, y, size, target);
    }
}

// One formula row: fractions stand on line f, operators on line o, each piece after the last.
struct Piece {
    QString Num, Den;  // Den empty: an operator text
};

void Row(const std::initializer_list<Piece>& pieces, int x, double f, double o, double size, const QColor& colour,
         Bitmap& canvas)
{
    TextEndX = x;
    for (const Piece& p : pieces) {
        if (p.Den.isEmpty())
            DrawText(p.Num, colour, false, TextEndX, o, size, canvas);
        else
            TextEndX = DrawFractionText(p.Num, p.Den, canvas, TextEndX, LineY(f), colour);
    }
}

QString Dot(const char* a, const char* b)
{
    return QLatin1String(a) + MiddleDot + QLatin1String(b);
}

void AddOrSubtractPanel(const QString& title, const QString& op, double t, double size, const QColor& c, Bitmap& canvas)
{
    const bool plus = op == QLatin1String("+");
    const QString opText = QLatin1Char(' ') + op + QLatin1Char(' ');
    const QString eq = QStringLiteral("  =  ");
    DrawText(title, c, false, -1, t + 0.2, size, canvas);
    Row({{QStringLiteral("a"), QStringLiteral("b")},
         {opText, {}},
         {QStringLiteral("c"), QStringLiteral("b")},
         {eq, {}},
         {plus ? QStringLiteral("a + c") : QStringLiteral("a - c"), QStringLiteral("b")}},
        PctX(15), t + 1.6, t + 1.65, size, c, canvas);
    const QString cross = Dot("a", "d") + (plus ? QStringLiteral(" + ") : QStringLiteral(" - ")) + Dot("c", "b");
    Row({{QStringLiteral("a"), QStringLiteral("b")},
         {opText, {}},
         {QStringLiteral("c"), QStringLiteral("d")},
         {eq, {}},
         {cross, Dot("b", "d")}},
        PctX(15), t + 3.8, t + 3.75, size, c, canvas);
    DrawText(QStringLiteral("\"noemers gelijk maken\""), c, false, PctX(50), t + 3.75, size, canvas);
}

void DrawFigure(const ScriptLine& line, const QColor& pen, Bitmap& target)
{
    const QString& tag = line.Command;
    const int w = target.Width();
    if (tag == QLatin1String("[box]")) {
        const double top = Num(line.X, "x (bovenste regel)"), bottom = Num(line.Y, "y (onderste regel)");
        const double left = Num(ZetDecimaal(line.Text), "tekst (links, %)"), right = Num(line.Size, "size (rechts, %)");
        SetFigurePenAndFill(target, line, pen);
        target.Rectangle(PctW(left, target), LineY(top), PctW(right, target), LineY(bottom));
    } else if (tag == QLatin1String("[4hoek]")) {
        std::vector<QPoint> pts(4);
        Point(line.X, "x", target, pts[0]);
        Point(line.Y, "y", target, pts[1]);
        Point(ZetDecimaal(line.Text), "tekst", target, pts[2]);
        Point(line.Size, "size", target, pts[3]);
        SetFigurePenAndFill(target, line, pen);
        target.Polygon(pts);
    } else if (tag == QLatin1String("[ellips]")) {
        const double l = Num(line.X, "x (links, %)"), t = Num(line.Y, "y (bovenste regel)");
        const double r = Num(ZetDecimaal(line.Text), "tekst (rechts, %)"), b = Num(line.Size, "size (onderste regel)");
        SetFigurePenAndFill(target, line, pen);
        target.Ellipse(PctW(l, target), LineY(t), PctW(r, target), LineY(b));
    } else if (tag == QLatin1String("[cirkel]")) {
        const double cx = Num(line.X, "x (midden, %)") * 0.01 * w, cy = Num(line.Y, "y (middenregel)") * LineHeight;
        const double r = line.Text.trimmed().isEmpty() ? Num(line.Size, "size (straal in regels)") * LineHeight
                                                       : Num(ZetDecimaal(line.Text), "tekst (straal, %)") * 0.01 * w;
        SetFigurePenAndFill(target, line, pen);
        target.Ellipse(Round(cx - r), Round(cy - r), Round(cx + r), Round(cy + r));
    } else if (tag == QLatin1String("[pie]") || tag == QLatin1String("[arc]")) {
        const double r = Num(ZetDecimaal(line.Text), "tekst (straal, %)") * 0.01 * w;
        const int cx = PctW(Num(line.X, "x (midden, %)"), target), cy = LineY(Num(line.Y, "y (middenregel)"));
        double a1 = 0, a2 = 0;
        ScriptPair(line.Size, QStringLiteral("size (hoeken)"), a1, a2);
        SetFigurePenAndFill(target, line, pen);
        if (tag == QLatin1String("[pie]"))
            target.PieAngles(Round(cx - r), Round(cy - r), Round(cx + r), Round(cy + r), a1, a2);
        else
            target.ArcAngles(Round(cx - r), Round(cy - r), Round(cx + r), Round(cy + r), a1, a2);
    } else if (tag == QLatin1String("[lijn]") || tag == QLatin1String("[pijl]")) {
        const int x1 = PctW(Num(line.X, "x (begin, %)"), target), y1 = LineY(Num(line.Y, "y (beginregel)"));
        const int x2 = PctW(Num(ZetDecimaal(line.Text), "tekst (eind, %)"), target);
        const int y2 = LineY(Num(line.Size, "size (eindregel)"));
        if (tag == QLatin1String("[lijn]")) {
            target.Pen.Color = pen;
            target.Pen.Width = FigurePenWidth(line);
            target.Pen.Clear = false;
            target.MoveTo(x1, y1);
            target.LineTo(x2, y2);
        } else {
            const double width = std::clamp(Num(line.Style, "style (lijndikte)"), 0.0, 40.0);
            DrawArrowLine(target, pen, x1, y1, x2, y2, width);
        }
    }
}

bool IsFigure(const QString& tag)
{
    static const char* figures[] = {"[box]", "[4hoek]", "[ellips]", "[cirkel]", "[pie]", "[arc]", "[lijn]", "[pijl]"};
    return std::any_of(std::begin(figures), std::end(figures), [&](const char* f) { return tag == QLatin1String(f); });
}

}  // namespace

void TekenInfo(const QString& kind, const QColor& c, double t, double bottom, double size, Bitmap& canvas)
{
    (void)bottom;  // the bottom line only bounds the frame
    const QString k = kind.left(6);
    const QString eq = QStringLiteral("  =  ");
    if (k == QLatin1String("breuk*")) {
        DrawText(QStringLiteral("Breuken vermenigvuldigen:"), c, false, -1, t + 0.25, size, canvas);
        Row({{QStringLiteral("a"), QStringLiteral("b")},
             {QLatin1Char(' ') + MiddleDot + QLatin1Char(' '), {}},
             {QStringLiteral("c"), QStringLiteral("d")},
             {eq, {}},
             {Dot("a ", " c"), Dot("b ", " d")}},
            PctX(15), t + 1.8, t + 1.75, size, c, canvas);
        DrawText(QStringLiteral("\"teller keer teller\""), c, false, PctX(50), t + 1.5, size, canvas);
        DrawText(QStringLiteral("\"noemer keer noemer\""), c, false, PctX(50), t + 2.5, size, canvas);
    } else if (k == QLatin1String("breuk+")) {
        AddOrSubtractPanel(QStringLiteral("Breuken optellen:"), QStringLiteral("+"), t, size, c, canvas);
    } else if (k == QLatin1String("breuk-")) {
        AddOrSubtractPanel(QStringLiteral("Breuken aftrekken:"), QStringLiteral("-"), t, size, c, canvas);
    } else if (k == QLatin1String("breuk/")) {
        const QString times = QLatin1Char(' ') + MiddleDot + QLatin1Char(' ');
        DrawText(QStringLiteral("Breuken delen:"), c, false, -1, t + 0.2, size, canvas);
        Row({{QStringLiteral("a"), QStringLiteral("b")},
             {QStringLiteral(" : "), {}},
             {QStringLiteral("c"), QStringLiteral("d")},
             {eq, {}},
             {QStringLiteral("a"), QStringLiteral("b")},
             {times, {}},
             {QStringLiteral("d"), QStringLiteral("c")},
             {eq, {}},
             {Dot("a ", " d"), Dot("b ", " c")}},
            PctX(12.5), t + 1.8, t + 1.75, size, c, canvas);
        DrawText(QStringLiteral("\"delen door een breuk"), c, false, -1, t + 4, size, canvas);
        DrawText(QStringLiteral("="), c, false, -1, t + 5, size, canvas);
        DrawText(QStringLiteral("vermenigvuldigen met"), c, false, -1, t + 6, size, canvas);
        DrawText(QStringLiteral("het omgekeerde\""), c, false, -1, t + 7, size, canvas);
    }
}

void ExecuteCommand(const ScriptLine& line, const QColor& penColour, Bitmap& target)
{
    const QString& tag = line.Command;
    if (IsFigure(tag)) {
        DrawFigure(line, penColour, target);
    } else if (tag == QLatin1String("[schoon]")) {
        ClearLines(target, Num(line.X, "x (eerste regel)"), Num(line.Y, "y (laatste regel)"));
    } else if (tag == QLatin1String("[info]")) {
        const double top = Num(line.X, "x (bovenste regel)"), bottom = Num(line.Y, "y (onderste regel)");
        const double size = TextSize(line);
        target.Pen.Color = penColour;
        target.Pen.Width = std::max(1, Round(2 * ScaleFactor));
        target.Pen.Clear = false;
        target.Brush.Clear = false;
        target.Brush.Color = KleurVan(line.Style);
        target.Rectangle(Round(0.05 * target.Width()), LineY(top), Round(0.95 * target.Width()), LineY(bottom));
        TekenInfo(line.Text, penColour, top, bottom, size, target);
    } else {
        DrawTextCommand(line, penColour, target);
    }
}

}  // namespace velmora
