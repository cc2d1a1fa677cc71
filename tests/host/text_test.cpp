#include <gtest/gtest.h>

#include "captiondata/text/decode.h"
#include "captiondata/text/lines.h"
#include "captiondata/text/paths.h"
#include "captiondata/text/u16.h"
#include "tests/support/platform_shiftjis.h"
#include "tests/support/test_io.h"

namespace qucap {
namespace {

using test::platformShiftJis;
using namespace std::string_literals;

std::u16string decode(std::string_view bytes) { return decodeTextFile(bytes, platformShiftJis()); }

TEST(Decode, ByteOrderMarksChooseUtf16) {
    EXPECT_EQ(decode("\xFF\xFE" "A\0\x57\x5B"s), u"A字");
    EXPECT_EQ(decode("\xFE\xFF\0A\x5B\x57"s), u"A字");
    EXPECT_EQ(decode("\xFF\xFE" "A\0B"s), u"A");  // odd last byte dropped
    EXPECT_EQ(decode("\xFE\xFF\0A\0"s), u"A");
    EXPECT_EQ(decode("\xFF\xFE"), u"");
}

TEST(Decode, WithoutMarkTriesUtf8ThenShiftJisThenBytes) {
    EXPECT_EQ(decode("abc,1"), u"abc,1");
    EXPECT_EQ(decode("\xE5\xAD\x97\xE5\xB9\x95"), u"字幕");              // UTF-8
    EXPECT_EQ(decode("\xEF\xBB\xBF\xE5\xAD\x97"), u"字");                // UTF-8 with mark
    EXPECT_EQ(decode("\x8E\x9A\x96\x8B,\x82\xA0"), u"字幕,あ");          // Shift-JIS
    EXPECT_EQ(decode("\xB6\xCC\xDE\xDA\xDD"), u"ｶﾌﾞﾚﾝ");                  // half-width kana
    EXPECT_EQ(decode("a\x80\xFF"), std::u16string(u"a\u0080\u00FF"));  // neither: bytes
}

TEST(Decode, HandlesEmbeddedNulAndLoneSurrogates) {
    EXPECT_EQ(decode(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
    EXPECT_EQ(decode("\xFF\xFE\x00\xD8" "A\0"s), std::u16string(u"\xD800" u"A"));
    EXPECT_EQ(toUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(Lines, CrSubAndLoneLfEndLines) {
    using V = std::vector<std::u16string>;
    EXPECT_EQ(splitLines(u"a\r\nb\r\n", 100, SubRule::EndsLine), (V{u"a", u"b"}));
    EXPECT_EQ(splitLines(u"a\nb\n", 100, SubRule::EndsLine), (V{u"a", u"b"}));
    EXPECT_EQ(splitLines(u"a\r\nb", 100, SubRule::EndsLine), (V{u"a", u"b"}));
    EXPECT_EQ(splitLines(u"a\rb\x1A" u"c\r", 100, SubRule::EndsLine), (V{u"a", u"b", u"c"}));
    EXPECT_EQ(splitLines(u"a\r\n\r\n", 100, SubRule::EndsLine), (V{u"a", u""}));
    EXPECT_EQ(splitLines(u"abcdef\r", 3, SubRule::EndsLine), (V{u"abc"}));
}

TEST(Lines, SubEndsFileUnlessItFollowsLf) {
    using V = std::vector<std::u16string>;
    EXPECT_EQ(splitLines(u"a\r\n\x1A" u"b\r\n", 100, SubRule::EndsFileUnlessAfterLf), (V{u"a", u"b"}));
    EXPECT_EQ(splitLines(u"a\r\nb\x1A" u"c\r\n", 100, SubRule::EndsFileUnlessAfterLf), (V{u"a", u"b"}));
    EXPECT_EQ(splitLines(u"a\r\n\x1A", 100, SubRule::EndsLine), (V{u"a", u""}));
}

TEST(TextHelpers, LenientIntegers) {
    EXPECT_EQ(readLeadingInt(u"  -12abc"), -12);
    EXPECT_EQ(readLeadingInt(u"+7"), 7);
    EXPECT_EQ(readLeadingInt(u"x1"), 0);
    EXPECT_EQ(readLeadingInt(u""), 0);
    EXPECT_EQ(readLeadingInt(u"99999999999"), INT32_MAX);
    EXPECT_EQ(readLeadingInt(u"-99999999999"), INT32_MIN);
    EXPECT_EQ(toDecimal(-45), u"-45");
    EXPECT_EQ(toDecimal(0), u"0");
}

TEST(TextHelpers, Utf8RoundTrip) {
    const std::u16string text = u"字幕😀a";
    EXPECT_EQ(fromUtf8(toUtf8(text)), text);
    EXPECT_EQ(fromUtf8("\xC0\x80"), u"\uFFFD\uFFFD");  // overlong
    EXPECT_EQ(fromUtf8("\xE5\xAD"), u"\uFFFD\uFFFD");  // cut short
}

TEST(Paths, HelpersFollowTheSeparatorRule) {
    EXPECT_EQ(fileNameOf(u"D:\\v\\clip.avi"), u"clip.avi");
    EXPECT_EQ(folderOf(u"D:\\v\\clip.avi"), u"D:\\v");
    EXPECT_EQ(fileNameOf(u"clip.avi"), u"");
    EXPECT_EQ(folderOf(u"D:\\v\\*.avi"), u"");
    EXPECT_EQ(fileNameOf(u"D:\\v\\a?.avi"), u"");
    EXPECT_EQ(splitAtLastDot(u"a.b.avi").stem, u"a.b");
    EXPECT_EQ(splitAtLastDot(u"a.b.avi").extension, u"avi");
    EXPECT_EQ(splitAtLastDot(u"noext").stem, u"noext");
    EXPECT_EQ(joinPath(u"C:\\p\\", u"x.csv"), u"C:\\p\\x.csv");
    EXPECT_EQ(joinPath(u"C:\\p", u"x.csv"), u"C:\\p\\x.csv");
    EXPECT_EQ(joinPath(u"", u"無題"), u"無題");
}

}  // namespace
}  // namespace qucap
