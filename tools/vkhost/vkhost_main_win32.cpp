// The emulated host on Windows: loads a filter plug-in library as an image editor would (its
// property list must name an RGB filter and the entry for this architecture), gives it a host
// window, and runs it on an image file (PPM or PAM). The filter's own windows appear for real;
// the start dialog and message boxes are answered as --choice and --overwrite say.
// Exit status: 0 when the filter succeeded and OUT was written, 1 when the filter ended with a
// nonzero result (nothing written), 2 on a usage, file or plug-in error.
#include <cstdio>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "dialog_answers_win32.h"
#include "host_session.h"
#include "host_window_win32.h"
#include "image_files.h"
#include "plugin_library_win32.h"

using namespace velokrom;
using namespace velokrom::vkhost;

int main(int argc, char** argv) {
    // Wine hands a pipe to a fully buffered stdout; a crash would lose the report.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] != "run") {
        std::cerr << kRunUsage;
        return 2;
    }
    try {
        const RunArguments run = parseRunArguments(std::vector<std::string>(args.begin() + 1, args.end()));
        HostImage image = readHostImage(run.image, run.alphaPlane || run.layered);
        std::string error;
        const std::unique_ptr<PluginLibrary> library = PluginLibrary::load(run.plugin, error);
        if (!library) throw std::runtime_error(error);

        HostWindow window;
        EmulatedHost host(library->entry());
        int16_t result;
        {
            DialogAnswers answers(run, std::cerr);
            result = runSession(host, run, image, std::cout, reinterpret_cast<intptr_t>(window.handle()));
        }
        return applyFilterResult(result, run.out, image, std::cout);
    } catch (const std::exception& failure) {
        std::cerr << "vkhost: " << failure.what() << "\n";
        return 2;
    }
}
