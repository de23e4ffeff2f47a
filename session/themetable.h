#pragma once
// The theme table: the descriptors of all themes, listed explicitly (the core is a static
// library, so self-registration would let the linker drop themes nobody references).
#include "session/theme.h"

#include <QString>

#include <span>

namespace velmora {

// Every theme that has a descriptor, in code order.
std::span<const ThemeDescriptor* const> AllThemes();
// The descriptor of a code; nullptr for 10, 30 and codes outside 1..30.
const ThemeDescriptor* FindTheme(int code);
// A copy of the descriptor of a code; one with Code 0 (and no generator) where there is none.
ThemeDescriptor ThemeFacts(int code);
// The check-box title of a code; empty for 10, 30 and codes outside 1..30.
QString ThemeTitle(int code);
// Problems in the table (codes out of range or twice, no generator, title or help topic,
// rotation counters shared between generators); empty when it is sound.
QString CheckThemeTable(std::span<const ThemeDescriptor* const> themes = AllThemes());

}  // namespace velmora
