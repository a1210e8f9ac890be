#include "platform/qt/twips.h"

#include <algorithm>
#include <cmath>

#include "platform/forms.h"

namespace vb::host {

int ToPixels(double twips) {
    if (!std::isfinite(twips)) {
        return 0;
    }
    constexpr double kLimit = 1e6;
    return static_cast<int>(std::lround(std::clamp(twips / kTwipsPerPixel, -kLimit, kLimit)));
}

float ToTwips(int pixels) { return static_cast<float>(pixels * kTwipsPerPixel); }

QRect ChildRect(const Control& child) {
    const Container* parent = child.Parent();
    const double sx = parent != nullptr ? parent->ScaleUnitX : 1.0;
    const double sy = parent != nullptr ? parent->ScaleUnitY : 1.0;
    const double left = child.Left.get() * sx;
    const double top = child.Top.get() * sy;
    const double width = std::max(0.0, static_cast<double>(child.Width.get()) * sx);
    const double height = std::max(0.0, static_cast<double>(child.Height.get()) * sy);
    const int x0 = ToPixels(left);
    const int y0 = ToPixels(top);
    const int x1 = std::max(x0, ToPixels(left + width));
    const int y1 = std::max(y0, ToPixels(top + height));
    return {x0, y0, x1 - x0, y1 - y0};
}

} // namespace vb::host
