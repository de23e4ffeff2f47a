#include "sessionview.h"

#include "platform/system.h"

namespace velmora {

void SessionView::Pause(int ms, const std::function<bool()>& running)
{
    const qint64 start = NowMs();
    do
        ProcessEvents();
    while (running() && NowMs() - start < ms);
}

qint64 SessionView::NowMs() const
{
    return SteadyClockMs();
}

}  // namespace velmora
