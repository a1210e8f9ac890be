// The host end to end with a small form: what the model says shows, and what
// the user does reaches the form's procedures.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>
#include <stdexcept>

#include "platform/codepage.h"
#include "test_form.h"
#include "ui_helpers.h"

namespace {

using uitest::HostedForm;
using Keys = std::vector<int>;

// Where Tab goes from a widget: the next one in the chain that takes focus.
QWidget* NextTabStop(QWidget* from) {
    QWidget* w = from->nextInFocusChain();
    while (w != from && (w->focusPolicy() & Qt::TabFocus) == 0) {
        w = w->nextInFocusChain();
    }
    return w;
}

TEST_F(HostedForm, BuildsTheWindowFromTheModel) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Test window"));
    // No outer size in the design: the client area is the design's.
    EXPECT_EQ(window->size(), QSize(300, 200));
    auto* button = widget<QPushButton>("cmdGo");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QStringLiteral("&Go"));
    // The form's children are in its own units, a frame's in twips.
    EXPECT_EQ(button->geometry(), QRect(10, 10, 80, 30));
    auto* frame = widget<QWidget>("fraPanel");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->geometry(), QRect(10, 100, 280, 90));
    EXPECT_EQ(widget<QPushButton>("cmdOk")->geometry(), QRect(10, 20, 80, 25));
    // Painted children get no widget of their own.
    EXPECT_EQ(widget<QWidget>("lblInfo"), nullptr);
    EXPECT_EQ(widget<QWidget>("imgCell(0)"), nullptr);
    // Tab order by TabIndex, into the frame at the frame's place.
    QWidget* first = widget<QLineEdit>("txtName");
    EXPECT_EQ(NextTabStop(first), button);
    EXPECT_EQ(NextTabStop(button), widget<QCheckBox>("chkOpt"));
    EXPECT_EQ(NextTabStop(widget<QCheckBox>("chkOpt")), widget<QPushButton>("cmdOk"));
    EXPECT_EQ(NextTabStop(widget<QPushButton>("cmdOk")), widget<QPlainTextEdit>("txtNotes"));
    // Tab leaves a multi-line box as it leaves every control, typing nothing.
    auto* notesBox = widget<QPlainTextEdit>("txtNotes");
    notesBox->setFocus();
    QTest::keyClick(notesBox, Qt::Key_Tab);
    EXPECT_EQ(notesBox->toPlainText(), QString());
    EXPECT_EQ(window->focusWidget(), first);
}

TEST_F(HostedForm, ModelChangesShowInTheWidgets) {
    auto* button = widget<QPushButton>("cmdGo");
    go->Caption = std::string("&Again");
    EXPECT_EQ(button->text(), QStringLiteral("&Again"));
    go->Move(10, 10);
    EXPECT_EQ(button->pos(), QPoint(20, 20));
    go->Enabled = false;
    EXPECT_FALSE(button->isEnabled());
    go->Visible = false;
    EXPECT_FALSE(button->isVisible());

    name->Text = std::string("abc");
    EXPECT_EQ(widget<QLineEdit>("txtName")->text(), QStringLiteral("abc"));
    panel->Visible = false;
    EXPECT_FALSE(widget<QWidget>("fraPanel")->isVisible());
    form.Caption = std::string("Renamed");
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Renamed"));

    check->Value = 1;
    EXPECT_TRUE(widget<QCheckBox>("chkOpt")->isChecked());
}

TEST_F(HostedForm, ButtonClickRunsItsProcedure) {
    QTest::mouseClick(widget<QPushButton>("cmdGo"), Qt::LeftButton);
    EXPECT_EQ(goClicks, 1);
    go->Enabled = false;
    QTest::mouseClick(widget<QPushButton>("cmdGo"), Qt::LeftButton);
    EXPECT_EQ(goClicks, 1);
}

TEST_F(HostedForm, CheckBoxToggleSetsValueWhichRaisesClick) {
    auto* box = widget<QCheckBox>("chkOpt");
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_EQ(check->Value, 1);
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_EQ(check->Value, 0);
    // One Click per change, each seeing the new value.
    EXPECT_EQ(checkValues, (Keys{1, 0}));
    EXPECT_FALSE(box->isChecked());
}

