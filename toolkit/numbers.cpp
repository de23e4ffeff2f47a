#include "numbers.h"

#include "platform/messages.h"

#include <QDateTime>
#include <climits>
#include <cmath>

namespace velmora {

int Round(double x)
{
    return static_cast<int>(std::nearbyint(x));
}

int Trunc(double x)
{
    return static_cast<int>(std::trunc(x));
}

int Gcd(int a, int b)
{
    long long r = std::llabs(static_cast<long long>(a));
    long long c = std::llabs(static_cast<long long>(b));
    if (c > r)
        std::swap(r, c);
    while (c != 0) {
        const long long t = r % c;
        r = c;
        c = t;
    }
    return static_cast<int>(r);
}

int MaxInt(int a, int b)
{
    return a > b ? a : b;
}
int MinInt(int a, int b)
{
    return a < b ? a : b;
}
double MaxReal(double a, double b)
{
    return a > b ? a : b;
}

QString TrimSpaces(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

double Power(double base, double exponent)
{
    if (base == 0) {
        ShowMessage(QStringLiteral("Error: Macht van 0 bestaat niet!"));
        return 0;
    }
    const double fraction = exponent - std::trunc(exponent);
    if (base < 0 && fraction < 1e-8) {
        const double sign = (Round(exponent) % 2 != 0) ? -1.0 : 1.0;
        return sign * std::exp(exponent * std::log(-base));
    }
    return std::exp(exponent * std::log(base));
}

double ArcSin(double x)
{
    return std::atan(x / std::sqrt(1 - x * x));
}

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const long long p = static_cast<long long>(a) * b;
    const long long half = std::llabs(static_cast<long long>(c)) / 2;
    const long long q = (p >= 0) == (c > 0) ? (std::llabs(p) + half) / std::llabs(static_cast<long long>(c))
                                            : -((std::llabs(p) + half) / std::llabs(static_cast<long long>(c)));
    return static_cast<int>(q);
}

bool StrToIntChecked(const QString& text, int& value)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    if (i >= text.size())
        return false;
    long long v = 0;
    for (; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return false;
        v = v * 10 + (ch.unicode() - '0');
        if (v > static_cast<long long>(INT_MAX) + 1)
            return false;
    }
    if (negative)
        v = -v;
    if (v > INT_MAX || v < INT_MIN)
        return false;
    value = static_cast<int>(v);
    return true;
}

void Random::SeedFromClock()
{
    seed_ = static_cast<std::uint32_t>(QDateTime::currentMSecsSinceEpoch());
}

int Random::operator()(int k)
{
    Step();
    if (k <= 0)
        return 0;
    return static_cast<int>((static_cast<std::uint64_t>(seed_) * static_cast<std::uint32_t>(k)) >> 32);
}

double Random::Real()
{
    Step();
    return static_cast<double>(seed_) / 4294967296.0;
}

}  // namespace velmora
