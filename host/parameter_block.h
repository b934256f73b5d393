#pragma once
// The parameter block the host keeps between invocations: 1528 little-endian bytes, read and
// written field by field in place, so that bytes the filter does not own are never rewritten.
#include <cstddef>
#include <cstdint>

#include "composite/run_choices.h"
#include "engine/key_model.h"

namespace velokrom {

constexpr size_t kParameterBlockSize = 1528;

class ParameterBlock {
public:
    explicit ParameterBlock(uint8_t* bytes) : bytes_(bytes) {}

    // Signature "VelokromPS", version 100, revision 1, stateSaved 0 (the rest stays as it is).
    void initialise();
    // The signature, version and revision of a block this filter made.
    bool isOurs() const;

    bool startDialogPending() const;
    void setStartDialogPending(bool pending);
    KeyModelRecord keyModel() const;
    void setKeyModel(const KeyModelRecord& record);
    bool stateSaved() const;
    void setStateSaved(bool saved);
    // Only the two sources exist: any value but the saved image's reads as neutral grey, which
    // would otherwise leave the background undefined.
    BackgroundSource backgroundSource() const;
    void setBackgroundSource(BackgroundSource source);
    // Stored and read back unchanged, unknown values included.
    BlendMode blendMode() const;
    void setBlendMode(BlendMode mode);
    void solidColor(uint16_t color[4]) const;
    void setSolidColor(const uint16_t color[4]);
    bool writeMatteToAlpha() const;
    void setWriteMatteToAlpha(bool write);

private:
    uint8_t* bytes_;
};

} // namespace velokrom
