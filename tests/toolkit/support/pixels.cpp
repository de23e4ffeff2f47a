#include "pixels.h"

#include "toolkit/layout.h"

namespace velmora::testing {

int InkCount(const Bitmap& bitmap, const QRect& area, const QColor& background)
{
    int count = 0;
    const QRect r = area.intersected(QRect(0, 0, bitmap.Width(), bitmap.Height()));
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (bitmap.Pixel(x, y) != background)
                ++count;
    return count;
}

QRect InkBox(const Bitmap& bitmap, const QColor& background)
{
    QRect box;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (bitmap.Pixel(x, y) != background)
                box = box.united(QRect(x, y, 1, 1));
    return box;
}

int ColourCount(const Bitmap& bitmap, const QRect& area, const QColor& colour)
{
    int count = 0;
    const QRect r = area.intersected(QRect(0, 0, bitmap.Width(), bitmap.Height()));
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (bitmap.Pixel(x, y) == colour)
                ++count;
    return count;
}

void UseLayout1024()
{
    ScaleFactor = 1.6;
    Margin = 13;
    PictureWidth = 620;
    PictureHeight = 598;
    LineHeight = PictureHeight / 26;
    RefFontSize = 13;
    MenuStatusFontSize = 26;
    TextEndX = 0;
}

}  // namespace velmora::testing
