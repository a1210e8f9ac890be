// The final sequence: twenty star ticks, the picture, and the end of the
// program with the settings saved, whatever keys do meanwhile.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "game/tick_fixture.h"
#include "support/files.h"

namespace {

using FinalSequence = TickTest;

TEST_F(FinalSequence, TheStarTakesItsTwentyCellsThenThePictureShows) {
    // (row, column) of ticks 1 to 20; the last lies below the board.
    const int cells[20][2] = {{0, 0},   {2, 1},   {2, 4},   {6, 3},   {4, 8},   {10, 5},  {6, 12},
                              {14, 7},  {8, 16},  {18, 9},  {10, 20}, {22, 11}, {12, 24}, {26, 13},
                              {14, 28}, {30, 15}, {16, 32}, {34, 17}, {18, 36}, {38, 19}};
    w.Timer3->Enabled = true;
    for (int tick = 1; tick <= 19; ++tick) {
        SCOPED_TRACE(tick);
        if (tick == 6) {  // starting it again does not restart the count
            w.Timer3->Enabled = false;
            w.Timer3->Enabled = true;
        }
        ASSERT_TRUE(w.Timer3->Fire());
        EXPECT_TRUE(w.imgCruzR->Visible.get());
        EXPECT_TRUE(DrawnAt(*w.imgCruzR, cells[tick - 1][0], cells[tick - 1][1]));
        EXPECT_EQ(w.CruzPaso, tick);
        EXPECT_TRUE(w.fraJuego->Visible.get());
        EXPECT_FALSE(w.Timer4->Enabled.get());
    }
    EXPECT_FLOAT_EQ(w.imgCruzR->Width, 1140.0f);  // placed, never sized

    w.MetaAlcanzada = true;
    ASSERT_TRUE(w.Timer3->Fire());
    EXPECT_TRUE(DrawnAt(*w.imgCruzR, 18, 36));  // the off-board twentieth moves nothing
    EXPECT_FALSE(w.imgCruzR->Visible.get());
    EXPECT_EQ(w.CruzPaso, 0);
    EXPECT_FALSE(w.CruzAlterna || w.MetaAlcanzada);
    EXPECT_FALSE(w.Timer1->Enabled.get() || w.Timer2->Enabled.get() || w.Timer3->Enabled.get());
    EXPECT_TRUE(w.Timer4->Enabled.get());
    EXPECT_EQ(w.Timer4->Interval(), 38000);
    EXPECT_FALSE(w.fraJuego->Visible.get());
    EXPECT_TRUE(w.fraColor->Visible.get());
    EXPECT_TRUE(rt.boxes.empty());
    EXPECT_EQ(rt.beeps, 0);
}

TEST_F(FinalSequence, KeysAndTheMenuDuringTheStarDoNotStopTheEnd) {
    // The last life starts the star without a word, the board still shown;
    // then the player pauses, gives up a further life, goes back to the menu
    // with B and starts a new game.
    w.Vidas = 1;
    w.HighScore = 17;
    Key('\x1b');
    Key('a');
    ASSERT_TRUE(w.Timer3->Enabled.get());
    EXPECT_EQ(w.Vidas, 0);
    EXPECT_EQ(w.Caption.get(), "Nuvik3t Cross version ; Vidas: 0");
    EXPECT_FALSE(w.Timer1->Enabled.get());
    EXPECT_TRUE(w.fraJuego->Visible.get());
    EXPECT_EQ(w.lblPtPause->Caption.get(), Nuvik3Main::kPlaying);
    for (int tick = 1; tick <= 3; ++tick) {
        w.Timer3->Fire();
    }
    for (char k : {'\x1b', 'a'}) Key(k);
    EXPECT_EQ(w.Vidas, -1);
    for (char k : {'\x1b', 'B'}) Key(k);
    EXPECT_TRUE(w.fraMenu->Visible.get());
    EXPECT_TRUE(w.Timer3->Enabled.get());
    w.cmdPlay->Click();
    Key('q');
    EXPECT_TRUE(w.Timer1->Enabled.get());
    EXPECT_EQ(w.Vidas, 5);

    int ticks = 3;
    while (w.Timer3->Fire()) {
        ++ticks;
    }
    EXPECT_EQ(ticks, 20);
    EXPECT_FALSE(w.Timer1->Enabled.get());
    EXPECT_TRUE(w.fraColor->Visible.get());
    EXPECT_FALSE(w.fraJuego->Visible.get());
    Key('x');  // the board is hidden: keys do nothing now
    EXPECT_TRUE(w.Timer4->Enabled.get());

    std::remove(rt.AppFile("Nuvik3w.dat").c_str());
    ASSERT_TRUE(w.Timer4->Fire());
    EXPECT_FALSE(w.Timer4->Enabled.get());
    EXPECT_EQ(Records(ReadBytes(rt.AppFile("Nuvik3w.dat"))).at(1), "17");
    ASSERT_EQ(rt.unloaded.size(), 1u);
    EXPECT_EQ(rt.unloaded[0], &w);
    EXPECT_TRUE(rt.ended);
    EXPECT_TRUE(rt.boxes.empty());
}

} // namespace
