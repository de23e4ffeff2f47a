#pragma once
// The state of the current exercise, shared by the generators and the marking.
#include "toolkit/fraction.h"

#include <QString>

#include <array>

namespace velmora {

// Rotation counters kept by the generators across the exercises of a run; each theme's
// descriptor names the slots it owns.
inline constexpr int CycleSlotCount = 9;

struct ExerciseState {
    int ThemeCode = -1;  // 1..29; 0 before the first exercise; -1 while the main menu is active
    int Points = 0;      // never below 0
    int ExercisesDone = 0;
    int Attempt = 0;          // 0 new exercise due, 1 field entered, 2 second attempt
    int AttemptsAllowed = 2;  // 1 for theme 14
    int StartLevel = 1;
    int PrevTheme = 0;
    int PrevTheme2 = 0;
    int ThemeMask = 0;
    int TickedCount = 0;
    std::array<int, 9> ThemeCycle{};    // rotation counters of the generators
    std::array<int, 31> ThemeMemory{};  // indexed 1..30; -1 at START
    std::array<int, 13> Param{};        // the numbers of the current exercise
    double AnswerLine = 0;
    QString AnswerUnit;
    QString FeedbackText;
    QString WorkText;
    int ExpectedInt = 0;
    int IntTolerance = 0;
    // ExpectedInt is ExpectedReal rounded: at an exact half both neighbours are right (a pupil
    // rounds 30,5 up, the program to the even 30). Cleared for every new exercise.
    bool ExpectedIntIsRounded = false;
    double ExpectedReal = 0;
    double RealTolerance = 0;
    int AnswerDecimals = 0;
    Fraction ExpectedFraction;
    int GivenInt = 0;
    double GivenReal = 0;
    Fraction GivenFraction;
    QString SessionTitle;
    bool Running = false;
};

}  // namespace velmora
