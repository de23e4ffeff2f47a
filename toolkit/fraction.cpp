#include "fraction.h"

#include "numbers.h"

#include <climits>
#include <cstdlib>
#include <numeric>

namespace velmora {

namespace {

struct Wide {
    int sign;
    long long whole, num, den;
};

bool FitsInt(long long v)
{
    return v >= INT_MIN && v <= INT_MAX;
}

Fraction Narrow(const Wide& w)
{
    return Fraction{w.sign, static_cast<int>(w.whole), static_cast<int>(w.num), static_cast<int>(w.den)};
}

Fraction SimplifyWide(Wide f)
{
    long long w = std::llabs(f.whole);
    long long n = std::llabs(f.num);
    long long d = std::llabs(f.den);
    if (d == 0)
        return Narrow({f.sign, w, n, d});
    if (d < n) {
        w += n / d;
        n %= d;
    }
    const long long g = std::gcd(n, d);
    if (g > 1) {
        n /= g;
        d /= g;
    }
    if (d == 1) {
        w += n;
        n = 0;
    }
    return Narrow({f.sign, w, n, d});
}

long long Improper(const Fraction& f)
{
    return static_cast<long long>(f.Sign) * (static_cast<long long>(f.Num) + static_cast<long long>(f.Whole) * f.Den);
}

Fraction FromSignedRatio(long long n, long long d)
{
    return SimplifyWide({n >= 0 ? 1 : -1, 0, std::llabs(n), d});
}

Fraction AddOrSub(const Fraction& a, const Fraction& b, int op)
{
    const long long den = static_cast<long long>(a.Den) * b.Den;
    const long long n = static_cast<long long>(b.Den) * Improper(a) + op * static_cast<long long>(a.Den) * Improper(b);
    return FromSignedRatio(n, den);
}

bool ParsePart(const QString& digits, long long& value)
{
    value = 0;
    for (const QChar ch : digits) {
        value = value * 10 + (ch.unicode() - '0');
        if (value > INT_MAX)
            return false;
    }
    return true;
}

}  // namespace

bool operator==(const Fraction& a, const Fraction& b)
{
    return a.Sign == b.Sign && a.Whole == b.Whole && a.Num == b.Num && a.Den == b.Den;
}

Fraction Simplify(const Fraction& f)
{
    return SimplifyWide({f.Sign, f.Whole, f.Num, f.Den});
}

Fraction FracAdd(const Fraction& a, const Fraction& b)
{
    return AddOrSub(a, b, +1);
}
Fraction FracSub(const Fraction& a, const Fraction& b)
{
    return AddOrSub(a, b, -1);
}

Fraction FracMul(const Fraction& a, const Fraction& b)
{
    const long long n =
        (static_cast<long long>(a.Whole) * a.Den + a.Num) * (static_cast<long long>(b.Whole) * b.Den + b.Num);
    return SimplifyWide({a.Sign * b.Sign, 0, n, static_cast<long long>(a.Den) * b.Den});
}

void FracDiv(const Fraction& a, const Fraction& b, Fraction& result)
{
    if (FracSign(b) == 0)
        return;
    const long long recipDen = static_cast<long long>(b.Whole) * b.Den + b.Num;
    const long long n = (static_cast<long long>(a.Whole) * a.Den + a.Num) * b.Den;
    result = SimplifyWide({a.Sign * b.Sign, 0, n, static_cast<long long>(a.Den) * recipDen});
}

Fraction FracDiv(const Fraction& a, const Fraction& b)
{
    Fraction result{1, 0, 0, 0};
    FracDiv(a, b, result);
    return result;
}

Fraction IntMulFrac(int k, const Fraction& f)
{
    return FracMul(IntToFraction(k), f);
}

Fraction IntToFraction(int k)
{
    return Fraction{k >= 0 ? 1 : -1, static_cast<int>(std::llabs(static_cast<long long>(k))), 0, 1};
}

double FractionToReal(const Fraction& f)
{
    return f.Sign * (static_cast<double>(f.Num) / f.Den + f.Whole);
}

int FracSign(const Fraction& f)
{
    return (f.Whole == 0 && f.Num == 0) ? 0 : f.Sign;
}

bool FracEqual(const Fraction& a, const Fraction& b)
{
    return Simplify(a) == Simplify(b);
}

long long ImproperNumerator(const Fraction& f)
{
    return Improper(f);
}

bool StrToFraction(const QString& text, Fraction& f)
{
    int k = 0;
    if (StrToIntChecked(text, k)) {
        f = IntToFraction(k);
        return true;
    }
    QString rest = TrimSpaces(text);
    int sign = 1;
    if (rest.startsWith(QLatin1Char('-'))) {
        sign = -1;
        rest = TrimSpaces(rest.mid(1));
    }
    QString parts[5];
    int i = 1;
    for (qsizetype pos = 0; pos < rest.size() && i <= 4; ++pos) {
        const QChar ch = rest.at(pos);
        if (ch == QLatin1Char(' ')) {
            if (!parts[i].isEmpty())
                ++i;
        } else if (ch == QLatin1Char('/')) {
            if (i == 4)
                return false;
            if (i == 1) {
                parts[2] = parts[1];
                parts[1].clear();
            }
            i = 4;
        } else if (ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) {
            parts[i].append(ch);
        } else {
            return false;
        }
    }
    if (i > 4 || i == 2)
        return false;
    long long whole = 0, num = 0, den = 0;
    if (!ParsePart(parts[1], whole) || !ParsePart(parts[2], num) || !ParsePart(parts[4], den) || den == 0)
        return false;
    // The value must stay representable: the marking simplifies it in 32 bits.
    if (!FitsInt(whole * den + num))
        return false;
    f = Fraction{sign, static_cast<int>(whole), static_cast<int>(num), static_cast<int>(den)};
    return true;
}

}  // namespace velmora
