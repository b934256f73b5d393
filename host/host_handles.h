#pragma once
// Handles handed to the host: the address of a control block holding the data block's address
// and the tag "OTOF" right after it. Both blocks come from the platform's host-block allocator
// (zero-filled, locked for life) and are never freed by the filter.
#include <cstddef>
#include <cstdint>

#include "photoshop_filter.h"
#include "platform/platform_services.h"

namespace velokrom {

// Size of the control block: the data address and the 4-byte tag.
constexpr size_t kHandleControlSize = sizeof(void*) + 4;

// The outcome of the last newHandle: 0, or memFullErr.
OSErr& newHandleError();

// A handle to size zeroed bytes, or null (newHandleError() is then memFullErr).
Handle newHandle(PlatformServices& platform, size_t size);

// The data of a handle the host gives back, read only through its first member (the host may
// have rebuilt the handle with its own allocator). Null for a null handle.
inline uint8_t* handleData(Handle handle) { return handle ? reinterpret_cast<uint8_t*>(*handle) : nullptr; }

} // namespace velokrom
