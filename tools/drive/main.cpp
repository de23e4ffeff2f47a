// velmora-drive: runs a session without windows from a line-based script on stdin and
// prints one JSON object per command on stdout.
//
//   seed N | mode practice|test|mixed [fractions|percentages|calculator] | level 1|2|3
//   tick K ... | untick K ... | start | continue | end | answer TEXT | state | png PATH
#include "platform/messages.h"
#include "platform/resources.h"
#include "session/headlessview.h"
#include "session/session.h"
#include "session/sessionlayout.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScreen>
#include <QTextStream>

#include <cstdio>
#include <optional>

using namespace velmora;

namespace {

class Driver {
public:
    Driver()
    {
        DecSep = QLatin1Char(',');
        // The bitmaps get the resolution of the screen (QT_SCALE_FACTOR=2 doubles it), the
        // layout stays that of a 1024 x 768 screen.
        const QScreen* screen = QGuiApplication::primaryScreen();
        geometry_ = UseScreenLayout(QSize(1024, 768), s_, screen ? screen->devicePixelRatio() : 1.0);
        s_.SetView(&view_);
        Observe(s_.TextBitmap, QStringLiteral("text"));
        Observe(s_.PictureBitmap, QStringLiteral("picture"));
        SetMessageSink([this](const QString& text, MessageKind) { messages_.append(text); });
    }

    QJsonObject Run(const QString& line)
    {
        const QString command = line.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
        const QString rest = line.section(QLatin1Char(' '), 1, -1, QString::SectionSkipEmpty);
        const QStringList args = rest.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QString error;
        if (command == QLatin1String("seed"))
            error = Seed(args);
        else if (command == QLatin1String("mode"))
            error = Mode(args);
        else if (command == QLatin1String("level"))
            error = Level(args);
        else if (command == QLatin1String("tick") || command == QLatin1String("untick"))
            error = Tick(args, command == QLatin1String("tick"));
        else if (command == QLatin1String("start"))
            error = Start();
        else if (command == QLatin1String("continue"))
            error = Continue();
        else if (command == QLatin1String("end"))
            error = End();
        else if (command == QLatin1String("answer"))
            error = Answer(line.mid(line.indexOf(QLatin1String("answer")) + 7));
        else if (command == QLatin1String("png"))
            return Png(rest);
        else if (command != QLatin1String("state"))
            error = QStringLiteral("unknown command: ") + command;
        if (!error.isEmpty())
            return QJsonObject{{QStringLiteral("error"), error}};
        return State();
    }

private:
    void Observe(Bitmap& bitmap, const QString& target)
    {
        bitmap.TextObserver = [this, target](const TextEvent& e) {
            texts_.append(QJsonObject{{QStringLiteral("text"), e.Text},
                                      {QStringLiteral("colour"), e.Colour.name()},
                                      {QStringLiteral("bold"), e.Bold},
                                      {QStringLiteral("x"), e.X},
                                      {QStringLiteral("y"), e.Y},
                                      {QStringLiteral("size"), e.Size},
                                      {QStringLiteral("target"), target}});
        };
    }

    QString Seed(const QStringList& args)
    {
        bool ok = false;
        const qlonglong value = args.size() == 1 ? args[0].toLongLong(&ok) : 0;
        if (!ok || value < 0 || value > 0xFFFFFFFFLL)
            return QStringLiteral("seed needs one number 0..4294967295");
        seed_ = static_cast<std::uint32_t>(value);
        s_.Rng().Seed(*seed_);
        return {};
    }

    QString Mode(const QStringList& args)
    {
        if (s_.Running)
            return QStringLiteral("a run is going on: end it first");
        if (args.isEmpty() || args.size() > 2)
            return QStringLiteral("mode practice|test|mixed [fractions|percentages|calculator]");
        const QString kind = args[0];
        Category category = Category::Mixed;
        if (kind == QLatin1String("mixed")) {
            if (args.size() != 1)
                return QStringLiteral("the mixed mode has no category");
        } else if (kind == QLatin1String("practice") || kind == QLatin1String("test")) {
            const QString name = args.value(1);
            if (name == QLatin1String("fractions"))
                category = Category::Fractions;
            else if (name == QLatin1String("percentages"))
                category = Category::Percentages;
            else if (name == QLatin1String("calculator"))
                category = Category::Calculator;
            else
                return QStringLiteral("category: fractions, percentages or calculator");
        } else {
            return QStringLiteral("mode: practice, test or mixed");
        }
        s_.SetCategory(category, kind == QLatin1String("practice"));
        s_.Activate();
        if (seed_)
            s_.Rng().Seed(*seed_);  // activation seeds from the clock; keep runs reproducible
        s_.ShowSetup();
        active_ = true;
        return {};
    }

