// Themes 16 and 17: the numbers posed, the answer they give, the animation (frames, pauses,
// heights rounded per step, stopped when the run ends) and the worked explanation.
#include "platform/resources.h"
#include "session/marking.h"
#include "support/themerig.h"
#include "themes/percentages/bounce.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <QtTest>

#include <functional>
#include <set>

using namespace velmora;
using velmora::test::ThemeRig;

namespace {

// h0 x F^n / 100^n exactly, F = 100 + p or 100 - p; fits 64 bits up to n = 7.
struct ExactHeight {
    long long Num = 1, Den = 1;
};

ExactHeight Exact(int code, int h0, int p, int n)
{
    ExactHeight e{h0, 1};
    for (int i = 0; i < n; ++i) {
        e.Num *= code == bounce::Trampoline ? 100 + p : 100 - p;
        e.Den *= 100;
    }
    return e;
}

// The answers in hundredths that round num/den correctly to two decimals (two at a tie).
std::vector<long long> RightHundredths(const ExactHeight& e)
{
    const long long hundredth = e.Den / 100;  // Den is 100^n, n >= 2
    const long long q = e.Num / hundredth, r = e.Num % hundredth;
    if (2 * r < hundredth)
        return {q};
    if (2 * r > hundredth)
        return {q + 1};
    return {q, q + 1};
}

// Round(num / den) with halves to even, in integers.
long long RoundHalfEven(long long num, long long den)
{
    const long long q = num / den, r = num % den;
    return 2 * r < den || (2 * r == den && q % 2 == 0) ? q : q + 1;
}

// The pixel height of the asked step: the first height rounded again at every step.
int ChainedHeight(int code, int first, int p, int n)
{
    long long height = first;
    for (int i = 0; i < n; ++i)
        height = RoundHalfEven(height * (code == bounce::Trampoline ? 100 + p : 100 - p), 100);
    return static_cast<int>(height);
}

// Frames of the animation: one per Speed pixels of the run.
int FrameCount(int code, const BounceStage& st, int n)
{
    if (code == bounce::Trampoline)
        return (2 * n * st.Step + st.Step + st.Speed - 1) / st.Speed;
    const double run = (n + 0.75) * 2 * st.Step;
    int frames = 0;
    for (int x = 0; x < run; x += st.Speed)
        ++frames;
    return frames;
}

// The top row of the first bar of this colour crossing row y, read one column right of
// the bar's middle, where the dashes that end at the middle do not reach.
int BarTop(const Bitmap& b, int y, const QColor& colour)
{
    for (int c = 1; c < b.Width() - 1; ++c) {
        if (b.Pixel(c, y) != colour)
            continue;
        int right = c;
        while (b.Pixel(right + 1, y) == colour)
            ++right;
        int top = y;
        while (top > 1 && b.Pixel(right, top - 1) == colour)
            --top;
        return top;
    }
    return -1;
}

QStringList TextsOf(Bitmap& b, const std::function<void()>& draw)
{
    QStringList texts;
    b.TextObserver = [&texts](const TextEvent& e) { texts << e.Text; };
    draw();
    b.TextObserver = nullptr;
    return texts;
}

// A view that runs a callback at one frame of the animation.
struct FrameHook : HeadlessView {
    int AtFrame = -1;
    std::function<void()> Hook;
    void Pause(int ms, const std::function<bool()>& running) override
    {
        HeadlessView::Pause(ms, running);
        if (Pauses == AtFrame && Hook)
            Hook();
    }
};

// A percentage practice with one theme ticked, as the session window runs it.
struct PracticeRun {
    Session s;
    FrameHook view;
    PracticeRun(int code, int level, std::uint32_t seed)
    {
        test::SetLayout1024x768(s);
        s.SetView(&view);
        s.SetCategory(Category::Percentages, true);
        s.Activate();
        s.ShowSetup();
        s.SetLevelIndex(level - 1);
        s.SetTicked(code - 10, true);
        s.Rng().Seed(seed);
    }
};

}  // namespace

class TestBounce : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(LoadResourceLibrary(QCoreApplication::applicationDirPath())); }
    void numbersPosed_data();
    void numbersPosed();
    void animationDrawn_data();
    void animationDrawn();
    void dashedLinesInsideThePicture();
    void secondAttemptDoesNotReplay();
    void endStopsTheAnimation_data();
    void endStopsTheAnimation();
    void newExerciseStopsTheAnimation();
    void tieAcceptedEitherWay();
    void explanation_data();
    void explanation();
};

void TestBounce::numbersPosed_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("level");
    QTest::newRow("trampoline, Starter") << 16 << 1;
    QTest::newRow("trampoline, Durver") << 16 << 2;
    QTest::newRow("ball, Starter") << 17 << 1;
    QTest::newRow("ball, Durver") << 17 << 2;
}

