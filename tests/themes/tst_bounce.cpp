// Themes 16 and 17: the numbers posed and the answer they give, the animation (a frame per
// step through the session, heights rounded per step, the dashes on their rows, no replay on
// a second attempt), stopped by Einde or by a new exercise, and the worked explanation.
#include "platform/resources.h"
#include "session/marking.h"
#include "support/themerig.h"
#include "themes/percentages/bounce.h"
#include "toolkit/layout.h"
#include "toolkit/text.h"

#include <QtTest>

#include <cmath>
#include <functional>
#include <set>

using namespace velmora;
using velmora::test::ThemeRig;

namespace {

int Factor(int code, int p)
{
    return code == bounce::Trampoline ? 100 + p : 100 - p;
}

// A percentage practice with one theme ticked, as the session window runs it; Hook is called
// at frame AtFrame of the animation.
struct PracticeRun : HeadlessView {
    Session s;
    int AtFrame = -1;
    std::function<void()> Hook;
    PracticeRun(int code, std::uint32_t seed)
    {
        test::SetLayout1024x768(s);
        s.SetView(this);
        s.SetCategory(Category::Percentages, true);
        s.Activate();
        s.ShowSetup();
        s.SetTicked(code - 10, true);
        s.Rng().Seed(seed);
    }
    void Pause(int ms, const std::function<bool()>& running) override
    {
        HeadlessView::Pause(ms, running);
        if (Pauses == AtFrame && Hook)
            Hook();
    }
};

}  // namespace

