#pragma once
#include <cstdint>

namespace velokrom {

// What the filter keeps in the host's data handle: the current call's result and record.
// 8 bytes on 32-bit Windows; the record is pointer-sized everywhere.
struct CallContext {
    int16_t result;
    int16_t spare;  // carried along, never used
    void* record;   // FilterRecord, or AboutRecord on the about selector
};
static_assert(sizeof(CallContext) == 2 * sizeof(void*), "result, spare and the record pointer");

} // namespace velokrom
