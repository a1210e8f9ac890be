#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>

#include "platform/forms.h"
#include "platform/scripted_runtime.h"

namespace {

struct Recorder : vb::FormListener {
    std::vector<std::pair<std::string, vb::PropId>> changes;
    void propertyChanged(vb::Control& c, vb::PropId id) override { changes.emplace_back(c.Name(), id); }
};

struct SmallForm : vb::Form {
    explicit SmallForm(vb::Runtime& rt) : vb::Form(rt, "frmSmall") {}
};

TEST(Forms, PropertyChangesReachTheListenerOnlyWhenTheValueChanges) {
    vb::ScriptedRuntime rt;
    // Declared before the form, which tells its listener when it goes.
    Recorder rec;
    SmallForm f(rt);
    f.SetListener(&rec);
    auto& frame = f.Add<vb::Frame>("fraA");
    auto& label = frame.Add<vb::Control>(vb::ControlKind::Label, "lblA");
    label.Caption = std::string("x");
    label.Caption = std::string("x");
    label.Visible = false;
    ASSERT_EQ(rec.changes.size(), 2u);
    EXPECT_EQ(rec.changes[0].first, "lblA");
    EXPECT_EQ(rec.changes[1].second, vb::PropId::Visible);
    EXPECT_EQ(label.Parent(), &frame);
    EXPECT_EQ(label.OwnerForm(), &f);
    EXPECT_EQ(f.AllControls().size(), 2u);
}

TEST(Forms, ChildrenMadeLaterTakeTheirReservedPlacesWhenFirstAskedFor) {
    vb::ScriptedRuntime rt;
    SmallForm f(rt);
    auto& frame = f.Add<vb::Frame>("fraA");
    int made = 0;
    vb::ControlArray cells;
    const auto block = [&](const char* name, int count, vb::ControlArray* into) {
        frame.AddLater([&frame, &made, name, count, into] {
            ++made;
            for (int i = 0; i < count; ++i) {
                auto& c = frame.Add<vb::Control>(vb::ControlKind::Image, name, i);
                if (into != nullptr) {
                    into->Append(c);
                }
            }
        });
    };
    frame.Add<vb::Control>(vb::ControlKind::Label, "first");
    block("early", 2, &cells);
    cells.MadeLaterBy(frame);
    frame.Add<vb::Control>(vb::ControlKind::Label, "middle");
    block("late", 1, nullptr);
    frame.Add<vb::Control>(vb::ControlKind::Label, "last");
    EXPECT_EQ(made, 0);
    EXPECT_EQ(f.AllControls().size(), 4u);   // made so far

    // Asking the array makes every block of its container, each in its place.
    EXPECT_EQ(cells.Count(), 2);
    EXPECT_EQ(made, 2);
    std::string order;
    for (const vb::Control* c : frame.Children()) {
        order += c->Name() + (c->Index() >= 0 ? std::to_string(c->Index()) : "") + " ";
    }
    EXPECT_EQ(order, "first early0 early1 middle late0 last ");
    EXPECT_EQ(&cells(1), frame.Children()[2]);
    EXPECT_EQ(cells(1).OwnerForm(), &f);
    frame.Children();
    EXPECT_EQ(made, 2);   // once only
}

TEST(Forms, AControlMadeLaterMustBeAnImageOrALabel) {
    vb::ScriptedRuntime rt;
    SmallForm f(rt);
    f.AddLater([&f] { f.Add<vb::Timer>("Timer1"); });
    EXPECT_THROW(f.Children(), std::logic_error);
}

TEST(Forms, CheckBoxRaisesClickWheneverItsValueChanges) {
    vb::ScriptedRuntime rt;
    SmallForm f(rt);
    auto& chk = f.Add<vb::Control>(vb::ControlKind::CheckBox, "chkA");
    int clicks = 0;
    chk.Click = [&] { ++clicks; };
    chk.Value = std::int16_t{1};
    chk.Value = std::int16_t{1};
    chk.Value = std::int16_t{0};
    EXPECT_EQ(clicks, 2);
}

TEST(Forms, TimerRefusesIntervalsOutsideItsRangeAndTicksOnlyWhenActive) {
    vb::Timer t("Timer1");
    int ticks = 0;
    t.Tick = [&] { ++ticks; };
    EXPECT_TRUE(t.SetInterval(240));
    EXPECT_FALSE(t.SetInterval(-1));
    EXPECT_FALSE(t.SetInterval(65536));
    EXPECT_EQ(t.Interval(), 240);
    EXPECT_FALSE(t.Fire());  // disabled
    t.Enabled = true;
    EXPECT_TRUE(t.Fire());
    EXPECT_TRUE(t.SetInterval(0));
    EXPECT_FALSE(t.Fire());  // interval 0 never ticks
    EXPECT_EQ(ticks, 1);
}

TEST(Forms, TimerIntervalRoundsHalfToEvenBeforeTheRangeCheck) {
    const struct { double ms; int32_t interval; } taken[] = {
        {240.7, 241}, {240.5, 240}, {241.5, 242}, {65535.4, 65535}, {-0.4, 0}, {0.5, 0},
    };
    for (const auto& c : taken) {
        vb::Timer t("Timer1");
        EXPECT_TRUE(t.SetInterval(c.ms)) << c.ms;
        EXPECT_EQ(t.Interval(), c.interval) << c.ms;
    }
    for (const double ms : {65535.6, -0.6, 65536.0, std::nan("")}) {
        vb::Timer t("Timer1");
        ASSERT_TRUE(t.SetInterval(7));
        EXPECT_FALSE(t.SetInterval(ms)) << ms;
        EXPECT_EQ(t.Interval(), 7) << ms;
    }
}

TEST(Forms, MinimisedOrMaximisedWindowRefusesBoundsAndSizeRaisesResize) {
    vb::ScriptedRuntime rt;
    SmallForm f(rt);
    int resizes = 0;
    f.Resize = [&] { ++resizes; };
    EXPECT_TRUE(f.SetWidth(11415));
    EXPECT_TRUE(f.SetLeft(255));
    EXPECT_EQ(resizes, 1);
    f.WindowState = std::int16_t{2};
    EXPECT_FALSE(f.SetWidth(5000));
    EXPECT_FALSE(f.SetTop(10));
    EXPECT_EQ(f.Width.get(), 11415.0f);
    f.HostBoundsChanged(0, 0, 20000, 9000);
    EXPECT_EQ(resizes, 2);
}

TEST(Forms, ShowLoadsOnceUntilTheUserClosesTheWindow) {
    vb::ScriptedRuntime rt;
    SmallForm f(rt);
    int loads = 0;
    f.Load = [&] { ++loads; };
    f.Show();
    f.Show();
    EXPECT_EQ(loads, 1);
    f.HostClosed();
    EXPECT_FALSE(f.IsLoaded());
    f.Show();
    EXPECT_EQ(loads, 2);
    EXPECT_EQ(rt.shown.size(), 3u);
}

TEST(ScriptedRuntime, HandsOutScriptedValuesAndAnswersThenDefaults) {
    vb::ScriptedRuntime rt;
    rt.rnd.Push({0.25f, 0.75f});
    EXPECT_EQ(rt.Rnd(), 0.25f);
    EXPECT_EQ(rt.Rnd(), 0.75f);
    const float next = rt.Rnd();
    EXPECT_GE(next, 0.0f);
    EXPECT_LT(next, 1.0f);
    EXPECT_EQ(rt.rnd.Draws(), 3);
    rt.answers.push_back(vb::vbNo);
    EXPECT_EQ(rt.MsgBox("q", 52, "t"), vb::vbNo);
    EXPECT_EQ(rt.MsgBox("q", 52, "t"), vb::vbYes);
    EXPECT_EQ(rt.InputBox("p", "t", "0"), "");
    EXPECT_FALSE(rt.folder.empty());
}

} // namespace
