#include "plugin_entry.h"

#include <cstring>

#include "filter_plugin.h"
#include "host/call_context.h"
#include "host/host_handles.h"
#include "host/parameter_block.h"

namespace velokrom {
namespace {

void emptyRequest(FilterRecord& record) {
    record.inRect = Rect{0, 0, 0, 0};
    record.outRect = Rect{0, 0, 0, 0};
}

void onParameters(CallContext& context, PlatformServices& platform) {
    FilterRecord& record = *static_cast<FilterRecord*>(context.record);
    if (!handleData(record.parameters)) {
        Handle block = newHandle(platform, kParameterBlockSize);
        if (!block) {
            context.result = memFullErr;
            return;
        }
        record.parameters = block;
        ParameterBlock(handleData(block)).initialise();
    }
    ParameterBlock(handleData(record.parameters)).setStartDialogPending(true);
}

void onStart(CallContext& context, PluginEnvironment& environment) {
    {
        FilterPlugin plugin(context, environment);
        try {
            plugin.runStart();
        } catch (...) {
            // Before the plug-in object goes, so that it stores nothing of a broken run.
            context.result = memFullErr;
        }
    }
    emptyRequest(*static_cast<FilterRecord*>(context.record));
}

void dispatch(int16_t selector, CallContext& context, PluginEnvironment& environment) {
    if (selector != filterSelectorAbout && selector >= filterSelectorParameters && selector <= filterSelectorFinish &&
        !context.record) {
        context.result = filterBadParameters;
        return;
    }
    switch (selector) {
    case filterSelectorAbout: {
        const auto* about = static_cast<const AboutRecord*>(context.record);
        const auto* platformData = about ? static_cast<const PlatformData*>(about->platformData) : nullptr;
        showAboutBox(environment.platform, platformData ? reinterpret_cast<WindowHandle>(platformData->hwnd) : nullptr);
        break;
    }
    case filterSelectorParameters: onParameters(context, environment.platform); break;
    case filterSelectorPrepare: static_cast<FilterRecord*>(context.record)->bufferSpace = 0; break;
    case filterSelectorStart: onStart(context, environment); break;
    case filterSelectorContinue: emptyRequest(*static_cast<FilterRecord*>(context.record)); break;
    case filterSelectorFinish: break;
    default: context.result = filterBadParameters; break;
    }
}

} // namespace

void pluginEntry(int16_t selector, void* record, intptr_t* data, int16_t* result, PluginEnvironment& environment) noexcept {
    if (!result) return;
    if (!data) {
        *result = filterBadParameters;
        return;
    }
    try {
        Handle handle = reinterpret_cast<Handle>(*data);
        if (!handleData(handle)) {
            handle = newHandle(environment.platform, sizeof(CallContext));
            if (!handle) {
                *result = memFullErr;
                return;
            }
            *data = reinterpret_cast<intptr_t>(handle);
        }
        CallContext context;
        std::memcpy(&context, handleData(handle), sizeof context);
        context.record = record;
        context.result = noErr;
        dispatch(selector, context, environment);
        *result = context.result;
        std::memcpy(handleData(handle), &context, sizeof context);
    } catch (...) {
        *result = memFullErr;
    }
}

} // namespace velokrom
