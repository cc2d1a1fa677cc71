// The strip's picture: columns and times, the zoom, and what lands where.
#include "app/timing/timing_strip.h"

#include <gtest/gtest.h>

namespace qucap {
namespace {

TEST(TimingStrip, ColumnsTimesAndZoom) {
    const StripView view{10'000, 20'000, 200};  // 100 ms a column from 0 s
    EXPECT_EQ(view.msAt(50), 5'000);
    EXPECT_EQ(view.xOf(5'000), 50);
    EXPECT_EQ(view.xOf(5'099), 50);
    EXPECT_EQ(view.xOf(-50), -1) << "just before the strip";
    EXPECT_EQ(view.xOf(25'000), 200) << "past it";
    struct Case {
        int64_t span;
        int steps;
        int64_t zoomed;
    };
    for (const Case c : {Case{20'000, 1, 13'333}, Case{20'000, -1, 30'000}, Case{2'500, 3, 2'000},
                         Case{500'000, -2, 600'000}, Case{20'000, 0, 20'000}})
        EXPECT_EQ(zoomedSpan(c.span, c.steps), c.zoomed) << c.span << " " << c.steps;
}

TEST(TimingStrip, TheSoundTheCutsAndTheRowsInView) {
    std::vector<uint16_t> slices;
    for (uint16_t k = 0; k < 2'000; ++k) slices.push_back(k);  // 20 s of 10-ms slices, louder and louder
    const PeakTable peaks(std::move(slices));
    // Slots of the caption table: (number, start, duration).
    CaptionTable rows(4);
    const int32_t slots[][3] = {{1, 1'000, 1'990}, {2, 0, 0}, {3, 19'950, 1'050}, {4, 30'000, 1'000}};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i].number = slots[i][0];
        rows[i].start = slots[i][1];
        rows[i].duration = slots[i][2];
    }
    const StripPicture picture = stripPicture({10'000, 20'000, 200}, &peaks, {100, 600}, 400'000, rows);
    ASSERT_EQ(picture.loudness.size(), 200u);
    // A column of 100 ms reads the 80-ms level: slices 0-1 of it, the first 160 ms.
    EXPECT_EQ(picture.loudness[0], 15);
    EXPECT_EQ(picture.loudness[199], 1'999);
    EXPECT_EQ(picture.loudest, 1'999) << "the scale of the wave";
    EXPECT_EQ(picture.cuts, (std::vector<int>{40})) << "frame 100 at 25 fps is 4 s; frame 600 is past the strip";
    ASSERT_EQ(picture.rows.size(), 2u) << "the row without a time and the one past the strip are left out";
    EXPECT_EQ(picture.rows[0].number, 1);
    EXPECT_EQ(picture.rows[0].left, 10);
    EXPECT_EQ(picture.rows[0].right, 30);
    EXPECT_EQ(picture.rows[1].number, 3);
    EXPECT_EQ(picture.rows[1].left, 199);
    EXPECT_EQ(picture.rows[1].right, 200);
    EXPECT_EQ(picture.playhead, 100);
    EXPECT_TRUE(stripPicture({10'000, 20'000, 200}, nullptr, {}, 0, {}).loudness.empty());
}

}  // namespace
}  // namespace qucap
