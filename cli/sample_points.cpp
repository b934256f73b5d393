#include "sample_points.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "arguments.h"
#include "cli_error.h"

namespace velokrom::cli {
namespace {

Point parsePoint(const std::string& text, const std::string& whole) {
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min(), kMax = std::numeric_limits<int32_t>::max();
    try {
        const std::vector<int32_t> xy = parseIntegerList(text, 2, kMin, kMax, "point");
        return {xy[0], xy[1]};
    } catch (const CliError&) {
        // Only a refused point names the whole list: naming it for every point made a long
        // list's parse take time in the square of its length.
        parseIntegerList(text, 2, kMin, kMax, "point '" + text + "' in '" + whole + "'");
        throw;
    }
}

} // namespace

SamplePoints SamplePoints::parse(const std::string& text) {
    SamplePoints points;
    const size_t colon = text.find(':');
    if (colon != std::string::npos) {
        points.rectangle_ = true;
        points.list_ = {parsePoint(text.substr(0, colon), text), parsePoint(text.substr(colon + 1), text)};
        return points;
    }
    size_t start = 0;
    while (true) {
        const size_t semicolon = text.find(';', start);
        points.list_.push_back(parsePoint(text.substr(start, semicolon - start), text));
        if (semicolon == std::string::npos) break;
        start = semicolon + 1;
    }
    return points;
}

void SamplePoints::checkInside(int32_t width, int32_t height) const {
    for (const Point& p : list_)
        if (p.x < 0 || p.y < 0 || p.x >= width || p.y >= height)
            throw CliError("point " + std::to_string(p.x) + "," + std::to_string(p.y) + " lies outside the " +
                           std::to_string(width) + " x " + std::to_string(height) + " image");
}

int64_t SamplePoints::count() const {
    if (!rectangle_) return static_cast<int64_t>(list_.size());
    const int64_t columns = std::abs(static_cast<int64_t>(list_[0].x) - list_[1].x) + 1;
    const int64_t rows = std::abs(static_cast<int64_t>(list_[0].y) - list_[1].y) + 1;
    return columns * rows;
}

std::vector<Point> SamplePoints::expand(size_t limit) const {
    if (!rectangle_) return {list_.begin(), list_.begin() + static_cast<std::ptrdiff_t>(std::min(limit, list_.size()))};
    // Corners given in any order describe the same rectangle.
    const int32_t x0 = std::min(list_[0].x, list_[1].x), x1 = std::max(list_[0].x, list_[1].x);
    const int32_t y0 = std::min(list_[0].y, list_[1].y), y1 = std::max(list_[0].y, list_[1].y);
    std::vector<Point> points;
    for (int32_t y = y0; y <= y1 && points.size() < limit; ++y)
        for (int32_t x = x0; x <= x1 && points.size() < limit; ++x) points.push_back({x, y});
    return points;
}

} // namespace velokrom::cli
