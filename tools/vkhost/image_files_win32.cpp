// The Windows host's image files: binary Netpbm, PPM (P6, RGB) and PAM (P7, RGB or RGB_ALPHA),
// 8 bits per sample. The native host reads and writes them too (through OpenImageIO), so
// the two hosts can run on the same files.
#include <windows.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "image_files.h"
#include "platform/replacement_file.h"
#include "platform/utf8_win32.h"

namespace velokrom::vkhost {
namespace {

std::vector<uint8_t> readWholeFile(const std::string& path) {
    std::FILE* file = _wfopen(widen(path).c_str(), L"rb");
    if (!file) throw std::runtime_error("cannot read '" + path + "'");
    std::vector<uint8_t> bytes;
    uint8_t chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.insert(bytes.end(), chunk, chunk + n);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) throw std::runtime_error("cannot read '" + path + "'");
    return bytes;
}

// The header's whitespace-separated words; '#' starts a comment up to the end of the line.
class HeaderReader {
public:
    explicit HeaderReader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}
    std::string word() {
        skipSpace();
        std::string w;
        while (at_ < bytes_.size() && !isSpace(bytes_[at_])) w += static_cast<char>(bytes_[at_++]);
        return w;
    }
    std::string line() {
        skipSpace();
        std::string l;
        while (at_ < bytes_.size() && bytes_[at_] != '\n') l += static_cast<char>(bytes_[at_++]);
        return l;
    }
    // The raster starts after exactly one whitespace byte following the header.
    size_t rasterStart() { return at_ + 1; }

private:
    static bool isSpace(uint8_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
    void skipSpace() {
        while (at_ < bytes_.size() && (isSpace(bytes_[at_]) || bytes_[at_] == '#')) {
            if (bytes_[at_] == '#')
                while (at_ < bytes_.size() && bytes_[at_] != '\n') ++at_;
            else
                ++at_;
        }
    }
    const std::vector<uint8_t>& bytes_;
    size_t at_ = 0;
};

int32_t dimension(const std::string& word, const std::string& path) {
    // Host images have 16-bit sizes.
    if (word.empty() || word.size() > 5 || word.find_first_not_of("0123456789") != std::string::npos)
        throw std::runtime_error("'" + path + "' has a bad header");
    const int32_t v = std::stoi(word);
    if (v < 1 || v > 32767) throw std::runtime_error("'" + path + "' is not an image a host could hold");
    return v;
}

bool endsWith(const std::string& s, const char* suffix) {
    const std::string t(suffix);
    if (s.size() < t.size()) return false;
    std::string tail = s.substr(s.size() - t.size());
    for (char& c : tail) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return tail == t;
}

} // namespace

HostImage readHostImage(const std::string& path, bool withFourthPlane) {
    const std::vector<uint8_t> bytes = readWholeFile(path);
    HeaderReader header(bytes);
    const std::string magic = header.word();
    int32_t width = 0, height = 0, depth = 3;
    std::string maxval;
    if (magic == "P6") {
        width = dimension(header.word(), path);
        height = dimension(header.word(), path);
        maxval = header.word();
    } else if (magic == "P7") {
        for (std::string l = header.line(); l != "ENDHDR"; l = header.line()) {
            if (l.empty()) throw std::runtime_error("'" + path + "' has a bad header");
            const size_t space = l.find(' ');
            const std::string key = l.substr(0, space);
            const std::string value = space == std::string::npos ? "" : l.substr(l.find_first_not_of(' ', space));
            if (key == "WIDTH") width = dimension(value, path);
            if (key == "HEIGHT") height = dimension(value, path);
            if (key == "DEPTH") depth = value == "3" ? 3 : value == "4" ? 4 : 0;
            if (key == "MAXVAL") maxval = value;
        }
        if (width == 0 || height == 0 || depth == 0) throw std::runtime_error("'" + path + "' is not an RGB or RGBA PAM");
    } else {
        throw std::runtime_error("'" + path + "' is not a binary PPM or PAM file");
    }
    if (maxval != "255") throw std::runtime_error("'" + path + "' does not have 8-bit samples");
    const size_t start = header.rasterStart();
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    if (start > bytes.size() || bytes.size() - start < count * static_cast<size_t>(depth))
        throw std::runtime_error("'" + path + "' is truncated");

    HostImage image(width, height, withFourthPlane ? 4 : 3, 255);
    const uint8_t* sample = bytes.data() + start;
    for (size_t i = 0; i < count; ++i, sample += depth) {
        uint8_t* out = image.pixels.data() + i * static_cast<size_t>(image.planes);
        for (int c = 0; c < 3; ++c) out[c] = sample[c];
        if (withFourthPlane && depth == 4) out[3] = sample[3];
    }
    return image;
}

void writeHostImage(const std::string& path, const HostImage& image) {
    const bool pam = endsWith(path, ".pam");
    if (!pam && !endsWith(path, ".ppm")) throw std::runtime_error("'" + path + "': write .ppm or .pam files");
    if (!pam && image.planes != 3) throw std::runtime_error("'" + path + "': an image with alpha needs a .pam file");
    std::string header;
    if (pam)
        header = "P7\nWIDTH " + std::to_string(image.width) + "\nHEIGHT " + std::to_string(image.height) + "\nDEPTH " +
                 std::to_string(image.planes) + "\nMAXVAL 255\nTUPLTYPE " + (image.planes == 4 ? "RGB_ALPHA" : "RGB") +
                 "\nENDHDR\n";
    else
        header = "P6\n" + std::to_string(image.width) + " " + std::to_string(image.height) + "\n255\n";

    // Written beside the target and moved over it only when complete: a failed or killed write
    // leaves an existing file as it was.
    ReplacementFile file(path);
    if (!file.write(header.data(), header.size()) || !file.write(image.pixels.data(), image.pixels.size()) ||
        !file.commit())
        throw std::runtime_error("cannot write '" + path + "': " + file.error());
}

} // namespace velokrom::vkhost
