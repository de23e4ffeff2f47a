#pragma once
// Theme 26: coffee beans go from the farmer through a factory and a wholesaler to a shop;
// every seller adds a profit percentage. The pupil follows the chain forward from the
// production cost, or backward from a later price or profit to the production cost.
#include "session/theme.h"

#include <QString>

#include <array>

namespace velmora {

class Random;

namespace chain {
// Param slots: the production cost in whole dollars (forward) or the given amount in cents
// (backward), then the four profit percentages of the farmer, factory, wholesaler and shop.
enum Slot { Base = 0, Markup1 = 1, Markup2 = 2, Markup3 = 3, Markup4 = 4 };
inline constexpr int Stages = 5;
}  // namespace chain

// One exercise's numbers. The question k is signed: k > 0 asks quantity k from the
// production cost, k < 0 gives quantity |k| and asks the production cost.
struct ChainNumbers {
    int K = 0;
    int Base = 0;  // dollars (k > 0) or cents (k < 0)
    std::array<int, 4> Markup{};
};

// Draws k (never the previous one) and the numbers in the order the exercise uses them.
ChainNumbers PoseChain(Random& random, int level, int previousK);
// The quantity |k| asks about, as it is named in the question (also the answer hint).
QString ChainLabel(int k);
// The expected answer in dollars, unrounded.
double ChainAnswer(const ChainNumbers& n);
// Trade steps the scheme shows: enough to reach the stage quantity |k| belongs to.
int ChainSteps(int k);

void SalesChain(Exercise& s);

extern const ThemeDescriptor SalesChainTheme;  // 26

}  // namespace velmora
