// The selectors as a host calls them, the about box, and the start checks that tell the user
// why the filter cannot run.
#include <gtest/gtest.h>
#include <windows.h>

#include "host/parameter_block.h"
#include "host/photoshop_filter.h"
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

TEST_F(PluginUnderWine, RepeatRunAnswersEverySelectorAndUnknownOnesAreRefused) {
    HostImage image = greenScreenShot(24, 12);
    host->restoreParameters(parameterBlockWithKey(image, {}));
    host->record().bufferSpace = 1234;
    EXPECT_EQ(host->runFilter(image, options(), false), 0);
    std::vector<int16_t> selectors;
    for (const SelectorCall& call : host->calls()) {
        selectors.push_back(call.selector);
        EXPECT_EQ(call.result, 0) << "selector " << call.selector;
    }
    EXPECT_EQ(selectors, (std::vector<int16_t>{filterSelectorPrepare, filterSelectorStart, filterSelectorFinish}))
        << "the start call asks for nothing more";
    EXPECT_EQ(host->record().bufferSpace, 0);

    const std::vector<uint8_t> before = host->parameterBytes(kParameterBlockSize);
    EXPECT_EQ(host->callSelector(6), filterBadParameters);
    EXPECT_EQ(host->callSelector(-1), filterBadParameters);
    EXPECT_EQ(host->parameterBytes(kParameterBlockSize), before);
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
        HostImage image = greenScreenShot(8, 8);
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
