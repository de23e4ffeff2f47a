#pragma once
// Design sizes, given for a 640 x 480 window, scaled to the screen. The three windows and
// the headless session layout all scale the same way.
#include "toolkit/numbers.h"

#include <QRect>
#include <QSize>

#include <algorithm>

namespace velmora {

class DesignScale {
public:
    explicit DesignScale(double factor = 1.0) : factor_(factor) {}
    // Contents scale by the tighter of the two ratios of the work area to 640 x 480.
    static DesignScale ForWorkArea(QSize workArea)
    {
        return DesignScale(std::min(workArea.width() / 640.0, workArea.height() / 480.0));
    }
    double Factor() const { return factor_; }
    // A design size in pixels.
    int operator()(double designPixels) const { return Round(designPixels * factor_); }
    // Design bounds (left, top, width, height).
    QRect operator()(int left, int top, int width, int height) const
    {
        return QRect((*this)(left), (*this)(top), (*this)(width), (*this)(height));
    }

private:
    double factor_;
};

}  // namespace velmora
