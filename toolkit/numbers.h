#pragma once
// Rounding, integer helpers and the seedable random source.
#include <QString>
#include <cstdint>

namespace velmora {

// Halves go to the even neighbour (2.5 -> 2, 3.5 -> 4), everywhere in the program.
int Round(double x);
// Cuts toward zero.
int Trunc(double x);
int Gcd(int a, int b);
int MaxInt(int a, int b);
int MinInt(int a, int b);
double MaxReal(double a, double b);
// Removes leading and trailing spaces only (tabs stay).
QString TrimSpaces(const QString& text);
// base^exponent; base 0 shows a message and returns 0.
double Power(double base, double exponent);
double ArcSin(double x);
// Delphi-like MulDiv: a * b / c rounded, 64-bit intermediate.
int MulDiv(int a, int b, int c);
// Parses an optional sign and digits (leading spaces allowed, nothing after the
// digits); false on anything else or on a value outside 32 bits.
bool StrToIntChecked(const QString& text, int& value);

// A 32-bit linear congruential generator: simple, portable and reproducible.
class Random {
public:
    explicit Random(std::uint32_t seed = 0) : seed_(seed) {}
    void Seed(std::uint32_t seed) { seed_ = seed; }
    void SeedFromClock();
    std::uint32_t SeedValue() const { return seed_; }
    // Uniform integer 0..k-1 (0 when k <= 0).
    int operator()(int k);
    // Uniform real in [0, 1).
    double Real();

private:
    void Step() { seed_ = seed_ * 134775813u + 1u; }
    std::uint32_t seed_;
};

}  // namespace velmora
