#include "plugin_under_wine.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "composite/memory_image_access.h"
#include "engine/key_model.h"
#include "ui/start_dialog_ids.h"
#include "ui_driver_win32.h"

namespace velokrom::winetest {
namespace {

constexpr char kCaption[] = "Velokrom";

} // namespace

vkhost::HostImage greenScreenShot(int32_t width, int32_t height, int32_t planes) {
    vkhost::HostImage image(width, height, planes, 200);
    uint32_t noise = 12345;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            uint8_t* p = image.at(y, x);
            noise = noise * 1664525u + 1013904223u;
            const int32_t n = static_cast<int32_t>(noise >> 29);  // 0..7
            if (x < kBackingColumns) {
                p[0] = static_cast<uint8_t>(36 + n);
                p[1] = static_cast<uint8_t>(176 + n);
                p[2] = static_cast<uint8_t>(58 + n);
            } else {
                p[0] = static_cast<uint8_t>(210 - y);
                p[1] = static_cast<uint8_t>(120 + x - kBackingColumns);
                p[2] = static_cast<uint8_t>(90 + y);
            }
        }
    }
    return image;
}

std::vector<uint8_t> parameterBlockWithKey(const vkhost::HostImage& image, const SavedSettings& settings) {
    clearKeyModel();
    MemoryImageAccess engine(testing::rgbOf(image), RgbImage(image.width, image.height, 127));
    auto drag = [&](int32_t operation, int32_t x0, int32_t x1) {
        engine.keyOperation = operation;
        int32_t phase = 0;
        for (int32_t y = 0; y < image.height; y += 2)
            for (int32_t x = x0; x <= x1; x += 2, phase = 1) engine.sampleDrag(phase, x, y);
        engine.sampleDrag(2, x1, image.height - 1);
    };
    drag(kAutoSetup, 0, kBackingColumns - 1);
    drag(kSelectForeground, kBackingColumns, image.width - 1);

    return testing::savedParameterBlock(saveLiveKey(), settings);
}

void PluginUnderWine::SetUp() {
    // Wine hands a pipe to a fully buffered stdout; a crash would lose the report.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    vkhost::startWatchdog(30000);
    const char* path = std::getenv("VELOKROM_PLUGIN");
    ASSERT_NE(path, nullptr) << "VELOKROM_PLUGIN names the plug-in library to test";
    std::string error;
    library = vkhost::PluginLibrary::load(path, error);
    ASSERT_NE(library, nullptr) << error;
    ASSERT_NE(window.handle(), nullptr);
    host = std::make_unique<vkhost::EmulatedHost>(library->entry());
}

vkhost::HostOptions PluginUnderWine::options() const {
    vkhost::HostOptions o;
    o.hostWindow = reinterpret_cast<intptr_t>(window.handle());
    o.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    o.screenHeight = GetSystemMetrics(SM_CYSCREEN);
    return o;
}

void PluginUnderWine::withUser(const std::function<void()>& call, const std::function<void()>& user) {
    std::atomic<bool> ended{false};
    std::thread person([&] {
        user();
        // Give the filter time to close what the person answered, then close what is left.
        if (vkhost::waitUntil([&] { return ended.load(); }, 3000)) return;
        while (!ended) {
            if (HWND left = vkhost::findDialog(kCaption)) {
                ADD_FAILURE() << "a window was left open: \"" << vkhost::dialogText(left) << "\"";
                vkhost::postCommand(left, GetDlgItem(left, IDC_START_CANCEL) ? IDC_START_CANCEL
                                          : GetDlgItem(left, IDNO)           ? IDNO
                                                                             : IDOK);
            }
            Sleep(200);
        }
    });
    call();
    ended = true;
    person.join();
}

HWND PluginUnderWine::waitForStartDialog() {
    HWND found = nullptr;
    vkhost::waitUntil([&] {
        found = vkhost::findDialog(kCaption);
        return found && GetDlgItem(found, IDC_START_OK);
    });
    return found && GetDlgItem(found, IDC_START_OK) ? found : nullptr;
}

HWND PluginUnderWine::waitForMessageBox() {
    HWND found = nullptr;
    vkhost::waitUntil([&] {
        found = vkhost::findDialog(kCaption);
        return found && !GetDlgItem(found, IDC_START_OK);
    });
    return found && !GetDlgItem(found, IDC_START_OK) ? found : nullptr;
}

int16_t PluginUnderWine::runFilter(vkhost::HostImage& image, bool withDialog, const std::function<void()>& user) {
    int16_t result = 0;
    withUser([&] { result = host->runFilter(image, options(), withDialog); }, user);
    return result;
}

std::string PluginUnderWine::backgroundFile() {
    char roots[1024];
    const DWORD length = GetLogicalDriveStringsA(sizeof roots, roots);
    for (const char* root = roots; length > 0 && *root; root += lstrlenA(root) + 1)
        if (GetDriveTypeA(root) == DRIVE_FIXED) return std::string(root) + "ZELVARN\\VELOKROM.BKG";
    return {};
}

void PluginUnderWine::removeBackgroundFile() { DeleteFileA(backgroundFile().c_str()); }

bool PluginUnderWine::backgroundFileExists() {
    return GetFileAttributesA(backgroundFile().c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<uint8_t> PluginUnderWine::readFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return bytes;
    uint8_t chunk[4096];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.insert(bytes.end(), chunk, chunk + n);
    std::fclose(file);
    return bytes;
}

} // namespace velokrom::winetest
