#pragma once
// Helpers for session tests: layout as on a 1024 x 768 screen, generators that stand in
// for the real themes, and logs of drawn texts and message boxes.
#include "platform/messages.h"
#include "session/session.h"

#include <QStringList>

namespace velmora::testing {

// Layout globals and bitmaps as the session window sets them on a 1024 x 768 screen.
void PrepareLayout(Session& session);

// For window tests: loads the resource library beside the test and sets the layout globals
// from the work area as the program does; false when the library is missing.
bool PrepareWindows();

// A generator for tests: on a new exercise (Attempt 0) draws a number 10..99 into
// Param[0] and expects it as an integer; counts new exercises in ThemeMemory.
void IntegerTheme(Exercise& session);
// Puts IntegerTheme behind every given code and no generator behind all others, so
// that tests do not depend on which real themes exist.
void UseIntegerTheme(Session& session, const QList<int>& codes);

// Records every text drawn into a bitmap.
class TextLog {
public:
    void Attach(Bitmap& bitmap);
    QStringList Texts;
    QStringList Colours;  // "#rrggbb", parallel to Texts
    bool Contains(const QString& text) const { return Texts.contains(text); }
    void Clear()
    {
        Texts.clear();
        Colours.clear();
    }
};

// Installs a message sink for its lifetime and keeps the texts.
class MessageLog {
public:
    MessageLog();
    ~MessageLog();
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;
    QStringList Texts;

private:
    MessageSink previous_;
};

}  // namespace velmora::testing
