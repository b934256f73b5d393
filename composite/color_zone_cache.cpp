#include "color_zone_cache.h"

#include <cstdlib>
#include <cstring>

#include "blend.h"

namespace velokrom {
namespace {

constexpr size_t kMostRampEntries = size_t{1} << 19;
constexpr size_t kFewestRampEntries = size_t{1} << 12;

} // namespace

ColorZoneCache::ColorZoneCache() {
    for (uint32_t v = 0; v < 256; ++v) {
        spread_[0][v] = (v >> 3) << 19 | (v & 7) << 6;
        spread_[1][v] = (v >> 3) << 14 | (v & 7) << 3;
        spread_[2][v] = (v >> 3) << 9 | (v & 7);
    }
}

bool ColorZoneCache::prepare(const KeyModel& model, int32_t lanes, size_t budget) {
    lanes = lanes < 1 ? 1 : (lanes > kMaxLanes ? kMaxLanes : lanes);
    if (budget > kMaxBytes) budget = kMaxBytes;
    const size_t laneCount = static_cast<size_t>(lanes);
    size_t entries = kMostRampEntries;
    while (entries >= kFewestRampEntries && kColorCount + laneCount * entries * sizeof(RampEntry) > budget) entries /= 2;
    if (entries < kFewestRampEntries) {
        release();
        return false;
    }
    if (!kinds_ || lanes != laneCount_ || entries != rampEntries_) {
        release();
        // Zeroed: kind code 0 and ramp tag 0 are "not known yet" in every generation.
        kinds_ = static_cast<uint8_t*>(std::calloc(kColorCount + laneCount * entries * sizeof(RampEntry), 1));
        if (!kinds_) return false;
        auto* ramps = reinterpret_cast<RampEntry*>(kinds_ + kColorCount);
        for (size_t i = 0; i < laneCount; ++i) lanes_[i] = ramps + i * entries;
        laneCount_ = lanes;
        rampEntries_ = entries;
        rampMask_ = static_cast<uint32_t>(entries - 1);
        generation_ = 0;
    }

    uint8_t signature[sizeof signature_];
    std::memcpy(signature, model.keyCenter, 12);
    std::memcpy(signature + 12, &model.surfaceOptions, 4);
    std::memcpy(signature + 16, model.innerSurface.data(), sizeof(KeySurface));
    std::memcpy(signature + 16 + sizeof(KeySurface), model.middleSurface.data(), sizeof(KeySurface));
    std::memcpy(signature + 16 + 2 * sizeof(KeySurface), model.outerSurface.data(), sizeof(KeySurface));
    if (generation_ != 0 && std::memcmp(signature, signature_, sizeof signature) == 0) return true;

    std::memcpy(signature_, signature, sizeof signature);
    if (++generation_ > kKeysBetweenSweeps) {
        sweep();
        generation_ = 1;
    }
    for (uint32_t kind = 0; kind < 3; ++kind) codes_[kind] = static_cast<uint8_t>(generation_ << 2 | (kind + 1));
    buildFacePlanes(model, planes_);
    std::memcpy(center_, model.keyCenter, sizeof center_);
    return true;
}

void ColorZoneCache::release() {
    std::free(kinds_);
    kinds_ = nullptr;
    for (RampEntry*& lane : lanes_) lane = nullptr;
    laneCount_ = 0;
    rampEntries_ = 0;
    generation_ = 0;
}

void ColorZoneCache::sweep() {
    std::memset(kinds_, 0, kColorCount + static_cast<size_t>(laneCount_) * rampEntries_ * sizeof(RampEntry));
}

ColorZoneCache::Lane::Lane(const ColorZoneCache& cache, int32_t lane)
    : spread_(cache.spread_), kinds_(cache.kinds_), ramps_(cache.lanes_[lane]), rampMask_(cache.rampMask_),
      generationTag_(cache.generation_ << 24),
      codes_(uint32_t{cache.codes_[0]} | uint32_t{cache.codes_[1]} << 8 | uint32_t{cache.codes_[2]} << 16) {}

ColorZone::Kind ColorZoneCache::Lane::evaluate(uint32_t r, uint32_t g, uint32_t b, uint8_t* kind, uint32_t codes,
                                               RampEntry& entry, uint32_t tag, const MatteKey& key) {
    const Pixel16 source{static_cast<uint16_t>(r << 8), static_cast<uint16_t>(g << 8), static_cast<uint16_t>(b << 8), 0};
    const ColorZone zone = key.zoneOf(source);
    if (zone.kind == ColorZone::kRamp) {
        RampColor& ramp = entry.color;
        ramp = {zone.tOuter, zone.fraction, 0, {0, 0, 0}, zone.insideMiddle, 0};
        if (zone.insideMiddle) {
            // Inside the middle surface the reference is not read.
            const Pixel16 result = key.rampResult(source, source, zone);
            const uint16_t words[3] = {result.red, result.green, result.blue};
            for (int c = 0; c < 3; ++c) {
                const FixedOver over = fixedOver(result.fourth, words[c]);
                ramp.weight = over.weight;
                ramp.offset[c] = over.offset;
            }
            ramp.matte = matteByte(result.fourth);
        }
        entry.tag = tag;
    }
    __atomic_store_n(kind, static_cast<uint8_t>(codes >> (8 * zone.kind)), __ATOMIC_RELAXED);
    return zone.kind;
}

} // namespace velokrom
