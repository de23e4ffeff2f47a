#include "helpfixture.h"

#include "toolkit/layout.h"

#include <QFont>
#include <QFontMetrics>

namespace velmora::test {

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
    ScaleFactor = 1.6;
    Margin = 13;
    PictureWidth = 620;
    PictureHeight = 595;
    LineHeight = PictureHeight / 26;
    // The largest point size whose "Hj" fits a line, as the session window finds it.
    RefFontSize = 30;
    for (;;) {
        FontState f;
        f.Size = RefFontSize;
        if (QFontMetrics(MakeFont(f)).height() <= LineHeight || RefFontSize <= 1)
            break;
        --RefFontSize;
    }
    TextEndX = 0;
    DecSep = QLatin1Char(',');
}

QSize TextSurfaceSize()
{
    return QSize(365, 595);
}

QSize PictureSurfaceSize()
{
    return QSize(PictureWidth, PictureHeight);
}

}  // namespace velmora::test
