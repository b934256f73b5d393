// The main window's logic in a whole dialog run of the plug-in, over a scripted window: the
// states it starts with, drags made with the mouse that key the image exactly as the same
// drags replayed on the engine, the history commands with their question, views, blends, the
// alpha command, zoom mode, the progress bar, the tuning dialog and the colour chooser, and OK
// and Cancel.
#include <functional>
#include <initializer_list>

#include "key_fixture.h"
#include "plugin_fixture.h"
#include "scripted_window.h"
#include "ui/command_ids.h"
#include "ui/tuning_dialog_ids.h"
#include "ui/ui_strings.h"

namespace velokrom::testing {
namespace {

class MainWindowRun : public PluginTest {
protected:
    // A dialog run on image over neutral grey whose window script drives; the window closes after it.
    int16_t run(const std::function<void(FilterPlugin&)>& script) {
        return interact(image, [&](FilterPlugin& plugin) {
            const ScreenSize screen = platform.screenSize();
            plugin.attachWindow(scripted, DragTrailMask(plugin.dragTrailBits, screen.width, screen.height));
            plugin.windowBuilt();
            plugin.windowShown();
            script(plugin);
            plugin.windowClosed();
        });
    }
    // A drag with the mouse over image pixels (zoom 1, unscrolled): press, moves, release.
    static void drag(FilterPlugin& plugin, const std::vector<DragPoint>& pixels) {
        DisplayView& view = *plugin.displayView();
        const DisplayRect& dest = view.destRect();
        view.leftButtonDown(dest.left + pixels.front().x, dest.top + pixels.front().y);
        for (size_t i = 1; i < pixels.size(); ++i) view.mouseMoved(dest.left + pixels[i].x, dest.top + pixels[i].y);
        view.leftButtonUp(dest.left + pixels.back().x, dest.top + pixels.back().y);
    }
    static std::vector<DragPoint> row(int32_t y, int32_t x0, int32_t x1) {
        std::vector<DragPoint> points;
        for (int32_t x = x0; x <= x1; ++x) points.push_back({x, y});
        return points;
    }
    // The display as the window system shows it: painted again only when the logic has
    // invalidated it since the last look.
    const std::vector<uint8_t>& shown(FilterPlugin& plugin) {
        const int asked = scripted.invalidations + scripted.erasingInvalidations;
        if (asked != painted) plugin.displayView()->paint(nullptr);
        painted = asked;
        return host.screen();
    }
    ScriptedCommandState& state(int32_t id) { return scripted.states.states[id]; }
    // The commands' menu items and buttons all greyed, or all enabled.
    void expectGreyed(std::initializer_list<int32_t> ids, bool greyed) {
        for (int32_t id : ids) {
            EXPECT_EQ(state(id).menuEnabled, !greyed) << id;
            EXPECT_EQ(state(id).button, greyed ? ButtonState::Greyed : ButtonState::Enabled) << id;
        }
    }

