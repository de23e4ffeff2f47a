#pragma once
// Theme 25: the results of one long-track skater; the pupil adds the points of the distances,
// each the time converted to 500 metres.
#include "session/theme.h"

#include <QString>

#include <array>

namespace velmora {

class Random;

namespace skating {
// Param slots: the sum of the 500 metre times, then the 500 metre time of each distance, all
// in hundredths of a second.
enum Slot { Sum = 0, FirstTime = 1 };
inline constexpr int MaxDistances = 4;
}  // namespace skating

struct SkatingNumbers {
    int Sex = 0;   // 0 man, 1 woman
    int Name = 0;  // 0..2
    int Distances = 2;
    std::array<int, skating::MaxDistances> Time{};  // 500 metre times in hundredths
};

// Draws the skater and the times in the order the exercise uses them.
SkatingNumbers PoseSkating(Random& random, int level);
QString SkaterName(int sex, int name);
// Row 1..4: the distance in metres and its number of 500 metre stretches.
int SkatingMetres(int sex, int row);
int SkatingStretches(int sex, int row);
// A skated time in hundredths as the results list writes it: "6 min 31,80 sec." or "39,07 sec.".
QString SkatingTime(int hundredths);

void SkatingPoints(Exercise& s);

extern const ThemeDescriptor SkatingTheme;  // 25

}  // namespace velmora
