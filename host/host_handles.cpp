#include "host_handles.h"

#include <cstring>

namespace velokrom {

OSErr& newHandleError() {
    static OSErr error = noErr;
    return error;
}

Handle newHandle(PlatformServices& platform, size_t size) {
    newHandleError() = noErr;
    void* control = platform.allocateHostBlock(kHandleControlSize);
    void* data = control ? platform.allocateHostBlock(size) : nullptr;
    if (!control || !data) {
        newHandleError() = memFullErr;
        return nullptr;
    }
    std::memcpy(control, &data, sizeof data);
    std::memcpy(static_cast<char*>(control) + sizeof data, "OTOF", 4);
    return static_cast<Handle>(control);
}

} // namespace velokrom
