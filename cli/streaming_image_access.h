#pragma once
#include <cstdint>
#include <vector>

#include "composite/owned_work_rows.h"
#include "image_io/image_file.h"
#include "row_writer_thread.h"

namespace velokrom::cli {

// Where a render's rows come from and go to. A missing background or defocused image is
// neutral grey; a missing output is one the render does not write.
struct RowStreams {
    RgbRowReader* foreground = nullptr;
    RgbRowReader* background = nullptr;
    // Filled by buildDefocusedBackground, read by the Defocused blend.
    RgbImage* defocused = nullptr;
    RowWriterThread* composite = nullptr;  // RGB, or RGBA with the matte as alpha
    bool alpha = false;
    RowWriterThread* matte = nullptr;
};

// The engine over image files, for 'render': each source and background row is read from its
// file when the pass asks for it (in increasing order) and each composite and matte row goes
// straight to its file, so no whole image is held except the defocused background. Read and
// write failures throw CliError out of the engine's pass; the engine keeps nothing of its own
// across these calls but blocks from allocate(), which this class owns and frees.
class StreamingImageAccess : public OwnedWorkRowsEngine {
public:
    StreamingImageAccess(ImageSize size, const RowStreams& streams);
    ~StreamingImageAccess() override;

    void* allocate(size_t size) override;
    void release(void*& memory) override;
    uint8_t* foregroundRow(int32_t row, int32_t col, int32_t) override;
    uint8_t* backgroundRow(int32_t row, int32_t col, int32_t) override;
    uint8_t* defocusedRow(int32_t row, int32_t col, int32_t) override;
    // Rows already written cannot be read back.
    uint8_t* outputRow(int32_t, int32_t, int32_t) override { return nullptr; }
    uint8_t* matteRow(int32_t, int32_t, int32_t) override { return nullptr; }
    // The inputs are files that a render never changes.
    void putForegroundRow(const uint8_t*, int32_t, int32_t, int32_t) override {}
    void putBackgroundRow(const uint8_t*, int32_t, int32_t, int32_t) override {}
    void putDefocusedRow(const uint8_t* source, int32_t row, int32_t col, int32_t count) override;
    // The pass writes whole rows, top to bottom, each composite row before its matte row.
    void putOutputRow(const uint8_t* source, int32_t row, int32_t col, int32_t count) override;
    void putMatteRow(const uint8_t* source, int32_t row, int32_t col, int32_t count) override;
    // A render has no window.
    int16_t displayRegion(const DisplayRect&, const DisplayRect&, void*) override { return 0; }
    bool allocDisplayImage(size_t) override { return false; }
    bool allocDisplayScratch(size_t) override { return false; }
    void freeDisplayImage() override {}
    void freeDisplayScratch() override {}
    uint8_t* displayRow(int32_t, int32_t) override { return nullptr; }
    void putDisplayRow(const uint8_t*, int32_t, int32_t, int32_t) override {}
    uint8_t* lockDisplayScratch() override { return nullptr; }

private:
    RowStreams streams_;
    std::vector<uint8_t> grey_;    // one neutral grey row
    std::vector<uint8_t> rgba_;    // the composite row waiting for its alpha
    std::vector<void*> blocks_;    // allocated and not yet released
};

} // namespace velokrom::cli
