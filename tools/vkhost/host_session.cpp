#include "host_session.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "host/parameter_block.h"

namespace velokrom::vkhost {
namespace {

std::vector<uint8_t> readParameterFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return {};  // no block kept yet
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (bytes.size() != kParameterBlockSize)
        throw std::runtime_error("'" + path + "' is not a parameter block of " + std::to_string(kParameterBlockSize) +
                                 " bytes");
    return bytes;
}

void writeParameterFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!file.flush()) throw std::runtime_error("cannot write '" + path + "'");
    }
    std::remove(path.c_str());  // rename does not replace on every system
    if (std::rename(temporary.c_str(), path.c_str()) != 0) throw std::runtime_error("cannot write '" + path + "'");
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
