#pragma once
// The operating-system services of the system the tests run on: Win32 under Wine, POSIX natively.
#ifdef _WIN32
#include "platform/platform_services_win32.h"
#else
#include "platform/platform_services_posix.h"
#endif

namespace velokrom::testing {

#ifdef _WIN32
using SystemPlatformServices = Win32PlatformServices;
#else
using SystemPlatformServices = PosixPlatformServices;
#endif

} // namespace velokrom::testing
