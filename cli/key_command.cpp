// velokrom key: sample drags on the foreground, applied in order, then the key saved.
#include <array>
#include <optional>

#include "cli_error.h"
#include "commands.h"
#include "engine/color_tuning.h"
#include "file_identity.h"
#include "image_io/image_file.h"
#include "key_file.h"
#include "printable_name.h"
#include "sample_points.h"

namespace velokrom::cli {
namespace {

constexpr const char* kHelp =
    "usage: velokrom key FOREGROUND [--background BG] [--load IN.vkp] OPS... --save OUT.vkp\n"
    "\n"
    "Builds a key from pixels of FOREGROUND, as drags in the plug-in's window would, and saves it.\n"
    "The key starts cleared unless --load gives one. OPS are applied in the order given:\n"
    "  --auto PTS               Auto Setup: the averaged colour becomes the key colour\n"
    "  --select-background PTS  these colours become fully transparent\n"
    "  --select-foreground PTS  these colours stay unchanged and opaque\n"
    "  --tune PTS [--sliders D,H,L]\n"
    "                           Tune Colors around the averaged colour; D, H, L are the\n"
    "                           De-Color, Clip High and Clip Low slider positions (-1000..1000,\n"
    "                           0 by default); needs --background\n"
    "PTS is a list of pixels 'x,y;x,y;...' or an inclusive rectangle 'x0,y0:x1,y1' (taken row by\n"
    "row); a drag keeps its first 1000 pixels. Without --background the background is neutral grey.\n"
    "--max-megapixels N refuses images of more than N megapixels (100 by default).\n"
    "Grey images key as grey in all three channels; alpha and further channels are ignored;\n"
    "16-bit samples are rounded to 8 bits, floating-point ones clamped to 0..1 (NaN as 0).\n";

constexpr size_t kDragCapacity = 1000;

struct Drag {
    KeyOperation operation;
    SamplePoints points;
    std::optional<std::array<int32_t, 3>> sliders;  // tuning only
};

struct KeyRequest {
    std::string foreground, background, load, save;
    std::vector<Drag> drags;
    int64_t maxPixels = kDefaultMaxPixels;
};

KeyRequest parse(Arguments& args) {
    KeyRequest request;
    while (!args.empty()) {
        const std::string word = args.take();
        if (word == "--background") args.valueOnce(word, request.background);
        else if (word == "--load") args.valueOnce(word, request.load);
        else if (word == "--save") args.valueOnce(word, request.save);
        else if (word == "--max-megapixels") request.maxPixels = parseMaxMegapixels(args.valueOf(word));
        else if (word == "--auto") request.drags.push_back({kAutoSetup, SamplePoints::parse(args.valueOf(word)), {}});
        else if (word == "--select-background")
            request.drags.push_back({kSelectBackground, SamplePoints::parse(args.valueOf(word)), {}});
        else if (word == "--select-foreground")
            request.drags.push_back({kSelectForeground, SamplePoints::parse(args.valueOf(word)), {}});
        else if (word == "--tune") request.drags.push_back({kTuneColors, SamplePoints::parse(args.valueOf(word)), {}});
        else if (word == "--sliders") {
            if (request.drags.empty() || request.drags.back().operation != kTuneColors || request.drags.back().sliders)
                throw CliError("--sliders belongs right after a --tune");
            const auto v = parseIntegerList(args.valueOf(word), 3, -kTuningSliderLimit, kTuningSliderLimit, "--sliders");
            request.drags.back().sliders = std::array<int32_t, 3>{v[0], v[1], v[2]};
        } else if (isOption(word)) throw CliError("key: unknown option '" + word + "'");
        else if (request.foreground.empty()) request.foreground = word;
        else throw CliError("key: unexpected argument '" + word + "'");
    }
    if (request.foreground.empty()) throw CliError("key needs a FOREGROUND image");
    if (request.save.empty()) throw CliError("key needs --save OUT.vkp");
    for (const Drag& drag : request.drags)
        if (drag.operation == kTuneColors && request.background.empty()) throw CliError("--tune needs --background");
    return request;
}

// One drag as the display window makes it: the first pixel begins it, each further one extends
// it, and releasing the button applies the operation.
void drag(MemoryImageAccess& engine, const Drag& d) {
    engine.keyOperation = d.operation;
    replayDrag(engine, d.points.expand(kDragCapacity));
    if (d.operation != kTuneColors) return;
    const std::array<int32_t, 3> sliders = d.sliders.value_or(std::array<int32_t, 3>{0, 0, 0});
    engine.beginTuning();
    for (int32_t index = 0; index < 3; ++index) engine.adjustTuning(index, tuningSliderValue(sliders[index]));
    engine.applyTuning();
}

} // namespace

int runKey(Arguments& args, std::ostream& out, std::ostream& notes) {
    if (args.asksForHelp()) {
        out << kHelp;
        return kExitOk;
    }
    const KeyRequest request = parse(args);

    // Everything is read and checked before the key changes or anything is written.
    FileIdentities identities;
    identities.addInput(request.foreground, "foreground");
    identities.addInput(request.background, "background");
    identities.addInput(request.load, "key");
    identities.addOutput(request.save, "key");
    RgbImage foreground = readRgbImage(request.foreground, "foreground", request.maxPixels);
    const ImageSize size{foreground.width, foreground.height};
    RgbImage background = request.background.empty() ? RgbImage(size.width, size.height, 127)
                                                     : readRgbImage(request.background, "background", request.maxPixels);
    if (!(ImageSize{background.width, background.height} == size))
        throw CliError("the background is " + std::to_string(background.width) + " x " +
                       std::to_string(background.height) + " but the foreground is " + std::to_string(size.width) +
                       " x " + std::to_string(size.height));
    for (const Drag& d : request.drags) d.points.checkInside(size.width, size.height);
    std::optional<KeyModelRecord> loaded;
    if (!request.load.empty()) loaded = readKeyFile(request.load);

    // Each drag re-runs the composite as in the window; only the key is kept, so no matte and
    // no defocused image are needed.
    MemoryImageAccess engine(std::move(foreground), std::move(background), MemoryImageLayout{false, false});
    engine.blendMode = kBlendDirect;
    clearKeyModel();
    if (loaded) restoreLiveKey(*loaded);
    for (const Drag& d : request.drags) drag(engine, d);

    writeKeyFile(request.save);
    // Remarks only for a command that did its work: a refused one prints its one error line.
    for (const Drag& d : request.drags)
        if (d.points.count() > static_cast<int64_t>(kDragCapacity))
            notes << "velokrom: note: a drag keeps its first " << kDragCapacity << " of " << d.points.count()
                  << " pixels; a rectangle's first rows are taken\n";
    out << "key saved to " << printable(request.save) << '\n';
    return kExitOk;
}

} // namespace velokrom::cli
