#pragma once
// The pupil's calculator: a separate desktop calculator program that the session window
// starts, shows, hides, raises and keeps on top. Without an X11 display (offscreen,
// Wayland) or without a calculator program every call is a harmless no-op.
// ShowOrStart waits up to 5 s for a new calculator's window while Qt keeps handling
// events (an event handler may even delete the Calculator meanwhile); the other calls
// only talk to the X server and return at once.
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
    // Program exit: take away the on-top state, leave the calculator shown (a hidden one is
    // shown again: it outlives us, and the pupil must be able to see and close it).
    void ReleaseTopmost();
    // True when a calculator window is known and exists.
    bool HasWindow();
    // The calculator window's X11 id, 0 when none is known or it is gone.
    unsigned long WindowId();
    // The id of the calculator process this object started while it still runs, else 0.
    // The process is left running when the program exits (the pupil may still use it);
    // tools and tests that start one use this to end it.
    long long ProcessId() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace velmora
