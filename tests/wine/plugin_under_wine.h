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

namespace velokrom::winetest {

// A green-screen shot: columns left of kBackingColumns are the green backing (with a little
// noise), the rest a subject of warm colours. planes 4 adds an alpha channel of value 200.
vkhost::HostImage greenScreenShot(int32_t width, int32_t height, int32_t planes = 3);
constexpr int32_t kBackingColumns = 20;

// A parameter block as a finished dialog run leaves it: the key made by an Auto Setup drag
// over the backing of image (and a Select Foreground drag over the subject), stateSaved 1.
using testing::SavedSettings;
std::vector<uint8_t> parameterBlockWithKey(const vkhost::HostImage& image, const SavedSettings& settings);

class PluginUnderWine : public ::testing::Test {
protected:
    void SetUp() override;

    vkhost::HostOptions options() const;
    // Runs call on this thread (the host's) while user plays the person on a second thread. A
    // window the person leaves open is a failure; it is closed so that the call can end.
    void withUser(const std::function<void()>& call, const std::function<void()>& user);
    int16_t runFilter(vkhost::HostImage& image, bool withDialog, const std::function<void()>& user);

    // The start dialog, or a message box, with the caption "Velokrom"; null after the time limit.
    static HWND waitForStartDialog();
    static HWND waitForMessageBox();

    // C:\ZELVARN\VELOKROM.BKG under the first fixed drive: the one background file.
    static std::string backgroundFile();
    static void removeBackgroundFile();
    static bool backgroundFileExists();
    static std::vector<uint8_t> readFile(const std::string& path);

    std::unique_ptr<vkhost::PluginLibrary> library;
    vkhost::HostWindow window;
    std::unique_ptr<vkhost::EmulatedHost> host;
};

} // namespace velokrom::winetest
