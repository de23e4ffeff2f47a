#pragma once
// The texts drawn into one bitmap, kept so that a screen reader can read what the pupil
// sees. Fed by the bitmap's TextObserver; the session forgets texts where it paints over
// them (a new exercise, the band the marking clears).
#include "toolkit/canvas.h"

#include <QString>

#include <vector>

namespace velmora {

class DrawnTexts {
public:
    DrawnTexts() = default;
    // The bitmap's observer points at this object: it must not move.
    DrawnTexts(const DrawnTexts&) = delete;
    DrawnTexts& operator=(const DrawnTexts&) = delete;

    // Records every text drawn into bitmap from now on; an observer already there is
    // still told.
    void Listen(Bitmap& bitmap);
    void Record(const TextEvent& event);
    // The whole bitmap was painted over.
    void Clear();
    // The rows top..bottom-1 were painted over: texts whose middle lies there are gone.
    void ClearBand(int top, int bottom);
    // The text lines line1..line2 of a bitmap of that height were cleared (ClearLines).
    void ClearLines(double line1, double line2, int height);
    bool IsEmpty() const { return items_.empty(); }

    // What the bitmap shows as plain text: one line per row of text, top to bottom, each
    // left to right. A stacked fraction reads "3/4", a mixed number "1 1/6", the power of a
    // fraction "(v/3,6)^2", the drawn euro sign "€", the drawn approximately-equal sign "≈".
    QString Reading() const;

private:
    struct Item {
        QString Text;
        int X = 0, Y = 0, Width = 0, Height = 0;
        int Size = 0;
        bool Bold = false;
        QColor Colour;
        bool Merged = false;     // already two texts read as one
        int TextEndXBefore = 0;  // TextEndX when it was drawn
    };
    Item Measure(const TextEvent& event) const;
    bool MergeWithLast(Item& item);
    static bool IsExponentOf(const Item& item, const Item& fraction);
    void Add(Item item);

    std::vector<Item> items_;
    const Bitmap* bitmap_ = nullptr;  // to see a fraction's bar; null when fed by hand
};

}  // namespace velmora
