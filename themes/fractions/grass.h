#pragma once
// Themes 1, 2, 3 and 23: grass in the garden. A garden of W by H squares with grass on a
// rectangle or on one or two right triangles (or everywhere but there); the pupil gives
// the covered part as a fraction (1), a whole percentage (2), an estimate (3) or a
// percentage with two decimals (23).
#include "session/theme.h"

#include <QString>

namespace velmora {

class Random;

namespace grass {
// Param slots: the garden (W by H), the grass shape's sides or legs (w, h), and the
// covered part N/D in whole or half squares.
enum Slot { GardenWidth = 1, GardenHeight = 2, ShapeWidth = 3, ShapeHeight = 4, Covered = 5, Area = 6 };
// The ThemeCycle slot of the size index of the previous garden (themes 1, 2 and 3).
inline constexpr int SizeIndexCounter = 0;
inline constexpr int VariantCount = 6;
}  // namespace grass

// One posed garden: the variant c (shape), the size index j (0 for theme 23) and the numbers.
struct GrassNumbers {
    int Variant = 1;
    int SizeIndex = 0;
    int W = 0, H = 0, w = 0, h = 0;
    int N = 0, D = 1;
};

// The caption of shape variant 0..5 ("Rechthoekig grasveld", ...).
QString GrassCaption(int variant);
// The variant after `previous`: round the 4 shapes at Starter or all 6 above it; a
// rectangle while fewer than 3 exercises are done.
int NextGrassVariant(int previous, int level, int exercisesDone);
// The numbers of a new garden for the theme, level and variant, never with the size index
// of the previous garden (themes 1-3). Draws from `random` in the order the generator does.
GrassNumbers PoseGrass(int theme, int level, int variant, int previousIndex, Random& random);
// The covered part N/D of a garden with this variant and these sides.
void GrassCoveredPart(int variant, int W, int H, int w, int h, int& N, int& D);

// Theme 3 is an estimate: points for a right answer d percent off. Level 1 loses 2 points
// a percent; the higher levels give 8, 4 or 2 for 0, 1 or 2 off. A second attempt halves.
int GrassEstimatePoints(int level, int attempt, long long d);

void GrassGarden(Exercise& s);
// After a final wrong answer on themes 1-3: the product of the shape's fractions in
// practice, then the covered part (and for 2 and 3 the percentage it makes).
void ExplainGrass(Exercise& s, double line);

extern const ThemeDescriptor GrassPartTheme;      // 1
extern const ThemeDescriptor GrassPercentTheme;   // 2
extern const ThemeDescriptor GrassEstimateTheme;  // 3
extern const ThemeDescriptor GrassDecimalTheme;   // 23

}  // namespace velmora
