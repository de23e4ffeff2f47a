#pragma once
// The drawing and text commands of help scripts. Every command draws on one target
// bitmap with the fields of the current script line; figures position horizontally in
// percent of the target's width and vertically in text lines.
#include "help/script.h"
#include "toolkit/canvas.h"

namespace velmora {

// Executes one drawing or text line (every tag except the flow commands). Throws
// ScriptError when a numeric field it needs is empty or not a number.
void ExecuteCommand(const ScriptLine& line, const QColor& penColour, Bitmap& target);

// Draws the contents of a fraction info panel: kind is "breuk*", "breuk+", "breuk-" or
// "breuk/" (only the first six characters count; anything else draws nothing).
void TekenInfo(const QString& kind, const QColor& colour, double top, double bottom, double size, Bitmap& canvas);

}  // namespace velmora
