#include "cli.h"

#include <new>

#include "cli_error.h"
#include "commands.h"
#include "image_io/image_file.h"
#include "printable_name.h"

namespace velokrom::cli {
namespace {

constexpr const char* kUsage =
    "velokrom: chroma keying from the command line\n"
    "\n"
    "  velokrom key FOREGROUND [--background BG] [--load IN.vkp] OPS... --save OUT.vkp\n"
    "      build a key from sample points and save it as a settings file\n"
    "  velokrom render FOREGROUND --key KEY.vkp (--background BG | --gray) --out OUT [--matte MATTE]\n"
    "      composite the foreground over the background through a key\n"
    "  velokrom info KEY.vkp\n"
    "      print what a settings file holds\n"
    "\n"
    "  velokrom --version\n"
    "      print the version, the same as the plug-in libraries'\n"
    "\n"
    "'velokrom COMMAND --help' tells more about each command.\n";

} // namespace

int run(const std::vector<std::string>& words, std::ostream& out, std::ostream& err, bool errIsTerminal) {
    try {
        Arguments args(words);
        if (args.empty()) throw CliError("no command given; 'velokrom --help' lists them");
        const std::string command = args.take();
        if (command == "--help" || command == "-h" || command == "help") {
            out << kUsage;
            return kExitOk;
        }
        if (command == "--version") {
            out << "velokrom " << VELOKROM_VERSION << '\n';
            return kExitOk;
        }
        if (command == "key") return runKey(args, out, err);
        if (command == "render") return runRender(args, out, err, errIsTerminal);
        if (command == "info") return runInfo(args, out);
        throw CliError("unknown command '" + command + "'; 'velokrom --help' lists them");
    } catch (const CliError& error) {
        err << "velokrom: " << printable(error.what()) << '\n';
    } catch (const ImageFileError& error) {
        err << "velokrom: " << printable(error.what()) << '\n';
    } catch (const std::bad_alloc&) {
        err << "velokrom: not enough memory for these images\n";
    }
    return kExitError;
}

} // namespace velokrom::cli
