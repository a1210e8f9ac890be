// Whole games played through keys and timer ticks, as a player would, for
// many seeds; the player checks the rules after every timer event.
#include <gtest/gtest.h>

#include "support/sim_player.h"

namespace {

TEST(SimulatedGames, ManySeedsPlayToTheEndWithEveryRuleKept) {
    sim::Report total;
    int games = 0;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        sim::Player player(seed);
        const sim::Report r = player.Play();
        ASSERT_EQ(r.failure, "");
        ASSERT_TRUE(r.ended) << "seed " << seed;
        ++games;
        total.ticks += r.ticks;
        total.doors += r.doors;
        total.questions += r.questions;
        total.yes += r.yes;
        total.catches += r.catches;
        total.headOnMonsters += r.headOnMonsters;
        total.doubleCatches += r.doubleCatches;
        total.fourthDoor = total.fourthDoor || r.fourthDoor;
        total.lastLife = total.lastLife || r.lastLife;
        total.crossedMidnight = total.crossedMidnight || r.crossedMidnight;
        EXPECT_EQ(r.starTicks % 20, 0) << "seed " << seed;
    }
    // The seeds reach every road through a game.
    EXPECT_TRUE(total.fourthDoor);
    EXPECT_TRUE(total.lastLife);
    EXPECT_TRUE(total.crossedMidnight);
    EXPECT_GT(total.doors, games);
    EXPECT_GT(total.yes, 0);
    EXPECT_GT(total.questions, total.yes);
    EXPECT_GT(total.headOnMonsters, 0);
    RecordProperty("ticks", static_cast<int>(total.ticks));
    std::printf("%d games, %ld ticks, %d doors, %d catches (%d head-on monsters, %d double), %d questions\n",
                games, total.ticks, total.doors, total.catches, total.headOnMonsters, total.doubleCatches,
                total.questions);
}

} // namespace
