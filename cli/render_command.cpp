// velokrom render: the plug-in's final pass on image files, one frame or a numbered sequence.
#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "cli_error.h"
#include "commands.h"
#include "frame_pattern.h"
#include "image_file.h"
#include "key_file.h"
#include "progress_bar.h"

namespace velokrom::cli {
namespace {

constexpr const char* kHelp =
    "usage: velokrom render FOREGROUND --key KEY.vkp (--background BG | --gray) --out OUT\n"
    "                       [--matte MATTE] [--alpha] [--blend direct|defocused|solid] [--solid R,G,B]\n"
    "                       [--frames A-B] [--quiet]\n"
    "\n"
    "Composites FOREGROUND over the background through the key saved in KEY.vkp.\n"
    "  --background BG  the background picture, the size of the foreground\n"
    "  --gray           neutral grey instead of a background picture\n"
    "  --out OUT        the composite, RGB (RGBA with --alpha: the matte as alpha)\n"
    "  --matte MATTE    the matte, 8-bit grey\n"
    "  --blend MODE     the reference colour that partly keyed pixels are blended towards: the\n"
    "                   background (direct), the background blurred 32 x 32 (defocused, the\n"
    "                   default) or a solid colour\n"
    "  --solid R,G,B    that solid colour, 0..255 each (default 127, 127, 127)\n"
    "  --frames A-B     FOREGROUND, OUT, MATTE and BG may hold a frame number (%04d): render\n"
    "                   frames A to B; a BG without a frame number serves every frame\n"
    "  --quiet          no progress bar\n";

struct RenderRequest {
    std::string foreground, key, background, out, matte;
    bool gray = false, alpha = false, quiet = false;
    int32_t blendMode = kBlendDefocused;
    uint16_t solidColor[4] = {32767, 32767, 32767, 65535};
    std::optional<FrameRange> frames;
};

struct FrameFiles {
    std::string foreground, background, out, matte;
};

int32_t parseBlend(const std::string& name) {
    if (name == "direct") return kBlendDirect;
    if (name == "defocused") return kBlendDefocused;
    if (name == "solid") return kBlendSolidColor;
    throw CliError("--blend: '" + name + "' is not one of direct, defocused, solid");
}

RenderRequest parse(Arguments& args) {
    RenderRequest request;
    while (!args.empty()) {
        const std::string word = args.take();
        if (word == "--key") args.valueOnce(word, request.key);
        else if (word == "--background") args.valueOnce(word, request.background);
        else if (word == "--out") args.valueOnce(word, request.out);
        else if (word == "--matte") args.valueOnce(word, request.matte);
        else if (word == "--gray") request.gray = true;
        else if (word == "--alpha") request.alpha = true;
        else if (word == "--quiet") request.quiet = true;
        else if (word == "--blend") request.blendMode = parseBlend(args.valueOf(word));
        else if (word == "--solid") {
            const auto rgb = parseIntegerList(args.valueOf(word), 3, 0, 255, "--solid");
            for (int c = 0; c < 3; ++c) request.solidColor[c] = static_cast<uint16_t>(rgb[c] << 8);
        } else if (word == "--frames") request.frames = parseFrameRange(args.valueOf(word));
        else if (isOption(word)) throw CliError("render: unknown option '" + word + "'");
        else if (request.foreground.empty()) request.foreground = word;
        else throw CliError("render: unexpected argument '" + word + "'");
    }
    if (request.foreground.empty()) throw CliError("render needs a FOREGROUND image");
    if (request.key.empty()) throw CliError("render needs --key KEY.vkp");
    if (request.out.empty()) throw CliError("render needs --out OUT");
    if (request.gray == !request.background.empty()) throw CliError("render needs either --background BG or --gray");
    if (request.out == request.matte) throw CliError("--out and --matte name the same file");
    return request;
}

// Names every frame's files. Without --frames the names are taken as they stand.
class FrameNames {
public:
    explicit FrameNames(const RenderRequest& r)
        : foreground_(r.frames ? FramePattern(r.foreground) : FramePattern("")),
          background_(r.frames ? FramePattern(r.background) : FramePattern("")),
          out_(r.frames ? FramePattern(r.out) : FramePattern("")),
          matte_(r.frames ? FramePattern(r.matte) : FramePattern("")),
          request_(r) {
        if (!r.frames) return;
        if (!foreground_.hasFrame()) throw CliError("--frames needs a frame number (%04d) in FOREGROUND");
        if (!out_.hasFrame()) throw CliError("--frames needs a frame number (%04d) in OUT");
        if (!r.matte.empty() && !matte_.hasFrame()) throw CliError("--frames needs a frame number (%04d) in MATTE");
    }

    bool backgroundPerFrame() const { return background_.hasFrame(); }

