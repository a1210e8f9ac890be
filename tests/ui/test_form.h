#pragma once
// A small form hosted for real: a button, a text box, a check box, a label,
// two overlapping images, a framed panel with the default button and a
// multi-line text box, and a timer. Every procedure records what it saw.
#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>
#include <cstdint>
#include <vector>

#include "platform/forms.h"
#include "platform/qt/qtruntime.h"

namespace uitest {

class HostedForm : public ::testing::Test {
protected:
    void SetUp() override {
        using vb::ControlKind;
        form.Caption = std::string("Test window");
        form.ClientWidth = 4500;   // 300 x 200 pixels
        form.ClientHeight = 3000;
        form.BackColor = vb::Rgb(0, 0, 64);
        form.ScaleUnitX = 30;      // two pixels to a unit
        form.ScaleUnitY = 30;

        go = &vb::Place(form.Add<vb::Control>(ControlKind::CommandButton, "cmdGo"), 5, 5, 40, 15, 2);
        go->Caption = std::string("&Go");
        name = &vb::Place(form.Add<vb::Control>(ControlKind::TextBox, "txtName"), 5, 25, 40, 12, 1);
        check = &vb::Place(form.Add<vb::Control>(ControlKind::CheckBox, "chkOpt"), 50, 5, 40, 10, 3);
        check->Caption = std::string("&Option");
        info = &vb::Place(form.Add<vb::Control>(ControlKind::Label, "lblInfo"), 50, 25, 40, 10);
        info->Caption = std::string("Info");
        info->BackColor = vb::Rgb(192, 192, 192);
        cell0 = &vb::Place(form.Add<vb::Control>(ControlKind::Image, "imgCell", 0), 100, 5, 20, 20);
        cell1 = &vb::Place(form.Add<vb::Control>(ControlKind::Image, "imgCell", 1), 110, 5, 20, 20);

        panel = &form.Add<vb::Frame>("fraPanel");
        vb::Place(*panel, 5, 50, 140, 45, 4);
        panel->Caption = std::string("Panel");
        panel->Border = true;
        ok = &vb::Place(panel->Add<vb::Control>(ControlKind::CommandButton, "cmdOk"), 150, 300, 1200,
                    375, 0);
        ok->Caption = std::string("OK");
        ok->Default = true;
        notes = &vb::Place(panel->Add<vb::Control>(ControlKind::TextBox, "txtNotes"), 1500, 300, 2400,
                       900, 1);
        notes->MultiLine = true;
        timer = &form.Add<vb::Timer>("tmrTick");

        form.KeyPress = [this](std::int16_t& key) {
            keys.push_back(key);
            if (key == cancelKey) {
                key = 0;
            }
        };
        form.Resize = [this] { ++resizes; };
        go->Click = [this] { ++goClicks; };
        ok->Click = [this] { ++okClicks; };
        check->Click = [this] { checkValues.push_back(check->Value); };
        cell0->Click = [this] { imageClicks.push_back(0); };
        cell1->Click = [this] { imageClicks.push_back(1); };
        timer->Tick = [this] { ++ticks; };

        form.Show();
        window = rt.WindowOf(form);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        // The first report of the window's bounds.
        ASSERT_TRUE(QTest::qWaitFor([this] { return form.Width > 0; }, 2000));
        resizes = 0;
    }

    template <class W>
    W* widget(const char* objectName) const {
        return window->findChild<W*>(QString::fromLatin1(objectName));
    }

    vb::QtRuntime rt;
    vb::Form form{rt, "frmTest"};
    vb::Control* go = nullptr;
    vb::Control* name = nullptr;
    vb::Control* check = nullptr;
    vb::Control* info = nullptr;
    vb::Control* cell0 = nullptr;
    vb::Control* cell1 = nullptr;
    vb::Frame* panel = nullptr;
    vb::Control* ok = nullptr;
    vb::Control* notes = nullptr;
    vb::Timer* timer = nullptr;
    QWidget* window = nullptr;

    std::vector<int> keys;
    int cancelKey = -1;
    int resizes = 0;
    int goClicks = 0;
    int okClicks = 0;
    std::vector<int> checkValues;
    std::vector<int> imageClicks;
    int ticks = 0;
};

} // namespace uitest
