#pragma once
// The real plug-in library (VELOKROM_PLUGIN) loaded into the Win32 emulated host, with a host
// window behind platformData, and a second thread that plays the user.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "emulated_host.h"
#include "host_images.h"
#include "host_window_win32.h"
#include "plugin_library_win32.h"
#include "ui_driver_win32.h"

namespace velokrom::winetest {

using testing::backgroundPicture;
using testing::backingKey;
using testing::expectedComposite;
using testing::greenScreen;
using testing::rgbOf;
using testing::savedParameterBlock;
using testing::SavedSettings;
using testing::wholeOf;

class PluginUnderWine : public ::testing::Test {
protected:
    // A test that lives longer than the watchdog's limit is ended as hung.
    explicit PluginUnderWine(DWORD watchdogMs = 30000) : watchdogMs_(watchdogMs) {}
    void SetUp() override;

    vkhost::HostOptions options() const;
    // Runs call on this thread (the host's) while user plays the person on a second thread. A
    // window the person leaves open is a failure; it is closed so that the call can end.
    void withUser(const std::function<void()>& call, const std::function<void()>& user);
    int16_t runFilter(vkhost::HostImage& image, bool withDialog, const std::function<void()>& user);

    // The start dialog, or a message box, with the caption "Velokrom"; null after the time limit.
    static HWND waitForStartDialog();
    static HWND waitForMessageBox();
    // The main window of this process, shown; null if none (after the time limit).
    static HWND findMainWindow();
    static HWND waitForMainWindow();
    // Presses a choice's radio button in the start dialog, then OK.
    static void choose(HWND startDialog, int32_t choiceButton);
    // Answers the start dialog with a background choice and waits for the main window.
    static HWND startWith(int32_t backgroundButton);
    // Ends the main window with a command (OK, Cancel) and sees it go.
    static void closeWith(HWND main, int32_t command, DWORD timeoutMs = vkhost::kUiWait);

    // C:\ZELVARN\VELOKROM.BKG under the first fixed drive: the one background file.
    static std::string backgroundFile();
    static void removeBackgroundFile();
    static std::vector<uint8_t> backgroundFileBytes();
    // Writes picture as the background file, as saving it through the start dialog does.
    static void storeBackground(const vkhost::HostImage& picture);

    std::unique_ptr<vkhost::PluginLibrary> library;
    vkhost::HostWindow window;
    std::unique_ptr<vkhost::EmulatedHost> host;

private:
    DWORD watchdogMs_;
};

} // namespace velokrom::winetest
