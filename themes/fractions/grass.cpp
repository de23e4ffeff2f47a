// Themes 1, 2, 3 and 23: grass in the garden.
#include "grass.h"

#include <algorithm>

namespace velmora {

int GrassEstimatePoints(int level, int attempt, long long d)
{
    attempt = std::max(attempt, 1);
    if (level == 1)
        return static_cast<int>(std::max(0LL, (8 - 2 * d) / attempt));
    const int table = d == 0 ? 8 : d == 1 ? 4 : d == 2 ? 2 : 0;
    return table / attempt;
}

}  // namespace velmora
