#include "emulated_host.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace velokrom::vkhost {
namespace {

EmulatedHost* activeHost = nullptr;

// Makes this host the one the callbacks reach for the length of a call.
class ActiveHost {
public:
    explicit ActiveHost(EmulatedHost* host) : previous_(activeHost) { activeHost = host; }
    ~ActiveHost() { activeHost = previous_; }

private:
    EmulatedHost* previous_;
};

bool isEmpty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }

bool insideImage(const Rect& r, const HostImage& image) {
    return r.left >= 0 && r.top >= 0 && r.right <= image.width && r.bottom <= image.height;
}

constexpr uint32_t kPhotoshopSignature = 0x3842494D;  // '8BIM'

} // namespace

HostImage::HostImage(int32_t w, int32_t h, int32_t planeCount, uint8_t fill)
    : width(w), height(h), planes(planeCount),
      pixels(static_cast<size_t>(w) * static_cast<size_t>(h) * static_cast<size_t>(planeCount), fill) {}

EmulatedHost::EmulatedHost(EntryCall entry) : entry_(std::move(entry)) {}

EmulatedHost::~EmulatedHost() {
    for (void* block : hostBlocks_) std::free(block);
}

std::vector<uint8_t> EmulatedHost::parameterBytes(size_t size) const {
    if (!parameters_ || !*parameters_) return {};
    const auto* data = reinterpret_cast<const uint8_t*>(*parameters_);
    return std::vector<uint8_t>(data, data + size);
}

void EmulatedHost::restoreParameters(const std::vector<uint8_t>& bytes) {
    void* data = std::calloc(bytes.empty() ? 1 : bytes.size(), 1);
    void* control = std::calloc(sizeof(void*) + 4, 1);
    hostBlocks_.push_back(data);
    hostBlocks_.push_back(control);
    if (!data || !control) {
        parameters_ = nullptr;
        return;
    }
    if (!bytes.empty()) std::memcpy(data, bytes.data(), bytes.size());
    std::memcpy(control, &data, sizeof data);
    std::memcpy(static_cast<char*>(control) + sizeof data, "OTOF", 4);
    parameters_ = static_cast<Handle>(control);
}

void EmulatedHost::fillRecord(const HostImage& image, const HostOptions& options) {
    record_ = RecordStorage{};
    FilterRecord& r = record_.record;
    platformData_.hwnd = options.hostWindow;
    r.abortProc = options.offerProgress ? &EmulatedHost::abortCallback : nullptr;
    r.progressProc = options.offerProgress ? &EmulatedHost::progressCallback : nullptr;
    r.parameters = parameters_;
    r.imageSize = Point{static_cast<int16_t>(image.height), static_cast<int16_t>(image.width)};
    r.planes = static_cast<int16_t>(image.planes);
    r.filterRect = options.hasSelection
                       ? options.selection
                       : Rect{0, 0, static_cast<int16_t>(image.height), static_cast<int16_t>(image.width)};
    r.maxSpace = 1 << 30;
    r.isFloating = options.floating ? 1 : 0;
    r.hostSig = kPhotoshopSignature;
    r.imageMode = options.imageMode;
    r.imageHRes = r.imageVRes = 72 << 16;
    r.wholeSize = r.imageSize;
    r.platformData = &platformData_;
    r.displayPixels = options.offerDisplayPixels ? &EmulatedHost::displayCallback : nullptr;
    r.advanceState = options.offerAdvanceState ? &EmulatedHost::advanceCallback : nullptr;
    r.supportsAbsolute = 1;
    r.inputRate = r.maskRate = 1 << 16;
    const bool layer = options.layered && image.planes >= 4;
    r.filterCase = static_cast<int16_t>((layer ? 6 : 1) + (options.hasSelection ? 1 : 0));
    if (!layer) return;  // a flat image: the host leaves the plane counts at 0
    // A layer: three colour planes, its transparency, then any alpha channels, alike in the
    // input, the output and the absolute numbering.
    const auto extra = static_cast<int16_t>(image.planes - 4);
    r.inLayerPlanes = r.outLayerPlanes = r.absLayerPlanes = 3;
    r.inTransparencyMask = r.outTransparencyMask = r.absTransparencyMask = 1;
    r.inNonLayerPlanes = r.outNonLayerPlanes = r.absNonLayerPlanes = extra;
}

