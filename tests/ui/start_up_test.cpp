// The program as a player starts it: the notes window, then the game window
// on its main menu; the menu, the notes window and the picture window are
// written as pictures into the build folder for a person to look at.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <algorithm>
#include <string>
#include <vector>

#include "support/files.h"
#include "game/Nuvik3Main.h"
#include "platform/qt/qtruntime.h"
#include "ui_helpers.h"
#include "windows/frmKLWRP.h"
#include "windows/frmNotes.h"

namespace {

class StartUp : public uitest::StartedGame {
protected:
    QString caption(const char* name) const {
        auto* button = window->findChild<QAbstractButton*>(QString::fromLatin1(name));
        return button != nullptr ? button->text() : QStringLiteral("<missing>");
    }
};

TEST_F(StartUp, OpensTheNotesWindowAndTheMenuWithEveryControlCaptioned) {
    ASSERT_NE(w.Notes, nullptr);
    QWidget* notes = rt.WindowOf(*w.Notes);
    ASSERT_NE(notes, nullptr);
    EXPECT_TRUE(notes->isVisible());
    EXPECT_TRUE(QFile::exists(rt.dir.filePath(QStringLiteral("Nuvik3w.dat"))));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Nuvik3t Cross version ; Vidas: 0"));

    EXPECT_EQ(caption("cmdPlay"), QStringLiteral("&PLAY GAME"));
    EXPECT_EQ(caption("cmdHelp"), QStringLiteral("&Help"));
    EXPECT_EQ(caption("cmdDispNotes"), QStringLiteral("Display &Notes"));
    EXPECT_EQ(caption("chkBeginners"), QStringLiteral("&Beginners"));
    EXPECT_EQ(caption("cmdHSReset"), QStringLiteral("Reset HS to &zero"));
    EXPECT_EQ(caption("cmdSaveCh"), QStringLiteral("&SAVE SOME CHANGES"));
    EXPECT_EQ(caption("cmdReset"), QStringLiteral("&RESET AND WINDOW SIZE"));
    EXPECT_EQ(caption("chkSound"), QStringLiteral("Sound &effects"));
    EXPECT_EQ(caption("cmdExit"), QStringLiteral("E&XIT"));
    EXPECT_EQ(caption("cmdKLWRP"), QStringLiteral("KL&WRP"));
    EXPECT_EQ(caption("cmdPracticar"), QStringLiteral("Pra&ctice"));
    auto* delay = window->findChild<QLineEdit*>(QStringLiteral("txtDelay"));
    ASSERT_NE(delay, nullptr);
    EXPECT_EQ(delay->text(), QStringLiteral("240"));
    for (const char* name : {"cmdPlay", "cmdExit", "chkSound", "txtDelay"}) {
        QWidget* c = window->findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(c, nullptr) << name;
        EXPECT_TRUE(c->isVisible()) << name;
    }
    // The labels are painted by their panel: the model holds what is drawn.
    EXPECT_EQ(w.lblHS->Caption.get(), "HS: 0");
    EXPECT_TRUE(w.lblFechaCopy->Visible);
    EXPECT_FALSE(w.lblFechaCopy->Caption.get().empty());
    save(window, "startup_menu.png");
}

// The game window opens where it was saved, also at the corner 0, 0, and the
// next save keeps that corner; the notes window is placed by the system.
TEST(StartUpAt, AStoredCornerOfZeroZeroIsKept) {
    uitest::FolderRuntime rt;
    const std::string settings = rt.dir.filePath(QStringLiteral("Nuvik3w.dat")).toStdString();
    WriteBytes(settings, "1\r\n0\r\n0\r\n0,0\r\n11415,8160\r\n240\r\n#FALSE#\r\n0\r\n0\r\n0\r\n#FALSE#\r\n");
    Nuvik3Main w(rt);
    w.Show();
    QWidget* window = rt.WindowOf(w);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_TRUE(window->testAttribute(Qt::WA_Moved));
    EXPECT_EQ(window->frameGeometry().topLeft(), QPoint(0, 0));
    EXPECT_FALSE(rt.WindowOf(*w.Notes)->testAttribute(Qt::WA_Moved));
    QTest::qWait(20);
    w.SaveSettings();
    EXPECT_EQ(Records(ReadBytes(settings)).at(3), "0,0");
}

// A window stored minimised or maximised starts so, its stored bounds
// skipped; restored by the player it stands where a normal start with the
// default bounds puts it, and the model holds those bounds. Minimised from
// maximised, by the system or by the game, it comes back maximised. Steps:
// m, r the system minimises and brings it back as a window manager does,
// the other flags kept; n the player shows it normal; a digit the game
// sets its WindowState. The state is saved as the window ends.
TEST(StartUpAt, AWindowComesBackInTheStateItWasMinimisedFromOrAtTheDefaultBounds) {
    struct Row {
        const char* stored;
        const char* steps;
        int state;
    };
    QRect expected;   // where a normal start with the default bounds puts it
    for (const Row row : {Row{"0", "", 0}, Row{"1", "n", 0}, Row{"2", "n", 0}, Row{"2", "mr", 2},
                          Row{"2", "1r", 2}, Row{"2", "mrn", 0}, Row{"2", "m", 1}, Row{"1", "2", 2},
                          Row{"0", "mr", 0}}) {
        SCOPED_TRACE(std::string(row.stored) + " " + row.steps);
        const bool normal = row.stored == std::string("0");
        uitest::FolderRuntime rt;
        const std::string settings = rt.dir.filePath(QStringLiteral("Nuvik3w.dat")).toStdString();
        WriteBytes(settings, std::string("1\r\n0\r\n") + row.stored +
                                 (normal ? "\r\n360,255\r\n11415,8160" : "\r\n600,600\r\n12000,9000") +
                                 "\r\n240\r\n#FALSE#\r\n0\r\n0\r\n0\r\n#FALSE#\r\n");
        Nuvik3Main w(rt);
        w.Show();
        QWidget* window = rt.WindowOf(w);
        ASSERT_NE(window, nullptr);
        if (normal) {
            ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        } else {
            EXPECT_TRUE(QTest::qWaitFor([&] { return window->isMinimized() || window->isMaximized(); }, 2000));
        }
        QTest::qWait(20);
        EXPECT_EQ(w.WindowState.get(), std::stoi(row.stored));
        if (expected.isNull()) {
            expected = window->geometry();
            continue;
        }
        QWindow* handle = window->windowHandle();
        for (const char step : std::string(row.steps)) {
            if (step == 'm' || step == 'r') {
                handle->setWindowStates(step == 'm' ? handle->windowStates() | Qt::WindowMinimized
                                                    : handle->windowStates() & ~Qt::WindowMinimized);
            } else if (step == 'n') {
                handle->showNormal();
            } else {
                w.WindowState = static_cast<std::int16_t>(step - '0');
            }
            QTest::qWait(20);
        }
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                return window->isMinimized() == (row.state == 1) && (row.state != 2 || window->isMaximized()) &&
                       (row.state != 0 || (!window->isMaximized() && window->geometry() == expected));
            },
            2000));
        QTest::qWait(20);
        const QRect outer = window->frameGeometry();
        EXPECT_EQ(std::vector<float>({static_cast<float>(w.WindowState.get()), w.Left, w.Top, w.Width, w.Height}),
                  row.state == 0 ? std::vector<float>({0, 255, 360, 11415, 8160})
                                 : std::vector<float>({static_cast<float>(row.state), outer.x() * 15.0f,
                                                       outer.y() * 15.0f, outer.width() * 15.0f,
                                                       outer.height() * 15.0f}));
        w.SaveSettings();
        EXPECT_EQ(Records(ReadBytes(settings)).at(2), std::to_string(row.state));
    }
}

