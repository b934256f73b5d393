// The row pass: source, background and reference rows in, composite and matte rows out.
#include <algorithm>
#include <cstring>
#include <thread>

#include "composite/keyer_engine.h"
#include "engine/matte_evaluation.h"

#include "banded_rows.h"
#include "blend.h"
#include "keyed_row.h"
#include "pixel_rows.h"

namespace velokrom {
namespace {

// The colour that matte evaluation blends partly transparent pixels towards.
void fillReferenceRow(BlendMode blendMode, const Pixel16* background, const uint8_t* defocused,
                      const uint16_t solidColor[4], Pixel16* reference, int32_t count, const ChannelOrder& order) {
    switch (blendMode) {
    case kBlendDefocused:
        widenRow(defocused, reference, count, order);
        break;
    case kBlendSolidColor:
        for (int32_t x = 0; x < count; ++x) reference[x] = {solidColor[0], solidColor[1], solidColor[2], solidColor[3]};
        break;
    default:
        for (int32_t x = 0; x < count; ++x) reference[x] = background[x];
        break;
    }
}

void compositeRow(const Pixel16* background, const Pixel16* result, uint8_t* composite, uint8_t* matte,
                  int32_t count, const ChannelOrder& order) {
    for (int32_t x = 0; x < count; ++x) {
        const uint16_t alpha = result[x].fourth;
        uint8_t* out = composite + 3 * x;
        out[order.red] = compositeChannel(alpha, background[x].red, result[x].red);
        out[order.green] = compositeChannel(alpha, background[x].green, result[x].green);
        out[order.blue] = compositeChannel(alpha, background[x].blue, result[x].blue);
    }
    if (matte != nullptr)
        for (int32_t x = 0; x < count; ++x) matte[x] = matteByte(result[x].fourth);
}

struct WorkRows {
    Pixel16* foreground;  // A
    Pixel16* background;  // B
    Pixel16* reference;   // C
    Pixel16* result;      // D
    uint8_t* composite;
    uint8_t* matte;       // null: no matte is written
};

// The pass as the definition states it, a row at a time through the work rows with keyRow.
// False when progress asked to stop before row y (rows 0 .. y - 1 are written).
bool keyRowsPlainly(KeyerEngine& engine, const WorkRows& rows, bool reportProgress) {
    auto [foreground, background, reference, result, composite, matte] = rows;
    const ChannelOrder order{engine.redIndex(), engine.greenIndex(), engine.blueIndex()};
    const int32_t width = engine.imageWidth, height = engine.imageHeight;
    // The defocused image is only read when it is the reference; the other modes never need it.
    const bool useDefocused = engine.blendMode == kBlendDefocused;

    for (int32_t y = 0; y < height; ++y) {
        if (reportProgress && !engine.progress(y, height)) return false;
        widenRow(engine.foregroundRow(y, 0, width), foreground, width, order);
        engine.doneForegroundRow();
        widenRow(engine.backgroundRow(y, 0, width), background, width, order);
        engine.doneBackgroundRow();
        const uint8_t* defocused = useDefocused ? engine.defocusedRow(y, 0, width) : nullptr;
        fillReferenceRow(engine.blendMode, background, defocused, engine.solidColor, reference, width, order);
        if (useDefocused) engine.doneDefocusedRow();

        // The background is not an input of the matte: it only receives the composite.
        keyRow(foreground, reference, result, width);
        compositeRow(background, result, composite, matte, width, order);
        engine.putOutputRow(composite, y, 0, width);
        if (matte != nullptr) engine.putMatteRow(matte, y, 0, width);
    }
    return true;
}

// The same pass from the colour cache, in bands of rows over threads. Each row's slot holds
// its source, background and (Defocused) reference bytes as read, then its composite and matte.
class CachedKeyedRows : public BandedRows {
public:
    CachedKeyedRows(KeyerEngine& engine, const ColorZoneCache& cache, bool reportProgress, bool withMatte)
        : engine_(engine), cache_(cache), key_(cache.key()), reportProgress_(reportProgress),
          width_(static_cast<size_t>(engine.imageWidth)), useDefocused_(engine.blendMode == kBlendDefocused),
          withMatte_(withMatte) {
        format_.order = {engine.redIndex(), engine.greenIndex(), engine.blueIndex()};
        std::copy(engine.solidColor, engine.solidColor + 4, format_.solidColor);
        const size_t row = 3 * width_;
        backgroundAt_ = row;
        referenceAt_ = backgroundAt_ + row;
        compositeAt_ = referenceAt_ + (useDefocused_ ? row : 0);
        matteAt_ = compositeAt_ + row;
        slotBytes_ = matteAt_ + (withMatte_ ? width_ : 0);
    }

