#pragma once
// Themes 1, 2, 3 and 23: grass in the garden.
#include "session/theme.h"

namespace velmora {

// Theme 3 is an estimate: points for a right answer d percent off. Level 1 loses 2 points
// a percent; the higher levels give 8, 4 or 2 for 0, 1 or 2 off. A second attempt halves.
int GrassEstimatePoints(int level, int attempt, long long d);

}  // namespace velmora