TEST_F(HostedForm, ImageClickGoesToTheTopmostImageThere) {
    QWidget* client = widget<QWidget>("client");
    const QPoint overlap(230, 30);   // both images lie here; element 1 on top
    QTest::mouseClick(client, Qt::LeftButton, {}, overlap);
    cell1->Visible = false;
    QTest::mouseClick(client, Qt::LeftButton, {}, overlap);
    cell0->Enabled = false;
    QTest::mouseClick(client, Qt::LeftButton, {}, overlap);
    QTest::mouseClick(client, Qt::LeftButton, {}, QPoint(5, 5));   // no image there
    EXPECT_EQ(imageClicks, (Keys{1, 0}));
}

TEST_F(HostedForm, TypedCharactersReachTheKeyHandlerWhateverHasTheFocus) {
    auto* text = widget<QLineEdit>("txtName");
    text->setFocus();
    QTest::keyClicks(text, "ab");
    // The text box still gets the keys, and the model its text.
    EXPECT_EQ(text->text(), QStringLiteral("ab"));
    EXPECT_EQ(name->Text.get(), "ab");

    auto* button = widget<QPushButton>("cmdGo");
    button->setFocus();
    QTest::keyClick(button, Qt::Key_X);
    QTest::keyClick(button, Qt::Key_Escape);
    // Windows-1252 codes, not Unicode ones.
    QTest::sendKeyEvent(QTest::Click, button, Qt::Key_unknown, QStringLiteral("\u00e9"), Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Click, button, Qt::Key_unknown, QStringLiteral("\u20ac"), Qt::NoModifier);
    // Keys that type nothing, chords and characters outside the code page.
    QTest::keyClick(button, Qt::Key_Left);
    QTest::keyClick(button, Qt::Key_F5);
    QTest::keyClick(button, Qt::Key_C, Qt::ControlModifier);
    QTest::sendKeyEvent(QTest::Click, button, Qt::Key_unknown, QStringLiteral("\u0416"), Qt::NoModifier);
    EXPECT_EQ(keys, (Keys{97, 98, 120, 27, 233, 128}));
    EXPECT_EQ(goClicks, 0);
}

TEST_F(HostedForm, KeyCancelledByTheHandlerNeverReachesTheTextBox) {
    auto* text = widget<QLineEdit>("txtName");
    text->setFocus();
    cancelKey = 'q';
    QTest::keyClicks(text, "aqb");
    EXPECT_EQ(keys, (Keys{97, 113, 98}));
    EXPECT_EQ(text->text(), QStringLiteral("ab"));
}

TEST_F(HostedForm, EnterPressesTheDefaultButtonOnlyWhileItCanBeSeen) {
    auto* text = widget<QLineEdit>("txtName");
    text->setFocus();
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(keys, (Keys{13}));
    EXPECT_EQ(okClicks, 1);

    // A button with the focus takes Enter itself.
    auto* button = widget<QPushButton>("cmdGo");
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_EQ(goClicks, 1);
    EXPECT_EQ(okClicks, 1);

    // With the default button's panel hidden Enter reaches only the handler.
    text->setFocus();
    panel->Visible = false;
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(keys, (Keys{13, 13, 13}));
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(goClicks, 1);
}

TEST_F(HostedForm, EnterInAMultiLineTextBoxIsANewLine) {
    auto* edit = widget<QPlainTextEdit>("txtNotes");
    edit->setFocus();
    QTest::keyClicks(edit, "a");
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClicks(edit, "b");
    EXPECT_EQ(okClicks, 0);
    EXPECT_EQ(keys, (Keys{97, 13, 98}));
    // The model keeps lines the forms runtime's way, joined by CR LF.
    EXPECT_EQ(notes->Text.get(), "a\r\nb");
    notes->Text = std::string("one\r\ntwo");
    EXPECT_EQ(edit->toPlainText(), QStringLiteral("one\ntwo"));
    // Every character of the code page comes back from the box as itself,
    // the non-breaking space too, also after a key typed into it.
    std::string codePage;
    for (int byte = 1; byte < 256; ++byte) {
        codePage += byte == '\r' || byte == '\n' ? std::string("\r\n") : std::string(1, static_cast<char>(byte));
    }
    notes->Text = vb::FromCp1252(codePage);
    edit->moveCursor(QTextCursor::End);
    QTest::keyClicks(edit, "x");
    EXPECT_EQ(vb::ToCp1252(notes->Text.get()), codePage + "x");
}

