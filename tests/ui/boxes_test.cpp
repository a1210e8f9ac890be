// Modal boxes: the forms runtime's styles and answers, and no game timer
// ticking while one is open.
#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QFontMetricsF>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QWindow>

#include "platform/qt/modalboxes.h"
#include "test_form.h"
#include "ui_helpers.h"

namespace {

using vb::host::BoxButtons;
using vb::host::EscapeAnswer;

std::vector<int> Answers(int style) {
    std::vector<int> answers;
    for (const auto& b : BoxButtons(style)) {
        answers.push_back(b.answer);
    }
    return answers;
}

TEST(MessageBoxStyles, ButtonsIconsAndAnswers) {
    EXPECT_EQ(Answers(vb::vbYesNo + vb::vbExclamation), (std::vector<int>{vb::vbYes, vb::vbNo}));
    EXPECT_EQ(vb::host::BoxIcon(vb::vbYesNo + vb::vbExclamation), QMessageBox::Warning);
    EXPECT_EQ(Answers(vb::vbInformation), (std::vector<int>{vb::vbOK}));
    EXPECT_EQ(vb::host::BoxIcon(vb::vbInformation), QMessageBox::Information);
    EXPECT_EQ(Answers(3), (std::vector<int>{vb::vbYes, vb::vbNo, 2}));
    // Dismissed without a button: Cancel if there is one, else No, else OK.
    EXPECT_EQ(EscapeAnswer(3), 2);
    EXPECT_EQ(EscapeAnswer(vb::vbYesNo + vb::vbExclamation), vb::vbNo);
    EXPECT_EQ(EscapeAnswer(vb::vbInformation), vb::vbOK);
}

// Esc, typed as a player types it, or the close box answers a box with a way
// out (Cancel, or OK alone); a question without Cancel stays open for one of
// its buttons.
TEST(MessageBoxStyles, EscAnswersOnlyABoxWithAWayOut) {
    const struct {
        int style;
        bool escAnswers;
        bool byCloseBox;
    } rows[] = {
        {vb::vbInformation, true, false}, {1, true, false}, {3, true, false},
        {vb::vbYesNo + vb::vbExclamation, false, false}, {2, false, false},
        {vb::vbYesNo + vb::vbExclamation, false, true}, {2, false, true},
    };
    vb::QtRuntime rt;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.style);
        SCOPED_TRACE(row.byCloseBox ? "close box" : "Esc");
        bool openAfterEsc = false;
        uitest::WhenModalOpens([&](QWidget* modal) {
            QWidget* focus = QApplication::focusWidget();
            if (row.byCloseBox) {
                QCloseEvent close;   // as the title bar's button sends it
                QCoreApplication::sendEvent(modal->windowHandle(), &close);
            } else {
                QTest::keyClick(focus != nullptr ? focus : modal, Qt::Key_Escape);
            }
            openAfterEsc = modal->isVisible();
            if (openAfterEsc) {
                static_cast<QMessageBox*>(modal)->button(BoxButtons(row.style).front().button)->click();
            }
        });
        const int answer = rt.MsgBox("Question?", row.style, "Box");
        EXPECT_EQ(openAfterEsc, !row.escAnswers);
        EXPECT_EQ(answer, row.escAnswers ? EscapeAnswer(row.style) : BoxButtons(row.style).front().answer);
    }
}

// The window manager writes a box's title beside its icon and buttons
// (about 150 pixels), in a bold font a little larger than the box's: every
// box the game opens has room for its whole title. Also run at scale
// factor 2.
TEST(BoxTitles, EveryBoxOfTheGameHasRoomForItsWholeTitle) {
    constexpr int kInput = -1;
    struct Row {
        const char* prompt;
        int style;   // kInput: an input box
        const char* title;
    };
    const int question = vb::vbYesNo + vb::vbExclamation;
    const Row rows[] = {
        {"You reached the door...", question, "Congratulations!"},
        {"Time employed: 00:00:39", vb::vbInformation, "CONGRATULATIONS!"},
        {"Erase and return to the original settings?", question, "RESET"},
        {"Do you want 1024 x 768 screen size for this game?", question, "RESET - Window size"},
        {"\u00BFErase actual High Score?", question, "Reset HS to zero"},
        {"The settings could not be saved: permission denied.", vb::vbExclamation, "SAVE SOME CHANGES"},
        {"Input Lab number to edit (0 for create new)", kInput, "Edit or create a labyrinth"},
        {"First Labyrinth (number):", kInput, "Please enter number"},
    };
    vb::QtRuntime rt;
    for (const Row& row : rows) {
        int width = -1;
        double titleRoom = 0;
        QString title;
        uitest::WhenModalOpens([&](QWidget* modal) {
            width = modal->width();
            title = modal->windowTitle();
            QFont font = modal->font();
            font.setBold(true);
            font.setPointSizeF(font.pointSizeF() * 1.2);
            titleRoom = QFontMetricsF(font).horizontalAdvance(title) + 150;
            static_cast<QDialog*>(modal)->reject();
        });
        if (row.style == kInput) {
            rt.InputBox(row.prompt, row.title, "0");
        } else {
            rt.MsgBox(row.prompt, row.style, row.title);
        }
        EXPECT_EQ(title, QString::fromLatin1(row.title));
        EXPECT_GE(width, titleRoom) << row.title;
    }
}

