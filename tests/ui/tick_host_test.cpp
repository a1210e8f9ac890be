// The game tick hosted for real: no tick runs while one of its boxes is open,
// and pictures of a board in play, of the end-of-labyrinth box over the
// painting and of the star, written into the build folder for a person to
// look at.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFile>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <vector>

#include "game/Nuvik3Main.h"
#include "ui_helpers.h"

namespace {

class HostedTick : public uitest::StartedGame {
protected:
    void SetUp() override {
        StartedGame::SetUp();
        // Every tick that the host lets through is counted.
        const auto tick = w.Timer1->Tick;
        w.Timer1->Tick = [this, tick] {
            ++ticks;
            tick();
        };
        w.cmdPlay_Click();
        board = window->findChild<QWidget*>(QStringLiteral("fraJuego"));
        ASSERT_NE(board, nullptr);
    }

    void Key(char c) {
        Int16 k = static_cast<unsigned char>(c);
        w.Form_KeyPress(k);
    }

    // Gives up the last life from the pause menu; answers whether the star
    // began.
    bool GiveUpTheLastLife() {
        Key('q');
        w.Vidas = 1;
        Key('\x1b');
        Key('a');
        return w.Timer3->Enabled.get();
    }

    // The board as it is painted now, also saved for a person to look at.
    QImage Shot(const char* file) {
        QCoreApplication::processEvents();
        const QImage shot = board->grab().toImage();
        save(shot, file);
        return shot;
    }

    QWidget* board = nullptr;
    int ticks = 0;
};

TEST_F(HostedTick, ABoardInPlay) {
    ASSERT_TRUE(w.Timer1->SetInterval(20));
    Key('q');
    // Out of the start corner by whichever way is open.
    Key(w.CellKind(34, 73) == Nuvik3Main::ckMuro ? 'i' : 'j');
    ASSERT_TRUE(QTest::qWaitFor([this] { return ticks >= 25; }, 5000));
    Key('\x1b');
    ASSERT_EQ(w.lblPtPause->Caption.get(), Nuvik3Main::kPauseMenu);
    const int paused = ticks;
    QTest::qWait(60);
    EXPECT_EQ(ticks, paused);
    const QImage shot = Shot("board_in_play.png");
    // Cells are 10 x 14 pixels from x = 2: the critter stands on a passage
    // it walked to from the start cell, and the start corner is open.
    EXPECT_FALSE(w.NuvikRow == 34 && w.NuvikCol == 74);
    EXPECT_EQ(shot.pixelColor(2 + 740 + 1, 34 * 14 + 1), QColor(0, 192, 192));
}

TEST_F(HostedTick, NoTickRunsWhileTheDoorQuestionOrTheTimeBoxesAreOpen) {
    ASSERT_TRUE(w.Timer1->SetInterval(10));
    Key('q');
    ASSERT_TRUE(QTest::qWaitFor([this] { return ticks >= 3; }, 2000));
    // The critter on the closed door: the next tick asks the question.
    w.HideNuvik();
    w.NuvikRow = 0;
    w.NuvikCol = 0;
    w.NuvikDir = 0;
    w.DrawNuvik();

    // Each box the game opens, one after another, stays open long enough for
    // the 10 ms tick to be due many times; then No closes the question and
    // OK the time boxes.
    struct Seen { QString text; int ticksAtOpen, ticksAtClose; };
    std::vector<Seen> seen;
    QImage overPainting;
    QPointer<QMessageBox> current;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || box == current) {
            return;
        }
        current = box;
        seen.push_back({box->text(), ticks, -1});
        QTimer::singleShot(150, box, [&, box, index = seen.size() - 1] {
            seen[index].ticksAtClose = ticks;
            if (index == 2) {
                // The second time box over the painting, as the player sees it.
                overPainting = window->grab().toImage();
                const QImage dialog = box->grab().toImage();
                QPainter(&overPainting)
                    .drawImage((overPainting.width() - dialog.width()) / 2,
                               (overPainting.height() - dialog.height()) / 2, dialog);
            }
            box->button(index == 0 ? QMessageBox::No : QMessageBox::Ok)->click();
        });
    });
    poll.start(5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return seen.size() == 3 && !w.Timer1->Enabled; }, 5000));

    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].text, QStringLiteral("You reached the door..."));
    EXPECT_TRUE(seen[1].text.startsWith(QStringLiteral("Time employed: 00:00:0")));
    EXPECT_EQ(seen[2].text, seen[1].text);
    // The question and both boxes come from one tick, and no other tick
    // starts while any of them is open.
    for (const auto& s : seen) {
        EXPECT_EQ(s.ticksAtOpen, seen[0].ticksAtOpen);
        EXPECT_EQ(s.ticksAtClose, s.ticksAtOpen);
    }
    // The next board waits in the pause menu.
    EXPECT_EQ(w.MetasLogradas, 1);
    EXPECT_EQ(w.lblPtPause->Caption.get(), Nuvik3Main::kPauseMenu);
    ASSERT_FALSE(overPainting.isNull());
    save(overPainting, "end_of_labyrinth.png");
    EXPECT_TRUE(w.fraJuego->Visible.get());
}

TEST_F(HostedTick, TheStar) {
    ASSERT_TRUE(GiveUpTheLastLife());
    // Its ticks by hand, so the picture shows a known step.
    ASSERT_TRUE(w.Timer3->SetInterval(60000));
    for (int i = 0; i < 13; ++i) {
        w.Timer3->Fire();
    }
    const QImage shot = Shot("star.png");
    // Tick 13 put the star's corner on cell (12, 24): x = 2 + 240, y = 168.
    EXPECT_TRUE(w.imgCruzR->Visible.get());
    EXPECT_NE(shot.pixelColor(2 + 240 + 38, 168 + 38), QColor(0, 192, 192));
}

TEST_F(HostedTick, TheFinalSequenceRunsOnTheHostsTimersAndEndsTheProgramWithItsSettingsSaved) {
    w.HighScore = 23;
    ASSERT_TRUE(GiveUpTheLastLife());
    // The star and the picture at a quicker pace than a second and 38.
    ASSERT_TRUE(w.Timer3->SetInterval(5));
    ASSERT_TRUE(w.Timer4->SetInterval(50));
    const QString settings = rt.dir.filePath(QStringLiteral("Nuvik3w.dat"));
    QFile::remove(settings);
    ASSERT_TRUE(QTest::qWaitFor([this] { return w.Timer4->Enabled.get(); }, 5000));
    EXPECT_FALSE(w.Timer3->Enabled.get());
    EXPECT_TRUE(w.fraColor->Visible.get());
    EXPECT_FALSE(board->isVisible());
    EXPECT_FALSE(QFile::exists(settings));
    ASSERT_TRUE(QTest::qWaitFor([this] { return rt.Ended(); }, 5000));
    EXPECT_EQ(rt.WindowOf(w), nullptr);
    QFile file(settings);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    file.readLine();
    EXPECT_EQ(file.readLine(), QByteArray("23\r\n"));
}

} // namespace
