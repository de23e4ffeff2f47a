#include "runner.h"

#include "help/commands.h"
#include "platform/messages.h"
#include "platform/resources.h"
#include "platform/system.h"
#include "toolkit/layout.h"
#include "toolkit/numbers.h"
#include "toolkit/text.h"

namespace velmora {

qint64 HelpView::NowMs()
{
    return SteadyClockMs();
}

QString HelpRunner::ScriptFileName(int tag)
{
    const int digit = ((tag % 5) + 5) % 5;  // a negative tag never plays, but keep the name sane
    return QStringLiteral("demo%1.txt").arg(digit);
}

void HelpRunner::PrepareSurfaces(QSize textSize, QSize pictureSize)
{
    ScratchBitmap.SetDevicePixelRatio(PixelRatio);
    ScratchBitmap2.SetDevicePixelRatio(PixelRatio);
    ScratchBitmap.SetSize(textSize.width(), textSize.height());
    ScratchBitmap2.SetSize(pictureSize.width(), pictureSize.height());
    for (Bitmap* b : {&ScratchBitmap, &ScratchBitmap2}) {
        b->Font = FontState{};
        b->Font.Size = RefFontSize;
        b->Pen = PenState{};
        b->Brush = BrushState{};
        FillBitmap(*b, clr::BtnFace);
    }
    DrawFrame(ScratchBitmap2, clr::Black);
    ScratchTexts.Clear();
    ScratchTexts2.Clear();
}

HelpRunner::RunEnd HelpRunner::Start(int tag, QSize textSize, QSize pictureSize)
{
    if (running_)
        return RunEnd::Busy;
    view_.SetContinueVisible(false, false);
    PrepareSurfaces(textSize, pictureSize);
    LeesFile(FindHelpScript(ScriptFileName(tag)));
    return Doorgaan();
}

bool HelpRunner::LeesFile(const QString& name)
{
    const bool ok = velmora::LeesFile(name, queue_);
    if (ok)
        fileName_ = name;
    return ok;
}

void HelpRunner::LoadScript(const QString& script, const QString& name)
{
    queue_.clear();
    AppendScript(script, queue_);
    fileName_ = name;
}

HelpRunner::RunEnd HelpRunner::Doorgaan()
{
    // A second Doorgaan while a run waits must not start a run inside the run.
    if (running_)
        return RunEnd::Busy;
    running_ = true;
    stopRequested_ = false;
    lastError_.clear();
    view_.SetContinueVisible(true, false);
    const RunEnd end = RunLines();
    running_ = false;
    if (end == RunEnd::End) {
        view_.PressEindButton();
        return end;
    }
    view_.Paint();
    return end;
}

HelpRunner::RunEnd HelpRunner::RunLines()
{
    QueuedLine current;
    try {
        for (;;) {
            if (stopRequested_)
                return RunEnd::Stopped;
            current = QueuedLine{};
            current = LeesRegel(queue_, line_, PenColour);
            Bitmap& target = line_.Target.startsWith(QLatin1Char('R')) ? ScratchBitmap2 : ScratchBitmap;

            const QString command = line_.Command.trimmed();
            if (command == QLatin1String("[pos]")) {
                const qsizetype slash = line_.X.indexOf(QLatin1Char('/'));
                int a = 0, b = 0;
                if (slash < 0 || !StrToIntChecked(line_.X.left(slash).trimmed(), a) ||
                    !StrToIntChecked(line_.X.mid(slash + 1).trimmed(), b))
                    throw ScriptError(QStringLiteral("[pos] vraagt twee gehele getallen a/b, zoals 1/2."));
                if (b == 0)
                    throw ScriptError(QStringLiteral("bij [pos] a/b mag b geen 0 zijn."));
                TextEndX = Round(target.Width() * static_cast<double>(a) / b) + Margin;
                line_.X = QStringLiteral("p");
            }

            int lineNo = 0;
            if (!StrToIntChecked(line_.LineNo.trimmed(), lineNo))
                throw ScriptError(QStringLiteral("het regelnummer ontbreekt of is geen geheel getal."));
            if (command == QLatin1String("[end]") || (HelpFromMenu && lineNo >= 100))
                return RunEnd::End;
            if (lineNo / 100 != HelpTopic)
                continue;

            if (command == QLatin1String("[toets]")) {
                view_.SetContinueVisible(true, true);
                return RunEnd::Toets;
            }
            if (command == QLatin1String("[wait]")) {
                Wait(ScriptNumber(line_.X, QStringLiteral("x")));
                continue;
            }
            ForgetPaintedOver(line_, target);
            ExecuteCommand(line_, PenColour, target);
        }
    } catch (const ScriptError& error) {
        QString where = QStringLiteral("Fout in het helpbestand %1").arg(fileName_);
        if (current.FileLine > 0)
            where += QStringLiteral(", regel %1").arg(current.FileLine);
        QString text = where + QStringLiteral(":\r") + error.Reason();
        if (current.FileLine > 0)
            text += QStringLiteral("\r\r") + current.Text;
        text += QStringLiteral("\r\rDe uitleg stopt hier. Klik op Einde.");
        lastError_ = text;
        // Only Einde makes sense now: Doorgaan would run into the same trouble.
        view_.SetContinueVisible(false, false);
        view_.Paint();
        ShowMessage(text, MessageKind::Warning);
        return RunEnd::Error;
    }
}

// A screen reader no longer reads what a command paints over: "[schoon]" clears lines, "[info]"
// fills a box before it writes in it. Told before the command runs, so the box's own texts stay;
// numbers the command will reject are left to it.
void HelpRunner::ForgetPaintedOver(const ScriptLine& line, const Bitmap& target)
{
    DrawnTexts& texts = &target == &ScratchBitmap2 ? ScratchTexts2 : ScratchTexts;
    const QString command = line.Command.trimmed();
    try {
        if (command == QLatin1String("[schoon]"))
            texts.ClearLines(ScriptNumber(line.X, QStringLiteral("x")), ScriptNumber(line.Y, QStringLiteral("y")),
                             target.Height());
        else if (command == QLatin1String("[info]"))
            texts.ClearBand(Round(ScriptNumber(line.X, QStringLiteral("x")) * LineHeight),
                            Round(ScriptNumber(line.Y, QStringLiteral("y")) * LineHeight));
    } catch (const ScriptError&) {
    }
}

void HelpRunner::Wait(double seconds)
{
    view_.SetContinueVisible(false, false);
    view_.Paint();
    const qint64 duration = Round(seconds * 1000);
    const qint64 start = view_.NowMs();
    while (!stopRequested_ && view_.NowMs() - start < duration)
        view_.ProcessEvents();
}

}  // namespace velmora