using uitest::HostedForm;

TEST_F(HostedForm, MessageBoxAnswersAndHoldsTheTimers) {
    ASSERT_TRUE(timer->SetInterval(2));
    timer->Enabled = true;
    ASSERT_TRUE(QTest::qWaitFor([this] { return ticks >= 2; }, 2000));

    int ticksAtOpen = -1;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    uitest::WhenModalOpens([&](QWidget* modal) {
        auto* box = static_cast<QMessageBox*>(modal);
        ticksAtOpen = ticks;
        text = box->text();
        icon = box->icon();
        // Open long enough for the timer to be due many times over.
        QTimer::singleShot(80, box, [box] { box->button(QMessageBox::No)->click(); });
    });
    const int before = ticks;
    const int answer = rt.MsgBox("<Juego en curso>\r\nQuit?", vb::vbYesNo + vb::vbExclamation, "Nuvik3t");
    EXPECT_EQ(answer, vb::vbNo);
    EXPECT_EQ(ticksAtOpen, before);
    EXPECT_EQ(ticks, before);
    // Text, never markup; one line break.
    EXPECT_EQ(text, QStringLiteral("<Juego en curso>\nQuit?"));
    EXPECT_EQ(icon, QMessageBox::Warning);
    // And the timer ticks again afterwards.
    EXPECT_TRUE(QTest::qWaitFor([this, before] { return ticks > before; }, 2000));

    uitest::WhenModalOpens([](QWidget* modal) {
        static_cast<QMessageBox*>(modal)->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(rt.MsgBox("Saved", vb::vbInformation, ""), vb::vbOK);
}

// Two boxes of one procedure stand over its window, also when the window
// manager has not yet given the window back its activation after the first.
TEST_F(HostedForm, BoxesStandOverTheWindowOfTheProcedure) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    std::vector<QWidget*> owners;
    const auto answer = [&owners](QWidget* modal) {
        owners.push_back(modal->parentWidget());
        static_cast<QMessageBox*>(modal)->button(QMessageBox::No)->click();
    };
    uitest::WhenModalOpens(answer);
    rt.MsgBox("First?", vb::vbYesNo + vb::vbExclamation, "RESET");
    ASSERT_EQ(QApplication::activeWindow(), nullptr) << "the closed box left a window active";
    uitest::WhenModalOpens(answer);
    rt.MsgBox("Second?", vb::vbYesNo + vb::vbExclamation, "RESET - Window size");
    EXPECT_EQ(owners, (std::vector<QWidget*>{window, window}));
}

TEST_F(HostedForm, InputBoxGivesTheTypedTextOrNothing) {
    ASSERT_TRUE(timer->SetInterval(2));
    timer->Enabled = true;
    ASSERT_TRUE(QTest::qWaitFor([this] { return ticks >= 1; }, 2000));

    QString shownDefault;
    int ticksAtOpen = -1;
    uitest::WhenModalOpens([&](QWidget* modal) {
        auto* dialog = static_cast<QInputDialog*>(modal);
        shownDefault = dialog->textValue();
        ticksAtOpen = ticks;
        dialog->setTextValue(QStringLiteral("12"));
        QTimer::singleShot(40, dialog, [dialog] { dialog->accept(); });
    });
    const int before = ticks;
    EXPECT_EQ(rt.InputBox("Lab number?", "Load", "7"), "12");
    EXPECT_EQ(shownDefault, QStringLiteral("7"));
    EXPECT_EQ(ticksAtOpen, before);
    EXPECT_EQ(ticks, before);

    uitest::WhenModalOpens([](QWidget* modal) { static_cast<QInputDialog*>(modal)->reject(); });
    EXPECT_EQ(rt.InputBox("Lab number?", "Load", "7"), "");
}

} // namespace
