// The native emulated host. The plug-in is linked in, so PLUGIN must be "builtin"; the start
// dialog is answered by --choice, message boxes go to the standard error stream, and the main
// window, which has no window system here, ends as --window says or else at once, as Cancel.
// Exit status: 0 when the filter succeeded and OUT was written, 1 when the filter ended with a
// nonzero result (nothing written), 2 on a usage or file error.
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "host_session.h"
#include "image_files.h"
#include "platform/platform_services_posix.h"
#include "plugin/plugin_entry.h"
#include "scripted_dialogs.h"

using namespace velokrom;
using namespace velokrom::vkhost;

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] != "run") {
        std::cerr << kRunUsage;
        return 2;
    }
    try {
        const RunArguments run = parseRunArguments(std::vector<std::string>(args.begin() + 1, args.end()));
        if (run.plugin != "builtin") throw std::runtime_error("the native host runs the linked-in plug-in: PLUGIN is 'builtin'");
        HostImage image = readHostImage(run.image, run.alphaPlane || run.layered);

        PosixPlatformServices platform(run.driveRoot, run.overwrite ? MessageAnswer::Yes : MessageAnswer::No);
        ScriptedDialogs dialogs;
        if (run.cancelStartDialog) dialogs.startAnswers.push_back(std::nullopt);
        else if (run.choice) dialogs.startAnswers.push_back(*run.choice);
        if (run.windowOk) dialogs.interactive = [ok = *run.windowOk](MainWindow& window) { window.endInteractive(ok); };
        PluginEnvironment environment{platform, dialogs};
        EmulatedHost host([&](int16_t selector, void* record, intptr_t* data, int16_t* result) {
            pluginEntry(selector, record, data, result, environment);
        });

        return applyFilterResult(runSession(host, run, image, std::cout), run.out, image, std::cout);
    } catch (const std::exception& error) {
        std::cerr << "vkhost: " << error.what() << "\n";
        return 2;
    }
}
