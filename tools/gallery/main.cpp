// velmora-gallery OUTDIR [--theme N] [--seeds K]
//
// Renders every theme that has a generator, at every level the session offers it, for a
// few fixed seeds, in practice and in test (files ending in _test), as the session window
// would show it on a 1024 x 768 screen: the text bitmap (with the answer panel's place
// outlined) beside the picture. Each exercise is also answered wrongly, so the second
// attempt and the final verdict can be reviewed. Animations leave a few frames
// (_frame001.png, _frame003.png, ...).
#include "platform/resources.h"
#include "session/headlessview.h"
#include "session/session.h"
#include "session/sessionlayout.h"
#include "session/themetable.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QTextStream>

namespace velmora {

namespace {

struct Options {
    QString OutDir;
    int Theme = 0;  // 0: all
    int Seeds = 3;
};

const QSize Screen(1024, 768);

SessionGeometry Layout(Session& s)
{
    DecSep = QLatin1Char(',');
    return UseScreenLayout(Screen, s);
}

// An answer that is wrong for every theme, in the form the answer kind accepts.
QString WrongAnswer(const Session& s, int kind)
{
    switch (kind) {
        case 1:
            return QString::number(s.ExpectedInt + 37);
        case 2:
            return FormatFixed(s.ExpectedReal + 1.5, 2);
        default:
            return QStringLiteral("1/997");
    }
}

// Text bitmap and picture side by side; the answer panel's place is outlined in grey with
// its label, so texts that it would cover stand out.
QImage Compose(const Session& s, const HeadlessView& view, const SessionGeometry& g)
{
    const QImage& text = s.TextBitmap.Image();
    const QImage& picture = s.PictureBitmap.Image();
    const int gap = g.Plaatje.left() - g.Tekst.width();
    QImage out(text.width() + gap + picture.width(), std::max(text.height(), picture.height()) + 24,
               QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    p.drawImage(0, 0, text);
    p.drawImage(text.width() + gap, 0, picture);
    if (view.FieldOpen) {
        const QRect panel(g.InvoerPanel.left(), view.Field.PanelTop, g.InvoerPanel.width(), g.InvoerPanel.height());
        p.setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
        p.drawRect(panel.adjusted(0, 0, -1, -1));
        p.setPen(Qt::black);
        p.drawText(panel.adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft, view.Field.Label + view.Field.Text);
    }
    p.setPen(Qt::black);
    p.drawText(4, out.height() - 6,
               QStringLiteral("thema %1  nivo %2  poging %3  kind %4  verwacht int %5 real %6")
                   .arg(s.ThemeCode)
                   .arg(s.CurrentLevel())
                   .arg(s.Attempt)
                   .arg(view.Field.Kind)
                   .arg(s.ExpectedInt)
                   .arg(s.ExpectedReal));
    return out;
}

bool Save(const QImage& image, const QString& path)
{
    if (image.save(path))
        return true;
    QTextStream(stderr) << "velmora-gallery: cannot write " << path << '\n';
    return false;
}

// Keeps a few frames of an animation: the 1st, 3rd, 9th, 27th, ... pause.
class FrameView : public HeadlessView {
public:
    FrameView(const Session& s, const SessionGeometry& g) : s_(s), g_(g) {}
    QString Base;
    bool Ok = true;
    void Pause(int ms, const std::function<bool()>& running) override
    {
        HeadlessView::Pause(ms, running);
        if (Base.isEmpty() || Pauses != nextFrame_)
            return;
        nextFrame_ *= 3;
        Ok = Save(Compose(s_, *this, g_), Base + QStringLiteral("_frame%1.png").arg(Pauses, 3, 10, QLatin1Char('0'))) &&
             Ok;
    }

private:
    const Session& s_;
    const SessionGeometry& g_;
    int nextFrame_ = 1;
};

bool RenderTheme(const Options& o, int code, int level, int seed, bool practice)
{
    Session s;
    const SessionGeometry g = Layout(s);
    FrameView view(s, g);
    s.SetView(&view);
    const Category category = CategoryOfCode(code);
    s.SetCategory(category, practice);
    if (level > s.LevelCount())
        return true;
    s.Activate();
    if (!practice) {
        // A test picks at random among the ticked themes: leave only this one to pick.
        for (int other = FirstThemeCode; other <= LastThemeCode; ++other)
            if (other != code)
                s.OverrideGenerator(other, nullptr);
    }
    s.ShowSetup();
    s.SetLevelIndex(level - 1);
    if (practice)
        s.SetTicked(code - CategoryTag(category), true);
    s.Rng().Seed(static_cast<std::uint32_t>(seed));
    const QString base = QDir(o.OutDir).filePath(QStringLiteral("t%1_L%2_s%3%4")
                                                     .arg(code, 2, 10, QLatin1Char('0'))
                                                     .arg(level)
                                                     .arg(seed)
                                                     .arg(practice ? QString() : QStringLiteral("_test")));
    view.Base = practice ? base : QString();
    s.Start();
    view.Base.clear();
    if (s.ThemeCode != code)
        return true;

    bool ok = view.Ok && Save(Compose(s, view, g), base + QStringLiteral("_1.png"));

    // A wrong answer: the second attempt, then the final verdict.
    for (int step = 2; step <= 3 && s.AnswerPending(); ++step) {
        s.EnterAnswerField();
        QString answer = WrongAnswer(s, view.Field.Kind);
        if (s.SubmitAnswer(answer) != AnswerOutcome::Marked)
            break;
        if (s.Attempt == 2) {
            s.Continue();
            ok = Save(Compose(s, view, g), base + QStringLiteral("_%1again.png").arg(step)) && ok;
        } else {
            ok = Save(Compose(s, view, g), base + QStringLiteral("_%1final.png").arg(step)) && ok;
        }
    }
    return ok;
}

bool ParseOptions(const QStringList& args, Options& o)
{
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        if ((a == QLatin1String("--theme") || a == QLatin1String("--seeds")) && i + 1 < args.size()) {
            bool ok = false;
            const int value = args[++i].toInt(&ok);
            if (!ok || value < 1 || value > 30)
                return false;
            (a == QLatin1String("--theme") ? o.Theme : o.Seeds) = value;
        } else if (!a.startsWith(QLatin1Char('-')) && o.OutDir.isEmpty()) {
            o.OutDir = a;
        } else {
            return false;
        }
    }
    return !o.OutDir.isEmpty();
}

}  // namespace

}  // namespace velmora

