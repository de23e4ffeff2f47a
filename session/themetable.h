#pragma once
// The theme table: every theme code with its check-box title and its generator.
#include <QString>

namespace velmora {

class Session;
using ThemeGenerator = void (*)(Session&);

inline constexpr int FirstThemeCode = 1;
inline constexpr int LastThemeCode = 30;

// The check-box title of a code; empty for 10, 30 and codes outside 1..30.
QString ThemeTitle(int code);
// The generator of a code; nullptr while the theme has none (and for 10, 30, out of range).
ThemeGenerator ThemeGeneratorFor(int code);

}  // namespace velmora
