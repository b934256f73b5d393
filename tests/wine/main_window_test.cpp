// The real main window in the real library under Wine, driven from a second thread with real
// mouse input as a person would: an Auto Setup drag whose inverted trail is read back from the
// screen and erased on release, the window's size and parts, each view, the tuning dialog and
// the colour chooser worked with mouse and keyboard, a key saved through the system's save
// dialog and loaded back through its open dialog, and the bundled sample keyed, viewed and zoomed
// by hand until OK writes exactly what the command-line keyer renders from the same drags.
// (What each command decides is the host tests' own: tests/host/main_window_test.cpp.)
#include <gtest/gtest.h>
#include <windows.h>

#include <colordlg.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <map>
#include <stdexcept>
#include <vector>

#include "host/parameter_block.h"
#include "host_images.h"
#include "person_input_win32.h"
#include "plugin_under_wine.h"
#include "scratch_folder.h"
#include "ui/command_ids.h"
#include "ui/display_geometry.h"
#include "ui/drag_trail.h"
#include "ui/start_dialog_ids.h"
#include "ui/tuning_dialog_ids.h"
#include "ui/ui_strings.h"
#include "image_files.h"
#include "ui_driver_win32.h"

namespace velokrom::winetest {
namespace {

using namespace vkhost;

HWND childOfClass(HWND parent, const char* className) { return FindWindowExA(parent, nullptr, className, nullptr); }

class MainWindowUnderWine : public PluginUnderWine {
protected:
    // Long enough for a render and a repaint on a machine busy with other work.
    static constexpr DWORD kRepaintWait = 30000;

    MainWindowUnderWine() : PluginUnderWine(110000) {}  // below the test time limit: hangs are reported

