// The about box and the start checks that tell the user why the filter cannot run, as the
// library shows them. (The selectors' answers are the host tests' own; they run under Wine too.)
#include <gtest/gtest.h>
#include <windows.h>

#include "plugin_under_wine.h"
#include "ui_driver_win32.h"

namespace velokrom::winetest {
namespace {

using namespace vkhost;

TEST_F(PluginUnderWine, AboutBoxNamesTheProductAndIsOwnedByTheHostWindow) {
    int16_t result = -1;
    withUser([&] { result = host->about(reinterpret_cast<intptr_t>(window.handle())); },
             [&] {
                 HWND box = waitForMessageBox();
                 ASSERT_NE(box, nullptr);
                 EXPECT_EQ(GetWindow(box, GW_OWNER), window.handle());
                 EXPECT_EQ(dialogText(box).rfind("Velokrom 1.0", 0), 0u) << dialogText(box);
                 EXPECT_EQ(GetDlgItem(box, IDNO), nullptr) << "only an OK button";
                 requestScreenshot(box, "about");
                 EXPECT_TRUE(answerAndWait(box, IDOK));
             });
    EXPECT_EQ(result, 0);
}

// Which check says what is the host tests' own (tests/host/start_checks_test.cpp): here one of
// them reaches the user as the real box.
TEST_F(PluginUnderWine, AStartCheckTellsTheUserWithAStopBoxWithoutOwner) {
    HostImage image = greenScreen(8, 8);
    HostOptions floating = options();
    floating.floating = true;
    int16_t result = 0;
    withUser([&] { result = host->runFilter(image, floating, true); },
             [&] {
                 HWND box = waitForMessageBox();
                 ASSERT_NE(box, nullptr);
                 EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
                 EXPECT_EQ(dialogText(box), "Sorry, Velokrom does not work with floating selections.");
                 requestScreenshot(box, "floating-selection");
                 EXPECT_TRUE(answerAndWait(box, IDOK));
             });
    EXPECT_EQ(result, 1);
}

} // namespace
} // namespace velokrom::winetest