// Over thousands of draws: the ranges, and the answer that follows from h0, p and n.
void TestBounce::numbersPosed()
{
    QFETCH(int, code);
    QFETCH(int, level);
    const bool up = code == bounce::Trampoline;
    std::set<int> ps, ns, h0s;
    int ties = 0;
    for (const std::uint32_t seed : {2u, 909u, 123457u}) {
        ThemeRig rig(Bounce, code, level, seed);
        for (int i = 0; i < 1500; ++i) {
            PoseBounce(rig.s);
            const Session& s = rig.s;
            const int h0 = s.Param[bounce::StartHeight], p = s.Param[bounce::Percent], n = s.Param[bounce::Steps];
            ps.insert(p);
            ns.insert(n);
            h0s.insert(h0);
            QVERIFY(up ? p >= 20 && p <= 49 : p >= 10 && p <= 29);
            QVERIFY(n >= level + 1 && n <= 3 * level + 1);
            QVERIFY(up ? h0 >= 60 && h0 <= 150 : h0 >= 200 && h0 <= 390);
            QCOMPARE(h0 % 10, 0);
            QCOMPARE(s.FeedbackText, BounceQuestion(code, n));
            QCOMPARE(s.AnswerDecimals, 2);
            QCOMPARE(s.RealTolerance, 0.0049);

            const ExactHeight e = Exact(code, h0, p, n);
            const double exact = double(e.Num) / double(e.Den);
            QVERIFY2(std::abs(s.ExpectedReal - exact) <= 1e-9 * exact, qPrintable(QString::number(s.ExpectedReal)));
            const std::vector<long long> right = RightHundredths(e);
            ties += right.size() == 2;
            for (const long long r : right)
                QVERIFY2(DecimalAnswerRight(r / 100.0, s.ExpectedReal, s.RealTolerance, 2),
                         qPrintable(QStringLiteral("%1 %2 %3: %4").arg(h0).arg(p).arg(n).arg(r)));
            QVERIFY(!DecimalAnswerRight((right.front() - 1) / 100.0, s.ExpectedReal, s.RealTolerance, 2));
            QVERIFY(!DecimalAnswerRight((right.back() + 1) / 100.0, s.ExpectedReal, s.RealTolerance, 2));
        }
    }
    QCOMPARE(int(ps.size()), up ? 30 : 20);
    QCOMPARE(int(ns.size()), 2 * level + 1);
    QCOMPARE(int(h0s.size()), up ? 10 : 20);
    if (level == 1)
        QVERIFY2(ties > 0, "exact halves occur and are marked right both ways");
}

void TestBounce::animationDrawn_data()
{
    numbersPosed_data();
}

// Every frame is drawn and paused through the session; the texts show the numbers posed; the
// asked step's red bar stands as high as the first height rounded again at every step.
void TestBounce::animationDrawn()
{
    QFETCH(int, code);
    QFETCH(int, level);
    const QImage sprite = BounceSprite(code);
    QVERIFY(!sprite.isNull());
    QCOMPARE(sprite.pixel(1, 1) >> 24, 0u);  // the key colour is transparent
    int roundingShows = 0;
    ThemeRig rig(Bounce, code, level, 4242);
    for (int i = 0; i < 25; ++i) {
        QStringList picture, text;
        rig.s.PictureBitmap.TextObserver = [&picture](const TextEvent& e) { picture << e.Text; };
        rig.s.TextBitmap.TextObserver = [&text](const TextEvent& e) { text << e.Text; };
        const int pausesBefore = rig.view.Pauses;
        const long long msBefore = rig.view.PausedMs;
        rig.Next();
        const Session& s = rig.s;
        const int h0 = s.Param[bounce::StartHeight], p = s.Param[bounce::Percent], n = s.Param[bounce::Steps];
        const BounceStage st = StageFor(code, sprite.size(), h0, s.ExpectedReal);

        const int frames = rig.view.Pauses - pausesBefore;
        QCOMPARE(frames, FrameCount(code, st, n));
        QCOMPARE(rig.view.PausedMs - msBefore, 35LL * frames);
        QVERIFY(rig.view.BitmapCopies >= rig.view.Pauses);

        const QString question = BounceQuestion(code, n);
        QVERIFY(picture.contains(question));
        QVERIFY(picture.contains(
            code == 16 ? QStringLiteral("Hij komt elke keer %1 % hoger dan de vorige keer.").arg(p)
                       : QStringLiteral("De bal komt na elke stuit %1 % minder hoog dan de keer").arg(p)));
        QVERIFY(picture.contains(code == 16 ? QStringLiteral("Hij springt de eerste keer %1 cm hoog.").arg(h0)
                                            : QStringLiteral("Hij laat de bal los op een hoogte van %1 cm.").arg(h0)));
        QVERIFY(picture.contains(QString::number(h0)));
        for (int step = 1; step <= n; ++step)
            QVERIFY2(picture.contains(QString::number(step)), "every jump or bounce is numbered");
        QVERIFY(text.contains(code == 16 ? QStringLiteral("bij de %1e sprong ?").arg(n + 1)
                                         : QStringLiteral("na de %1e stuit ?").arg(n)));
        QCOMPARE(rig.view.Field.Kind, 2);
        QCOMPARE(rig.view.Field.Label, QStringLiteral("Hoogte: "));
        QCOMPARE(rig.view.Field.Hint, QStringLiteral("|") + question);
        QCOMPARE(rig.view.Field.PanelTop, 6 * LineHeight);
        QCOMPARE(s.AnswerUnit, QStringLiteral(" cm"));

        // The asked step's red bar against the first bar (same drawing, so the same cap or
        // dash at the top): their tops differ by exactly the chained height's difference.
        const Bitmap& b = s.PictureBitmap;
        const int foot = st.Rest + st.SpriteHeight;
        const int first = BarTop(b, foot - 4, clr::Black);
        const int asked = BarTop(b, foot - 4, clr::Red);
        QVERIFY(first > 0 && asked > 0);
        const int chained = ChainedHeight(code, st.FirstJump, p, n);
        QCOMPARE(asked - first, st.FirstJump - chained);
        roundingShows += chained != Round(st.FirstJump * s.ExpectedReal / h0);
    }
    if (code == bounce::Trampoline)
        QVERIFY2(roundingShows > 0, "the seed shows no difference between rounding per step and not");
}

