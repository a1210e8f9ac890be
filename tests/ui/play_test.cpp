// A game played in the real window: the menu's button starts it, typed keys
// resume, pause and leave it; screenshots of a board in the pause menu.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include "game/Nuvik3Main.h"
#include "ui_helpers.h"

namespace {

using PlayInWindow = uitest::StartedGame;

TEST_F(PlayInWindow, ThePlayButtonStartsAGameThatKeysResumePauseAndLeaveAtAnySize) {
    auto* play = window->findChild<QPushButton*>(QStringLiteral("cmdPlay"));
    ASSERT_NE(play, nullptr);
    // Keys go where the focus is, as the player's keyboard sends them.
    const auto type = [this](Qt::Key key) {
        QTest::keyClick(window->focusWidget() != nullptr ? window->focusWidget() : window, key);
    };
    struct Size { int widthPx, heightPx; const char* shot; };
    for (const Size s : {Size{761, 544, "pause_menu.png"}, Size{1920, 1080, "pause_menu_1920x1080.png"}}) {
        SCOPED_TRACE(s.shot);
        ASSERT_TRUE(w.SetWidth(s.widthPx * 15.0f));
        ASSERT_TRUE(w.SetHeight(s.heightPx * 15.0f));
        QCoreApplication::processEvents();
        QTest::mouseClick(play, Qt::LeftButton);
        EXPECT_TRUE(w.fraJuego->Visible.get());
        EXPECT_FALSE(w.fraMenu->Visible.get());
        EXPECT_EQ(w.lblPtPause->Caption.get(), Nuvik3Main::kPauseMenu);
        EXPECT_FALSE(w.Timer1->Enabled.get());
        EXPECT_DOUBLE_EQ(w.CellW, s.widthPx * 15.0 * 150 / 11415);
        QCoreApplication::processEvents();
        save(window, s.shot);

        // Enter resumes and never presses the hidden menu button.
        type(Qt::Key_Return);
        EXPECT_TRUE(w.Timer1->Enabled.get());
        EXPECT_TRUE(w.fraJuego->Visible.get());
        type(Qt::Key_Left);  // types nothing
        EXPECT_EQ(w.NuvikDir, 2);
        type(Qt::Key_J);
        EXPECT_EQ(w.NuvikDir, 3);
        type(Qt::Key_Escape);
        EXPECT_EQ(w.lblPtPause->Caption.get(), Nuvik3Main::kPauseMenu);
        EXPECT_FALSE(w.Timer1->Enabled.get());
        type(Qt::Key_B);
        EXPECT_TRUE(w.fraMenu->Visible.get());
        EXPECT_FALSE(w.fraJuego->Visible.get());
    }
}

} // namespace
