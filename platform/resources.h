#pragma once
// The resource library: a Qt binary resource file beside the executable that holds
// every named bitmap of the program.
#include <QImage>
#include <QString>

namespace velmora {

inline constexpr const char* ResourceLibraryName = "Vizoriv1.rcc";

// Registers the library from the given folder; false when it is missing or unreadable.
bool LoadResourceLibrary(const QString& folder);
void UnloadResourceLibrary();
bool ResourceLibraryLoaded();
// Renders the named bitmap at its own size; a null image when the name is unknown
// or no library is loaded. Pictures without a background get the window face colour.
QImage LoadNamedBitmap(const QString& name);
// The named bitmap stretched by a factor (each side rounded, halves to even). Drawings are
// rendered at that size rather than enlarged afterwards, so they stay sharp.
QImage LoadNamedBitmapScaled(const QString& name, double factor);

}  // namespace velmora
