#include "alloc_meter.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> limit{0};
std::atomic<std::size_t> inUse{0};
std::atomic<std::size_t> mark{0};
std::atomic<std::size_t> peak{0};

void* Allocate(std::size_t n) {
    if (limit != 0 && n > limit) {
        throw std::bad_alloc();
    }
    void* p = std::malloc(n == 0 ? 1 : n);
    if (p == nullptr) {
        throw std::bad_alloc();
    }
    const std::size_t now = inUse += malloc_usable_size(p);
    for (std::size_t seen = peak; now > seen && !peak.compare_exchange_weak(seen, now);) {
    }
    return p;
}

void Release(void* p) {
    if (p != nullptr) {
        inUse -= malloc_usable_size(p);
        std::free(p);
    }
}

} // namespace

void* operator new(std::size_t n) { return Allocate(n); }
void* operator new[](std::size_t n) { return Allocate(n); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }

namespace alloc_meter {

void SetLimit(std::size_t bytes) { limit = bytes; }

void ResetPeak() {
    mark = inUse.load();
    peak = mark.load();
}

std::size_t Peak() { return peak - mark; }

} // namespace alloc_meter