int main(int argc, char* argv[])
{
    using namespace velmora;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    Options o;
    if (!ParseOptions(app.arguments(), o)) {
        QTextStream(stderr) << "usage: velmora-gallery OUTDIR [--theme N] [--seeds K]\n";
        return 2;
    }
    if (!QDir().mkpath(o.OutDir)) {
        QTextStream(stderr) << "velmora-gallery: cannot create " << o.OutDir << '\n';
        return 1;
    }
    // Themes with named bitmaps need the resource library; the others render without it.
    if (!LoadResourceLibrary(QCoreApplication::applicationDirPath()))
        QTextStream(stderr) << "velmora-gallery: no " << ResourceLibraryName << " beside the program\n";

    bool ok = true;
    int rendered = 0;
    for (const ThemeDescriptor* theme : AllThemes()) {
        const int code = theme->Code;
        if (o.Theme && code != o.Theme)
            continue;
        for (int level = 1; level <= 3; ++level)
            for (int seed = 1; seed <= o.Seeds; ++seed)
                for (const bool practice : {true, false})
                    ok = RenderTheme(o, code, level, seed, practice) && ok;
        ++rendered;
    }
    QTextStream(stdout) << "velmora-gallery: " << rendered << " theme(s) rendered into " << o.OutDir << '\n';
    return ok ? 0 : 1;
}