// The trampoline's ground line and the jumps' dashed lines lie on their pixel rows.
void TestBounce::dashedLinesInsideThePicture()
{
    ThemeRig rig(Bounce, bounce::Trampoline, 1, 31);
    rig.Next();
    const Bitmap& b = rig.s.PictureBitmap;
    const BounceStage st = StageFor(16, BounceSprite(16).size(), rig.s.Param[0], rig.s.ExpectedReal);
    const auto runs = [&b](int y, int from, int to, const QColor& colour) {
        int count = 0;
        for (int x = from; x < to; ++x)
            count += b.Pixel(x, y) == colour && b.Pixel(x - 1, y) != colour;
        return count;
    };
    const int bed = st.Rest + st.SpriteHeight + 1;
    QVERIFY2(runs(bed, st.Left + 2 * st.SpriteWidth + 4, st.Left + b.Width() / 3, clr::Blue) >= 4,
             "dashes between the bed and the first bar");
    const int firstTop = st.Rest + st.SpriteHeight - st.FirstJump;
    int dashes = 0;
    for (int y = firstTop - 1; y <= firstTop + 1; ++y)
        dashes = std::max(dashes, runs(y, st.Left - 2 * st.SpriteWidth, st.Left - 2, clr::Black));
    QVERIFY2(dashes >= 3, "the first jump's dashed line reaches left of Luuk");
}

void TestBounce::secondAttemptDoesNotReplay()
{
    for (const int code : {16, 17}) {
        ThemeRig rig(Bounce, code, 2, 5);
        rig.Next();
        const int pauses = rig.view.Pauses;
        QVERIFY(pauses > 20);
        const QImage picture = rig.s.PictureBitmap.Image().copy();
        const auto param = rig.s.Param;
        rig.Again();
        QCOMPARE(rig.view.Pauses, pauses);
        QVERIFY(rig.s.PictureBitmap.Image() == picture);
        QVERIFY(rig.s.Param == param);
        QVERIFY(rig.view.FieldOpen);
    }
}

void TestBounce::endStopsTheAnimation_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("frame");
    QTest::newRow("trampoline, first frame") << 16 << 1;
    QTest::newRow("trampoline, mid-jump") << 16 << 40;
    QTest::newRow("ball, mid-bounce") << 17 << 25;
}

// Einde during the animation: no frame after it, nothing drawn over the setup screen, no
// answer asked.
void TestBounce::endStopsTheAnimation()
{
    QFETCH(int, code);
    QFETCH(int, frame);
    PracticeRun run(code, 1, 99);
    QImage setupPicture, setupText;
    int copies = 0;
    run.view.AtFrame = frame;
    run.view.Hook = [&] {
        QVERIFY(run.s.End());
        setupPicture = run.s.PictureBitmap.Image().copy();
        setupText = run.s.TextBitmap.Image().copy();
        copies = run.view.BitmapCopies;
    };
    run.s.Start();
    QCOMPARE(run.s.ThemeCode, code);
    QCOMPARE(run.view.Pauses, frame);
    QVERIFY(!run.s.Running);
    QVERIFY(!run.s.AnswerPending());
    QVERIFY(!run.view.FieldOpen);
    QCOMPARE(run.view.BitmapCopies, copies);
    QVERIFY2(run.s.PictureBitmap.Image() == setupPicture, "a late frame was drawn");
    QVERIFY(run.s.TextBitmap.Image() == setupText);
}

