// The proposal for a whole caption list: which lines it fills, the word
// list it reads beside the project, and the texts that tell about it.
#include "app/ruby/ruby_fill.h"

#include <gtest/gtest.h>

#include "captiondata/text/u16.h"
#include "tests/host/app/ruby/fixed_analyser.h"
#include "tests/support/test_io.h"

namespace qucap {
namespace {

CaptionFileRow rowOf(std::u16string_view line1Body, std::u16string_view line1Ruby, std::u16string_view line2Body = u"",
                     std::u16string_view line2Ruby = u"") {
    CaptionFileRow row;
    row.texts = {std::u16string(line1Body), std::u16string(line1Ruby), std::u16string(line2Body),
                 std::u16string(line2Ruby)};
    return row;
}

TEST(RubyFill, FillsOnlyEmptyRubyTextsOfLinesWithWordsToRead) {
    test::FixedAnalyser analyser({{u"字幕", u"ジマク"}, {u"山", u"ヤマ"}, {u"川", u"カワ"}});
    const std::vector<CaptionFileRow> rows = {
        rowOf(u"$R字幕$r", u"", u"山と川", u"山(さん)"),  // line 2 keeps the user's ruby
        rowOf(u"ひらがな", u"", u"川", u""),              // line 1 has nothing to read
        rowOf(u"", u"", u"", u""),
        rowOf(u"山", u" "),                              // a blank is the user's too
    };
    const std::vector<FilledRuby> expected = {{0, Line1Ruby, u"字幕(じまく)"}, {1, Line2Ruby, u"川(かわ)"}};
    EXPECT_EQ(proposeEmptyRubies(rows, analyser, RubyWordList{}), expected);
    EXPECT_EQ(toUtf8(filledRubyLine(expected[0])), "1行目 1行目ルビ 字幕(じまく)");
    EXPECT_EQ(toUtf8(filledRubyLine(expected[1])), "2行目 2行目ルビ 川(かわ)");

}

TEST(RubyFill, ReadsTheWordListBesideTheProjectFile) {
    test::TestIo io;
    io.files.addDirectory(u"C:\\作品");
    io.files.addFile(u"C:\\作品\\ルビ辞書.csv", test::utf16File({u"山田,やまだ", u"山田太郎,ヤマダタロウ"}));
    const RubyWordList words = loadRubyWordList(io.io, u"C:\\作品\\作品.mcc");
    ASSERT_EQ(words.words().size(), 2u);
    EXPECT_EQ(toUtf8(words.words()[0].reading), "やまだたろう");
    // None beside the project, or a project without folder: an empty list, no message.
    EXPECT_TRUE(loadRubyWordList(io.io, u"D:\\別\\別.mcc").words().empty());
    EXPECT_TRUE(loadRubyWordList(io.io, u"").words().empty());
    EXPECT_TRUE(io.ui.messages.empty());
}

TEST(RubyFill, MessagesSayHowManyPlaces) {
    EXPECT_EQ(toUtf8(rubyFillQuestion(12)),
              "ルビが空の12か所にルビ候補を付けますか？\n字幕作成には元に戻す機能がないため、付けたルビは元に戻せません");
    EXPECT_EQ(toUtf8(rubyFilledMessage(3)), "3か所にルビ候補を付けました");
    EXPECT_EQ(toUtf8(dictionaryFolderIn(u"C:\\Program Files\\字幕")), "C:\\Program Files\\字幕\\dic\\ipadic");
}

}  // namespace
}  // namespace qucap