    size_t slotBytes() const { return slotBytes_; }

    void readRow(int32_t y, uint8_t* slot) override {
        const int32_t count = engine_.imageWidth;
        std::memcpy(slot, engine_.foregroundRow(y, 0, count), 3 * width_);
        engine_.doneForegroundRow();
        std::memcpy(slot + backgroundAt_, engine_.backgroundRow(y, 0, count), 3 * width_);
        engine_.doneBackgroundRow();
        if (useDefocused_) {
            std::memcpy(slot + referenceAt_, engine_.defocusedRow(y, 0, count), 3 * width_);
            engine_.doneDefocusedRow();
        }
    }

    void computeRow(int32_t lane, uint8_t* slot) override {
        // Direct (and any unknown mode) blends towards the background, Solid Color towards the colour.
        const uint8_t* reference = useDefocused_ ? slot + referenceAt_
                                   : engine_.blendMode == kBlendSolidColor ? nullptr
                                                                           : slot + backgroundAt_;
        keyCompositeRow(cache_.lane(lane), key_, format_, slot, slot + backgroundAt_, reference, slot + compositeAt_,
                        withMatte_ ? slot + matteAt_ : nullptr, engine_.imageWidth);
    }

    bool commitRow(int32_t y, uint8_t* slot) override {
        if (reportProgress_ && !engine_.progress(y, engine_.imageHeight)) return false;
        engine_.putOutputRow(slot + compositeAt_, y, 0, engine_.imageWidth);
        if (withMatte_) engine_.putMatteRow(slot + matteAt_, y, 0, engine_.imageWidth);
        return true;
    }

private:
    KeyerEngine& engine_;
    const ColorZoneCache& cache_;
    const MatteKey key_;
    const bool reportProgress_;
    const size_t width_;
    const bool useDefocused_, withMatte_;
    KeyedRowFormat format_{};
    size_t backgroundAt_ = 0, referenceAt_ = 0, compositeAt_ = 0, matteAt_ = 0, slotBytes_ = 0;
};

// One thread per processor unless told otherwise, each with its own lane of the colour cache.
int32_t passThreads(int32_t wanted) {
    if (wanted <= 0) wanted = static_cast<int32_t>(std::thread::hardware_concurrency());
    return std::clamp(wanted, 1, ColorZoneCache::kMaxLanes);
}

} // namespace

bool KeyerEngine::processImage(bool reportProgress, bool recordHistory) {
    // The work rows are taken and given back whichever pass runs; the matte row says whether
    // there is a matte to write.
    const WorkRows work{workRowA(), workRowB(), workRowC(), workRowD(), workRow8(), matteWorkRow()};

    const int32_t threads = passThreads(rowPassThreads);
    BandsOutcome outcome = BandsOutcome::kNoMemory;
    if (imageWidth > 0 && zoneCache_.prepare(liveKeyModel(), threads, rowPassCacheBytes)) {
        CachedKeyedRows rows(*this, zoneCache_, reportProgress, work.matte != nullptr);
        outcome = runBandedRows(rows, imageHeight, rows.slotBytes(), threads);
    }
    const bool completed = outcome == BandsOutcome::kNoMemory ? keyRowsPlainly(*this, work, reportProgress)
                                                              : outcome == BandsOutcome::kCompleted;
    // Rows 0 .. y - 1 of a stopped pass keep the new composite; it records no history step.
    progress(0, 0);
    doneWorkRowA();
    doneWorkRowB();
    doneWorkRowC();
    doneWorkRowD();
    doneWorkRow8();
    if (work.matte != nullptr) doneMatteWorkRow();
    if (completed && recordHistory) pushHistory();
    return completed;
}

} // namespace velokrom
