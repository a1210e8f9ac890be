// The real game window hosted: the menu and the board as a player sees them,
// written as pictures into the build folder for a person to look at.
#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QPushButton>
#include <QRegion>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTest>
#include <QTransform>

#include "game/Nuvik3Main.h"
#include "platform/qt/qtruntime.h"
#include "platform/qt/twips.h"

namespace {

// The board as the game lays it out in play for a window of this outer size.
void LayOutBoard(Nuvik3Main& w, float width, float height) {
    const auto cellW = static_cast<float>(width * 150.0 / 11415.0);
    const auto cellH = static_cast<float>(height * 210.0 / 8160.0);
    w.fraJuego->Width = static_cast<float>(width / w.ScaleUnitX);
    w.fraJuego->Height = static_cast<float>(height / w.ScaleUnitY);
    for (int r = 0; r < Nuvik3Main::kRows; ++r) {
        for (int c = 0; c < Nuvik3Main::kCols; ++c) {
            vb::Control& cell = w.imgMuro(c + Nuvik3Main::kCols * r);
            cell.Width = cellW;
            cell.Height = cellH;
            cell.Left = c * cellW + 25;
            cell.Top = r * cellH;
            cell.Stretch = true;
        }
    }
    const auto toCell = [&](vb::Control& sprite, int c, int r) {
        sprite.Width = cellW;
        sprite.Height = cellH;
        sprite.Stretch = true;
        sprite.Move(c * cellW + 25, r * cellH);
    };
    for (int i = 0; i < Nuvik3Main::kFrutas; ++i) {
        toCell(w.ImgFruta(i), 3 + 4 * i, 1 + (i % 3) * 10);
        w.ImgFruta(i).Visible = i < 14;
    }
    toCell(w.ImgNuvik(0), 37, 17);
    toCell(w.ImgNuvik(1), 37, 17);
    w.ImgNuvik(1).Visible = false;
    toCell(w.ImgMetaR(0), 0, 0);
    toCell(w.ImgMetaV(0), 0, 0);
    toCell(*w.imgBala, 0, 0);
    w.imgBala->Visible = false;
}

// A labyrinth as the game generates it, with the pieces on passage cells.
void GenerateBoard(Nuvik3Main& w, float width, float height) {
    w.FillMuroIdx();
    w.MaxRow = 34;
    w.MaxCol = 74;
    w.MaxSegV = 11;
    w.MaxSegH = 12;
    w.MinSegV = 6;
    w.MinSegH = 6;
    w.ClearBoard();
    w.GenerateLabyrinth();
    LayOutBoard(w, width, height);
    const float cellW = w.imgMuro(1).Left - w.imgMuro(0).Left;
    const float cellH = w.imgMuro(Nuvik3Main::kCols).Top - w.imgMuro(0).Top;
    int placed = 0;
    for (int k = 2 * Nuvik3Main::kCols; k < Nuvik3Main::kCells && placed < 15; k += 97) {
        if (!w.imgMuro(k).Visible) {
            vb::Control& sprite = placed < 14 ? w.ImgFruta(placed) : w.ImgNuvik(0);
            sprite.Move((k % Nuvik3Main::kCols) * cellW + 25, (k / Nuvik3Main::kCols) * cellH);
            ++placed;
        }
    }
}

class GameWindow : public ::testing::Test {
protected:
    void SetUp() override {
        // Hosted as it stands, without running its start-up procedure.
        rt.ShowForm(w);
        window = rt.WindowOf(w);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        folder = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("screenshots"));
        QDir().mkpath(folder);
    }

    void showOnly(vb::Frame* panel) {
        for (vb::Frame* f : {w.fraMenu, w.fraJuego, w.fraHelp, w.fraColor}) {
            f->Visible = f == panel;
        }
    }

    QWidget* panelWidget(const char* name) const {
        return window->findChild<QWidget*>(QString::fromLatin1(name));
    }

    vb::QtRuntime rt;
    Nuvik3Main w{rt};
    QWidget* window = nullptr;
    QString folder;
};

TEST_F(GameWindow, MainMenuScreenshot) {
    showOnly(w.fraMenu);
    const QImage shot = window->grab().toImage();
    ASSERT_TRUE(shot.save(QDir(folder).filePath(QStringLiteral("menu.png"))));
    // The green title label, below its text.
    EXPECT_EQ(shot.pixelColor(66, 92), QColor(0, 128, 0));
    // The window's own dark blue beside the panel.
    EXPECT_EQ(shot.pixelColor(shot.width() - 2, 10), QColor(0, 0, 64));
    auto* play = window->findChild<QPushButton*>(QStringLiteral("cmdPlay"));
    ASSERT_NE(play, nullptr);
    EXPECT_TRUE(play->isVisible());
}

