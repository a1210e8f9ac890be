#include <gtest/gtest.h>

#include <algorithm>

#include "game/Nuvik3Main.h"
#include "platform/scripted_runtime.h"

namespace {

int StackIndex(const vb::Container& c, const vb::Control* target) {
    const auto& kids = c.Children();
    return static_cast<int>(std::find(kids.begin(), kids.end(), target) - kids.begin());
}

TEST(Design, BoardArraysHaveTheirBoundsAndTheMonstersCarryTheTag) {
    vb::ScriptedRuntime rt;
    Nuvik3Main w(rt);
    EXPECT_EQ(w.imgMuro.Count(), 2625);
    EXPECT_FALSE(w.imgMuro.Has(2625));
    EXPECT_EQ(w.ImgFruta.Count(), 26);
    EXPECT_FALSE(w.ImgFruta.Has(26));
    EXPECT_EQ(w.ImgNuvik.Count(), 2);
    int tagged = 0;
    for (int i = 0; i < 26; ++i) {
        EXPECT_EQ(w.ImgFruta(i).Index(), i);
        if (w.ImgFruta(i).Tag.get() == "1") {
            ++tagged;
            EXPECT_TRUE(Nuvik3Main::IsMonster(i)) << i;
        }
    }
    EXPECT_EQ(tagged, 12);
}

TEST(Design, TheStarIsTheOnlyImageHiddenAtLoad) {
    vb::ScriptedRuntime rt;
    Nuvik3Main w(rt);
    ASSERT_EQ(w.imgMuro.Count(), 2625);   // the cells are made when first wanted
    for (const vb::Control* c : w.AllControls()) {
        if (c->Kind() == vb::ControlKind::Image) {
            EXPECT_EQ(c->Visible.get(), c != w.imgCruzR) << c->Name() << c->Index();
        }
    }
}

TEST(Design, BoardStackingOrderPutsWallsAboveTheLowPiecesAndTheStarOnTop) {
    vb::ScriptedRuntime rt;
    Nuvik3Main w(rt);
    const vb::Frame& b = *w.fraJuego;
    const int n = static_cast<int>(b.Children().size());
    EXPECT_EQ(StackIndex(b, w.imgCruzR), n - 1);
    EXPECT_EQ(StackIndex(b, w.imgBala), n - 2);
    EXPECT_EQ(StackIndex(b, &w.ImgNuvik(1)), 0);
    EXPECT_LT(StackIndex(b, &w.ImgFruta(15)), StackIndex(b, &w.ImgFruta(0)));
    EXPECT_LT(StackIndex(b, &w.ImgFruta(0)), StackIndex(b, &w.imgMuro(0)));
    EXPECT_LT(StackIndex(b, &w.imgMuro(2624)), StackIndex(b, w.lblPtPause));
    EXPECT_LT(StackIndex(b, w.lblPtPause), StackIndex(b, &w.ImgFruta(16)));
    EXPECT_LT(StackIndex(b, &w.ImgFruta(16)), StackIndex(b, &w.ImgFruta(25)));
}

} // namespace
