// The library as a host finds it in memory: the string table, the menu, the toolbar's strips and
// the cursors, and the emulated host's reading of the property list, real and spoilt, with its
// refusal of libraries it must not run. (The list's bytes and the one export are pinned from the
// outside by check_plugin_binary.py; every test here loads the library through the entry the
// list names.)
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "pipl_win32.h"
#include "platform/string_table.h"
#include "plugin_under_wine.h"
#include "ui/command_ids.h"
#include "ui/command_table.h"
#include "ui/main_menu.h"
#include "ui/resource_ids.h"
#include "ui/ui_strings.h"

namespace velokrom::winetest {
namespace {

using vkhost::piplRefusal;
using vkhost::readPipl;

constexpr bool kIs64Bit = sizeof(void*) == 8;

std::vector<uint8_t> piplBytes(HMODULE module) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(PIPL_RESOURCE_ID), "PIPL");
    if (!found) return {};
    const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(module, found)));
    return std::vector<uint8_t>(data, data + SizeofResource(module, found));
}

std::string loadedString(HMODULE module, UINT id) {
    const wchar_t* text = nullptr;
    const int length = LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);
    std::string loaded;
    for (int i = 0; i < length; ++i) loaded += static_cast<char>(text[i]);
    return loaded;
}

TEST_F(PluginUnderWine, StringTableServesTheHostSidesAndTheWindowsTexts) {
    // Every text the host side and the main window know is in the library's table, byte for byte
    // (escapes and joined literals survive the resource compiler), and the table holds nothing else.
    for (UINT first : {16000u, 40000u}) {
        for (UINT id = first; id < first + 3100; ++id) {
            const char* known = builtinString(static_cast<int32_t>(id));
            if (!known) known = uiString(static_cast<int32_t>(id));
            const std::string loaded = loadedString(library->module(), id);
            EXPECT_EQ(loaded, known ? known : "") << "string " << id;
        }
    }
}

// The menu resource read back through the system, flattened as the C++ table lists it.
void flattenMenu(HMENU menu, std::vector<MenuEntry>& entries, std::vector<std::string>& labels) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char label[128] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), label, sizeof label, MF_BYPOSITION);
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        if (HMENU sub = GetSubMenu(menu, i)) {
            labels.push_back(label);
            entries.push_back({MenuEntryKind::Popup, nullptr, 0});
            flattenMenu(sub, entries, labels);
            entries.push_back({MenuEntryKind::PopupEnd, nullptr, 0});
        } else if (state & MF_SEPARATOR) {
            entries.push_back({MenuEntryKind::Separator, nullptr, 0});
        } else {
            labels.push_back(label);
            entries.push_back({MenuEntryKind::Item, nullptr, static_cast<int32_t>(GetMenuItemID(menu, i))});
        }
    }
}

TEST_F(PluginUnderWine, MainMenuIsTheOneTheWindowCodeKnows) {
    HMENU menu = LoadMenuA(library->module(), MAIN_MENU_NAME);
    ASSERT_NE(menu, nullptr);
    std::vector<MenuEntry> loaded;
    std::vector<std::string> labels;
    flattenMenu(menu, loaded, labels);
    DestroyMenu(menu);
    size_t count = 0;
    const MenuEntry* expected = mainMenuEntries(count);
    ASSERT_EQ(loaded.size(), count);
    size_t label = 0;
    for (size_t i = 0; i < count; ++i) {
        EXPECT_EQ(loaded[i].kind, expected[i].kind) << i;
        EXPECT_EQ(loaded[i].commandId, expected[i].commandId) << i;
        if (expected[i].label) {
            ASSERT_LT(label, labels.size());
            EXPECT_EQ(labels[label++], expected[i].label) << i;
        }
    }
}

