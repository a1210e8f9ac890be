#pragma once
// The real clock behind Clock.
#include "platform/runtime.h"

namespace vb {

class SystemClock : public Clock {
public:
    // Seconds since local midnight, with the fraction, 0 <= t < 86400 (a day
    // with a leap second aside). Follows the local time zone and daylight
    // saving as the wall clock does.
    float Timer() override;
};

} // namespace vb
