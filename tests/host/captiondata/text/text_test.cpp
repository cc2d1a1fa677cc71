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

TEST(Decode, WithoutMarkTriesUtf8ThenShiftJis) {
    EXPECT_EQ(decode("abc,1"), u"abc,1");
    EXPECT_EQ(decode("\xE5\xAD\x97\xE5\xB9\x95"), u"字幕");              // UTF-8
    EXPECT_EQ(decode("\xEF\xBB\xBF\xE5\xAD\x97"), u"字");                // UTF-8 with mark
    EXPECT_EQ(decode("\x8E\x9A\x96\x8B,\x82\xA0"), u"字幕,あ");          // Shift-JIS
    EXPECT_EQ(decode("\xB6\xCC\xDE\xDA\xDD"), u"ｶﾌﾞﾚﾝ");                  // half-width kana
}

// Bytes that start no Shift-JIS character cost only their own place: the
// characters around them read as they are, and where they stood is told.
TEST(Decode, ShiftJisIsReadCharacterByCharacter) {
    struct Case {
        std::string bytes;
        std::u16string text;
        std::vector<std::size_t> unreadable;
    };
    const Case cases[] = {
        {"\x8E\x9A\x96\x8B" "1\r\n\x81 \xFF\r\n\x8E\x9A", u"字幕1\r\n\uFFFD \uFFFD\r\n字", {5, 7}},
        {"a\x80\xA0\xFD\xFE\xFF", u"a\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD", {1, 2, 3, 4, 5}},
        {"\x82\xA0\x82", u"あ\uFFFD", {1}},              // a lead byte cut off at the end
        {"\x85\x40\x82\xA0", u"\uFFFDあ", {0}},          // a pair that is no character of code page 932
        {"\x8E\x9A\x96\x8B", u"字幕", {}},
    };
    for (const Case& c : cases) {
        const DecodedText decoded = decodeText(c.bytes, platformShiftJis());
        EXPECT_EQ(decoded.text, c.text) << c.bytes;
        EXPECT_EQ(decoded.unreadable, c.unreadable) << c.bytes;
    }
}

TEST(Decode, TellsBytesThatAreNoTextAtAll) {
    const std::pair<std::string, bool> cases[] = {
        {"1,a\tb\r\n2,c\n\x1A", true},                        // tab, line ends and the end-of-file mark
        {"\x8E\x9A\x96\x8B\x81 \r\n\x82\xA0\x82\xA2\x82\xA4\x82\xA6", true},  // one in nine unreadable
        {"\x81 \x81 \x81 a", false},                              // most of it unreadable
        {std::string("1,a\0b", 5), false},                        // a NUL
        {"\x89PNG\r\n\x1A\n\x01", false},                       // a picture's signature
        {"\xFF\xFE" "a\0\x7F\0"s, false},                        // DEL in UTF-16
        {"\xC2\x85", false},                                     // a C1 control in UTF-8
    };
    for (const auto& [bytes, isText] : cases) EXPECT_EQ(decodeText(bytes, platformShiftJis()).isText(), isText) << bytes;
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

TEST(Lines, NumbersOfTheLinesCharactersStandOn) {
    using N = std::vector<std::size_t>;
    const std::u16string_view text = u"ab\r\ncd\ne\rf\x1Ag";
    EXPECT_EQ(lineNumbersOf(text, {0, 1, 4, 9, 11}), (N{1, 2, 4, 5}));
    EXPECT_EQ(lineNumbersOf(text, {}), N{});
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
