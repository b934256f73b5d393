#include <gtest/gtest.h>

#include <cmath>

#include "cli_error.h"
#include "frame_pattern.h"
#include "image_io/image_file.h"
#include "sample_points.h"

namespace velokrom::cli {
namespace {

TEST(SamplePoints, ListsKeepTheirOrderAndRectanglesRunRowByRow) {
    EXPECT_EQ(SamplePoints::parse("5,6;1,2;5,6").expand(1000), (std::vector<Point>{{5, 6}, {1, 2}, {5, 6}}));
    const std::vector<Point> rectangle{{1, 2}, {2, 2}, {3, 2}, {1, 3}, {2, 3}, {3, 3}};
    EXPECT_EQ(SamplePoints::parse("1,2:3,3").expand(1000), rectangle);
    EXPECT_EQ(SamplePoints::parse("3,3:1,2").expand(1000), rectangle);  // corners in any order
    EXPECT_EQ(SamplePoints::parse("1,2:3,3").expand(4), std::vector<Point>(rectangle.begin(), rectangle.begin() + 4));
    EXPECT_EQ(SamplePoints::parse("0,0:999,9999").count(), 10000000);
    EXPECT_EQ(SamplePoints::parse("0,0:999,9999").expand(1000).back(), (Point{999, 0}));
}

TEST(SamplePoints, RefusesBadSyntax) {
    for (const char* text : {"", "1", "1,2;", "1,2;;3,4", "a,b", "1,2,3", "1,2:3", "1.5,2", "1,2:3,4:5,6", " 1,2"})
        EXPECT_THROW(SamplePoints::parse(text), CliError) << text;
    // The refused point is named within its whole list, whichever part of it fails.
    for (const char* text : {"1,2;3,x;5,6", "1,2;3,4,5;5,6", "1,2;3;5,6"}) {
        const std::string list(text), point = list.substr(4, list.find(';', 4) - 4);
        try {
            SamplePoints::parse(list);
            ADD_FAILURE() << text;
        } catch (const CliError& e) {
            EXPECT_NE(std::string(e.what()).find("point '" + point + "' in '" + list + "'"), std::string::npos) << e.what();
        }
    }
}

TEST(SamplePoints, NamesThePointOffTheImage) {
    for (const char* negative : {"-1,2", "3,-2147483648", "-5,-5:2,2"}) {
        try {
            SamplePoints::parse(negative).checkInside(64, 48);
            FAIL() << negative;
        } catch (const CliError& error) {
            EXPECT_NE(std::string(error.what()).find("lies outside the 64 x 48 image"), std::string::npos) << error.what();
        }
    }
    EXPECT_NO_THROW(SamplePoints::parse("0,0:63,47").checkInside(64, 48));
    EXPECT_THROW(SamplePoints::parse("0,0:63,48").checkInside(64, 48), CliError);
}

TEST(FramePattern, NumbersFramesLikePrintf) {
    EXPECT_EQ(FramePattern("shot.%04d.png").name(7), "shot.0007.png");
    EXPECT_EQ(FramePattern("shot.%04d.png").name(123456), "shot.123456.png");
    EXPECT_EQ(FramePattern("s%d.png").name(42), "s42.png");
    EXPECT_EQ(FramePattern("s%3d.png").name(5), "s  5.png");
    EXPECT_EQ(FramePattern("100%%/f%02d.png").name(3), "100%/f03.png");
    EXPECT_FALSE(FramePattern("still.png").hasFrame());
    EXPECT_EQ(FramePattern("still.png").name(9), "still.png");
    for (const char* bad : {"a%d%d.png", "a%s.png", "a%", "a%-4d.png", "a%0004d.png"})
        EXPECT_THROW(FramePattern{bad}, CliError) << bad;
}

TEST(FrameRange, IsAnInclusiveRangeOrOneFrame) {
    EXPECT_EQ(parseFrameRange("1-240").count(), 240);
    EXPECT_EQ(parseFrameRange("7").first, 7);
    EXPECT_EQ(parseFrameRange("7").count(), 1);
    for (const char* bad : {"3-1", "a-b", "1-", "-3", "1-2-3", ""}) EXPECT_THROW(parseFrameRange(bad), CliError) << bad;
}

TEST(ReduceTo8Bits, RoundsToTheNearestEightBitValue) {
    for (uint32_t v = 0; v <= 65535; ++v)
        ASSERT_EQ(reduceTo8Bits(static_cast<uint16_t>(v)), static_cast<int>(std::floor(v / 257.0 + 0.5))) << v;
}

} // namespace
} // namespace velokrom::cli
