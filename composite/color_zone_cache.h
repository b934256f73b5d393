#pragma once
#include <cstddef>
#include <cstdint>

#include "engine/face_planes.h"
#include "engine/matte_evaluation.h"

namespace velokrom {

// A ramp colour (between the inner and the outer surface) as the row pass keeps it: its zone
// and, inside the middle surface, its composite and matte, which do not depend on the
// reference: each channel over a background byte v composites to (weight * v + offset) / 65535.
struct RampColor {
    float tOuter;
    float fraction;
    uint32_t weight;
    uint32_t offset[3];
    uint8_t insideMiddle;
    uint8_t matte;
    ColorZone zone() const { return {ColorZone::kRamp, insideMiddle != 0, tOuter, fraction}; }
};

// The zones of 8-bit source colours (each channel v << 8) under one key, kept for the row pass:
// a colour's zone depends on nothing but the colour and the key, and the pixels of a photograph
// repeat a small share of the 2^24 colours. Holds the key's face planes, built once per key.
//
// Memory, from the ordinary heap and at most the budget given: one byte per colour for its
// kind, shared by the pass's threads (written and read as whole bytes, atomically), and per
// thread a direct-mapped table of ramp colours. Entries carry a generation, so a new key
// invalidates them all without a sweep; the sweep comes once every kKeysBetweenSweeps keys.
class ColorZoneCache {
    struct RampEntry {
        uint32_t tag;  // colour index | generation << 24; 0 is empty
        RampColor color;
    };

public:
    static constexpr size_t kMaxBytes = size_t{64} << 20;
    static constexpr int32_t kMaxLanes = 16;
    // Keys told apart by their generation before the entries are cleared (generation << 2 |
    // kind must fit a byte).
    static constexpr uint32_t kKeysBetweenSweeps = 63;

    ColorZoneCache();
    ~ColorZoneCache() { release(); }
    ColorZoneCache(const ColorZoneCache&) = delete;
    ColorZoneCache& operator=(const ColorZoneCache&) = delete;

    // Makes the cache serve model for lanes threads (at most kMaxLanes) within budget bytes,
    // keeping its entries when the key is the one of the last call. False when the memory
    // cannot be had.
    bool prepare(const KeyModel& model, int32_t lanes, size_t budget);
    void release();

    // One thread's view of a prepared cache: plain values that the thread keeps in registers.
    class Lane {
    public:
        // The kind of the colour with channel bytes r, g, b, evaluated with key (the cache's
        // key()); for a ramp colour ramp points at what the lane keeps of it, until its next call.
        ColorZone::Kind kindOf(uint32_t r, uint32_t g, uint32_t b, const MatteKey& key, const RampColor*& ramp) {
            const uint32_t index = spread_[0][r] | spread_[1][g] | spread_[2][b];
            const uint32_t code = __atomic_load_n(kinds_ + index, __ATOMIC_RELAXED);
            if (code == (codes_ & 0xff)) return ColorZone::kTransparent;
            if (code == (codes_ >> 8 & 0xff)) return ColorZone::kUnchanged;
            RampEntry& entry = ramps_[index & rampMask_];
            ramp = &entry.color;
            if (code == codes_ >> 16 && entry.tag == (index | generationTag_)) return ColorZone::kRamp;
            return evaluate(r, g, b, kinds_ + index, codes_, entry, index | generationTag_, key);
        }

    private:
        friend class ColorZoneCache;
        Lane(const ColorZoneCache& cache, int32_t lane);
        // Takes values only, so that the lane itself never leaves the thread's registers.
        static ColorZone::Kind evaluate(uint32_t r, uint32_t g, uint32_t b, uint8_t* kind, uint32_t codes,
                                        RampEntry& entry, uint32_t tag, const MatteKey& key);

        const uint32_t (*spread_)[256];
        uint8_t* kinds_;
        RampEntry* ramps_;
        uint32_t rampMask_;
        uint32_t generationTag_;
        uint32_t codes_;  // the transparent, unchanged and ramp codes in bytes 0, 1, 2
    };
    // lane: 0 .. the lanes prepared - 1, one per thread.
    Lane lane(int32_t lane) const { return Lane(*this, lane); }
    MatteKey key() const { return MatteKey(planes_, center_); }

private:
    static constexpr size_t kColorCount = size_t{1} << 24;

    void sweep();

    uint8_t* kinds_ = nullptr;  // the whole block; the lanes' tables follow the kinds
    RampEntry* lanes_[kMaxLanes] = {};
    int32_t laneCount_ = 0;
    uint32_t rampMask_ = 0;
    size_t rampEntries_ = 0;
    uint32_t generation_ = 0;  // 1 .. 63 once prepared
    uint8_t codes_[3] = {};    // generation << 2 | (kind + 1), per kind
    // A colour's index: each channel's high five bits pick a block of 8 x 8 x 8 colours, its low
    // three bits the colour in the block, so that the noise around a colour stays in a few blocks.
    uint32_t spread_[3][256] = {};

    // The key these entries belong to: centre, options and the three surfaces, as bytes.
    uint8_t signature_[12 + 4 + 3 * sizeof(KeySurface)] = {};
    FacePlaneTable planes_{};
    float center_[3] = {};
};

} // namespace velokrom