    // Answers the start dialog with a background choice for image and brings the main window to
    // the front; false without it or its display.
    bool open(int32_t backgroundButton, const HostImage& image) {
        main = startWith(backgroundButton);
        if (!main) return false;
        display = childOfClass(main, DISPLAY_WINDOW_CLASS);
        width = image.width;
        height = image.height;
        SetForegroundWindow(main);
        return display != nullptr;
    }
    void post(int32_t id) const { PostMessageA(main, WM_COMMAND, static_cast<WPARAM>(id), 0); }
    bool checked(int32_t id) const { return (GetMenuState(GetMenu(main), id, MF_BYCOMMAND) & MF_CHECKED) != 0; }
    bool menuEnabled(int32_t id) const {
        return !(GetMenuState(GetMenu(main), static_cast<UINT>(id), MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
    }
    // Reset, and its question answered in the real box.
    void answerReset(int answer) const {
        post(IDM_RESET);
        HWND box = waitForDialog(uiString(IDS_ASK_RESET_CAPTION), kRepaintWait);
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(answerAndWait(box, answer));
    }
    // Posts a command and waits until its menu item is checked.
    bool command(int32_t id) const {
        post(id);
        return waitUntil([&] { return checked(id); }, kRepaintWait);
    }

    // The screen point of image pixel (column, row) at zoom 1 in the display window.
    POINT screenPointOf(int32_t column, int32_t row) const {
        RECT client{};
        GetClientRect(display, &client);
        const DisplayRect dest = viewPlacement(client.right, client.bottom, width, height);
        POINT p{dest.left + column, dest.top + row};
        ClientToScreen(display, &p);
        return p;
    }
    // The button pressed or let go where the pointer is, without a move: a move reported with
    // the release would reach a drag as one more sample.
    static void button(DWORD flags) {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flags;
        SendInput(1, &input, sizeof input);
    }
    static void release() { button(MOUSEEVENTF_LEFTUP); }
    static void click(POINT p) {
        SetCursorPos(p.x, p.y);
        sendMouse(p, MOUSEEVENTF_LEFTDOWN);
        release();
    }
    static void clickOn(HWND dialog, int32_t control) { click(centreOf(GetDlgItem(dialog, control))); }
    static POINT centreOf(HWND window) {
        RECT r{};
        GetWindowRect(window, &r);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    static void key(WORD virtualKey, int times = 1) {
        for (int i = 0; i < times; ++i) {
            sendKey(virtualKey, true);
            sendKey(virtualKey, false);
        }
    }
    // The input state of the thread that runs window: which window holds the capture, the focus.
    static GUITHREADINFO threadState(HWND window) {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
        return info;
    }

    // The window has handled what was sent or posted to it before, and painted what that left
    // to paint: a message sent to it is handled only between its own messages. (A pixel read
    // while a repaint is pending may be the white it erases to first.)
    void settle() const {
        SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, kRepaintWait, nullptr);
        UpdateWindow(display);
    }
    // A drag from image pixel `from` to `to` (zoom 1) through the four-connected line with the
    // real mouse, paced as a hand is (vkhost::pacedPressAndMoves), once the view is painted.
    void drag(ClientPoint from, ClientPoint to) {
        settle();
        std::vector<POINT> points{screenPointOf(from.x, from.y)};
        fourConnectedLine(from, to, [&](int32_t x, int32_t y) { points.push_back(screenPointOf(x, y)); });
        EXPECT_EQ(pacedPressAndMoves(display, points, 2000), "");
        trailEnd = points.back();
        trailEndColour = screenPixel(trailEnd);
        release();
        EXPECT_TRUE(waitUntil([&] { return !holdsCapture(display); }, kRepaintWait)) << "the release ended the drag";
    }

    // The image as the display shows it at zoom 1, read from the screen once its paints are
    // done: red, green, blue bytes, as the host's images hold them.
    std::vector<uint8_t> shownImage() const {
        UpdateWindow(display);
        RECT client{};
        GetClientRect(display, &client);
        const DisplayRect dest = viewPlacement(client.right, client.bottom, width, height);
        if (dest.left + width > client.right || dest.top + height > client.bottom) return {};
        const std::vector<uint8_t> bgrx = shownPicture(display);
        std::vector<uint8_t> rgb;
        for (int32_t y = dest.top; y < dest.top + height; ++y)
            for (int32_t x = dest.left; x < dest.left + width; ++x) {
                const uint8_t* p = &bgrx[4 * (static_cast<size_t>(y) * client.right + x)];
                rgb.insert(rgb.end(), {p[2], p[1], p[0]});
            }
        return rgb;
    }
    // The image as the display shows it at zoom 1, once its paints are done, is picture.
    bool shows(const HostImage& picture) const {
        return waitUntil([&] { return shownImage() == picture.pixels; }, kRepaintWait);
    }
    // What the display shows once settled, after it has shown something other than before.
    std::vector<uint8_t> newPicture(const std::vector<uint8_t>& before, const std::string& after) const {
        EXPECT_TRUE(waitUntil([&] { return shownPicture(display) != before; }, kRepaintWait))
            << "the display shows a new picture after " << after;
        settle();  // the change seen may be the first of several (the erase, then the paint)
        return shownPicture(display);
    }
    bool showsPicture(const std::vector<uint8_t>& expected) const {
        return waitUntil([&] { return shownPicture(display) == expected; }, kRepaintWait);
    }
    // One of the files the native keyer made before the Wine run (tests/wine/make-expected.sh).
    static HostImage expectedImage(const std::string& path) {
        try {
            return readHostImage(path, false);
        } catch (const std::exception& error) {
            throw std::runtime_error(std::string(error.what()) + " (scripts/run-wine-tests.sh has the native keyer make it)");
        }
    }

    // Types a number into one of the colour chooser's boxes as a person does: a click into it,
    // the old digits deleted, the new ones typed.
    static void typeInto(HWND chooser, int32_t box, const std::string& digits) {
        HWND edit = GetDlgItem(chooser, box);
        click(centreOf(edit));
        EXPECT_TRUE(waitUntil([&] { return threadState(edit).hwndFocus == edit; }));
        key(VK_END);
        key(VK_BACK, 3);
        for (char digit : digits) key(static_cast<WORD>(digit));
        EXPECT_TRUE(waitUntil([&] { return windowText(edit) == digits; })) << box;
    }
    // The keyboard's focus in window's thread, once it is an edit box inside window (the name
    // box of a file dialog); null after the time limit.
    static HWND waitForEditFocus(HWND window) {
        HWND focus = nullptr;
        waitUntil([&] {
            focus = threadState(window).hwndFocus;
            char name[16] = {};
            GetClassNameA(focus, name, sizeof name);
            return IsChild(window, focus) && lstrcmpiA(name, "Edit") == 0;
        });
        return focus;
    }
    static std::wstring wideText(HWND window) {
        wchar_t text[512] = {};
        GetWindowTextW(window, text, 512);
        return text;
    }
    // Types text into the focused name box of a file dialog and waits until the box shows it.
    static void typeName(HWND nameBox, const std::wstring& text) {
        for (wchar_t c : text)
            for (DWORD flags : {KEYEVENTF_UNICODE, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP}) {
                INPUT input{};
                input.type = INPUT_KEYBOARD;
                input.ki.wScan = c;
                input.ki.dwFlags = flags;
                SendInput(1, &input, sizeof input);
            }
        EXPECT_TRUE(waitUntil([&] { return wideText(nameBox) == text; })) << "the name box shows what was typed";
    }

    HWND main = nullptr;
    HWND display = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    POINT trailEnd{};
    COLORREF trailEndColour = 0;
};

// The texts of a dialog's controls, space-separated.
std::string textsOf(HWND dialog, std::initializer_list<int> controls) {
    std::string texts;
    for (int id : controls) texts += (texts.empty() ? "" : " ") + windowText(GetDlgItem(dialog, id));
    return texts;
}
std::string sliderTexts(HWND tune) {
    return textsOf(tune, {IDC_TUNE_DECOLOR_TEXT, IDC_TUNE_CLIP_HIGH_TEXT, IDC_TUNE_CLIP_LOW_TEXT});
}

// The dialog opens over the picture; a person moves it aside, here below the main window.
void moveBelow(HWND dialog, HWND main) {
    RECT m{}, d{};
    GetWindowRect(main, &m);
    GetWindowRect(dialog, &d);
    const int32_t top = std::min<int32_t>(m.bottom, GetSystemMetrics(SM_CYSCREEN) - (d.bottom - d.top));
    SetWindowPos(dialog, nullptr, m.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Tuning by mouse (then Close) and by keyboard (then Apply), red chosen in the system's colour
// chooser and the Solid Color blend: the display and, after OK, the composite are byte for byte
// what the native keyer makes from the same drags, slider positions and colour
// (tests/wine/make-expected.sh, run before Wine).
TEST_F(MainWindowUnderWine, TuningAndSolidColourByMouseAndKeyboardGiveTheKeyersComposite) {
    const std::string dir = VELOKROM_EXPECTED_DIR "/tuning/";
    storeBackground(expectedImage(dir + "background.ppm"));
    HostImage image = expectedImage(dir + "foreground.ppm");
    const HostImage source = image, keyed = expectedImage(dir + "keyed.ppm"), tuned = expectedImage(dir + "tuned.ppm"),
                    expected = expectedImage(dir + "expected.ppm");
    const int16_t result = runFilter(image, true, [&] {
        ASSERT_TRUE(open(IDC_USE_SAVED_BACKGROUND, image));
        ASSERT_TRUE(shows(source)) << "the first view, with no key yet, is the picture";
        drag({5, 10}, {25, 10});  // Auto Setup on the backing
        ASSERT_TRUE(shows(keyed)) << "the display shows the keyer's composite";
        ASSERT_TRUE(command(IDM_TUNE_COLORS));
        // A drag over the shadow beside the head opens the dialog, moved off the picture.
        const auto openTuning = [&] {
            EXPECT_TRUE(shows(keyed));
            drag({86, 40}, {96, 40});
            HWND tune = waitForDialog("Color Tuning");
            if (tune) moveBelow(tune, main);
            EXPECT_TRUE(shows(keyed)) << "the dialog moved off the picture";
            return tune;
        };

        // The mouse: the Clip Low thumb dragged past the end, one click on the left arrow, Close.
        HWND tune = openTuning();
        ASSERT_NE(tune, nullptr);
        const POINT swatch = centreOf(GetDlgItem(tune, IDC_TUNE_SWATCH));
        const COLORREF swatchBefore = screenPixel(swatch);
        HWND clipLow = GetDlgItem(tune, IDC_TUNE_CLIP_LOW);
        RECT bar{};
        GetWindowRect(clipLow, &bar);
        const POINT thumb = centreOf(clipLow), pastEnd{bar.right + 30, thumb.y};  // at 0 the thumb is centred
        SetCursorPos(thumb.x, thumb.y);
        sendMouse(thumb, MOUSEEVENTF_LEFTDOWN);
        EXPECT_TRUE(waitUntil([&] { return threadState(tune).hwndCapture == clipLow; })) << "the thumb is held";
        sendMouse(pastEnd, 0);
        EXPECT_TRUE(waitUntil([&] { return sliderTexts(tune) == "0.000 0.000 1.000"; })) << sliderTexts(tune);
        release();
        // The thumb let go before the pointer moves on: a move it still saw would drag it there.
        EXPECT_TRUE(waitUntil([&] { return threadState(tune).hwndCapture != clipLow; })) << "the thumb is let go";
        EXPECT_TRUE(waitUntil([&] { return screenPixel(swatch) != swatchBefore; })) << "the swatch shows the move";
        click({bar.left + 3, thumb.y});
        EXPECT_TRUE(waitUntil([&] { return sliderTexts(tune) == "0.000 0.000 0.999"; })) << sliderTexts(tune);
        EXPECT_TRUE(waitUntil([&] { return threadState(tune).hwndCapture != clipLow; })) << "the arrow is let go";
        clickOn(tune, IDC_TUNE_CLOSE);
        ASSERT_TRUE(waitUntil([&] { return !IsWindow(tune); }));

        // The keyboard, from the first slider: a page right on De-Color, Tab, two pages left on
        // Clip High, Tab, three steps right on Clip Low, Tab past Close to Apply, Enter; Escape.
        tune = openTuning();
        ASSERT_NE(tune, nullptr);
        ASSERT_TRUE(waitUntil([&] { return threadState(tune).hwndFocus == GetDlgItem(tune, IDC_TUNE_DECOLOR); }));
        for (const auto& [virtualKey, times] : {std::pair{VK_NEXT, 1}, {VK_TAB, 1}, {VK_PRIOR, 2}, {VK_TAB, 1}, {VK_RIGHT, 3}})
            key(static_cast<WORD>(virtualKey), times);
        EXPECT_TRUE(waitUntil([&] { return sliderTexts(tune) == "0.040 -0.080 0.003"; })) << sliderTexts(tune);
        EXPECT_TRUE(shows(keyed)) << "slider moves show in the swatch only";
        requestScreenshot(tune, "tuning-dialog");
        key(VK_TAB, 2);
        key(VK_RETURN);
        EXPECT_TRUE(waitUntil([&] { return sliderTexts(tune) == "0.000 0.000 0.000"; })) << "Apply returns them to 0";
        EXPECT_TRUE(shows(tuned)) << "and the display shows the applied key";
        key(VK_ESCAPE);
        ASSERT_TRUE(waitUntil([&] { return !IsWindow(tune); }));

        // Select Color: red typed into the chooser and added to the custom colours; the Solid
        // Color blend then shows it, and the chooser opens at it again.
        post(IDM_SELECT_COLOR);
        HWND chooser = waitForDialog("Color");
        ASSERT_NE(chooser, nullptr);
        for (const auto& [box, digits] : {std::pair{COLOR_RED, "255"}, {COLOR_GREEN, "0"}, {COLOR_BLUE, "0"}})
            typeInto(chooser, box, digits);
        clickOn(chooser, COLOR_ADD);
        clickOn(chooser, IDOK);
        ASSERT_TRUE(waitUntil([&] { return !IsWindow(chooser); }));
        post(IDM_BLEND_SOLID);
        EXPECT_TRUE(shows(expected));
        post(IDM_SELECT_COLOR);
        chooser = waitForDialog("Color");
        ASSERT_NE(chooser, nullptr);
        EXPECT_EQ(textsOf(chooser, {COLOR_RED, COLOR_GREEN, COLOR_BLUE}), "255 0 0");
        requestScreenshot(chooser, "color-chooser");
        clickOn(chooser, IDCANCEL);
        ASSERT_TRUE(waitUntil([&] { return !IsWindow(chooser); }));
        closeWith(main, IDM_OK);
    });
    ASSERT_EQ(result, 0);
    const std::vector<uint8_t> keyFile = testing::ScratchFolder::readBytes(dir + "key.vkp");
    ASSERT_EQ(keyFile.size(), 22u + kKeyModelRecordSize);
    std::vector<uint8_t> block = host->parameterBytes(kParameterBlockSize);
    EXPECT_EQ(std::memcmp(ParameterBlock(block.data()).keyModel().bytes, keyFile.data() + 22, kKeyModelRecordSize), 0)
        << "the key is the keyer's";
    EXPECT_TRUE(image.pixels == expected.pixels) << "the composite is the keyer's, byte for byte";
}

// An Auto Setup drag with the real mouse over the sample picture and the key `velokrom key`
// saved for the same drag, made natively before the Wine run (tests/wine/make-expected.sh): the
// window of a picture narrower than the toolbar takes the toolbar's width; the drag draws its
// trail, erases it on release and keys the picture; the key saved through the system's save
// dialog has the same bytes, and loads back through its open dialog after Reset.
TEST_F(MainWindowUnderWine, AMouseDragKeysThePictureAndItsKeySavesAndLoadsThroughTheFileDialogs) {
    const std::string dir = VELOKROM_EXPECTED_DIR "/settings/";
    const std::vector<uint8_t> expected = testing::ScratchFolder::readBytes(dir + "auto.vkp");
    ASSERT_EQ(expected.size(), 1502u);
    HostImage image = expectedImage(dir + "foreground.ppm");
    const HostImage source = image;

    // A folder named with letters outside ASCII, as under C:\Users\Zoë\Schlüssel.
    testing::ScratchFolder scratch;
    const std::filesystem::path folder = scratch.dir() / L"Zo\u00eb" / L"Schl\u00fcssel";
    std::filesystem::create_directories(folder);
    const std::filesystem::path saved = folder / L"studio.vkp";
    removeBackgroundFile();
    const int16_t result = runFilter(image, true, [&] {
        ASSERT_TRUE(open(IDC_USE_GRAY_BACKGROUND, image));
        RECT client{}, shown{};
        GetClientRect(main, &client);
        GetClientRect(display, &shown);
        EXPECT_EQ(client.right, 486);
        EXPECT_GE(shown.bottom, 324);  // the 120 x 80 picture's area is as much taller as the width ratio
        EXPECT_EQ(windowText(main), "Velokrom");
        char hint[128] = {};
        SendMessageA(childOfClass(main, STATUSCLASSNAMEA), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(hint));
        EXPECT_STREQ(hint, uiString(IDS_HINT_AUTO_SETUP));
        ASSERT_TRUE(shows(source)) << "the first view, with no key yet, is the picture";
        requestScreenshot(main, "main-window-narrow");
        const std::vector<uint8_t> first = shownPicture(display);
        drag({2, 10}, {16, 10});  // --auto 2,10:16,10
        // The release erased the trail, and the key the drag made lets the refining commands in.
        EXPECT_TRUE(waitUntil([&] { return menuEnabled(IDM_SELECT_BACKGROUND); }));
        const std::vector<uint8_t> keyedView = newPicture(first, "the drag");
        EXPECT_NE(screenPixel(trailEnd), trailEndColour) << "no trail left on the screen";
        requestScreenshot(main, "main-window-keyed-composite");
        // Each view, the front one the picture, and back to the composite.
        std::vector<uint8_t> viewed = keyedView;
        for (int32_t view : {IDM_VIEW_MATTE, IDM_VIEW_FRONT, IDM_VIEW_BACK, IDM_VIEW_COMPOSITE}) {
            EXPECT_TRUE(command(view));
            viewed = newPicture(viewed, "view " + std::to_string(view));
            EXPECT_TRUE(view != IDM_VIEW_FRONT || shows(source)) << "the front view is the picture";
            requestScreenshot(main, "main-window-view-" + std::to_string(view - IDM_VIEW_COMPOSITE));
        }
        EXPECT_TRUE(viewed == keyedView);

        post(IDM_SAVE_SETTINGS);
        HWND save = waitForDialog("Save Velokrom Data");
        ASSERT_NE(save, nullptr);
        HWND nameBox = waitForEditFocus(save);
        ASSERT_NE(nameBox, nullptr);
        // The folder first, as a person goes there, then the name without its extension.
        typeName(nameBox, folder.wstring());
        key(VK_RETURN);
        ASSERT_TRUE(waitUntil([&] { return wideText(nameBox).empty(); })) << "the dialog went into the folder";
        typeName(nameBox, L"studio");
        requestScreenshot(save, "settings-save-dialog");
        key(VK_RETURN);
        EXPECT_TRUE(waitUntil([&] { return !IsWindow(save); }));
        ASSERT_TRUE(waitUntil([&] { return std::filesystem::exists(saved); })) << "\".vkp\" added to the typed name";
        EXPECT_EQ(testing::ScratchFolder::readBytes(saved), expected) << "the same bytes as velokrom key's";

        answerReset(IDYES);
        newPicture(keyedView, "Reset answered Yes");

        // The open dialog starts in the folder used last and proposes the name used last.
        post(IDM_LOAD_SETTINGS);
        HWND load = waitForDialog("Load Velokrom Data");
        ASSERT_NE(load, nullptr);
        nameBox = waitForEditFocus(load);
        ASSERT_NE(nameBox, nullptr);
        EXPECT_TRUE(waitUntil([&] { return wideText(nameBox) == L"studio.vkp"; }));
        requestScreenshot(load, "settings-open-dialog");
        key(VK_RETURN);
        EXPECT_TRUE(waitUntil([&] { return !IsWindow(load); }));
        EXPECT_TRUE(showsPicture(keyedView)) << "the loaded key is shown";
        closeWith(main, IDM_OK);
    });
    // OK ran the render pass with the loaded key: the one in the file.
    ASSERT_EQ(result, 0);
    std::vector<uint8_t> block = host->parameterBytes(kParameterBlockSize);
    EXPECT_TRUE(ParameterBlock(block.data()).stateSaved());
    EXPECT_EQ(std::memcmp(ParameterBlock(block.data()).keyModel().bytes, expected.data() + 22, kKeyModelRecordSize), 0);
    EXPECT_NE(image.pixels, source.pixels);
}

// A drag of the sample's drag list: the window command that chooses its operation and the ends
// of its straight run of pixels.
struct SampleDrag {
    int32_t command;
    ClientPoint from;
    ClientPoint to;
};

std::vector<SampleDrag> readSampleDrags(const std::string& path) {
    static const std::map<std::string, int32_t> commands{{"--auto", IDM_AUTO_SETUP},
                                                         {"--select-background", IDM_SELECT_BACKGROUND},
                                                         {"--select-foreground", IDM_SELECT_FOREGROUND}};
    std::vector<SampleDrag> drags;
    std::FILE* file = std::fopen(path.c_str(), "r");
    char line[256];
    while (file && std::fgets(line, sizeof line, file)) {
        char option[64];
        SampleDrag d{};
        if (std::sscanf(line, "%63s %d,%d:%d,%d", option, &d.from.x, &d.from.y, &d.to.x, &d.to.y) == 5 &&
            commands.count(option))
            drags.push_back({commands.at(option), d.from, d.to});
    }
    if (file) std::fclose(file);
    return drags;
}

// The bundled sample, keyed natively by `velokrom key` and `velokrom render` with the drags of
// tests/wine/sample_drags.txt (tests/wine/make-expected.sh), keyed here by hand.
class SampleKeyedByHand : public MainWindowUnderWine {
protected:
    // The library's cursors are loaded here before the window loads them: under Wine two
    // threads loading a shared cursor at the same moment may each get a handle of its own, and
    // the one compared with would not be the one shown.
    void SetUp() override {
        MainWindowUnderWine::SetUp();
        if (library)
            for (const char* name : {ZOOM_IN_CURSOR_NAME, ZOOM_OUT_CURSOR_NAME, ZOOM_LIMIT_CURSOR_NAME})
                LoadCursorA(library->module(), name);
    }
    // The cursor on the screen is the library's cursor resource of that name.
    bool showsCursor(const char* name) const {
        HCURSOR wanted = LoadCursorA(library->module(), name);
        return waitUntil([&] {
            CURSORINFO info{};
            info.cbSize = sizeof info;
            return GetCursorInfo(&info) && info.hCursor == wanted;
        }, kRepaintWait);
    }
    // The zoom as it can be seen: the picture, and the scroll bars' ranges and positions.
    std::pair<std::vector<uint8_t>, std::vector<int>> zoomShown() const {
        std::vector<int> bars;
        for (int bar : {SB_HORZ, SB_VERT}) {
            SCROLLINFO info{sizeof info, SIF_RANGE | SIF_POS, 0, 0, 0, 0, 0};
            GetScrollInfo(display, bar, &info);
            bars.insert(bars.end(), {info.nMax, info.nPos});
        }
        return {shownPicture(display), bars};
    }
    // A click in zoom mode where the pointer is, and the zoom seen to change.
    void zoomClick(const std::string& what) const {
        const auto before = zoomShown();
        button(MOUSEEVENTF_LEFTDOWN);
        release();
        EXPECT_TRUE(waitUntil([&] { return zoomShown() != before; }, kRepaintWait)) << what;
        settle();
    }

    // Under Wine every pointer move is made on the X server too, which then reports the pointer
    // entering the window and, with it, its keyboard, on which a key pressed through SendInput
    // is up: Wine lets that key go (a person's Alt would be down there too). So a move is
    // waited for until that report has been handled, seen as Shift, held over the move, let go.
    static void placePointer(POINT p) {
        sendKey(VK_SHIFT, true);
        sendMouse(p, 0);
        EXPECT_TRUE(waitUntil([] { return GetAsyncKeyState(VK_SHIFT) >= 0; }, kRepaintWait)) << "the move reported";
        sendKey(VK_SHIFT, false);
    }
};

TEST_F(SampleKeyedByHand, ByMouseAndMenuOkWritesWhatTheCommandLineKeyerRendersFromTheSameDrags) {
    const std::string dir = VELOKROM_EXPECTED_DIR "/sample/";
    HostImage image = expectedImage(dir + "foreground.ppm");
    const HostImage foreground = image, background = expectedImage(dir + "background.ppm"),
                    expected = expectedImage(dir + "expected.ppm");
    const std::vector<SampleDrag> drags = readSampleDrags(dir + "drags.txt");
    ASSERT_EQ(drags.size(), 3u);
    storeBackground(background);

    const int16_t result = runFilter(image, true, [&] {
        ASSERT_TRUE(open(IDC_USE_SAVED_BACKGROUND, image));
        EXPECT_FALSE(menuEnabled(IDM_SELECT_BACKGROUND));
        EXPECT_FALSE(menuEnabled(IDM_SELECT_FOREGROUND));
        ASSERT_TRUE(shows(foreground)) << "the first view, with no key yet, is the picture";
        settle();
        // What the display shows before any drag and after each.
        std::vector<std::vector<uint8_t>> keyed{shownPicture(display)};
        // The display overlaps the toolbar's last rows, where the picture's first row lies, and
        // the status bar's first: however often the bars repaint, the view stays whole.
        for (const char* bar : {TOOLBARCLASSNAMEA, STATUSCLASSNAMEA}) {
            HWND child = childOfClass(main, bar);
            ASSERT_NE(child, nullptr) << bar;
            RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
            EXPECT_TRUE(waitUntil([&] { return !GetUpdateRect(child, nullptr, FALSE); })) << bar << " repainted";
            EXPECT_TRUE(shownPicture(display) == keyed[0]) << bar << " painted over the view";
        }
        for (const SampleDrag& d : drags) {
            ASSERT_TRUE(waitUntil([&] { return menuEnabled(d.command); }));
            ASSERT_TRUE(command(d.command));
            drag(d.from, d.to);
            keyed.push_back(newPicture(keyed.back(), "drag " + std::to_string(d.command)));
        }

        // Reset answered No in the real question box keeps the key. (What each history command
        // shows is the host tests': MainWindowRun.HistoryCommandsStepThroughDragsAndResetAsksFirst.)
        answerReset(IDNO);
        settle();
        EXPECT_TRUE(showsPicture(keyed[3])) << "Reset answered No";

        // The back view shows the background file the keyer read (each view is the settings
        // flow's too), and the composite view the last key again.
        EXPECT_TRUE(command(IDM_VIEW_BACK));
        EXPECT_TRUE(shows(background)) << "the back view shows the file the keyer read";
        EXPECT_TRUE(command(IDM_VIEW_COMPOSITE));
        EXPECT_TRUE(showsPicture(keyed[3])) << "the composite view";
        // The direct blend the keyer rendered with: the display shows the keyer's composite.
        EXPECT_TRUE(command(IDM_BLEND_DIRECT));
        EXPECT_TRUE(shows(expected)) << "the direct blend shows the keyer's composite";
        settle();
        keyed[3] = shownPicture(display);
        // Zoom mode: clicks zoom in about the pixel under the pointer up to the limit, where the
        // cursor says so; scrolled with the bars' arrows; then, with Alt held and no move of the
        // pointer to let it go, out to the limit.
        EXPECT_TRUE(command(IDM_ZOOM_MODE));
        RECT client{};
        GetClientRect(display, &client);
        POINT centre{client.right / 2, client.bottom / 2};
        ClientToScreen(display, &centre);
        placePointer(centre);
        EXPECT_TRUE(showsCursor(ZOOM_IN_CURSOR_NAME));
        for (int step = 0; step < 4; ++step) zoomClick("zoom in " + std::to_string(step));  // 2, 4, 8, 16
        EXPECT_TRUE(showsCursor(ZOOM_LIMIT_CURSOR_NAME));
        for (const auto& [object, bar] : {std::pair{OBJID_HSCROLL, SB_HORZ}, std::pair{OBJID_VSCROLL, SB_VERT}}) {
            SCROLLBARINFO info{};
            info.cbSize = sizeof info;
            ASSERT_TRUE(GetScrollBarInfo(display, object, &info)) << bar;
            const RECT& r = info.rcScrollBar;
            placePointer(bar == SB_HORZ ? POINT{r.right - info.dxyLineButton / 2, (r.top + r.bottom) / 2}
                                        : POINT{(r.left + r.right) / 2, r.bottom - info.dxyLineButton / 2});
            const int before = GetScrollPos(display, bar);
            const std::vector<uint8_t> unscrolled = shownPicture(display);
            button(MOUSEEVENTF_LEFTDOWN);
            EXPECT_TRUE(waitUntil([&] { return GetScrollPos(display, bar) > before; })) << bar;
            release();
            newPicture(unscrolled, "scrolling " + std::to_string(bar));
        }
        placePointer(centre);
        EXPECT_TRUE(showsCursor(ZOOM_LIMIT_CURSOR_NAME));
        sendKey(VK_MENU, true);
        EXPECT_TRUE(showsCursor(ZOOM_OUT_CURSOR_NAME)) << "Alt over the picture";
        for (int step = 0; step < 8; ++step) zoomClick("zoom out " + std::to_string(step));  // 8 .. 1/16
        EXPECT_TRUE(showsCursor(ZOOM_LIMIT_CURSOR_NAME)) << "Alt held at 1/16";
        EXPECT_LT(GetAsyncKeyState(VK_MENU), 0) << "Alt was held throughout";
        sendKey(VK_MENU, false);
        post(IDM_ZOOM_MODE);
        EXPECT_TRUE(waitUntil([&] { return !checked(IDM_ZOOM_MODE); }));
        post(IDM_DEFAULT_SIZE);
        EXPECT_TRUE(showsPicture(keyed[3])) << "Default Size";

        closeWith(main, IDM_OK, kRepaintWait);
    });
    ASSERT_EQ(result, 0);
    ASSERT_EQ(image.pixels.size(), expected.pixels.size());
    size_t first = 0;
    while (first < image.pixels.size() && image.pixels[first] == expected.pixels[first]) ++first;
    EXPECT_EQ(first, image.pixels.size()) << "first difference at pixel " << first / 3 << " of the row-major image";
    removeBackgroundFile();
}

} // namespace
} // namespace velokrom::winetest
