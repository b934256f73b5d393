#include "printable_name.h"

namespace velokrom::cli {

std::string printable(const std::string& text) {
    static const char kHex[] = "0123456789abcdef";
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7f) {
            result += c;
            continue;
        }
        result += "\\x";
        result += kHex[byte >> 4];
        result += kHex[byte & 15];
    }
    return result;
}

} // namespace velokrom::cli
