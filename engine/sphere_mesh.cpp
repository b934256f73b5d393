#include "sphere_mesh.h"

#include <cmath>
#include <cstdlib>

namespace velokrom {
namespace {

constexpr int kOctahedronEdges[12][2] = {{1, 0}, {1, 5}, {1, 3}, {1, 2}, {0, 5}, {5, 3},
                                         {3, 2}, {2, 0}, {0, 4}, {5, 4}, {3, 4}, {2, 4}};
// (edge, edge, edge), octant
constexpr int kOctahedronFaces[8][4] = {{0, 4, 1, 3},  {1, 5, 2, 2},  {2, 6, 3, 6},  {3, 7, 0, 7},
                                        {9, 4, 8, 1},  {10, 5, 9, 0}, {11, 6, 10, 4}, {8, 7, 11, 5}};

using Triangle = std::array<int, 3>;

// Builds the mesh: vertex positions as dyadic midpoints (exact in double), faces split into
// three corners (each keeps its parent's vertex at the same place in the order) and a centre.
class MeshBuilder {
public:
    MeshBuilder() {
        for (int i = 0; i < 6; ++i) {
            double p[3] = {0, 0, 0};
            p[i % 3] = i < 3 ? 1.0 : -1.0;
            addVertex(p);
        }
        for (auto& m : midpoint_) m.fill(-1);
    }

    void build(std::array<Vec3f, kVertexCount>& directions, std::array<std::array<uint32_t, 3>, kFaceCount>& faces) {
        Triangle octahedron[8];
        for (int f = 0; f < 8; ++f) octahedron[f] = faceFromEdges(kOctahedronFaces[f]);

        // Level one: a midpoint per octahedron edge, in edge order.
        for (const auto& e : kOctahedronEdges) addMidpoint(e[0], e[1]);
        // Level two: midpoints of the edge halves (a, mid), (mid, b) in edge order, then of the
        // inner edges of each face in face order; inner edge j joins the midpoints of the
        // face's other two edges.
        for (const auto& e : kOctahedronEdges) {
            const int m = midpoint(e[0], e[1]);
            addMidpoint(e[0], m);
            addMidpoint(m, e[1]);
        }
        for (const auto& f : kOctahedronFaces) {
            int mids[3];
            for (int j = 0; j < 3; ++j) mids[j] = midpoint(kOctahedronEdges[f[j]][0], kOctahedronEdges[f[j]][1]);
            addMidpoint(mids[1], mids[2]);
            addMidpoint(mids[0], mids[2]);
            addMidpoint(mids[0], mids[1]);
        }

        for (int f = 0; f < 8; ++f) splitOctahedronFace(octahedron[f], kOctahedronFaces[f][3], faces);

        // Normalise only now: level-two vertices are midpoints of unnormalised level-one ones.
        for (int v = 0; v < kVertexCount; ++v) {
            const double* p = positions_[v];
            const double length = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
            directions[v] = {static_cast<float>(p[0] / length), static_cast<float>(p[1] / length),
                             static_cast<float>(p[2] / length)};
        }
    }

private:
    // A face's vertex order: the first points of its first two edges, then the remaining one.
    Triangle faceFromEdges(const int* edges) const {
        const int* ea = kOctahedronEdges[edges[0]];
        const int* eb = kOctahedronEdges[edges[1]];
        const int* ec = kOctahedronEdges[edges[2]];
        const int v0 = ea[0], v1 = eb[0];
        int v2 = -1;
        for (int v : {ea[1], eb[1], ec[0], ec[1]})
            if (v != v0 && v != v1) v2 = v;
        return {v0, v1, v2};
    }

    // Axis rank j - 1 of an octahedron vertex in the octant's axis order (k1, k2, k3):
    // (G, R, B) for an even number of octant bits, (G, B, R) for an odd number.
    static int axisRank(int octahedronVertex, int octant) {
        const int axis = octahedronVertex % 3;  // 0 red, 1 green, 2 blue
        if (axis == 1) return 0;
        const bool even = (__builtin_popcount(static_cast<unsigned>(octant)) % 2) == 0;
        return (axis == 0) == even ? 1 : 2;
    }

