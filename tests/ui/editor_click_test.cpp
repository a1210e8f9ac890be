// The labyrinth editor in the real window: a click on a wall cell of the
// painted board reaches the game with that cell's index, at any window size.
#include <gtest/gtest.h>

#include <QInputDialog>
#include <QTest>

#include "game/Nuvik3Main.h"
#include "ui_helpers.h"

namespace {

int OpenCells(Nuvik3Main& w) {
    int n = 0;
    for (int k = 0; k < Nuvik3Main::kCells; ++k) {
        n += w.imgMuro(k).Visible ? 0 : 1;
    }
    return n;
}

TEST(EditorInWindow, AClickInEditModeOpensTheWallUnderItAndNothingElse) {
    struct Size { int widthPx, heightPx; };
    for (const Size size : {Size{761, 544}, Size{1920, 1080}}) {
        SCOPED_TRACE(testing::Message() << size.widthPx << " x " << size.heightPx);
        uitest::FolderRuntime rt;
        Nuvik3Main w{rt};
        w.Show();
        QWidget* window = rt.WindowOf(w);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        // An empty board to edit, laid out for a window of this outer size.
        ASSERT_TRUE(w.SetWidth(size.widthPx * 15.0f));
        ASSERT_TRUE(w.SetHeight(size.heightPx * 15.0f));
        QCoreApplication::processEvents();
        uitest::WhenModalOpens([](QWidget* modal) { static_cast<QInputDialog*>(modal)->accept(); });
        w.EditLabyrinth();
        ASSERT_TRUE(w.EditMode);
        auto* board = window->findChild<QWidget*>(QStringLiteral("fraJuego"));
        ASSERT_NE(board, nullptr);
        ASSERT_TRUE(board->isVisible());
        EXPECT_DOUBLE_EQ(w.CellW, size.widthPx * 15 * 150 / 11415.0);

        // The middle of the cell in pixels of the board panel (15 twips each).
        const auto click = [&](int col, int row) {
            QTest::mouseClick(board, Qt::LeftButton, {},
                              {static_cast<int>(((col + 0.5) * w.CellW + 25) / 15),
                               static_cast<int>((row + 0.5) * w.CellH / 15)});
        };
        int open = OpenCells(w);
        ASSERT_EQ(open, 1);  // the start cell
        struct Cell { int col, row; };
        for (const Cell c : {Cell{1, 0}, Cell{37, 17}, Cell{73, 34}, Cell{74, 33}, Cell{0, 34}}) {
            click(c.col, c.row);
            EXPECT_FALSE(w.Cell(c.col, c.row).Visible) << c.col << "," << c.row;
            EXPECT_EQ(OpenCells(w), ++open);
        }
        // Outside edit mode a click changes nothing.
        w.EditMode = false;
        click(20, 20);
        EXPECT_TRUE(w.Cell(20, 20).Visible);
        EXPECT_EQ(OpenCells(w), open);
    }
}

} // namespace
