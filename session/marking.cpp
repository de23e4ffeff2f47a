#include "marking.h"

#include "explanation.h"
#include "platform/messages.h"
#include "session.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace velmora {

namespace {

const QChar CR = QLatin1Char('\r');

// Larger numbers are no answer to any exercise; refusing them keeps the arithmetic sane.
constexpr double MaxDecimalMagnitude = 1e12;

bool IsDigit(QChar ch)
{
    return ch >= QLatin1Char('0') && ch <= QLatin1Char('9');
}

QString Unit(const Session& s)
{
    return s.AnswerUnit;
}

}  // namespace

QString NormaliseDecimalSeparator(const QString& text, QChar separator)
{
    QString result = text;
    const QChar other = separator == QLatin1Char('.') ? QLatin1Char(',') : QLatin1Char('.');
    const qsizetype at = result.indexOf(other);
    if (at >= 0)
        result[at] = separator == QLatin1Char('.') ? QLatin1Char('.') : QLatin1Char(',');
    return result;
}

bool ParseDecimal(const QString& text, QChar separator, double& value)
{
    const QString t = TrimSpaces(text);
    // sign? digits [sep digits] [e sign? digits]; at least one digit in the mantissa.
    qsizetype i = 0;
    QString plain;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+')))
        plain += t[i++];
    int mantissaDigits = 0;
    while (i < t.size() && IsDigit(t[i])) {
        plain += t[i++];
        ++mantissaDigits;
    }
    if (i < t.size() && t[i] == separator) {
        plain += QLatin1Char('.');
        ++i;
        while (i < t.size() && IsDigit(t[i])) {
            plain += t[i++];
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return false;
    if (i < t.size() && (t[i] == QLatin1Char('e') || t[i] == QLatin1Char('E'))) {
        plain += QLatin1Char('e');
        ++i;
        if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+')))
            plain += t[i++];
        int exponentDigits = 0;
        while (i < t.size() && IsDigit(t[i])) {
            plain += t[i++];
            ++exponentDigits;
        }
        if (exponentDigits == 0 || exponentDigits > 3)
            return false;
    }
    if (i != t.size())
        return false;
    bool ok = false;
    const double v = QLocale::c().toDouble(plain, &ok);
    if (!ok || !std::isfinite(v) || std::fabs(v) > MaxDecimalMagnitude)
        return false;
    value = v;
    return true;
}

bool DecimalAnswerRight(double given, double expected, double tolerance, int decimals)
{
    if (std::fabs(expected - given) <= tolerance)
        return true;
    if (decimals < 0 || decimals > 9)
        return false;
    const double scale = std::pow(10.0, decimals);
    const double e = expected * scale;
    const double g = given * scale;
    // Room for the rounding error of the computed value only (a few units in its last
    // place): anything wider would let a wrong last digit pass on large amounts.
    const double slack = 1e-12 * std::max(1.0, std::fabs(e));
    // Either neighbour of the exact value is a correct rounding when it lies no more than
    // half a unit away: both for a value in between and for an exact tie.
    for (const double candidate : {std::floor(e), std::ceil(e)})
        if (std::fabs(e - candidate) <= 0.5 + slack && std::fabs(g - candidate) <= slack)
            return true;
    return false;
}

QString PraiseText(int exercisesDone)
{
    static const char* const praise[] = {"Ok !",        "Prima !",       "Goed !",  "Juist !",     "Geweldig !",
                                         "Knap hoor !", "Fantastisch !", "Bravo !", "Uitmuntend !"};
    const int index = ((exercisesDone % 9) + 9) % 9;
    return QString::fromUtf8(praise[index]);
}

AnswerOutcome Session::SubmitAnswer(QString& text)
{
    if (!Running || !answerPending_)
        return AnswerOutcome::Ignored;
    if (Attempt == 0)
        Attempt = 1;
    GivenInt = 0;
    switch (field_.Kind) {
        case 1:
            // Blanks around a number are a slip of the finger, not a wrong answer.
            if (!StrToIntChecked(TrimSpaces(text), GivenInt)) {
                ShowMessage(QStringLiteral("Foutieve invoer !") + CR + QStringLiteral("Geef een geheel getal in !"),
                            MessageKind::Warning);
                return AnswerOutcome::Rejected;
            }
            break;
        case 2:
            text = NormaliseDecimalSeparator(text, DecSep);
            // The pupil sees the corrected separator while reading any message about it.
            if (view_)
                view_->ShowAnswerText(text);
            if (!ParseDecimal(text, DecSep, GivenReal)) {
                const QString word = DecSep == QLatin1Char('.') ? QStringLiteral("punt") : QStringLiteral("comma");
                ShowMessage(QStringLiteral("Foutieve invoer !") + CR + QStringLiteral("Geef een getal in !") + CR +
                                QStringLiteral("Gebruik eventueel de ") + word +
                                QStringLiteral(" als decimale scheidingsteken !"),
                            MessageKind::Warning);
                return AnswerOutcome::Rejected;
            }
            break;
        case 3:
        case 4: {
            Fraction given{1, 0, 0, 0};
            const bool needsSlash = field_.Kind == 3;
            if ((needsSlash && !text.contains(QLatin1Char('/'))) || !StrToFraction(text, given)) {
                ShowMessage(QStringLiteral("Foutieve invoer !") + CR +
                                (needsSlash ? QStringLiteral("Geef een breuk in !")
                                            : QStringLiteral("Geef een breuk of geheel getal in !")),
                            MessageKind::Warning);
                return AnswerOutcome::Rejected;
            }
            GivenFraction = given;
            GivenReal = FractionToReal(given);
            break;
        }
        default:
            break;
    }
    answerPending_ = false;
    answerText_ = text;
    if (view_)
        view_->HideAnswerField();
    MarkAnswer();
    return AnswerOutcome::Marked;
}

void Session::MarkAnswer()
{
    Bitmap& b = TextBitmap;
    const int kind = field_.Kind;
    const int attempt = std::max(Attempt, 1);
    double line = AnswerLine;

    DrawText(QStringLiteral("Ingegeven: "), clr::Black, false, Margin, line, 1, b);
    if (kind == 3 || kind == 4) {
        TextEndX = DrawFraction(GivenFraction, b, TextEndX, Round(line * LineHeight), clr::Black);
        DrawText(Unit(*this), clr::Black, false, TextEndX, line, 1, b);
    } else {
        DrawText(TrimSpaces(answerText_) + Unit(*this), clr::Black, false, TextEndX, line, 1, b);
    }

    bool right = false;
    const long long d = std::llabs(static_cast<long long>(GivenInt) - ExpectedInt);
    switch (kind) {
        case 1:
            right = d <= IntTolerance || (ExpectedIntIsRounded && std::fabs(GivenInt - ExpectedReal) <= 0.5);
            break;
        case 2:
            right = DecimalAnswerRight(GivenReal, ExpectedReal, RealTolerance, AnswerDecimals);
            break;
        case 3:
        case 4:
            right = FracEqual(ExpectedFraction, GivenFraction);
            break;
        default:
            break;
    }

    const ThemeDescriptor* theme = Theme();
    if (theme && theme->ClearToLine > theme->ClearFromLine)
        WipeLines(b, theme->ClearFromLine, theme->ClearToLine);
    line += 2;

    if (!right && Attempt != AttemptsAllowed) {
        Attempt = 2;
        DrawText(QStringLiteral("Jammer! Tweede poging!"), clr::Black, false, Margin, line, 1, b);
        if (view_)
            view_->ShowFace(QStringLiteral("sad"));
    } else {
        ++ExercisesDone;
        int points = 0;
        const EstimatePoints estimate = theme ? theme->Estimate : nullptr;
        const auto pointsLine = [&] {
            DrawText(points == 1 ? QStringLiteral("1 punt erbij.")
                                 : QString::number(points) + QStringLiteral(" punten erbij."),
                     clr::Blue, false, Margin, line, 1, b);
        };
        const Fraction expected = ExpectedFraction;
        const bool notSimplest = right && (kind == 3 || kind == 4) &&
                                 (GivenFraction.Whole != expected.Whole || GivenFraction.Num != expected.Num ||
                                  GivenFraction.Den != expected.Den);
        if (notSimplest) {
            DrawText(QStringLiteral("Goed, maar het kan nog"), clr::Red, false, Margin, line, 1, b);
            line += 1;
            DrawText(QStringLiteral("vereenvoudigd worden"), clr::Red, false, Margin, line, 1, b);
            line += 1.5;
            DrawText(QStringLiteral("tot: "), clr::Red, false, Margin, line, 1, b);
            TextEndX = DrawFraction(expected, b, TextEndX, Round(line * LineHeight), clr::Red);
            line += 1.75;
            points = Trunc((CurrentLevel() + 2.0) / attempt);
            pointsLine();
            if (view_)
                view_->ShowFace(QStringLiteral("smile"));
        } else if (right) {
            if (!estimate || d == 0)
                FeedbackText = PraiseText(ExercisesDone);
            else
                FeedbackText = d == 1   ? QStringLiteral("Bijna goed.")
                               : d == 2 ? QStringLiteral("Er vlak bij.")
                               : d == 3 ? QStringLiteral("In de buurt.")
                                        : QStringLiteral("Jammer !");
            DrawText(FeedbackText, clr::Red, false, Margin, line, 1, b);
            if (view_)
                view_->ShowFace(QStringLiteral("smile"));
            // "Precies" names the exact answer of an answer within the tolerance; the other
            // rounding of an exact half is not off at all.
            if (kind == 1 && GivenInt != ExpectedInt && d <= IntTolerance)
                DrawText(QStringLiteral(" (Precies: ") + QString::number(ExpectedInt) + Unit(*this) + QLatin1Char(')'),
                         clr::Black, false, TextEndX, line, 1, b);
            points = estimate ? estimate(CurrentLevel(), attempt, d) : (CurrentLevel() + 2) * (2 / attempt);
            line += 1.75;
            pointsLine();
        } else {
            DrawText(QStringLiteral("Jammer !"), clr::Black, false, Margin, line, 1, b);
            if (view_)
                view_->ShowFace(QStringLiteral("sad"));
            points = estimate ? -theme->EstimatePenalty : 0;
            DrawText(points < 0 ? QStringLiteral("  Oei, ") + QString::number(-points) + QStringLiteral(" punten eraf!")
                                : QStringLiteral("  Geen punten erbij."),
                     clr::Blue, false, TextEndX, line, 1, b);
            line += 1.5;
            DrawText(QStringLiteral("Het antwoord was: "), clr::Black, false, Margin, line, 1, b);
            line += 1.5;
            DrawText(QString(), clr::Black, false, Margin, line, 1, b);
            if (theme && theme->Explain)
                theme->Explain(*this, line);
            else
                DrawBareAnswer(*this, line);
        }
        Points = std::max(Points + points, 0);
        ShowScore();
        Attempt = 0;
    }
    ShowBitmaps();
    continueShown_ = true;
    if (view_)
        view_->ShowContinueButton(true);
}

}  // namespace velmora
