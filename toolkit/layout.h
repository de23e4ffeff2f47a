#pragma once
// Layout metrics fixed once at start-up, plus the text cursor and the decimal separator.
// These are the program's only globals: drawing code reads like the formulas that use them.
// Tests set them explicitly.
#include <QChar>

namespace velmora {

inline double ScaleFactor = 1.0;         // main window width / 640
inline int Margin = 8;                   // Round(8 x ScaleFactor)
inline int LineHeight = 15;              // picture bitmap height div 26
inline int PictureWidth = 403;           // width of the session's picture bitmap
inline int PictureHeight = 403;          // height of the session's picture bitmap
inline int CharWidth = 8;                // width of "H" in the reference font
inline int RefFontSize = 10;             // reference text size in points (session status line)
inline int MenuStatusFontSize = 17;      // main menu status line size in points (label boxes)
inline int TextEndX = 0;                 // x just right of the text drawn last
inline int TextRowY = 0;                 // pixel row of the last help text line
inline QChar DecSep = QLatin1Char(',');  // the pupil's decimal separator

}  // namespace velmora
