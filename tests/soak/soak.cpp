// Plays complete games one after another with the headless player, checking
// the rules after every timer event, and watches the resident memory: it
// must not grow from the early games to the last.
//
//   soak [--games N] [--seconds S] [--seed FIRST]
//
// Defaults: 1000 games, at most 1200 seconds, seeds from 1. Exits 1 on a
// broken rule, a game that did not end, or memory growth.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "support/sim_player.h"

namespace {

// Resident set size in KiB, from the kernel's view of this process.
long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return -1;
}

// Allocator noise allowed between the two readings.
constexpr long kSlackKiB = 2048;

// AddressSanitizer keeps freed memory in quarantine, so the resident size
// grows by design; its leak check stands in for this one there.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMemoryCheck = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kMemoryCheck = false;
#else
constexpr bool kMemoryCheck = true;
#endif
#else
constexpr bool kMemoryCheck = true;
#endif

} // namespace

int main(int argc, char* argv[]) {
    long games = 1000;
    double seconds = 1200;
    unsigned seed = 1;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--games") == 0) {
            games = std::strtol(argv[i + 1], nullptr, 10);
        } else if (std::strcmp(argv[i], "--seconds") == 0) {
            seconds = std::strtod(argv[i + 1], nullptr);
        } else if (std::strcmp(argv[i], "--seed") == 0) {
            seed = static_cast<unsigned>(std::strtoul(argv[i + 1], nullptr, 10));
        } else {
            std::fprintf(stderr, "usage: %s [--games N] [--seconds S] [--seed FIRST]\n", argv[0]);
            return 2;
        }
    }
    if (games < 1) {
        std::fprintf(stderr, "soak: --games must be at least 1\n");
        return 2;
    }

    // The early reading: after game 100, or halfway through a shorter soak.
    const long early = games >= 200 ? 100 : std::max(1L, games / 2);
    const auto start = std::chrono::steady_clock::now();
    long played = 0;
    long ticks = 0;
    long events = 0;
    long doors = 0;
    long fourthDoors = 0;
    long lastLives = 0;
    long catches = 0;
    long earlyKiB = -1;
    bool failed = false;
    for (; played < games; ++seed) {
        const double elapsed =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (elapsed > seconds) {
            std::printf("time bound of %.0f s reached\n", seconds);
            break;
        }
        sim::Report r;
        {
            sim::Player player(seed);
            r = player.Play();
        }
        ++played;
        ticks += r.ticks;
        events += r.events;
        doors += r.doors;
        fourthDoors += r.fourthDoor ? 1 : 0;
        lastLives += r.fourthDoor ? 0 : 1;
        catches += r.catches;
        if (!r.failure.empty() || !r.ended) {
            std::printf("game %ld FAILED: %s\n", played,
                        r.failure.empty() ? "the program did not end" : r.failure.c_str());
            failed = true;
            break;
        }
        if (played == early) {
            earlyKiB = ResidentKiB();
            std::printf("after game %ld: %ld ticks, resident %ld KiB\n", played, ticks, earlyKiB);
            std::fflush(stdout);
        }
    }
    const long endKiB = ResidentKiB();
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("games played: %ld of %ld (%ld to the fourth door, %ld to the last life)\n", played, games,
                fourthDoors, lastLives);
    std::printf("ticks: %ld (timer events %ld, doors %ld, catches %ld)\n", ticks, events, doors, catches);
    std::printf("resident memory: %ld KiB after game %ld, %ld KiB at the end\n", earlyKiB, early, endKiB);
    std::printf("time: %.1f s\n", elapsed);
    if (!kMemoryCheck) {
        std::printf("memory growth not checked under AddressSanitizer\n");
    } else if (earlyKiB >= 0 && endKiB > earlyKiB + kSlackKiB) {
        std::printf("FAILED: memory grew by %ld KiB\n", endKiB - earlyKiB);
        failed = true;
    }
    return failed ? 1 : 0;
}
