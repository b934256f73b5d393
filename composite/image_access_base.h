#pragma once
#include "composite/keyer_engine.h"

namespace velokrom {

// The operations every image access of ours answers the same way: memory blocks are plain
// addresses (lock and unlock change nothing), pixels are stored red, green, blue, and rows and
// the display buffer need nothing done when the engine is finished with them. An image access
// derives from this and states only how it stores and allocates.
class ImageAccessBase : public virtual KeyerEngine {
public:
    void* lock(void* memory) override { return memory; }
    void unlock(void*) override {}
    int32_t redIndex() override { return 0; }
    int32_t greenIndex() override { return 1; }
    int32_t blueIndex() override { return 2; }
    void doneForegroundRow() override {}
    void doneBackgroundRow() override {}
    void doneDefocusedRow() override {}
    void doneOutputRow() override {}
    void doneMatteRow() override {}
    void doneWorkRowA() override {}
    void doneWorkRowB() override {}
    void doneWorkRowC() override {}
    void doneWorkRowD() override {}
    void doneWorkRow8() override {}
    void doneMatteWorkRow() override {}
    void doneDisplayRow() override {}
    void unlockDisplayScratch() override {}
};

} // namespace velokrom
