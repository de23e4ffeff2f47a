#pragma once
// Themes 7 and 24: Stefanie's bicycle trip as a distance-time graph. Theme 7 asks her
// speed in whole km/u from fractions of a kilometre and an hour; theme 24 asks in turn the
// speed, the time and the distance, with two decimals.
#include "session/theme.h"

namespace velmora {

class Random;

namespace speed {
// Param slots: duration t in minutes, distance d in metres (d = t x v), speed v in metres
// a minute (0.06 v km/u).
enum Slot { Minutes = 0, Metres = 1, MetresPerMinute = 2 };
// The question of theme 24 (ThemeMemory entry); theme 7 always asks the speed.
enum Question { AskSpeed = 0, AskTime = 1, AskDistance = 2 };
// The ThemeCycle slot of the previous trip's duration, and its value at START.
inline constexpr int DurationCounter = 2;
inline constexpr int DurationAtStart = 20;
}  // namespace speed

struct Trip {
    int Minutes = 0;
    int MetresPerMinute = 0;
    int Metres() const { return Minutes * MetresPerMinute; }
};

// A new trip for theme 7 or 24 at a level, never as long as the previous one. Draws from
// `random` in the order the generator does.
Trip PoseTrip(int theme, int level, int previousMinutes, Random& random);

void StefanieTrip(Exercise& s);
// After a final wrong answer: in practice the computation (a division of fractions for
// theme 7, the unrounded steps for theme 24), else the answer with its unit.
void ExplainSpeed(Exercise& s, double line);

extern const ThemeDescriptor SpeedFractionTheme;  // 7
extern const ThemeDescriptor SpeedDecimalTheme;   // 24

}  // namespace velmora
