#include "plugin_library_win32.h"

#include <vector>

#include "platform/utf8_win32.h"

namespace velokrom::vkhost {
namespace {

constexpr bool kIs64Bit = sizeof(void*) == 8;

// Every PIPL resource of the library, in the order the system lists them.
BOOL CALLBACK collectPipl(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR param) {
    auto* lists = reinterpret_cast<std::vector<PiplFacts>*>(param);
    HRSRC found = FindResourceW(module, name, type);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (bytes) lists->push_back(readPipl(static_cast<const uint8_t*>(bytes), SizeofResource(module, found)));
    return TRUE;
}

} // namespace

std::unique_ptr<PluginLibrary> PluginLibrary::load(const std::string& path, std::string& error) {
    HMODULE module = LoadLibraryW(widen(path).c_str());
    if (!module) {
        error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
        return nullptr;
    }
    std::vector<PiplFacts> lists;
    EnumResourceNamesW(module, L"PIPL", collectPipl, reinterpret_cast<LONG_PTR>(&lists));
    error = lists.empty() ? path + " has no plug-in property list" : std::string();
    for (const PiplFacts& facts : lists) {
        const std::string refusal = piplRefusal(facts, kIs64Bit);
        if (!refusal.empty()) {
            error = path + ": " + refusal;
            continue;
        }
        const std::string& name = kIs64Bit ? facts.entry64 : facts.entry32;
        auto entry = reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(GetProcAddress(module, name.c_str())));
        if (!entry) {
            error = path + " does not export " + name;
            continue;
        }
        error.clear();
        return std::unique_ptr<PluginLibrary>(new PluginLibrary(module, facts, entry));
    }
    FreeLibrary(module);
    return nullptr;
}

PluginLibrary::~PluginLibrary() { FreeLibrary(module_); }

EntryCall PluginLibrary::entry() const {
    EntryPoint call = entry_;
    return [call](int16_t selector, void* record, intptr_t* data, int16_t* result) { call(selector, record, data, result); };
}

} // namespace velokrom::vkhost