    ScriptedWindow scripted{300, 200};
    HostImage image = greenScreen(40, 30);
    int painted = -1;
};

TEST_F(MainWindowRun, StartsWithTheRefiningCommandsAndHistoryGreyedAndTheDragHint) {
    scripted.states.states.clear();  // plain enabled buttons: what shows is the start's doing
    EXPECT_EQ(run([&](FilterPlugin& plugin) {
                  // The toolbar is built in the states the start then gives its buttons.
                  size_t count = 0;
                  const ToolbarSlot* slots = toolbarSlots(count);
                  for (size_t i = 0; i < count; ++i) {
                      if (slots[i].style == ButtonStyle::Separator) continue;
                      EXPECT_EQ(state(slots[i].commandId).button, slots[i].initialState) << slots[i].commandId;
                  }
                  expectGreyed({IDM_SELECT_BACKGROUND, IDM_SELECT_FOREGROUND, IDM_TUNE_COLORS, IDM_UNDO, IDM_REDO,
                                IDM_RESET}, true);
                  EXPECT_FALSE(state(IDM_RETURN_TO_MARK).menuEnabled);
                  EXPECT_FALSE(state(IDM_MATTE_TO_ALPHA).menuEnabled);  // three planes
                  EXPECT_TRUE(state(IDM_BLEND_DEFOCUSED).menuChecked);
                  EXPECT_TRUE(state(IDM_AUTO_SETUP).menuChecked && state(IDM_VIEW_COMPOSITE).menuChecked);
                  EXPECT_EQ(scripted.statusText, std::string(uiString(IDS_HINT_AUTO_SETUP)));
                  EXPECT_EQ(plugin.displayView()->destRect().left, (301 - 40) / 2);
                  plugin.handleCommand(IDM_CANCEL);
              }),
              1);
    EXPECT_EQ(scripted.runsEnded, 1);
}

TEST_F(MainWindowRun, MouseDragsKeyAsTheSameDragsReplayedAndOkRendersThatKey) {
    const HostImage source = image;
    const std::vector<DragPoint> backing = row(0, 0, 12), subject = row(15, 14, 26);
    EXPECT_EQ(run([&](FilterPlugin& plugin) {
                  drag(plugin, backing);
                  expectGreyed({IDM_SELECT_FOREGROUND, IDM_TUNE_COLORS, IDM_UNDO}, false);
                  plugin.handleCommand(IDM_SELECT_FOREGROUND);
                  EXPECT_TRUE(scripted.states.buttonChecked(IDM_SELECT_FOREGROUND));
                  EXPECT_FALSE(scripted.states.buttonChecked(IDM_AUTO_SETUP));
                  EXPECT_EQ(scripted.statusText, std::string(uiString(IDS_HINT_SELECT_FOREGROUND)));
                  drag(plugin, subject);
                  plugin.handleCommand(IDM_BLEND_DIRECT);
                  plugin.handleCommand(IDM_OK);
              }),
              noErr);
    // The same drags on the command-line keyer's engine.
    clearKeyModel();
    MemoryImageAccess engine(rgbOf(source), RgbImage(source.width, source.height, 127));
    engine.keyOperation = kAutoSetup;
    replayDrag(engine, backing);
    engine.keyOperation = kSelectForeground;
    replayDrag(engine, subject);
    const KeyModelRecord key = saveLiveKey();
    EXPECT_EQ(rgbOf(image).pixels, expectedComposite(rgbOf(source), RgbImage(), key, kBlendDirect, true).pixels);
    EXPECT_NE(rgbOf(image).pixels, rgbOf(source).pixels);
    // OK stored the run's settings for a repeat.
    EXPECT_EQ(parameterBytes(), savedParameterBlock(key, {kBackgroundNeutralGray, kBlendDirect}));
    // Parameters, prepare, start, finish: no continue, since start asked for nothing more.
    ASSERT_EQ(host.calls().size(), 4u);
    EXPECT_EQ(host.calls()[3].selector, filterSelectorFinish);
}

// Each step also shows its key: the display is repainted with what it showed at that key.
TEST_F(MainWindowRun, HistoryCommandsStepThroughDragsAndResetAsksFirst) {
    EXPECT_EQ(run([&](FilterPlugin& plugin) {
                  const std::vector<uint8_t> unkeyed = shown(plugin);
                  drag(plugin, row(0, 0, 12));
                  const std::vector<uint8_t> marked = shown(plugin);
                  plugin.handleCommand(IDM_MARK_SETTINGS);
                  EXPECT_TRUE(state(IDM_RETURN_TO_MARK).menuEnabled);
                  plugin.handleCommand(IDM_SELECT_BACKGROUND);
                  drag(plugin, row(15, 14, 26));
                  const std::vector<uint8_t> lastShown = shown(plugin);
                  ASSERT_TRUE(lastShown != marked && marked != unkeyed) << "each drag changed the picture";
                  const HistorySnapshot* last = plugin.history().current();
                  plugin.handleCommand(IDM_UNDO);
                  EXPECT_TRUE(shown(plugin) == marked) << "Undo";
                  expectGreyed({IDM_REDO}, false);
                  plugin.handleCommand(IDM_REDO);
                  EXPECT_TRUE(shown(plugin) == lastShown) << "Redo";
                  EXPECT_EQ(plugin.history().current(), last);
                  EXPECT_FALSE(state(IDM_REDO).menuEnabled);

                  scripted.answers = {false, true};
                  plugin.handleCommand(IDM_RESET);  // No: nothing changes
                  EXPECT_EQ(plugin.history().current(), last);
                  plugin.handleCommand(IDM_RESET);  // Yes: back to the key the run began with
                  EXPECT_EQ(plugin.history().current(), plugin.history().first());
                  EXPECT_TRUE(shown(plugin) == unkeyed) << "Reset answered Yes";
                  EXPECT_EQ(scripted.beeps, 2);
                  ASSERT_EQ(scripted.questions.size(), 2u);
                  EXPECT_EQ(scripted.questions[0].rfind(uiString(IDS_ASK_RESET_CAPTION), 0), 0u);
                  expectGreyed({IDM_UNDO, IDM_RESET}, true);
                  expectGreyed({IDM_REDO}, false);

                  plugin.handleCommand(IDM_RETURN_TO_MARK);
                  EXPECT_EQ(plugin.history().current(), plugin.history().marked());
                  EXPECT_TRUE(shown(plugin) == marked) << "Return to Mark";
                  expectGreyed({IDM_UNDO, IDM_REDO, IDM_RESET}, false);
                  EXPECT_TRUE(plugin.keyReady);  // stepping back never greys the refining commands
              }),
              1);
}

TEST_F(MainWindowRun, ViewsCheckOneAndBlendsRecomputeWithAHistoryEntryEachTime) {
    run([&](FilterPlugin& plugin) {
        for (int32_t view = 0; view < 4; ++view) {
            const int renders = scripted.waits;
            plugin.handleCommand(IDM_VIEW_COMPOSITE + view);
            EXPECT_EQ(plugin.viewMode, view);
            EXPECT_GT(scripted.waits, renders);  // redrawn under the wait cursor
            for (int32_t other = 0; other < 4; ++other)
                EXPECT_EQ(state(IDM_VIEW_COMPOSITE + other).menuChecked, other == view) << view << other;
            EXPECT_TRUE(scripted.states.buttonChecked(IDM_VIEW_COMPOSITE + view));
        }
        for (BlendMode blend : {kBlendDirect, kBlendSolidColor, kBlendSolidColor, kBlendDefocused}) {
            const int32_t entries = plugin.history().count();
            plugin.handleCommand(IDM_BLEND_DIRECT + blend);
            EXPECT_EQ(plugin.blendMode, blend);
            EXPECT_EQ(plugin.history().count(), entries + 1);
            for (int32_t other = 0; other < 3; ++other)
                EXPECT_EQ(state(IDM_BLEND_DIRECT + other).menuChecked, other == blend);
        }
    });
}

TEST_F(MainWindowRun, TuningDragsOpenTheDialogAnotherOperationClosesItAndSelectColorRecomposites) {
    const std::vector<DragPoint> subject = row(15, 14, 26);
    KeyModelRecord lastSliders{};
    EXPECT_EQ(run([&](FilterPlugin& plugin) {
                  drag(plugin, row(0, 0, 12));
                  plugin.handleCommand(IDM_TUNE_COLORS);
                  drag(plugin, subject);
                  EXPECT_EQ(scripted.tuning.calls, (std::vector<std::string>{"create", "reset"}));
                  plugin.handleCommand(IDM_TUNE_COLORS);
                  EXPECT_TRUE(plugin.tuningDialog()->isOpen()) << "choosing tuning again keeps it";
                  plugin.handleCommand(IDM_SELECT_BACKGROUND);
                  EXPECT_FALSE(plugin.tuningDialog()->isOpen());  // closed: its own test shows what that undoes

                  plugin.handleCommand(IDM_BLEND_SOLID);
                  scripted.chooser.answer = 0x000000FF;
                  plugin.handleCommand(IDM_SELECT_COLOR);
                  plugin.handleCommand(IDM_SELECT_COLOR);
                  EXPECT_EQ(scripted.chooser.owners, std::vector<WindowHandle>(2, ScriptedWindow::kMainWindow));
                  EXPECT_EQ(scripted.chooser.offeredCustom[0], greyRampColors());
                  EXPECT_EQ(scripted.chooser.offeredCustom[0][15], 0x00FFFFFFu);
                  EXPECT_EQ(scripted.chooser.offeredCustom[1][3], 0x00336699u) << "kept from the first choice";

                  // OK with the dialog open renders the sliders' last settings.
                  plugin.handleCommand(IDM_TUNE_COLORS);
                  drag(plugin, subject);
                  const KeyModelRecord atDrag = saveLiveKey();
                  plugin.tuningDialog()->scroll(IDC_TUNE_DECOLOR, ScrollRequest::Bottom, 0);
                  lastSliders = saveLiveKey();
                  EXPECT_FALSE(sameKey(lastSliders, atDrag));
                  plugin.handleCommand(IDM_OK);
              }),
              noErr);
    EXPECT_TRUE(sameKey(parameters().keyModel(), lastSliders));
}

TEST_F(MainWindowRun, TheAlphaCommandAsksToTurnOnNeverToTurnOffAndOkStoresIt) {
    image = greenScreen(40, 30, 4);
    EXPECT_EQ(run([&](FilterPlugin& plugin) {
                  EXPECT_TRUE(state(IDM_MATTE_TO_ALPHA).menuEnabled);
                  scripted.answers = {false, true};
                  plugin.handleCommand(IDM_MATTE_TO_ALPHA);
                  EXPECT_FALSE(plugin.writeMatteToAlpha);
                  plugin.handleCommand(IDM_MATTE_TO_ALPHA);
                  EXPECT_TRUE(plugin.writeMatteToAlpha);
                  EXPECT_TRUE(state(IDM_MATTE_TO_ALPHA).menuChecked);
                  plugin.handleCommand(IDM_MATTE_TO_ALPHA);  // off without a question
                  EXPECT_EQ(scripted.questions.size(), 2u);
                  EXPECT_FALSE(state(IDM_MATTE_TO_ALPHA).menuChecked);
                  scripted.answers = {true};
                  plugin.handleCommand(IDM_MATTE_TO_ALPHA);
                  plugin.handleCommand(IDM_OK);
              }),
              noErr);
    EXPECT_TRUE(parameters().writeMatteToAlpha());
}

TEST_F(MainWindowRun, ZoomModeClicksZoomAndDefaultSizeAndARightClickEndIt) {
    run([&](FilterPlugin& plugin) {
        plugin.handleCommand(IDM_ZOOM_MODE);
        EXPECT_TRUE(plugin.zoomMode);
        EXPECT_TRUE(state(IDM_ZOOM_MODE).menuChecked);
        EXPECT_EQ(state(IDM_ZOOM_MODE).button, ButtonState::Checked);
        EXPECT_EQ(scripted.statusText, std::string(uiString(IDS_HINT_ZOOM)));
        DisplayView& view = *plugin.displayView();
        view.leftButtonDown(view.destRect().left + 20, view.destRect().top + 15);
        EXPECT_EQ(plugin.zoomFactor, 2.0);
        EXPECT_EQ(plugin.display.columns, 80);
        EXPECT_TRUE(plugin.altKey(true, view.destRect().left + 5, view.destRect().top + 5));
        EXPECT_EQ(scripted.cursor, CursorShape::ZoomOut);
        EXPECT_FALSE(plugin.altKey(true, 0, 0));  // off the image the menu bar gets Alt
        plugin.handleCommand(IDM_DEFAULT_SIZE);
        EXPECT_EQ(plugin.zoomFactor, 1.0);
        EXPECT_EQ(view.sourceRect().left, 0);
        view.rightButtonDown(false, false, false);
        EXPECT_FALSE(plugin.zoomMode);
        EXPECT_EQ(state(IDM_ZOOM_MODE).button, ButtonState::Enabled);
        EXPECT_EQ(scripted.cursor, CursorShape::Arrow);
    });
}

} // namespace
} // namespace velokrom::testing
