#include "auto_setup.h"

#include "key_model.h"
#include "portable_trig.h"
#include "saturating.h"

namespace velokrom {
namespace {

constexpr float kUnitScale = 1.5259022e-5f;  // nearest single to 1 / 65535
constexpr double kSphereRadius = 16383.75;    // 65535 / 4
constexpr double kPlaneDepth = 6553.5;        // 65535 / 10

// A synthetic channel: rounded to single, clamped to the cube, truncated.
uint16_t sphereChannel(double v) { return truncToU16Clamped(static_cast<float>(v)); }

void fillSphereSet(KeySample* block, const float* centre) {
    for (int i = 0; i < 100; ++i) {
        const double phi = i * 0.031415926535897934 - 1.5707963267948966;
        const double blue = centre[2] + kSphereRadius * portableSin(phi);
        const double rho = kSphereRadius * portableCos(phi);
        for (int j = 0; j < 100; ++j) {
            const double theta = j * 0.06283185307179587;
            KeySample& s = block[100 * i + j];
            s.red = sphereChannel(centre[0] + rho * portableCos(theta));
            s.green = sphereChannel(centre[1] + rho * portableSin(theta));
            s.blue = sphereChannel(blue);
        }
    }
}

// Colours whose key channel lies 6553.5 below the other two, over a grid of (u, w) values;
// the cells above the diagonal are white.
void fillPlaneSet(KeySample* block, int32_t colorClass) {
    for (int half = 0; half < 2; ++half) {
        for (int a = 0; a < 50; ++a) {
            const int t = a + 25 < 50 ? a + 25 : 74 - (a + 25);
            const float u = static_cast<float>(t * 1337.4489795918366);
            for (int b = 0; b < 100; ++b) {
                const int s = b + 50 < 100 ? b + 50 : 149 - (b + 50);
                const double wide = s * 661.969696969697;
                KeySample& out = block[5000 * half + 100 * a + b];
                if (wide > u) {
                    out.red = out.green = out.blue = 65535;
                    continue;
                }
                const float w = static_cast<float>(wide);
                const double keyValue = w - kPlaneDepth;
                const uint16_t key = truncToU16Clamped(keyValue > 0.0 ? keyValue : 0.0);
                const uint16_t first = truncToU16Clamped(half == 0 ? u : w);
                const uint16_t second = truncToU16Clamped(half == 0 ? w : u);
                switch (colorClass) {
                case kClassBlue: out.red = first; out.green = second; out.blue = key; break;
                case kClassGreen: out.red = first; out.blue = second; out.green = key; break;
                default: out.blue = first; out.green = second; out.red = key; break;  // red
                }
            }
        }
    }
}

} // namespace

Hsv rgbToHsv(float r, float g, float b) {
    const float max = r > g ? (r > b ? r : b) : (g > b ? g : b);
    const float min = r < g ? (r < b ? r : b) : (g < b ? g : b);
    Hsv out{0.0f, 0.0f, max};
    out.s = max > 0.0f ? static_cast<float>((static_cast<double>(max) - min) / max) : 0.0f;
    if (out.s == 0.0f) return out;
    const double range = static_cast<double>(max) - min;
    const float rc = static_cast<float>((max - static_cast<double>(r)) / range);
    const float gc = static_cast<float>((max - static_cast<double>(g)) / range);
    const float bc = static_cast<float>((max - static_cast<double>(b)) / range);
    float h;
    if (r == max) h = static_cast<float>(static_cast<double>(bc) - gc);
    else if (g == max) h = static_cast<float>(2.0 + rc - bc);
    else h = static_cast<float>(4.0 + gc - rc);
    if (h < 0.0f) h = static_cast<float>(h + 6.0);
    out.h = h;
    return out;
}

int32_t colorClassOf(float h, float s, float v) {
    if (s < 0.1f) return v > 0.7f ? kClassWhite : (v >= 0.3f ? kClassGrey : kClassBlack);
    if (h < 0.5f) return kClassRed;
    if (h < 1.5f) return kClassYellow;
    if (h < 2.5f) return kClassGreen;
    if (h < 3.5f) return kClassCyan;
    if (h < 4.5f) return kClassBlue;
    if (h < 5.5f) return kClassMagenta;
    return kClassRed;
}

void generateAutoSetupSamples(KeySample* block) {
    const float* c = liveKeyModel().keyCenter;
    const Hsv hsv = rgbToHsv(c[0] * kUnitScale, c[1] * kUnitScale, c[2] * kUnitScale);
    const int32_t colorClass = colorClassOf(hsv.h, hsv.s, hsv.v);
    if (colorClass == kClassBlue || colorClass == kClassGreen || colorClass == kClassRed)
        fillPlaneSet(block, colorClass);
    else
        fillSphereSet(block, c);
}

} // namespace velokrom