TEST_F(StartUp, ATypedCharacterOnTheMenuOnlyClearsTheRestartFlag) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    w.Continuar = true;
    const std::string title = w.Caption;
    // Keys go where the focus is, as the player's keyboard sends them.
    QWidget* focus = window->focusWidget() != nullptr ? window->focusWidget() : window;
    QTest::keyClick(focus, Qt::Key_A);
    EXPECT_FALSE(w.Continuar);
    w.Continuar = true;
    QTest::keyClick(focus, Qt::Key_Escape);
    EXPECT_FALSE(w.Continuar);
    EXPECT_TRUE(w.fraMenu->Visible);
    EXPECT_FALSE(w.fraJuego->Visible);
    EXPECT_FALSE(w.Timer1->Enabled);
    EXPECT_EQ(w.Caption.get(), title);
}

TEST_F(StartUp, HelpOpensAndClosesByItsAccessKeys) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    // A button pressed by its access key clicks after a short animation.
    QTest::keyClick(window, Qt::Key_H, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([this] { return w.fraHelp->Visible.get(); }, 2000));
    EXPECT_FALSE(w.fraMenu->Visible);
    QTest::keyClick(window, Qt::Key_C, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([this] { return w.fraMenu->Visible.get(); }, 2000));
    EXPECT_FALSE(w.fraHelp->Visible);
}

