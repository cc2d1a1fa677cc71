#include "win32/win32_shiftjis.h"

#include <gtest/gtest.h>

namespace qucap::test {
namespace {

TEST(Win32ShiftJisDecoderTest, DecodesFullAndHalfWidthCharacters) {
    const Win32ShiftJisDecoder decoder;
    EXPECT_EQ(decoder.decode("\x82\xA0\x83\x4A\x8E\x9A\x96\x8B"), u"あカ字幕");
    EXPECT_EQ(decoder.decode("\xB6\xC5\xDE"), u"ｶﾅﾞ");
    EXPECT_EQ(decoder.decode("abc,1\r\n"), u"abc,1\r\n");
    EXPECT_EQ(decoder.decode(""), u"");
}

TEST(Win32ShiftJisDecoderTest, RefusesInvalidBytesInsteadOfReplacingThem) {
    const Win32ShiftJisDecoder decoder;
    EXPECT_EQ(decoder.decode("\x82"), std::nullopt) << "lead byte at the end";
    EXPECT_EQ(decoder.decode("a\x82\x20"), std::nullopt) << "trail byte out of range";
    EXPECT_EQ(decoder.decode("\xE3\x81\x82"), std::nullopt) << "UTF-8 あ";
}

}  // namespace
}  // namespace qucap::test
