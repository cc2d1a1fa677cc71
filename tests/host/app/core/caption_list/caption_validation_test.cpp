#include "app/core/caption_list/caption_validation.h"

#include <gtest/gtest.h>

#include "tests/support/recording_ui.h"

namespace qucap {
namespace {

using test::RecordingUi;

struct TimedRow {
    std::u16string start, duration;
    std::array<std::u16string, kTextCount> texts{};
};

CaptionList listOf(std::initializer_list<TimedRow> rows) {
    CaptionList list;
    for (const auto& timed : rows) {
        WorkingRow row;
        row.start = timed.start;
        row.duration = timed.duration;
        row.texts = timed.texts;
        list.writeRow(list.appendRow(), row);
    }
    return list;
}

TEST(CaptionValidation, PassingListEmptiesTheMessageLine) {
    RecordingUi ui;
    ui.messageLine = u"old";
    const CaptionList list = listOf({{u"0:00:01.00", u"0:00:02.00"},
                                     {u"3", u"1.5", {u"$R字$$", u"$H", u"", u"$w"}},  // starts exactly at the end
                                     {u"0:00:00.00", u"0:00:00.00"}});                 // untimed: not checked
    EXPECT_EQ(validateCaptionList(list, ui), 0);
    EXPECT_EQ(ui.messageLine, u"");
    EXPECT_EQ(ui.messageLineWrites, 1);
    EXPECT_EQ(validateCaptionList(CaptionList(), ui), 0);
}

TEST(CaptionValidation, TimeMessagesNameTheRow) {
    EXPECT_EQ(captionListFault(listOf({{u"1", u"1"}, {u"0:75", u"1"}})),
              u"エラー：2行目の開始時間の指定に誤りがあります");
    EXPECT_EQ(captionListFault(listOf({{u"1", u"5.005"}})), u"エラー：1行目の表示時間の指定に誤りがあります");
    // The start is checked before the duration.
    EXPECT_EQ(captionListFault(listOf({{u"x", u"y"}})), u"エラー：1行目の開始時間の指定に誤りがあります");
    // The program's checker takes 75 seconds written alone.
    EXPECT_EQ(captionListFault(listOf({{u"75", u"075"}})), u"");
}

TEST(CaptionValidation, OverlapNamesTheEarlierEnd) {
    RecordingUi ui;
    const CaptionList list = listOf({{u"0:00:01.00", u"0:00:01.00"},
                                     {u"0:00:05.00", u"0:00:03.00"},
                                     {u"0:00:07.00", u"0:00:01.00"}});
    EXPECT_EQ(validateCaptionList(list, ui), -1);
    EXPECT_EQ(ui.messageLine, u"エラー：3行目の開始時間の指定に誤りがあります、0:00:08.00 以降の時間を設定して下さい");
}

TEST(CaptionValidation, UntimedRowsAreSkippedAsTheEarlierRow) {
    // Row 3 is compared with row 1, not with the untimed row 2.
    EXPECT_EQ(captionListFault(listOf({{u"0:00:05.00", u"0:00:03.00"},
                                       {u"0:00:00.00", u"0:00:00.00"},
                                       {u"0:00:06.00", u"0:00:01.00"}})),
              u"エラー：3行目の開始時間の指定に誤りがあります、0:00:08.00 以降の時間を設定して下さい");
    // A row with a duration but start 0 is checked.
    EXPECT_EQ(captionListFault(listOf({{u"1", u"1"}, {u"0", u"1"}})),
              u"エラー：2行目の開始時間の指定に誤りがあります、0:00:02.00 以降の時間を設定して下さい");
}

TEST(CaptionValidation, MarkupMessages) {
    const auto faultOf = [](std::array<std::u16string, kTextCount> texts) {
        return captionListFault(listOf({{u"1", u"1", texts}}));
    };
    EXPECT_EQ(faultOf({u"", u"", u"", u"ab$"}), u"エラー：1行目末尾に不正な識別文字が見つかりました");
    EXPECT_EQ(faultOf({u"a$$$", u"", u"", u""}), u"エラー：1行目末尾に不正な識別文字が見つかりました");
    EXPECT_EQ(faultOf({u"", u"$X", u"", u""}), u"エラー：1行目に不正な識別文字が見つかりました");
    // Texts are checked in order; the first fault wins.
    EXPECT_EQ(faultOf({u"$Z", u"a$", u"", u""}), u"エラー：1行目に不正な識別文字が見つかりました");
    EXPECT_EQ(faultOf({u"$$", u"$Ha", u"$r", u"$S$s"}), u"");
}

TEST(CaptionValidation, NumberComesFromTheFirstColumn) {
    CaptionList list = listOf({{u"1", u"1"}, {u"bad", u"1"}});
    list.setCell(1, ColNumber, u"12345");
    EXPECT_EQ(captionListFault(list), u"エラー：12345行目の開始時間の指定に誤りがあります");
}

}  // namespace
}  // namespace qucap
