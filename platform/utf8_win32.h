#pragma once
// Conversions between the UTF-8 strings of the portable code and the UTF-16 of Win32's wide
// functions. Invalid sequences become U+FFFD.
#include <string>

namespace velokrom {

std::wstring widen(const std::string& utf8);
std::string narrow(const wchar_t* utf16, int length);

} // namespace velokrom