    struct Split {
        Triangle corner[3];  // corner[i] holds the parent's vertex i at its place i
        Triangle centre;
    };

    // The stored numbering turns each centre triangle: above the green plane it starts at the
    // midpoint of the edge (v2, v0), below it at that of (v0, v1); the centre of a centre
    // turns the other way.
    Split split(const Triangle& t, int centreTurn) const {
        const int m01 = midpoint(t[0], t[1]), m12 = midpoint(t[1], t[2]), m20 = midpoint(t[2], t[0]);
        Split s;
        s.corner[0] = {t[0], m01, m20};
        s.corner[1] = {m01, t[1], m12};
        s.corner[2] = {m20, m12, t[2]};
        const Triangle c = {m01, m12, m20};
        for (int i = 0; i < 3; ++i) s.centre[i] = c[(i + centreTurn) % 3];
        return s;
    }

    void splitOctahedronFace(const Triangle& face, int octant, std::array<std::array<uint32_t, 3>, kFaceCount>& faces) const {
        const int turn = (octant & 2) ? 2 : 0;
        const Split first = split(face, turn);
        auto store = [&](int code, const Triangle& t) {
            faces[code] = {static_cast<uint32_t>(t[0]), static_cast<uint32_t>(t[1]), static_cast<uint32_t>(t[2])};
        };
        for (int i = 0; i < 3; ++i) {
            const int axisVertex = face[i];
            const int c1 = axisRank(axisVertex, octant);
            const Split second = split(first.corner[i], turn);
            for (int k = 0; k < 3; ++k) {
                const int v = first.corner[i][k];
                const int c2 = v == axisVertex ? c1 : axisRank(otherEnd(face, axisVertex, v), octant);
                store(octant + 8 * c1 + 32 * c2, second.corner[k]);
            }
            store(octant + 8 * c1 + 96, second.centre);
        }
        // The centre's corners sit at midpoints; each is named after the axis it does not touch.
        const Split second = split(first.centre, 2 - turn);
        for (int k = 0; k < 3; ++k) {
            int c2 = -1;
            for (int j = 0; j < 3; ++j)
                if (midpoint(face[(j + 1) % 3], face[(j + 2) % 3]) == first.centre[k]) c2 = axisRank(face[j], octant);
            store(octant + 24 + 32 * c2, second.corner[k]);
        }
        store(octant + 24 + 96, second.centre);
    }

    // The octahedron vertex w of the face such that mid(axisVertex, w) == m.
    int otherEnd(const Triangle& face, int axisVertex, int m) const {
        for (int w : face)
            if (w != axisVertex && midpoint(axisVertex, w) == m) return w;
        std::abort();  // the subdivision guarantees a match
    }

    void addVertex(const double p[3]) {
        for (int i = 0; i < 3; ++i) positions_[count_][i] = p[i];
        ++count_;
    }
    void addMidpoint(int a, int b) {
        double p[3];
        for (int i = 0; i < 3; ++i) p[i] = (positions_[a][i] - positions_[b][i]) * 0.5 + positions_[b][i];
        midpoint_[a][b] = midpoint_[b][a] = count_;
        addVertex(p);
    }
    int midpoint(int a, int b) const { return midpoint_[a][b]; }

