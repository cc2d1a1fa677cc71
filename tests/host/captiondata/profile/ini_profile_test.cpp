#include <gtest/gtest.h>

#include "captiondata/profile/ini_profile.h"
#include "tests/support/test_io.h"

namespace qucap {
namespace {

using test::fromUtf16Bytes;
using test::TestIo;
using test::utf16File;
using Lines = std::vector<std::u16string>;

IniDocument document(std::u16string_view text) { return IniDocument::parse(text); }

TEST(IniDocument, NamesMatchWithoutCaseAndAroundWhiteSpace) {
    const auto ini = document(u"[FontSize]\r\nMainSize=32\r\n  [ layout ] trailing\r\n\tTYPE \t=  2 \r\n");
    EXPECT_EQ(ini.readString(u"fontsize", u"mainsize", u"x"), u"32");
    EXPECT_EQ(ini.readString(u"Layout", u"Type", u"x"), u"2");
    EXPECT_EQ(ini.readInt(u"LAYOUT", u"type", 9), 2);
    // Non-ASCII names are compared exactly.
    EXPECT_EQ(document(u"[Ａ]\r\nk=1\r\n").readString(u"ａ", u"k", u"none"), u"none");
}

TEST(IniDocument, ValueIsEverythingAfterTheFirstEquals) {
    const auto ini = document(u"[WaterMark]\r\nMarkString=a=b ; not a comment\r\nColor=\r\n");
    EXPECT_EQ(ini.readString(u"WaterMark", u"MarkString", u""), u"a=b ; not a comment");
    EXPECT_EQ(ini.readString(u"WaterMark", u"Color", u"Cyan"), u"");  // present but empty
    EXPECT_EQ(ini.readString(u"WaterMark", u"Disp", u"dflt"), u"dflt");
    EXPECT_EQ(ini.readString(u"Missing", u"Disp", u"dflt"), u"dflt");
}

TEST(IniDocument, FirstSectionAndFirstKeyWin) {
    const auto ini = document(
        u"Outside=0\r\n[S]\r\n;K=comment\r\nK=first\r\nK=second\r\n[s]\r\nK=third\r\nOther=x\r\n");
    EXPECT_EQ(ini.readString(u"S", u"K", u""), u"first");
    // A later section of the same name is not searched.
    EXPECT_EQ(ini.readString(u"S", u"Other", u"none"), u"none");
    // Keys before the first section and comment lines belong to no section.
    EXPECT_EQ(ini.readString(u"", u"Outside", u"none"), u"none");
    EXPECT_EQ(ini.readString(u"S", u";K", u"none"), u"none");
}

TEST(IniDocument, IntegersAreLenient) {
    const auto ini = document(
        u"[N]\nplus=+7\nminus=-3\nmixed=12abc\nwords=abc\nempty=\nspaced= 45 \nhuge=99999999999\n");
    EXPECT_EQ(ini.readInt(u"N", u"plus", 1), 7);
    EXPECT_EQ(ini.readInt(u"N", u"minus", 1), -3);
    EXPECT_EQ(ini.readInt(u"N", u"mixed", 1), 12);
    EXPECT_EQ(ini.readInt(u"N", u"words", 1), 0);
    EXPECT_EQ(ini.readInt(u"N", u"empty", 1), 1);
    EXPECT_EQ(ini.readInt(u"N", u"spaced", 1), 45);
    EXPECT_EQ(ini.readInt(u"N", u"huge", 1), INT32_MAX);
    EXPECT_EQ(ini.readInt(u"N", u"missing", 5), 5);
}

TEST(IniDocument, LineEndsOfEveryKindSplitLines) {
    EXPECT_EQ(document(u"a\r\nb\rc\nd").lines(), (Lines{u"a", u"b", u"c", u"d"}));
    EXPECT_EQ(document(u"a\r\n\r\n").lines(), (Lines{u"a", u""}));
    EXPECT_EQ(document(u"\x1A" u"x\r\n").lines(), (Lines{u"\x1A" u"x"}));  // nothing is dropped
}

TEST(IniDocument, SetReplacesInPlaceKeepingEveryOtherLine) {
    auto ini = document(u"; project\r\n[FontSize]\r\n  mainsize = 5 \r\nRubySize=16\r\nstray text\r\n\r\n[Layout]\r\nType=1\r\n");
    ASSERT_TRUE(ini.set(u"FONTSIZE", u"MainSize", u"32"));
    EXPECT_EQ(ini.lines(), (Lines{u"; project", u"[FontSize]", u"mainsize=32", u"RubySize=16", u"stray text", u"",
                                  u"[Layout]", u"Type=1"}));
}

TEST(IniDocument, SetAddsAMissingKeyAfterTheLastKeyOfItsSection) {
    auto ini = document(u"[FileName]\r\nInpMovName=a\r\n\r\n[Layout]\r\n");
    ASSERT_TRUE(ini.set(u"FileName", u"InpColName", u"b"));
    ASSERT_TRUE(ini.set(u"Layout", u"Fill", u"0"));
    EXPECT_EQ(ini.lines(), (Lines{u"[FileName]", u"InpMovName=a", u"InpColName=b", u"", u"[Layout]", u"Fill=0"}));
}

TEST(IniDocument, SetAddsAMissingSectionAtTheEnd) {
    auto ini = document(u"[A]\r\nk=1");
    ASSERT_TRUE(ini.set(u"B", u"k", u"2"));
    EXPECT_EQ(ini.lines(), (Lines{u"[A]", u"k=1", u"", u"[B]", u"k=2"}));
    auto blankEnded = document(u"[A]\r\nk=1\r\n\r\n");
    ASSERT_TRUE(blankEnded.set(u"B", u"k", u"2"));
    EXPECT_EQ(blankEnded.lines(), (Lines{u"[A]", u"k=1", u"", u"[B]", u"k=2"}));
    IniDocument empty;
    ASSERT_TRUE(empty.set(u"LastOpen", u"FileName", u""));
    EXPECT_EQ(empty.lines(), (Lines{u"[LastOpen]", u"FileName="}));
}

TEST(IniDocument, SetRefusesWhatWouldNotReadBack) {
    auto ini = document(u"[A]\r\nk=1\r\n");
    const Lines before = ini.lines();
    EXPECT_FALSE(ini.set(u"A", u"k", u"two\r\nlines"));
    EXPECT_FALSE(ini.set(u"A", u"k", u"x\ny"));
    EXPECT_FALSE(ini.set(u"A", u"a=b", u"1"));
    EXPECT_FALSE(ini.set(u"A", u"[k", u"1"));
    EXPECT_FALSE(ini.set(u"A", u";k", u"1"));
    EXPECT_FALSE(ini.set(u"A", u" k", u"1"));
    EXPECT_FALSE(ini.set(u"A", u"", u"1"));
    EXPECT_FALSE(ini.set(u"A]", u"k", u"1"));
    EXPECT_FALSE(ini.set(u"", u"k", u"1"));
    EXPECT_EQ(ini.lines(), before);
}

TEST(IniProfile, WriteCreatesAMissingFileAsUtf16WithMark) {
    TestIo t;
    IniProfile profile(t.io);
    t.files.addDirectory(u"C:\\prog");
    ASSERT_TRUE(profile.writeString(u"C:\\prog\\Qucapadd.ini", u"LastOpen", u"FileName", u"C:\\字幕.mcc"));
    EXPECT_EQ(t.files.contents(u"C:\\prog\\Qucapadd.ini"),
              std::string("\xFF\xFE[\0L\0a\0s\0t\0O\0p\0e\0n\0]\0\r\0\n\0", 26) +
                  test::utf16Bytes(u"FileName=C:\\字幕.mcc\r\n"));
    EXPECT_EQ(profile.readString(u"C:\\prog\\Qucapadd.ini", u"LastOpen", u"FileName", u""), u"C:\\字幕.mcc");
}

TEST(IniProfile, MissingOrUnreadableFilesGiveTheFallback) {
    TestIo t;
    IniProfile profile(t.io);
    EXPECT_EQ(profile.readString(u"C:\\none.ini", u"A", u"k", u"fb"), u"fb");
    EXPECT_EQ(profile.readInt(u"C:\\none.ini", u"A", u"k", -4), -4);
    t.files.addFile(u"C:\\locked.ini", utf16File({u"[A]", u"k=1"}));
    t.files.failReading(u"C:\\locked.ini", ReadStatus::OpenFailed);
    EXPECT_EQ(profile.readInt(u"C:\\locked.ini", u"A", u"k", -4), -4);
}

TEST(IniProfile, WriteFailsWithoutLosingAnything) {
    TestIo t;
    IniProfile profile(t.io);
    // The folder is missing.
    EXPECT_FALSE(profile.writeString(u"C:\\nowhere\\a.ini", u"A", u"k", u"1"));
    // The file exists but cannot be read: it must not be replaced by one key.
    const std::string original = utf16File({u"[A]", u"k=1", u"other=2"});
    t.files.addFile(u"C:\\locked.ini", original);
    t.files.failReading(u"C:\\locked.ini", ReadStatus::ReadFailed);
    EXPECT_FALSE(profile.writeString(u"C:\\locked.ini", u"A", u"k", u"5"));
    EXPECT_EQ(t.files.contents(u"C:\\locked.ini"), original);
    // Writing fails.
    t.files.addFile(u"C:\\ro.ini", original);
    t.files.failWriting(u"C:\\ro.ini");
    EXPECT_FALSE(profile.writeString(u"C:\\ro.ini", u"A", u"k", u"5"));
    EXPECT_EQ(t.files.contents(u"C:\\ro.ini"), original);
    // A value that cannot be stored writes nothing.
    t.files.addFile(u"C:\\a.ini", original);
    EXPECT_FALSE(profile.writeString(u"C:\\a.ini", u"A", u"k", u"x\r\n[B]"));
    EXPECT_EQ(t.files.contents(u"C:\\a.ini"), original);
    EXPECT_EQ(t.files.writeCount(), 0);
}

TEST(IniProfile, EightBitFilesAreRewrittenAsUtf16) {
    TestIo t;
    IniProfile profile(t.io);
    // Shift-JIS with lone LF line ends.
    t.files.addFile(u"C:\\sjis.mcc",
                    "[FontName]\nMainName=\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E\nRubyName=\x96\xBE\x92\xA9\n");
    EXPECT_EQ(profile.readString(u"C:\\sjis.mcc", u"FontName", u"MainName", u""), u"ＭＳ ゴシック");
    ASSERT_TRUE(profile.writeString(u"C:\\sjis.mcc", u"FontName", u"RubyName", u"游明朝"));
    EXPECT_EQ(t.files.contents(u"C:\\sjis.mcc"),
              utf16File({u"[FontName]", u"MainName=ＭＳ ゴシック", u"RubyName=游明朝"}));
    // UTF-8 with its mark and a last line without a line end.
    t.files.addFile(u"C:\\utf8.ini", "\xEF\xBB\xBF[LastOpen]\r\nFileName=D:\\\xE5\xAD\x97.mcc");
    EXPECT_EQ(profile.readString(u"C:\\utf8.ini", u"LastOpen", u"FileName", u""), u"D:\\字.mcc");
    ASSERT_TRUE(profile.writeString(u"C:\\utf8.ini", u"LastOpen", u"FileName", u"E:\\x.mcc"));
    EXPECT_EQ(fromUtf16Bytes(t.files.contents(u"C:\\utf8.ini")), u"[LastOpen]\r\nFileName=E:\\x.mcc\r\n");
}

TEST(IniProfile, BigEndianFilesAreRewrittenLittleEndian) {
    TestIo t;
    t.files.addFile(u"C:\\be.ini", std::string("\xFE\xFF\0[\0A\0]\0\n\0k\0=\0\x31", 16));
    IniProfile profile(t.io);
    EXPECT_EQ(profile.readInt(u"C:\\be.ini", u"A", u"k", 0), 1);
    ASSERT_TRUE(profile.writeString(u"C:\\be.ini", u"A", u"k", u"2"));
    EXPECT_EQ(t.files.contents(u"C:\\be.ini"), utf16File({u"[A]", u"k=2"}));
}

}  // namespace
}  // namespace qucap
