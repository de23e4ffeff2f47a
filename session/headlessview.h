#pragma once
// A view without windows: remembers what the session asked to show. Used by tests,
// benchmarks, the driver and the gallery.
#include "session/sessionview.h"

namespace velmora {

class HeadlessView : public SessionView {
public:
    void ShowBitmaps() override { ++BitmapCopies; }
    void OpenAnswerField(const AnswerFieldSetup& setup) override
    {
        Field = setup;
        FieldOpen = true;
    }
    void ProcessEvents() override {}
    void ShowFace(const QString& name) override { Face = name; }

    AnswerFieldSetup Field;
    bool FieldOpen = false;
    int BitmapCopies = 0;
    QString Face;
};

}  // namespace velmora
