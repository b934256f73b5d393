// The colour cache across key changes: after each prepare every lane answers the zone that the
// key, built afresh, gives the colour, whatever keys the cache served before.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "composite/color_zone_cache.h"
#include "engine/face_planes.h"
#include "key_fixture.h"

namespace velokrom {
namespace {

// Nested spheres whose centre and radii move with i, so that a colour's zone under one key
// says little of its zone under another.
KeyModel movingKey(int i) {
    KeyModel key{};
    key.keyCenter[0] = static_cast<float>((i * 37 + 40) % 256 << 8);
    key.keyCenter[1] = static_cast<float>((i * 101 + 180) % 256 << 8);
    key.keyCenter[2] = static_cast<float>((i * 59 + 60) % 256 << 8);
    key.innerSurface.fill(static_cast<float>(6000 + i * 97 % 10000));
    key.middleSurface.fill(static_cast<float>(18000 + i * 131 % 10000));
    key.outerSurface.fill(static_cast<float>(30000 + i * 173 % 30000));
    return key;
}

// Every colour of a 16-level grid (from first in steps of 17) in every lane against the key's
// own evaluation.
void expectZonesOf(const ColorZoneCache& cache, int32_t lanes, const KeyModel& model, uint32_t first, const std::string& what) {
    FacePlaneTable planes;
    buildFacePlanes(model, planes);
    const MatteKey fresh(planes, model.keyCenter);
    const MatteKey cached = cache.key();
    for (int32_t l = 0; l < lanes; ++l) {
        ColorZoneCache::Lane lane = cache.lane(l);
        for (uint32_t r = first; r < 256; r += 17)
            for (uint32_t g = first; g < 256; g += 17)
                for (uint32_t b = first; b < 256; b += 17) {
                    const Pixel16 source{uint16_t(r << 8), uint16_t(g << 8), uint16_t(b << 8), 0};
                    const ColorZone zone = fresh.zoneOf(source);
                    const RampColor* ramp = nullptr;
                    // Twice: the first asks may evaluate, the second reads what was kept.
                    for (int ask = 0; ask < 2; ++ask) {
                        ASSERT_EQ(lane.kindOf(r, g, b, cached, ramp), zone.kind) << what << " " << r << "," << g << "," << b;
                        if (zone.kind != ColorZone::kRamp) continue;
                        const ColorZone kept = ramp->zone();
                        ASSERT_EQ(kept.insideMiddle, zone.insideMiddle) << what;
                        ASSERT_EQ(std::memcmp(&kept.tOuter, &zone.tOuter, sizeof(float)), 0) << what;
                        ASSERT_EQ(std::memcmp(&kept.fraction, &zone.fraction, sizeof(float)), 0) << what;
                        if (zone.insideMiddle) {
                            ASSERT_EQ(ramp->matte, fresh.rampResult(source, source, zone).fourth >> 8) << what;
                        }
                    }
                }
    }
}

TEST(ColorZoneCache, AnswersEachKeyAfterAnyKeysBefore) {
    const KeyModel base = movingKey(0);
    KeyModel hardCut = base, nudgedCentre = base, oneRadius = base;
    hardCut.surfaceOptions = kHardCutOption;
    nudgedCentre.keyCenter[1] += 1.0f;
    oneRadius.innerSurface[17] = 15000.0f;
    struct Step {
        const char* name;
        KeyModel key;
    };
    // Keys that differ from the one before in one field only, then more keys than the cache
    // tells apart without clearing its entries. Every step asks one grid of colours; a second
    // grid is asked only once in kKeysBetweenSweeps keys, so that its entries are as old as any.
    std::vector<Step> steps = {{"base", base}, {"hard cut", hardCut}, {"base again", base},
                               {"one radius", oneRadius}, {"centre", nudgedCentre}};
    for (int i = 1; i < 140; ++i) steps.push_back({"moving", movingKey(i)});

    ColorZoneCache cache;
    constexpr int32_t kLanes = 2;
    for (size_t s = 0; s < steps.size(); ++s) {
        ASSERT_TRUE(cache.prepare(steps[s].key, kLanes, ColorZoneCache::kMaxBytes));
        const std::string what = std::string(steps[s].name) + " (step " + std::to_string(s) + ")";
        expectZonesOf(cache, kLanes, steps[s].key, 0, what);
        if (s % ColorZoneCache::kKeysBetweenSweeps == 0) expectZonesOf(cache, kLanes, steps[s].key, 8, what + ", rare grid");
        if (::testing::Test::HasFatalFailure()) return;
    }
}

} // namespace
} // namespace velokrom