// A paste with nothing to paste leaves the box as it was; copied text goes in.
TEST_F(HostedForm, PastingWithNothingCopiedDoesNothing) {
    auto* edit = widget<QPlainTextEdit>("txtNotes");
    notes->Text = std::string("kept");
    edit->moveCursor(QTextCursor::End);
    QGuiApplication::clipboard()->setMimeData(new QMimeData);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Insert, Qt::ShiftModifier);
    QGuiApplication::clipboard()->setText(QStringLiteral(" and pasted"));
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(notes->Text.get(), "kept and pasted");
}

// Alt and an access key press its button, also from a text box; a letter
// that is no access key types nothing there, while AltGr, which Windows
// sends as Ctrl+Alt, still types.
TEST_F(HostedForm, AltAndTheAccessKeyPressTheButtonWithoutTyping) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    const struct {
        vb::Control* box;   // has the focus; none: the window takes the keys
        const char* altLetters;
        const char* altGr;
        int clicks;
    } rows[] = {{nullptr, "g", "", 1}, {name, "xqyu", "@", 0}, {notes, "xphg", "", 1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.altLetters);
        goClicks = 0;
        QWidget* target = window;
        if (row.box != nullptr) {
            target = widget<QWidget>(row.box->Name().c_str());
            target->setFocus();
        }
        for (const char* c = row.altLetters; *c != 0; ++c) {
            QTest::keyClick(target, *c, Qt::AltModifier);
        }
        for (const char* c = row.altGr; *c != 0; ++c) {
            QTest::keyClick(target, *c, Qt::ControlModifier | Qt::AltModifier);
        }
        // A button pressed by its access key clicks after a short animation.
        EXPECT_TRUE(QTest::qWaitFor([&] { return goClicks == row.clicks; }, 2000));
        EXPECT_EQ(row.box != nullptr ? row.box->Text.get() : std::string(), row.altGr);
        EXPECT_TRUE(keys.empty());
    }
}

TEST_F(HostedForm, TimerTicksOnlyWhileEnabledWithAnIntervalAboveZero) {
    timer->Enabled = true;   // interval still 0
    QTest::qWait(60);
    EXPECT_EQ(ticks, 0);
    ASSERT_TRUE(timer->SetInterval(5));
    ASSERT_TRUE(QTest::qWaitFor([this] { return ticks >= 2; }, 2000));
    timer->Enabled = false;
    const int stopped = ticks;
    QTest::qWait(40);
    EXPECT_EQ(ticks, stopped);
    timer->Enabled = true;
    ASSERT_TRUE(timer->SetInterval(0));
    QTest::qWait(40);
    EXPECT_EQ(ticks, stopped);
}

TEST_F(HostedForm, ProceduresNeverOverlap) {
    ASSERT_TRUE(timer->SetInterval(2));
    timer->Enabled = true;
    int ticksDuringClick = -1;
    go->Click = [this, &ticksDuringClick] {
        const int before = ticks;
        QTest::qWait(60);   // the event loop runs on, the timer is due many times
        ticksDuringClick = ticks - before;
    };
    QTest::mouseClick(widget<QPushButton>("cmdGo"), Qt::LeftButton);
    EXPECT_EQ(ticksDuringClick, 0);
    EXPECT_TRUE(QTest::qWaitFor([this] { return ticks > 0; }, 2000));
}

