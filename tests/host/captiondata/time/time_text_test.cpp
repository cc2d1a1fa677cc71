#include "captiondata/time/time_text.h"

#include <gtest/gtest.h>

namespace qucap {
namespace {

TEST(TimeText, FormatsEveryForm) {
    EXPECT_EQ(formatTime(3'723'456, TimeForm::Caption), u"1:02:03.45");
    EXPECT_EQ(formatTime(3'723'456, TimeForm::Millisecond), u"1:02:03.456");
    EXPECT_EQ(formatTime(3'723'456, TimeForm::Clock), u"01:02:03");
    EXPECT_EQ(formatTime(3'723'456, TimeForm::Subtitle), u"01:02:03,456");
    EXPECT_EQ(formatTime(3'723'459, TimeForm::Caption), u"1:02:03.45");  // truncated, not rounded
}

TEST(TimeText, FormatBoundaries) {
    EXPECT_EQ(formatTime(0, TimeForm::Caption), u"0:00:00.00");
    EXPECT_EQ(formatTime(59'999, TimeForm::Caption), u"0:00:59.99");
    EXPECT_EQ(formatTime(60'000, TimeForm::Caption), u"0:01:00.00");
    EXPECT_EQ(formatTime(35'999'999, TimeForm::Caption), u"9:59:59.99");
    EXPECT_EQ(formatTime(36'000'000, TimeForm::Caption), u"9:59:59.99");
    EXPECT_EQ(formatTime(INT32_MAX, TimeForm::Subtitle), u"09:59:59,999");
}

TEST(TimeText, NegativeTimeLeavesDestinationUnchanged) {
    std::u16string destination = u"keep";
    formatTime(-1, TimeForm::Caption, destination);
    EXPECT_EQ(destination, u"keep");
    EXPECT_EQ(formatTime(-5, TimeForm::Clock), u"");
}

TEST(TimeText, ParsesEveryShape) {
    EXPECT_EQ(parseTime(u"1:02:03.45"), 3'723'450);
    EXPECT_EQ(parseTime(u"75"), 75'000);
    EXPECT_EQ(parseTime(u"5.5"), 5'500);
    EXPECT_EQ(parseTime(u"5.05"), 5'050);
    EXPECT_EQ(parseTime(u"5.005"), 5'005);
    EXPECT_EQ(parseTime(u"123"), 123'000);
    EXPECT_EQ(parseTime(u"2:03"), 123'000);
    EXPECT_EQ(parseTime(u"12:03"), 723'000);
    EXPECT_EQ(parseTime(u"012:03"), 723'000);
    EXPECT_EQ(parseTime(u"01:02:03"), 3'723'000);
    EXPECT_EQ(parseTime(u"09:59:59.99"), 35'999'990);
}

TEST(TimeText, ParseNeverFails) {
    EXPECT_EQ(parseTime(u""), 0);
    EXPECT_EQ(parseTime(u".5"), 500);
    EXPECT_EQ(parseTime(u"0:00:00.0000"), 0);     // 12 characters
    EXPECT_EQ(parseTime(u"123456789"), 0);        // no such length
    EXPECT_EQ(parseTime(u"5.1234"), 5'000);       // four fraction digits add nothing
    EXPECT_EQ(parseTime(u"ab"), 0);
}

TEST(TimeText, CheckersDifferOnlyInSecondsShapes) {
    struct Case {
        std::u16string_view text;
        bool program, filter;
    };
    const Case cases[] = {
        {u"75", true, false},        {u"075", true, false},      {u"059", true, true},
        {u"0:75", false, false},     {u"5.005", false, false},   {u"", false, false},
        {u".5", false, false},       {u"1:02:03.45", true, true}, {u"09:59:59.99", true, true},
        {u"19:59:59.99", false, false}, {u"0:00:00.00", true, true}, {u"0:60:00", false, false},
        {u"5.", true, true},         {u"5.a", false, false},     {u"1-02:03", false, false},
        {u"0:00:00.000", false, false}, {u"0:00:00.0000", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isValidCaptionTime(c.text, TimeChecker::Program), c.program) << std::string(c.text.begin(), c.text.end());
        EXPECT_EQ(isValidCaptionTime(c.text, TimeChecker::Filter), c.filter) << std::string(c.text.begin(), c.text.end());
    }
}

TEST(TimeText, StepsClampAtZeroAndPositionsConvert) {
    EXPECT_EQ(addTimeStep(500, -1000), 0);
    EXPECT_EQ(addTimeStep(500, 250), 750);
    EXPECT_EQ(positionToMilliseconds(123'456'789), 12'345);
    EXPECT_EQ(millisecondsToPosition(12'345), 123'450'000);
}

}  // namespace
}  // namespace qucap
