#pragma once
#include <gtest/gtest.h>

#include <cstring>

#include "engine/key_model.h"

namespace velokrom {

// A key whose three surfaces are spheres around the centre.
inline void setUniformKey(float cr, float cg, float cb, float inner, float middle, float outer) {
    KeyModel& m = liveKeyModel();
    m.keyCenter[0] = cr;
    m.keyCenter[1] = cg;
    m.keyCenter[2] = cb;
    m.innerSurface.fill(inner);
    m.middleSurface.fill(middle);
    m.outerSurface.fill(outer);
}

// Whether two stored keys hold the same bytes.
inline bool sameKey(const KeyModelRecord& a, const KeyModelRecord& b) {
    return std::memcmp(a.bytes, b.bytes, sizeof a.bytes) == 0;
}

// The key is process-wide: every test starts from an all-zero key (as when the library loads).
class KeyTest : public ::testing::Test {
protected:
    void SetUp() override { std::memset(&liveKeyModel(), 0, sizeof(KeyModel)); }
};

} // namespace velokrom
