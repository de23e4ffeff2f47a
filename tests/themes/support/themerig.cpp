#include "themerig.h"

#include "toolkit/layout.h"
#include "toolkit/text.h"

namespace velmora::test {

namespace {

// Session window client area on that screen, scaled by 738 / 480 from the design.
constexpr int PictureW = 649, PictureH = 628;
constexpr int TextW = 351, TextH = 638;

}  // namespace

void SetLayout1024x768()
{
    ScaleFactor = 1.6;
    Margin = 13;
    PictureWidth = PictureW;
    PictureHeight = PictureH;
    LineHeight = PictureH / 26;
    // The reference size: the status line's font, lowered until "Hj" fits in a line.
    Bitmap probe(8, 8);
    probe.Font.Size = 19;
    while (probe.Font.Size > 1 && probe.TextHeight(QStringLiteral("Hj")) > LineHeight)
        --probe.Font.Size;
    RefFontSize = probe.Font.Size;
    CharWidth = probe.TextWidth(QStringLiteral("H"));
    DecSep = QLatin1Char(',');
}

ThemeRig::ThemeRig(Generator generator, int themeCode, int level, std::uint32_t seed)
    : generator_(generator), themeCode_(themeCode)
{
    SetLayout1024x768();
    s.PictureBitmap.SetSize(PictureW, PictureH);
    s.TextBitmap.SetSize(TextW, TextH);
    s.SetView(&view);
    s.SetTag(themeCode <= 10 ? 0 : themeCode <= 20 ? 10 : 20);
    s.SetPracticeMode(true);
    s.SetLevelIndex(level - 1);
    s.Rng().Seed(seed);
    s.Running = true;
    Start();
}

void ThemeRig::Start()
{
    s.ThemeMemory.fill(-1);
    s.ThemeCycle.fill(0);
    s.Attempt = 0;
    s.ThemeCode = themeCode_;
    s.AttemptsAllowed = themeCode_ == 14 ? 1 : 2;
}

void ThemeRig::Next()
{
    s.Attempt = 0;
    FillBitmap(s.TextBitmap, clr::BtnFace);
    FillBitmap(s.PictureBitmap, clr::BtnFace);
    DrawFrame(s.PictureBitmap, clr::Black);
    s.AnswerUnit.clear();
    view.FieldOpen = false;
    generator_(s);
}

void ThemeRig::Again()
{
    s.Attempt = 2;
    FillBitmap(s.TextBitmap, clr::BtnFace);
    view.FieldOpen = false;
    generator_(s);
}

}  // namespace velmora::test
