#include "drawntexts.h"

#include "toolkit/layout.h"
#include "toolkit/numbers.h"

#include <QFontMetrics>

#include <algorithm>
#include <cstdlib>

namespace velmora {

namespace {

// A numerator or denominator of more than one word reads unambiguously in brackets.
QString Operand(const QString& text)
{
    const QString t = text.trimmed();
    return t.contains(QLatin1Char(' ')) ? QLatin1Char('(') + t + QLatin1Char(')') : t;
}

bool EndsWithDigit(const QString& text)
{
    return !text.isEmpty() && text.back().isDigit();
}

}  // namespace

// The power of a fraction draws its exponent next, in the same font, one text height above
// the fraction's middle and just right of it (past the closing bracket).
bool DrawnTexts::IsExponentOf(const Item& item, const Item& fraction)
{
    const int h = item.Height;
    return fraction.Text.contains(QLatin1Char('/')) && std::abs(item.Y - (fraction.Y - h)) <= 1 &&
           item.X >= fraction.X + fraction.Width / 2 && item.X <= fraction.X + fraction.Width + 2 * h;
}

void DrawnTexts::Listen(Bitmap& bitmap)
{
    bitmap_ = &bitmap;
    auto previous = std::move(bitmap.TextObserver);
    bitmap.TextObserver = [this, previous = std::move(previous)](const TextEvent& e) {
        if (previous)
            previous(e);
        Record(e);
    };
}

DrawnTexts::Item DrawnTexts::Measure(const TextEvent& event) const
{
    Item item;
    item.Text = event.Text;
    item.X = event.X;
    item.Y = event.Y;
    if (bitmap_) {
        // While a bitmap tells of a text, its font is the one the text is drawn in.
        item.Width = bitmap_->TextWidth(event.Text);
        item.Height = bitmap_->TextHeight(event.Text);
    } else {
        FontState font;
        font.Size = event.Size;
        font.Bold = event.Bold;
        const QFontMetrics metrics(MakeFont(font));
        item.Width = metrics.horizontalAdvance(event.Text);
        item.Height = metrics.height();
    }
    item.Size = event.Size;
    item.Bold = event.Bold;
    item.Colour = event.Colour;
    item.TextEndXBefore = TextEndX;
    return item;
}

void DrawnTexts::Record(const TextEvent& event)
{
    Item item = Measure(event);
    // The euro sign is drawn as a "C" with two strokes through it.
    if (item.Text == QLatin1String("C"))
        item.Text = QStringLiteral("€");
    if (!MergeWithLast(item))
        Add(std::move(item));
}

// A stacked fraction is drawn as its numerator and then, in the same font, its denominator
// centred under it 1.25 text heights lower; "≈" as " ~" twice, a quarter height apart.
bool DrawnTexts::MergeWithLast(Item& item)
{
    if (items_.empty())
        return false;
    Item& last = items_.back();
    if (last.Size != item.Size || last.Bold != item.Bold || last.Colour != item.Colour)
        return false;
    const int h = item.Height;
    if (last.Merged) {
        if (!IsExponentOf(item, last))
            return false;
        last.Text = QLatin1Char('(') + last.Text + QStringLiteral(")^") + item.Text.trimmed();
        last.Width = std::max(last.Width, item.X + item.Width - last.X);
        return true;
    }
    const int dy = item.Y - last.Y;
    if (last.Text == QLatin1String(" ~") && item.Text == last.Text && last.X == item.X &&
        std::abs(dy - Round(0.25 * h)) <= 1) {
        last.Text = QStringLiteral(" ≈");
        last.Y += Round(0.125 * h);
        last.Merged = true;
        return true;
    }
    const int centreGap = std::abs((2 * last.X + last.Width) - (2 * item.X + item.Width));
    if (centreGap > 2 || std::abs(dy - (Round(0.75 * h) + Round(0.5 * h))) > 1)
        return false;
    // Lines of a small font can stand just as far apart. DrawText moves TextEndX to the end
    // of each line, while nothing moves it between a numerator and its denominator; and
    // only a fraction has its bar, drawn before the numerator, between the two.
    if (item.TextEndXBefore != last.TextEndXBefore)
        return false;
    const int left = std::min(last.X, item.X);
    const int width = std::max(last.Width, item.Width);
    const int bar = last.Y + Round(0.5 * h) + Round(0.6 * h);
    if (bitmap_) {
        for (const int x : {left, left + width / 2, left + width - 1})
            if (bitmap_->Pixel(x, bar) != item.Colour)
                return false;
    }
    last.Text = Operand(last.Text) + QLatin1Char('/') + Operand(item.Text);
    last.X = left;
    last.Width = width;
    last.Y += Round(0.5 * h);
    last.Merged = true;
    return true;
}

void DrawnTexts::Add(Item item)
{
    // Drawn again at the same place (an animation's counter): the new text covers the old.
    items_.erase(std::remove_if(items_.begin(), items_.end(),
                                [&](const Item& old) { return old.X == item.X && old.Y == item.Y; }),
                 items_.end());
    items_.push_back(std::move(item));
}

void DrawnTexts::Clear()
{
    items_.clear();
}

void DrawnTexts::ClearBand(int top, int bottom)
{
    items_.erase(std::remove_if(items_.begin(), items_.end(),
                                [&](const Item& item) {
                                    const int middle = item.Y + item.Height / 2;
                                    return middle >= top && middle < bottom;
                                }),
                 items_.end());
}

void DrawnTexts::ClearLines(double line1, double line2, int height)
{
    // The rows the toolkit's ClearLines fills.
    ClearBand(Round(line1 * LineHeight) + 1, std::min(height - 1, Round(line2 * LineHeight) + 1));
}

QString DrawnTexts::Reading() const
{
    std::vector<const Item*> order;
    for (const Item& item : items_)
        order.push_back(&item);
    // Twice the middle, to stay in whole pixels.
    const auto middle2 = [](const Item* item) { return 2 * item->Y + item->Height; };
    std::stable_sort(order.begin(), order.end(), [&](const Item* a, const Item* b) {
        return middle2(a) != middle2(b) ? middle2(a) < middle2(b) : a->X < b->X;
    });

    QStringList lines;
    std::size_t i = 0;
    while (i < order.size()) {
        // A row: the texts whose middles lie within half a text height of the first one's.
        const Item* first = order[i];
        std::vector<const Item*> row;
        while (i < order.size() &&
               middle2(order[i]) - middle2(first) < std::max(1, std::min(first->Height, order[i]->Height))) {
            row.push_back(order[i]);
            ++i;
        }
        std::stable_sort(row.begin(), row.end(), [](const Item* a, const Item* b) { return a->X < b->X; });
        QString line;
        const Item* previous = nullptr;
        for (const Item* item : row) {
            if (previous) {
                const int gap = item->X - (previous->X + previous->Width);
                // Texts continued at the end of the previous one touch it (within rounding);
                // the whole part of a mixed number stands a quarter of its width apart.
                const bool apart = gap >= 2 || (gap >= 1 && item->Merged && EndsWithDigit(previous->Text));
                if (apart && previous->Text != QLatin1String("-") && !line.endsWith(QLatin1Char(' ')) &&
                    !item->Text.startsWith(QLatin1Char(' ')))
                    line += QLatin1Char(' ');
            }
            line += item->Text;
            previous = item;
        }
        line = line.simplified();
        if (!line.isEmpty())
            lines << line;
    }
    return lines.join(QLatin1Char('\n'));
}

}  // namespace velmora