    QString Level(const QStringList& args)
    {
        if (!active_)
            return QStringLiteral("no mode chosen");
        if (s_.MixedMode())
            return QStringLiteral("the mixed mode has no level choice");
        bool ok = false;
        const int level = args.size() == 1 ? args[0].toInt(&ok) : 0;
        if (!ok || level < 1 || level > s_.LevelCount())
            return QStringLiteral("level must be 1..") + QString::number(s_.LevelCount());
        if (s_.Running && !s_.StartButtonVisible())
            s_.LevelButton();
        s_.SetLevelIndex(level - 1);
        return {};
    }

    QString Tick(const QStringList& args, bool on)
    {
        if (!active_)
            return QStringLiteral("no mode chosen");
        if (s_.Running)
            return QStringLiteral("themes are chosen on the setup screen");
        if (s_.MixedMode())
            return QStringLiteral("the mixed mode has no theme choice");
        if (args.isEmpty())
            return QStringLiteral("which boxes?");
        QList<int> boxes;
        for (const QString& arg : args) {
            bool ok = false;
            const int box = arg.toInt(&ok);
            if (!ok || !s_.CheckBoxVisible(box))
                return QStringLiteral("no check box ") + arg;
            if (!s_.CheckBoxEnabled(box))
                return QStringLiteral("check box ") + arg + QStringLiteral(" has no exercise yet");
            boxes << box;
        }
        for (const int box : boxes)
            s_.SetTicked(box, on);
        return {};
    }

    QString Start()
    {
        if (!active_)
            return QStringLiteral("no mode chosen");
        if (!s_.StartButtonVisible())
            return QStringLiteral("START is not shown");
        if (!s_.Running && !s_.StartEnabled())
            return QStringLiteral("START is disabled");
        s_.Start();
        return {};
    }

    QString Continue()
    {
        if (!s_.ContinueShown())
            return QStringLiteral("Doorgaan is not shown");
        s_.Continue();
        return {};
    }

    QString End()
    {
        if (!active_)
            return QStringLiteral("no mode chosen");
        if (!s_.End()) {
            s_.Close();
            active_ = false;  // back to the main menu
        }
        return {};
    }

    QString Answer(const QString& text)
    {
        if (!s_.AnswerPending() || s_.StartButtonVisible())
            return QStringLiteral("no answer field open");
        fieldText_ = text;
        s_.EnterAnswerField();
        s_.SubmitAnswer(fieldText_);
        return {};
    }

    QJsonObject Png(const QString& path)
    {
        if (path.isEmpty())
            return QJsonObject{{QStringLiteral("error"), QStringLiteral("png needs a path")}};
        const Bitmap& text = s_.TextBitmap;
        const Bitmap& picture = s_.PictureBitmap;
        const int pictureLeft = geometry_.Plaatje.left();
        // Laid out in layout pixels, written in device pixels.
        Bitmap image(pictureLeft + picture.Width(), std::max(text.Height(), picture.Height()),
                     picture.DevicePixelRatio());
        FillBitmap(image, clr::BtnFace);
        image.Draw(0, 0, text.Image());
        image.Draw(pictureLeft, 0, picture.Image());
        if (!image.Image().save(path, "PNG"))
            return QJsonObject{{QStringLiteral("error"), QStringLiteral("cannot write ") + path}};
        return QJsonObject{{QStringLiteral("png"), path},
                           {QStringLiteral("width"), image.Image().width()},
                           {QStringLiteral("height"), image.Image().height()},
                           {QStringLiteral("ratio"), image.DevicePixelRatio()}};
    }

