#pragma once
// Shared by the help tests: a headless HelpView with a fake clock, a message catcher and
// the 1024 x 768 layout.
#include "help/runner.h"
#include "platform/messages.h"

#include <QStringList>

namespace velmora::test {

class HeadlessHelpView : public HelpView {
public:
    void SetContinueVisible(bool visible, bool focus) override
    {
        ContinueVisible = visible;
        ContinueFocused = visible && focus;
    }
    void Paint() override { ++Paints; }
    // Each round of event handling lets 10 ms of fake time pass.
    void ProcessEvents() override { Now += 10; }
    void PressEindButton() override { ++EindPresses; }
    qint64 NowMs() override { return Now; }

    bool ContinueVisible = false;
    bool ContinueFocused = false;
    int Paints = 0;
    int EindPresses = 0;
    qint64 Now = 0;
};

// Collects every message while alive instead of showing a box.
class MessageCatcher {
public:
    MessageCatcher();
    ~MessageCatcher();
    QStringList Messages;

private:
    MessageSink previous_;
};

// Layout of a 1024 x 768 screen (ScaleFactor 1.6, Margin 13) as the session window
// computes it; the sizes are those of its two bitmaps.
void SetHelpLayout();
QSize TextSurfaceSize();
QSize PictureSurfaceSize();
int PictureLeft();

}  // namespace velmora::test