    double positions_[kVertexCount][3] = {};
    std::array<std::array<int, kVertexCount>, kVertexCount> midpoint_{};
    int count_ = 0;
};

} // namespace

SphereMesh::SphereMesh() { MeshBuilder().build(directions_, faces_); }

const SphereMesh& sphereMesh() {
    static const SphereMesh mesh;
    return mesh;
}

int faceOfColor(uint16_t red, uint16_t green, uint16_t blue, const float center[3]) {
    // Differences truncated toward zero. A centre far outside the colour cube is clamped to a
    // range in which 3 * (sum of two magnitudes) cannot overflow.
    auto difference = [](uint16_t c, float centre) -> int64_t {
        const double d = static_cast<double>(c) - static_cast<double>(centre);
        constexpr double kLimit = 1099511627776.0;  // 2^40
        if (!(d == d)) return 0;
        if (d >= kLimit) return static_cast<int64_t>(kLimit);
        if (d <= -kLimit) return -static_cast<int64_t>(kLimit);
        return static_cast<int64_t>(d);
    };
    const int64_t dr = difference(red, center[0]);
    const int64_t dg = difference(green, center[1]);
    const int64_t db = difference(blue, center[2]);
    const int octant = (dr > 0 ? 1 : 0) | (dg > 0 ? 2 : 0) | (db > 0 ? 4 : 0);
    const int64_t r = dr < 0 ? -dr : dr, g = dg < 0 ? -dg : dg, b = db < 0 ? -db : db;

    const bool even = octant == 0 || octant == 3 || octant == 5 || octant == 6;
    const int64_t k1 = g, k2 = even ? r : b, k3 = even ? b : r;
    const int64_t s1 = k2 + k3, s2 = k1 + k3, s3 = k1 + k2;

    int c1, c2;
    if (k1 > s1) c1 = 0;
    else if (k2 > s2) c1 = 1;
    else if (k3 > s3) c1 = 2;
    else c1 = 3;

    switch (c1) {
    case 0: c2 = k1 > 3 * s1 ? 0 : 3 * k2 > s2 ? 1 : 3 * k3 > s3 ? 2 : 3; break;
    case 1: c2 = 3 * k1 > s1 ? 0 : k2 > 3 * s2 ? 1 : 3 * k3 > s3 ? 2 : 3; break;
    case 2: c2 = 3 * k1 > s1 ? 0 : 3 * k2 > s2 ? 1 : k3 > 3 * s3 ? 2 : 3; break;
    default: c2 = s1 > 3 * k1 ? 0 : s2 > 3 * k2 ? 1 : s3 > 3 * k3 ? 2 : 3; break;
    }
    return octant + 8 * c1 + 32 * c2;
}

Vec3f surfacePoint(const float center[3], float radius, int vertex) {
    const Vec3f& d = vertexDirection(vertex);
    const double r = radius;
    return {static_cast<float>(center[0] + r * d.x), static_cast<float>(center[1] + r * d.y),
            static_cast<float>(center[2] + r * d.z)};
}

Plane facePlane(const Vec3f& p0, const Vec3f& p1, const Vec3f& p2) {
    const float e1x = static_cast<float>(static_cast<double>(p1.x) - p0.x);
    const float e1y = static_cast<float>(static_cast<double>(p1.y) - p0.y);
    const float e1z = static_cast<float>(static_cast<double>(p1.z) - p0.z);
    const float e2x = static_cast<float>(static_cast<double>(p2.x) - p0.x);
    const float e2y = static_cast<float>(static_cast<double>(p2.y) - p0.y);
    const float e2z = static_cast<float>(static_cast<double>(p2.z) - p0.z);
    Plane plane;
    plane.nx = static_cast<float>(static_cast<double>(e1z) * e2y - static_cast<double>(e1y) * e2z);
    plane.ny = static_cast<float>(static_cast<double>(e1x) * e2z - static_cast<double>(e1z) * e2x);
    plane.nz = static_cast<float>(static_cast<double>(e1y) * e2x - static_cast<double>(e1x) * e2y);
    plane.d = static_cast<float>(-(static_cast<double>(plane.nx) * p0.x + static_cast<double>(plane.ny) * p0.y +
                                   static_cast<double>(plane.nz) * p0.z));
    return plane;
}

} // namespace velokrom
