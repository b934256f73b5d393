// The library's one export. A host finds it by the name in the property list and calls it with
// the C calling convention; everything behind it is the portable entry with the Win32 services.
#include <cstdint>

#include "host/photoshop_filter.h"
#include "platform/platform_services_win32.h"
#include "plugin_entry.h"
#include "ui/dialog_services_win32.h"

namespace {

velokrom::Win32PlatformServices platformServices;
velokrom::Win32DialogServices dialogServices;

} // namespace

extern "C" __declspec(dllexport) void VK_PSAPI ENTRYPOINT(int16_t selector, void* record, intptr_t* data,
                                                          int16_t* result) {
    velokrom::PluginEnvironment environment{platformServices, dialogServices};
    velokrom::pluginEntry(selector, record, data, result, environment);
}
