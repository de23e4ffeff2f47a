#pragma once
// The help script format: one command per line, up to nine comma-separated fields
// (line number, tag, x, y, text, size, colour, style, target). Files are Windows-1252
// with CR LF line ends. Nothing here draws or touches a widget.
#include <QColor>
#include <QString>

#include <deque>
#include <stdexcept>

namespace velmora {

// The fields of the line being executed. A field keeps its value until a later line
// overwrites it: a short line such as "150,[toets]" sets only LineNo and Command.
struct ScriptLine {
    QString LineNo, Command, X, Y, Text, Size, Colour, Style, Target;
};

// One line of a script file waiting in the queue, with its place in the file for messages.
struct QueuedLine {
    QString Text;
    int FileLine = 0;  // 1-based
};
using LineQueue = std::deque<QueuedLine>;

// A malformed script line; the reason is a Dutch sentence for the error message.
class ScriptError : public std::runtime_error {
public:
    explicit ScriptError(const QString& reason) : std::runtime_error(reason.toStdString()), reason_(reason) {}
    const QString& Reason() const { return reason_; }

private:
    QString reason_;
};

// Numbers in scripts stay small; larger ones are taken as typing errors rather than
// risking integer overflow in pixel arithmetic.
inline constexpr double MaxScriptNumber = 10000.0;

QString DecodeWindows1252(const QByteArray& bytes);
QByteArray EncodeWindows1252(const QString& text);  // unmappable characters become '?'

// Colour names are matched exactly; anything else, including "red", is white.
QColor KleurVan(const QString& name);
// Every "." becomes DecSep, so numbers read from a script can be shown as the pupil writes them.
QString ZetDecimaal(const QString& text);
// Reads a decimal number written with "." or with DecSep. Throws ScriptError naming the
// field when the text is empty, not a number, or out of range.
double ScriptNumber(const QString& text, const QString& fieldName);
// Splits "a/b" at its first "/" into two numbers; throws when the "/" is missing.
void ScriptPair(const QString& text, const QString& fieldName, double& a, double& b);

// Reads the file into the queue up to and including the first line containing "[end]",
// or to the end of the file. A missing or unreadable file shows "Foutje" and leaves the
// queue as it was.
bool LeesFile(const QString& name, LineQueue& queue);
// Appends the lines of an in-memory script (as LeesFile would read them).
void AppendScript(const QString& script, LineQueue& queue);

// Takes the first line off the queue and parses it into line and penColour.
// Throws ScriptError when the queue is empty.
QueuedLine LeesRegel(LineQueue& queue, ScriptLine& line, QColor& penColour);

}  // namespace velmora
