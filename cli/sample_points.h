#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "composite/sample_drag.h"

namespace velokrom::cli {

using Point = DragPoint;

// The pixels of one drag, as written on the command line: a list "x,y;x,y;..." or an inclusive
// rectangle "x0,y0:x1,y1" taken row by row, left to right, top to bottom.
class SamplePoints {
public:
    // Throws CliError on bad syntax.
    static SamplePoints parse(const std::string& text);

    // Throws CliError naming the first point that lies off a width x height image.
    void checkInside(int32_t width, int32_t height) const;

    // The drag's pixels in order, at most limit of them (a drag keeps its first 1000).
    std::vector<Point> expand(size_t limit) const;
    // How many pixels the drag names, before any limit.
    int64_t count() const;

private:
    std::vector<Point> list_;  // the list, or the rectangle's two corners
    bool rectangle_ = false;
};

} // namespace velokrom::cli
