#include "host_image_access.h"

#include <cstdlib>
#include <cstring>

#include "host_handles.h"
#include "show_message.h"

namespace velokrom {

HostImageAccess::HostImageAccess(CallContext& context, PlatformServices& platform)
    : platform_(platform), context_(context) {
    const FilterRecord& r = record();
    if (r.isFloating) {
        showMessage(kMessageFloatingSelection);
        result() = 1;
    }
    imageWidth = r.filterRect.right - r.filterRect.left;
    imageHeight = r.filterRect.bottom - r.filterRect.top;
    wholeWidth_ = r.imageSize.h;
    wholeHeight_ = r.imageSize.v;
    viewMode = kViewComposite;
}

HostImageAccess::~HostImageAccess() { finishRun(); }

bool HostImageAccess::hasParameterBlock() { return handleData(record().parameters) != nullptr; }
ParameterBlock HostImageAccess::parameterBlock() { return ParameterBlock(handleData(record().parameters)); }

void HostImageAccess::showMessage(int32_t code) { velokrom::showMessage(platform_, code); }

bool HostImageAccess::progress(int32_t done, int32_t total) {
    const FilterRecord& r = record();
    if (!r.progressProc) return true;
    if (r.abortProc && r.abortProc()) return false;
    r.progressProc(done, total);
    return true;
}

void* HostImageAccess::allocate(size_t size) {
    void* memory = std::calloc(size == 0 ? 1 : size, 1);
    if (!memory) result() = 1;
    return memory;
}

void HostImageAccess::release(void*& memory) {
    std::free(memory);
    memory = nullptr;
}

void HostImageAccess::endInteractive(bool ok) { result() = ok ? 0 : 1; }

// ---- rows of the host's buffers: red, green and blue are the first three bytes of a pixel

namespace {

// A three-plane image is stored as the engine's rows are: one copy per row. With more planes
// (alpha, layer masks) the first three bytes of each pixel travel.
void copyFromHost(const PlaneBuffer& host, uint8_t* store, int32_t row, int32_t col, int32_t count) {
    if (count <= 0) return;
    if (host.columnBytes == 3) {
        std::memcpy(store, host.pixel(row, col), 3 * static_cast<size_t>(count));
        return;
    }
    const uint8_t* from = host.pixel(row, col);
    for (int32_t i = 0; i < count; ++i, from += host.columnBytes) std::memcpy(store + 3 * i, from, 3);
}

void copyToHost(const PlaneBuffer& host, const uint8_t* source, int32_t row, int32_t col, int32_t count) {
    if (count <= 0) return;
    if (host.columnBytes == 3) {
        std::memcpy(host.pixel(row, col), source, 3 * static_cast<size_t>(count));
        return;
    }
    uint8_t* to = host.pixel(row, col);
    for (int32_t i = 0; i < count; ++i, to += host.columnBytes) std::memcpy(to, source + 3 * i, 3);
}

} // namespace

uint8_t* HostImageAccess::foregroundRow(int32_t row, int32_t col, int32_t count) {
    if (!foregroundStore_ || !input_.base) return nullptr;
    copyFromHost(input_, foregroundStore_, row, col, count);
    return foregroundStore_;
}

uint8_t* HostImageAccess::outputRow(int32_t row, int32_t col, int32_t count) {
    if (!outputStore_ || !output_.base) return nullptr;
    copyFromHost(output_, outputStore_, row, col, count);
    return outputStore_;
}

void HostImageAccess::putForegroundRow(const uint8_t* source, int32_t row, int32_t col, int32_t count) {
    if (input_.base) copyToHost(input_, source, row, col, count);
}

void HostImageAccess::putOutputRow(const uint8_t* source, int32_t row, int32_t col, int32_t count) {
    if (output_.base) copyToHost(output_, source, row, col, count);
}

// ---- the filter's own images: W x H, 3 bytes per pixel (the matte 1), rows packed

namespace {

size_t offsetOf(int32_t row, int32_t col, int32_t width) {
    return static_cast<size_t>(row) * static_cast<size_t>(width) + static_cast<size_t>(col);
}

} // namespace

uint8_t* HostImageAccess::backgroundRow(int32_t row, int32_t col, int32_t) {
    return backgroundImage_ ? backgroundImage_ + 3 * offsetOf(row, col, imageWidth) : nullptr;
}

uint8_t* HostImageAccess::defocusedRow(int32_t row, int32_t col, int32_t) {
    return defocusedImage_ ? defocusedImage_ + 3 * offsetOf(row, col, imageWidth) : nullptr;
}

uint8_t* HostImageAccess::matteRow(int32_t row, int32_t col, int32_t) {
    return matte_ ? matte_ + offsetOf(row, col, imageWidth) : nullptr;
}

void HostImageAccess::putBackgroundRow(const uint8_t* source, int32_t row, int32_t col, int32_t count) {
    if (backgroundImage_) std::memcpy(backgroundRow(row, col, count), source, 3 * static_cast<size_t>(count));
}

void HostImageAccess::putDefocusedRow(const uint8_t* source, int32_t row, int32_t col, int32_t count) {
    if (defocusedImage_) std::memcpy(defocusedRow(row, col, count), source, 3 * static_cast<size_t>(count));
}

void HostImageAccess::putMatteRow(const uint8_t* source, int32_t row, int32_t col, int32_t count) {
    if (matte_) std::memcpy(matteRow(row, col, count), source, static_cast<size_t>(count));
}

// ---- display buffer storage

bool HostImageAccess::allocDisplayImage(size_t size) {
    freeDisplayImage();
    displayImage_ = allocateArray<uint8_t>(size);
    // The transparency mask handed to the host with the buffer has one byte per buffer pixel.
    const FilterRecord& r = record();
    if (displayImage_ && r.inLayerPlanes && r.inTransparencyMask) displayMask_ = allocateArray<uint8_t>(size / 3);
    if (!displayImage_ || (r.inLayerPlanes && r.inTransparencyMask && !displayMask_)) {
        freeDisplayImage();
        showMessage(kMessageNoMemory);
        return false;
    }
    return true;
}

bool HostImageAccess::allocDisplayScratch(size_t size) {
    freeDisplayScratch();
    displayScratch_ = allocateArray<uint8_t>(size);
    if (!displayScratch_) {
        showMessage(kMessageNoMemory);
        return false;
    }
    return true;
}

void HostImageAccess::freeDisplayImage() {
    releaseArray(displayImage_);
    releaseArray(displayMask_);
}

void HostImageAccess::freeDisplayScratch() { releaseArray(displayScratch_); }

uint8_t* HostImageAccess::displayRow(int32_t row, int32_t col) {
    return displayImage_ ? displayImage_ + 3 * offsetOf(row, col, display.columns) : nullptr;
}

void HostImageAccess::putDisplayRow(const uint8_t* source, int32_t row, int32_t col, int32_t count) {
    if (displayImage_) std::memcpy(displayRow(row, col), source, 3 * static_cast<size_t>(count));
}

} // namespace velokrom
