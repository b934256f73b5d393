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

TEST_F(PluginUnderWine, StartChecksTellTheUserWithAStopBoxWithoutOwner) {
    const struct {
        void (*spoil)(HostOptions&);
        const char* text;
    } cases[] = {
        {[](HostOptions& o) { o.floating = true; }, "Sorry, Velokrom does not work with floating selections."},
        {[](HostOptions& o) { o.imageMode = 1; /* greyscale */ }, "Velokrom works with RGB images only."},
        {[](HostOptions& o) { o.offerDisplayPixels = false; },
         "This plug-in requires Adobe Photoshop 2.5.2 or later functionality"},
    };
    for (const auto& c : cases) {
        HostImage image = greenScreen(8, 8);
        HostOptions spoiled = options();
        c.spoil(spoiled);
        int16_t result = 0;
        withUser([&] { result = host->runFilter(image, spoiled, true); },
                 [&] {
                     HWND box = waitForMessageBox();
                     ASSERT_NE(box, nullptr) << c.text;
                     EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
                     EXPECT_EQ(dialogText(box), c.text);
                     if (spoiled.floating) requestScreenshot(box, "floating-selection");
                     EXPECT_TRUE(answerAndWait(box, IDOK));
                 });
        EXPECT_EQ(result, 1) << c.text;
    }
}

} // namespace
} // namespace velokrom::winetest
