#pragma once
// The display buffer: a screen-sized window onto the zoomed view of one image. Its geometry is
// the engine's state, shared by the image access (which stores the pixels: allocDisplayImage,
// displayRow, ...) and the display window (which sizes and slides it); the two operations that
// fill and resize it work through the engine's virtual operations only.
#include <cstdint>

#include "composite/run_choices.h"

namespace velokrom {

class KeyerEngine;

struct DisplayBuffer {
    int32_t columns = 0;
    int32_t rows = 0;
    // The buffer window in zoomed coordinates, inclusive.
    int32_t top = 0;
    int32_t left = 0;
    int32_t bottom = 0;
    int32_t right = 0;
    int32_t screenWidth = 0;
    int32_t screenHeight = 0;
};

// Nearest-neighbour sampling of the image into the buffer at a zoom: buffer column i shows
// image column firstColumn + (i / repeat) * step; rows likewise.
struct ZoomSampling {
    int32_t firstColumn;
    int32_t firstRow;
    int32_t sourceColumns;
    int32_t sourceRows;
    int32_t step;
    int32_t repeat;
};
ZoomSampling zoomSampling(const DisplayBuffer& buffer, double zoomFactor);

// Fills the whole buffer from the image the view names (composite, matte as grey, foreground,
// background). Nothing happens without a buffer or at a zoom of 0.
void renderDisplayBuffer(KeyerEngine& engine, const DisplayBuffer& buffer, ViewMode view);

// The engine's part of a zoom step to newFactor about image pixel (column, row): new buffer size
// and window. Answers kZoomDone, kZoomRefused (no memory for the new size; zoom and buffer are
// as before) or kZoomNoMemory (not even the old buffer could be had again), the host
// interface's codes.
constexpr int16_t kZoomDone = 0;
constexpr int16_t kZoomRefused = -208;
constexpr int16_t kZoomNoMemory = -108;
int16_t applyZoomStep(KeyerEngine& engine, DisplayBuffer& buffer, double newFactor, int32_t column, int32_t row);

} // namespace velokrom