TEST_F(HostedForm, WindowBoundsGoToTheFormInTwipsAndBack) {
    window->resize(400, 300);
    ASSERT_TRUE(QTest::qWaitFor([this] { return form.Height > 4000; }, 2000));
    // The outer frame's bounds, not the client area's.
    const QRect outer = window->frameGeometry();
    EXPECT_EQ(form.Width, outer.width() * 15.0f);
    EXPECT_EQ(form.Height, outer.height() * 15.0f);
    EXPECT_EQ(form.Left, outer.left() * 15.0f);
    EXPECT_EQ(resizes, 1);
    EXPECT_EQ(widget<QWidget>("client")->size(), QSize(400, 300));

    ASSERT_TRUE(form.SetWidth(4800));
    EXPECT_EQ(window->frameGeometry().width(), 320);
    ASSERT_TRUE(form.SetLeft(1500));
    EXPECT_EQ(window->frameGeometry().left(), 100);
    QTest::qWait(20);
    EXPECT_EQ(form.Width, 4800);

    form.WindowState = 2;
    EXPECT_TRUE(QTest::qWaitFor([this] { return window->isMaximized(); }, 2000));
    // A maximised window refuses new bounds from code.
    EXPECT_FALSE(form.SetWidth(3000));
}

TEST_F(HostedForm, AnOuterSizeInTheModelIsTheSizeWithTheFrame) {
    vb::Form game(rt, "frmGame");
    game.Width = 11415;
    game.Height = 8160;
    game.Left = 315;
    game.Top = 810;
    int resized = 0;
    game.Resize = [&resized] { ++resized; };
    game.Show();
    QWidget* gameWindow = rt.WindowOf(game);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(gameWindow));
    // The first show guesses the frame; once it is known the size is made good.
    EXPECT_TRUE(QTest::qWaitFor(
        [gameWindow] { return gameWindow->frameGeometry().size() == QSize(761, 544); }, 2000));
    EXPECT_EQ(gameWindow->frameGeometry().topLeft(), QPoint(21, 54));
    QTest::qWait(20);
    EXPECT_EQ(game.Width, 11415);
    EXPECT_EQ(game.Height, 8160);
    // Resize at the first display, though the size came out as asked.
    EXPECT_EQ(resized, 1);
}

// A stored corner of 0, 0 is a place like any other; only a window that asks
// for the system's placement is left where the system puts it.
TEST_F(HostedForm, AWindowOpensAtItsStoredCornerUnlessItAsksTheSystem) {
    struct Case {
        float left, top;
        bool systemPlaces;
    };
    for (const Case c : {Case{0, 0, false}, Case{1500, 300, false}, Case{0, 0, true}}) {
        vb::Form other(rt, "frmOther");
        other.Width = 6000;
        other.Height = 4500;
        other.Left = c.left;
        other.Top = c.top;
        other.DefaultPlacement = c.systemPlaces;
        other.Show();
        QWidget* shown = rt.WindowOf(other);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(shown));
        EXPECT_EQ(shown->testAttribute(Qt::WA_Moved), !c.systemPlaces) << c.left;
        if (!c.systemPlaces) {
            EXPECT_EQ(shown->frameGeometry().topLeft(), QPoint(int(c.left / 15), int(c.top / 15)));
            QTest::qWait(20);
            EXPECT_EQ(other.Left, c.left);
            EXPECT_EQ(other.Top, c.top);
        }
    }
}

TEST_F(HostedForm, UserCloseTellsTheFormWhichMayThenGoAway) {
    auto notes = std::make_unique<vb::Form>(rt, "frmNotes");
    notes->ClientWidth = 1500;
    notes->ClientHeight = 1500;
    int unloaded = 0;
    notes->Unloaded = [&unloaded] { ++unloaded; };
    notes->Show();
    QWidget* notesWindow = rt.WindowOf(*notes);
    ASSERT_NE(notesWindow, nullptr);
    notes->Show();   // the same window, brought forward
    EXPECT_EQ(rt.WindowOf(*notes), notesWindow);

    notesWindow->close();   // as the close box does
    EXPECT_EQ(unloaded, 1);
    EXPECT_FALSE(notes->IsLoaded());
    EXPECT_EQ(rt.WindowOf(*notes), nullptr);
    notes.reset();
    QTest::qWait(10);

    // Shown again after a close, the form gets a fresh window.
    vb::Form again(rt, "frmAgain");
    again.ClientWidth = 1500;
    again.ClientHeight = 1500;
    again.Show();
    EXPECT_NE(rt.WindowOf(again), nullptr);
}

