// The native emulated host has no device to draw on: its screen is the off-screen copy.
#include "emulated_host.h"

namespace velokrom::vkhost {

void drawOnDevice(void*, const uint8_t*, int32_t, int32_t, int32_t, int32_t) {}

} // namespace velokrom::vkhost
