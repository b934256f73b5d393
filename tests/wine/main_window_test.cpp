// The real main window in the real library under Wine, driven from a second thread with real
// mouse and keyboard input as a person would: its size and parts, an Auto Setup drag whose
// inverted trail is read back from the screen and erased on release, the refining commands
// coming alive, the keyed composite shown, each view, a key saved through the system's save
// dialog and loaded back through its open dialog, and OK and Cancel.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "host/parameter_block.h"
#include "host_images.h"
#include "image_files.h"
#include "plugin_under_wine.h"
#include "scratch_folder.h"
#include "ui/command_ids.h"
#include "ui/display_geometry.h"
#include "ui/ui_strings.h"
#include "ui/window_layout.h"
#include "ui_driver_win32.h"

namespace velokrom::winetest {
namespace {

using namespace vkhost;

HWND childOfClass(HWND parent, const char* className) { return FindWindowExA(parent, nullptr, className, nullptr); }

class MainWindowUnderWine : public PluginUnderWine {
protected:
    // The main window over neutral grey, with its display window.
    HWND openOverGray() {
        HWND main = startOverGray();
        if (main) display = childOfClass(main, DISPLAY_WINDOW_CLASS);
        return main;
    }
    // The screen point of image pixel (column, row) at zoom 1 in the display window.
    POINT screenPointOf(int32_t width, int32_t height, int32_t column, int32_t row) {
        RECT client{};
        GetClientRect(display, &client);
        const DisplayRect dest = viewPlacement(client.right, client.bottom, width, height);
        POINT p{dest.left + column, dest.top + row};
        ClientToScreen(display, &p);
        return p;
    }
    static COLORREF screenPixel(POINT p) {
        HDC screen = GetDC(nullptr);
        const COLORREF colour = GetPixel(screen, p.x, p.y);
        ReleaseDC(nullptr, screen);
        return colour;
    }
    static bool menuEnabled(HWND main, int32_t id) {
        return !(GetMenuState(GetMenu(main), static_cast<UINT>(id), MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
    }
    // A drag along row `row` from column x0 to x1 with the real mouse, paced as a hand is: the
    // press is waited for until the display holds the capture (a move sent on its heels lost its
    // trail pixel in about one run in five under Wine), and each move until its trail pixel
    // shows inverted, so that the window sees every one of them. It starts once the display has
    // no paint pending and shows the image along the row: a repaint erases to white first, and a
    // pixel read then is not the one the move inverts.
    void dragAlongRow(int32_t width, int32_t height, int32_t row, int32_t x0, int32_t x1) {
        EXPECT_TRUE(waitUntil([&] {
            if (GetUpdateRect(display, nullptr, FALSE)) return false;
            for (int32_t x = x0; x <= x1; ++x)
                if (screenPixel(screenPointOf(width, height, x, row)) == RGB(255, 255, 255)) return false;
            return true;
        })) << "the view is painted";
        POINT p = screenPointOf(width, height, x0, row);
        SetCursorPos(p.x, p.y);
        mouse(p, MOUSEEVENTF_LEFTDOWN);
        EXPECT_TRUE(waitUntil([&] {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            return GetGUIThreadInfo(GetWindowThreadProcessId(display, nullptr), &info) && info.hwndCapture == display;
        })) << "the press took the capture";
        for (int32_t x = x0 + 1; x <= x1; ++x) {
            p = screenPointOf(width, height, x, row);
            const COLORREF before = screenPixel(p);
            mouse(p, 0);
            EXPECT_TRUE(waitUntil([&] { return screenPixel(p) == (before ^ 0x7F7F7F); }, 2000)) << "trail at " << x;
        }
        trailEnd = p;
        trailEndColour = screenPixel(p);
        mouse(p, MOUSEEVENTF_LEFTUP);
    }

    // The keyboard's focus in window's thread, once it is an edit box inside window (the name
    // box of a file dialog); null after the time limit.
    static HWND waitForEditFocus(HWND window) {
        HWND focus = nullptr;
        vkhost::waitUntil([&] {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return false;
            char name[16] = {};
            GetClassNameA(info.hwndFocus, name, sizeof name);
            focus = info.hwndFocus;
            return IsChild(window, focus) && lstrcmpiA(name, "Edit") == 0;
        });
        return focus;
    }
    static std::wstring wideText(HWND window) {
        wchar_t text[512] = {};
        GetWindowTextW(window, text, 512);
        return text;
    }
    static void key(WORD virtualKey, wchar_t character, DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = virtualKey;
        input.ki.wScan = character;
        input.ki.dwFlags = flags;
        SendInput(1, &input, sizeof input);
    }
    // Types text into the focused name box of a file dialog and waits until the box shows it.
    static void typeInto(HWND nameBox, const std::wstring& text) {
        for (wchar_t c : text) {
            key(0, c, KEYEVENTF_UNICODE);
            key(0, c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP);
        }
        EXPECT_TRUE(waitUntil([&] { return wideText(nameBox) == text; })) << "the name box shows what was typed";
    }
    static void pressEnter() {
        key(VK_RETURN, 0, 0);
        key(VK_RETURN, 0, KEYEVENTF_KEYUP);
    }

    HWND display = nullptr;
    POINT trailEnd{};
    COLORREF trailEndColour = 0;
};

TEST_F(MainWindowUnderWine, ANarrowImageGetsTheToolbarsWidthAndTheWindowItsParts) {
    removeBackgroundFile();
    HostImage image = testing::greenScreen(243, 100);
    const HostImage original = image;
    const int16_t result = runFilter(image, true, [&] {
        HWND main = openOverGray();
        ASSERT_NE(main, nullptr);
        ASSERT_NE(display, nullptr);
        RECT client{}, shown{};
        GetClientRect(main, &client);
        GetClientRect(display, &shown);
        EXPECT_EQ(client.right, 486);
        HWND toolbar = childOfClass(main, TOOLBARCLASSNAMEA);
        HWND status = childOfClass(main, STATUSCLASSNAMEA);
        ASSERT_NE(toolbar, nullptr);
        ASSERT_NE(status, nullptr);
        EXPECT_EQ(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), 25);
        EXPECT_GE(shown.bottom, 200);  // the image area is as much taller as the width ratio
        EXPECT_EQ(GetMenuItemCount(GetMenu(main)), 6);
        EXPECT_EQ(windowText(main), "Velokrom");
        EXPECT_FALSE(menuEnabled(main, IDM_SELECT_BACKGROUND));
        EXPECT_FALSE(menuEnabled(main, IDM_UNDO));
        char text[128] = {};
        SendMessageA(status, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, uiString(IDS_HINT_AUTO_SETUP));
        requestScreenshot(main, "main-window-narrow");
        PostMessageA(main, WM_COMMAND, IDM_CANCEL, 0);
        EXPECT_TRUE(waitUntil([&] { return !IsWindow(main); }));
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(image.pixels, original.pixels);
}

TEST_F(MainWindowUnderWine, AMouseDragDrawsItsTrailKeysTheImageAndOkWritesIt) {
    removeBackgroundFile();
    const HostImage source = testing::greenScreen(120, 80);
    HostImage image = source;
    const int32_t row = 10, x0 = 2, x1 = 16;
    const int16_t result = runFilter(image, true, [&] {
        HWND main = openOverGray();
        ASSERT_NE(main, nullptr);
        SetForegroundWindow(main);
        const POINT start = screenPointOf(120, 80, x0, row);
        // The first view is on the screen (the backing is not the window's white) before the drag.
        const POINT end = screenPointOf(120, 80, x1 + 1, row);
        ASSERT_TRUE(waitUntil([&] {
            return screenPixel(start) != RGB(255, 255, 255) && screenPixel(end) != RGB(255, 255, 255);
        }));
        const COLORREF startColour = screenPixel(start);
        dragAlongRow(120, 80, row, x0, x1);
        // The release erased the trail, and the key the drag made lets the refining commands in.
        EXPECT_TRUE(waitUntil([&] { return menuEnabled(main, IDM_SELECT_BACKGROUND); }));
        EXPECT_TRUE(menuEnabled(main, IDM_UNDO));
        EXPECT_TRUE(waitUntil([&] { return screenPixel(start) != startColour; })) << "the composite shows the keyed backing";
        EXPECT_NE(screenPixel(trailEnd), trailEndColour) << "no trail left on the screen";
        requestScreenshot(main, "main-window-keyed-composite");
        for (int32_t view : {IDM_VIEW_MATTE, IDM_VIEW_FRONT, IDM_VIEW_BACK, IDM_VIEW_COMPOSITE}) {
            PostMessageA(main, WM_COMMAND, static_cast<WPARAM>(view), 0);
            EXPECT_TRUE(waitUntil([&] { return GetMenuState(GetMenu(main), view, MF_BYCOMMAND) & MF_CHECKED; }));
            requestScreenshot(main, "main-window-view-" + std::to_string(view - IDM_VIEW_COMPOSITE));
        }
        PostMessageA(main, WM_COMMAND, IDM_OK, 0);
        EXPECT_TRUE(waitUntil([&] { return !IsWindow(main); }));
    });
    // OK ran the render pass with the key the drag made (which pixels a real drag delivers is
    // the window system's choice; the host tests compare them with a replayed drag exactly).
    ASSERT_EQ(result, 0);
    std::vector<uint8_t> block = host->parameterBytes(kParameterBlockSize);
    EXPECT_TRUE(ParameterBlock(block.data()).stateSaved());
    EXPECT_NE(image.pixels, source.pixels);
}

// The sample picture and the key `velokrom key` saved for the drag below, made natively before
// the Wine run (scripts/run-wine-tests.sh): the same drag must save the same bytes here.
TEST_F(MainWindowUnderWine, AKeySavedThroughTheSaveDialogLoadsBackAfterReset) {
    const char* made = std::getenv("VELOKROM_SETTINGS_FIXTURE");
    ASSERT_NE(made, nullptr) << "VELOKROM_SETTINGS_FIXTURE names the folder scripts/run-wine-tests.sh fills";
    std::string fixture = std::string("Z:") + made;
    for (char& c : fixture)
        if (c == '/') c = '\\';
    const std::vector<uint8_t> expected = testing::ScratchFolder::readBytes(fixture + "\\auto.vkp");
    ASSERT_EQ(expected.size(), 1502u);
    HostImage image = readHostImage(fixture + "\\foreground.ppm", false);
    const int32_t width = image.width, height = image.height;
    // The composite over neutral grey at the drag's first pixel, as the window shows it.
    KeyModelRecord savedKey{}, cleared{};
    std::memcpy(savedKey.bytes, expected.data() + 22, sizeof savedKey.bytes);
    clearKeyModel();
    cleared = saveLiveKey();
    const RgbImage foreground = rgbOf(image);
    auto shownWith = [&](const KeyModelRecord& key) {
        const RgbImage composite = expectedComposite(foreground, foreground, key, kBlendDirect, true);
        const uint8_t* p = composite.at(10, 2);
        return RGB(p[0], p[1], p[2]);
    };

    // A folder named with letters outside ASCII, as under C:\Users\Zoë\Schlüssel.
    testing::ScratchFolder scratch;
    const std::filesystem::path folder = scratch.dir() / L"Zo\u00eb" / L"Schl\u00fcssel";
    std::filesystem::create_directories(folder);
    const std::filesystem::path saved = folder / L"studio.vkp";
    removeBackgroundFile();
    const int16_t result = runFilter(image, true, [&] {
        HWND main = openOverGray();
        ASSERT_NE(main, nullptr);
        SetForegroundWindow(main);
        const POINT start = screenPointOf(width, height, 2, 10), last = screenPointOf(width, height, 17, 10);
        ASSERT_TRUE(waitUntil([&] {
            return screenPixel(start) != RGB(255, 255, 255) && screenPixel(last) != RGB(255, 255, 255);
        })) << "the first view is on the screen";
        dragAlongRow(width, height, 10, 2, 16);  // --auto 2,10:16,10
        ASSERT_TRUE(waitUntil([&] { return menuEnabled(main, IDM_SELECT_BACKGROUND); }));

        PostMessageA(main, WM_COMMAND, IDM_SAVE_SETTINGS, 0);
        HWND save = vkhost::waitForDialog("Save Velokrom Data");
        ASSERT_NE(save, nullptr);
        HWND nameBox = waitForEditFocus(save);
        ASSERT_NE(nameBox, nullptr);
        // The folder first, as a person goes there, then the name without its extension.
        typeInto(nameBox, folder.wstring());
        pressEnter();
        ASSERT_TRUE(waitUntil([&] { return wideText(nameBox).empty(); })) << "the dialog went into the folder";
        typeInto(nameBox, L"studio");
        requestScreenshot(save, "settings-save-dialog");
        pressEnter();
        EXPECT_TRUE(waitUntil([&] { return !IsWindow(save); }));
        ASSERT_TRUE(waitUntil([&] { return std::filesystem::exists(saved); })) << "\".vkp\" added to the typed name";
        EXPECT_EQ(testing::ScratchFolder::readBytes(saved), expected) << "the same bytes as velokrom key's";

        PostMessageA(main, WM_COMMAND, IDM_RESET, 0);
        HWND ask = vkhost::waitForDialog(uiString(IDS_ASK_RESET_CAPTION));
        ASSERT_NE(ask, nullptr);
        ASSERT_TRUE(vkhost::answerAndWait(ask, IDYES));
        ASSERT_TRUE(waitUntil([&] { return screenPixel(start) == shownWith(cleared); })) << "the key is gone";

        // The open dialog starts in the folder used last and proposes the name used last.
        PostMessageA(main, WM_COMMAND, IDM_LOAD_SETTINGS, 0);
        HWND open = vkhost::waitForDialog("Load Velokrom Data");
        ASSERT_NE(open, nullptr);
        nameBox = waitForEditFocus(open);
        ASSERT_NE(nameBox, nullptr);
        EXPECT_TRUE(waitUntil([&] { return wideText(nameBox) == L"studio.vkp"; }));
        requestScreenshot(open, "settings-open-dialog");
        pressEnter();
        EXPECT_TRUE(waitUntil([&] { return !IsWindow(open); }));
        EXPECT_TRUE(waitUntil([&] { return screenPixel(start) == shownWith(savedKey); })) << "the loaded key is shown";
        PostMessageA(main, WM_COMMAND, IDM_OK, 0);
        EXPECT_TRUE(waitUntil([&] { return !IsWindow(main); }));
    });
    ASSERT_EQ(result, 0);
    // OK kept the loaded key: the one in the file.
    std::vector<uint8_t> block = host->parameterBytes(kParameterBlockSize);
    const KeyModelRecord kept = ParameterBlock(block.data()).keyModel();
    EXPECT_EQ(std::memcmp(kept.bytes, savedKey.bytes, sizeof kept.bytes), 0);
}

} // namespace
} // namespace velokrom::winetest
