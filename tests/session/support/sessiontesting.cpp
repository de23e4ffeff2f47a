#include "sessiontesting.h"

#include "platform/resources.h"
#include "platform/system.h"
#include "session/sessionlayout.h"
#include "toolkit/layout.h"
#include "toolkit/numbers.h"
#include "toolkit/text.h"

#include <QCoreApplication>

namespace velmora::testing {

void PrepareLayout(Session& session)
{
    DecSep = QLatin1Char(',');
    UseScreenLayout(QSize(1024, 768), session);
}

bool PrepareWindows()
{
    if (!LoadResourceLibrary(QCoreApplication::applicationDirPath()))
        return false;
    ScaleFactor = WorkArea().width() / 640.0;
    Margin = Round(8 * ScaleFactor);
    DecSep = QLatin1Char(',');
    return true;
}

void IntegerTheme(Exercise& s)
{
    if (s.Attempt == 0) {
        s.Param[0] = 10 + s.Random(90);
        s.ExpectedInt = s.Param[0];
        s.IntTolerance = 0;
        s.ThemeMemory[s.ThemeCode] += 1;
        DrawText(QStringLiteral("Plaatje"), clr::Black, false, Margin, 1, 1, s.PictureBitmap);
    }
    DrawText(QStringLiteral("Tik ") + QString::number(s.Param[0]), clr::Blue, false, Margin, 1, 1, s.TextBitmap);
    s.AnswerLine = 6;
    s.OpenAnswer(QStringLiteral("Getal: "), 1, QStringLiteral("|Welk getal ?"));
}

void UseIntegerTheme(Session& session, const QList<int>& codes)
{
    for (int code = 1; code <= 30; ++code)
        session.OverrideGenerator(code, nullptr);
    for (const int code : codes)
        session.OverrideGenerator(code, &IntegerTheme);
}

void TextLog::Attach(Bitmap& bitmap)
{
    // The window's own listener (what a screen reader reads) keeps working.
    bitmap.TextObserver = [this, previous = std::move(bitmap.TextObserver)](const TextEvent& e) {
        if (previous)
            previous(e);
        Texts << e.Text;
        Colours << e.Colour.name();
    };
}

MessageLog::MessageLog()
{
    previous_ = SetMessageSink([this](const QString& text, MessageKind) { Texts << text; });
}

MessageLog::~MessageLog()
{
    SetMessageSink(previous_);
}

}  // namespace velmora::testing
