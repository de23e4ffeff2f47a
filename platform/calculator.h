#pragma once
// The pupil's calculator: a separate desktop calculator program that the session window
// starts, shows, hides, raises and keeps on top. Without an X11 display (offscreen,
// Wayland) or without a calculator program every call is a harmless no-op.
#include <memory>

namespace velmora {

class Calculator {
public:
    Calculator();
    ~Calculator();
    Calculator(const Calculator&) = delete;
    Calculator& operator=(const Calculator&) = delete;

    // The calculator button: start the program when none runs, else restore and raise
    // it; then keep it on top.
    void ShowOrStart();
    // A calculator theme comes up: show an open calculator again without taking the focus.
    void ShowWithoutActivating();
    // A pen-and-paper theme comes up: hide an open calculator.
    void Hide();
    // Program exit: take away the on-top state, leave the calculator shown.
    void ReleaseTopmost();
    // True when a calculator window is known and exists.
    bool HasWindow();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace velmora
