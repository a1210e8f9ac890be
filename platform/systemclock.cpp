#include "platform/systemclock.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace vb {

float SystemClock::Timer()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const auto second = floor<seconds>(now);
    const std::time_t whole = system_clock::to_time_t(second);
    std::tm local {};
    if (!::localtime_r(&whole, &local))
        return 0.0f;
    const double fraction = duration<double>(now - second).count();
    const auto t = static_cast<float>(local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction);
    // The last moments of the day would round up to 86400 in single precision.
    return t < 86400.0f ? t : std::nextafter(86400.0f, 0.0f);
}

} // namespace vb
