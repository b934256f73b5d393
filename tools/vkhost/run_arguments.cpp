#include "run_arguments.h"

#include <cstdio>
#include <stdexcept>

namespace velokrom::vkhost {

const char* const kRunUsage =
    "usage: vkhost run PLUGIN --image IN --out OUT [--selection x0,y0:x1,y1] [--alpha-plane] [--layered]\n"
    "                  [--repeat] [--params FILE] [--choice save|saved|gray|cancel] [--overwrite yes|no]\n"
    "                  [--window ok|cancel] [--abort-after N] [--drive-root DIR]\n";

namespace {

int32_t parseCount(const std::string& text, const std::string& option) {
    int value = 0;
    char end = 0;
    if (std::sscanf(text.c_str(), "%d%c", &value, &end) != 1 || value < 0)
        throw std::runtime_error(option + " needs a number, not '" + text + "'");
    return value;
}

} // namespace

RunArguments parseRunArguments(const std::vector<std::string>& args) {
    RunArguments run;
    if (args.empty()) throw std::runtime_error("no plug-in given");
    run.plugin = args[0];
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& option = args[i];
        auto value = [&]() -> const std::string& {
            if (i + 1 >= args.size()) throw std::runtime_error(option + " needs a value");
            return args[++i];
        };
        if (option == "--image") {
            run.image = value();
        } else if (option == "--out") {
            run.out = value();
        } else if (option == "--selection") {
            const std::string& text = value();
            char end = 0;
            if (std::sscanf(text.c_str(), "%d,%d:%d,%d%c", &run.x0, &run.y0, &run.x1, &run.y1, &end) != 4 ||
                run.x0 < 0 || run.y0 < 0 || run.x1 < run.x0 || run.y1 < run.y0)
                throw std::runtime_error("--selection needs x0,y0:x1,y1 with x0 <= x1 and y0 <= y1, not '" + text + "'");
            run.hasSelection = true;
        } else if (option == "--alpha-plane") {
            run.alphaPlane = true;
        } else if (option == "--layered") {
            run.layered = true;
        } else if (option == "--repeat") {
            run.repeat = true;
        } else if (option == "--params") {
            run.params = value();
        } else if (option == "--choice") {
            const std::string& text = value();
            if (text == "save") run.choice = kSaveAsBackground;
            else if (text == "saved") run.choice = kOverSavedBackground;
            else if (text == "gray") run.choice = kOverNeutralGray;
            else if (text == "cancel") run.cancelStartDialog = true;
            else throw std::runtime_error("--choice is save, saved, gray or cancel, not '" + text + "'");
        } else if (option == "--overwrite") {
            const std::string& text = value();
            if (text != "yes" && text != "no") throw std::runtime_error("--overwrite is yes or no, not '" + text + "'");
            run.overwrite = text == "yes";
        } else if (option == "--window") {
            const std::string& text = value();
            if (text != "ok" && text != "cancel") throw std::runtime_error("--window is ok or cancel, not '" + text + "'");
            run.windowOk = text == "ok";
        } else if (option == "--abort-after") {
            run.abortAfter = parseCount(value(), option);
        } else if (option == "--drive-root") {
            run.driveRoot = value();
        } else {
            throw std::runtime_error("unknown option '" + option + "'");
        }
    }
    if (run.image.empty() || run.out.empty()) throw std::runtime_error("--image and --out are required");
    if (run.alphaPlane && run.layered) throw std::runtime_error("--alpha-plane and --layered exclude each other");
    return run;
}

} // namespace velokrom::vkhost
