#pragma once
#include <cstdint>
#include <vector>

#include "composite/image_access_base.h"

namespace velokrom {

// An image access whose work rows are vectors it owns, made once for the image's width. The
// command-line keyer's engines and the tests build on it; the plug-in's rows come from the host
// and from allocate() instead.
class OwnedWorkRowsEngine : public ImageAccessBase {
public:
    Pixel16* workRowA() override { return workRows_[0].data(); }
    Pixel16* workRowB() override { return workRows_[1].data(); }
    Pixel16* workRowC() override { return workRows_[2].data(); }
    Pixel16* workRowD() override { return workRows_[3].data(); }
    uint8_t* workRow8() override { return workRow8_.data(); }
    uint8_t* matteWorkRow() override { return matteWorkRow_.empty() ? nullptr : matteWorkRow_.data(); }

protected:
    // Sizes the rows for imageWidth; without a matte row the pass writes no matte.
    void makeWorkRows(bool withMatteRow) {
        const size_t width = static_cast<size_t>(imageWidth);
        for (auto& row : workRows_) row.assign(width, Pixel16{0, 0, 0, 0});
        workRow8_.assign(width * 3, 0);
        matteWorkRow_.assign(withMatteRow ? width : 0, 0);
    }

private:
    std::vector<Pixel16> workRows_[4];
    std::vector<uint8_t> workRow8_;
    std::vector<uint8_t> matteWorkRow_;
};

} // namespace velokrom
