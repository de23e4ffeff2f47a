#pragma once
// The message boxes a pupil sees: readable and placed where the question was asked.
#include "platform/messages.h"

namespace velmora {

// Shows a modal box over the active window, in that window's (scaled) font, with the icon
// of its kind: a warning for input that could not be read, information for notices.
void ShowMessageBox(const QString& text, MessageKind kind);

}  // namespace velmora
