#pragma once
// Theme 29: a formula from a small story (or an arbitrary formula in x) with values for its
// letters; the pupil substitutes them with the calculator.
#include "session/theme.h"

#include <QColor>
#include <QString>

#include <array>
#include <initializer_list>

namespace velmora {

class Bitmap;
class Random;

namespace formulas {

// The stories; variants 4..8 are the five forms of an arbitrary formula (form = v - 4).
enum Variant { Energy = 0, Cinema = 1, Helicopter = 2, Medicine = 3, FirstForm = 4, LastForm = 8, Traffic = 9 };
inline constexpr int VariantCount = 10;

// Param slots, per story: what the question needs again on a second attempt.
enum CinemaSlot { PriceCents = 0, SubQuestion = 1 };                       // SubQuestion 0: visitors, 1: turnover
enum EnergySlot { Sex = 1 };                                               // 0 woman, 1 man
enum MedicineSlot { Age = 0, AdultDoseTenths = 1 };                        // years; tenths of a mg
enum TrafficSlot { SpeedHundredths = 0, CarLengthCm = 1, SpeedUnit = 2 };  // km/u x 100; 0 m/s, 1 km/u
enum FormSlot { XTenths = 0, Form = 1 };

// Each story draws its picture and sets the answer (Pose, new exercise only), and draws its
// question into the text bitmap and sets AnswerLine (Ask, every attempt).
void PoseEnergy(Exercise& s);
void AskEnergy(Exercise& s);
void PoseCinema(Exercise& s);
void AskCinema(Exercise& s);
void PoseHelicopter(Exercise& s);
void AskHelicopter(Exercise& s);
void PoseMedicine(Exercise& s);
void AskMedicine(Exercise& s);
void PoseTraffic(Exercise& s);
void AskTraffic(Exercise& s);

// A text of a story picture: at the margin, or at a percentage of the picture width.
struct StoryText {
    double Line;
    const char* Text;  // UTF-8
    QColor Colour = QColor(0, 0, 0);
    double AtPct = -1;  // -1: the margin
};
void DrawStoryTexts(Bitmap& b, std::initializer_list<StoryText> texts);
void DrawStoryTitle(Bitmap& b, const char* title);

}  // namespace formulas

// The numbers of an arbitrary formula, all in tenths, exactly as shown.
struct FormulaNumbers {
    int Form = 0;            // 0..4
    std::array<int, 4> C{};  // c1..c4
    int X = 0;
};

// y as an exact ratio of integers.
struct ExactValue {
    long long Num = 0;
    long long Den = 1;
    bool Whole() const { return Den != 0 && Num % Den == 0; }
    double Value() const { return double(Num) / double(Den); }
};

// Picks the next story: never one of the last two, and the energy story neither among the
// first two after START nor at Prof ! outside the mixed mode. Memory holds the last two
// variants as 10 x before-last + last (-1 after START).
int ChooseFormulaVariant(Random& random, int level, bool mixed, int& memory);
// Draws the five numbers of form 0..4 and fits them to the level.
FormulaNumbers PoseFormula(Random& random, int level, int form);
// The smallest x from the given one on, in steps of 1, where form 4's denominator is not 0.
int FormFourX(const std::array<int, 4>& c, int x);
ExactValue FormulaValue(const FormulaNumbers& n);
// The size of a coefficient in tenths: "3" when whole, else "2,30".
QString CoefficientText(int tenths);

void FormulaSubstitution(Exercise& s);

extern const ThemeDescriptor FormulaTheme;  // 29

}  // namespace velmora