class TestBounce : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(LoadResourceLibrary(QCoreApplication::applicationDirPath())); }
    void numbersAndAnimation_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("level");
        for (const int code : {16, 17})
            for (const int level : {1, 2})
                QTest::addRow("%s, level %d", code == 16 ? "trampoline" : "ball", level) << code << level;
    }
    // Thousands of draws: the ranges, and the answer h0 x F^n / 100^n worked out exactly, with
    // both roundings of an exact half right. Every 50th exercise is drawn: the story shows the
    // numbers, one 35 ms frame per Speed pixels of the run goes through the session, the asked
    // step's red bar stands as high as the first height rounded (halves to even) at every step,
    // the trampoline's dashes lie on the bed's and the first jump's rows, and a second attempt
    // keeps the picture without animating again.
    void numbersAndAnimation()
    {
        QFETCH(int, code);
        QFETCH(int, level);
        const bool up = code == bounce::Trampoline;
        std::set<int> ps, ns, h0s;
        int ties = 0, roundingShows = 0;
        ThemeRig rig(Bounce, code, level, 909u * level + code);
        const QSize sprite = BounceSprite(code).size();  // at the rig's scale
        for (int i = 0; i < 4000; ++i) {
            QStringList picture;
            rig.s.PictureBitmap.TextObserver = [&picture](const TextEvent& e) { picture << e.Text; };
            const long long pauses = rig.view.Pauses, ms = rig.view.PausedMs;
            const bool drawn = i % 50 == 0;
            drawn ? rig.Next() : PoseBounce(rig.s);
            const Session& s = rig.s;
            const int h0 = s.Param[bounce::StartHeight], p = s.Param[bounce::Percent], n = s.Param[bounce::Steps];
            ps.insert(p), ns.insert(n), h0s.insert(h0);
            QVERIFY(up ? p >= 20 && p <= 49 : p >= 10 && p <= 29);
            QVERIFY(n >= level + 1 && n <= 3 * level + 1);
            QVERIFY(h0 % 10 == 0 && (up ? h0 >= 60 && h0 <= 150 : h0 >= 200 && h0 <= 390));
            QCOMPARE(s.FeedbackText, BounceQuestion(code, n));

            long long num = h0, hundredth = 1;  // h0 x F^n = num / (100 x hundredth), exact for n <= 7
            for (int k = 0; k < n; ++k)
                num *= Factor(code, p), hundredth *= k ? 100 : 1;
            const double exact = double(num) / double(hundredth) / 100;
            QVERIFY2(std::abs(s.ExpectedReal - exact) <= 1e-9 * exact, qPrintable(QString::number(s.ExpectedReal)));
            const long long q = num / hundredth, r = num % hundredth;
            const long long low = 2 * r <= hundredth ? q : q + 1, high = 2 * r < hundredth ? q : q + 1;
            ties += low != high;
            for (const long long c : {low - 1, low, high, high + 1})
                QVERIFY2(DecimalAnswerRight(c / 100.0, s.ExpectedReal, s.RealTolerance, s.AnswerDecimals) ==
                             (c >= low && c <= high),
                         qPrintable(QStringLiteral("%1 %2 %3: %4").arg(h0).arg(p).arg(n).arg(c)));
            if (!drawn)
                continue;

            const QString story = picture.join(QLatin1Char('|'));
            QVERIFY(story.contains(QStringLiteral(" %1 % ").arg(p)) &&
                    story.contains(QStringLiteral(" %1 cm").arg(h0)));
            const BounceStage st = StageFor(code, sprite, h0, s.ExpectedReal);
            const int frames = rig.view.Pauses - pauses;
            QCOMPARE(frames, int(std::ceil((2 * n + (up ? 1.0 : 1.5)) * st.Step / st.Speed)));
            QCOMPARE(rig.view.PausedMs - ms, 35LL * frames);
            const Bitmap& b = s.PictureBitmap;
            const QImage shown = b.Image().copy();
            rig.Again();
            QVERIFY(rig.view.Pauses == pauses + frames && b.Image() == shown && rig.view.FieldOpen);

            // The bars' tops, read one column right of their middle where the dashes do not reach.
            const int foot = st.Rest + st.SpriteHeight;
            const auto barTop = [&b, foot](const QColor& colour) {
                int c = 1, top = foot - 4;
                while (c < b.Width() - 2 && b.Pixel(c, top) != colour)
                    ++c;
                while (b.Pixel(c + 1, top) == colour)
                    ++c;
                while (top > 1 && b.Pixel(c, top - 1) == colour)
                    --top;
                return top;
            };
            long long chained = st.FirstJump;
            for (int k = 0; k < n; ++k) {
                const long long x = chained * Factor(code, p);
                chained = x / 100 + (x % 100 > 50 || (x % 100 == 50 && x / 100 % 2 == 1));
            }
            QCOMPARE(barTop(clr::Red) - barTop(clr::Black), st.FirstJump - int(chained));
            roundingShows += chained != Round(st.FirstJump * s.ExpectedReal / h0);
            if (!up)
                continue;
            const auto dashes = [&b](int y, int from, int to, const QColor& colour) {
                int count = 0;
                for (int x = from; x < to; ++x)
                    count += b.Pixel(x, y) == colour && b.Pixel(x - 1, y) != colour;
                return count;
            };
            QVERIFY2(dashes(foot + 1, st.Left + 2 * st.SpriteWidth + 4, st.Left + b.Width() / 3, clr::Blue) >= 4,
                     "dashes between the bed and the first bar");
            int left = 0;
            for (int y = foot - st.FirstJump - 1; y <= foot - st.FirstJump + 1; ++y)
                left = std::max(left, dashes(y, st.Left - 2 * st.SpriteWidth, st.Left - 2, clr::Black));
            QVERIFY2(left >= 3, "the first jump's dashed line reaches left of Luuk");
        }
        QVERIFY(int(ps.size()) == (up ? 30 : 20) && int(h0s.size()) == (up ? 10 : 20));
        QCOMPARE(int(ns.size()), 2 * level + 1);
        QVERIFY2(level == 2 || ties > 0, "exact halves occur and are marked right both ways");
        QVERIFY2(!up || roundingShows > 0, "no exercise shows rounding per step apart from rounding once");
    }
    // Einde during the animation: no frame after it, nothing drawn over the setup screen, no
    // answer asked. The level button and START begin another exercise instead: the interrupted
    // animation must not draw over it or ask its own answer.
    void interruptedAnimation()
    {
        for (const auto& [code, frame] : {std::pair{16, 1}, {16, 40}, {17, 25}}) {
            PracticeRun run(code, 99);
            QImage picture, text;
            run.AtFrame = frame;
            run.Hook = [&] {
                QVERIFY(run.s.End());
                picture = run.s.PictureBitmap.Image().copy(), text = run.s.TextBitmap.Image().copy();
            };
            run.s.Start();
            QVERIFY(run.Pauses == frame && !run.s.Running && !run.s.AnswerPending() && !run.FieldOpen);
            QVERIFY2(run.s.PictureBitmap.Image() == picture && run.s.TextBitmap.Image() == text, "a late frame");
        }
        PracticeRun run(bounce::Basketball, 7);
        QImage inner;
        int innerPauses = 0;
        run.AtFrame = 10;
        run.Hook = [&] {
            run.AtFrame = -1;
            QVERIFY(run.s.LevelButton());
            run.s.SetLevelIndex(1);
            run.s.Start();
            inner = run.s.PictureBitmap.Image().copy(), innerPauses = run.Pauses;
        };
        run.s.Start();
        QVERIFY(innerPauses > 20 && run.Pauses == innerPauses && run.s.PictureBitmap.Image() == inner);
        QVERIFY(run.s.CurrentLevel() == 2 && run.s.AnswerPending());
        QCOMPARE(run.Field.Hint, QStringLiteral("|") + BounceQuestion(17, run.s.Param[bounce::Steps]));
    }
    // Worked by hand: 100 x 1,20^2 = 144, 200 x 0,90^3 = 145,8 and 150 x 1,25^3 = 292,96875, not
    // rounded per step. Practice shows the factor first; a test only the result.
    void explanation()
    {
        for (const auto& [code, h0, p, n, factor, result] : {std::tuple{16, 100, 20, 2, "1,20", "144,00 cm"},
                                                             {17, 200, 10, 3, "0,90", "145,80 cm"},
                                                             {16, 150, 25, 3, "1,25", "292,97 cm"}}) {
            ThemeRig rig(Bounce, code, 1);
            Session& s = rig.s;
            s.Param[bounce::StartHeight] = h0, s.Param[bounce::Percent] = p, s.Param[bounce::Steps] = n;
            s.ExpectedReal = BounceHeight(code, h0, p, n), s.AnswerDecimals = 2, s.AnswerUnit = QStringLiteral(" cm");
            QStringList texts;
            s.TextBitmap.TextObserver = [&texts](const TextEvent& e) { texts << e.Text; };
            ExplainBounce(s, 10);
            QVERIFY2(texts.size() == 7 && texts.first() == QStringLiteral("De groeifactor is %1.").arg(factor) &&
                         texts.last() == result,
                     qPrintable(texts.join(QLatin1Char('|'))));
            s.SetCategory(Category::Percentages, false);
            ExplainBounce(s, 10);
            QCOMPARE(texts.mid(7), (QStringList{" ~", " ~", result}));
        }
    }
};

QTEST_MAIN(TestBounce)
#include "tst_bounce.moc"
