// The game tick hosted for real: no tick runs while one of its boxes is open,
// and pictures of a board in play, of the end-of-labyrinth box over the
// painting and of the star, written into the build folder for a person to
// look at.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "game/Nuvik3Main.h"
#include "platform/qt/qtruntime.h"

namespace {

// The real runtime with its program folder in a temporary place.
class FolderRuntime : public vb::QtRuntime {
public:
    std::string AppPath() override { return dir.path().toStdString(); }
    QTemporaryDir dir;
};

class HostedTick : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(rt.dir.isValid());
        w.Show();
        window = rt.WindowOf(w);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        shots = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("screenshots"));
        QDir().mkpath(shots);
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
        Int16 k = static_cast<Int16>(static_cast<unsigned char>(c));
        w.Form_KeyPress(k);
    }

    void Save(const QImage& image, const char* file) const {
        ASSERT_TRUE(image.save(QDir(shots).filePath(QString::fromLatin1(file))));
    }

    // Puts the critter on the closed door: the next tick asks the question.
    void CritterOnTheDoor() {
        w.HideNuvik();
        w.NuvikRow = 0;
        w.NuvikCol = 0;
        w.NuvikDir = 0;
        w.DrawNuvik();
    }

    FolderRuntime rt;
    Nuvik3Main w{rt};
    QWidget* window = nullptr;
    QWidget* board = nullptr;
    QString shots;
    int ticks = 0;
};

// Watches for the message boxes the game opens, one after another; each
// stays open for a while before `answer` closes it.
class BoxWatcher {
public:
    struct Seen {
        QString text;
        int ticksAtOpen;
        int ticksAtClose;
    };
    using Answer = std::function<void(QMessageBox*, int index)>;

    BoxWatcher(const int& ticks, Answer answer) : ticks_(ticks), answer_(std::move(answer)) {
        poll_.setInterval(5);
        QObject::connect(&poll_, &QTimer::timeout, [this] { look(); });
        poll_.start();
    }

    std::vector<Seen> seen;

private:
    void look() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || box == current_) {
            return;
        }
        current_ = box;
        seen.push_back({box->text(), ticks_, -1});
        const int index = static_cast<int>(seen.size()) - 1;
        // Open long enough for the 10 ms game tick to be due many times.
        QTimer::singleShot(150, box, [this, box, index] {
            seen[static_cast<std::size_t>(index)].ticksAtClose = ticks_;
            answer_(box, index);
        });
    }

    const int& ticks_;
    Answer answer_;
    QTimer poll_;
    QPointer<QMessageBox> current_;
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
    QCoreApplication::processEvents();
    const QImage shot = board->grab().toImage();
    Save(shot, "board_in_play.png");
    // Cells are 10 x 14 pixels from x = 2: the critter stands on a passage
    // it walked to from the start cell, and the start corner is open.
    EXPECT_FALSE(w.NuvikRow == 34 && w.NuvikCol == 74);
    EXPECT_EQ(shot.pixelColor(2 + 740 + 1, 34 * 14 + 1), QColor(0, 192, 192));
}

TEST_F(HostedTick, NoTickRunsWhileTheDoorQuestionOrTheTimeBoxesAreOpen) {
    ASSERT_TRUE(w.Timer1->SetInterval(10));
    Key('q');
    ASSERT_TRUE(QTest::qWaitFor([this] { return ticks >= 3; }, 2000));
    CritterOnTheDoor();

    QImage overPainting;
    BoxWatcher watcher(ticks, [&](QMessageBox* box, int index) {
        if (index == 0) {
            box->button(QMessageBox::No)->click();
            return;
        }
        if (index == 2) {
            // The second time box over the painting, as the player sees it.
            overPainting = window->grab().toImage();
            const QImage dialog = box->grab().toImage();
            QPainter p(&overPainting);
            p.drawImage((overPainting.width() - dialog.width()) / 2,
                        (overPainting.height() - dialog.height()) / 2, dialog);
        }
        box->button(QMessageBox::Ok)->click();
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return watcher.seen.size() == 3 && !w.Timer1->Enabled; }, 5000));

    ASSERT_EQ(watcher.seen.size(), 3u);
    EXPECT_EQ(watcher.seen[0].text, QStringLiteral("You reached the door..."));
    EXPECT_TRUE(watcher.seen[1].text.startsWith(QStringLiteral("Time employed: 00:00:0")));
    EXPECT_EQ(watcher.seen[2].text, watcher.seen[1].text);
    // The question and both boxes come from one tick, and no other tick
    // starts while any of them is open.
    for (const auto& s : watcher.seen) {
        EXPECT_EQ(s.ticksAtOpen, watcher.seen[0].ticksAtOpen);
        EXPECT_EQ(s.ticksAtClose, s.ticksAtOpen);
    }
    // The next board waits in the pause menu.
    EXPECT_EQ(w.MetasLogradas, 1);
    EXPECT_EQ(w.lblPtPause->Caption.get(), Nuvik3Main::kPauseMenu);
    ASSERT_FALSE(overPainting.isNull());
    Save(overPainting, "end_of_labyrinth.png");
    EXPECT_TRUE(w.fraJuego->Visible.get());
}

TEST_F(HostedTick, TheStar) {
    Key('q');
    w.Vidas = 1;
    Key('\x1b');
    Key('a');  // the last life: the star begins
    ASSERT_TRUE(w.Timer3->Enabled.get());
    // Its ticks by hand, so the picture shows a known step.
    ASSERT_TRUE(w.Timer3->SetInterval(60000));
    for (int i = 0; i < 13; ++i) {
        w.Timer3->Fire();
    }
    QCoreApplication::processEvents();
    const QImage shot = board->grab().toImage();
    Save(shot, "star.png");
    // Tick 13 put the star's corner on cell (12, 24): x = 2 + 240, y = 168.
    EXPECT_TRUE(w.imgCruzR->Visible.get());
    EXPECT_NE(shot.pixelColor(2 + 240 + 38, 168 + 38), QColor(0, 192, 192));
}

TEST_F(HostedTick, TheFinalSequenceRunsOnTheHostsTimersAndEndsTheProgramWithItsSettingsSaved) {
    Key('q');
    w.Vidas = 1;
    w.HighScore = 23;
    Key('\x1b');
    Key('a');
    ASSERT_TRUE(w.Timer3->Enabled.get());
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
