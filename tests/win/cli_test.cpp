#include "app/cli/cli.h"

#include <gtest/gtest.h>

#include "captiondata/text/u16.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/platform_shiftjis.h"
#include "tests/win/recording_sink.h"

namespace qucap::test {
namespace {

using Args = std::vector<std::u16string>;

struct CliRun : ::testing::Test {
    MemoryFileSystem files;
    RecordingSink out;
    RecordingSink err;
    ConsoleUi ui{err};
    CliContext context{Io{files, ui, platformShiftJis()}, ui, out, err};
};

const std::u16string kHelp =
    u"Qucapcmd：カブレン字幕付加システムのコマンドライン版\n"
    u"使い方：Qucapcmd コマンド [引数...]\n"
    u"\n"
    u"コマンド：\n"
    u"  new-project NAME [FOLDER] [--movie FILE] [--yes]  新しいプロジェクトを作ります（FOLDER 省略時はドキュメントの字幕作成NNN）\n"
    u"  check PROJECT.mcc [--reading] [--strict] [--cps N] [--chars-h N] [--chars-v N] [--min-ms MS] [--max-ms MS] [--gap-frames N]\n"
    u"                                                    プロジェクトの字幕情報を読み込んで検査します（--reading：読みやすさの規則も検査します）\n"
    u"  export-srt PROJECT.mcc OUT.srt                    字幕をSRTファイルに書き出します\n"
    u"  export-sami PROJECT.mcc OUT.smi                   字幕をSAMIファイルに書き出します\n"
    u"  export-vtt PROJECT.mcc OUT.vtt                    字幕をルビ・縦書き・色付きのWebVTTファイルに書き出します\n"
    u"  export-ttml PROJECT.mcc OUT.ttml                  字幕をルビ・縦書き・色付きのTTML（IMSC 1.1）ファイルに書き出します\n"
    u"  import PROJECT.mcc FILE [--append] [--format srt|vtt|ttml|ass] [--yes]\n"
    u"                                                    SRT・WebVTT・TTML・ASSの字幕ファイルを字幕情報に読み込みます（--append：今の字幕に加えます）\n"
    u"  ruby [PROJECT.mcc] [--text TEXT] [--yes]          本文 TEXT に付けるルビの候補を「漢字(よみ)」の書式で表示するか、プロジェクトの空のルビに候補を付けて保存します\n"
    u"  still PROJECT.mcc TIME OUT.bmp                    動画の TIME（h:mm:ss.cc またはミリ秒）のフレームを字幕入りでBMPファイルに書き出します\n"
    u"  render PROJECT.mcc [--out FILE.avi] [--video-encoder NAME] [--audio-encoder NAME] [--yes]\n"
    u"                                                    字幕を合成した動画を書き出します（--out 省略時はプロジェクトの出力動画）\n"
    u"  shots MOVIE                                       動画のショットの切り替わり（カット）を1行に1つ、フレーム番号と時間で表示します\n"
    u"  peaks MOVIE [--buckets N]                         動画の音声を N 等分し、各部分の最大振幅（16ビット）を1行に1つ表示します\n"
    u"  retime PROJECT.mcc [--dry-run] [--shots] [--no-shots] [--min-ms MS] [--max-ms MS] [--gap-frames N] [--close-frames N] [--snap-start-after N] [--snap-start-onto N] [--snap-start-ahead N] [--snap-end-before N] [--snap-end-gap N]\n"
    u"                                                    字幕のタイミングをショットと読みやすさの規則に合わせて調整します（--dry-run：変更の表だけ表示します）\n"
    u"  encoders                                          字幕合成で使えるエンコーダの一覧を表示します\n"
    u"  --help, -h                                        この一覧を表示します\n"
    u"  コマンド --help                                   コマンドの使い方を表示します\n"
    u"\n"
    u"終了コード：0 成功、1 処理の拒否または失敗、2 引数の誤り\n";

TEST_F(CliRun, HelpListsEveryVerbAlignedOnTheOutput) {
    for (const char16_t* option : {u"--help", u"-h"}) {
        out = {};
        EXPECT_EQ(runCommandLine({option}, context), kExitSuccess);
        EXPECT_EQ(out.text(), kHelp);
    }
    EXPECT_EQ(err.text(), u"");
}

TEST_F(CliRun, NoArgumentsIsABadCallThatListsTheVerbsOnTheErrorStream) {
    EXPECT_EQ(runCommandLine({}, context), kExitBadArguments);
    EXPECT_EQ(err.text(), kHelp);
    EXPECT_EQ(out.text(), u"");
}

TEST_F(CliRun, UnknownVerbIsNamedAndTheVerbsListed) {
    EXPECT_EQ(runCommandLine({u"chek", u"a.mcc"}, context), kExitBadArguments);
    EXPECT_EQ(err.text(), u"「chek」というコマンドはありません\n" + kHelp);
    EXPECT_EQ(runCommandLine({u"CHECK", u"a.mcc"}, context), kExitBadArguments) << "verbs are case sensitive";
}

TEST_F(CliRun, WrongArgumentCountPrintsTheVerbsUsage) {
    EXPECT_EQ(runCommandLine({u"export-srt", u"a.mcc"}, context), kExitBadArguments);
    EXPECT_EQ(runCommandLine({u"check", u"a.mcc", u"b.mcc"}, context), kExitBadArguments);
    EXPECT_EQ(err.text(),
              u"引数の数が正しくありません\n使い方：Qucapcmd export-srt PROJECT.mcc OUT.srt\n"
              u"引数の数が正しくありません\n使い方：Qucapcmd check PROJECT.mcc [--reading] [--strict] [--cps N] "
              u"[--chars-h N] [--chars-v N] [--min-ms MS] [--max-ms MS] [--gap-frames N]\n");
}

TEST_F(CliRun, VerbHelpShowsItsUsage) {
    EXPECT_EQ(runCommandLine({u"export-sami", u"--help"}, context), kExitSuccess);
    EXPECT_EQ(out.text(), u"使い方：Qucapcmd export-sami PROJECT.mcc OUT.smi\n  字幕をSAMIファイルに書き出します\n");
}

TEST_F(CliRun, VerbsOnAMissingProjectRefuseTheJob) {
    EXPECT_EQ(runCommandLine({u"check", u"C:\\a.mcc"}, context), kExitFailed);
    EXPECT_EQ(runCommandLine({u"export-srt", u"C:\\a.mcc", u"C:\\a.srt"}, context), kExitFailed);
    EXPECT_EQ(runCommandLine({u"export-sami", u"C:\\a.mcc", u"C:\\a.smi"}, context), kExitFailed);
    EXPECT_EQ(err.text(), u"プロジェクトファイルが見つかりません\nプロジェクトファイルが見つかりません\n"
                          u"プロジェクトファイルが見つかりません\n");
    EXPECT_EQ(files.writeCount(), 0);
}

// A project whose input movie and caption-info file are in the memory file system.
struct ProjectRun : CliRun {
    ProjectRun() {
        files.addDirectory(u"C:\\p");
        files.addFile(u"C:\\p\\in.avi", "movie");
        setCaptions("1,0:00:01.00,0:00:02.00,横,a,0,,0,,0,,0,0");
        files.addFile(u"C:\\p\\a.mcc", "[FileName]\r\nInpMovName=C:\\p\\in.avi\r\nInpCapName=C:\\p\\c.csv\r\n");
    }
    void setCaptions(const std::string& row) { files.addFile(u"C:\\p\\c.csv", "0,header\r\n" + row + "\r\n"); }
    int run(const Args& line) {
        out = {};
        err = {};
        return runCommandLine(line, context);
    }
};

TEST_F(ProjectRun, CaptionsTheFilterWouldDropFailTheCheckAndRefuseStillAndRender) {
    setCaptions("1,0:00:01.00,75,横,a,0,,0,,0,,0,0");
    EXPECT_EQ(run({u"check", u"C:\\p\\a.mcc"}), kExitFailed);
    EXPECT_EQ(out.text(), u"1行目の表示時間の指定に誤りがあります\n");
    setCaptions("1,0:00:01.00,0:00:02.00,V,a,0,,0,,0,,0,0");
    for (const Args& line : {Args{u"still", u"C:\\p\\a.mcc", u"1000", u"C:\\p\\o.bmp"},
                             Args{u"render", u"C:\\p\\a.mcc", u"--out", u"C:\\p\\o.avi", u"--yes"}}) {
        EXPECT_EQ(run(line), kExitFailed);
        EXPECT_EQ(err.text(), u"1行目の縦横指定に誤りがあります\n");
        EXPECT_EQ(out.text(), u"");
    }
    EXPECT_EQ(files.writeCount(), 0);
}

TEST_F(ProjectRun, PathsLongerThanTheSystemHoldsAreRefusedByNameBeforeAnythingIsWritten) {
    const std::u16string tooLong = u"C:\\p\\" + std::u16string(257, u'x');  // 266 characters with ".avi"
    files.addFile(u"C:\\p\\long.mcc", "[FileName]\r\nInpCapName=" + toUtf8(tooLong) + ".csv\r\n");
    struct Case {
        Args line;
        std::u16string message;
    };
    const Case cases[] = {
        {{u"render", u"C:\\p\\a.mcc", u"--out", tooLong + u".avi", u"--yes"},
         u"出力動画ファイルのパスが長すぎます（250文字まで）"},
        // 251 characters: the movie is written as NAME.avi.part first, which must fit too.
        {{u"render", u"C:\\p\\a.mcc", u"--out", tooLong.substr(0, 247) + u".avi"},
         u"出力動画ファイルのパスが長すぎます（250文字まで）"},
        {{u"export-srt", u"C:\\p\\a.mcc", tooLong + u".srt"},
         u"SRTファイルのパスが長すぎます（255文字まで）"},
        {{u"export-sami", u"C:\\p\\a.mcc", tooLong + u".smi"},
         u"SAMIファイルのパスが長すぎます（255文字まで）"},
        {{u"export-vtt", u"C:\\p\\a.mcc", tooLong + u".vtt"},
         u"WebVTTファイルのパスが長すぎます（255文字まで）"},
        {{u"export-ttml", u"C:\\p\\a.mcc", tooLong + u".ttml"},
         u"TTMLファイルのパスが長すぎます（255文字まで）"},
        {{u"still", u"C:\\p\\a.mcc", u"1000", tooLong + u".bmp"},
         u"BMPファイルのパスが長すぎます（255文字まで）"},
        {{u"check", u"C:\\p\\long.mcc"},
         u"字幕情報ファイルのパスが長すぎます（255文字まで）"},
        {{u"check", tooLong + u".mcc"},
         u"プロジェクトファイルのパスが長すぎます（255文字まで）"},
        {{u"new-project", u"a", u"C:\\p\\b", u"--movie", tooLong + u".avi"},
         u"入力動画ファイルのパスが長すぎます（255文字まで）"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(run(c.line), kExitFailed);
        EXPECT_EQ(err.text(), c.message + u"\n");
    }
    EXPECT_EQ(files.writeCount(), 0);
    EXPECT_FALSE(files.exists(u"C:\\p\\b"));
}

// A verb table of the tests' own, to see what the dispatch hands to a handler.
Args receivedArgs;
bool answeredYes = false;

int recordingHandler(const Args& args, CliContext& context) {
    receivedArgs = args;
    answeredYes = context.ui.askYesNo(u"続けますか？", kProgramTitle);
    return args.size() == 1 && args[0] == u"bad" ? kExitBadArguments : kExitSuccess;
}

std::optional<std::u16string> receivedOption;

int optionHandler(const Args& args, CliContext& context) {
    receivedArgs = args;
    receivedOption = context.optionValue;
    return kExitSuccess;
}

constexpr Verb kTestVerbs[] = {
    Verb{u"run", u"A [B]", u"試験用", 1, 2, true, recordingHandler},
    Verb{u"take", u"A", u"試験用", 1, 1, true, optionHandler, u"--movie", u"FILE"},
};

TEST_F(CliRun, HandlerGetsTheArgumentsAfterTheVerbWithYesTakenOut) {
    EXPECT_EQ(runCommandLine({u"run", u"a", u"--yes", u"b"}, context, kTestVerbs), kExitSuccess);
    EXPECT_EQ(receivedArgs, (Args{u"a", u"b"}));
    EXPECT_TRUE(answeredYes);
}

TEST_F(CliRun, QuestionsAreAnsweredNoWithoutYes) {
    EXPECT_EQ(runCommandLine({u"run", u"a"}, context, kTestVerbs), kExitSuccess);
    EXPECT_EQ(receivedArgs, Args{u"a"});
    EXPECT_FALSE(answeredYes);
    EXPECT_EQ(err.text(), u"続けますか？\n→ いいえ\n");
}

TEST_F(CliRun, YesDoesNotCountAsAnArgumentAndAppearsInTheUsage) {
    EXPECT_EQ(runCommandLine({u"run", u"--yes"}, context, kTestVerbs), kExitBadArguments);
    EXPECT_EQ(err.text(), u"引数の数が正しくありません\n使い方：Qucapcmd run A [B] [--yes]\n");
}

TEST_F(CliRun, AHandlerRefusingItsArgumentsGetsTheUsagePrinted) {
    EXPECT_EQ(runCommandLine({u"run", u"bad"}, context, kTestVerbs), kExitBadArguments);
    EXPECT_EQ(err.text(), u"続けますか？\n→ いいえ\n使い方：Qucapcmd run A [B] [--yes]\n");
}

TEST_F(CliRun, AnOptionWithAValueIsTakenOutWhereverItStands) {
    for (const Args& line : {Args{u"take", u"--movie", u"m.avi", u"a"}, Args{u"take", u"a", u"--movie", u"m.avi"},
                             Args{u"take", u"--movie", u"m.avi", u"--yes", u"a"}}) {
        receivedArgs = {};
        receivedOption.reset();
        EXPECT_EQ(runCommandLine(line, context, kTestVerbs), kExitSuccess);
        EXPECT_EQ(receivedArgs, Args{u"a"});
        EXPECT_EQ(receivedOption, std::u16string(u"m.avi"));
    }
    EXPECT_EQ(runCommandLine({u"take", u"a"}, context, kTestVerbs), kExitSuccess);
    EXPECT_FALSE(receivedOption.has_value());
}

TEST_F(CliRun, AnOptionWithoutItsValueOrGivenTwiceIsABadCall) {
    EXPECT_EQ(runCommandLine({u"take", u"a", u"--movie"}, context, kTestVerbs), kExitBadArguments);
    EXPECT_EQ(runCommandLine({u"take", u"--movie", u"x", u"a", u"--movie", u"y"}, context, kTestVerbs),
              kExitBadArguments);
    EXPECT_EQ(err.text(),
              u"--movie の後に FILE を指定して下さい\n使い方：Qucapcmd take A [--movie FILE] [--yes]\n"
              u"--movie は一度だけ指定して下さい\n使い方：Qucapcmd take A [--movie FILE] [--yes]\n");
}

TEST_F(CliRun, NewProjectRefusesAMissingMovieBeforeMakingAnything) {
    files.addDirectory(u"C:\\p");
    EXPECT_EQ(runCommandLine({u"new-project", u"a", u"C:\\p\\a", u"--movie", u"C:\\p\\none.avi"}, context),
              kExitFailed);
    EXPECT_EQ(err.text(), u"入力動画ファイルが見つかりません\n");
    EXPECT_EQ(files.writeCount(), 0);
    EXPECT_EQ(out.text(), u"");
}

}  // namespace
}  // namespace qucap::test