TEST_F(PluginUnderWine, ToolbarStripsCursorsAndIconAreThere) {
    // Each strip is exactly as wide as the images the toolbar takes from it.
    std::map<int32_t, int32_t> images;
    size_t count = 0;
    const ToolbarSlot* slots = toolbarSlots(count);
    for (size_t i = 0; i < count; ++i)
        if (slots[i].style != ButtonStyle::Separator) ++images[slots[i].bitmapId];
    for (const auto& [id, used] : images) {
        HBITMAP strip = LoadBitmapA(library->module(), MAKEINTRESOURCEA(id));
        ASSERT_NE(strip, nullptr) << id;
        BITMAP info{};
        GetObjectA(strip, sizeof info, &info);
        EXPECT_EQ(info.bmWidth, kButtonImageWidth * used) << id;
        EXPECT_EQ(info.bmHeight, kButtonImageHeight) << id;
        DeleteObject(strip);
    }
    for (const char* name : {ZOOM_IN_CURSOR_NAME, ZOOM_OUT_CURSOR_NAME, ZOOM_LIMIT_CURSOR_NAME}) {
        HCURSOR cursor = LoadCursorA(library->module(), name);
        ASSERT_NE(cursor, nullptr) << name;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(cursor, &info)) << name;
        EXPECT_EQ(info.xHotspot, 12u) << name;
        EXPECT_EQ(info.yHotspot, 11u) << name;
        DeleteObject(info.hbmMask);
        if (info.hbmColor) DeleteObject(info.hbmColor);
    }
    EXPECT_NE(LoadIconA(library->module(), MAIN_ICON_NAME), nullptr);
}

// The real list, changed as a host may find a list that is not for it.
using PropertyListReading = PluginUnderWine;

TEST_F(PropertyListReading, RefusesWhatIsNotAnRgbFilterForThisArchitecture) {
    const std::vector<uint8_t> real = piplBytes(library->module());
    ASSERT_EQ(real.size(), 206u);
    EXPECT_EQ(piplRefusal(readPipl(real.data(), real.size()), kIs64Bit), "");
    // The same list read by a host of the other architecture: no entry for it.
    EXPECT_NE(piplRefusal(readPipl(real.data(), real.size()), !kIs64Bit), "");

    std::vector<uint8_t> notRgb = real;
    notRgb[10 + 20 + 36 + 28 + 20 + 28 + 16] = 0x40;  // the mode property's flags: greyscale
    EXPECT_EQ(piplRefusal(readPipl(notRgb.data(), notRgb.size()), kIs64Bit), "the filter does not work on RGB images");

    std::vector<uint8_t> notFilter = real;
    notFilter[10 + 16] = 'X';  // kind data
    EXPECT_EQ(piplRefusal(readPipl(notFilter.data(), notFilter.size()), kIs64Bit), "the plug-in is not a filter");

    std::vector<uint8_t> newer = real;
    newer[10 + 20 + 36 + 28 + 16 + 2] = 5;  // vers: 5.0
    EXPECT_NE(piplRefusal(readPipl(newer.data(), newer.size()), kIs64Bit), "");
}

TEST_F(PropertyListReading, SurvivesTruncatedAndLyingLists) {
    const std::vector<uint8_t> real = piplBytes(library->module());
    ASSERT_EQ(real.size(), 206u);
    // The last property has no padding, so every cut takes away data that the list announces.
    for (size_t size = 0; size < real.size(); ++size)
        EXPECT_FALSE(readPipl(real.data(), size).wellFormed) << "cut at " << size;
    std::vector<uint8_t> lying = real;
    lying[6] = 0xFF;  // far more properties than bytes
    EXPECT_FALSE(readPipl(lying.data(), lying.size()).wellFormed);
    lying = real;
    lying[10 + 12 + 3] = 0x7F;  // a data length past the end
    EXPECT_FALSE(readPipl(lying.data(), lying.size()).wellFormed);
}

TEST(PluginLoading, RefusesALibraryWithoutPropertyList) {
    std::string error;
    EXPECT_EQ(vkhost::PluginLibrary::load("kernel32.dll", error), nullptr);
    EXPECT_NE(error.find("no plug-in property list"), std::string::npos) << error;
    EXPECT_EQ(vkhost::PluginLibrary::load("no-such-plugin.8bf", error), nullptr);
    EXPECT_NE(error.find("cannot load"), std::string::npos) << error;
}

} // namespace
} // namespace velokrom::winetest