    QJsonObject State()
    {
        QJsonArray param, memory;
        for (const int p : s_.Param)
            param.append(p);
        for (int code = 1; code <= 30; ++code)
            memory.append(s_.ThemeMemory[code]);
        const Fraction& f = s_.ExpectedFraction;
        QJsonObject state{
            {QStringLiteral("ThemeCode"), s_.ThemeCode},
            {QStringLiteral("Attempt"), s_.Attempt},
            {QStringLiteral("AttemptsAllowed"), s_.AttemptsAllowed},
            {QStringLiteral("Points"), s_.Points},
            {QStringLiteral("ExercisesDone"), s_.ExercisesDone},
            {QStringLiteral("Level"), s_.CurrentLevel()},
            {QStringLiteral("Param"), param},
            {QStringLiteral("ThemeMemory"), memory},
            {QStringLiteral("ExpectedInt"), s_.ExpectedInt},
            {QStringLiteral("IntTolerance"), s_.IntTolerance},
            {QStringLiteral("ExpectedIntIsRounded"), s_.ExpectedIntIsRounded},
            {QStringLiteral("ExpectedReal"), s_.ExpectedReal},
            {QStringLiteral("RealTolerance"), s_.RealTolerance},
            {QStringLiteral("AnswerDecimals"), s_.AnswerDecimals},
            {QStringLiteral("ExpectedFraction"), QJsonObject{{QStringLiteral("Sign"), f.Sign},
                                                             {QStringLiteral("Whole"), f.Whole},
                                                             {QStringLiteral("Num"), f.Num},
                                                             {QStringLiteral("Den"), f.Den}}},
            {QStringLiteral("AnswerKind"), s_.Field().Kind},
            {QStringLiteral("AnswerLine"), s_.AnswerLine},
            {QStringLiteral("AnswerUnit"), s_.AnswerUnit},
            {QStringLiteral("InputLabel"), s_.Field().Label},
            {QStringLiteral("InputHint"), s_.Field().Hint},
            {QStringLiteral("FieldText"), fieldText_},
            {QStringLiteral("FeedbackText"), s_.FeedbackText},
            {QStringLiteral("WorkText"), s_.WorkText},
            {QStringLiteral("SessionTitle"), s_.SessionTitle},
            {QStringLiteral("Score"), view_.Score},
            {QStringLiteral("Running"), s_.Running},
            {QStringLiteral("AnswerPending"), s_.AnswerPending()},
            {QStringLiteral("ContinueVisible"), s_.ContinueShown()},
            {QStringLiteral("StartVisible"), active_ && s_.StartButtonVisible()},
            {QStringLiteral("StartEnabled"), s_.StartEnabled()},
            {QStringLiteral("TickedCount"), s_.TickedCount},
            {QStringLiteral("ThemeMask"), s_.ThemeMask},
            {QStringLiteral("Face"), view_.Face},
            {QStringLiteral("StatusHint"), view_.StatusHint},
            {QStringLiteral("Caption"), view_.Caption},
            {QStringLiteral("InfoText"), view_.InfoText},
            {QStringLiteral("CalcButtonVisible"), view_.CalcButtonVisible},
            {QStringLiteral("texts"), texts_},
            {QStringLiteral("messages"), QJsonArray::fromStringList(messages_)},
        };
        texts_ = QJsonArray();
        messages_.clear();
        return state;
    }

    Session s_;
    HeadlessView view_;
    SessionGeometry geometry_;
    std::optional<std::uint32_t> seed_;
    bool active_ = false;
    QString fieldText_;
    QJsonArray texts_;
    QStringList messages_;
};

}  // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (!LoadResourceLibrary(QCoreApplication::applicationDirPath()))
        std::fprintf(stderr, "velmora-drive: %s not found beside the program\n", ResourceLibraryName);
    Driver driver;
    QTextStream in(stdin);
    QTextStream out(stdout);
    QString line;
    while (in.readLineInto(&line)) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
            continue;
        out << QJsonDocument(driver.Run(trimmed)).toJson(QJsonDocument::Compact) << '\n';
        out.flush();
    }
    return 0;
}
