#pragma once
// Themes 16 and 17: a height that changes by the same percentage at every step. Luuk jumps
// higher on the trampoline every time; Youri's basketball comes less high after every bounce.
// The picture is an animation of the jumps or bounces.
#include "session/theme.h"

#include <QImage>
#include <QString>

namespace velmora {

namespace bounce {
// Param slots: the first height h0 in cm, the percentage p per step and the step n asked for.
enum Slot { StartHeight = 0, Percent = 1, Steps = 2 };
inline constexpr int Trampoline = 16;
inline constexpr int Basketball = 17;
inline constexpr int FrameMs = 35;  // one animation frame
}  // namespace bounce

// Where the jumper or the ball moves on the picture, in pixels.
struct BounceStage {
    int Step = 0;       // half the horizontal run of one jump or bounce
    int Speed = 0;      // pixels per frame
    int Rest = 0;       // the sprite's top row when it stands on the bed or lies on the ground
    int Left = 0;       // trampoline: the jumper's left edge; ball: where it starts
    int FirstJump = 0;  // pixel height of the first jump, or of the drop
    int SpriteWidth = 0;
    int SpriteHeight = 0;
};

// The sprite of the theme ("jumpup" or "bal") at its drawn size, with the colour of its
// pixel (1, 1) made transparent; a null image without a resource library. It is rendered
// at the bitmap's device ratio and carries it (its layout size is the same at every ratio).
QImage BounceSprite(int code, double deviceRatio = 1);
// The stage for the current layout, the sprite's size and the exercise's numbers.
BounceStage StageFor(int code, QSize sprite, int startHeight, double expected);
// h0 x (1 +- p/100)^n in cm, unrounded.
double BounceHeight(int code, int startHeight, int percent, int steps);
// The question the picture, the hint and FeedbackText carry.
QString BounceQuestion(int code, int steps);

// Draws p, n and h0 into Param and sets the answer state; draws nothing.
void PoseBounce(Exercise& s);
void Bounce(Exercise& s);
void ExplainBounce(Exercise& s, double line);

extern const ThemeDescriptor TrampolineTheme;  // 16
extern const ThemeDescriptor BasketballTheme;  // 17

}  // namespace velmora
