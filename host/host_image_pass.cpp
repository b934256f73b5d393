// One pass over the host image: request, settings from the parameter block, buffers, the first
// composite; and at the end the alpha plane, the buffers freed and the settings stored.
#include <cstring>

#include "host_image_access.h"
#include "show_message.h"

namespace velokrom {
namespace {

// The planes the filter touches in a pixel: red, green, blue, and the alpha plane after them.
int32_t touchedBytes(const FilterRecord& r) { return r.planes > 3 ? 4 : 3; }

int16_t planeCount(int32_t count) { return static_cast<int16_t>(count); }

} // namespace

bool HostImageAccess::requestWholeImage() {
    FilterRecord& r = record();
    input_ = PlaneBuffer{};
    output_ = PlaneBuffer{};
    r.inRect = r.filterRect;
    r.outRect = r.filterRect;
    r.inLoPlane = 0;
    r.outLoPlane = 0;
    r.inHiPlane = planeCount(r.planes - 1);
    r.outHiPlane = planeCount(r.planes - 1);
    r.wantsAbsolute = 1;
    // A layer with transparency: every absolute plane of the input, every plane of the output.
    if (r.inLayerPlanes != 0 && r.inTransparencyMask != 0)
        r.inHiPlane = planeCount(r.absLayerPlanes + r.absTransparencyMask + r.absLayerMasks + r.absInvertedLayerMasks +
                                 r.absNonLayerPlanes - 1);
    if (r.outLayerPlanes != 0 && r.outTransparencyMask != 0)
        r.outHiPlane = planeCount(r.outLayerPlanes + r.outTransparencyMask + r.outLayerMasks +
                                  r.outInvertedLayerMasks + r.outNonLayerPlanes - 1);
    if (!r.advanceState) {
        result() = 1;
        return false;
    }
    result() = r.advanceState();
    if (result() != noErr) return false;
    // Whatever the host delivered must hold the filter rectangle before a byte of it is touched.
    const int32_t bytes = touchedBytes(r);
    if (!describeDeliveredBuffer(r.inData, r.inRowBytes, r.inColumnBytes, r.inHiPlane - r.inLoPlane + 1, imageWidth,
                                 imageHeight, bytes, input_) ||
        !describeDeliveredBuffer(r.outData, r.outRowBytes, r.outColumnBytes, r.outHiPlane - r.outLoPlane + 1,
                                 imageWidth, imageHeight, bytes, output_)) {
        input_ = PlaneBuffer{};
        output_ = PlaneBuffer{};
        result() = 1;
        return false;
    }
    return true;
}

bool HostImageAccess::prepareRun() {
    passCompleted_ = false;
    if (!requestWholeImage()) return false;
    clearKeyModel();
    hasAlphaPlane = record().planes > 3;
    restoreSettings();
    const bool dialogRun = hasParameterBlock() && parameterBlock().startDialogPending();
    if (!allocateImageBuffers() || ((dialogRun || writeMatteToAlpha) && !allocateMatteBuffers())) {
        showMessage(kMessageNoMemory);
        result() = 1;
        freeImageBuffers();
        freeMatteBuffers();
        return false;
    }
    if (dialogRun) {
        // Every interactive run starts at zoom 1 with the buffer window at the top left.
        zoomFactor = 0.0;
        display.columns = 0;
        display.rows = 0;
        const int16_t zoom = applyZoomStep(*this, display, 1.0, 0, 0);
        if (zoom != noErr && zoom != kZoomRefused) {
            showMessage(kMessageNoMemory);
            result() = 1;
            freeImageBuffers();
            freeMatteBuffers();
            return false;
        }
        keyOperation = kAutoSetup;
        keyReady = false;
    }
    passCompleted_ = processImage(true, true);
    return true;
}

void HostImageAccess::restoreSettings() {
    if (!hasParameterBlock()) return;
    const ParameterBlock block = parameterBlock();
    if (!block.stateSaved()) return;
    if (!block.startDialogPending()) {
        restoreLiveKey(block.keyModel());
        backgroundSource = block.backgroundSource();
    }
    blendMode = block.blendMode();
    block.solidColor(solidColor);
    if (hasAlphaPlane) writeMatteToAlpha = block.writeMatteToAlpha();
}

bool HostImageAccess::allocateImageBuffers() {
    const size_t width = static_cast<size_t>(imageWidth);
    const size_t pixels = width * static_cast<size_t>(imageHeight);
    if (!(backgroundImage_ = allocateArray<uint8_t>(pixels * 3))) return false;
    if (!(defocusedImage_ = allocateArray<uint8_t>(pixels * 3))) return false;
    for (Pixel16*& row : workRows_)
        if (!(row = allocateArray<Pixel16>(width))) return false;
    if (!(workRow8_ = allocateArray<uint8_t>(width * 3))) return false;
    if (!(foregroundStore_ = allocateArray<uint8_t>(width * 3))) return false;
    if (!(outputStore_ = allocateArray<uint8_t>(width * 3))) return false;
    if (backgroundSource == kBackgroundSaved && !loadBackground()) {
        showMessage(kMessageLoadFailed);
        backgroundSource = kBackgroundNeutralGray;
    }
    if (backgroundSource == kBackgroundNeutralGray) {
        std::memset(backgroundImage_, 127, pixels * 3);
        std::memset(defocusedImage_, 127, pixels * 3);
    }
    if (blendMode == kBlendDefocused && backgroundSource != kBackgroundNeutralGray && !buildDefocusedBackground()) return false;
    return true;
}

bool HostImageAccess::allocateMatteBuffers() {
    matte_ = allocateArray<uint8_t>(static_cast<size_t>(imageWidth) * static_cast<size_t>(imageHeight));
    matteWorkRow_ = allocateArray<uint8_t>(static_cast<size_t>(imageWidth));
    return matte_ && matteWorkRow_;
}

void HostImageAccess::freeImageBuffers() {
    releaseArray(backgroundImage_);
    releaseArray(defocusedImage_);
    for (Pixel16*& row : workRows_) releaseArray(row);
    releaseArray(workRow8_);
    releaseArray(foregroundStore_);
    releaseArray(outputStore_);
    releaseRowPassCache();
}

void HostImageAccess::freeMatteBuffers() {
    releaseArray(matte_);
    releaseArray(matteWorkRow_);
    freeDisplayImage();
    freeDisplayScratch();
}

void HostImageAccess::writeAlphaPlane() {
    const FilterRecord& r = record();
    if (r.outRect.right - r.outRect.left != imageWidth || r.outRect.bottom - r.outRect.top != imageHeight) return;
    if (!hasAlphaPlane || !input_.base || !output_.base) return;
    const bool fromMatte = writeMatteToAlpha && matte_;
    for (int32_t row = 0; row < imageHeight; ++row)
        for (int32_t col = 0; col < imageWidth; ++col)
            output_.pixel(row, col)[3] =
                fromMatte ? matte_[static_cast<size_t>(row) * static_cast<size_t>(imageWidth) + static_cast<size_t>(col)]
                          : input_.pixel(row, col)[3];
}

void HostImageAccess::finishRun() {
    freeImageBuffers();
    freeMatteBuffers();
    if (result() == noErr) storeSettings();
}

void HostImageAccess::storeSettings() {
    if (!hasParameterBlock()) return;
    ParameterBlock block = parameterBlock();
    block.setKeyModel(saveLiveKey());
    block.setStateSaved(true);
    block.setBackgroundSource(backgroundSource);
    block.setBlendMode(blendMode);
    block.setSolidColor(solidColor);
    block.setWriteMatteToAlpha(writeMatteToAlpha);
}

} // namespace velokrom
