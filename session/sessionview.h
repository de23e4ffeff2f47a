#pragma once
// What the session model needs from its window. Implemented by TTestForm and by a
// headless view used in tests, benchmarks, the driver and the gallery.
#include <QString>

namespace velmora {

// The answer field as a generator hands it over.
struct AnswerFieldSetup {
    QString Label;               // InvoerLabel caption, e.g. "Som: "
    int Kind = 1;                // 1 integer, 2 decimal, 3 fraction, 4 fraction or integer
    QString Hint;                // "|" + long part shown in the status line
    QString Text = QStringLiteral("?");
    int PanelTop = 0;            // Round(AnswerLine x LineHeight)
};

class SessionView {
public:
    virtual ~SessionView() = default;
    // Copy TextBitmap and PictureBitmap to the paint boxes.
    virtual void ShowBitmaps() = 0;
    // Show InvoerPanel and GebruikPanel at the given place and focus the answer field.
    virtual void OpenAnswerField(const AnswerFieldSetup& setup) = 0;
    // Let the window handle pending events during an animation.
    virtual void ProcessEvents() = 0;
    // Show a named face bitmap ("smile" or "sad") in KopImage.
    virtual void ShowFace(const QString& name) = 0;
};

}  // namespace velmora