// The level button and START during the animation begin another exercise; the interrupted
// animation must not draw over it or ask its own answer.
void TestBounce::newExerciseStopsTheAnimation()
{
    PracticeRun run(bounce::Basketball, 1, 7);
    QImage innerPicture;
    std::array<int, 13> innerParam{};
    int innerPauses = 0;
    run.view.AtFrame = 10;
    run.view.Hook = [&] {
        run.view.AtFrame = -1;  // the inner animation runs undisturbed
        QVERIFY(run.s.LevelButton());
        run.s.SetLevelIndex(1);
        run.s.Start();
        innerPicture = run.s.PictureBitmap.Image().copy();
        innerParam = run.s.Param;
        innerPauses = run.view.Pauses;
    };
    run.s.Start();
    QVERIFY(innerPauses > 20);
    QCOMPARE(run.view.Pauses, innerPauses);
    QVERIFY(run.s.Param == innerParam);
    QVERIFY(run.s.PictureBitmap.Image() == innerPicture);
    QCOMPARE(run.s.CurrentLevel(), 2);
    QVERIFY(run.s.AnswerPending());
    QCOMPARE(run.view.Field.Hint, QStringLiteral("|") + BounceQuestion(17, run.s.Param[bounce::Steps]));
}

// An exact half such as 140.625 is right rounded down and rounded up.
void TestBounce::tieAcceptedEitherWay()
{
    std::uint32_t seed = 1;
    std::vector<long long> right;
    for (; seed < 3000; ++seed) {
        PracticeRun probe(bounce::Trampoline, 1, seed);
        probe.s.Start();
        const auto& p = probe.s.Param;
        right = RightHundredths(Exact(16, p[bounce::StartHeight], p[bounce::Percent], p[bounce::Steps]));
        if (right.size() == 2)
            break;
    }
    QCOMPARE(int(right.size()), 2);
    for (const long long hundredths : right) {
        PracticeRun run(bounce::Trampoline, 1, seed);
        run.s.Start();
        QString answer = FormatFixed(hundredths / 100.0, 2);
        QCOMPARE(run.s.SubmitAnswer(answer), AnswerOutcome::Marked);
        QVERIFY2(run.s.Points == 6, qPrintable(answer));
    }
}

void TestBounce::explanation_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("h0");
    QTest::addColumn<int>("p");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("factor");
    QTest::addColumn<QString>("result");
    QTest::newRow("trampoline") << 16 << 100 << 20 << 2 << "1,20"
                                << "144,00 cm";
    QTest::newRow("ball") << 17 << 200 << 10 << 3 << "0,90"
                          << "145,80 cm";
    QTest::newRow("not rounded per step") << 16 << 150 << 25 << 3 << "1,25"
                                          << "292,97 cm";
}

// Practice shows the factor and the power; a test only the result.
void TestBounce::explanation()
{
    QFETCH(int, code);
    QFETCH(int, h0);
    QFETCH(int, p);
    QFETCH(int, n);
    QFETCH(QString, factor);
    QFETCH(QString, result);
    ThemeRig rig(Bounce, code, 1);
    Session& s = rig.s;
    s.Param[bounce::StartHeight] = h0;
    s.Param[bounce::Percent] = p;
    s.Param[bounce::Steps] = n;
    s.ExpectedReal = BounceHeight(code, h0, p, n);
    s.AnswerDecimals = 2;
    s.AnswerUnit = QStringLiteral(" cm");
    TextEndX = Margin;
    const QStringList practice = TextsOf(s.TextBitmap, [&] { ExplainBounce(s, 10); });
    QCOMPARE(practice,
             (QStringList{QStringLiteral("De groeifactor is ") + factor + QLatin1Char('.'), QStringLiteral("Dus: "),
                          QStringLiteral(" Hoogte = %1 x ").arg(h0) + factor + QLatin1Char(' '), QString::number(n),
                          QStringLiteral(" ~"), QStringLiteral(" ~"), result}));
    s.SetCategory(Category::Percentages, false);
    const QStringList test = TextsOf(s.TextBitmap, [&] { ExplainBounce(s, 10); });
    QCOMPARE(test, (QStringList{QStringLiteral(" ~"), QStringLiteral(" ~"), result}));
}

QTEST_MAIN(TestBounce)
#include "tst_bounce.moc"