    FrameFiles of(int32_t frame) const {
        if (!request_.frames) return {request_.foreground, request_.background, request_.out, request_.matte};
        return {foreground_.name(frame), request_.gray ? "" : background_.name(frame), out_.name(frame),
                request_.matte.empty() ? "" : matte_.name(frame)};
    }

private:
    FramePattern foreground_, background_, out_, matte_;
    const RenderRequest& request_;
};

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code errorA, errorB;
    const auto canonicalA = std::filesystem::weakly_canonical(a, errorA);
    const auto canonicalB = std::filesystem::weakly_canonical(b, errorB);
    return errorA || errorB ? a == b : canonicalA == canonicalB;
}

// Everything that can be known before rendering: no output is written when a frame is missing,
// unreadable or of the wrong size, or when an output would replace an input.
void checkFrames(const RenderRequest& request, const FrameNames& names, const FrameRange& range) {
    std::optional<ImageSize> sharedBackground;
    for (int32_t frame = range.first;; ++frame) {
        const FrameFiles files = names.of(frame);
        const ImageSize size = probeImage(files.foreground, "foreground");
        if (!request.gray) {
            if (!sharedBackground || names.backgroundPerFrame()) sharedBackground = probeImage(files.background, "background");
            if (!(*sharedBackground == size))
                throw CliError("background '" + files.background + "' is " + std::to_string(sharedBackground->width) +
                               " x " + std::to_string(sharedBackground->height) + " but foreground '" +
                               files.foreground + "' is " + std::to_string(size.width) + " x " +
                               std::to_string(size.height));
        }
        for (const std::string* output : {&files.out, &files.matte})
            for (const std::string* input : {&files.foreground, &files.background})
                if (!output->empty() && !input->empty() && sameFile(*output, *input))
                    throw CliError("'" + *output + "' is an input; choose another output name");
        if (frame == range.last) break;
    }
}

// The engine for one background: the composite goes over the source rows, the matte and the
// defocused image exist only when something needs them.
std::unique_ptr<MemoryImageAccess> prepareEngine(const RenderRequest& request, RgbImage foreground, const FrameFiles& files) {
    const int32_t width = foreground.width, height = foreground.height;
    RgbImage background = request.gray ? RgbImage(width, height, 127) : readRgbImage(files.background, "background");
    const bool defocus = request.blendMode == kBlendDefocused;
    auto engine = std::make_unique<MemoryImageAccess>(
        std::move(foreground), std::move(background),
        MemoryImageLayout{!request.matte.empty() || request.alpha, defocus, false});
    engine->blendMode = request.blendMode;
    std::copy(request.solidColor, request.solidColor + 4, engine->solidColor);
    if (defocus) {
        // Neutral grey is its own blur.
        if (request.gray) engine->defocused = RgbImage(width, height, 127);
        else if (!engine->buildDefocusedBackground()) throw CliError("not enough memory to defocus the background");
    }
    return engine;
}

std::vector<PendingImage> writeOutputs(MemoryImageAccess& engine, const RenderRequest& request, const FrameFiles& files) {
    const ImageSize size{engine.imageWidth, engine.imageHeight};
    const size_t width = static_cast<size_t>(size.width);
    RgbImage& composite = engine.composite();
    std::vector<PendingImage> written;
    if (request.alpha) {
        std::vector<uint8_t> rgba(width * 4);
        written.emplace_back(files.out, size, 4, [&](int32_t y) {
            const uint8_t* rgb = composite.at(y, 0);
            const uint8_t* alpha = engine.matte.data() + static_cast<size_t>(y) * width;
            for (size_t x = 0; x < width; ++x) {
                std::copy(rgb + 3 * x, rgb + 3 * x + 3, &rgba[4 * x]);
                rgba[4 * x + 3] = alpha[x];
            }
            return rgba.data();
        });
    } else {
        written.emplace_back(files.out, size, 3, [&](int32_t y) { return composite.at(y, 0); });
    }
    if (!files.matte.empty())
        written.emplace_back(files.matte, size, 1,
                             [&](int32_t y) { return engine.matte.data() + static_cast<size_t>(y) * width; });
    return written;
}

} // namespace

int runRender(Arguments& args, std::ostream& out, std::ostream& progress, bool progressIsTerminal) {
    if (args.asksForHelp()) {
        out << kHelp;
        return kExitOk;
    }
    const RenderRequest request = parse(args);
    const FrameNames names(request);
    const FrameRange range = request.frames.value_or(FrameRange{0, 0});
    const KeyModelRecord key = readKeyFile(request.key);
    checkWritable(names.of(range.first).out, request.alpha ? 4 : 3, "composite");
    if (!request.matte.empty()) checkWritable(names.of(range.first).matte, 1, "matte");
    checkFrames(request, names, range);

    clearKeyModel();
    restoreLiveKey(key);
    ProgressBar bar(progress, range.count(), range.count() > 1 && !request.quiet && progressIsTerminal);
    std::unique_ptr<MemoryImageAccess> engine;
    for (int32_t frame = range.first;; ++frame) {
        const FrameFiles files = names.of(frame);
        // Drop what the last frame held before reading the next one. A shared background (or
        // grey) and its blur serve every frame of its size.
        if (names.backgroundPerFrame()) engine.reset();
        if (engine) engine->foreground = RgbImage();
        RgbImage foreground = readRgbImage(files.foreground, "foreground");
        if (engine && (foreground.width != engine->imageWidth || foreground.height != engine->imageHeight)) engine.reset();
        if (engine) engine->foreground = std::move(foreground);
        else engine = prepareEngine(request, std::move(foreground), files);

        engine->processImage(false, false);
        for (PendingImage& image : writeOutputs(*engine, request, files)) image.commit();
        bar.update(frame - range.first + 1);
        if (frame == range.last) break;
    }
    bar.finish();
    if (range.count() == 1) {
        const FrameFiles files = names.of(range.first);
        out << "composite written to " << files.out << '\n';
        if (!files.matte.empty()) out << "matte written to " << files.matte << '\n';
    } else {
        out << range.count() << " frames written to " << request.out << '\n';
    }
    return kExitOk;
}

} // namespace velokrom::cli
