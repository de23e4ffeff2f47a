#include "sessionlayout.h"

#include "toolkit/layout.h"
#include "toolkit/numbers.h"
#include "toolkit/scale.h"
#include "toolkit/text.h"

#include <algorithm>

namespace velmora {

double SessionScale(QSize workArea)
{
    return DesignScale::ForWorkArea(workArea).Factor();
}

SessionGeometry ComputeSessionGeometry(QSize client, double f)
{
    const DesignScale S(f);
    SessionGeometry g;
    g.Factor = f;
    const int statusHeight = S(43);
    g.StatusBalk = QRect(0, client.height() - statusHeight, client.width(), statusHeight);
    g.Tekst = S(0, 3, 228, 403);
    g.Plaatje = S(230, 3, 403, 403);
    g.ScorePanel = S(3, 350, 223, 56);
    g.NivoBox = S(3, 285, 223, 121);
    g.StartButton = S(124, 305, 98, 94);
    g.InvoerPanel = S(3, 200, 223, 38);
    g.GebruikPanel = S(3, 240, 223, 35);
    g.ContinueButton = S(3, 5, 223, 30);
    g.StatusFontPixels = S(16);

    g.Plaatje.setHeight(client.height() - statusHeight - 2 * g.Plaatje.top());
    g.Plaatje.setWidth(client.width() - g.Plaatje.left() - Margin);
    g.KeuzeBox = g.Plaatje;
    g.NivoBox.moveTop(g.StatusBalk.top() - g.Tekst.top() - g.NivoBox.height());
    g.StartButton.moveTop(g.NivoBox.top() + Round(20 * ScaleFactor));
    g.ScorePanel.moveTop(g.StatusBalk.top() - g.ScorePanel.height() - g.Tekst.top());
    g.Tekst.setHeight(client.height() - statusHeight);
    return g;
}

void ApplySessionMetrics(const SessionGeometry& g, Bitmap& textBitmap, Bitmap& pictureBitmap)
{
    pictureBitmap.SetDevicePixelRatio(g.PixelRatio);
    textBitmap.SetDevicePixelRatio(g.PixelRatio);
    pictureBitmap.SetSize(g.Plaatje.width(), g.Plaatje.height());
    textBitmap.SetSize(g.Tekst.width(), g.Tekst.height());
    LineHeight = std::max(1, pictureBitmap.Height() / 26);
    PictureWidth = pictureBitmap.Width();
    PictureHeight = pictureBitmap.Height();
    // The status line's font in points, lowered until a line of text fits in LineHeight.
    FontState font;
    font.Size = std::max(1, Round(g.StatusFontPixels * 72.0 / 96.0));
    Bitmap probe(1, 1);
    probe.Font = font;
    while (probe.Font.Size > 1 && probe.TextHeight(QStringLiteral("Hj")) > LineHeight)
        --probe.Font.Size;
    RefFontSize = probe.Font.Size;
    CharWidth = probe.TextWidth(QStringLiteral("H"));
    textBitmap.Font = probe.Font;
    pictureBitmap.Font = probe.Font;
}

SessionGeometry UseScreenLayout(QSize screen, Bitmap& textBitmap, Bitmap& pictureBitmap, double pixelRatio)
{
    ScaleFactor = screen.width() / 640.0;
    Margin = Round(8 * ScaleFactor);
    SessionGeometry g = ComputeSessionGeometry(screen, SessionScale(screen));
    g.PixelRatio = pixelRatio;
    ApplySessionMetrics(g, textBitmap, pictureBitmap);
    return g;
}

void ApplySessionMetrics(const SessionGeometry& g, Exercise& exercise)
{
    ApplySessionMetrics(g, exercise.TextBitmap, exercise.PictureBitmap);
    exercise.TextTexts.Clear();
    exercise.PictureTexts.Clear();
    exercise.SetContinueButtonTop(g.ScorePanel.top() - g.ContinueButton.height() - 1);
}

SessionGeometry UseScreenLayout(QSize screen, Exercise& exercise, double pixelRatio)
{
    const SessionGeometry g = UseScreenLayout(screen, exercise.TextBitmap, exercise.PictureBitmap, pixelRatio);
    exercise.SetContinueButtonTop(g.ScorePanel.top() - g.ContinueButton.height() - 1);
    return g;
}

QImage DrawLevelGlyph(int levelIndex, int fontPixels, double pixelRatio)
{
    const int width = Round(60 * ScaleFactor);
    Bitmap glyph(width, std::max(1, Round(0.7 * width)), pixelRatio);
    FillBitmap(glyph, clr::BtnFace);
    glyph.Font.Size = std::max(1, Round(fontPixels * 72.0 / 96.0));
    glyph.Font.Bold = true;
    glyph.Font.Color = clr::Purple;
    // The window font is a little wide for the glyph at some screen sizes: never clip the word.
    while (glyph.Font.Size > 1 && glyph.TextWidth(QStringLiteral("NIVEAU")) > width - 2 * Round(ScaleFactor))
        --glyph.Font.Size;
    glyph.TextOut(Round(ScaleFactor), 1, QStringLiteral("NIVEAU"));
    glyph.Font.Bold = false;
    glyph.Font.Color = clr::Blue;
    const int y = Round(1.25 * LineHeight);
    if (levelIndex == 0)
        glyph.TextOut(Round(3 * ScaleFactor), y, QStringLiteral("Starter"));
    else if (levelIndex == 1)
        glyph.TextOut(Round(4 * ScaleFactor), y, QStringLiteral("Durver"));
    else
        glyph.TextOut(Round(10 * ScaleFactor), y, QStringLiteral("Prof !"));
    return glyph.Image();
}

}  // namespace velmora
