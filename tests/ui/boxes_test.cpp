// Modal boxes: the forms runtime's styles and answers, and no game timer
// ticking while one is open.
#include <gtest/gtest.h>

#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

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