// The menu's background is a black-and-white picture: wherever nothing lies
// over it, the screen shows black and white only, at any scale factor (the
// ui tests run once more at scale factor 2), with no grey of smoothing.
TEST_F(GameWindow, MenuBackgroundKeepsItsBlackAndWhitePixels) {
    showOnly(w.fraMenu);
    QWidget* menu = panelWidget("fraMenu");
    ASSERT_NE(menu, nullptr);
    const QImage shot = menu->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const qreal dpr = shot.devicePixelRatio();
    ASSERT_TRUE(shot.save(
        QDir(folder).filePath(QStringLiteral("menu_scale%1.png").arg(qRound(dpr)))));

    // Inside the frame's border lines, and clear of every control.
    QRegion bare = QRegion(vb::host::ChildRect(w.imgNeuron(0))) & menu->rect().adjusted(3, 3, -3, -3);
    for (const vb::Control* c : w.fraMenu->Children()) {
        if (c != &w.imgNeuron(0) && c->Kind() != vb::ControlKind::Timer) {
            bare -= vb::host::ChildRect(*c).adjusted(-2, -2, 2, 2);
        }
    }
    int grey = 0;
    int white = 0;
    for (const QRect& r : QTransform::fromScale(dpr, dpr).map(bare)) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x <= r.right(); ++x) {
                const QRgb p = shot.pixel(x, y) & 0xffffff;
                white += p == 0xffffff ? 1 : 0;
                grey += p != 0xffffff && p != 0 ? 1 : 0;
            }
        }
    }
    EXPECT_EQ(grey, 0);
    EXPECT_GT(white, 10000 * dpr * dpr);   // the picture is there at all
}

TEST_F(GameWindow, BoardScreenshot) {
    showOnly(w.fraJuego);
    GenerateBoard(w, 11415, 8160);
    QWidget* board = panelWidget("fraJuego");
    ASSERT_NE(board, nullptr);
    const QImage shot = board->grab().toImage();
    ASSERT_TRUE(shot.save(QDir(folder).filePath(QStringLiteral("board.png"))));
    // Cells are 10 x 14 pixels from x = 2: the start cell (74, 34) is always
    // a passage, and the red door shows on the door cell.
    const QColor teal(0, 192, 192);
    EXPECT_EQ(shot.pixelColor(2 + 740 + 1, 34 * 14 + 1), teal);
    EXPECT_TRUE(w.ImgMetaR(0).Visible);
    EXPECT_NE(shot.pixelColor(2 + 5, 7), teal);
    // The status line on the window's dark blue, past the end of its text.
    EXPECT_EQ(shot.pixelColor(748, 7335 / 15 + 7), QColor(0, 0, 64));
}

// The help's top, and its Spanish part with its frames of box-drawing
// characters, for a person to look at. Also run at scale factor 2.
TEST_F(GameWindow, HelpScreenshot) {
    showOnly(w.fraHelp);
    const QString scale = QString::number(qRound(window->devicePixelRatioF()));
    const QImage shot = window->grab().toImage();
    ASSERT_TRUE(shot.save(QDir(folder).filePath(QStringLiteral("help_scale%1.png").arg(scale))));
    auto* close = window->findChild<QPushButton*>(QStringLiteral("cmdCerrar"));
    ASSERT_NE(close, nullptr);
    EXPECT_TRUE(close->isVisible());
    // Read when first shown, all of it.
    auto* text = window->findChild<QTextBrowser*>(QStringLiteral("RichTextBox1"));
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->toPlainText().contains(QStringLiteral("(END)")));

    QTextDocument* document = text->document();
    const QAbstractTextDocumentLayout* layout = document->documentLayout();
    const QTextBlock title = document->find(QStringLiteral("AYUDA")).block();
    ASSERT_TRUE(title.isValid());
    text->verticalScrollBar()->setValue(qRound(layout->blockBoundingRect(title).top()) - 40);
    ASSERT_TRUE(text->grab().toImage().save(
        QDir(folder).filePath(QStringLiteral("help_frame_scale%1.png").arg(scale))));
}

TEST_F(GameWindow, EnterPlaysFromTheMenuButOnlyReachesTheKeyHandlerInPlay) {
    std::vector<int> keys;
    int plays = 0;
    w.KeyPress = [&keys](std::int16_t& key) { keys.push_back(key); };
    w.cmdPlay->Click = [&plays] { ++plays; };
    auto* delay = window->findChild<QWidget*>(QStringLiteral("txtDelay"));
    ASSERT_NE(delay, nullptr);

    showOnly(w.fraMenu);
    delay->setFocus();
    QTest::keyClick(delay, Qt::Key_Return);
    EXPECT_EQ(plays, 1);

    // In play the menu is hidden, but its text box may still hold the focus.
    showOnly(w.fraJuego);
    QWidget* focus = window->focusWidget() != nullptr ? window->focusWidget() : window;
    QTest::keyClick(focus, Qt::Key_Return);
    QTest::keyClick(focus, Qt::Key_8);
    EXPECT_EQ(plays, 1);
    EXPECT_EQ(keys, (std::vector<int>{13, 13, '8'}));
}

TEST_F(GameWindow, MenuTabOrderFollowsTheDesign) {
    showOnly(w.fraMenu);
    const char* order[] = {"cmdPlay", "cmdHelp", "cmdDispNotes", "chkBeginners", "cmdHSReset",
                           "txtDelay", "cmdSaveCh", "cmdReset", "chkSound", "cmdExit",
                           "cmdKLWRP", "cmdPracticar"};
    QWidget* at = window->findChild<QWidget*>(QString::fromLatin1(order[0]));
    for (const char* next : order) {
        ASSERT_NE(at, nullptr);
        EXPECT_EQ(at->objectName(), QString::fromLatin1(next));
        do {
            at = at->nextInFocusChain();
        } while ((at->focusPolicy() & Qt::TabFocus) == 0 || !at->isVisible());
    }
}

} // namespace
