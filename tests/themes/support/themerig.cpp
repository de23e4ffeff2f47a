#include "themerig.h"

#include "session/sessionlayout.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

namespace velmora::test {

void SetLayout1024x768(Session& s)
{
    DecSep = QLatin1Char(',');
    UseScreenLayout(QSize(1024, 768), s);
}

ThemeRig::ThemeRig(Generator generator, int themeCode, int level, std::uint32_t seed)
    : generator_(generator), themeCode_(themeCode)
{
    SetLayout1024x768(s);
    s.SetView(&view);
    s.SetCategory(CategoryOfCode(themeCode), true);
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
    s.AttemptsAllowed = s.Theme() ? s.Theme()->AttemptsAllowed : 2;
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

void TextLog::Attach(Bitmap& b)
{
    b.TextObserver = [this](const TextEvent& e) { Events.push_back(e); };
}

QStringList TextLog::Texts() const
{
    QStringList texts;
    for (const TextEvent& e : Events)
        texts << e.Text;
    return texts;
}

const TextEvent* TextLog::Find(const QString& text) const
{
    for (const TextEvent& e : Events)
        if (e.Text == text)
            return &e;
    return nullptr;
}

std::vector<TextEvent> ThemeRig::FinalVerdict(const QString& wrong)
{
    TextLog log;
    log.Attach(s.TextBitmap);
    QString typed = wrong;
    s.SubmitAnswer(typed);
    if (s.Attempt == 2) {
        Again();
        log.Events.clear();
        typed = wrong;
        s.SubmitAnswer(typed);
    }
    s.TextBitmap.TextObserver = nullptr;
    const QStringList texts = log.Texts();
    const qsizetype verdict = texts.indexOf(QStringLiteral("Het antwoord was: "));
    if (verdict < 0)
        return {};
    return std::vector<TextEvent>(log.Events.begin() + verdict + 1, log.Events.end());
}

void ThemeRig::Again()
{
    s.Attempt = 2;
    FillBitmap(s.TextBitmap, clr::BtnFace);
    view.FieldOpen = false;
    generator_(s);
}

}  // namespace velmora::test
