// The threaded row pass as the image access and the host see it: every call from the calling
// thread, progress and writes row by row in order, a stop or a failure ending it cleanly.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "composite/memory_image_access.h"
#include "key_fixture.h"

namespace velokrom {
namespace {

// Records every row operation and progress call, and the thread it came from.
class RecordingAccess : public MemoryImageAccess {
public:
    using MemoryImageAccess::MemoryImageAccess;

    struct Call {
        std::string what;
        int32_t row;
        std::thread::id thread;
    };
    std::vector<Call> calls;
    int32_t failWritingRow = -1;

    bool progress(int32_t done, int32_t total) override {
        record("progress", total == 0 ? -1 : done);
        return MemoryImageAccess::progress(done, total);
    }
    uint8_t* foregroundRow(int32_t row, int32_t col, int32_t count) override {
        record("read", row);
        return MemoryImageAccess::foregroundRow(row, col, count);
    }
    uint8_t* defocusedRow(int32_t row, int32_t col, int32_t count) override {
        record("read defocused", row);
        return MemoryImageAccess::defocusedRow(row, col, count);
    }
    void putOutputRow(const uint8_t* source, int32_t row, int32_t col, int32_t count) override {
        if (row == failWritingRow) throw std::runtime_error("disk full");
        record("output", row);
        MemoryImageAccess::putOutputRow(source, row, col, count);
    }
    void putMatteRow(const uint8_t* source, int32_t row, int32_t col, int32_t count) override {
        record("matte", row);
        MemoryImageAccess::putMatteRow(source, row, col, count);
    }

    std::vector<Call> only(const std::string& what) const {
        std::vector<Call> found;
        for (const Call& c : calls)
            if (c.what == what) found.push_back(c);
        return found;
    }

private:
    void record(const char* what, int32_t row) { calls.push_back({what, row, std::this_thread::get_id()}); }
};

class RowPassThreads : public KeyTest, public ::testing::WithParamInterface<int32_t> {
protected:
    void SetUp() override {
        KeyTest::SetUp();
        setUniformKey(40 << 8, 180 << 8, 60 << 8, 3000, 9000, 20000);
        RgbImage foreground(40, kHeight), background(40, kHeight, 90);
        for (size_t i = 0; i < foreground.pixels.size(); ++i) foreground.pixels[i] = static_cast<uint8_t>(i * 37 % 251);
        run = std::make_unique<RecordingAccess>(foreground, background);
        run->rowPassThreads = GetParam();
    }

    static constexpr int32_t kHeight = 300;
    std::unique_ptr<RecordingAccess> run;
};

TEST_P(RowPassThreads, HostCallsStayOnTheCallingThreadAndRowsGoOutInOrder) {
    for (BlendMode mode : {kBlendDirect, kBlendDefocused}) {
        run->blendMode = mode;
        run->calls.clear();
        ASSERT_TRUE(run->processImage(true, true));
        for (const auto& call : run->calls) ASSERT_EQ(call.thread, std::this_thread::get_id()) << call.what << " " << call.row;
        // progress(y) comes before row y is written, output before matte, rows in order.
        std::vector<std::string> expected, seen;
        for (int32_t y = 0; y < kHeight; ++y)
            for (const char* what : {"progress", "output", "matte"}) expected.push_back(what + std::to_string(y));
        expected.push_back("progress-1");
        for (const auto& call : run->calls)
            if (call.what != "read" && call.what != "read defocused") seen.push_back(call.what + std::to_string(call.row));
        EXPECT_EQ(seen, expected);
        EXPECT_EQ(run->only("read defocused").size(), mode == kBlendDefocused ? size_t{kHeight} : 0u);
    }
}

TEST_P(RowPassThreads, AStopLeavesTheRowsBeforeItNewAndNothingAfterIt) {
    run->output = RgbImage(40, kHeight, 77);  // the previous pass's composite
    run->onProgress = [](int32_t done, int32_t total) { return total == 0 || done < 137; };
    EXPECT_FALSE(run->processImage(true, true));
    EXPECT_EQ(run->history().count(), 0);
    const auto outputs = run->only("output");
    ASSERT_EQ(outputs.size(), 137u);
    EXPECT_EQ(outputs.back().row, 136);
    EXPECT_EQ(run->calls.back().what, "progress");  // the closing progress(0, 0)
    for (int32_t y = 0; y < kHeight; ++y) {
        bool untouched = true;
        for (int32_t x = 0; x < 40; ++x)
            for (int c = 0; c < 3; ++c) untouched = untouched && run->output.at(y, x)[c] == 77;
        EXPECT_EQ(untouched, y >= 137) << y;
    }
}

TEST_P(RowPassThreads, AFailedWriteEndsThePassAndTheNextPassRuns) {
    run->failWritingRow = 50;
    EXPECT_THROW(run->processImage(false, false), std::runtime_error);
    EXPECT_EQ(run->only("output").size(), 50u);
    run->failWritingRow = -1;
    run->calls.clear();
    EXPECT_TRUE(run->processImage(false, false));
    EXPECT_EQ(run->only("output").size(), size_t{kHeight});
}

INSTANTIATE_TEST_SUITE_P(Threads, RowPassThreads, ::testing::Values(1, 2, 5));

} // namespace
} // namespace velokrom
