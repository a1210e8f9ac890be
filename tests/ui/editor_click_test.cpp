// The labyrinth editor in the real window: a click on a wall cell of the
// painted board reaches the game with that cell's index.
#include <gtest/gtest.h>

#include <QInputDialog>
#include <QTest>

#include "game/Nuvik3Main.h"
#include "ui_helpers.h"

namespace {

class EditorInWindow : public ::testing::Test {
protected:
    void SetUp() override {
        w.Show();
        window = rt.WindowOf(w);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }

    // An empty board to edit, laid out for a window of this outer size.
    void EditNewBoard(int widthPx, int heightPx) {
        ASSERT_TRUE(w.SetWidth(widthPx * 15.0f));
        ASSERT_TRUE(w.SetHeight(heightPx * 15.0f));
        QCoreApplication::processEvents();
        uitest::WhenModalOpens([](QWidget* modal) { static_cast<QInputDialog*>(modal)->accept(); });
        w.EditLabyrinth();
        ASSERT_TRUE(w.EditMode);
        board = window->findChild<QWidget*>(QStringLiteral("fraJuego"));
        ASSERT_NE(board, nullptr);
        ASSERT_TRUE(board->isVisible());
    }

    // The middle of the cell in pixels of the board panel (15 twips each).
    QPoint Middle(int col, int row) const {
        return {static_cast<int>(((col + 0.5) * w.CellW + 25) / 15),
                static_cast<int>((row + 0.5) * w.CellH / 15)};
    }

    int OpenCells() {
        int n = 0;
        for (int k = 0; k < Nuvik3Main::kCells; ++k) {
            n += w.imgMuro(k).Visible ? 0 : 1;
        }
        return n;
    }

    void ClickOpensOnlyThatCell() {
        struct Cell { int col, row; };
        int open = OpenCells();
        ASSERT_EQ(open, 1);   // the start cell
        for (const Cell c : {Cell{1, 0}, Cell{37, 17}, Cell{73, 34}, Cell{74, 33}, Cell{0, 34}}) {
            QTest::mouseClick(board, Qt::LeftButton, {}, Middle(c.col, c.row));
            EXPECT_FALSE(w.Cell(c.col, c.row).Visible) << c.col << "," << c.row;
            EXPECT_EQ(OpenCells(), ++open);
        }
        // Outside edit mode a click changes nothing.
        w.EditMode = false;
        QTest::mouseClick(board, Qt::LeftButton, {}, Middle(20, 20));
        EXPECT_TRUE(w.Cell(20, 20).Visible);
        EXPECT_EQ(OpenCells(), open);
    }

    uitest::FolderRuntime rt;
    Nuvik3Main w{rt};
    QWidget* window = nullptr;
    QWidget* board = nullptr;
};

TEST_F(EditorInWindow, AClickOpensTheWallUnderItAtTheDesignSize) {
    EditNewBoard(761, 544);
    EXPECT_DOUBLE_EQ(w.CellW, 761 * 15 * 150 / 11415.0);
    ClickOpensOnlyThatCell();
}

TEST_F(EditorInWindow, AClickOpensTheWallUnderItAt1920x1080) {
    EditNewBoard(1920, 1080);
    EXPECT_DOUBLE_EQ(w.CellW, 1920 * 15 * 150 / 11415.0);
    ClickOpensOnlyThatCell();
}

} // namespace
