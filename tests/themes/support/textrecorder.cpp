#include "textrecorder.h"

namespace velmora::test {

void TextRecorder::Attach(Bitmap& b)
{
    b.TextObserver = [this](const TextEvent& e) {
        Bitmap measure(1, 1);
        measure.Font.Size = e.Size;
        measure.Font.Bold = e.Bold;
        Texts.push_back(DrawnText{e.Text, e.Colour, e.X, e.Y, e.X + measure.TextWidth(e.Text), e.Size});
    };
}

std::vector<DrawnText> TextRecorder::OnRow(int y) const
{
    std::vector<DrawnText> row;
    for (const DrawnText& t : Texts)
        if (t.Y == y)
            row.push_back(t);
    return row;
}

const DrawnText* TextRecorder::Find(const QString& text) const
{
    for (const DrawnText& t : Texts)
        if (t.Text == text)
            return &t;
    return nullptr;
}

}  // namespace velmora::test
