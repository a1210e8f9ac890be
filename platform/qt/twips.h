#pragma once
// Model positions are twips (15 to a pixel at the design resolution); only the
// host converts them, and always the same way.
#include <QRect>

namespace vb {
class Control;
}

namespace vb::host {

constexpr double kTwipsPerPixel = 15.0;

// Twips to whole pixels. Values that are not finite count as 0 and huge ones
// are clamped, so a careless model value can never overflow the conversion.
int ToPixels(double twips);

float ToTwips(int pixels);

// Where a child lies in its container's widget, in pixels. Its position and
// size are in the container's scale units. The edges are rounded one by one,
// so children placed edge to edge tile without gaps or overlaps.
QRect ChildRect(const Control& child);

} // namespace vb::host
