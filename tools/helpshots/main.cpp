// Renders every topic of the help scripts in the current folder to PNGs, slide by slide
// (one picture at each "[toets]"), both surfaces side by side as the help window shows
// them on a 1024 x 768 screen. Usage: velmora-helpshots [output folder]
#include "help/runner.h"
#include "platform/messages.h"
#include "session/sessionlayout.h"
#include "toolkit/layout.h"
#include "toolkit/numbers.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>

#include <cstdio>
#include <set>

using namespace velmora;

namespace {

class ShotView : public HelpView {
public:
    void SetContinueVisible(bool, bool) override {}
    void Paint() override {}
    void ProcessEvents() override { now_ += 50; }  // no real waiting
    void PressEindButton() override {}
    qint64 NowMs() override { return now_; }

private:
    qint64 now_ = 0;
};

std::set<int> Topics(const QString& name)
{
    LineQueue queue;
    std::set<int> topics;
    if (!QFile::exists(name) || !LeesFile(name, queue))
        return topics;
    for (const QueuedLine& l : queue) {
        bool ok = false;
        const int n = l.Text.section(QLatin1Char(','), 0, 0).toInt(&ok);
        if (ok && !l.Text.contains(QLatin1String("[end]")))
            topics.insert(n / 100);
    }
    return topics;
}

QImage Compose(const HelpRunner& runner, int pictureLeft, QSize window)
{
    QImage shot(window, QImage::Format_RGB32);
    shot.fill(clr::BtnFace);
    QPainter p(&shot);
    const int top = Round(3 * ScaleFactor);
    p.drawImage(0, top, runner.ScratchBitmap.Image());
    p.drawImage(pictureLeft, top, runner.ScratchBitmap2.Image());
    return shot;
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("helpshots");
    QDir().mkpath(out);

    const QSize screen(1024, 768);
    DecSep = QLatin1Char(',');
    Bitmap text, picture;
    const SessionGeometry g = UseScreenLayout(screen, text, picture);

    int errors = 0;
    SetMessageSink([&](const QString& message, MessageKind) {
        ++errors;
        std::fprintf(stderr, "%s\n", qPrintable(QString(message).replace(QLatin1Char('\r'), QLatin1Char('\n'))));
    });

    int shots = 0;
    for (int tag = 0; tag < 5; ++tag) {
        const QString file = HelpRunner::ScriptFileName(tag);
        for (const int topic : Topics(file)) {
            ShotView view;
            HelpRunner runner(view);
            runner.HelpTopic = topic;
            runner.HelpFromMenu = tag == 0 && topic == 0;
            HelpRunner::RunEnd end = runner.Start(tag, text.Size(), picture.Size());
            for (int slide = 1; end == HelpRunner::RunEnd::Toets && slide < 100; ++slide) {
                const QString name = QStringLiteral("%1/demo%2_topic%3_slide%4.png")
                                         .arg(out)
                                         .arg(tag)
                                         .arg(topic, 2, 10, QLatin1Char('0'))
                                         .arg(slide, 2, 10, QLatin1Char('0'));
                Compose(runner, g.Plaatje.left(), screen).save(name);
                ++shots;
                end = runner.Doorgaan();
            }
        }
    }
    std::printf("%d slides written to %s, %d errors\n", shots, qPrintable(out), errors);
    return errors == 0 ? 0 : 1;
}
