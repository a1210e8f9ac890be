#include <gtest/gtest.h>

#include <string>

#include "platform/scripted_runtime.h"
#include "windows/frmKLWRP.h"

namespace {

class TitleRuntime : public vb::ScriptedRuntime {
public:
    std::string title;
    std::string ResourceText(const std::string& path) override {
        return path == ":/text/dedication.txt" ? title : ScriptedRuntime::ResourceText(path);
    }
};

TEST(PictureWindow, CaptionIsTheDedicationTitleWithoutItsLineBreak) {
    for (const char* stored : {"For the stars", "For the stars\n", "For the stars\r\n"}) {
        TitleRuntime rt;
        rt.title = stored;
        frmKLWRP k(rt);
        EXPECT_EQ(k.Caption.get(), "For the stars KLWRP - Nuvik3t") << stored;
    }
}

TEST(PictureWindow, ThePictureIsTheWindowsOwnAndThereAreNoControls) {
    vb::ScriptedRuntime rt;
    frmKLWRP k(rt);
    EXPECT_EQ(k.Picture, ":/pictures/dedication.jpg");
    EXPECT_EQ(k.Icon, ":/icon/nuvik3t.ico");
    EXPECT_EQ(k.ClientWidth, 15240.0f);
    EXPECT_EQ(k.ClientHeight, 11010.0f);
    EXPECT_TRUE(k.Children().empty());
    k.Show();
    ASSERT_EQ(rt.shown.size(), 1u);
    EXPECT_EQ(rt.shown[0], &k);
}

} // namespace
