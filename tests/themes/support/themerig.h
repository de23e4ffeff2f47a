#pragma once
// A session ready to run one theme generator the way the session window would, at the
// layout of a 1024 x 768 screen, with a headless view that records the answer field.
#include "session/headlessview.h"
#include "session/session.h"

#include <QStringList>

#include <cstdint>
#include <vector>

namespace velmora::test {

using Generator = ThemeGenerator;

// The layout globals and the session's bitmaps as the session window sets them on a
// 1024 x 768 screen.
void SetLayout1024x768(Session& s);

// The texts drawn on a bitmap, in order, with their position, colour and size.
struct TextLog {
    std::vector<TextEvent> Events;
    void Attach(Bitmap& b);
    QStringList Texts() const;
    // The first event with exactly this text; nullptr when there is none.
    const TextEvent* Find(const QString& text) const;
};

class ThemeRig {
public:
    ThemeRig(Generator generator, int themeCode, int level, std::uint32_t seed = 1);

    // As START: theme memories -1, rotation counters 0, a new exercise due.
    void Start();
    // A new exercise: both bitmaps cleared and framed as the window does, Attempt 0.
    void Next();
    // The same exercise again after a wrong first answer: only the text bitmap is cleared.
    void Again();
    // Answers the open exercise with this wrong text on every attempt left and returns what
    // was drawn after "Het antwoord was: " (empty when that never came).
    std::vector<TextEvent> FinalVerdict(const QString& wrong);

    Session s;
    HeadlessView view;

private:
    Generator generator_;
    int themeCode_;
};

}  // namespace velmora::test
