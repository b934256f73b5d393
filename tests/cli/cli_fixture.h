#pragma once
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli.h"
#include "green_screen_sample.h"
#include "image_io/image_file.h"
#include "scratch_folder.h"

namespace velokrom::cli {

struct CliResult {
    int status;
    std::string out;
    std::string err;
};

// Each test works in a fresh folder holding a small sample: fg.png, bg.png, and their size.
class CliTest : public ::testing::Test {
protected:
    static constexpr int32_t kWidth = 64, kHeight = 48;

    void SetUp() override {
        const GreenScreenSample sample = makeGreenScreenSample(kWidth, kHeight);
        writeRgb("fg.png", sample.foreground);
        writeRgb("bg.png", sample.background);
    }
    std::string path(const std::string& name) const { return scratch_.path(name); }

    void writeRgb(const std::string& name, const RgbImage& image) const {
        PendingImage file(path(name), {image.width, image.height}, 3, [&](int32_t y) { return image.at(y, 0); });
        file.commit();
    }

    // Runs the keyer; arguments naming files of the folder are written as plain names and
    // resolved here ("@name" stands for path(name)).
    CliResult run(const std::vector<std::string>& words, bool terminal = false) const {
        std::vector<std::string> resolved;
        for (const std::string& w : words) resolved.push_back(w.size() > 1 && w[0] == '@' ? path(w.substr(1)) : w);
        std::ostringstream out, err;
        const int status = cli::run(resolved, out, err, terminal);
        return {status, out.str(), err.str()};
    }

    std::set<std::string> files() const { return scratch_.names(); }

    // A key made the way the README makes one for the bundled sample, scaled to this size.
    void makeKey(const std::string& name) const {
        const CliResult r = run({"key", "@fg.png", "--background", "@bg.png", "--auto", "1,1:12,8",
                                 "--select-background", "56,36:63,47", "--select-foreground", "27,14:32,18", "--save",
                                 "@" + name});
        ASSERT_EQ(r.status, 0) << r.err;
    }

    testing::ScratchFolder scratch_;
};

// An error: status 2 and exactly one line on standard error, naming the problem.
inline void expectError(const CliResult& r, const std::string& fragment) {
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.rfind("velokrom: ", 0), 0u) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_NE(r.err.find(fragment), std::string::npos) << r.err;
}

} // namespace velokrom::cli
