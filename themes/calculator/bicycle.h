#pragma once
// Theme 28: Diana rides part of a lap on a round track; her dashboard counts laps, metres,
// radius lengths and degrees. One counter is given, another is asked.
#include "session/theme.h"

#include <QString>

namespace velmora {

class Random;

namespace bicycle {
// Param slots: the track's radius in metres, the ride in hundredths of a lap, the given
// and the asked counter.
enum Slot { Radius = 0, Hundredths = 1, Given = 2, Asked = 3 };
// The counters, in the order the dashboard shows them left to right: ronden, afstand,
// straal, graad.
enum Counter { Ronden = 1, Straal = 2, Graad = 3, Afstand = 4 };
}  // namespace bicycle

struct RidePose {
    int Radius = 25;      // metres
    int Hundredths = 15;  // of a lap
    int Given = bicycle::Ronden;
    int Asked = bicycle::Straal;
};

// Draws the track, the ride and the two counters (the given one never the previous one).
RidePose PoseRide(Random& random, int level, int previousGiven);
// What a counter shows after the ride, in hundredths (laps, radius lengths, degrees, metres).
long long CounterHundredths(int counter, int radius, int hundredths);
// The shown value with two decimals, as on the dashboard.
QString CounterText(int counter, int radius, int hundredths);
// The asked counter, computed from the given counter's shown value.
double RideAnswer(const RidePose& pose);
// "ronden-teller", "straal-teller", ...
QString CounterName(int counter);

void BicycleCounters(Exercise& s);

extern const ThemeDescriptor BicycleTheme;  // 28

}  // namespace velmora
