#pragma once
// Exact fractions: value = Sign x (Whole + Num / Den). Den = 0 marks an invalid value.
#include <QString>

namespace velmora {

struct Fraction {
    int Sign = 1;
    int Whole = 0;
    int Num = 0;
    int Den = 1;
};

bool operator==(const Fraction& a, const Fraction& b);

// Canonical record: whole part taken out, the rest in lowest terms. Works in 64 bits;
// callers keep values inside 32 bits (typed input is range-checked by StrToFraction).
Fraction Simplify(const Fraction& f);
Fraction FracAdd(const Fraction& a, const Fraction& b);
Fraction FracSub(const Fraction& a, const Fraction& b);
Fraction FracMul(const Fraction& a, const Fraction& b);
// result := a / b; when b is zero the result is left as it was.
void FracDiv(const Fraction& a, const Fraction& b, Fraction& result);
// a / b as a value; an invalid fraction (Den 0) when b is zero.
Fraction FracDiv(const Fraction& a, const Fraction& b);
Fraction IntMulFrac(int k, const Fraction& f);
Fraction IntToFraction(int k);
double FractionToReal(const Fraction& f);
int FracSign(const Fraction& f);
bool FracEqual(const Fraction& a, const Fraction& b);
long long ImproperNumerator(const Fraction& f);
// Accepts an integer or a fraction as typed by a pupil ("3/4", "2 3/4", "-1 1/2").
// Rejects numbers whose improper numerator or denominator does not fit in 32 bits.
bool StrToFraction(const QString& text, Fraction& f);

}  // namespace velmora
