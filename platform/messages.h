#pragma once
// Every message box a pupil sees goes through one injectable sink, so tests can read
// what would have been shown without a blocking modal dialog.
#include <QString>

#include <functional>

namespace velmora {

// Warning: input that could not be read; Information: a notice; Fatal: the program stops.
enum class MessageKind { Plain, Warning, Information, Fatal };
using MessageSink = std::function<void(const QString& text, MessageKind kind)>;

// Installs a sink and returns the previous one. Without a sink, messages go to stderr.
MessageSink SetMessageSink(MessageSink sink);
// Shows text; a carriage return breaks the line.
void ShowMessage(const QString& text, MessageKind kind = MessageKind::Plain);

}  // namespace velmora
