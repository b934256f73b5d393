#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "composite/display_buffer.h"
#include "composite/run_choices.h"
#include "composite/sample_drag.h"
#include "engine/color_tuning.h"
#include "composite/color_zone_cache.h"
#include "engine/key_history.h"
#include "engine/sample_set.h"
#include "platform/platform_services.h"

namespace velokrom {

// Inclusive rectangle (top, left, bottom, right) used by the display's paint path.
struct DisplayRect {
    int32_t top;
    int32_t left;
    int32_t bottom;
    int32_t right;
};

// The interactive state of one run and the engine's only way to images, memory, progress and
// the user: its virtual operations. The plug-in, the command-line keyer and the tests each
// implement them over their own image store. Keep the declaration order of the 50 virtual
// operations: it fixes the layout of the virtual table, and the numbers below count its entries.
class KeyerEngine {
public:
    KeyerEngine();
    KeyerEngine(const KeyerEngine&) = delete;
    KeyerEngine& operator=(const KeyerEngine&) = delete;

    // ---- entries 0 to 4: progress and memory
    virtual bool progress(int32_t done, int32_t total);
    virtual void* allocate(size_t size) = 0;
    virtual void release(void*& memory) = 0;
    virtual void* lock(void* memory) = 0;
    virtual void unlock(void* memory) = 0;
    // ---- entries 5 to 7: byte index of each channel in a 3-byte pixel
    virtual int32_t redIndex() = 0;
    virtual int32_t greenIndex() = 0;
    virtual int32_t blueIndex() = 0;
    // ---- entries 8 to 12: row access, (row, col, count) relative to the filter rectangle
    virtual uint8_t* foregroundRow(int32_t row, int32_t col, int32_t count) = 0;
    virtual uint8_t* backgroundRow(int32_t row, int32_t col, int32_t count) = 0;
    virtual uint8_t* defocusedRow(int32_t row, int32_t col, int32_t count) = 0;
    virtual uint8_t* outputRow(int32_t row, int32_t col, int32_t count) = 0;
    virtual uint8_t* matteRow(int32_t row, int32_t col, int32_t count) = 0;
    // ---- entries 13 to 17: row stores, (source, row, col, count)
    virtual void putForegroundRow(const uint8_t* source, int32_t row, int32_t col, int32_t count) = 0;
    virtual void putBackgroundRow(const uint8_t* source, int32_t row, int32_t col, int32_t count) = 0;
    virtual void putDefocusedRow(const uint8_t* source, int32_t row, int32_t col, int32_t count) = 0;
    virtual void putOutputRow(const uint8_t* source, int32_t row, int32_t col, int32_t count) = 0;
    virtual void putMatteRow(const uint8_t* source, int32_t row, int32_t col, int32_t count) = 0;
    // ---- entries 18 to 22
    virtual void doneForegroundRow() = 0;
    virtual void doneBackgroundRow() = 0;
    virtual void doneDefocusedRow() = 0;
    virtual void doneOutputRow() = 0;
    virtual void doneMatteRow() = 0;
    // ---- entries 23 to 28: work rows of imageWidth pixels; matteWorkRow may be null
    virtual Pixel16* workRowA() = 0;
    virtual Pixel16* workRowB() = 0;
    virtual Pixel16* workRowC() = 0;
    virtual Pixel16* workRowD() = 0;
    virtual uint8_t* workRow8() = 0;
    virtual uint8_t* matteWorkRow() = 0;
    // ---- entries 29 to 34
    virtual void doneWorkRowA() = 0;
    virtual void doneWorkRowB() = 0;
    virtual void doneWorkRowC() = 0;
    virtual void doneWorkRowD() = 0;
    virtual void doneWorkRow8() = 0;
    virtual void doneMatteWorkRow() = 0;
    // ---- entry 35: the display's paint path; answers the host's result code
    virtual int16_t displayRegion(const DisplayRect& sourceRect, const DisplayRect& destRect, void* deviceContext) = 0;
    // ---- entries 36 to 40: the user; the engine's own versions do nothing
    virtual void runInteractive();
    virtual void runStartChoice();
    virtual void openTuningDialog();
    virtual void showAbout();
    virtual void endInteractive(bool ok);
    // ---- entries 41 to 49: the display buffer
    virtual bool allocDisplayImage(size_t size) = 0;
    virtual bool allocDisplayScratch(size_t size) = 0;
    virtual void freeDisplayImage() = 0;
    virtual void freeDisplayScratch() = 0;
    virtual uint8_t* displayRow(int32_t row, int32_t col) = 0;
    virtual void putDisplayRow(const uint8_t* source, int32_t row, int32_t col, int32_t count) = 0;
    virtual void doneDisplayRow() = 0;
    virtual uint8_t* lockDisplayScratch() = 0;
    virtual void unlockDisplayScratch() = 0;