TEST_F(StartUp, NotesAndPictureWindowsAsAPlayerSeesThem) {
    QWidget* notes = rt.WindowOf(*w.Notes);
    ASSERT_NE(notes, nullptr);
    auto* box = notes->findChild<QPlainTextEdit*>(QStringLiteral("txtNotes"));
    ASSERT_NE(box, nullptr);
    w.Notes->cmdResetNotes_Click();
    EXPECT_EQ(box->toPlainText().count(QLatin1Char('\n')), 58);
    save(notes, "notes.png");

    w.cmdKLWRP_Click();
    w.cmdKLWRP_Click();
    ASSERT_NE(w.KLWRP, nullptr);
    QWidget* picture = rt.WindowOf(*w.KLWRP);
    ASSERT_NE(picture, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(picture));
    EXPECT_TRUE(picture->windowTitle().endsWith(QStringLiteral(" KLWRP - Nuvik3t")));
    save(picture, "picture.png");
}

// The game window is painted first; the notes window, mapped before it,
// paints right after and shows the notes; a box opened by a start-up
// procedure never stands beside a window that has not painted.
class FirstPaints : public QObject {
public:
    FirstPaints() { QApplication::instance()->installEventFilter(this); }
    std::vector<QWidget*> order;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Paint && widget != nullptr &&
            std::find(order.begin(), order.end(), widget->window()) == order.end()) {
            order.push_back(widget->window());
        }
        return false;
    }
};

TEST(StartUpPainting, TheGameWindowPaintsBeforeTheNotesWindowWhichThenShowsItsText) {
    uitest::FolderRuntime rt;
    ASSERT_TRUE(rt.dir.isValid());
    WriteBytes(rt.dir.filePath(QStringLiteral("Notes.txt")).toStdString(), "lab 3: left door\r\n");
    Nuvik3Main w{rt};
    FirstPaints paints;
    rt.PaintFirst(w);
    w.Show();
    QWidget* game = rt.WindowOf(w);
    QWidget* notes = rt.WindowOf(*w.Notes);
    ASSERT_NE(game, nullptr);
    ASSERT_NE(notes, nullptr);
    EXPECT_TRUE(notes->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return paints.order.size() >= 2; }, 2000));
    ASSERT_EQ(paints.order.size(), 2u);
    EXPECT_EQ(paints.order[0], game);
    EXPECT_EQ(paints.order[1], notes);
    auto* box = notes->findChild<QPlainTextEdit*>(QStringLiteral("txtNotes"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->toPlainText(), QStringLiteral("lab 3: left door"));
}

// A window shown before the paint-first one is mapped bare: no controls, no
// icon, no painting, until the first window has painted or cannot soon.
TEST(StartUpPainting, AWindowShownEarlyGetsItsControlsWhenABoxOpensOrTheFirstWindowStartsMinimised) {
    for (const bool byBox : {true, false}) {
        SCOPED_TRACE(byBox ? "a box" : "minimised");
        uitest::FolderRuntime rt;
        frmNotes first(rt);
        frmNotes waiting(rt);
        rt.PaintFirst(first);
        waiting.Show();
        QWidget* window = rt.WindowOf(waiting);
        ASSERT_NE(window, nullptr);
        const auto released = [window] {
            return window->updatesEnabled() && !window->windowIcon().isNull() &&
                   window->findChild<QPlainTextEdit*>(QStringLiteral("txtNotes")) != nullptr;
        };
        EXPECT_TRUE(window->isVisible());
        EXPECT_FALSE(window->updatesEnabled());
        EXPECT_TRUE(window->windowIcon().isNull());
        EXPECT_EQ(window->findChild<QPlainTextEdit*>(QStringLiteral("txtNotes")), nullptr);
        bool releasedFirst = false;
        if (byBox) {
            uitest::WhenModalOpens([&](QWidget* modal) {
                releasedFirst = released();
                modal->close();
            });
            rt.MsgBox("Settings could not be read", 0, "");
        } else {
            first.WindowState = std::int16_t{1};
            first.Show();
            releasedFirst = released();
        }
        EXPECT_TRUE(releasedFirst);
    }
}

} // namespace
