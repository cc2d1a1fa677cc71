#include "win32/console.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/win/recording_sink.h"
#include "tests/win/temp_folder.h"
#include "win32/console_ui.h"

namespace qucap::test {
namespace {

TEST(ConsoleStreamTest, AFileGetsUtf8WithLineFeedsAsTheyAre) {
    const TempFolder folder;
    const std::u16string path = folder / u"out.txt";
    {
        const OpenHandle file(CreateFileW(wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(file.valid());
        ConsoleStream stream(file.get());
        EXPECT_FALSE(stream.isConsole());
        stream.write(u"未実装です\n");  // any Japanese text
        stream.writeLine(u"ｶﾅ a\r\nb");
        stream.write(u"");
    }
    EXPECT_EQ(fileBytes(path), "\xE6\x9C\xAA\xE5\xAE\x9F\xE8\xA3\x85\xE3\x81\xA7\xE3\x81\x99\n"
                               "\xEF\xBD\xB6\xEF\xBE\x85 a\r\nb\n");
}

TEST(ConsoleStreamTest, ConsoleLineEndsAreCrLfWithoutDoublingOne) {
    EXPECT_EQ(withConsoleLineEnds(u"a\nb\r\nc\n\n"), u"a\r\nb\r\nc\r\n\r\n");
    EXPECT_EQ(withConsoleLineEnds(u"\n"), u"\r\n");
    EXPECT_EQ(withConsoleLineEnds(u"\r"), u"\r");
}

TEST(ConsoleStreamTest, ArgumentsSkipTheProgramName) {
    wchar_t program[] = L"Qucapcmd.exe";
    wchar_t verb[] = L"check";
    wchar_t project[] = L"C:\\字幕\\a.mcc";
    wchar_t* argv[] = {program, verb, project, nullptr};
    EXPECT_EQ(argumentsOf(3, argv), (std::vector<std::u16string>{u"check", u"C:\\字幕\\a.mcc"}));
    EXPECT_TRUE(argumentsOf(1, argv).empty());
}

TEST(ConsoleUiTest, MessagesAndQuestionsGoToTheErrorStreamAsTheyAre) {
    RecordingSink errors;
    ConsoleUi ui(errors);
    ui.warn(u"字幕情報ファイルの読み込みに失敗しました", Deliverable::Program);
    ui.messageBox(u"3行目の開始時間の指定に誤りがあります\n0:00:05.00以降の時間を設定して下さい", kProgramTitle,
                  MessageIcon::Information);
    EXPECT_FALSE(ui.askYesNo(u"上書きしますか？", kProgramTitle));
    ui.setAnswer(YesNoAnswer::Yes);
    EXPECT_TRUE(ui.askYesNo(u"削除しますか？", kProgramTitle));
    EXPECT_EQ(errors.text(),
              u"字幕情報ファイルの読み込みに失敗しました\n"
              u"3行目の開始時間の指定に誤りがあります\n0:00:05.00以降の時間を設定して下さい\n"
              u"上書きしますか？\n→ いいえ\n"
              u"削除しますか？\n→ はい\n");
}

TEST(ConsoleUiTest, KeepsTheLastMessageLineWithoutPrintingIt) {
    RecordingSink errors;
    ConsoleUi ui(errors);
    EXPECT_FALSE(ui.hasMessage());
    ui.setMessage(u"読み込み中");
    ui.setMessage(u"エラー：2行目の表示時間が0です");
    EXPECT_TRUE(ui.hasMessage());
    EXPECT_EQ(ui.lastMessage(), u"エラー：2行目の表示時間が0です");
    ui.setMessage(u"");
    EXPECT_TRUE(ui.hasMessage());
    EXPECT_EQ(ui.lastMessage(), u"");
    EXPECT_EQ(errors.text(), u"");
}

TEST(ConsoleUiTest, SaveDialogAnswersWithTheGivenPathOrNothing) {
    RecordingSink errors;
    const SaveFileRequest request{u"字幕", u"SRTﾌｧｲﾙ", u"srt", {{u"SRTﾌｧｲﾙ (*.srt)", u"*.srt"}}};
    ConsoleUi none(errors);
    EXPECT_EQ(none.askSaveFileName(request), std::nullopt);
    ConsoleUi given(errors, YesNoAnswer::Yes, u"C:\\out\\字幕.srt");
    EXPECT_EQ(given.askSaveFileName(request), u"C:\\out\\字幕.srt");
    EXPECT_TRUE(given.askYesNo(u"?", kProgramTitle));
}

}  // namespace
}  // namespace qucap::test
