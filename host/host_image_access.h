#pragma once
// The engine's virtual operations against the host's FilterRecord: the whole filter rectangle
// is requested in one piece, rows travel between the host's interleaved 8-bit buffers and the
// engine, and the filter's own buffers (background, defocused background, matte, work rows,
// display buffer) live here from prepareRun to finishRun. Also the background image store.
#include <cstdint>
#include <string>

#include "call_context.h"
#include "composite/image_access_base.h"
#include "parameter_block.h"
#include "photoshop_filter.h"
#include "platform/platform_services.h"
#include "record_checks.h"

namespace velokrom {

class HostImageAccess : public ImageAccessBase {
public:
    // Built for the start call: a floating selection is refused here (kMessageFloatingSelection, result 1).
    HostImageAccess(CallContext& context, PlatformServices& platform);
    ~HostImageAccess() override;

    bool progress(int32_t done, int32_t total) override;
    void* allocate(size_t size) override;
    void release(void*& memory) override;
    uint8_t* foregroundRow(int32_t row, int32_t col, int32_t count) override;
    uint8_t* backgroundRow(int32_t row, int32_t col, int32_t count) override;
    uint8_t* defocusedRow(int32_t row, int32_t col, int32_t count) override;
    uint8_t* outputRow(int32_t row, int32_t col, int32_t count) override;
    uint8_t* matteRow(int32_t row, int32_t col, int32_t count) override;
    void putForegroundRow(const uint8_t* source, int32_t row, int32_t col, int32_t count) override;
    void putBackgroundRow(const uint8_t* source, int32_t row, int32_t col, int32_t count) override;
    void putDefocusedRow(const uint8_t* source, int32_t row, int32_t col, int32_t count) override;
    void putOutputRow(const uint8_t* source, int32_t row, int32_t col, int32_t count) override;
    void putMatteRow(const uint8_t* source, int32_t row, int32_t col, int32_t count) override;
    Pixel16* workRowA() override { return workRows_[0]; }
    Pixel16* workRowB() override { return workRows_[1]; }
    Pixel16* workRowC() override { return workRows_[2]; }
    Pixel16* workRowD() override { return workRows_[3]; }
    uint8_t* workRow8() override { return workRow8_; }
    uint8_t* matteWorkRow() override { return matteWorkRow_; }
    int16_t displayRegion(const DisplayRect& sourceRect, const DisplayRect& destRect, void* deviceContext) override;
    void endInteractive(bool ok) override;
    bool allocDisplayImage(size_t size) override;
    bool allocDisplayScratch(size_t size) override;
    void freeDisplayImage() override;
    void freeDisplayScratch() override;
    uint8_t* displayRow(int32_t row, int32_t col) override;
    void putDisplayRow(const uint8_t* source, int32_t row, int32_t col, int32_t count) override;
    uint8_t* lockDisplayScratch() override { return displayScratch_; }

    // ---- one pass over the host image
    bool requestWholeImage();
    // Requests the image, restores the settings, allocates, computes the first composite.
    bool prepareRun();
    // Whether the last prepareRun computed every row (the host may have aborted it).
    bool passCompleted() const { return passCompleted_; }
    void writeAlphaPlane();
    void finishRun();

    // ---- background image store (background_store.cpp)
    void locateBackgroundFile();
    bool backgroundFileExists();
    bool saveBackground();
    bool loadBackground();
    const std::string& backgroundPath() const { return backgroundPath_; }

protected:
    FilterRecord& record() { return *static_cast<FilterRecord*>(context_.record); }
    int16_t& result() { return context_.result; }
    // The host's parameter block, or a null block when there is none.
    bool hasParameterBlock();
    ParameterBlock parameterBlock();
    void showMessage(int32_t code);

    PlatformServices& platform_;

private:
    bool allocateImageBuffers();
    bool allocateMatteBuffers();
    void freeImageBuffers();
    void freeMatteBuffers();
    void restoreSettings();
    void storeSettings();
    void fillDisplayMask(int32_t transparencyOffset);

    template <typename T>
    T* allocateArray(size_t count) {
        return static_cast<T*>(allocate(count * sizeof(T)));
    }
    template <typename T>
    void releaseArray(T*& memory) {
        void* raw = memory;
        release(raw);
        memory = nullptr;
    }

    CallContext& context_;
    int32_t wholeWidth_ = 0;
    int32_t wholeHeight_ = 0;
    PlaneBuffer input_;
    PlaneBuffer output_;
    bool passCompleted_ = false;

    uint8_t* backgroundImage_ = nullptr;
    uint8_t* defocusedImage_ = nullptr;
    uint8_t* matte_ = nullptr;
    uint8_t* matteWorkRow_ = nullptr;
    Pixel16* workRows_[4] = {nullptr, nullptr, nullptr, nullptr};
    uint8_t* workRow8_ = nullptr;
    uint8_t* foregroundStore_ = nullptr;
    uint8_t* outputStore_ = nullptr;
    uint8_t* displayImage_ = nullptr;
    uint8_t* displayMask_ = nullptr;
    uint8_t* displayScratch_ = nullptr;
    std::string backgroundPath_;
};

} // namespace velokrom
