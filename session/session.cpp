#include "session.h"

#include "toolkit/layout.h"

namespace velmora {

int Session::CurrentLevel() const
{
    if (tag_ == -10)
        return (ThemeCode >= 11 && ThemeCode <= 20) ? 2 : 3;
    return levelIndex_ + 1;
}

void Session::OpenAnswer(const QString& label, int kind, const QString& hint, const QString& text)
{
    ShowBitmaps();
    if (!view_)
        return;
    AnswerFieldSetup setup;
    setup.Label = label;
    setup.Kind = kind;
    setup.Hint = hint;
    setup.Text = text;
    setup.PanelTop = Round(AnswerLine * LineHeight);
    view_->OpenAnswerField(setup);
}

void Session::ShowBitmaps()
{
    if (view_)
        view_->ShowBitmaps();
}

void Session::ProcessEvents()
{
    if (view_)
        view_->ProcessEvents();
}

}  // namespace velmora
