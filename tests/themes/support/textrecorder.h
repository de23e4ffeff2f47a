#pragma once
// Records every text a bitmap draws, with where it ends, so a test can check that a piece of
// a sentence starts where the piece before it ended.
#include "toolkit/canvas.h"

#include <vector>

namespace velmora::test {

struct DrawnText {
    QString Text;
    QColor Colour;
    int X = 0;
    int Y = 0;
    int Right = 0;  // X + the width of the text in its font
    int Size = 0;
};

class TextRecorder {
public:
    void Attach(Bitmap& b);
    void Clear() { Texts.clear(); }
    // The texts drawn with this top, in drawing order.
    std::vector<DrawnText> OnRow(int y) const;
    // The first text drawn with exactly this content; nullptr when none.
    const DrawnText* Find(const QString& text) const;

    std::vector<DrawnText> Texts;
};

}  // namespace velmora::test
