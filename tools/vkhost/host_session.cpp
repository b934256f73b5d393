#include "host_session.h"

#include <cstdio>
#include <stdexcept>

#include "platform/replacement_file.h"
#include "host/parameter_block.h"

namespace velokrom::vkhost {
namespace {

// At most one byte more than a block is read: enough to tell a longer file, and a device that
// never ends cannot make the host grow without bound.
std::vector<uint8_t> readParameterFile(const std::string& path) {
    const std::string notAFile = nonFileReason(path);
    if (!notAFile.empty()) throw std::runtime_error("'" + path + "' " + notAFile);
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return {};  // no block kept yet
    std::vector<uint8_t> bytes(kParameterBlockSize + 1);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    std::fclose(file);
    if (bytes.size() != kParameterBlockSize)
        throw std::runtime_error("'" + path + "' is not a parameter block of " + std::to_string(kParameterBlockSize) +
                                 " bytes");
    return bytes;
}

// Renamed over the old block in one step: a killed run leaves the old block or the new one.
void writeParameterFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    ReplacementFile file(path);
    if (!file.write(bytes.data(), bytes.size()) || !file.commit())
        throw std::runtime_error("cannot write '" + path + "': " + file.error());
}

} // namespace

const char* selectorName(int16_t selector) {
    switch (selector) {
    case filterSelectorAbout: return "about";
    case filterSelectorParameters: return "parameters";
    case filterSelectorPrepare: return "prepare";
    case filterSelectorStart: return "start";
    case filterSelectorContinue: return "continue";
    case filterSelectorFinish: return "finish";
    default: return "unknown";
    }
}

HostOptions hostOptionsFor(const RunArguments& run, const HostImage& image) {
    HostOptions options;
    options.layered = run.layered;
    options.abortAfterProgressCalls = run.abortAfter;
    if (run.hasSelection) {
        if (run.x1 >= image.width || run.y1 >= image.height)
            throw std::runtime_error("the selection reaches past the image");
        options.hasSelection = true;
        options.selection = Rect{static_cast<int16_t>(run.y0), static_cast<int16_t>(run.x0),
                                 static_cast<int16_t>(run.y1 + 1), static_cast<int16_t>(run.x1 + 1)};
    }
    return options;
}

int16_t runSession(EmulatedHost& host, const RunArguments& run, HostImage& image, std::ostream& report,
                   intptr_t hostWindow) {
    if (!run.params.empty()) {
        const std::vector<uint8_t> kept = readParameterFile(run.params);
        if (!kept.empty()) host.restoreParameters(kept);
    }
    HostOptions options = hostOptionsFor(run, image);
    options.hostWindow = hostWindow;
    const int16_t result = host.runFilter(image, options, !run.repeat);
    for (const SelectorCall& call : host.calls())
        report << selectorName(call.selector) << ": " << call.result << "\n";
    if (!run.params.empty() && host.parameters()) writeParameterFile(run.params, host.parameterBytes(kParameterBlockSize));
    return result;
}

} // namespace velokrom::vkhost
