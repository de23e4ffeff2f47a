#include "script.h"

#include "platform/messages.h"
#include "toolkit/canvas.h"
#include "toolkit/layout.h"

#include <QFile>
#include <QLocale>

#include <cmath>

namespace velmora {

namespace {

// 0x80..0x9F of Windows-1252; the five unused bytes keep their own code point.
constexpr char16_t Cp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                     0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

const QLatin1Char Comma(',');

// Cuts at the next comma: the field before it (empty without a comma), and the rest after
// it (the whole rest without a comma).
QString Cut(QString& rest)
{
    const qsizetype at = rest.indexOf(Comma);
    if (at < 0)
        return QString();
    QString field = rest.left(at);
    rest = rest.mid(at + 1);
    return field;
}

}  // namespace

QString DecodeWindows1252(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b <= 0x9F)
            text.append(QChar(Cp1252High[b - 0x80]));
        else
            text.append(QChar(b));
    }
    return text;
}

QByteArray EncodeWindows1252(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        char out = '?';
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out = static_cast<char>(u);
        } else {
            for (int i = 0; i < 32; ++i) {
                if (Cp1252High[i] == u) {
                    out = static_cast<char>(0x80 + i);
                    break;
                }
            }
        }
        bytes.append(out);
    }
    return bytes;
}

QColor KleurVan(const QString& name)
{
    struct Named {
        const char* Name;
        QColor Colour;
    };
    static const Named table[] = {
        {"Blue", clr::Blue},       {"Red", clr::Red},       {"Black", clr::Black},  {"Yellow", clr::Yellow},
        {"Fuchsia", clr::Fuchsia}, {"Purple", clr::Purple}, {"Olive", clr::Olive},  {"Lime", clr::Lime},
        {"Aqua", clr::Aqua},       {"Blank", clr::BtnFace}, {"Gray", clr::Gray},    {"Teal", clr::Teal},
        {"Green", clr::Green},     {"Silver", clr::Silver}, {"Brown", clr::Maroon},
    };
    for (const Named& n : table) {
        if (name == QLatin1String(n.Name))
            return n.Colour;
    }
    return clr::White;
}

QString ZetDecimaal(const QString& text)
{
    if (DecSep == QLatin1Char('.'))
        return text;
    QString out = text;
    out.replace(QLatin1Char('.'), DecSep);
    return out;
}

double ScriptNumber(const QString& text, const QString& fieldName)
{
    QString t = text.trimmed();
    if (t.isEmpty())
        throw ScriptError(QStringLiteral("het getal in het veld %1 ontbreekt.").arg(fieldName));
    // Scripts write ".", ZetDecimaal may have made it DecSep: accept both.
    t.replace(DecSep, QLatin1Char('.'));
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(value))
        throw ScriptError(QStringLiteral("\"%1\" in het veld %2 is geen getal.").arg(text, fieldName));
    if (std::fabs(value) > MaxScriptNumber)
        throw ScriptError(QStringLiteral("het getal %1 in het veld %2 is te groot.").arg(text, fieldName));
    return value;
}

void ScriptPair(const QString& text, const QString& fieldName, double& a, double& b)
{
    const qsizetype slash = text.indexOf(QLatin1Char('/'));
    if (slash < 0)
        throw ScriptError(QStringLiteral("in het veld %1 hoort een paar met \"/\", zoals 50/3; er staat \"%2\".")
                              .arg(fieldName, text));
    a = ScriptNumber(text.left(slash), fieldName);
    b = ScriptNumber(text.mid(slash + 1), fieldName);
}

void AppendScript(const QString& script, LineQueue& queue)
{
    // CR LF is the file's line end; a lone LF or CR is accepted as well.
    int fileLine = 0;
    qsizetype start = 0;
    const qsizetype n = script.size();
    while (start < n) {
        qsizetype end = start;
        while (end < n && script.at(end) != QLatin1Char('\r') && script.at(end) != QLatin1Char('\n'))
            ++end;
        QueuedLine line{script.mid(start, end - start), ++fileLine};
        const bool isEnd = line.Text.contains(QLatin1String("[end]"));
        queue.push_back(std::move(line));
        if (isEnd)
            return;
        if (end < n && script.at(end) == QLatin1Char('\r') && end + 1 < n && script.at(end + 1) == QLatin1Char('\n'))
            ++end;
        start = end + 1;
    }
}

bool LeesFile(const QString& name, LineQueue& queue)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowMessage(QStringLiteral("Foutje"), MessageKind::Information);
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        ShowMessage(QStringLiteral("Foutje"), MessageKind::Information);
        return false;
    }
    queue.clear();
    AppendScript(DecodeWindows1252(bytes), queue);
    return true;
}

QueuedLine LeesRegel(LineQueue& queue, ScriptLine& line, QColor& penColour)
{
    if (queue.empty())
        throw ScriptError(QStringLiteral("het bestand houdt op zonder regel met [end]."));
    QueuedLine taken = std::move(queue.front());
    queue.pop_front();

    QString rest = taken.Text;
    line.LineNo = Cut(rest);
    if (!rest.contains(Comma)) {
        line.Command = rest;
    } else {
        line.Command = Cut(rest);
        line.X = ZetDecimaal(Cut(rest));
        line.Y = ZetDecimaal(Cut(rest));
        if (rest.startsWith(QLatin1Char('\''))) {
            // Quoted text may hold commas; the character after the closing quote is its comma.
            const qsizetype close = rest.indexOf(QLatin1Char('\''), 1);
            if (close < 0) {
                line.Text = rest.mid(1);
                rest.clear();
            } else {
                line.Text = rest.mid(1, close - 1);
                rest = rest.mid(close + 2);
            }
        } else {
            line.Text = Cut(rest);
        }
        line.Size = ZetDecimaal(Cut(rest));
        line.Colour = Cut(rest);
        line.Style = ZetDecimaal(Cut(rest));
        line.Target = rest;
    }
    const qsizetype slash = line.Colour.indexOf(QLatin1Char('/'));
    if (slash >= 0) {
        penColour = KleurVan(line.Colour.left(slash));
        line.Colour = line.Colour.mid(slash + 1);
    } else {
        penColour = KleurVan(line.Colour);
    }
    return taken;
}

}  // namespace velmora
