#pragma once
// A filter plug-in library loaded the way a Windows host loads one: the library, its property
// list (resource type "PIPL"), and the entry that the list names for this architecture.
#include <windows.h>

#include <memory>
#include <utility>
#include <string>

#include "emulated_host.h"
#include "pipl_win32.h"

namespace velokrom::vkhost {

class PluginLibrary {
public:
    // Null, with the reason in error, when the library cannot be loaded, has no property list for
    // an RGB filter, or lacks the named export.
    static std::unique_ptr<PluginLibrary> load(const std::string& path, std::string& error);
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    HMODULE module() const { return module_; }
    const PiplFacts& pipl() const { return pipl_; }
    EntryCall entry() const;

private:
    using EntryPoint = void(VK_PSAPI*)(int16_t selector, void* record, intptr_t* data, int16_t* result);
    PluginLibrary(HMODULE library, PiplFacts facts, EntryPoint call)
        : module_(library), pipl_(std::move(facts)), entry_(call) {}

    HMODULE module_;
    PiplFacts pipl_;
    EntryPoint entry_;
};

} // namespace velokrom::vkhost
