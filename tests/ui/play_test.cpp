// A game played in the real window: the menu's button starts it, typed keys
// resume, pause and leave it; screenshots of a board in the pause menu.
#include <gtest/gtest.h>

#include <QDir>
#include <QPushButton>
#include <QTest>

#include "game/Nuvik3Main.h"
#include "ui_helpers.h"

namespace {

class PlayInWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(rt.dir.isValid());
        w.Show();
        window = rt.WindowOf(w);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }

    // Keys go where the focus is, as the player's keyboard sends them.
    void type(Qt::Key key) {
        QWidget* focus = window->focusWidget() != nullptr ? window->focusWidget() : window;
        QTest::keyClick(focus, key);
    }

    void shoot(const char* file) {
        const QString folder = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("screenshots"));
        QDir().mkpath(folder);
        ASSERT_TRUE(window->grab().save(QDir(folder).filePath(QString::fromLatin1(file))));
    }

    uitest::FolderRuntime rt;
    Nuvik3Main w{rt};
    QWidget* window = nullptr;
};

TEST_F(PlayInWindow, PlayPauseResumeAndBackToTheMenu) {
    auto* play = window->findChild<QPushButton*>(QStringLiteral("cmdPlay"));
    ASSERT_NE(play, nullptr);
    QTest::mouseClick(play, Qt::LeftButton);
    EXPECT_TRUE(w.fraJuego->Visible.get());
    EXPECT_FALSE(w.fraMenu->Visible.get());
    EXPECT_EQ(w.lblPtPause->Caption.get(), Nuvik3Main::kPauseMenu);
    EXPECT_FALSE(w.Timer1->Enabled.get());
    shoot("pause_menu.png");

    // Enter resumes and never presses the hidden menu button.
    type(Qt::Key_Return);
    EXPECT_TRUE(w.Timer1->Enabled.get());
    EXPECT_TRUE(w.fraJuego->Visible.get());
    type(Qt::Key_Left);   // types nothing
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

TEST_F(PlayInWindow, PauseMenuAt1920x1080) {
    ASSERT_TRUE(w.SetWidth(1920 * 15.0f));
    ASSERT_TRUE(w.SetHeight(1080 * 15.0f));
    QCoreApplication::processEvents();
    w.cmdPlay_Click();
    QCoreApplication::processEvents();
    EXPECT_DOUBLE_EQ(w.CellW, 1920 * 15.0 * 150 / 11415);
    shoot("pause_menu_1920x1080.png");
}

} // namespace