int16_t EmulatedHost::call(int16_t selector, void* record) {
    int16_t result = noErr;
    entry_(selector, record, &data_, &result);
    calls_.push_back({selector, result});
    return result;
}

int16_t EmulatedHost::callSelector(int16_t selector) {
    ActiveHost active(this);
    record_.record.parameters = parameters_;
    const int16_t result = call(selector, &record_.record);
    parameters_ = record_.record.parameters;
    return result;
}

int16_t EmulatedHost::about(intptr_t hostWindow) {
    ActiveHost active(this);
    PlatformData window{hostWindow};
    AboutRecord about{};
    about.platformData = &window;
    return call(filterSelectorAbout, &about);
}

bool EmulatedHost::requestPending() const {
    return !isEmpty(record_.record.inRect) || !isEmpty(record_.record.outRect);
}

int16_t EmulatedHost::runFilter(HostImage& image, const HostOptions& options, bool withDialog) {
    ActiveHost active(this);
    options_ = options;
    source_ = &image;
    destination_ = image;
    inBuffer_.clear();
    outBuffer_.clear();
    deliveredOutPlanes_ = 0;
    screen_.assign(static_cast<size_t>(options.screenWidth) * static_cast<size_t>(options.screenHeight) * 3, 0);
    progressCalls_ = displayCalls_ = advanceCalls_ = 0;
    fillRecord(image, options);
    FilterRecord& r = record_.record;
    if (options.adjustRecord) options.adjustRecord(r);

    int16_t result = noErr;
    if (withDialog) result = call(filterSelectorParameters, &r);
    parameters_ = r.parameters;  // the host keeps whatever block the filter made
    if (result == noErr) result = call(filterSelectorPrepare, &r);
    if (result == noErr) result = call(filterSelectorStart, &r);
    while (result == noErr && requestPending()) {
        result = advance();
        if (result == noErr) result = call(filterSelectorContinue, &r);
    }
    if (result == noErr) result = call(filterSelectorFinish, &r);
    parameters_ = r.parameters;
    if (result == noErr) {
        commitOutput();
        image = destination_;
    }
    source_ = nullptr;
    return result;
}

// ---- callbacks

Boolean EmulatedHost::abortCallback() {
    const EmulatedHost* host = activeHost;
    return host && host->options_.abortAfterProgressCalls >= 0 &&
                   host->progressCalls_ >= host->options_.abortAfterProgressCalls
               ? 1
               : 0;
}

void EmulatedHost::progressCallback(int32_t, int32_t) {
    if (activeHost) ++activeHost->progressCalls_;
}

OSErr EmulatedHost::advanceCallback() { return activeHost ? activeHost->advance() : paramErr; }

OSErr EmulatedHost::displayCallback(const PSPixelMap* source, const VRect* sourceRect, int32_t destRow,
                                    int32_t destCol, void* deviceContext) {
    return activeHost ? activeHost->display(source, sourceRect, destRow, destCol, deviceContext) : paramErr;
}

// ---- image exchange

void EmulatedHost::commitOutput() {
    if (deliveredOutPlanes_ == 0) return;
    const Rect& area = deliveredOutRect_;
    const int32_t width = area.right - area.left;
    size_t at = 0;
    for (int32_t row = area.top; row < area.bottom; ++row)
        for (int32_t col = area.left; col < area.left + width; ++col, at += static_cast<size_t>(deliveredOutPlanes_))
            std::memcpy(destination_.at(row, col) + deliveredOutLo_, outBuffer_.data() + at,
                        static_cast<size_t>(deliveredOutPlanes_));
    deliveredOutPlanes_ = 0;
}

namespace {

// Interleaves planes lo..hi of the rectangle of image into buffer; false when the request is
// outside the image.
bool interleave(const HostImage& image, const Rect& area, int32_t lo, int32_t hi, std::vector<uint8_t>& buffer) {
    buffer.clear();
    if (isEmpty(area)) return true;
    if (!insideImage(area, image) || lo < 0 || hi < lo || hi >= image.planes) return false;
    const size_t planes = static_cast<size_t>(hi - lo + 1);
    buffer.reserve(static_cast<size_t>(area.right - area.left) * static_cast<size_t>(area.bottom - area.top) * planes);
    for (int32_t row = area.top; row < area.bottom; ++row)
        for (int32_t col = area.left; col < area.right; ++col) {
            const uint8_t* pixel = image.at(row, col) + lo;
            buffer.insert(buffer.end(), pixel, pixel + planes);
        }
    return true;
}

} // namespace

