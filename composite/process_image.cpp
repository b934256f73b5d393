// The row pass: source, background and reference rows in, composite and matte rows out.
#include "composite/keyer_engine.h"
#include "engine/matte_evaluation.h"

#include "blend.h"
#include "pixel_rows.h"

namespace velokrom {
namespace {

// The colour that matte evaluation blends partly transparent pixels towards.
void fillReferenceRow(int32_t blendMode, const Pixel16* background, const uint8_t* defocused,
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

} // namespace

bool KeyerEngine::processImage(bool reportProgress, bool recordHistory) {
    Pixel16* foreground = workRowA();
    Pixel16* background = workRowB();
    Pixel16* reference = workRowC();
    Pixel16* result = workRowD();
    uint8_t* composite = workRow8();
    uint8_t* matte = matteWorkRow();
    const ChannelOrder order{redIndex(), greenIndex(), blueIndex()};
    const int32_t width = imageWidth, height = imageHeight;
    // The defocused image is only read when it is the reference; the other modes never need it.
    const bool useDefocused = blendMode == kBlendDefocused;

    auto doneWorkRows = [&] {
        doneWorkRowA();
        doneWorkRowB();
        doneWorkRowC();
        doneWorkRowD();
        doneWorkRow8();
        if (matte != nullptr) doneMatteWorkRow();
    };

    for (int32_t y = 0; y < height; ++y) {
        if (reportProgress && !progress(y, height)) {
            // Rows 0 .. y - 1 keep the new composite; no history step for a pass that stopped.
            progress(0, 0);
            doneWorkRows();
            return false;
        }
        widenRow(foregroundRow(y, 0, width), foreground, width, order);
        doneForegroundRow();
        widenRow(backgroundRow(y, 0, width), background, width, order);
        doneBackgroundRow();
        const uint8_t* defocused = useDefocused ? defocusedRow(y, 0, width) : nullptr;
        fillReferenceRow(blendMode, background, defocused, solidColor, reference, width, order);
        if (useDefocused) doneDefocusedRow();

        // The background is not an input of the matte: it only receives the composite.
        keyRow(foreground, reference, result, width);
        compositeRow(background, result, composite, matte, width, order);
        putOutputRow(composite, y, 0, width);
        if (matte != nullptr) putMatteRow(matte, y, 0, width);
    }
    progress(0, 0);
    doneWorkRows();
    if (recordHistory) pushHistory();
    return true;
}

} // namespace velokrom
