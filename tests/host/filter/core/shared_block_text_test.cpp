#include "filter/core/shared_block_text.h"

#include <gtest/gtest.h>

namespace qucap {
namespace {

SharedBlockUnits blockOfText(std::u16string_view text) {
    SharedBlockUnits units{};
    for (std::size_t i = 0; i < text.size() && i < units.size(); ++i) units[i] = text[i];
    return units;
}

TEST(SharedBlockText, WritesTheMillisecondTextThenZeros) {
    const SharedBlockUnits units = sharedBlockOf(65'250);
    EXPECT_EQ(std::u16string(units.data()), u"0:01:05.250");
    EXPECT_EQ(units[11], 0);
    EXPECT_EQ(sharedBlockOf(0), blockOfText(u"0:00:00.000"));
    // The largest time fills 11 units and keeps the terminator.
    EXPECT_EQ(sharedBlockOf(40'000'000), blockOfText(u"9:59:59.999"));
    EXPECT_EQ(sharedBlockOf(-1), SharedBlockUnits{});
}

TEST(SharedBlockText, ReadsTheOffsetBack) {
    EXPECT_EQ(seekOffsetOf(blockOfText(u"1:00:00.000")), 3'600'000);
    EXPECT_EQ(seekOffsetOf(sharedBlockOf(65'250)), 65'250);
    EXPECT_EQ(seekOffsetOf(SharedBlockUnits{}), 0);  // a fresh block
    EXPECT_EQ(seekOffsetOf(blockOfText(u"0:00:01.5")), 1'500);
}

TEST(SharedBlockText, TwelveCharactersWithoutTerminatorMeanZero) {
    EXPECT_EQ(seekOffsetOf(blockOfText(u"0:00:05.0000")), 0);
    EXPECT_EQ(seekOffsetOf(blockOfText(u"111111111111")), 0);
    // With the terminator in the last unit the text is read.
    EXPECT_EQ(seekOffsetOf(blockOfText(u"0:00:05.000")), 5'000);
}

TEST(SharedBlockText, TextAfterTheTerminatorIsIgnored) {
    SharedBlockUnits units = blockOfText(u"0:00:02.000");
    units[0] = u'5';
    units[1] = 0;  // "5", then leftovers of an older text
    EXPECT_EQ(seekOffsetOf(units), 5'000);
}

}  // namespace
}  // namespace qucap
