#include "display_buffer.h"

#include <algorithm>

#include "composite/keyer_engine.h"

namespace velokrom {
namespace {

int32_t truncToInt(double value) { return static_cast<int32_t>(value); }

uint8_t* fetchViewRow(KeyerEngine& engine, ViewMode view, int32_t row, int32_t col, int32_t count) {
    switch (view) {
    case kViewComposite: return engine.outputRow(row, col, count);
    case kViewMatte: return engine.matteRow(row, col, count);
    case kViewFront: return engine.foregroundRow(row, col, count);
    case kViewBack: return engine.backgroundRow(row, col, count);
    default: return nullptr;
    }
}

void doneViewRow(KeyerEngine& engine, ViewMode view) {
    switch (view) {
    case kViewComposite: engine.doneOutputRow(); break;
    case kViewMatte: engine.doneMatteRow(); break;
    case kViewFront: engine.doneForegroundRow(); break;
    default: engine.doneBackgroundRow(); break;
    }
}

} // namespace

ZoomSampling zoomSampling(const DisplayBuffer& buffer, double zoomFactor) {
    const double z = zoomFactor;
    ZoomSampling s{};
    s.sourceColumns = truncToInt(buffer.columns / z);
    s.sourceRows = truncToInt(buffer.rows / z);
    s.firstColumn = truncToInt(buffer.left / z);
    s.firstRow = truncToInt(buffer.top / z);
    s.step = z >= 1.0 ? 1 : truncToInt(1.0 / z);
    s.repeat = z >= 1.0 ? truncToInt(z) : 1;
    return s;
}

void renderDisplayBuffer(KeyerEngine& engine, const DisplayBuffer& buffer, ViewMode view) {
    if (!(engine.zoomFactor > 0.0) || buffer.columns <= 0 || buffer.rows <= 0) return;
    const ZoomSampling s = zoomSampling(buffer, engine.zoomFactor);
    // Never ask for pixels outside the image, whatever the window says.
    const int32_t firstColumn = std::clamp(s.firstColumn, 0, engine.imageWidth);
    const int32_t sourceColumns = std::min(s.sourceColumns, engine.imageWidth - firstColumn);
    const int32_t lastRow = std::min(s.firstRow + s.sourceRows, engine.imageHeight);
    uint8_t* scratch = engine.lockDisplayScratch();
    if (!scratch || sourceColumns <= 0) {
        engine.unlockDisplayScratch();
        return;
    }
    for (int32_t r = std::max(s.firstRow, 0); r < lastRow; r += s.step) {
        const uint8_t* source = fetchViewRow(engine, view, r, firstColumn, sourceColumns);
        if (!source) break;
        const bool grey = view == kViewMatte;
        int32_t written = 0;
        for (int32_t c = 0; c < sourceColumns && written < buffer.columns; c += s.step) {
            const uint8_t* pixel = grey ? source + c : source + 3 * c;
            for (int32_t k = 0; k < s.repeat && written < buffer.columns; ++k, ++written) {
                uint8_t* out = scratch + 3 * written;
                out[0] = pixel[0];
                out[1] = grey ? pixel[0] : pixel[1];
                out[2] = grey ? pixel[0] : pixel[2];
            }
        }
        doneViewRow(engine, view);
        const int32_t firstBufferRow = ((r - s.firstRow) / s.step) * s.repeat;
        for (int32_t i = 0; i < s.repeat && firstBufferRow + i < buffer.rows; ++i)
            engine.putDisplayRow(scratch, firstBufferRow + i, 0, buffer.columns);
    }
    engine.unlockDisplayScratch();
}

int16_t applyZoomStep(KeyerEngine& engine, DisplayBuffer& buffer, double newFactor, int32_t column, int32_t row) {
    const double oldFactor = engine.zoomFactor;
    if (newFactor == oldFactor) return kZoomDone;
    const int32_t zoomedWidth = truncToInt(engine.imageWidth * newFactor);
    const int32_t zoomedHeight = truncToInt(engine.imageHeight * newFactor);
    int32_t columns = std::min(zoomedWidth, buffer.screenWidth);
    int32_t rows = std::min(zoomedHeight, buffer.screenHeight);
    if (newFactor > 1.0) {
        const int32_t whole = truncToInt(newFactor);
        columns -= columns % whole;
        rows -= rows % whole;
    }
    if (columns != buffer.columns || rows != buffer.rows) {
        const size_t width = static_cast<size_t>(std::max(columns, 0));
        const size_t height = static_cast<size_t>(std::max(rows, 0));
        if (!engine.allocDisplayImage(width * height * 3) || !engine.allocDisplayScratch(width * 3)) {
            // Back to the old zoom; without an old buffer there is nothing to get back.
            if (buffer.columns <= 0 || buffer.rows <= 0) {
                engine.freeDisplayImage();
                engine.freeDisplayScratch();
                return kZoomRefused;
            }
            const size_t oldWidth = static_cast<size_t>(buffer.columns);
            const size_t oldHeight = static_cast<size_t>(buffer.rows);
            if (!engine.allocDisplayImage(oldWidth * oldHeight * 3) || !engine.allocDisplayScratch(oldWidth * 3)) {
                buffer.columns = buffer.rows = 0;
                return kZoomNoMemory;
            }
            return kZoomRefused;
        }
        buffer.columns = columns;
        buffer.rows = rows;
    }
    engine.zoomFactor = newFactor;
    buffer.left = zoomedWidth > columns
                      ? std::clamp(truncToInt(column * newFactor) - columns / 2, 0, zoomedWidth - columns)
                      : 0;
    buffer.top = zoomedHeight > rows ? std::clamp(truncToInt(row * newFactor) - rows / 2, 0, zoomedHeight - rows) : 0;
    buffer.right = buffer.left + columns - 1;
    buffer.bottom = buffer.top + rows - 1;
    return kZoomDone;
}

} // namespace velokrom
