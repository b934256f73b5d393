// velokrom render: the plug-in's final pass on image files, one frame or a numbered sequence.
#include <algorithm>
#include <optional>

#include "cli_error.h"
#include "commands.h"
#include "file_identity.h"
#include "frame_pattern.h"
#include "image_io/image_file.h"
#include "key_file.h"
#include "printable_name.h"
#include "progress_bar.h"
#include "streaming_image_access.h"

namespace velokrom::cli {
namespace {

constexpr const char* kHelp =
    "usage: velokrom render FOREGROUND --key KEY.vkp (--background BG | --gray) --out OUT\n"
    "                       [--matte MATTE] [--alpha] [--blend direct|defocused|solid] [--solid R,G,B]\n"
    "                       [--frames A-B] [--max-megapixels N] [--quiet]\n"
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
    "  --max-megapixels N  refuse images of more than N megapixels (100 by default)\n"
    "  --quiet          no progress bar\n";

struct RenderRequest {
    std::string foreground, key, background, out, matte;
    bool gray = false, alpha = false, quiet = false;
    BlendMode blendMode = kBlendDefocused;
    uint16_t solidColor[4] = {32767, 32767, 32767, 65535};
    std::optional<FrameRange> frames;
    int64_t maxPixels = kDefaultMaxPixels;
};

struct FrameFiles {
    std::string foreground, background, out, matte;
};

BlendMode parseBlend(const std::string& name) {
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
        else if (word == "--max-megapixels") request.maxPixels = parseMaxMegapixels(args.valueOf(word));
        else if (isOption(word)) throw CliError("render: unknown option '" + word + "'");
        else if (request.foreground.empty()) request.foreground = word;
        else throw CliError("render: unexpected argument '" + word + "'");
    }
    if (request.foreground.empty()) throw CliError("render needs a FOREGROUND image");
    if (request.key.empty()) throw CliError("render needs --key KEY.vkp");
    if (request.out.empty()) throw CliError("render needs --out OUT");
    if (request.gray == !request.background.empty()) throw CliError("render needs either --background BG or --gray");
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

void requireSameSize(const FrameFiles& files, ImageSize background, ImageSize foreground) {
    if (!(background == foreground))
        throw CliError("background '" + files.background + "' is " + std::to_string(background.width) + " x " +
                       std::to_string(background.height) + " but foreground '" + files.foreground + "' is " +
                       std::to_string(foreground.width) + " x " + std::to_string(foreground.height));
}

// Everything that can be known before rendering: no output is written when a frame is missing,
// unreadable or of the wrong size, or when any output of the range would replace any input of
// the range (a later frame's foreground, say) or another output.
void checkFrames(const RenderRequest& request, const FrameNames& names, const FrameRange& range) {
    FileIdentities identities;
    identities.addInput(request.key, "key");
    std::optional<ImageSize> sharedBackground;
    for (int32_t frame = range.first;; ++frame) {
        const FrameFiles files = names.of(frame);
        const ImageSize size = probeImage(files.foreground, "foreground", request.maxPixels);
        identities.addInput(files.foreground, "foreground");
        if (!request.gray) {
            if (!sharedBackground || names.backgroundPerFrame()) sharedBackground = probeImage(files.background, "background", request.maxPixels);
            requireSameSize(files, *sharedBackground, size);
            identities.addInput(files.background, "background");
        }
        if (frame == range.last) break;
    }
    for (int32_t frame = range.first;; ++frame) {
        const FrameFiles files = names.of(frame);
        identities.addOutput(files.out, "composite");
        identities.addOutput(files.matte, "matte");
        if (frame == range.last) break;
    }
}

// The background blurred for the Defocused blend, from one sequential read of its file.
RgbImage defocusBackground(const FrameFiles& files, ImageSize size, int64_t maxPixels) {
    RgbRowReader background(files.background, "background", maxPixels);
    requireSameSize(files, background.size(), size);
    RgbImage blurred(size.width, size.height);
    RowStreams streams;
    streams.background = &background;
    streams.defocused = &blurred;
    if (!StreamingImageAccess(size, streams).buildDefocusedBackground())
        throw CliError("not enough memory to defocus the background");
    return blurred;
}

// One frame, row by row from the input files to the outputs, which are put in place only once
// complete. defocused is the background's blur when the blend needs it.
void renderFrame(const RenderRequest& request, const FrameFiles& files, RgbRowReader& foreground, RgbImage* defocused) {
    const ImageSize size = foreground.size();
    std::optional<RgbRowReader> background;
    if (!request.gray) {
        background.emplace(files.background, "background", request.maxPixels);
        requireSameSize(files, background->size(), size);
    }
    const int compositeChannels = request.alpha ? 4 : 3;
    const size_t width = static_cast<size_t>(size.width);
    PendingImage composite(files.out, size, compositeChannels);
    std::optional<PendingImage> matte;
    if (!files.matte.empty()) matte.emplace(files.matte, size, 1);
    // The outputs are encoded on threads of their own while the pass reads and keys.
    RowWriterThread compositeRows(composite, width * static_cast<size_t>(compositeChannels));
    std::optional<RowWriterThread> matteRows;
    if (matte) matteRows.emplace(*matte, width);

    RowStreams streams;
    streams.foreground = &foreground;
    streams.background = background ? &*background : nullptr;
    streams.defocused = defocused;
    streams.composite = &compositeRows;
    streams.alpha = request.alpha;
    streams.matte = matteRows ? &*matteRows : nullptr;
    StreamingImageAccess engine(size, streams);
    engine.blendMode = request.blendMode;
    std::copy(request.solidColor, request.solidColor + 4, engine.solidColor);
    engine.processImage(false, false);
    compositeRows.finish();
    if (matteRows) matteRows->finish();
    composite.commit();
    if (matte) matte->commit();
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
    // The Defocused blend over a background picture needs its blur (grey is its own blur). A
    // shared background's blur serves every frame, all of them its size; the background itself
    // is read again for each frame rather than held.
    const bool needsBlur = request.blendMode == kBlendDefocused && !request.gray;
    RgbImage defocused;
    for (int32_t frame = range.first;; ++frame) {
        const FrameFiles files = names.of(frame);
        RgbRowReader foreground(files.foreground, "foreground", request.maxPixels);
        const bool blurFits = ImageSize{defocused.width, defocused.height} == foreground.size();
        if (needsBlur && (names.backgroundPerFrame() || !blurFits)) {
            defocused = RgbImage();  // the last frame's blur goes before the next one is made
            defocused = defocusBackground(files, foreground.size(), request.maxPixels);
        }
        renderFrame(request, files, foreground, needsBlur ? &defocused : nullptr);
        bar.update(frame - range.first + 1);
        if (frame == range.last) break;
    }
    bar.finish();
    if (range.count() == 1) {
        const FrameFiles files = names.of(range.first);
        out << "composite written to " << printable(files.out) << '\n';
        if (!files.matte.empty()) out << "matte written to " << printable(files.matte) << '\n';
    } else {
        out << range.count() << " frames written to " << printable(request.out) << '\n';
    }
    return kExitOk;
}

} // namespace velokrom::cli
