#pragma once
// The resource library: a Qt binary resource file beside the executable that holds
// every named bitmap of the program.
#include <QImage>
#include <QString>
#include <QStringList>

namespace velmora {

inline constexpr const char* ResourceLibraryName = "Vizoriv1.rcc";

// Where the program's files may be: beside the executable (a build folder), then the
// installed data folder (share/velmora1 next to bin/).
QStringList DataFolders();
// The first data folder that holds the file; the executable's folder when none does.
QString FindDataFolder(const QString& fileName);
// A help script: the current folder first (where the program was started), then the data
// folders. The bare name when it is nowhere, so that reading it fails as usual.
QString FindHelpScript(const QString& fileName);

// Registers the library from the given folder; false when it is missing or unreadable.
bool LoadResourceLibrary(const QString& folder);
void UnloadResourceLibrary();
bool ResourceLibraryLoaded();
// The application icon at the given size, with its transparent corners; null without a library.
QImage LoadAppIcon(int size);
// Renders the named bitmap at its own size; a null image when the name is unknown
// or no library is loaded. Pictures without a background get the window face colour.
QImage LoadNamedBitmap(const QString& name);
// The named bitmap stretched by a factor (each side rounded, halves to even). Drawings are
// rendered at that size rather than enlarged afterwards, so they stay sharp.
QImage LoadNamedBitmapScaled(const QString& name, double factor);
// The same rendered at a device pixel ratio, which the image carries: its layout size is that
// of LoadNamedBitmapScaled (give or take a rounding), its detail that of the screen.
QImage LoadNamedBitmapAtRatio(const QString& name, double factor, double deviceRatio);

}  // namespace velmora
