#include "keyer_engine.h"

#include "engine/auto_setup.h"
#include "engine/face_planes.h"
#include "engine/key_operations.h"
#include "engine/matte_evaluation.h"
#include "engine/settings_file.h"

namespace velokrom {

KeyerEngine::KeyerEngine() {
    sphereMesh();
    samples.sampleCount = 0;
}

KeyerEngine::~KeyerEngine() = default;

bool KeyerEngine::progress(int32_t, int32_t) { return true; }
void KeyerEngine::runInteractive() {}
void KeyerEngine::runStartChoice() {}
void KeyerEngine::openTuningDialog() {}
void KeyerEngine::showAbout() {}
void KeyerEngine::endInteractive(bool) {}

// ---- sample drags

void KeyerEngine::sampleDrag(DragPhase phase, int32_t x, int32_t y) {
    if (phase == DragPhase::End) {
        // A drag that recorded nothing (its first pixel lay off the image) changes nothing.
        if (samples.sampleCount < 1) return;
        if (keyOperation == kTuneColors) {
            locateTuningTarget();
            return;
        }
        if (applyKeyOperation()) processImage(true, true);
        return;
    }
    if (phase == DragPhase::Begin) samples.sampleCount = 0;
    else if (phase != DragPhase::Continue) return;
    if (samples.sampleCount >= kSampleCapacity) return;
    if (x < 0 || y < 0 || x >= imageWidth || y >= imageHeight) return;

    auto record = [this](const uint8_t* pixel, KeySample& sample) {
        sample.red = static_cast<uint16_t>(pixel[redIndex()] << 8);
        sample.green = static_cast<uint16_t>(pixel[greenIndex()] << 8);
        sample.blue = static_cast<uint16_t>(pixel[blueIndex()] << 8);
        sample.fourth = 0;
    };
    record(foregroundRow(y, x, 1), samples.foregroundSamples[samples.sampleCount]);
    doneForegroundRow();
    if (keyOperation == kTuneColors) {
        record(backgroundRow(y, x, 1), samples.backgroundSamples[samples.sampleCount]);
        doneBackgroundRow();
    }
    ++samples.sampleCount;
}

bool KeyerEngine::applyKeyOperation() {
    const Color16 average = averageSample(samples.foregroundSamples, samples.sampleCount);
    KeyModel& key = liveKeyModel();
    switch (keyOperation) {
    case kAutoSetup: {
        // The block comes first: without it the key is left exactly as it was.
        void* block = allocate(sizeof(KeySample) * kAutoSetupSampleCount);
        if (!block) return false;
        setKeyCenter(average);
        fillSurface(key.innerSurface, kAutoInnerRadius);
        fillSurface(key.middleSurface, kAutoOuterRadius);
        fillSurface(key.outerSurface, kAutoOuterRadius);
        KeySample* synthetic = static_cast<KeySample*>(lock(block));
        generateAutoSetupSamples(synthetic);
        shrinkSurface(key.outerSurface, synthetic, kAutoSetupSampleCount);
        unlock(block);
        release(block);
        enforceNesting(kOuter);
        return true;
    }
    case kSelectBackground:
        growSurface(key.innerSurface, samples.foregroundSamples, samples.sampleCount);
        enforceNesting(kInner);
        return true;
    case kSelectForeground:
        shrinkSurface(key.outerSurface, samples.foregroundSamples, samples.sampleCount);
        enforceNesting(kOuter);
        return true;
    case kTuneColors: {
        const KeySample pushed = [&] {
            const Color16 c = tuningStepColor(average);
            return KeySample{c.red, c.green, c.blue, 0};
        }();
        growSurface(key.outerSurface, &pushed, 1);
        return true;
    }
    default:
        return true;
    }
}

// ---- history

bool KeyerEngine::restoreAndReprocess(const HistorySnapshot* entry) {
    if (!entry) return false;
    restoreLiveKey(entry->record);
    processImage(true, false);
    return true;
}

bool KeyerEngine::undo() { return restoreAndReprocess(history_.stepBack()); }
bool KeyerEngine::redo() { return restoreAndReprocess(history_.stepForward()); }
bool KeyerEngine::resetToInitial() { return restoreAndReprocess(history_.stepToFirst()); }
bool KeyerEngine::returnToMark() { return restoreAndReprocess(history_.stepToMark()); }

// ---- settings file

bool KeyerEngine::readSettingsFile(PlatformServices& platform, const std::string& path) {
    KeyModelRecord record;
    if (!readSettingsRecord(platform, path, record)) return false;
    restoreLiveKey(record);
    processImage(true, true);
    return true;
}

// ---- colour tuning

void KeyerEngine::locateTuningTarget() {
    tuningTarget_ = velokrom::locateTuningTarget(averageSample(samples.foregroundSamples, samples.sampleCount),
                                                 averageSample(samples.backgroundSamples, samples.sampleCount));
}

void KeyerEngine::beginTuning() { tuningCheckpoint_ = saveLiveKey(); }

bool KeyerEngine::adjustTuning(int32_t sliderIndex, float value) {
    return velokrom::adjustTuning(tuningTarget_, sliderIndex, value);
}

Color16 KeyerEngine::tuningSwatchColor() {
    const Color16& fg = tuningTarget_.foregroundAverage;
    const Color16& bg = tuningTarget_.backgroundAverage;
    const Pixel16 source{fg.red, fg.green, fg.blue, 0};
    const Pixel16 reference{bg.red, bg.green, bg.blue, 0};
    Pixel16 out;
    keyRow(&source, &reference, &out, 1);
    const uint32_t alpha = out.fourth;
    auto over = [alpha](uint16_t back, uint16_t front) {
        return static_cast<uint16_t>((back * (65535u - alpha) + front * alpha) >> 16);
    };
    return {over(bg.red, out.red), over(bg.green, out.green), over(bg.blue, out.blue)};
}

void KeyerEngine::applyTuning() {
    applyKeyOperation();
    processImage(true, true);
    tuningCheckpoint_ = saveLiveKey();
}

void KeyerEngine::cancelTuning() { restoreLiveKey(tuningCheckpoint_); }

} // namespace velokrom
