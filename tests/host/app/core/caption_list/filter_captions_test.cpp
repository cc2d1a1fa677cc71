#include "app/core/caption_list/filter_captions.h"

#include <gtest/gtest.h>

#include "app/core/caption_list/caption_load.h"
#include "tests/support/test_io.h"

namespace qucap {
namespace {

// Rows the program loads that the caption filter refuses, and what it says.
TEST(FilterCaptions, RowsOnlyTheFilterRefusesAreNamedAsTheFilterNamesThemWithoutABox) {
    struct Case {
        std::u16string_view row;
        std::optional<std::u16string> fault;
    };
    const Case cases[] = {
        {u"1,0:00:01.00,75,横,a,0,,0,,0,,0,0", u"1行目の表示時間の指定に誤りがあります"},
        {u"1,99:99:99.99,0:00:01.00,横,a,0,,0,,0,,0,0", u"1行目の開始時間の指定に誤りがあります"},
        {u"2,0:00:01.00,-1,横,a,0,,0,,0,,0,0", u"2行目の表示時間の指定に誤りがあります"},
        {u"1,0:00:01.00,1e9,横,a,0,,0,,0,,0,0", u"1行目の表示時間の指定に誤りがあります"},
        {u"1,0:00:01.00,0:00:01.00,V,a,0,,0,,0,,0,0", u"1行目の縦横指定に誤りがあります"},
        {u"1,0:00:01.00,0:00:01.00,縦,a,0,,0,,0,,0,0", std::nullopt},
    };
    for (const Case& c : cases) {
        test::TestIo t;
        t.files.addDirectory(u"C:\\p");
        t.files.addFile(u"C:\\p\\c.csv", test::utf16File({u"0,header", c.row}));
        CaptionList list;
        ASSERT_EQ(loadCaptionInfo(t.io, u"C:\\p\\c.csv", list), 0);
        EXPECT_EQ(list.rowCount(), 1);
        EXPECT_EQ(filterCaptionFault(t.io, u"C:\\p\\c.csv"), c.fault);
        EXPECT_TRUE(t.ui.messages.empty());
    }
    test::TestIo t;
    EXPECT_EQ(filterCaptionFault(t.io, u"設定なし"), std::nullopt);
}

}  // namespace
}  // namespace qucap