OSErr EmulatedHost::advance() {
    ++advanceCalls_;
    FilterRecord& r = record_.record;
    commitOutput();  // what the filter wrote so far stays in the image being made
    if (!interleave(*source_, r.inRect, r.inLoPlane, r.inHiPlane, inBuffer_) ||
        !interleave(destination_, r.outRect, r.outLoPlane, r.outHiPlane, outBuffer_)) {
        r.inData = r.outData = nullptr;
        return paramErr;
    }
    const int32_t inPlanes = r.inHiPlane - r.inLoPlane + 1;
    const int32_t outPlanes = r.outHiPlane - r.outLoPlane + 1;
    r.inData = inBuffer_.empty() ? nullptr : inBuffer_.data();
    r.inColumnBytes = inPlanes;
    r.inRowBytes = (r.inRect.right - r.inRect.left) * inPlanes;
    r.inPlaneBytes = 1;
    r.outData = outBuffer_.empty() ? nullptr : outBuffer_.data();
    r.outColumnBytes = outPlanes;
    r.outRowBytes = (r.outRect.right - r.outRect.left) * outPlanes;
    r.outPlaneBytes = 1;
    deliveredOutRect_ = r.outRect;
    deliveredOutLo_ = r.outLoPlane;
    deliveredOutPlanes_ = outBuffer_.empty() ? 0 : outPlanes;
    if (options_.afterAdvance) options_.afterAdvance(r);
    return noErr;
}

OSErr EmulatedHost::display(const PSPixelMap* map, const VRect* area, int32_t destRow, int32_t destCol,
                            void* deviceContext) {
    ++displayCalls_;
    if (!map || !area || map->version < 1 || !map->baseAddr) return paramErr;
    // The source rectangle is half-open and must lie in the pixel map's bounds.
    const VRect& b = map->bounds;
    if (area->top < b.top || area->left < b.left || area->bottom > b.bottom || area->right > b.right)
        return paramErr;
    const auto* base = static_cast<const uint8_t*>(map->baseAddr);
    const PSPixelMask* mask = map->masks;
    const int32_t width = std::max(area->right - area->left, 0), height = std::max(area->bottom - area->top, 0);
    const size_t deviceRowBytes = deviceRowSize(width);
    if (devicePixels_.size() < deviceRowBytes * static_cast<size_t>(height))
        devicePixels_.resize(deviceRowBytes * static_cast<size_t>(height));
    for (int32_t row = area->top; row < area->bottom; ++row) {
        const int32_t y = destRow + row - area->top;
        uint8_t* device = devicePixels_.data() + static_cast<size_t>(row - area->top) * deviceRowBytes;
        for (int32_t col = area->left; col < area->right; ++col, device += 3) {
            const int32_t x = destCol + col - area->left;
            const uint8_t* pixel = base + (row - b.top) * map->rowBytes + (col - b.left) * map->colBytes;
            // Where the mask is transparent the host shows its checkerboard.
            const int32_t alpha = mask ? static_cast<const uint8_t*>(mask->maskData)[(row - b.top) * mask->rowBytes +
                                                                                     (col - b.left) * mask->colBytes]
                                       : 255;
            const int32_t checker = ((x / 8 + y / 8) % 2) ? 204 : 255;
            uint8_t shown[3];
            for (int32_t c = 0; c < 3; ++c)
                shown[c] = static_cast<uint8_t>((pixel[c * map->planeBytes] * alpha + checker * (255 - alpha) + 127) / 255);
            for (int32_t c = 0; c < 3; ++c) device[2 - c] = shown[c];  // the device takes blue, green, red
            if (y < 0 || y >= options_.screenHeight || x < 0 || x >= options_.screenWidth) continue;
            std::memcpy(screen_.data() + (static_cast<size_t>(y) * static_cast<size_t>(options_.screenWidth) +
                                          static_cast<size_t>(x)) * 3,
                        shown, 3);
        }
    }
    if (deviceContext) drawOnDevice(deviceContext, devicePixels_.data(), width, height, destRow, destCol);
    return noErr;
}

} // namespace velokrom::vkhost
