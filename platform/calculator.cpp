#include "calculator.h"

// Placeholder until the X11 implementation lands: every call is a no-op.
namespace velmora {

struct Calculator::Impl {};

Calculator::Calculator() : impl_(std::make_unique<Impl>()) {}
Calculator::~Calculator() = default;
void Calculator::ShowOrStart() {}
void Calculator::ShowWithoutActivating() {}
void Calculator::Hide() {}
void Calculator::ReleaseTopmost() {}
bool Calculator::HasWindow() { return false; }

}  // namespace velmora
