#include "helpfixture.h"

#include "toolkit/layout.h"

#include "session/sessionlayout.h"

namespace velmora::test {

namespace {
SessionGeometry Geometry()
{
    const QSize screen(1024, 768);
    return ComputeSessionGeometry(screen, SessionScale(screen));
}
}  // namespace

MessageCatcher::MessageCatcher()
{
    previous_ = SetMessageSink([this](const QString& text, MessageKind) { Messages << text; });
}

MessageCatcher::~MessageCatcher()
{
    SetMessageSink(previous_);
}

void SetHelpLayout()
{
    DecSep = QLatin1Char(',');
    TextEndX = 0;
    // The session window's own geometry on this screen gives the surfaces and the metrics.
    Bitmap text, picture;
    UseScreenLayout(QSize(1024, 768), text, picture);
}

QSize TextSurfaceSize()
{
    return Geometry().Tekst.size();
}

QSize PictureSurfaceSize()
{
    return QSize(PictureWidth, PictureHeight);
}

int PictureLeft()
{
    return Geometry().Plaatje.left();
}

}  // namespace velmora::test
