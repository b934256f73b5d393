#pragma once
#include <array>
#include <cstdint>

#include "sphere_mesh.h"

namespace velokrom {

// One radius per sphere-mesh vertex, in 16-bit colour units; flat between vertices.
using KeySurface = std::array<float, kVertexCount>;

// The key: its centre, an option word, three nested surfaces and fields that are only carried.
struct KeyModel {
    float keyCenter[3];
    uint32_t surfaceOptions;
    uint32_t reservedWord0;             // cleared to 0
    uint32_t reservedWord1;             // cleared to 5
    char reservedText0[256];            // NUL-terminated; kept by the clear
    char reservedText1[256];
    uint16_t reservedShorts[4];         // the clear zeroes the first three
    KeySurface innerSurface;
    KeySurface middleSurface;
    KeySurface outerSurface;
    float colorAdjust[24];              // carried, never applied
    uint32_t reservedTail[12];          // carried
};

// surfaceOptions bits that change how the face planes are built.
constexpr uint32_t kHardCutOption = 0x80;       // all three surfaces use the middle radii
constexpr uint32_t kNoOuterZoneOption = 0x100;  // middle and outer use the middle radii

// The key in its stored form: 1480 bytes, little-endian, used by the parameter block,
// the history, the settings file and the tuning checkpoint.
constexpr int kKeyModelRecordSize = 1480;
struct KeyModelRecord {
    uint8_t bytes[kKeyModelRecordSize];
};
static_assert(sizeof(KeyModelRecord) == kKeyModelRecordSize, "record is exactly 1480 bytes");

// The one process-wide key, all zero when the library is loaded.
KeyModel& liveKeyModel();

void clearKeyModel();
void saveKeyModel(const KeyModel& model, KeyModelRecord& record);
// Text fields are copied up to and including their NUL; a text without a NUL in its 256 bytes
// is cut to 255 characters so that it is always terminated.
void restoreKeyModel(const KeyModelRecord& record, KeyModel& model);

inline KeyModelRecord saveLiveKey() {
    KeyModelRecord record;
    saveKeyModel(liveKeyModel(), record);
    return record;
}
inline void restoreLiveKey(const KeyModelRecord& record) { restoreKeyModel(record, liveKeyModel()); }

} // namespace velokrom
