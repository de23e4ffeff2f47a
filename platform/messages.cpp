#include "messages.h"

#include <cstdio>

namespace velmora {

namespace {
MessageSink& Sink()
{
    static MessageSink sink;
    return sink;
}
}  // namespace

MessageSink SetMessageSink(MessageSink sink)
{
    MessageSink previous = std::move(Sink());
    Sink() = std::move(sink);
    return previous;
}

void ShowMessage(const QString& text, MessageKind kind)
{
    if (Sink()) {
        Sink()(text, kind);
        return;
    }
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    std::fprintf(stderr, "%s\n", shown.toLocal8Bit().constData());
}

}  // namespace velmora
