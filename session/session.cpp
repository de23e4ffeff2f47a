#include "session.h"

#include "platform/resources.h"
#include "session/themetable.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <algorithm>

namespace velmora {

namespace {

// Guard for the random draws of theme selection: far beyond what any pick needs.
constexpr int MaxDraws = 100000;

bool BitSet(int mask, int box)
{
    return box >= 1 && box <= 10 && (mask & (1 << (box - 1))) != 0;
}

int BitCount(int mask)
{
    int n = 0;
    for (int box = 1; box <= 10; ++box)
        n += BitSet(mask, box) ? 1 : 0;
    return n;
}

}  // namespace

void Session::SetCategory(Category category, bool practice)
{
    category_ = category;
    practiceMode_ = practice;
    levelCount_ = velmora::LevelCount(category);
    levelIndex_ = std::min(levelIndex_, levelCount_ - 1);
}

void Session::SetLevelIndex(int index)
{
    levelIndex_ = std::clamp(index, 0, levelCount_ - 1);
}

void Session::OverrideTheme(const ThemeDescriptor& theme)
{
    if (theme.Code < FirstThemeCode || theme.Code > LastThemeCode || themes_[theme.Code].Code == 0)
        return;
    themes_[theme.Code] = theme;
    CountThemes();
}

void Session::OverrideGenerator(int code, ThemeGenerator generator)
{
    if (code < FirstThemeCode || code > LastThemeCode)
        return;
    ThemeDescriptor theme = themes_[code];
    theme.Generator = generator;
    OverrideTheme(theme);
}

// --- setup screen

void Session::Activate()
{
    rng_.SeedFromClock();
    switch (category_) {
        case Category::Fractions:
            SessionTitle = practiceMode_ ? QStringLiteral(" Oefenen met Breuken") : QStringLiteral(" Breuken-Test");
            break;
        case Category::Percentages:
            SessionTitle = practiceMode_ ? QStringLiteral(" Oefenen met Procenten") : QStringLiteral(" Procenten-Test");
            break;
        case Category::Calculator:
            SessionTitle =
                practiceMode_ ? QStringLiteral(" Oefenen met de Rekenmachine") : QStringLiteral(" Rekenmachine-Test");
            break;
        case Category::Mixed:
            SessionTitle = QStringLiteral(" GROTE UITDAGING ");
            break;
    }
    if (view_)
        view_->SetCaption(QStringLiteral("Velmora 1: ") + SessionTitle);
}

QString Session::KeuzeCaption() const
{
    if (MixedMode())
        return SessionTitle;
    return SessionTitle + QStringLiteral(" « Selectie » ");
}

QString Session::KeuzeHint() const
{
    if (MixedMode())
        return QStringLiteral("Je hebt geen keus: ALLES!");
    return practiceMode_ ? QStringLiteral("Kies minstens één thema om te oefenen")
                         : QStringLiteral("Kies minstens drie thema's voor de TEST");
}

QString Session::CheckBoxCaption(int box) const
{
    if (MixedMode())
        return QStringLiteral(" Alles door elkaar !");
    return ThemeTitle(Tag() + box);
}

bool Session::CheckBoxVisible(int box) const
{
    if (box < 1 || box > 10)
        return false;
    return MixedMode() || !ThemeTitle(Tag() + box).isEmpty();
}

bool Session::Ticked(int box) const
{
    return box >= 1 && box <= 10 && ticked_[box];
}

void Session::SetTicked(int box, bool ticked)
{
    if (box < 1 || box > 10)
        return;
    ticked_[box] = ticked;
    CountThemes();
}

int Session::AvailableMask() const
{
    int mask = 0;
    for (int box = 1; box <= 10; ++box)
        if (BitSet(ThemeMask, box) && HasGenerator(Tag() + box))
            mask |= 1 << (box - 1);
    return mask;
}

bool Session::AnyAvailable() const
{
    if (MixedMode()) {
        for (int code = FirstThemeCode; code <= LastThemeCode; ++code)
            if (HasGenerator(code))
                return true;
        return false;
    }
    return AvailableMask() != 0;
}

void Session::CountThemes()
{
    TickedCount = 0;
    ThemeMask = 0;
    for (int box = 1; box <= 10; ++box) {
        if (ticked_[box] && CheckBoxVisible(box)) {
            ++TickedCount;
            ThemeMask |= 1 << (box - 1);
        }
    }
    startEnabled_ = MixedMode() || (practiceMode_ ? TickedCount >= 1 : TickedCount >= 3);
    if (view_)
        view_->SetStartEnabled(startEnabled_);
}

void Session::ShowSetup()
{
    Wipe(TextBitmap);
    Wipe(PictureBitmap);
    DrawFrame(PictureBitmap, clr::Black);
    answerPending_ = false;
    continueShown_ = false;
    startVisible_ = true;
    if (!Running)
        levelIndex_ = 0;
    if (view_)
        view_->ShowFace(QStringLiteral("smile"));
    if (MixedMode()) {
        levelIndex_ = levelCount_ - 1;
    } else if (!Running) {
        for (int box = 1; box <= 10; ++box)
            ticked_[box] = !practiceMode_;
    }
    DrawSetupTexts();
    Running = false;
    CountThemes();
    if (view_) {
        view_->ShowSetupScreen();
        view_->ShowBitmaps();
    }
}

void Session::DrawSetupTexts()
{
    if (MixedMode()) {
        SetStatus(QStringLiteral("Druk op START om te beginnen"));
        const QImage winner = LoadNamedBitmapAtRatio(QStringLiteral("winner"), 1, TextBitmap.DevicePixelRatio());
        double h = 0;
        if (!winner.isNull()) {
            h = winner.deviceIndependentSize().height();
            const int w = Round(1.5 * PctX(15));
            const int height = Round(static_cast<double>(w) * winner.height() / winner.width());
            const int left = (TextBitmap.Width() - w) / 2;
            const int top = Round(6.5 * LineHeight);
            TextBitmap.StretchDraw(left, top, left + w, top + height, winner);
        }
        DrawText(QStringLiteral("Jij hebt lef !"), clr::Red, true, -1, 9 + 1.5 * h / LineHeight, 1, TextBitmap);
        DrawText(QStringLiteral("Druk op"), clr::Black, false, -1, 3, 1, TextBitmap);
        DrawText(QStringLiteral("START"), clr::Blue, true, -1, 4, 1, TextBitmap);
        DrawText(QStringLiteral("om te beginnen."), clr::Black, false, -1, 5, 1, TextBitmap);
        if (view_)
            view_->SetScore(FormatScore(0, 0));
        return;
    }
    DrawText(QStringLiteral("Kies het juiste "), clr::Black, false, Margin, 1, 1, TextBitmap);
    DrawText(QStringLiteral("niveau"), clr::Blue, false, TextEndX, 1, 1, TextBitmap);
    DrawText(QStringLiteral("en "), clr::Black, false, Margin, 2, 1, TextBitmap);
    DrawText(practiceMode_ ? QStringLiteral("minstens één thema") : QStringLiteral("minstens drie thema's"), clr::Blue,
             false, TextEndX, 2, 1, TextBitmap);
    DrawText(practiceMode_ ? QStringLiteral("om te oefenen.") : QStringLiteral("voor de TEST."), clr::Black, false,
             Margin, 3, 1, TextBitmap);
    DrawText(QStringLiteral("Druk daarna op "), clr::Black, false, Margin, 4, 1, TextBitmap);
    DrawText(QStringLiteral("START"), clr::Blue, true, TextEndX, 4, 1, TextBitmap);
    DrawText(QStringLiteral("om te beginnen."), clr::Black, false, Margin, 5, 1, TextBitmap);
    SetStatus(QStringLiteral("Kies het niveau, de thema's en druk op START"));
}

// --- the run

void Session::Start()
{
    SetStatus(QString());
    startVisible_ = false;
    if (Running && CurrentLevel() == StartLevel) {
        StartLevel = CurrentLevel();
        if (Attempt == 0) {
            // The exercise was already marked: a generator would draw new numbers over
            // the old picture, so go on to the next exercise instead.
            Continue();
            return;
        }
        // Generators redraw the text in every call; the marking of a first wrong answer
        // must not stay underneath.
        Wipe(TextBitmap);
        Verdeler();
        return;
    }
    ExercisesDone = 0;
    Points = 0;
    ShowScore();
    Running = true;
    for (int code = 1; code <= 30; ++code)
        ThemeMemory[code] = -1;
    PrevTheme = 0;
    PrevTheme2 = 0;
    Attempt = 0;
    ResetRotationCounters();
    StartLevel = CurrentLevel();
    ThemeCode = 0;
    Continue();
}

void Session::Continue()
{
    continueShown_ = false;
    if (view_)
        view_->ShowContinueButton(false);
    Wipe(TextBitmap);
    if (Attempt == 0) {
        Wipe(PictureBitmap);
        DrawFrame(PictureBitmap, clr::Black);
        PickTheme();
        const ThemeDescriptor* theme = Theme();
        AttemptsAllowed = theme ? theme->AttemptsAllowed : 2;
        GiveCalculatorAdvice();
    }
    Verdeler();
}

void Session::PickTheme()
{
    if (!AnyAvailable()) {
        ThemeCode = 0;
        return;
    }
    const int available = AvailableMask();
    const int count = BitCount(available);
    for (int draws = 0;; ++draws) {
        int pick = 0;
        if (MixedMode()) {
            pick = Random(30) + 1;
            if (draws < MaxDraws && (pick == PrevTheme || pick == PrevTheme2))
                continue;
            // 10, 30 and codes without a generator still count as the last theme picked.
            PrevTheme2 = PrevTheme;
            PrevTheme = pick;
            if (!HasGenerator(pick)) {
                if (draws < MaxDraws)
                    continue;
                pick = 1;
                while (!HasGenerator(pick))
                    ++pick;
            }
            ThemeCode = pick;
            break;
        }
        if (practiceMode_) {
            // In box order, starting after the current box.
            pick = std::max(ThemeCode - Tag(), 0);
            do
                pick = pick % 10 + 1;
            while (!BitSet(available, pick));
        } else {
            // No repeat within three; with fewer than three themes to choose from only
            // as much of that rule as can be kept.
            pick = Random(10) + 1;
            const bool differs = (count < 2 || pick != PrevTheme) && (count < 3 || pick != PrevTheme2);
            if (!BitSet(available, pick) || (!differs && draws < MaxDraws))
                continue;
        }
        PrevTheme2 = PrevTheme;
        PrevTheme = pick;
        ThemeCode = pick + std::max(Tag(), 0);
        break;
    }
    AnswerUnit.clear();
    ExpectedIntIsRounded = false;
}

void Session::ResetRotationCounters()
{
    ThemeCycle.fill(0);
    for (const ThemeDescriptor& theme : themes_)
        if (theme.Generator && theme.Cycle.First >= 0)
            for (int slot = theme.Cycle.First; slot < theme.Cycle.First + theme.Cycle.Count; ++slot)
                ThemeCycle[slot] = theme.Cycle.Start;
}

void Session::GiveCalculatorAdvice()
{
    const ThemeDescriptor* theme = Theme();
    const bool penAndPaper = theme && theme->Use == Advice::PenAndPaper;
    if (!view_)
        return;
    if (penAndPaper)
        view_->ShowCalculatorAdvice(QStringLiteral("Gebruik Pen en Papier !"), Round(7.5 * ScaleFactor), false);
    else
        view_->ShowCalculatorAdvice(QStringLiteral("Gebruik: Pen, Papier en event. een Rekenmachine"),
                                    Round(ScaleFactor), true);
}

void Session::Verdeler()
{
    if (const ThemeDescriptor* theme = Theme()) {
        ++generatorCalls_;
        theme->Generator(*this);
        return;
    }
    // Codes without a generator are skipped; when none can be picked at all, stop here
    // rather than loop.
    if (!AnyAvailable())
        return;
    Attempt = 0;
    Continue();
}

bool Session::LevelButton()
{
    if (MixedMode() || !Running)
        return false;
    startVisible_ = true;
    continueShown_ = false;
    return true;
}

bool Session::End()
{
    answerPending_ = false;
    if (Running) {
        ShowSetup();
        return true;
    }
    return false;
}

void Session::Close()
{
    Running = false;
    answerPending_ = false;
}

HelpTarget Session::HelpRequest()
{
    HelpTarget target;
    target.Tag = Tag() / 10 + 1;
    if (!Running) {
        helpTopic_ = 0;
    } else if (const ThemeDescriptor* theme = Theme(); theme && practiceMode_) {
        helpTopic_ = theme->Help.Topic;
        target.Tag = theme->Help.File;
    }
    if (MixedMode()) {
        helpTopic_ = 1;
        target.Tag = 5;
    }
    target.Topic = helpTopic_;
    return target;
}

QString Session::ScoreLine() const
{
    return FormatScore(Points, ExercisesDone);
}

void Session::ShowScore()
{
    if (view_)
        view_->SetScore(ScoreLine());
}

void Session::SetStatus(const QString& text)
{
    if (view_)
        view_->SetStatusHint(text);
}

QString FormatScore(int points, int exercises)
{
    const auto lastThree = [](int n) { return (QStringLiteral("000") + QString::number(n)).right(3); };
    return lastThree(points) + QStringLiteral(" uit ") + lastThree(exercises);
}

}  // namespace velmora
