// The proposal of whole lines: the project's word list before the
// analyser, numbers with counters, the groups' anchoring and their limit;
// over a fixed analyser, then over MeCab with the installed dictionary.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "app/ruby/mecab_analyser.h"
#include "app/ruby/ruby_proposal.h"
#include "captiondata/text/u16.h"
#include "tests/host/app/ruby/fixed_analyser.h"

namespace qucap {
namespace {

using test::FixedAnalyser;

struct Case {
    std::u16string_view body, expected;
};

TEST(RubyProposal, WritesGroupsAnchoredOnTheirCharacters) {
    FixedAnalyser analyser({{u"字幕", u"ジマク"}, {u"食べる", u"タベル"}, {u"山", u"ヤマ"}, {u"三", u"サン"},
                            {u"本", u"ホン"}, {u"十分", u"ジュウブン"}, {u"一日", u"イチニチ"}, {u"空", u"ソラ"}});
    const RubyWordList words = RubyWordList::parse(u"# 名前と用語\n山田,ヤマダ\n山田太郎, やまだたろう \n空,\n");
    const Case cases[] = {
        {u"字幕を食べる", u"字幕(じまく)食(た)"},
        // The word list goes first, its longest entry winning; an entry
        // without reading is no entry.
        {u"山田太郎の山", u"山田太郎(やまだたろう)山(やま)"},
        {u"山田さん", u"山田(やまだ)"},
        {u"空", u"空(そら)"},
        // A base that occurs before the word it belongs to gets empty
        // groups there first: the 山 of 山田 is not the 山 read やま.
        {u"山田と山", u"山田(やまだ)山(やま)"},
        {u"空と空", u"空(そら)空(そら)"},
        // Numbers with counters, and words of their own.
        {u"三本", u"三本(さんぼん)"},
        {u"一日", u"一日(ついたち)"},
        {u"十分", u"十分(じゅうぶん)"},
        // Markup in the body is not part of the plain text.
        {u"$B字幕$b", u"字幕(じまく)"},
        // Nine groups a line at most.
        {u"空空空空空空空空空空", u"空(そら)空(そら)空(そら)空(そら)空(そら)空(そら)空(そら)空(そら)空(そら)"},
        {u"ひらがな", u""},
    };
    for (const Case& c : cases) EXPECT_EQ(toUtf8(proposeRuby(c.body, analyser, words)), toUtf8(c.expected)) << toUtf8(c.body);
}

// The dictionary the tests read: the one the build copies into the program
// folder, or the host's installed IPADIC.
std::unique_ptr<MecabAnalyser> installedAnalyser() {
    std::u16string error;
    return MecabAnalyser::open(fromUtf8(QUCAP_TEST_IPADIC), u"dic\\ipadic", error);
}

TEST(RubyProposal, ReadsLinesWithTheInstalledDictionary) {
    const std::unique_ptr<MecabAnalyser> analyser = installedAnalyser();
    if (!analyser) GTEST_SKIP() << "no IPADIC at " << QUCAP_TEST_IPADIC;
    const RubyWordList words = RubyWordList::parse(u"字幕太郎,じまくたろう\n");
    const Case cases[] = {
        {u"雨が降り続いている", u"雨(あめ)降(ふ)続(つづ)"},
        {u"字幕を付けて見てください", u"字幕(じまく)付(つ)見(み)"},
        // The reading field, not the pronunciation: 今日は is きょう は.
        {u"今日は晴れ", u"今日(きょう)晴(は)"},
        {u"三本の木と一人の男", u"三本(さんぼん)木(き)一人(ひとり)男(おとこ)"},
        {u"3本、６分、4月1日", u"3本(さんぼん)６分(ろっぷん)4月(しがつ)1日(ついたち)"},
        {u"二十日で二十歳になった", u"二十日(はつか)二十歳(はたち)"},
        {u"字幕太郎は十分に休んだ", u"字幕太郎(じまくたろう)十分(じゅうぶん)休(やす)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(toUtf8(proposeRuby(c.body, *analyser, words)), toUtf8(c.expected)) << toUtf8(c.body);
}

TEST(RubyProposal, AMissingOrBrokenDictionarySaysWhy) {
    std::u16string error;
    EXPECT_EQ(MecabAnalyser::open(u"no such folder/ipadic", u"dic\\ipadic", error), nullptr);
    EXPECT_EQ(toUtf8(error), "ルビ候補の辞書（dic\\ipadic）が見つかりません");
    // Files that are no dictionary: MeCab's own reason follows.
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "qucap_broken_ipadic";
    std::filesystem::create_directories(folder);
    for (const char* name : {"sys.dic", "matrix.bin", "char.bin", "unk.dic", "dicrc"})
        std::ofstream(folder / name) << "x";
    error.clear();
    EXPECT_EQ(MecabAnalyser::open(folder.u16string(), u"dic\\ipadic", error), nullptr);
    const std::string prefix = "ルビ候補の辞書（dic\\ipadic）を開けません：";
    EXPECT_TRUE(toUtf8(error).starts_with(prefix)) << toUtf8(error);
    EXPECT_GT(error.size(), fromUtf8(prefix).size());
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace qucap
