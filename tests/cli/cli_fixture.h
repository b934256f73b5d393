#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
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

// An error: status 2 and exactly one line on standard error, naming the problem.
inline void expectError(const CliResult& r, const std::string& fragment) {
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.rfind("velokrom: ", 0), 0u) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_NE(r.err.find(fragment), std::string::npos) << r.err;
}

// Each test works in a fresh folder holding a small sample, fg.png and bg.png, and k.vkp, a key
// made for it the way the README makes one for the bundled sample, scaled to this size.
class CliTest : public ::testing::Test {
protected:
    static constexpr int32_t kWidth = 64, kHeight = 48;

    void SetUp() override {
        const GreenScreenSample sample = makeGreenScreenSample(kWidth, kHeight);
        writeRgb("fg.png", sample.foreground);
        writeRgb("bg.png", sample.background);
        const CliResult r = run({"key", "@fg.png", "--background", "@bg.png", "--auto", "1,1:12,8",
                                 "--select-background", "56,36:63,47", "--select-foreground", "27,14:32,18", "--save",
                                 "@k.vkp"});
        ASSERT_EQ(r.status, 0) << r.err;
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

    // Every name in the folder with the bytes of each regular file (a link loop is no file, and
    // no reason to throw; a folder made in place of a file changes the bytes to none).
    std::map<std::string, std::string> contents() const {
        std::map<std::string, std::string> all;
        for (const auto& entry : std::filesystem::directory_iterator(scratch_.dir())) {
            std::error_code loop;
            const auto bytes = entry.is_regular_file(loop) ? testing::ScratchFolder::readBytes(entry.path()) : std::vector<uint8_t>{};
            all[entry.path().filename().string()] = std::string(bytes.begin(), bytes.end());
        }
        return all;
    }

    // Refused with its one error line, the folder exactly as it was.
    CliResult expectRefused(const std::vector<std::string>& words, const std::string& fragment) const {
        const auto before = contents();
        const CliResult result = run(words);
        expectError(result, fragment);
        EXPECT_EQ(contents(), before) << "the folder changed";
        return result;
    }

    testing::ScratchFolder scratch_;
};

} // namespace velokrom::cli
