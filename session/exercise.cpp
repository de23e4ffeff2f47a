#include "exercise.h"

#include "session/themetable.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <algorithm>

namespace velmora {

Exercise::Exercise()
{
    for (int code = FirstThemeCode; code <= LastThemeCode; ++code)
        themes_[code] = ThemeFacts(code);
}

DrawnTexts* Exercise::TextsOf(const Bitmap& bitmap)
{
    if (&bitmap == &TextBitmap)
        return &TextTexts;
    return &bitmap == &PictureBitmap ? &PictureTexts : nullptr;
}

void Exercise::Wipe(Bitmap& bitmap)
{
    FillBitmap(bitmap, clr::BtnFace);
    if (DrawnTexts* texts = TextsOf(bitmap))
        texts->Clear();
}

void Exercise::WipeLines(Bitmap& bitmap, double line1, double line2)
{
    ClearLines(bitmap, line1, line2);
    if (DrawnTexts* texts = TextsOf(bitmap))
        texts->ClearLines(line1, line2, bitmap.Height());
}

int Exercise::CurrentLevel() const
{
    if (MixedMode())
        return CategoryOfCode(ThemeCode) == Category::Percentages ? 2 : 3;
    return levelIndex_ + 1;
}

const ThemeDescriptor* Exercise::ThemeFor(int code) const
{
    if (code < FirstThemeCode || code > LastThemeCode || !themes_[code].Generator)
        return nullptr;
    return &themes_[code];
}

void Exercise::OpenAnswer(const QString& label, int kind, const QString& hint, const QString& text)
{
    ShowBitmaps();
    AnswerFieldSetup setup;
    setup.Label = label;
    setup.Kind = kind;
    setup.Hint = hint.isEmpty() ? QStringLiteral("|Breuken zijn toegestaan!") : hint;
    setup.Text = text;
    setup.PanelTop = Round(AnswerLine * LineHeight);
    field_ = setup;
    answerPending_ = true;
    if (view_)
        view_->OpenAnswerField(setup);
    EnterAnswerField();
}

void Exercise::ShowBitmaps()
{
    if (view_)
        view_->ShowBitmaps();
}

bool Exercise::Pause(int ms)
{
    if (!Running)
        return false;
    ShowBitmaps();
    const int call = generatorCalls_;
    const auto current = [this, call] { return Running && generatorCalls_ == call; };
    if (view_)
        view_->Pause(ms, current);
    return current();
}

void Exercise::EnterAnswerField()
{
    if (!answerPending_)
        return;
    if (Attempt == 0)
        Attempt = 1;
    if (view_) {
        view_->SetStatusHint(field_.Hint.mid(field_.Hint.indexOf(QLatin1Char('|')) + 1));
        view_->SetCaption(SessionTitle + QStringLiteral(" (Item: ") + QString::number(ThemeCode) +
                          QStringLiteral("  Poging: ") + QString::number(Attempt) + QLatin1Char(')'));
    }
}

}  // namespace velmora
