#include "surface_fitting.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "key_model.h"
#include "saturating.h"
#include "sphere_mesh.h"

namespace velokrom {
namespace {

struct Vec3d {
    double x, y, z;
};

Vec3d toDouble(const Vec3f& v) { return {v.x, v.y, v.z}; }
Vec3d cross(const Vec3d& a, const Vec3d& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double dot(const Vec3d& a, const Vec3d& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
double length(const Vec3d& a) { return std::sqrt(dot(a, a)); }
Vec3d minus(const Vec3d& a, const Vec3d& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

int axisError(int which) {
    std::fprintf(stderr, "Error : Axis mis-definision (%d)\n", which);
    return -1;
}

constexpr float kFullScale = 196605.0f;  // 3 * 65535

// Searches s in 0..196605 by halving steps; trial(s) answers isOutsideFace for the trial radii
// at scale s. Outside moves s by +step when raising and -step when lowering.
template <typename Trial>
bool searchScale(double stopStep, bool raising, Trial trial, float& scale) {
    float s = kFullScale, step = kFullScale;
    do {
        const bool outside = trial(s) == 1;
        step = step * 0.5f;
        s = (outside == raising) ? s + step : s - step;
        if (s > kFullScale || s < 0.0f) return false;
    } while (step > stopStep);
    scale = s;
    return true;
}

float raisedRadius(float radius, float weight, float s) {
    return std::max(radius, static_cast<float>(static_cast<double>(weight) * s));
}
float loweredRadius(float radius, float weight, float s) {
    if (!(weight > 0.0f)) return radius;
    return std::min(radius, static_cast<float>(65535.0 / (static_cast<double>(weight) * s)));
}

} // namespace

int faceWeights(const Color16& p, uint32_t vertices[3], float weights[3]) {
    const float* c = liveKeyModel().keyCenter;
    const float vx = static_cast<float>(p.red - static_cast<double>(c[0]));
    const float vy = static_cast<float>(p.green - static_cast<double>(c[1]));
    const float vz = static_cast<float>(p.blue - static_cast<double>(c[2]));
    const double len = length({vx, vy, vz});
    if (!(len >= 1.0)) return -1;

    const auto& face = faceVertices(faceOfColor(p, c));
    for (int k = 0; k < 3; ++k) vertices[k] = face[k];
    const Vec3d v0 = toDouble(vertexDirection(static_cast<int>(face[0])));
    const Vec3d v1 = toDouble(vertexDirection(static_cast<int>(face[1])));
    const Vec3d v2 = toDouble(vertexDirection(static_cast<int>(face[2])));
    const Vec3d u = {static_cast<float>(vx / len), static_cast<float>(vy / len), static_cast<float>(vz / len)};

    const Vec3d n = cross(v0, u);
    if (length(n) < 0.0001) {
        weights[0] = 1.0f;
        weights[1] = weights[2] = 0.0f;
        return 1;
    }
    // lambda: where the plane through the centre spanned by V0 and u crosses the edge V1V2.
    const Vec3d w = minus(v1, v2);
    const float s = static_cast<float>(dot(n, w));
    if (-0.0001 < s && s < 0.0001) return axisError(1);
    const double lambda = clampUnit(dot(n, v1) / s);
    const Vec3d q = {v1.x - lambda * w.x, v1.y - lambda * w.y, v1.z - lambda * w.z};

    // mu: where the ray along u crosses the segment from that point to V0.
    const Vec3d m = cross(u, n);
    if (length(m) < 0.00001) return axisError(2);
    const float sp = static_cast<float>(dot(m, minus(v0, q)));
    if (-0.00001 < sp && sp < 0.00001) return axisError(3);
    const double mu = clampUnit(dot(m, v0) / sp);

    weights[0] = static_cast<float>(1.0 - mu);
    weights[1] = static_cast<float>((1.0 - lambda) * mu);
    weights[2] = static_cast<float>(lambda * mu);
    return 1;
}

int isOutsideFace(const float radii[3], const uint32_t vertices[3], const Color16& p) {
    const float* c = liveKeyModel().keyCenter;
    const Plane plane = facePlane(surfacePoint(c, radii[0], static_cast<int>(vertices[0])),
                                  surfacePoint(c, radii[1], static_cast<int>(vertices[1])),
                                  surfacePoint(c, radii[2], static_cast<int>(vertices[2])));
    const double centerDot = plane.nx * static_cast<double>(c[0]) + plane.ny * static_cast<double>(c[1]) +
                             plane.nz * static_cast<double>(c[2]);
    const float hit = static_cast<float>(-(centerDot + plane.d));
    const double den = plane.nx * static_cast<double>(p.red) + plane.ny * static_cast<double>(p.green) +
                       plane.nz * static_cast<double>(p.blue) - centerDot;
    if (den == 0.0) return 1;
    const double t = hit / static_cast<double>(static_cast<float>(den));
    return t > 1.0 ? -1 : 1;
}

int growFaceToInclude(const Color16& p, const uint32_t vertices[3], const float weights[3], float radii[3]) {
    float scale;
    const bool found = searchScale(1.0, true, [&](float s) {
        float trial[3];
        for (int k = 0; k < 3; ++k) trial[k] = raisedRadius(radii[k], weights[k], s);
        return isOutsideFace(trial, vertices, p);
    }, scale);
    if (!found) return -1;
    for (int k = 0; k < 3; ++k) radii[k] = raisedRadius(radii[k], weights[k], scale);
    return 1;
}

int shrinkFaceToExclude(const Color16& p, const uint32_t vertices[3], const float weights[3], float radii[3]) {
    float scale;
    const bool found = searchScale(0.1, false, [&](float s) {
        float trial[3];
        for (int k = 0; k < 3; ++k) trial[k] = loweredRadius(radii[k], weights[k], s);
        return isOutsideFace(trial, vertices, p);
    }, scale);
    if (!found) return -1;
    for (int k = 0; k < 3; ++k) radii[k] = loweredRadius(radii[k], weights[k], scale);
    return 1;
}

} // namespace velokrom
