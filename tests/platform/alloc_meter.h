#pragma once
// Counts this test program's heap and can refuse large blocks, to see what a
// reader holds and how it meets a failed allocation.
#include <cstddef>

namespace alloc_meter {

// Blocks above this many bytes throw std::bad_alloc; 0 lifts the limit.
void SetLimit(std::size_t bytes);
// Starts measuring from the heap in use now.
void ResetPeak();
// The most the heap grew above that mark since ResetPeak.
std::size_t Peak();

} // namespace alloc_meter
