// The emulated host as a tool: its command line and a session that keeps the parameter block
// in a file between runs.
#include <fstream>
#include <sstream>
#include <tuple>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "plugin_fixture.h"
#include "scratch_folder.h"
#include "tools/vkhost/host_session.h"
#include "tools/vkhost/image_files.h"

namespace velokrom::testing {
namespace {

using vkhost::parseRunArguments;
using vkhost::RunArguments;

TEST(VkhostArguments, SelectionCornersAreInclusiveAndBadInputIsRejected) {
    const RunArguments run =
        parseRunArguments({"builtin", "--image", "in.png", "--out", "out.png", "--selection", "2,3:9,7", "--repeat"});
    EXPECT_TRUE(run.repeat);
    const vkhost::HostOptions options = vkhost::hostOptionsFor(run, HostImage(10, 8, 3));
    const Rect& area = options.selection;
    EXPECT_EQ(std::tie(area.left, area.top, area.right, area.bottom), std::make_tuple(2, 3, 10, 8));
    EXPECT_THROW(vkhost::hostOptionsFor(run, HostImage(9, 8, 3)), std::runtime_error);
    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"builtin", "--image", "a"},
             {"builtin", "--image", "a", "--out", "b", "--selection", "5,5:4,9"},
             {"builtin", "--image", "a", "--out", "b", "--choice", "maybe"},
             {"builtin", "--image", "a", "--out", "b", "--alpha-plane", "--layered"},
             {"builtin", "--image", "a", "--out", "b", "--frobnicate"}})
        EXPECT_THROW(parseRunArguments(bad), std::runtime_error);
}

class VkhostSession : public PluginTest {
protected:
    // A folder of its own: CTest runs these tests in parallel, and so may several builds.
    ScratchFolder scratch;
    std::string paramsPath = scratch.path("params.bin");
};

TEST_F(VkhostSession, RepeatTakesTheKeptBlockFromItsFileAndReportsEverySelector) {
    const HostImage source = greenScreen(16, 12);
    const KeyModelRecord key = backingKey(source);
    ScratchFolder::writeBytes(paramsPath, savedParameterBlock(key, {kBackgroundNeutralGray, kBlendDirect}));
    RunArguments run = parseRunArguments({"builtin", "--image", "i", "--out", "o", "--repeat", "--params", paramsPath});
    HostImage image = source;
    std::ostringstream report;
    EXPECT_EQ(vkhost::runSession(host, run, image, report), noErr);
    EXPECT_EQ(report.str(), "prepare: 0\nstart: 0\nfinish: 0\n");
    EXPECT_EQ(rgbOf(image).pixels, expectedComposite(rgbOf(source), RgbImage(), key, kBlendDirect, true).pixels);
    EXPECT_EQ(ScratchFolder::readBytes(paramsPath), parameterBytes());
}

// A file of the wrong size, and (where there are such things) a device that never ends and a
// pipe that never delivers: each is refused before the filter is called, without hanging.
TEST_F(VkhostSession, ParameterFilesThatAreNoBlockAreRefused) {
    std::vector<std::string> refused = {paramsPath};
    std::ofstream(paramsPath, std::ios::binary) << "short";
    const std::string longer = paramsPath + ".long";
    std::ofstream(longer, std::ios::binary) << std::string(kParameterBlockSize + 1, 'x');
    refused.push_back(longer);
#ifndef _WIN32
    const std::string pipe = paramsPath + ".fifo";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    refused.insert(refused.end(), {"/dev/zero", pipe});
#endif
    for (const std::string& path : refused) {
        RunArguments run = parseRunArguments({"builtin", "--image", "i", "--out", "o", "--params", path});
        HostImage image = greenScreen(4, 4);
        std::ostringstream report;
        EXPECT_THROW(vkhost::runSession(host, run, image, report), std::runtime_error) << path;
        EXPECT_TRUE(host.calls().empty()) << path;
    }
}

// Image files that declare more than they hold: refused before a picture of the declared size
// is allocated (32767 x 32767 would take 3 GB), whatever the host's image format.
TEST_F(VkhostSession, ImagesDeclaringMoreThanTheyHoldAreRefusedBeforeAllocation) {
    const struct {
        const char* header;
        const char* reason;
    } cases[] = {
#ifdef _WIN32
        {"P6\n32767 32767\n255\n", "truncated"},
#else
        {"P6\n32767 32767\n255\n", "more than the limit"},
#endif
        {"P6\n64 48\n255\n", "'"},
    };
    for (const auto& c : cases) {
        const std::string header = c.header;
        std::vector<uint8_t> bytes(header.begin(), header.end());
        bytes.resize(bytes.size() + 100, 0x40);
        const std::string image = scratch.path("declared.ppm");
        ScratchFolder::writeBytes(image, bytes);
        try {
            vkhost::readHostImage(image, false);
            ADD_FAILURE() << c.header << " was read";
        } catch (const std::runtime_error& error) {
            EXPECT_NE(std::string(error.what()).find(c.reason), std::string::npos) << error.what();
        }
    }
}

} // namespace
} // namespace velokrom::testing
