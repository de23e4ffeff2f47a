#pragma once
// Theme 8: a terrace of W by H tile units (mixed numbers), laid with whole square tiles; the
// pupil gives the area of the yellow part.
#include "session/theme.h"
#include "toolkit/fraction.h"

namespace velmora {

namespace tiles {
// Param slots: the tile columns n and rows m, and the terrace's width W and height H as
// improper fractions in lowest terms (numerator, denominator).
enum Slot { Columns = 1, Rows = 2, WidthNum = 3, WidthDen = 4, HeightNum = 5, HeightDen = 6 };
inline constexpr int VariantCount = 8;  // Starter uses the first six
// ThemeCycle slot: the size limit of the previous exercise.
inline constexpr int PreviousLimitCounter = 3;
}  // namespace tiles

// The area of the yellow part of variant 0..7 of a W by H terrace, in lowest terms.
Fraction TileArea(int variant, const Fraction& width, const Fraction& height);

// Draws the numbers of a new exercise and sets the expected answer, without drawing.
void PoseTiles(Exercise& s);
void TerraceTiles(Exercise& s);

extern const ThemeDescriptor TilesTheme;  // 8

}  // namespace velmora
