// A game played in the real window: the menu's button starts it, typed keys
// resume, pause and leave it; screenshots of a board in the pause menu.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <string>
#include <utility>
#include <vector>

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

// Keys typed in play are the form's alone, whichever menu control had the
// focus when play began: hidden with its panel, no control acts on a key or
// its release, nor on Tab then Space or its access key. Back at the menu the
// focus is where the player left it and the menu's keys work again.
TEST_F(PlayInWindow, KeysInPlayNeverReachTheHiddenMenuControls) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    const auto type = [this](Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus != nullptr ? focus : window, key, mods);
        if (mods != Qt::NoModifier) {
            QTest::qWait(150);   // a button pressed by its access key clicks a little later
        }
    };
    const auto state = [this] {
        std::vector<bool> v{w.fraJuego->Visible, w.fraMenu->Visible, w.chkBeginners->Value == 1,
                            w.chkSound->Value == 1};
        for (int i = 0; i < Nuvik3Main::kCells; ++i) {
            v.push_back(w.imgMuro(i).Visible);
        }
        return std::make_pair(v, w.txtDelay->Text.get());
    };
    const auto toMenu = [&] {
        if (w.lblPtPause->Caption.get() != Nuvik3Main::kPauseMenu) {
            type(Qt::Key_Escape);
        }
        type(Qt::Key_B);
    };
    struct Row {
        const char* focus;   // before play
        const char* back;    // at the menu again
        Qt::Key menuKey;     // must act there
    };
    for (const Row row : {Row{"cmdPlay", "cmdPlay", Qt::Key_Space}, Row{"chkBeginners", "chkBeginners", Qt::Key_Space},
                          Row{"chkSound", "chkSound", Qt::Key_Space}, Row{"txtDelay", "txtDelay", Qt::Key_5},
                          Row{"cmdExit", "cmdExit", Qt::Key_unknown}, Row{"cmdCerrar", "cmdPlay", Qt::Key_Return}}) {
        SCOPED_TRACE(row.focus);
        // Slow ticks: the board stays as dealt while the keys are typed.
        w.txtDelay->Text = std::string("9000");
        if (row.focus == std::string("cmdCerrar")) {
            type(Qt::Key_H, Qt::AltModifier);
            ASSERT_TRUE(QTest::qWaitFor([this] { return w.fraHelp->Visible.get(); }, 2000));
        }
        window->findChild<QWidget*>(QString::fromLatin1(row.focus))->setFocus();
        if (w.fraHelp->Visible) {
            type(Qt::Key_Space);   // CLOSE
        }
        // PLAY GAME by its access key leaves the focus where it is.
        type(Qt::Key_P, Qt::AltModifier);
        ASSERT_TRUE(QTest::qWaitFor([this] { return w.fraJuego->Visible.get(); }, 2000));
        const auto played = state();
        for (const std::vector<Qt::Key>& keys : std::vector<std::vector<Qt::Key>>{
                 {Qt::Key_Space}, {Qt::Key_J}, {Qt::Key_8}, {Qt::Key_Tab, Qt::Key_Space}, {Qt::Key_P}}) {
            SCOPED_TRACE(keys.back());
            for (const Qt::Key key : keys) {
                type(key, key == Qt::Key_P ? Qt::AltModifier : Qt::NoModifier);
            }
            ASSERT_FALSE(rt.Ended());
            EXPECT_TRUE(state() == played);
        }
        toMenu();
        ASSERT_TRUE(w.fraMenu->Visible.get());
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QString::fromLatin1(row.back));
        if (row.menuKey != Qt::Key_unknown) {
            const auto menu = state();
            type(row.menuKey);
            EXPECT_FALSE(state() == menu);
        }
        if (w.fraJuego->Visible) {
            toMenu();
        }
    }
}

} // namespace
