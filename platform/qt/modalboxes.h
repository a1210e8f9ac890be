#pragma once
// The message box and the input box, with the forms runtime's styles and
// answers.
#include <QMessageBox>
#include <string>
#include <vector>

class QWidget;

namespace vb::host {

struct BoxButton {
    QMessageBox::StandardButton button;
    int answer;   // what MsgBox returns when it is pressed
};

// The buttons of a style (its lowest three bits), in order.
std::vector<BoxButton> BoxButtons(int style);
// The icon of a style (critical 16, question 32, exclamation 48, information 64).
QMessageBox::Icon BoxIcon(int style);
// The answer when the box is dismissed without a button (Esc, its close box,
// or after the program has ended): Cancel when there is one, else No, else
// the only button.
int EscapeAnswer(int style);
// Whether the box has a way out, Cancel or OK alone: only then do Esc and
// its close box answer it. A question without Cancel waits for one of its
// buttons.
bool HasWayOut(int style);

int RunMessageBox(QWidget* parent, const std::string& prompt, int style, const std::string& title);
// The typed text; empty when cancelled.
std::string RunInputBox(QWidget* parent, const std::string& prompt, const std::string& title,
                        const std::string& defaultText);

} // namespace vb::host