    virtual ~KeyerEngine();

    // ---- key operations
    // One pointer event of a sample drag: the end applies the key operation to its samples.
    void sampleDrag(DragPhase phase, int32_t x, int32_t y);
    // Applies keyOperation to the SampleSet (sampleCount >= 1). False when Auto Setup could not
    // get its sample block (the key is then left as it was).
    bool applyKeyOperation();

    // ---- the row pass (composite/process_image.cpp, composite/defocus.cpp)
    bool processImage(bool reportProgress, bool recordHistory);
    bool buildDefocusedBackground();
    bool boxFilterRow(Pixel16* row, int32_t width, int32_t shift);

    // ---- history: each successful step restores the key and re-runs the pass
    void pushHistory() { history_.push(); }
    bool undo();
    bool redo();
    bool resetToInitial();
    bool markSettings() { return history_.mark(); }
    bool returnToMark();
    const KeyHistory& history() const { return history_; }

    // ---- settings file: a successful read restores the key,
    // re-runs the pass and records a history step.
    bool readSettingsFile(PlatformServices& platform, const std::string& path);

    // ---- colour tuning
    void locateTuningTarget();
    void beginTuning();
    bool adjustTuning(int32_t sliderIndex, float value);
    Color16 tuningSwatchColor();
    void applyTuning();
    void cancelTuning();
    const TuningTarget& tuningTarget() const { return tuningTarget_; }

    // ---- interactive state
    int32_t imageWidth = 0;
    int32_t imageHeight = 0;
    KeyOperation keyOperation = kAutoSetup;
    ViewMode viewMode = kViewComposite;
    BlendMode blendMode = kBlendDefocused;
    uint16_t solidColor[4] = {32767, 32767, 32767, 65535};
    BackgroundSource backgroundSource = kBackgroundSaved;
    bool writeMatteToAlpha = false;
    bool hasAlphaPlane = false;
    double zoomFactor = 1.0;
    DisplayBuffer display;  // its pixels belong to the image access
    int32_t zoomMode = 0;
    bool keyReady = false;
    SampleSet samples{};

    // ---- the row pass's speed; no byte of its results depends on these
    // Threads that share the pass: 0 for one per processor.
    int32_t rowPassThreads = 0;
    // Memory the pass may keep for its colour cache from one pass to the next (at most 64 MB).
    // Too little for the cache, or none to be had, and the pass keys every row on the calling
    // thread with keyRow.
    size_t rowPassCacheBytes = ColorZoneCache::kMaxBytes;
    // Frees the colour cache; the image access calls it with the run's other buffers.
    void releaseRowPassCache() { zoneCache_.release(); }

private:
    // Restores the key from the entry a step reached and re-runs the pass; false without one.
    bool restoreAndReprocess(const HistorySnapshot* entry);

    KeyHistory history_;
    ColorZoneCache zoneCache_;
    TuningTarget tuningTarget_{};
    KeyModelRecord tuningCheckpoint_{};
};

} // namespace velokrom
