#pragma once
// The resource library: a Qt binary resource file beside the executable that holds
// every named bitmap of the program.
#include <QImage>
#include <QString>
#include <QStringList>

#include <vector>

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
// The application icon at each of the given sizes, with its transparent corners; none without
// a library.
std::vector<QImage> LoadAppIcons(const std::vector<int>& sizes);
// Renders the named bitmap at its own size; a null image when the name is unknown
// or no library is loaded. Pictures without a background get the window face colour.
QImage LoadNamedBitmap(const QString& name);
// The named bitmap stretched by a factor (each side rounded, halves to even). Drawings are
// rendered at that size rather than enlarged afterwards, so they stay sharp.
QImage LoadNamedBitmapScaled(const QString& name, double factor);
// The same rendered at a device pixel ratio, which the image carries: its layout size is that
// of LoadNamedBitmapScaled (give or take a rounding), its detail that of the screen.
QImage LoadNamedBitmapAtRatio(const QString& name, double factor, double deviceRatio);
// A drawing (an SVG file) rendered on the window face colour at factor times its own size, as
// the named bitmaps are; the build renders the logo with it ahead of time.
QImage RenderDrawing(const QString& svgPath, double factor);

}  // namespace velmora
