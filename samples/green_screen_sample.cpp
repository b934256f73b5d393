#include "green_screen_sample.h"

#include <algorithm>
#include <cmath>

namespace velokrom {
namespace {

struct Rgb {
    double r, g, b;
};

Rgb mix(const Rgb& a, const Rgb& b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }
Rgb scale(const Rgb& c, double k) { return {c.r * k, c.g * k, c.b * k}; }

double smoothstep(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

// Signed distance (approximate, in pixels) from an axis-aligned ellipse: negative inside.
double ellipseDistance(double x, double y, double cx, double cy, double rx, double ry) {
    const double dx = (x - cx) / rx, dy = (y - cy) / ry;
    return (std::sqrt(dx * dx + dy * dy) - 1.0) * std::min(rx, ry);
}

// Small deterministic noise in -1 .. 1 per pixel and channel (a hash, no state).
double noise(uint32_t x, uint32_t y, uint32_t channel) {
    uint32_t h = x * 0x9e3779b1u ^ (y * 0x85ebca77u) ^ (channel * 0xc2b2ae3du);
    h ^= h >> 15;
    h *= 0x2c1b3c6du;
    h ^= h >> 12;
    h *= 0x297a2d39u;
    h ^= h >> 15;
    return static_cast<double>(h & 0xffff) / 32767.5 - 1.0;
}

void store(RgbImage& image, int32_t x, int32_t y, const Rgb& c, double grain) {
    uint8_t* p = image.at(y, x);
    const double channels[3] = {c.r, c.g, c.b};
    for (uint32_t k = 0; k < 3; ++k) {
        const double v = channels[k] + grain * noise(static_cast<uint32_t>(x), static_cast<uint32_t>(y), k);
        p[k] = static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L));
    }
}

// The figure, in pixels of the image: shoulders running out of the bottom edge, a neck, a
// head and a cap of hair.
struct Figure {
    double unit;  // one pixel of the 640-wide sample
    double headX, headY, headR, torsoX, torsoY, torsoRx, torsoRy;

    Figure(double w, double h)
        : unit(w / 640.0), headX(0.47 * w), headY(0.30 * h), headR(0.12 * h), torsoX(0.48 * w), torsoY(0.96 * h),
          torsoRx(0.36 * w), torsoRy(0.42 * h) {}

    double headDistance(double x, double y) const { return ellipseDistance(x, y, headX, headY, headR * 0.8, headR); }
    double torsoDistance(double x, double y) const { return ellipseDistance(x, y, torsoX, torsoY, torsoRx, torsoRy); }
    double neckDistance(double x, double y) const {
        return ellipseDistance(x, y, headX + 0.02 * (torsoX - headX), headY + headR * 1.25, headR * 0.42, headR * 0.85);
    }
    // Hair: a cap over the top of the head whose rim wavers a little, so its edge is soft and uneven.
    double hairDistance(double x, double y) const {
        const double angle = std::atan2(y - headY, x - headX);
        const double waver = 1.5 * unit * std::sin(angle * 37.0) + 1.0 * unit * std::sin(angle * 61.0 + 1.3);
        const double cap = ellipseDistance(x, y, headX, headY - headR * 0.08, headR * 0.88, headR * 1.0) + waver;
        const double hairline = y - (headY - headR * 0.25 + 0.12 * headR * std::cos((x - headX) / headR * 2.2));
        return std::max(cap, hairline);
    }
    double bodyDistance(double x, double y) const {
        return std::min({headDistance(x, y), torsoDistance(x, y), neckDistance(x, y)});
    }
};

// The subject's own colour at a pixel, before edges and spill.
Rgb subjectColor(const Figure& f, double x, double y) {
    const Rgb skin{226, 176, 146}, shirt{176, 38, 52}, hair{58, 38, 28};
    const double light = 1.0 - 0.25 * smoothstep(-f.headR, f.headR, x - f.headX);  // lit from the left
    const double inHair = 1.0 - smoothstep(-2.0 * f.unit, 2.0 * f.unit, f.hairDistance(x, y));
    const bool isHead = f.torsoDistance(x, y) > 0.0;
    const Rgb body = isHead ? skin : shirt;
    const double foldShade = 1.0 - 0.12 * (0.5 + 0.5 * std::sin((x - f.torsoX) / (18.0 * f.unit)));
    return scale(mix(isHead ? body : scale(body, foldShade), hair, inHair), light);
}

} // namespace

GreenScreenSample makeGreenScreenSample(int32_t width, int32_t height) {
    GreenScreenSample sample{RgbImage(width, height), RgbImage(width, height)};
    const double w = width, h = height;
    const Figure figure(w, h);
    const double u = figure.unit;
    const Rgb backing{46, 172, 72};
    // The key light falls from the upper left: the shadow is the silhouette moved right and down.
    const double shadowDx = 34.0 * u, shadowDy = 14.0 * u;

    for (int32_t yi = 0; yi < height; ++yi)
        for (int32_t xi = 0; xi < width; ++xi) {
            const double x = xi + 0.5, y = yi + 0.5;

            // Background picture: sky, a sun, rolling hills.
            const double horizon = 0.58 * h + 0.05 * h * std::sin(x / w * 5.1 + 0.7) + 0.02 * h * std::sin(x / w * 13.0);
            Rgb scene = mix(Rgb{96, 150, 222}, Rgb{204, 222, 240}, std::clamp(y / horizon, 0.0, 1.0));
            const double sun = 1.0 - smoothstep(0.05 * h, 0.075 * h, std::hypot(x - 0.8 * w, y - 0.18 * h));
            scene = mix(scene, Rgb{255, 244, 206}, sun);
            if (y > horizon) {
                const double depth = std::clamp((y - horizon) / (h - horizon), 0.0, 1.0);
                scene = mix(Rgb{112, 140, 78}, Rgb{70, 96, 44}, depth);
                scene = scale(scene, 0.92 + 0.08 * std::sin(x / (23.0 * u) + depth * 9.0));
            }
            store(sample.background, xi, yi, scene, 2.0);

            // Backing: brighter in the middle, falling off towards the corners, with the shadow.
            const double rx = (x - 0.45 * w) / w, ry = (y - 0.4 * h) / h;
            const double falloff = 1.0 - 0.55 * (rx * rx + ry * ry);
            const double shadowDistance = figure.bodyDistance(x - shadowDx, y - shadowDy);
            const double shadow = 1.0 - 0.42 * (1.0 - smoothstep(-18.0 * u, 26.0 * u, shadowDistance));
            const Rgb wall = scale(backing, falloff * shadow);

            // Subject coverage: crisp but anti-aliased body edges, a wide soft rim on the hair.
            const double body = 1.0 - smoothstep(-0.8 * u, 0.8 * u, figure.bodyDistance(x, y));
            const double hair = 1.0 - smoothstep(-4.0 * u, 3.0 * u, figure.hairDistance(x, y));
            const double coverage = std::max(body, hair);
            Rgb front = wall;
            if (coverage > 0.0) {
                Rgb subject = subjectColor(figure, x, y);
                // Green spill: light bounced off the backing tints the rim of the subject.
                const double rim = std::min(figure.bodyDistance(x, y), figure.hairDistance(x, y));
                const double spill = 0.38 * std::exp(std::min(rim, 0.0) / (7.0 * u));
                subject.g += spill * (wall.g - subject.g) * 0.8;
                subject.r -= spill * subject.r * 0.15;
                front = mix(wall, subject, coverage);
            }
            store(sample.foreground, xi, yi, front, 2.5);
        }
    return sample;
}

} // namespace velokrom