TEST_F(HostedForm, FormDestroyedWhileShownTakesItsWindowAlong) {
    auto other = std::make_unique<vb::Form>(rt, "frmOther");
    other->ClientWidth = 1500;
    other->ClientHeight = 1500;
    auto& tick = other->Add<vb::Timer>("tmrOther");
    int otherTicks = 0;
    tick.Tick = [&otherTicks] { ++otherTicks; };
    tick.SetInterval(2);
    tick.Enabled = true;
    other->Show();
    QPointer<QWidget> otherWindow = rt.WindowOf(*other);
    ASSERT_TRUE(otherWindow);
    other.reset();
    EXPECT_FALSE(otherWindow->isVisible());
    QTest::qWait(30);
    EXPECT_TRUE(otherWindow.isNull());
    EXPECT_EQ(otherTicks, 0);
}

TEST_F(HostedForm, AHiddenFrameGetsItsWidgetsWhenFirstShownWhileItsTimerTicksAllAlong) {
    vb::Form other(rt, "frmOther");
    other.ClientWidth = 3000;
    other.ClientHeight = 3000;
    vb::Place(other.Add<vb::Control>(vb::ControlKind::CommandButton, "cmdFirst"), 0, 0, 900, 300, 0);
    auto& frame = other.Add<vb::Frame>("fraLater");
    vb::Place(frame, 0, 600, 3000, 2000, 1);
    frame.Visible = false;
    auto& inside =
        vb::Place(frame.Add<vb::Control>(vb::ControlKind::CommandButton, "cmdInside"), 0, 0, 900, 300, 0);
    auto& tick = frame.Add<vb::Timer>("tmrInside");
    int ticked = 0;
    tick.Tick = [&ticked] { ++ticked; };
    ASSERT_TRUE(tick.SetInterval(2));
    tick.Enabled = true;
    other.Show();
    QWidget* w = rt.WindowOf(other);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    EXPECT_EQ(w->findChild<QPushButton*>(QStringLiteral("cmdInside")), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&ticked] { return ticked >= 2; }, 2000));

    inside.Caption = std::string("&Later");   // while there is no widget yet
    frame.Visible = true;
    auto* button = w->findChild<QPushButton*>(QStringLiteral("cmdInside"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QStringLiteral("&Later"));
    EXPECT_TRUE(button->isVisible());
    EXPECT_EQ(NextTabStop(w->findChild<QPushButton*>(QStringLiteral("cmdFirst"))), button);
}

TEST_F(HostedForm, UnloadTakesTheWindowAwayWithoutAUserClose) {
    int unloaded = 0;
    form.Unloaded = [&unloaded] { ++unloaded; };
    rt.UnloadForm(form);
    EXPECT_EQ(rt.WindowOf(form), nullptr);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(unloaded, 0);
}

TEST_F(HostedForm, EndProgramClosesEverythingAndLeavesTheLoop) {
    ASSERT_TRUE(timer->SetInterval(2));
    timer->Enabled = true;
    QTimer::singleShot(20, [this] { rt.EndProgram(); });
    QTimer guard;   // a broken end must not hang the test run
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    guard.start(3000);
    EXPECT_EQ(QApplication::exec(), 0);
    guard.stop();

    EXPECT_TRUE(rt.Ended());
    EXPECT_EQ(rt.WindowOf(form), nullptr);
    const int atEnd = ticks;
    QTest::qWait(30);
    EXPECT_EQ(ticks, atEnd);
    // Nothing more of the program runs: no window, no box, no click.
    form.Show();
    EXPECT_EQ(rt.WindowOf(form), nullptr);
    EXPECT_EQ(rt.MsgBox("Still there?", vb::vbYesNo, ""), vb::vbNo);
}

TEST_F(HostedForm, AFailingProcedureIsReportedAndEndsTheProgram) {
    go->Click = [] { throw std::runtime_error("bad cell"); };
    QString shown;
    uitest::WhenModalOpens([&shown](QWidget* box) {
        shown = static_cast<QMessageBox*>(box)->text();
        static_cast<QMessageBox*>(box)->accept();
    });
    QTest::mouseClick(widget<QPushButton>("cmdGo"), Qt::LeftButton);
    EXPECT_TRUE(shown.contains(QStringLiteral("bad cell")));
    EXPECT_TRUE(rt.Ended());
    EXPECT_EQ(rt.WindowOf(form), nullptr);
}

} // namespace
