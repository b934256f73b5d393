#include "parameter_block.h"

#include <cstring>

#include "engine/byte_order.h"

namespace velokrom {
namespace {

constexpr char kSignature[12] = "VelokromPS";  // NUL-padded to 12
constexpr uint32_t kVersion = 100;
constexpr uint32_t kRevision = 1;

constexpr size_t kSignatureAt = 0;
constexpr size_t kVersionAt = 12;
constexpr size_t kRevisionAt = 16;
constexpr size_t kStartDialogPendingAt = 20;
constexpr size_t kKeyModelAt = 24;
constexpr size_t kStateSavedAt = 1504;
constexpr size_t kBackgroundSourceAt = 1508;
constexpr size_t kBlendModeAt = 1512;
constexpr size_t kSolidColorAt = 1516;
constexpr size_t kWriteMatteToAlphaAt = 1524;
static_assert(kKeyModelAt + kKeyModelRecordSize == kStateSavedAt, "the key record fills 24..1503");
static_assert(kWriteMatteToAlphaAt + 4 == kParameterBlockSize, "the block ends after the alpha flag's padding");

} // namespace

void ParameterBlock::initialise() {
    std::memcpy(bytes_ + kSignatureAt, kSignature, sizeof kSignature);
    putU32(bytes_ + kVersionAt, kVersion);
    putU32(bytes_ + kRevisionAt, kRevision);
    bytes_[kStateSavedAt] = 0;
}

bool ParameterBlock::isOurs() const {
    return std::memcmp(bytes_ + kSignatureAt, kSignature, sizeof kSignature) == 0 &&
           getU32(bytes_ + kVersionAt) == kVersion && getU32(bytes_ + kRevisionAt) == kRevision;
}

bool ParameterBlock::startDialogPending() const { return bytes_[kStartDialogPendingAt] != 0; }
void ParameterBlock::setStartDialogPending(bool pending) { bytes_[kStartDialogPendingAt] = pending ? 1 : 0; }

KeyModelRecord ParameterBlock::keyModel() const {
    KeyModelRecord record;
    std::memcpy(record.bytes, bytes_ + kKeyModelAt, kKeyModelRecordSize);
    return record;
}
void ParameterBlock::setKeyModel(const KeyModelRecord& record) {
    std::memcpy(bytes_ + kKeyModelAt, record.bytes, kKeyModelRecordSize);
}

bool ParameterBlock::stateSaved() const { return bytes_[kStateSavedAt] != 0; }
void ParameterBlock::setStateSaved(bool saved) { bytes_[kStateSavedAt] = saved ? 1 : 0; }

BackgroundSource ParameterBlock::backgroundSource() const {
    return getI32(bytes_ + kBackgroundSourceAt) == kBackgroundSaved ? kBackgroundSaved : kBackgroundNeutralGray;
}
void ParameterBlock::setBackgroundSource(BackgroundSource source) {
    putU32(bytes_ + kBackgroundSourceAt, static_cast<uint32_t>(source));
}

BlendMode ParameterBlock::blendMode() const { return static_cast<BlendMode>(getI32(bytes_ + kBlendModeAt)); }
void ParameterBlock::setBlendMode(BlendMode mode) { putU32(bytes_ + kBlendModeAt, static_cast<uint32_t>(mode)); }

void ParameterBlock::solidColor(uint16_t color[4]) const {
    for (size_t i = 0; i < 4; ++i) color[i] = getU16(bytes_ + kSolidColorAt + 2 * i);
}
void ParameterBlock::setSolidColor(const uint16_t color[4]) {
    for (size_t i = 0; i < 4; ++i) putU16(bytes_ + kSolidColorAt + 2 * i, color[i]);
}

bool ParameterBlock::writeMatteToAlpha() const { return bytes_[kWriteMatteToAlphaAt] != 0; }
void ParameterBlock::setWriteMatteToAlpha(bool write) { bytes_[kWriteMatteToAlphaAt] = write ? 1 : 0; }

} // namespace velokrom
