#pragma once
// The module these resources and dialogs belong to: the plug-in DLL when linked into it, the
// program when linked into an executable. GetModuleHandle(NULL) would be the host program,
// where our dialogs and strings do not exist.
#include <windows.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace velokrom {

inline HINSTANCE moduleInstance() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

} // namespace velokrom
